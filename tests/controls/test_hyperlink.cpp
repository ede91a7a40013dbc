// The hyperlink's text rectangle and underline against what DrawText measures in its font,
// its cursor, clicks on and beside the text, the keyboard, and a target that does not exist.
#include "ControlsTest.h"

using namespace lumotest;
using namespace ctltest;

namespace {

const COLORREF kLink = 0x00FF0000;
const char kText[] = "Open the order list";

class Link : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ParkCursor();
        ASSERT_TRUE(parent_.Make(360, 200));
    }
    void Make(DWORD style, int w, int h, const char* text = kText)
    {
        ASSERT_TRUE(link_.Create(text, WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 10 + w, 10 + h), &parent_, 1));
        UseGuiFont(link_);
        link_.m_bNotify = 1;
        link_.m_hNotifyWnd = parent_;
        link_.m_nNotifyMsg = kLinkMsg;
    }
    // Where the text lies in a w x h link, from DrawText's own measure in the link's font.
    CRect Expected(DWORD style, int w, int h)
    {
        const SIZE size = TextSize(link_, kText);
        const int tw = size.cx < w ? size.cx : w;
        const int left = style == SS_CENTER ? (w - tw) / 2 : style == SS_RIGHT ? w - tw : 0;
        const int top = (h - size.cy) / 2;
        return CRect(left, top, left + tw, top + size.cy + 2 > h ? h : top + size.cy + 2);
    }

    Parent parent_;
    TestLink link_;
};

TEST_F(Link, UnderlinesTheTextTwoPixelsBelowItsMeasuredHeight)
{
    struct Case
    {
        DWORD style;
        int w, h;
    } cases[] = {
        { SS_LEFT, 240, 24 }, { SS_CENTER, 240, 24 }, { SS_RIGHT, 240, 30 },
        { SS_LEFT, 40, 24 },   // wider than the control: clipped, underlined across
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " " << c.w << " x " << c.h);
        Make(c.style, c.w, c.h);
        EXPECT_TRUE(link_.GetStyle() & SS_NOTIFY);
        const CRect text = Expected(c.style, c.w, c.h);
        WindowCapture cap(link_);
        EXPECT_EQ(CountInRow(cap, text.bottom, 0, c.w, kLink), text.Width());
        EXPECT_EQ(CountInRow(cap, text.bottom, text.left, text.right, kLink), text.Width());
        EXPECT_EQ(cap.At(0, 0), kParentBack);
        EXPECT_GT(cap.CountColor(kLink, CRect(text.left, text.top, text.right, text.bottom)), 0) << "text in the link colour";
        link_.DestroyWindow();
    }
}

TEST_F(Link, UnderlineOfAShortControlFallsOnItsBottomEdgeAndIsClippedAway)
{
    Make(SS_LEFT, 240, 24);
    const int h = TextSize(link_, kText).cy;
    link_.SetWindowPos(NULL, 0, 0, 240, h, SWP_NOMOVE | SWP_NOZORDER);
    WindowCapture cap(link_);
    EXPECT_LT(CountInRow(cap, h - 1, 0, 240, kLink), TextSize(link_, kText).cx);
}

