// The group box's band, line and frame, and the tab control's owner drawing and hot tracking,
// read back against the rectangles the tab control hands its owner.
#include "ControlsTest.h"
#include "CUtilityVisual.h"

using namespace lumotest;
using namespace ctltest;

namespace {

const COLORREF kBandBottom = 0x00E5EEF2, kBandLine = 0x00CFE1E8, kFrame = 0x00BECED8;
const COLORREF kHotFrom = 0x00A2F6FF, kHotTo = 0x0040BDFE;

TEST(GroupBox, DrawsBandTextLineAndFrameAndGreysItsTextWhenDisabled)
{
    Parent parent;
    ASSERT_TRUE(parent.Make());
    struct Case
    {
        const char* text;
        BOOL band, enabled;
    } cases[] = { { "Customer", TRUE, TRUE }, { "", TRUE, TRUE }, { "Customer", FALSE, TRUE }, { "Customer", TRUE, FALSE } };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "' band " << c.band << " enabled " << c.enabled);
        CSpecGroupBox box;
        ASSERT_TRUE(box.Create(c.text, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10, 10, 210, 110), &parent, 1));
        GuiFont(box);
        box.SetTitleBand(c.band);
        box.EnableWindow(c.enabled);
        WindowCapture cap(box);
        EXPECT_TRUE(PixelsAre(cap, { { 100, 0, kFrame }, { 0, 60, kFrame }, { 199, 60, kFrame }, { 100, 99, kFrame },
                                     { 100, 50, RGB(255, 255, 255) } }));  // the inside is the parent's
        const COLORREF ink = c.enabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_GRAYTEXT);
        // Text only in the band, from 10 pixels in, never in its last 20.
        const int inside = cap.CountColor(ink, CRect(10, 1, 180, 19));
        const int outside = cap.CountColor(ink) - inside;
        EXPECT_EQ(inside > 0, c.band && *c.text) << "text";
        EXPECT_EQ(outside, 0);
        EXPECT_EQ(cap.At(100, 19) == kBandLine && cap.At(100, 18) == kBandBottom, c.band != FALSE) << "band";
        EXPECT_TRUE(!c.band || GetBValue(cap.At(190, 1)) > GetBValue(kBandBottom)) << "lighter at the top";
        EXPECT_TRUE(c.enabled || cap.CountColor(RGB(0, 0, 0)) == 0);
    }
}

class Tabs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ParkCursor();
        ASSERT_TRUE(parent_.Make(360, 200));
        ASSERT_TRUE(tabs_.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 350, 150), &parent_, 1));
        GuiFont(tabs_);
        for (const char* name : { "General", "Orders", "Invoices", "Notes" })
            tabs_.InsertItem(tabs_.GetItemCount(), name);
        tabs_.SetCurSel(0);
    }
    // A tab as the control last handed it to its owner, grown by the 2 rows the drawing adds.
    CRect Drawn(int i)
    {
        CRect r = parent_.m_tabItems[(UINT)i];
        r.bottom += 2;
        return r;
    }
    POINT Centre(int i)
    {
        CRect rc;
        tabs_.GetItemRect(i, &rc);
        return rc.CenterPoint();
    }
    // What GradientRect paints at row y of a rectangle of the given height.
    static COLORREF Gradient(COLORREF from, COLORREF to, int height, int y)
    {
        MemoryCanvas canvas(4, height);
        CRect rc(0, 0, 4, height);
        CUtilityVisual::GradientRect(CDC::FromHandle(canvas.Dc()), rc, from, to, 16, 1);
        return canvas.At(1, y);
    }

    Parent parent_;
    CTabCtrlEx tabs_;
};

TEST_F(Tabs, HotTabFollowsTheMouseAndGivesTheCaptureBackWhenItLeavesEveryTab)
{
    EXPECT_TRUE(tabs_.GetStyle() & TCS_OWNERDRAWFIXED);
    struct Step
    {
        int tab;  // -1: below the tabs
        int hot;
    } steps[] = { { 1, 1 }, { 1, 1 }, { 2, 2 }, { 0, -1 }, { 3, 3 }, { -1, -1 }, { 2, 2 } };  // 0 is selected
    for (const Step& s : steps)
    {
        SCOPED_TRACE(testing::Message() << "mouse over tab " << s.tab);
        SendMouse(tabs_, WM_MOUSEMOVE, s.tab >= 0 ? Centre(s.tab) : POINT{ 100, 100 });
        EXPECT_EQ(tabs_.GetHotTab(), s.hot);
        EXPECT_EQ(::GetCapture() == tabs_.m_hWnd, s.hot >= 0);
    }
    WindowCapture cap(tabs_);
    ASSERT_EQ(parent_.m_tabItems.size(), 4u);
    const CRect sel = Drawn(0), other = Drawn(1), hot = Drawn(2);
    const COLORREF darker = CUtilityVisual::Hilight(kParentBack, -21);
    EXPECT_TRUE(PixelsAre(cap, {
        { sel.left + 2, sel.bottom - 1, kParentBack },  // the selected tab in the parent's colour
        { sel.right - 2, sel.top, kParentBack },
        { other.left + 2, other.bottom - 1, darker },  // the others shading down from it
        { other.left + 2, other.top, Gradient(kParentBack, darker, other.Height(), 0) },
        { hot.left + 3, hot.top + 1, Gradient(kHotFrom, kHotTo, hot.Height(), 1) },
        { hot.left + 3, hot.bottom - 2, Gradient(kHotFrom, kHotTo, hot.Height(), hot.Height() - 2) },
        { hot.left - 1, hot.top + 3, 0x00E1E1E1 },     // its frame
        { hot.left + 3, hot.bottom - 1, 0x002CB4C8 },
    }));
    // Another window taking the mouse, or the tabs going, end the highlight too.
    ::SetCapture(parent_);
    EXPECT_EQ(tabs_.GetHotTab(), -1);
    ::ReleaseCapture();
    SendMouse(tabs_, WM_MOUSEMOVE, Centre(3));
    tabs_.DeleteAllItems();
    EXPECT_EQ(tabs_.GetHotTab(), -1);
    EXPECT_NE(::GetCapture(), tabs_.m_hWnd);
}

TEST_F(Tabs, TheImageOfTheTabsIndexStandsBeforeTheText)
{
    const COLORREF red = RGB(200, 30, 40);
    CImageList images;
    ASSERT_TRUE(images.Create(12, 12, ILC_COLOR32, 2, 0));
    std::vector<DWORD> bits(144, 0xFFC81E28);
    std::vector<BYTE> mask(24, 0);
    HBITMAP colour = ::CreateBitmap(12, 12, 1, 32, bits.data()), monochrome = ::CreateBitmap(12, 12, 1, 1, mask.data());
    ICONINFO ii = { TRUE, 0, 0, monochrome, colour };
    HICON icon = ::CreateIconIndirect(&ii);
    images.Add(icon);
    images.Add(icon);
    ::DestroyIcon(icon);
    ::DeleteObject(colour);
    ::DeleteObject(monochrome);
    tabs_.SetImageList(&images);
    WindowCapture cap(tabs_);
    for (int i = 0; i < 4; ++i)  // the list holds two images: tabs 2 and 3 have none
    {
        const CRect r = Drawn(i);
        EXPECT_EQ(cap.CountColor(red, CRect(r.left + 5, r.top, r.left + 17, r.bottom)) > 0, i < 2) << "tab " << i;
        EXPECT_EQ(cap.CountColor(red, CRect(r.left, r.top, r.left + 5, r.bottom)), 0) << "tab " << i;
    }
    tabs_.SetImageList(nullptr);
}

}  // namespace
