// Menus: handle ownership, and owner-drawn popups routed to their CMenu while tracked (the menu
// loop is ended from a thread timer once the items have been drawn).
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
        EXPECT_EQ(CMenu::FromHandlePermanent(hOwned), &menu);
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

    // Attach takes ownership, Detach gives it back.
    {
        CMenu menu;
        ASSERT_TRUE(menu.Attach(hSub));
        EXPECT_EQ(menu.Detach(), hSub);
        EXPECT_EQ(CMenu::FromHandlePermanent(hSub), nullptr);
    }
    EXPECT_TRUE(::IsMenu(hSub));
    ::DestroyMenu(hSub);

    CMenu empty;
    EXPECT_FALSE(empty.DestroyMenu());
    EXPECT_FALSE(empty.Attach(nullptr));
    EXPECT_EQ(CMenu::FromHandle(nullptr), nullptr);
    EXPECT_EQ(empty.GetSubMenu(0), nullptr);
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

// The popup item is measured by the menu it sits in, the submenu's items by the submenu.
TEST(AfxMenu, OwnerDrawnItemsReachTheirMenuObjectsWhileTracked)
{
    CWnd owner;  // a visible popup in front, so that the menu loop gets the keyboard
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 100, 100,
                               200, 100, nullptr, nullptr));
    owner.SetForegroundWindow();
    COwnerMenu root, sub;
    ASSERT_TRUE(root.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_OWNERDRAW, 601, (LPCTSTR)(UINT_PTR)1);
    sub.AppendMenu(MF_OWNERDRAW, 602, (LPCTSTR)(UINT_PTR)2);
    root.AppendMenu(MF_POPUP | MF_OWNERDRAW, (UINT_PTR)sub.GetSafeHmenu(), (LPCTSTR)(UINT_PTR)3);
    root.AppendMenu(MF_OWNERDRAW, 503, (LPCTSTR)(UINT_PTR)4);

    // From a thread timer (the menu loop dispatches it): open the submenu with the keyboard once
    // the root is drawn, end the menu once the submenu is; give up after about five seconds.
    lumotest::ModalDriver driver;
    bool keysSent = false;
    int ticksLeft = 250;
    std::function<void()> tick = [&] {
        if (!keysSent && root.m_drawn.size() >= 2) {
            keysSent = true;
            lumotest::PostKey(owner.m_hWnd, VK_DOWN);
            lumotest::PostKey(owner.m_hWnd, VK_RIGHT);
        }
        if (sub.m_drawn.size() >= 2 || --ticksLeft == 0)
            ::EndMenu();
        else
            driver.After(20, tick);
    };
    driver.After(20, tick);
    EXPECT_EQ(root.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, 150, 150, &owner),
              0);  // ended without a choice
    EXPECT_EQ(AfxGetTrackingMenu(), nullptr);  // restored after tracking
    const UINT popupId = (UINT)(UINT_PTR)sub.GetSafeHmenu();
    EXPECT_EQ(root.m_measured, (std::vector<UINT>{popupId, 503}));
    EXPECT_EQ(sub.m_measured, (std::vector<UINT>{601, 602}));
    ASSERT_GE(root.m_drawn.size(), 2u);
    EXPECT_EQ(std::vector<UINT>(root.m_drawn.begin(), root.m_drawn.begin() + 2),
              (std::vector<UINT>{popupId, 503}));
    EXPECT_GE(sub.m_drawn.size(), 2u);
    EXPECT_EQ(root.m_wrongMenu + sub.m_wrongMenu, 0);
    EXPECT_EQ(root.m_notTracking + sub.m_notTracking, 0);
    sub.Detach();  // root destroys the submenu's handle; sub must not destroy it again
    owner.DestroyWindow();
}

}  // namespace
