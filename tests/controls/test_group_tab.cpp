// The group box's band, line and frame, and the tab control's owner drawing and hot tracking,
// read back against the rectangles the tab control hands its owner.
#include "ControlsTest.h"
#include "draw/CUtilityVisual.h"

using namespace lumotest;
using namespace ctltest;

namespace {

const COLORREF kBandBottom = 0x00E5EEF2, kBandLine = 0x00CFE1E8, kFrame = 0x00BECED8;
const COLORREF kHotTo = 0x0040BDFE, kHotFrameLeft = 0x00E1E1E1, kHotFrameRight = 0x002CB4C8;
const COLORREF kImage = RGB(200, 30, 40);

TEST(GroupBox, DrawsBandTextLineAndFrameAndGreysItsTextWhenDisabled)
{
    Parent parent;
    ASSERT_TRUE(parent.Make());
    struct Case
    {
        const char* text;
        BOOL band, enabled;
    } cases[] = {
        { "Customer", TRUE, TRUE }, { "", TRUE, TRUE }, { "Customer", FALSE, TRUE }, { "Customer", TRUE, FALSE },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "' band " << c.band << " enabled " << c.enabled);
        CSpecGroupBox box;
        ASSERT_TRUE(box.Create(c.text, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10, 10, 210, 110), &parent, 1));
        UseGuiFont(box);
        box.SetTitleBand(c.band);
        box.EnableWindow(c.enabled);
        WindowCapture cap(box);
        EXPECT_TRUE(PixelsAre(cap, {
            { 100, 0, kFrame }, { 0, 60, kFrame }, { 199, 60, kFrame }, { 100, 99, kFrame },
            { 100, 50, RGB(255, 255, 255) },  // the inside is the parent's to paint
        }));
        const COLORREF ink = c.enabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_GRAYTEXT);
        const int inkPixels = cap.CountColor(ink, CRect(0, 0, 200, 100));
        if (c.band)
        {
            EXPECT_EQ(cap.At(100, 19), kBandLine);
            EXPECT_EQ(cap.At(100, 18), kBandBottom);
            const COLORREF top = cap.At(190, 1);
            EXPECT_GT(GetBValue(top), GetBValue(kBandBottom)) << "lighter at the top";
            // The text lies in the band, 10 pixels in, never under its last 20.
            EXPECT_EQ(inkPixels > 0, *c.text != 0);
            EXPECT_EQ(cap.CountColor(ink, CRect(0, 0, 10, 100)) + cap.CountColor(ink, CRect(180, 0, 200, 100)) +
                          cap.CountColor(ink, CRect(0, 19, 200, 100)),
                      0);
            if (!c.enabled)
            {
                EXPECT_EQ(cap.CountColor(RGB(0, 0, 0)), 0);
            }
        }
        else
        {
            EXPECT_EQ(inkPixels, 0);
            EXPECT_EQ(cap.CountColor(kBandLine), 0);
        }
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
        UseGuiFont(tabs_);
        for (const char* name : { "General", "Orders", "Invoices", "Notes" })
            tabs_.InsertItem(tabs_.GetItemCount(), name);
        tabs_.SetCurSel(0);
    }
    // The tab's rectangle as the control last handed it to its owner, grown by the 2 pixels the
    // drawing adds at the bottom.
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

    Parent parent_;
    CTabCtrlEx tabs_;
};

TEST_F(Tabs, OwnerDrawsSelectedAndOtherTabsOverTheParentsColour)
{
    EXPECT_TRUE(tabs_.GetStyle() & TCS_OWNERDRAWFIXED);
    WindowCapture cap(tabs_);
    ASSERT_EQ(parent_.m_tabItems.size(), 4u);
    const CRect sel = Drawn(0), other = Drawn(2);
    EXPECT_EQ(cap.At(sel.left + 2, sel.bottom - 1), kParentBack);
    EXPECT_EQ(cap.At(sel.right - 2, sel.top), kParentBack);
    // The other tabs shade down from the parent's colour to 21 darker at the bottom.
    EXPECT_EQ(cap.At(other.left + 2, other.bottom - 1), CUtilityVisual::Hilight(kParentBack, -21));
    EXPECT_NE(cap.At(other.left + 2, other.top), cap.At(other.left + 2, other.bottom - 1));
}

