// The hyperlink's text rectangle and underline against DrawText's own measure in its font, its
// cursor, clicks on and beside the text, the keyboard, and a target that does not exist.
#include "ControlsTest.h"

using namespace ctltest;

namespace {

const COLORREF kLinkColour = 0x00FF0000;
const char kText[] = "Open the order list";

class Link : public ::testing::Test {
protected:
    // The cursor the link shows, for comparing with what WM_SETCURSOR set.
    struct TestLink : CHyperLinkStatic {
        HCURSOR Cursor() const { return m_hCursor; }
    };

    void SetUp() override {
        ParkCursor();
        ASSERT_TRUE(parent_.Make(360, 200));
    }
    void Make(DWORD style, int w, int h) {
        if (link_.m_hWnd) link_.DestroyWindow();
        ASSERT_TRUE(link_.Create(kText, WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 10 + w, 10 + h), &parent_, 1));
        GuiFont(link_);
        link_.m_bNotify = 1;
        link_.m_hNotifyWnd = parent_;
        link_.m_nNotifyMsg = kLinkMsg;
    }
    // Where the text lies in a w x h link; its bottom is the underline's row.
    CRect Expected(DWORD style, int w, int h) {
        const SIZE size = TextSize(link_, kText);
        const int tw = size.cx < w ? size.cx : w;
        const int left = style == SS_CENTER ? (w - tw) / 2 : style == SS_RIGHT ? w - tw : 0;
        const int top = (h - size.cy) / 2;
        return CRect(left, top, left + tw, top + size.cy + 2 > h ? h : top + size.cy + 2);
    }

    Parent parent_;
    TestLink link_;
};

TEST_F(Link, UnderlinesItsTextTwoPixelsBelowTheMeasuredHeightInTheLinkOrTheGreyColour) {
    const struct { DWORD style; int w, h; BOOL enabled; } cases[] = {
        {SS_LEFT, 240, 24, TRUE}, {SS_CENTER, 240, 24, TRUE}, {SS_RIGHT, 240, 30, TRUE}, {SS_CENTER, 240, 24, FALSE},
        {SS_LEFT, 40, 24, TRUE},   // wider than the control: clipped, underlined across
        {SS_LEFT, 240, 13, TRUE}};  // shorter than text and underline: the line is clipped away
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " " << c.w << " x " << c.h << " enabled " << c.enabled);
        Make(c.style, c.w, c.h);
        link_.EnableWindow(c.enabled);
        EXPECT_TRUE(link_.GetStyle() & SS_NOTIFY);
        const CRect text = Expected(c.style, c.w, c.h);
        const COLORREF colour = c.enabled ? kLinkColour : ::GetSysColor(COLOR_GRAYTEXT);
        WindowCapture cap(link_);
        const int underline = text.bottom < c.h ? text.Width() : 0;
        EXPECT_EQ(cap.CountColor(colour, CRect(0, text.bottom, c.w, text.bottom + 1)), underline);
        EXPECT_EQ(cap.CountColor(colour, CRect(text.left, text.bottom, text.right, text.bottom + 1)), underline);
        EXPECT_GT(cap.CountColor(colour, text), 0) << "the text in the link's colour";
        EXPECT_TRUE(c.enabled || cap.CountColor(kLinkColour) == 0);
        EXPECT_EQ(cap.At(0, 0), kParentBack);
    }
}

// The system's hand over the text, the arrow beside it.
TEST_F(Link, TheSystemsHandShowsOverTheText) {
    Make(SS_CENTER, 240, 24);
    const CRect text = Expected(SS_CENTER, 240, 24);
    const HCURSOR hand = ::LoadCursor(nullptr, IDC_HAND), arrow = ::LoadCursor(nullptr, IDC_ARROW);
    ASSERT_TRUE(hand && hand != arrow);
    const struct { POINT at; HCURSOR cursor; } cases[] = {{text.CenterPoint(), hand}, {{2, 12}, arrow}};
    for (const auto& c : cases) {
        POINT screen = c.at;
        link_.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        PumpPending();
        ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
        link_.SendMessage(WM_SETCURSOR, (WPARAM)link_.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), c.cursor) << c.at.x << "," << c.at.y;
    }
    ParkCursor();
}

TEST_F(Link, OnlyClicksOnTheTextEnterAndSpaceNotifyAndAMissingTargetOpensNothing) {
    Make(SS_CENTER, 240, 24);
    const CRect text = Expected(SS_CENTER, 240, 24);
    // The hand shows over the text, set by WM_SETCURSOR itself so no arrow flickers between.
    POINT screen = text.CenterPoint();
    link_.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    EXPECT_TRUE(link_.SendMessage(WM_SETCURSOR, (WPARAM)link_.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), link_.Cursor());
    ParkCursor();

    auto click = [&](POINT pt) {
        SendMouse(link_, WM_LBUTTONDOWN, pt, MK_LBUTTON);
        SendMouse(link_, WM_LBUTTONUP, pt);
    };
    for (POINT pt : {POINT{2, 12}, POINT{237, 12}, POINT{text.CenterPoint().x, 0}})  // beside the text
        click(pt);
    EXPECT_TRUE(parent_.m_links.empty());
    EXPECT_NE(::GetFocus(), link_.m_hWnd);

    click(text.CenterPoint());
    EXPECT_EQ(::GetFocus(), link_.m_hWnd) << "a link takes the focus";
    link_.SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    link_.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    link_.SendMessage(WM_KEYDOWN, VK_SPACE, 1 | (KF_REPEAT << 16));  // held: once per press
    link_.SendMessage(WM_KEYDOWN, 'A', 1);
    EXPECT_EQ(parent_.m_links, std::vector<WPARAM>(3, (WPARAM)link_.m_hWnd));

    link_.m_hNotifyWnd = (HWND)(UINT_PTR)0x12345678;  // a window that is gone: nothing happens
    click(text.CenterPoint());
    EXPECT_EQ(parent_.m_links.size(), 3u);

    // The shell is asked for a target that does not exist: no box, no window, nothing sent.
    link_.m_bNotify = 0;
    link_.m_strTarget = "Z:\\no\\such\\folder\\lumo-order-list.xyz";
    MessageBoxCatcher boxes;
    WindowBalance windows;
    click(text.CenterPoint());
    PumpPending();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(windows.Delta(), 0);
    EXPECT_EQ(parent_.m_links.size(), 3u);
    EXPECT_TRUE(::IsWindow(link_));
}

}  // namespace
