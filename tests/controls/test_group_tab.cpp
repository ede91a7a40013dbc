// The group box's band, line and frame, and the tab control's owner drawing and hot tracking,
// read back against the rectangles the tab control hands its owner.
#include "ControlsTest.h"

using namespace ctltest;

namespace {

const COLORREF kBandBottom = 0x00E5EEF2, kBandLine = 0x00CFE1E8, kFrame = 0x00BECED8;
const COLORREF kHotFrom = 0x00A2F6FF, kHotTo = 0x0040BDFE;

TEST(GroupBox, DrawsBandTextLineAndFrameAndGreysItsTextWhenDisabled) {
    Parent parent;
    ASSERT_TRUE(parent.Make());
    const struct { const char* text; BOOL band, enabled; } cases[] = {
        {"Customer", TRUE, TRUE}, {"", TRUE, TRUE}, {"Customer", FALSE, TRUE}, {"Customer", TRUE, FALSE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "' band " << c.band << " enabled " << c.enabled);
        CSpecGroupBox box;
        ASSERT_TRUE(box.Create(c.text, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10, 10, 210, 110), &parent, 1));
        GuiFont(box);
        box.SetTitleBand(c.band);
        box.EnableWindow(c.enabled);
        WindowCapture cap(box);
        EXPECT_TRUE(PixelsAre(cap, {{100, 0, kFrame}, {0, 60, kFrame}, {199, 60, kFrame}, {100, 99, kFrame},
                                    {100, 50, RGB(255, 255, 255)}}));  // the inside is the parent's
        const COLORREF ink = c.enabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_GRAYTEXT);
        // Text only in the band, from 10 pixels in, never in its last 20.
        const int inside = cap.CountColor(ink, CRect(10, 1, 180, 19));
        EXPECT_EQ(inside > 0, c.band && *c.text) << "text";
        EXPECT_EQ(cap.CountColor(ink) - inside, 0);
        EXPECT_EQ(cap.At(100, 19) == kBandLine && cap.At(100, 18) == kBandBottom, c.band != FALSE) << "band";
        EXPECT_TRUE(!c.band || GetBValue(cap.At(190, 1)) > GetBValue(kBandBottom)) << "lighter at the top";
        EXPECT_TRUE(c.enabled || cap.CountColor(RGB(0, 0, 0)) == 0);
    }
}

// What GradientRect paints at row y of a rectangle of the given height.
COLORREF Gradient(COLORREF from, COLORREF to, int height, int y) {
    MemoryCanvas canvas(4, height);
    CRect rc(0, 0, 4, height);
    CUtilityVisual::GradientRect(CDC::FromHandle(canvas.Dc()), rc, from, to, 16, 1);
    return canvas.At(1, y);
}

TEST(Tabs, HotTabFollowsTheMouseGivesTheCaptureBackAndImagesStandBeforeTheText) {
    ParkCursor();
    Parent parent;
    CTabCtrlEx tabs;
    ASSERT_TRUE(parent.Make(360, 200));
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 350, 150), &parent, 1));
    GuiFont(tabs);
    for (const char* name : {"General", "Orders", "Invoices", "Notes"}) tabs.InsertItem(tabs.GetItemCount(), name);
    tabs.SetCurSel(0);
    EXPECT_TRUE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
    // A tab as the control last handed it to its owner, grown by the 2 rows the drawing adds.
    auto drawn = [&](int i) {
        const RECT& r = parent.m_tabItems[(UINT)i];
        return CRect(r.left, r.top, r.right, r.bottom + 2);
    };
    auto centre = [&](int i) {
        CRect rc;
        tabs.GetItemRect(i, &rc);
        return rc.CenterPoint();
    };
    const struct { int tab, hot; } steps[] = {{1, 1}, {1, 1}, {2, 2}, {0, -1}, {3, 3}, {-1, -1}, {2, 2}};
    for (const auto& s : steps) {  // tab 0 is selected; -1 is below the tabs
        SCOPED_TRACE(testing::Message() << "mouse over tab " << s.tab);
        SendMouse(tabs, WM_MOUSEMOVE, s.tab >= 0 ? centre(s.tab) : POINT{100, 100});
        EXPECT_EQ(tabs.GetHotTab(), s.hot);
        EXPECT_EQ(::GetCapture() == tabs.m_hWnd, s.hot >= 0);
    }
    WindowCapture cap(tabs);
    ASSERT_EQ(parent.m_tabItems.size(), 4u);
    const CRect sel = drawn(0), other = drawn(1), hot = drawn(2);
    const COLORREF darker = CUtilityVisual::Hilight(kParentBack, -21);
    EXPECT_TRUE(PixelsAre(cap, {
        {sel.left + 2, sel.bottom - 1, kParentBack},  // the selected tab in the parent's colour
        {sel.right - 2, sel.top, kParentBack},
        {other.left + 2, other.bottom - 1, darker},  // the others shading down from it
        {other.left + 2, other.top, Gradient(kParentBack, darker, other.Height(), 0)},
        {hot.left + 3, hot.top + 1, Gradient(kHotFrom, kHotTo, hot.Height(), 1)},
        {hot.left + 3, hot.bottom - 2, Gradient(kHotFrom, kHotTo, hot.Height(), hot.Height() - 2)},
        {hot.left - 1, hot.top + 3, 0x00E1E1E1},  // its frame
        {hot.left + 3, hot.bottom - 1, 0x002CB4C8},
    }));
    // Another window taking the mouse, or the tabs going, end the highlight too.
    ::SetCapture(parent);
    EXPECT_EQ(tabs.GetHotTab(), -1);
    ::ReleaseCapture();

    // The image of the tab's index stands 5 pixels in, before the text; the list holds two.
    CImageList images;
    ASSERT_TRUE(images.Create(12, 12, ILC_COLOR32, 2, 0));
    const std::vector<DWORD> bits(144, 0xFFC81E28);
    CBitmap red;
    red.Attach(::CreateBitmap(12, 12, 1, 32, bits.data()));
    for (int i = 0; i < 2; ++i) images.Add(&red, (CBitmap*)nullptr);
    tabs.SetImageList(&images);
    WindowCapture pictured(tabs);
    for (int i = 0; i < 4; ++i) {
        const CRect r = drawn(i);
        EXPECT_EQ(pictured.CountColor(RGB(200, 30, 40), CRect(r.left + 5, r.top, r.left + 17, r.bottom)) > 0, i < 2)
            << "tab " << i;
        EXPECT_EQ(pictured.CountColor(RGB(200, 30, 40), CRect(r.left, r.top, r.left + 5, r.bottom)), 0) << i;
    }
    tabs.SetImageList(nullptr);

    SendMouse(tabs, WM_MOUSEMOVE, centre(3));
    tabs.DeleteAllItems();
    EXPECT_EQ(tabs.GetHotTab(), -1);
    EXPECT_NE(::GetCapture(), tabs.m_hWnd);
}