TEST_F(Tabs, HotTabFollowsTheMouseAndGivesTheCaptureBackWhenItLeavesEveryTab)
{
    struct Step
    {
        int tab;  // -1: below the tabs, in the body
        int hot;
        bool captured;
    } steps[] = {
        { 1, 1, true }, { 1, 1, true }, { 2, 2, true }, { 0, -1, false },  // the selected tab never lights
        { 3, 3, true }, { -1, -1, false }, { 2, 2, true },
    };
    for (const Step& s : steps)
    {
        SCOPED_TRACE(testing::Message() << "mouse over tab " << s.tab);
        const POINT pt = s.tab >= 0 ? Centre(s.tab) : POINT{ 100, 100 };
        SendMouse(tabs_, WM_MOUSEMOVE, pt);
        EXPECT_EQ(tabs_.GetHotTab(), s.hot);
        EXPECT_EQ(::GetCapture() == tabs_.m_hWnd, s.captured);
    }
    WindowCapture cap(tabs_);
    const CRect hot = Drawn(2);
    MemoryCanvas gradient(hot.Width(), hot.Height());
    CRect all(0, 0, hot.Width(), hot.Height());
    CUtilityVisual::GradientRect(CDC::FromHandle(gradient.Dc()), all, 0x00A2F6FF, kHotTo, 16, 1);
    EXPECT_EQ(cap.At(hot.left + 3, hot.bottom - 2), gradient.At(3, hot.Height() - 2));
    EXPECT_EQ(cap.At(hot.left + 3, hot.top + 1), gradient.At(3, 1));
    EXPECT_EQ(cap.At(hot.left - 1, hot.top + 3), kHotFrameLeft);
    EXPECT_EQ(cap.At(hot.left + 3, hot.bottom - 1), kHotFrameRight);
    // Another window taking the mouse ends the highlight too.
    ::SetCapture(parent_);
    EXPECT_EQ(tabs_.GetHotTab(), -1);
    ::ReleaseCapture();
    SendMouse(tabs_, WM_MOUSEMOVE, Centre(3));
    tabs_.DeleteAllItems();
    EXPECT_EQ(tabs_.GetHotTab(), -1);
    EXPECT_NE(::GetCapture(), tabs_.m_hWnd);
}

TEST_F(Tabs, ImageOfTheTabsIndexStandsBeforeTheText)
{
    CImageList images;
    ASSERT_TRUE(images.Create(12, 12, ILC_COLOR32, 2, 0));
    for (int i = 0; i < 2; ++i)
    {
        HICON icon = nullptr;
        {
            // A solid 12 x 12 icon.
            std::vector<DWORD> bits(144, 0xFF000000 | (GetRValue(kImage) << 16) | (GetGValue(kImage) << 8) | GetBValue(kImage));
            HBITMAP colour = ::CreateBitmap(12, 12, 1, 32, bits.data());
            std::vector<BYTE> mask(24, 0);
            HBITMAP monochrome = ::CreateBitmap(12, 12, 1, 1, mask.data());
            ICONINFO ii = { TRUE, 0, 0, monochrome, colour };
            icon = ::CreateIconIndirect(&ii);
            ::DeleteObject(colour);
            ::DeleteObject(monochrome);
        }
        images.Add(icon);
        ::DestroyIcon(icon);
    }
    tabs_.SetImageList(&images);
    WindowCapture cap(tabs_);
    // Tabs 0 and 1 have an image of their index, 2 and 3 none: the list holds two.
    for (int i = 0; i < 4; ++i)
    {
        const CRect r = Drawn(i);
        const int x = r.left + 5;
        EXPECT_EQ(cap.CountColor(kImage, CRect(x, r.top, x + 12, r.bottom)) > 0, i < 2) << "tab " << i;
        EXPECT_EQ(cap.CountColor(kImage, CRect(r.left, r.top, x, r.bottom)), 0) << "tab " << i;
    }
    tabs_.SetImageList(nullptr);
}

}  // namespace
