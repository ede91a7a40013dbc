// Every control in the system colours of its role, read back from the screen after the colours
// changed (SetSysColors and WM_SYSCOLORCHANGE, as the system announces them) without any repaint
// of the test's own; and back in the library's palette.
#include "LumoTest.h"
#include "SystemColours.h"
#include "MenuTestUtil.h"
#include "lumo.h"
#include "CButtonXP.h"
#include "CHyperLinkStatic.h"
#include "CMySlideCtrl.h"
#include "CProgressCtrlEx.h"
#include "CSpecGroupBox.h"
#include "CTabCtrlEx.h"

using namespace lumotest;

namespace {

// A host that is a framework window too, so owner drawing is reflected to the controls.
struct LookHost : HostWindow {
    LookHost(int w, int h) : HostWindow(w, h) { wnd.SubclassWindow(Hwnd()); }
    ~LookHost() { wnd.UnsubclassWindow(); }
    CWnd wnd;
};

void GuiFontOf(HWND hwnd) { SendMessageA(hwnd, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE); }

// The library's own look for the tabs, whatever the themes, for one test.
struct OwnLook {
    OwnLook() { Lumo_UseOwnLook(1); }
    ~OwnLook() { Lumo_UseOwnLook(0); }
};

}  // namespace

// The small controls, the XP buttons, a frame set and a tree: made while the library already
// uses system colours (high contrast seen on, the default mode), then the system colours change.
TEST(SystemColours, EveryControlRepaintsInTheRoleColoursWhenTheyChange) {
    ParkCursor();
    OwnLook own;
    HighContrastSeen contrast(true);
    LookHost host(520, 260);
    CTabCtrlEx tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 250, 90), &host.wnd, 1));
    GuiFontOf(tabs);
    for (const char* name : {"One", "Two"}) tabs.InsertItem(tabs.GetItemCount(), name);
    tabs.SetCurSel(0);
    CHyperLinkStatic link;
    ASSERT_TRUE(link.Create("Lumo link", WS_CHILD | WS_VISIBLE, CRect(260, 10, 400, 30), &host.wnd, 2));
    GuiFontOf(link);
    CSpecGroupBox box;
    ASSERT_TRUE(box.Create("Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(260, 40, 500, 140), &host.wnd, 3));
    GuiFontOf(box);
    CMySlideCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 100, 250, 140), &host.wnd, 4));
    slider.SetRange(0, 100);
    slider.SetPos(50);
    CProgressCtrlEx bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 150, 250, 174), &host.wnd, 5));
    bar.SetRange(0, 100);
    bar.SetPos(40);
    CButtonXP push, check;
    ASSERT_TRUE(push.Create("Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 190, 100, 216), &host.wnd, 6));
    ASSERT_TRUE(check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(110, 190, 200, 216), &host.wnd, 7));
    GuiFontOf(push);
    GuiFontOf(check);
    check.SetCheck(BST_CHECKED);
    HostWindow setHost(300, 200);
    SetWindowPos(setHost, nullptr, 620, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND tree = Tree_new(setHost, 0, 0, 10, 10, 0);
    ASSERT_NE(tree, nullptr);
    HFRAMESET set = Frameset_new(setHost);
    ASSERT_EQ(Frame_add(set, "a", "", 0, tree, "100%"), 1);
    Frame_SetTitle(set, "a", "Frame");
    ASSERT_EQ(Frameset_SetStyle(set, 1), 1);
    Frameset_SetOuterBorder(set, 0, 0, 0, 0);
    PumpPending();

    const std::vector<COLORREF> c = SysColours::Contrast();
    auto role = [&](int index) { return SysColours::Of(c, index); };
    SysColours colours(c);
    PumpPending();

    {
        WindowCapture cap(tabs, CaptureMode::ScreenClient);
        for (int i = 0; i < 2; ++i) {
            CRect rc;
            tabs.GetItemRect(i, &rc);
            EXPECT_EQ(cap.At(rc.left + 3, rc.top + 3), role(COLOR_BTNFACE)) << "tab " << i;
            EXPECT_GT(cap.CountColor(role(COLOR_BTNTEXT), rc), 5) << "tab " << i;
        }
    }
    EXPECT_GT(WindowCapture(link, CaptureMode::ScreenClient).CountColor(role(COLOR_HOTLIGHT)), 10);
    {
        WindowCapture cap(box, CaptureMode::ScreenClient);
        EXPECT_EQ(cap.At(200, 10), role(COLOR_BTNFACE));
        EXPECT_EQ(cap.At(120, 19), role(COLOR_WINDOWFRAME));
        EXPECT_EQ(cap.At(120, 99), role(COLOR_WINDOWFRAME));
        EXPECT_GT(cap.CountColor(role(COLOR_BTNTEXT), CRect(0, 0, 240, 19)), 5);
    }
    {
        WindowCapture cap(slider, CaptureMode::ScreenClient);
        EXPECT_EQ(cap.At(1, 1), role(COLOR_BTNFACE));
        EXPECT_GT(cap.CountColor(role(COLOR_HIGHLIGHT)), 20);
        EXPECT_GT(cap.CountColor(role(COLOR_WINDOW)), 20);
        EXPECT_GT(cap.CountColor(role(COLOR_WINDOWFRAME)), 20);
    }
    {
        WindowCapture cap(bar, CaptureMode::ScreenClient);
        EXPECT_EQ(cap.At(20, 12), role(COLOR_HIGHLIGHT));
        EXPECT_EQ(cap.At(cap.Width() - 20, 12), role(COLOR_WINDOW));
    }
    {
        WindowCapture cap(push, CaptureMode::ScreenClient);
        EXPECT_EQ(cap.At(45, 0), role(COLOR_WINDOWFRAME));
        EXPECT_EQ(cap.At(10, 13), role(COLOR_BTNFACE));
        EXPECT_GT(cap.CountColor(role(COLOR_BTNTEXT)), 5);
    }
    {
        WindowCapture cap(check, CaptureMode::ScreenClient);
        const int top = (cap.Height() - 13) / 2;
        EXPECT_EQ(cap.At(0, top + 6), role(COLOR_WINDOWFRAME));
        EXPECT_EQ(cap.At(1, top + 1), role(COLOR_WINDOW));
        EXPECT_GT(cap.CountColor(role(COLOR_WINDOWTEXT), CRect(0, top, 13, top + 13)), 5);
        EXPECT_EQ(cap.At(cap.Width() - 2, 2), role(COLOR_BTNFACE));
    }
    {
        // The frame's title box on the rule above the tree, the tree in the pane colour.
        WindowCapture cap(setHost, CaptureMode::ScreenClient);
        RECT rc;
        GetWindowRect(tree, &rc);
        MapWindowPoints(nullptr, setHost, (POINT*)&rc, 2);
        EXPECT_EQ(cap.At(rc.left + 3, rc.top - 10), role(COLOR_BTNFACE));
        EXPECT_EQ(cap.At(rc.left + 40, rc.top - 19), role(COLOR_WINDOWFRAME));
        EXPECT_GT(cap.CountColor(role(COLOR_BTNTEXT), CRect(rc.left, rc.top - 19, rc.right, rc.top)), 5);
        EXPECT_EQ(cap.At(rc.right - 3, rc.bottom - 3), role(COLOR_WINDOW));
    }

    // The library's palette again: nothing of the role colours left where the gradients are.
    EXPECT_EQ(Lumo_UseSystemColors(0), -1);
    PumpPending();
    EXPECT_NE(WindowCapture(box, CaptureMode::ScreenClient).At(200, 10), role(COLOR_BTNFACE));
    EXPECT_NE(WindowCapture(bar, CaptureMode::ScreenClient).At(20, 12), role(COLOR_HIGHLIGHT));
    EXPECT_NE(WindowCapture(push, CaptureMode::ScreenClient).At(10, 13), role(COLOR_BTNFACE));
    EXPECT_EQ(WindowCapture(link, CaptureMode::ScreenClient).CountColor(role(COLOR_HOTLIGHT)), 0);
    Lumo_UseSystemColors(-1);

    // Changes back and forth leave no GDI object and no window behind.
    EXPECT_EQ(LeaksOf([&] {
                  for (int i = 0; i < 4; ++i) {
                      SysColours again(SysColours::Contrast(i + 1));
                      PumpPending();
                  }
              }),
              Leaks{});
}

// Menus in system colours: items on the pane colour, the picture column in the button face,
// the selected item in the selection colours; the frame in the frame colour and no shadow.
TEST(SystemColours, MenusDrawTheirItemsInTheRoleColours) {
    const std::vector<COLORREF> c = SysColours::Contrast(3);
    SysColours colours(c);
    ColourMode mode(1);
    auto role = [&](int index) { return SysColours::Of(c, index); };
    HostWindow owner;
    HPOPMENU menu = PopMenu_New(owner);
    PopMenu_SetItem(menu, 1, "One", 0);
    PopMenu_SetItem(menu, 2, "Two", 0);
    COLORREF text = 0, bar = 0, selected = 0, selectedText = 0;
    int selectedInk = 0;
    menutest::MenuSteps steps({menutest::MenuShown, menutest::Keys(owner, {VK_DOWN}), [&] {
        HWND wnd = menutest::OpenMenus().front();
        HMENU h = (HMENU)SendMessageA(wnd, MN_GETHMENU, 0, 0);
        if (!(GetMenuState(h, 0, MF_BYPOSITION) & MF_HILITE)) return false;
        UpdateWindow(wnd);
        RECT one = menutest::ItemOnScreen(h, 0), two = menutest::ItemOnScreen(h, 1);
        MapWindowPoints(nullptr, wnd, (POINT*)&one, 2);
        MapWindowPoints(nullptr, wnd, (POINT*)&two, 2);
        auto pixels = menutest::MenuPixels(wnd);
        text = pixels->At(two.right - 4, (two.top + two.bottom) / 2);
        bar = pixels->At(two.left + 3, (two.top + two.bottom) / 2);
        selected = pixels->At(one.right - 4, (one.top + one.bottom) / 2);
        selectedInk = pixels->CountColor(role(COLOR_HIGHLIGHTTEXT), one);
        selectedText = role(COLOR_HIGHLIGHTTEXT);
        return true;
    }});
    PopMenu_Popxy(menu, 100, 100);
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(text, role(COLOR_WINDOW));
    EXPECT_EQ(bar, role(COLOR_BTNFACE));
    EXPECT_EQ(selected, role(COLOR_HIGHLIGHT));
    EXPECT_GT(selectedInk, 3) << std::hex << selectedText;
}
