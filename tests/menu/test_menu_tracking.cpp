// Popup menus tracked without a person: keys posted to the owner and EndMenu from a thread
// timer choose or cancel, and the menu window is read while it is open. A host written in C
// and a framework host get the same menu from the flat family.
#include "DestroyInNotify.h"
#include "MenuTestUtil.h"
#include "MenuProbe.h"
#include "SessionRun.h"
#include "lumo.h"
#include "CUtilityVisual.h"

#include <algorithm>
#include <utility>
#include <string>

using namespace lumotest;
using namespace menutest;

namespace {

// A and B on top, B opening a submenu holding C.
void AddABC(CMenuPopEx& menu) {
    menu.SetItem(1, "A", 0);
    menu.SetItem(2, "B", 0);
    menu.SetItem(3, "C", 2);
}

// Keys posted to the owner choose a command in a submenu, in either drawing mode, or none.
TEST(MenuTracking, KeysAndMnemonicsChooseTheRightCommandInEveryLevel) {
    HostWindow owner;
    for (int drawMode : {2, 0}) {
        TestMenu menu(owner, drawMode);
        AddABC(menu);
        MenuSteps steps({MenuShown, Keys(owner, {VK_DOWN, VK_DOWN, VK_RIGHT}), Levels(2), Keys(owner, {VK_RETURN})});
        EXPECT_EQ(menu.Popup(100, 100), 3) << drawMode;
        EXPECT_TRUE(steps.Done());
        EXPECT_EQ(menu.ShowAndClose(), 0) << drawMode;
    }
    // Levels share provisional ids (each level's first submenu item is -9): the letters open
    // "Beta", then its "Echo", then pick "Golf", across three levels.
    TestMenu menu(owner);
    const struct { int id; const char* text; int parent; } items[] = {
        {10, "&Alpha", 0}, {20, "&Beta", 0}, {11, "&Cyan", 10}, {12, "&Dark", 10}, {111, "c1", 11},
        {121, "d1", 12},  {21, "&Echo", 20}, {22, "&Fox", 20}, {211, "&Golf", 21}, {221, "f1", 22}};
    for (const auto& it : items) menu.SetItem(it.id, it.text, it.parent);
    MenuSteps steps({MenuShown, Keys(owner, {'B'}), Levels(2), Keys(owner, {'E'}), Levels(3), Keys(owner, {'G'})});
    EXPECT_EQ(menu.Popup(50, 50), 211);
    EXPECT_TRUE(steps.Done());
}

// An item menu's letters: one below a separator opens its submenu, whose letter picks a command.
TEST(MenuTracking, LetterOpensSubmenuBelowASeparator) {
    HostWindow owner;
    TestMenu menu(owner);
    const struct { int id; const char* text; int parent; } entries[] = {
        {1, "&Open", 0}, {0, "-", 0}, {2, "&Favourite", 0}, {3, "&Send to", 0}, {31, "&Mail recipient", 3},
        {32, "&Printer", 3}, {0, "-", 0}, {4, "De&lete", 0}};
    for (const auto& it : entries) menu.SetItem(it.id, it.text, it.parent);
    MenuSteps send({MenuShown, Keys(owner, {'S'}), Levels(2), Keys(owner, {'P'})});
    EXPECT_EQ(menu.Popup(60, 60), 32);
    EXPECT_TRUE(send.Done());
}

// As in the system's menus: the keyboard passes over a separator and stops on a greyed item,
// which shows the selection's edge; a click on either leaves the menu open.
TEST(MenuTracking, SeparatorsAreNeverSelectedAndGreyedItemsShowTheSelectionsEdge) {
    HostWindow owner;
    const COLORREF edge = CUtilityVisual::Hilight(0x70E2F7, -30);
    auto build = [](TestMenu& menu) {
        menu.SetItem(1, "One", 0);
        menu.SetItem(0, "-", 0);
        menu.SetItem(2, "Greyed", 0);
        menu.SetItem(3, "Three", 0);
        menu.SetEnable(2, 0);
    };
    {
        // The greyed item's pixels as the menu window holds them once two keys reached it.
        COLORREF top = 0, bottom = 0, inside = 0, column = 0;
        TestMenu menu(owner);
        build(menu);
        MenuSteps keys({MenuShown, Keys(owner, {VK_DOWN, VK_DOWN}),
                        [&] {
                            HWND wnd = OpenMenus().front();
                            RECT rc = ItemOnScreen(menu.Root()->GetSafeHmenu(), 2);
                            MapWindowPoints(nullptr, wnd, (POINT*)&rc, 2);
                            const auto px = MenuPixels(wnd);
                            const int mid = (rc.left + rc.right) / 2;
                            top = px->At(mid, rc.top), bottom = px->At(mid, rc.bottom - 1);
                            inside = px->At(rc.right - 3, rc.top + 2), column = px->At(rc.left + 3, rc.top + 2);
                            return true;
                        },
                        Keys(owner, {VK_DOWN, VK_RETURN})});
        EXPECT_EQ(menu.Popup(100, 100), 3);
        EXPECT_TRUE(keys.Done());
        EXPECT_EQ(top, edge);
        EXPECT_EQ(bottom, edge);
        EXPECT_EQ(inside, 0xF5F5F5u) << "the edge alone, no fill";
        EXPECT_EQ(column, 0xEAEAEAu);
    }
    // Clicks on the separator and on the greyed item; the menu is still open after each.
    TestMenu menu(owner);
    build(menu);
    auto click = [&](int pos) {
        return [&, pos] {
            const RECT rc = ItemOnScreen(menu.Root()->GetSafeHmenu(), pos);
            PostClickAt(owner, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
            return true;
        };
    };
    MenuSteps clicks({MenuShown, click(1), Levels(1), click(2), Levels(1), click(3)});
    EXPECT_EQ(menu.Popup(100, 100), 3);
    EXPECT_TRUE(clicks.Done());
}

// Texts with a tab, given through the flat family, show their shortcut right-aligned.
TEST(PopMenu, TextAfterATabIsShownAsARightAlignedShortcut) {
    HostWindow owner;
    HPOPMENU menu = PopMenu_New(owner);
    PopMenu_SetItem(menu, 1, "&Find\tCtrl+F", 0);
    PopMenu_SetItem(menu, 2, "Replace", 0);
    int differs = -1;
    MenuSteps steps({MenuShown, [&] {
        HWND wnd = OpenMenus().front();
        RECT rc = ItemOnScreen((HMENU)SendMessageA(wnd, MN_GETHMENU, 0, 0), 0);
        MapWindowPoints(nullptr, wnd, (POINT*)&rc, 2);
        differs = TextColumnDiffers(*MenuPixels(wnd), rc, 24, "&Find", "Ctrl+F", 0);
        return true;
    }});
    EXPECT_EQ(PopMenu_Popxy(menu, 100, 100), 0);
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(differs, 0);
}

// An icon sets the picture column by its width, a monochrome one (mask and image stacked) as a
// colour one of the same size, and leaves nothing behind once the menu is popped.
TEST(PopMenu, IconsOfOneSizeGetOneColumnAndLeaveNothingBehind) {
    HostWindow owner;
    HICON colour = SolidIcon(RGB(200, 40, 40), 32);
    std::vector<BYTE> andBits(32 * 32 / 8, 0x00), xorBits(32 * 32 / 8, 0xFF);
    HICON mono = CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andBits.data(), xorBits.data());
    ASSERT_TRUE(colour && mono);
    LONG widths[2] = {};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(LeaksOf([&] {
                      HPOPMENU menu = PopMenu_New(owner);
                      PopMenu_SetItem(menu, 1, "One", 0);
                      PopMenu_SetIcon(menu, 1, i ? mono : colour);
                      RECT rc = {};
                      MenuSteps steps({[&] { return MenuShown() && GetWindowRect(OpenMenus()[0], &rc); }});
                      PopMenu_Popxy(menu, 100, 100);
                      widths[i] = rc.right - rc.left;
                  }),
                  Leaks{});
    }
    EXPECT_GT(widths[0], 44);
    EXPECT_EQ(widths[0], widths[1]);
    DestroyIcon(colour);
    DestroyIcon(mono);
}

