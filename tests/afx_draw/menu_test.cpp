// Menus: handle ownership, item queries, and owner-drawn popups routed to their CMenu while
// tracked (the menu loop is ended by a thread timer once the items have been drawn).
#include <gtest/gtest.h>
#include <afxwin.h>
#include <functional>
#include <string>
#include <vector>
#include "LumoTest.h"

namespace {

TEST(AfxMenu, OwnedMenusAreDestroyedAndTemporariesAreNot)
{
    HMENU hOwned = nullptr;
    HMENU hSub = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hOwned = menu.GetSafeHmenu();
        EXPECT_EQ(CMenu::FromHandlePermanent(hOwned), &menu);
        EXPECT_EQ(CMenu::FromHandle(hOwned), &menu);

        hSub = ::CreatePopupMenu();
        ::AppendMenuA(hSub, MF_STRING, 21, "Twenty-one");
        EXPECT_TRUE(menu.AppendMenu(MF_STRING, 10, "&Ten"));
        EXPECT_TRUE(menu.AppendMenu(MF_POPUP, (UINT_PTR)hSub, "Sub"));
        EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 5, "Five"));
        EXPECT_EQ(menu.GetMenuItemCount(), 3u);
        EXPECT_EQ(menu.GetMenuItemID(0), 5u);
        EXPECT_EQ(menu.GetMenuItemID(2), (UINT)-1);

        CString text;
        EXPECT_EQ(menu.GetMenuString(10, text, MF_BYCOMMAND), 4);
        EXPECT_STREQ((LPCTSTR)text, "&Ten");
        char buf[8] = "";
        EXPECT_EQ(menu.GetMenuString(1, buf, sizeof(buf), MF_BYPOSITION), 4);
        EXPECT_EQ(menu.GetMenuString(99, text, MF_BYCOMMAND), 0);
        EXPECT_TRUE(text.IsEmpty());

        EXPECT_TRUE(menu.ModifyMenu(10, MF_BYCOMMAND | MF_STRING, 11, "Eleven"));
        EXPECT_EQ(menu.GetMenuItemID(1), 11u);

        // The submenu comes back as a temporary wrapper; no submenu gives null.
        CMenu* pSub = menu.GetSubMenu(2);
        ASSERT_NE(pSub, nullptr);
        EXPECT_EQ(pSub->GetSafeHmenu(), hSub);
        EXPECT_EQ(CMenu::FromHandlePermanent(hSub), nullptr);
        EXPECT_EQ(menu.GetSubMenu(0), nullptr);
        AfxDeleteTempMaps();
        EXPECT_TRUE(::IsMenu(hSub));

        EXPECT_TRUE(menu.RemoveMenu(2, MF_BYPOSITION));  // hands the submenu back to us
        EXPECT_EQ(menu.GetMenuItemCount(), 2u);
        EXPECT_TRUE(menu.DeleteMenu(5, MF_BYCOMMAND));
        EXPECT_EQ(menu.GetMenuItemCount(), 1u);
    }
    EXPECT_FALSE(::IsMenu(hOwned));
    EXPECT_TRUE(::IsMenu(hSub));

    // Attach takes ownership, Detach gives it back.
    {
        CMenu menu;
        ASSERT_TRUE(menu.Attach(hSub));
        EXPECT_EQ(menu.Detach(), hSub);
        EXPECT_EQ(CMenu::FromHandlePermanent(hSub), nullptr);
    }
    EXPECT_TRUE(::IsMenu(hSub));
    ::DestroyMenu(hSub);

    // Bad input.
    CMenu empty;
    EXPECT_FALSE(empty.DestroyMenu());
    EXPECT_FALSE(empty.Attach(nullptr));
    EXPECT_EQ(CMenu::FromHandle(nullptr), nullptr);
    EXPECT_EQ(empty.GetMenuItemCount(), (UINT)-1);
    EXPECT_EQ(empty.GetSubMenu(0), nullptr);
    EXPECT_FALSE(empty.LoadMenu("NoSuchMenu"));
    EXPECT_EQ(AfxFindPopupMenuFromID(nullptr, 1), nullptr);
}

