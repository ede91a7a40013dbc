// Menus: handle ownership, and owner-drawn items routed to their CMenu while tracked.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <functional>
#include <vector>
#include "LumoTest.h"

namespace {

TEST(AfxMenu, OwnedMenusAreDestroyedAndTemporariesAreNot)
{
    HMENU hOwned = nullptr;
    HMENU hSub = ::CreatePopupMenu();
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hOwned = menu.GetSafeHmenu();
        EXPECT_EQ(CMenu::FromHandle(hOwned), &menu);
        EXPECT_TRUE(menu.AppendMenu(MF_STRING, 10, "&Ten"));
        EXPECT_TRUE(menu.AppendMenu(MF_POPUP, (UINT_PTR)hSub, "Sub"));

        // The submenu comes back as a temporary wrapper; no submenu gives null.
        CMenu* pSub = menu.GetSubMenu(1);
        ASSERT_NE(pSub, nullptr);
        EXPECT_EQ(pSub->GetSafeHmenu(), hSub);
        EXPECT_EQ(CMenu::FromHandlePermanent(hSub), nullptr);
        EXPECT_EQ(menu.GetSubMenu(0), nullptr);
        AfxDeleteTempMaps();
        EXPECT_TRUE(::IsMenu(hSub));
        EXPECT_TRUE(menu.RemoveMenu(1, MF_BYPOSITION));  // hands the submenu back to us
    }
    EXPECT_FALSE(::IsMenu(hOwned));
    EXPECT_TRUE(::IsMenu(hSub));

    CMenu empty;
    EXPECT_FALSE(empty.DestroyMenu());
    EXPECT_FALSE(empty.Attach(nullptr));
    EXPECT_EQ(AfxFindPopupMenuFromID(nullptr, 1), nullptr);
    // Attach takes ownership, Detach gives it back.
    ASSERT_TRUE(empty.Attach(hSub));
    EXPECT_EQ(empty.Detach(), hSub);
    EXPECT_EQ(CMenu::FromHandlePermanent(hSub), nullptr);
    EXPECT_FALSE(empty.DestroyMenu());
    EXPECT_TRUE(::DestroyMenu(hSub));
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
        CDC::FromHandle(p->hDC)->FillSolidRect(&p->rcItem, RGB(220, 220, 220));
    }
};

// The items are measured by the menu being tracked and drawn by the menu holding them; where a
// submenu's items go is AfxFindPopupMenuFromID's part, checked above.
TEST(AfxMenu, OwnerDrawnItemsReachTheirMenuObjectWhileTracked)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 100, 100,
                               200, 100, nullptr, nullptr));
    COwnerMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_OWNERDRAW, 501, (LPCTSTR)(UINT_PTR)1);
    menu.AppendMenu(MF_OWNERDRAW, 502, (LPCTSTR)(UINT_PTR)2);

    // The menu loop dispatches thread timers: end it once both items are drawn, or after about
    // five seconds.
    lumotest::ModalDriver driver;
    int ticksLeft = 250;
    std::function<void()> tick = [&] {
        if (menu.m_drawn.size() >= 2 || --ticksLeft == 0)
            ::EndMenu();
        else
            driver.After(20, tick);
    };
    driver.After(20, tick);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, 150, 150, &owner),
              0);  // ended without a choice
    EXPECT_EQ(AfxGetTrackingMenu(), nullptr);  // restored after tracking
    EXPECT_EQ(menu.m_measured, (std::vector<UINT>{501, 502}));
    EXPECT_GE(menu.m_drawn.size(), 2u);
    EXPECT_EQ(menu.m_wrongMenu, 0);
    EXPECT_EQ(menu.m_notTracking, 0);
    owner.DestroyWindow();
}

}  // namespace