TEST(MenuTracking, OpensAtThePointTheCursorOrBelowTheButton) {
    HostWindow owner;
    HWND button = CreateWindowExA(0, "BUTTON", "Menu", WS_POPUP | WS_VISIBLE, 100, 200, 80, 24, owner, nullptr,
                                  nullptr, nullptr);
    SetCursorPos(300, 200);
    const struct { int x, y; bool button; LONG left, top; } cases[] = {
        {0, 5, false, 0, 5}, {0, 0, false, 300, 200}, {150, 120, false, 150, 120}, {0, 0, true, 100, 224}};
    for (const auto& c : cases) {
        RECT rc = {};
        MenuSteps steps({[&] { return MenuShown() && GetWindowRect(OpenMenus()[0], &rc); }});
        HPOPMENU menu = PopMenu_New(owner);
        PopMenu_SetItem(menu, 1, "One", 0);
        EXPECT_EQ(c.button ? PopMenu_PopButton(menu, button) : PopMenu_Popxy(menu, c.x, c.y), 0);
        EXPECT_TRUE(rc.left == c.left && rc.top == c.top) << c.x << "," << c.y << ": " << rc.left << "," << rc.top;
    }
    DestroyWindow(button);
}

// A level holds at most 42 owner-drawn submenus; the items beyond are plain commands.
TEST(MenuTracking, SubmenusBeyondWhatALevelHoldsAreRefused) {
    HostWindow owner;
    TestMenu menu(owner);
    for (int i = 1; i <= 45; ++i) {
        menu.SetItem(i, "Item", 0);
        menu.SetItem(100 + i, "inner", i);
    }
    menu.ShowAndClose(0, 0);
    HMENU root = menu.Root()->GetSafeHmenu();
    ASSERT_EQ(GetMenuItemCount(root), 45);
    for (int i = 0; i < 45; ++i)
        EXPECT_TRUE(i < 42 ? GetSubMenu(root, i) != nullptr : GetMenuItemID(root, i) == UINT(i + 1)) << i;
}