TEST_F(Link, DisabledLinkIsGreyAndTheHandShowsOnlyOverTheText)
{
    Make(SS_CENTER, 240, 24);
    const CRect text = Expected(SS_CENTER, 240, 24);
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    link_.EnableWindow(FALSE);
    WindowCapture disabled(link_);
    EXPECT_EQ(disabled.CountColor(kLink), 0);
    EXPECT_EQ(CountInRow(disabled, text.bottom, text.left, text.right, grey), text.Width());
    link_.EnableWindow(TRUE);

    // WM_SETCURSOR sets the hand itself, so the class's arrow never shows in between.
    POINT on = text.CenterPoint(), beside = { 3, 12 };
    for (POINT pt : { on, beside })
    {
        POINT screen = pt;
        link_.ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SetCursor(NULL);
        const BOOL handled = (BOOL)link_.SendMessage(WM_SETCURSOR, (WPARAM)link_.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const bool over = pt.x == on.x;
        if (over)
        {
            EXPECT_TRUE(handled);
            EXPECT_EQ(::GetCursor(), link_.Cursor());
        }
        else if (link_.Cursor() != ::LoadCursor(NULL, IDC_ARROW))
        {
            EXPECT_NE(::GetCursor(), link_.Cursor());
        }
    }
    ParkCursor();
}

TEST_F(Link, ClickOnTheTextNotifiesTheHostAndClickBesideItDoesNothing)
{
    Make(SS_CENTER, 240, 24);
    const CRect text = Expected(SS_CENTER, 240, 24);
    const POINT beside[] = { { 2, 12 }, { 237, 12 }, { text.CenterPoint().x, 0 } };
    for (POINT pt : beside)
    {
        SendMouse(link_, WM_LBUTTONDOWN, pt, MK_LBUTTON);
        SendMouse(link_, WM_LBUTTONUP, pt);
    }
    EXPECT_TRUE(parent_.m_links.empty());
    EXPECT_NE(::GetFocus(), link_.m_hWnd);

    SendMouse(link_, WM_LBUTTONDOWN, text.CenterPoint(), MK_LBUTTON);
    EXPECT_EQ(::GetFocus(), link_.m_hWnd) << "a link takes the focus";
    SendMouse(link_, WM_LBUTTONUP, text.CenterPoint());
    ASSERT_EQ(parent_.m_links.size(), 1u);
    EXPECT_EQ(parent_.m_links[0], (WPARAM)link_.m_hWnd);

    // Enter and Space open it too, once per press.
    link_.SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    link_.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    link_.SendMessage(WM_KEYDOWN, VK_SPACE, 1 | (KF_REPEAT << 16));
    link_.SendMessage(WM_KEYDOWN, 'A', 1);
    EXPECT_EQ(parent_.m_links.size(), 3u);

    // A notify window that is gone makes the click do nothing.
    link_.m_hNotifyWnd = (HWND)(UINT_PTR)0x12345678;
    SendMouse(link_, WM_LBUTTONUP, text.CenterPoint());
    EXPECT_EQ(parent_.m_links.size(), 3u);
}

TEST_F(Link, EnterReachesTheFocusedLinkInADialog)
{
    Parent dlg;
    ASSERT_TRUE(dlg.MakeDialog({ { "STATIC", SS_LEFT | WS_TABSTOP, { 10, 10, 250, 34 }, kText } }));
    TestLink link;
    ASSERT_TRUE(link.SubclassDlgItem(100, &dlg));
    link.m_bNotify = 1;
    link.m_hNotifyWnd = dlg;
    link.m_nNotifyMsg = kLinkMsg;
    link.SetFocus();
    ASSERT_EQ(::GetFocus(), link.m_hWnd);
    MSG msg = { link.m_hWnd, WM_KEYDOWN, VK_RETURN, 1 };
    EXPECT_TRUE(::IsDialogMessageA(dlg, &msg));
    EXPECT_EQ(dlg.m_links.size(), 1u);
}

TEST_F(Link, ATargetThatDoesNotExistOpensNothingAndAsksNothing)
{
    Make(SS_LEFT, 240, 24);
    link_.m_bNotify = 0;
    link_.m_strTarget = "Z:\\no\\such\\folder\\lumo-order-list.xyz";
    const CRect text = Expected(SS_LEFT, 240, 24);
    MessageBoxCatcher boxes;
    WindowBalance windows;
    SendMouse(link_, WM_LBUTTONDOWN, text.CenterPoint(), MK_LBUTTON);
    SendMouse(link_, WM_LBUTTONUP, text.CenterPoint());
    link_.m_strTarget.Empty();
    SendMouse(link_, WM_LBUTTONUP, text.CenterPoint());  // nothing to open: the shell is not asked
    PumpPending();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(windows.Delta(), 0);
    EXPECT_TRUE(parent_.m_links.empty());
    EXPECT_TRUE(::IsWindow(link_));
}

}  // namespace
