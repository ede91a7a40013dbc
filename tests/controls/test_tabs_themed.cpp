// With visual themes active the tab control is the platform's: no owner drawing, no hot tab.
// A program of its own, since a process asks whether themes are active only once.
#include "ControlsTest.h"
#include "lumo.h"

using namespace ctltest;

TEST(ThemedTabs, KeepThePlatformsDrawingAndNeverTrackTheMouse) {
    if (!IsWinXPThemeOpened()) GTEST_SKIP() << "themes are not active here";
    ParkCursor();
    Parent parent;
    ASSERT_TRUE(parent.Make());
    CTabCtrlEx tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 350, 150), &parent, 1));
    for (const char* name : {"General", "Orders", "Invoices"}) tabs.InsertItem(tabs.GetItemCount(), name);
    tabs.SetCurSel(0);
    EXPECT_FALSE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
    CRect rc;
    tabs.GetItemRect(1, &rc);
    SendMouse(tabs, WM_MOUSEMOVE, rc.CenterPoint());
    EXPECT_EQ(tabs.GetHotTab(), -1);
    EXPECT_NE(::GetCapture(), tabs.m_hWnd);
    EXPECT_TRUE(WindowCapture(tabs).Ok());
    EXPECT_TRUE(parent.m_tabItems.empty()) << "the platform drew every tab itself";
    EXPECT_EQ(parent.m_asked, 0);
}

// Tabs made under themes take the library's own look at their next paint once the host asks for
// it (owner drawing, the selected tab in the parent's colour, the tab under the mouse tracked)
// and give it back to the platform when the host no longer does.
TEST(ThemedTabs, TakeTheOwnLookWhenAskedAndGiveItBack) {
    ParkCursor();
    Parent parent;
    ASSERT_TRUE(parent.Make());
    CTabCtrlEx tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 350, 150), &parent, 1));
    for (const char* name : {"General", "Orders", "Invoices"}) tabs.InsertItem(tabs.GetItemCount(), name);
    tabs.SetCurSel(0);
    PumpPending();
    ASSERT_FALSE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);

    EXPECT_EQ(Lumo_UseOwnLook(1), 0);
    PumpPending();
    EXPECT_TRUE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
    EXPECT_EQ(parent.m_tabItems.size(), 3u);
    CRect rc0, rc1;
    tabs.GetItemRect(0, &rc0);
    tabs.GetItemRect(1, &rc1);
    EXPECT_GT(WindowCapture(tabs, CaptureMode::ScreenClient).CountColor(kParentBack, rc0), 40);
    SendMouse(tabs, WM_MOUSEMOVE, rc1.CenterPoint());
    EXPECT_EQ(tabs.GetHotTab(), 1);

    EXPECT_EQ(Lumo_UseOwnLook(0), 1);
    PumpPending();
    EXPECT_FALSE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
    EXPECT_EQ(tabs.GetHotTab(), -1);
    EXPECT_NE(::GetCapture(), tabs.m_hWnd);
    parent.m_tabItems.clear();
    tabs.Invalidate();
    PumpPending();
    EXPECT_TRUE(parent.m_tabItems.empty());
}