// A host may end the owner of a PopMenu_* menu, or delete a menu object of its own, from inside
// each message the open menu sends the owner: entering idle, a selection, the end of the loop.
TEST(MenuTracking, HostMayEndTheOwnerOrTheMenuFromInsideEachMessage) {
    TestMenu* menu = nullptr;
    auto open = [](HWND owner, const std::function<int()>& pop) {
        MenuSteps steps({MenuShown, Keys(owner, {VK_DOWN, VK_DOWN, VK_RIGHT}), Levels(2), Keys(owner, {VK_RETURN})});
        pop();
    };
    // The flat family's menu for the host, which ends itself.
    auto host = [](HWND h) { return h; };
    auto popFlat = [&](HWND owner) {
        HPOPMENU flat = PopMenu_New(owner);
        PopMenu_SetItem(flat, 1, "A", 0);
        PopMenu_SetItem(flat, 2, "B", 0);
        PopMenu_SetItem(flat, 3, "C", 2);
        open(owner, [&] { return PopMenu_Popxy(flat, 100, 100); });
    };
    // A menu object of the host's, which deletes it; a window of the host's stands for it.
    auto object = [&](HWND owner) {
        AddABC(*(menu = new OnOwnPages<TestMenu>(owner)));
        return CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, owner, nullptr, nullptr, nullptr);
    };
    auto popObject = [&](HWND standIn) {
        open(GetParent(standIn), [&] { return menu->Popup(100, 100); });
        if (IsWindow(standIn)) delete std::exchange(menu, nullptr);
    };
    auto deleteMenu = [&](HWND standIn) {
        delete std::exchange(menu, nullptr);
        DestroyWindow(standIn);
    };
    std::vector<NotifyCase> cases;
    for (UINT msg : {WM_ENTERIDLE, WM_MENUSELECT, WM_EXITMENULOOP}) {
        auto is = [msg](HWND, UINT m, WPARAM, LPARAM) { return m == msg; };
        cases.push_back({MessageName(msg) + ", owner ended", host, popFlat, is});
        cases.push_back({MessageName(msg) + ", menu deleted", object, popObject, is, deleteMenu});
    }
    ExpectDestroyInNotifyIsSafe(cases);
}