TEST(AfxMenu, FindPopupMenuFromIdFindsThePermanentHolder)
{
    CMenu root, owned;
    ASSERT_TRUE(root.CreatePopupMenu());
    ASSERT_TRUE(owned.CreatePopupMenu());
    HMENU hForeign = ::CreatePopupMenu();
    ::AppendMenuA(owned, MF_STRING, 301, "in owned");
    ::AppendMenuA(hForeign, MF_STRING, 401, "in foreign");
    ::AppendMenuA(hForeign, MF_POPUP, (UINT_PTR)owned.GetSafeHmenu(), "owned, nested");
    root.AppendMenu(MF_STRING, 101, "in root");
    root.AppendMenu(MF_POPUP, (UINT_PTR)hForeign, "foreign");

    EXPECT_EQ(AfxFindPopupMenuFromID(&root, 101), &root);
    EXPECT_EQ(AfxFindPopupMenuFromID(&root, 301), &owned);  // below a menu no object owns
    EXPECT_EQ(AfxFindPopupMenuFromID(&root, 401), nullptr);  // held only by a foreign menu
    EXPECT_EQ(AfxFindPopupMenuFromID(&root, 999), nullptr);
    // A popup item's id is its submenu handle; the holder is the menu the item sits in.
    EXPECT_EQ(AfxFindPopupMenuFromID(&root, (UINT)(UINT_PTR)hForeign), &root);

    // root destroys hForeign and owned's menu with it; owned must not destroy it again.
    owned.Detach();
}

// Owner-drawn popup recording what reached it.
class COwnerMenu : public CMenu
{
public:
    std::vector<UINT> m_measured;
    std::vector<UINT> m_drawn;
    int m_wrongMenu = 0;
    int m_notTracking = 0;

    void MeasureItem(LPMEASUREITEMSTRUCT p) override
    {
        m_measured.push_back(p->itemID);
        p->itemWidth = 120;
        p->itemHeight = 22;
        if (AfxGetTrackingMenu() == nullptr)
            ++m_notTracking;
    }
    void DrawItem(LPDRAWITEMSTRUCT p) override
    {
        m_drawn.push_back(p->itemID);
        if ((HMENU)p->hwndItem != m_hMenu)
            ++m_wrongMenu;
        CDC* pDC = CDC::FromHandle(p->hDC);
        pDC->FillSolidRect(&p->rcItem, (p->itemState & ODS_SELECTED) ? RGB(0, 0, 200) : RGB(220, 220, 220));
    }
};

// Thread-timer driver: ends the menu once cond() holds, or after a time-out.
struct MenuEnder {
    static std::function<bool()> s_cond;
    static std::function<void()> s_step;
    static DWORD s_start;
    static UINT_PTR s_timer;
    static bool s_timedOut;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_step)
            s_step();
        bool done = s_cond();
        if (!done && ::GetTickCount() - s_start < 5000)
            return;
        s_timedOut = !done;
        ::KillTimer(nullptr, s_timer);
        s_timer = 0;
        ::EndMenu();
    }
    static void Arm(std::function<bool()> cond, std::function<void()> step = nullptr)
    {
        s_cond = std::move(cond);
        s_step = std::move(step);
        s_start = ::GetTickCount();
        s_timedOut = false;
        s_timer = ::SetTimer(nullptr, 0, 20, Tick);
    }
};
std::function<bool()> MenuEnder::s_cond;
std::function<void()> MenuEnder::s_step;
DWORD MenuEnder::s_start = 0;
UINT_PTR MenuEnder::s_timer = 0;
bool MenuEnder::s_timedOut = false;

// A visible popup owning the tracked menus, in front so the menu loop gets the keyboard.
struct COwnerWnd : CWnd {
    COwnerWnd()
    {
        CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr);
        SetForegroundWindow();
    }
};