// A parent written without the framework does not hand the request to draw a tab back to the
// control: the tabs catch it on its way and paint themselves all the same. The pixels are read
// from the control's own device context once it has painted, without painting it again (the
// screen itself shows them only after the platform's next flush).
TEST(Tabs, PaintThemselvesInAPlainWin32Parent) {
    ParkCursor();
    HostWindow host(360, 200);
    HBRUSH brush = ::CreateSolidBrush(kParentBack);
    SetHostHandler(host, [brush](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
        *r = (LRESULT)brush;
        return m == WM_CTLCOLORSTATIC;
    });
    const LONG_PTR proc = ::GetWindowLongPtrA(host, GWLP_WNDPROC);
    MessageRecorder parent(host, std::vector<UINT>{WM_DRAWITEM});
    {
        CTabCtrlEx tabs;
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 350, 150), CWnd::FromHandle(host), 1));
        GuiFont(tabs);
        for (const char* name : {"General", "Orders", "Invoices"}) tabs.InsertItem(tabs.GetItemCount(), name);
        tabs.SetCurSel(0);
        ASSERT_TRUE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
        CRect rc[3];
        for (int i = 0; i < 3; ++i) tabs.GetItemRect(i, &rc[i]);
        SendMouse(tabs, WM_MOUSEMOVE, rc[2].CenterPoint());
        ASSERT_EQ(tabs.GetHotTab(), 2);
        ::UpdateWindow(host);
        ::UpdateWindow(tabs);
        CRect client;
        tabs.GetClientRect(&client);
        MemoryCanvas screen(client.Width(), client.Height());
        HDC dc = ::GetDC(tabs);
        ::BitBlt(screen.Dc(), 0, 0, client.Width(), client.Height(), dc, 0, 0, SRCCOPY);
        ::ReleaseDC(tabs, dc);
        auto count = [&](int i, COLORREF c) {
            CRect r = rc[i];
            r.InflateRect(2, 2);
            return screen.CountColor(c, r);
        };
        auto dark = [&](int i) {
            int n = 0;
            for (int y = rc[i].top; y < rc[i].bottom; ++y)
                for (int x = rc[i].left; x < rc[i].right; ++x) n += (screen.At(x, y) & 0xC0C0C0) == 0;
            return n;
        };
        for (int i = 0; i < 3; ++i) EXPECT_GT(dark(i), 10) << "the title of tab " << i;
        EXPECT_GT(count(0, kParentBack), 40) << "the selected tab in the parent's colour";
        EXPECT_GT(count(1, CUtilityVisual::Hilight(kParentBack, -21)), 10) << "another shading down from it";
        EXPECT_GT(count(2, 0x002CB4C8), 10) << "the hot tab's frame";
        ::ReleaseCapture();
    }
    EXPECT_EQ(parent.Count(), 0) << "the requests were the control's own business";
    EXPECT_EQ(::GetWindowLongPtrA(host, GWLP_WNDPROC), proc);
    SetHostHandler(host, nullptr);
    ::DeleteObject(brush);
}

}  // namespace