TEST(PopMenu, UnknownHandlesAreRefusedAndAPoppedHandleIsSpent) {
    int garbage = 0;
    for (HPOPMENU h : {HPOPMENU(nullptr), HPOPMENU(&garbage)}) {
        PopMenu_SetItem(h, 1, "x", 0);
        PopMenu_SetIcon(h, 1, nullptr);
        PopMenu_SetCheck(h, 1, 1);
        PopMenu_SetEnable(h, 1, 0);
        PopMenu_SetScaleMode(h, 1);
        EXPECT_EQ(PopMenu_Pop(h) + PopMenu_Popxy(h, 1, 1) + PopMenu_PopButton(h, nullptr), -3);
    }
    // An owner that is not a window makes no menu.
    HWND gone = CreateHostWindow(10, 10, false);
    DestroyWindow(gone);
    for (HWND bad : {HWND(nullptr), gone}) EXPECT_EQ(PopMenu_New(bad), nullptr);
    HostWindow owner;
    HPOPMENU menu = PopMenu_New(owner);
    PopMenu_SetItem(menu, 7, "Seven", 0);
    PopMenu_SetItem(menu, 0, "refused", 0);
    int nested = 0;
    MenuSteps steps({MenuShown, [&] { return (nested = PopMenu_Pop(menu)) != 0; }, Keys(owner, {VK_DOWN, VK_RETURN})});
    EXPECT_EQ(PopMenu_Popxy(menu, 60, 60), 7);
    EXPECT_EQ(nested, -1);  // spent as soon as it pops
    EXPECT_EQ(PopMenu_Pop(menu), -1);
}

// The probe's menu for a plain and a framework window of this process and for a plain window
// of a host written in C: the same levels, pixels and result.
TEST(PopMenu, PlainCHostAndFrameworkHostGetTheSameMenu) {
    const PopMenuApi api = {PopMenu_New, PopMenu_SetItem, PopMenu_SetIcon, PopMenu_SetCheck, PopMenu_SetEnable,
                            PopMenu_Popxy};
    char plain[1024], framework[1024];
    HostWindow owner;
    EXPECT_EQ(ProbePopMenu(&api, owner, 300, 300, plain, sizeof plain), 32);
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "framework host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               CRect(0, 0, 200, 100), nullptr, 0));
    EXPECT_EQ(ProbePopMenu(&api, frame, 300, 300, framework, sizeof framework), 32);
    frame.DestroyWindow();
    EXPECT_STREQ(plain, framework);
    EXPECT_EQ(std::count(plain, plain + strlen(plain), '\n'), 2) << plain;  // both levels seen

    std::string output;
    DWORD exitCode = 1;
    ASSERT_TRUE(gallerytest::RunProcess("\"" + ModuleDir() + "\\menu_c_host.exe\" 300 300", &output, &exitCode, 60000));
    output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());
    // The library freed with the hook on took it along: the system's menus open untouched.
    EXPECT_EQ(output, std::string(plain) + "result 32\n" +
                          "shadow while loaded 1, library unloaded 1, shadow after unloading 0\n");
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