TEST(AfxMenu, OwnerDrawnPopupItemsReachTheirMenuObjectWhileTracked)
{
    COwnerWnd owner;
    ASSERT_NE(owner.m_hWnd, nullptr);

    // The first tracking lets the system make its menu fonts and brushes; the second must
    // leave the GDI object count where it found it.
    int gdiDelta = 0;
    for (int round = 0; round < 2; ++round) {
        lumotest::GdiBalance gdi;
        COwnerMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendMenu(MF_OWNERDRAW, 501, (LPCTSTR)(UINT_PTR)1);
        menu.AppendMenu(MF_OWNERDRAW, 502, (LPCTSTR)(UINT_PTR)2);

        MenuEnder::Arm([&] { return menu.m_drawn.size() >= 2; });
        BOOL result = menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                                          150, 150, &owner);
        EXPECT_FALSE(MenuEnder::s_timedOut);
        EXPECT_EQ(result, 0);  // ended without a choice
        EXPECT_EQ(AfxGetTrackingMenu(), nullptr);  // restored after tracking

        EXPECT_EQ(menu.m_measured, (std::vector<UINT>{501, 502}));
        ASSERT_GE(menu.m_drawn.size(), 2u);
        EXPECT_EQ(std::vector<UINT>(menu.m_drawn.begin(), menu.m_drawn.begin() + 2), (std::vector<UINT>{501, 502}));
        EXPECT_EQ(menu.m_wrongMenu, 0);
        EXPECT_EQ(menu.m_notTracking, 0);
        menu.DestroyMenu();
        lumotest::PumpPending();
        AfxDeleteTempMaps();
        gdiDelta = gdi.Delta();
    }
    EXPECT_EQ(gdiDelta, 0);
    owner.DestroyWindow();
    AfxDeleteTempMaps();
}

TEST(AfxMenu, OwnerDrawnSubmenuItemsReachTheSubmenuObject)
{
    COwnerWnd owner;
    ASSERT_NE(owner.m_hWnd, nullptr);

    COwnerMenu root, sub;
    ASSERT_TRUE(root.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_OWNERDRAW, 601, (LPCTSTR)(UINT_PTR)1);
    sub.AppendMenu(MF_OWNERDRAW, 602, (LPCTSTR)(UINT_PTR)2);
    root.AppendMenu(MF_POPUP | MF_OWNERDRAW, (UINT_PTR)sub.GetSafeHmenu(), (LPCTSTR)(UINT_PTR)3);
    root.AppendMenu(MF_OWNERDRAW, 503, (LPCTSTR)(UINT_PTR)4);

    // Once the root is drawn, select its first item and open the submenu with the keyboard.
    bool keysSent = false;
    MenuEnder::Arm([&] { return sub.m_drawn.size() >= 2; },
                   [&] {
                       if (!keysSent && root.m_drawn.size() >= 2) {
                           keysSent = true;
                           lumotest::PostKey(owner.m_hWnd, VK_DOWN);
                           lumotest::PostKey(owner.m_hWnd, VK_RIGHT);
                       }
                   });
    root.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, 150, 150, &owner);
    EXPECT_FALSE(MenuEnder::s_timedOut);

    // The popup item is measured by the menu it sits in; the submenu's items by the submenu.
    EXPECT_EQ(root.m_measured, (std::vector<UINT>{(UINT)(UINT_PTR)sub.GetSafeHmenu(), 503}));
    EXPECT_EQ(sub.m_measured, (std::vector<UINT>{601, 602}));
    EXPECT_GE(sub.m_drawn.size(), 2u);
    EXPECT_EQ(root.m_wrongMenu + sub.m_wrongMenu, 0);

    // root destroys the submenu's handle; sub must not destroy it again.
    sub.Detach();
    owner.DestroyWindow();
    AfxDeleteTempMaps();
}

}  // namespace
