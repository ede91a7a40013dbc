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
        EXPECT_EQ(menu.GetMenuItemCount(), 2u);
        CString text;
        EXPECT_EQ(menu.GetMenuString(10, text, MF_BYCOMMAND), 4);
        EXPECT_STREQ((LPCTSTR)text, "&Ten");

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
    EXPECT_EQ(empty.GetMenuItemCount(), (UINT)-1);
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
        CDC::FromHandle(p->hDC)->FillSolidRect(&p->rcItem, RGB(220, 220, 220));
    }
};

// Ends the tracked menu once done() holds, checked from a thread timer (the menu loop
// dispatches it) after step() has run; gives up after about five seconds.
void EndMenuWhen(lumotest::ModalDriver& driver, std::function<bool()> done,
                 std::function<void()> step = [] {}, int ticksLeft = 250)
{
    driver.After(20, [=, &driver] {
        step();
        if (done() || ticksLeft == 0)
            ::EndMenu();
        else
            EndMenuWhen(driver, done, step, ticksLeft - 1);
    });
}

// A visible popup owning the tracked menus, in front so the menu loop gets the keyboard.
struct COwnerWnd : CWnd {
    COwnerWnd()
    {
        CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100,
                 nullptr, nullptr);
        SetForegroundWindow();
    }
};

TEST(AfxMenu, OwnerDrawnItemsReachTheirMenuObjectsWhileTracked)
{
    COwnerWnd owner;
    ASSERT_NE(owner.m_hWnd, nullptr);

    // A plain popup, twice: the first tracking lets the system make its menu fonts and brushes;
    // the second must leave the GDI object count where it found it.
    int gdiDelta = 0;
    for (int round = 0; round < 2; ++round) {
        lumotest::GdiBalance gdi;
        lumotest::ModalDriver driver;
        COwnerMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendMenu(MF_OWNERDRAW, 501, (LPCTSTR)(UINT_PTR)1);
        menu.AppendMenu(MF_OWNERDRAW, 502, (LPCTSTR)(UINT_PTR)2);

        EndMenuWhen(driver, [&] { return menu.m_drawn.size() >= 2; });
        EXPECT_EQ(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, 150, 150,
                                      &owner), 0);  // ended without a choice
        EXPECT_EQ(AfxGetTrackingMenu(), nullptr);  // restored after tracking
        EXPECT_EQ(menu.m_measured, (std::vector<UINT>{501, 502}));
        ASSERT_GE(menu.m_drawn.size(), 2u);
        EXPECT_EQ(std::vector<UINT>(menu.m_drawn.begin(), menu.m_drawn.begin() + 2),
                  (std::vector<UINT>{501, 502}));
        EXPECT_EQ(menu.m_wrongMenu, 0);
        EXPECT_EQ(menu.m_notTracking, 0);
        menu.DestroyMenu();
        lumotest::PumpPending();
        AfxDeleteTempMaps();
        gdiDelta = gdi.Delta();
    }
    EXPECT_EQ(gdiDelta, 0);

    // A submenu: the popup item is measured by the menu it sits in, the submenu's items by the
    // submenu, opened with the keyboard once the root is drawn.
    COwnerMenu root, sub;
    ASSERT_TRUE(root.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_OWNERDRAW, 601, (LPCTSTR)(UINT_PTR)1);
    sub.AppendMenu(MF_OWNERDRAW, 602, (LPCTSTR)(UINT_PTR)2);
    root.AppendMenu(MF_POPUP | MF_OWNERDRAW, (UINT_PTR)sub.GetSafeHmenu(), (LPCTSTR)(UINT_PTR)3);
    root.AppendMenu(MF_OWNERDRAW, 503, (LPCTSTR)(UINT_PTR)4);
    lumotest::ModalDriver driver;
    bool keysSent = false;
    EndMenuWhen(driver, [&] { return sub.m_drawn.size() >= 2; }, [&] {
        if (!keysSent && root.m_drawn.size() >= 2) {
            keysSent = true;
            lumotest::PostKey(owner.m_hWnd, VK_DOWN);
            lumotest::PostKey(owner.m_hWnd, VK_RIGHT);
        }
    });
    root.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, 150, 150, &owner);
    EXPECT_EQ(root.m_measured, (std::vector<UINT>{(UINT)(UINT_PTR)sub.GetSafeHmenu(), 503}));
    EXPECT_EQ(sub.m_measured, (std::vector<UINT>{601, 602}));
    EXPECT_GE(sub.m_drawn.size(), 2u);
    EXPECT_EQ(root.m_wrongMenu + sub.m_wrongMenu, 0);
    sub.Detach();  // root destroys the submenu's handle; sub must not destroy it again
}

}  // namespace
