// Menu shadows: the thread hook, menu windows subclassed while open and given back after, and
// the frame and shadow strips printed into a memory canvas. (Unloading the library with the
// hook on is run by the C host of test_menu_tracking.cpp.)
#include "MenuTestUtil.h"
#include "CMenuShadow.h"
#include "PixelTable.h"
#include "lumo.h"

#include <memory>

using namespace lumotest;
using namespace menutest;

namespace {

const char kProp[] = "CoolMenu_oldProc";

// What a test saw of a menu window while it was open.
struct Seen {
    HWND hwnd = nullptr;
    RECT window = {}, client = {};
    HANDLE prop = nullptr;
    int mapped = -1;
};

class MenuShadow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(CMenuShadow::IsShadowEnabled());  // the system here shadows no menus
        // The white host must be on the screen before a menu's shadow reads what lies behind it.
        HDC screen = GetDC(nullptr);
        ASSERT_TRUE(PumpUntil([screen] { return GetPixel(screen, 300, 200) == RGB(255, 255, 255); }));
        ReleaseDC(nullptr, screen);
    }
    void TearDown() override { ShadowMenu_Enable(0); }

    // Opens a menu of the system's own over the white host window and ends it once painted.
    Seen ShowSystemMenu(const std::function<void(HWND)>& whileOpen = nullptr) {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "First item");
        AppendMenuA(menu, MF_STRING, 2, "Second item");
        Seen seen;
        MenuSteps steps({[&] {
            if (!MenuShown()) return false;
            seen.hwnd = OpenMenus()[0];
            GetWindowRect(seen.hwnd, &seen.window);
            GetClientRect(seen.hwnd, &seen.client);
            seen.prop = GetPropA(seen.hwnd, kProp);
            seen.mapped = CMenuShadow::m_WndMenuMap.GetCount();
            if (whileOpen) whileOpen(seen.hwnd);
            return true;
        }});
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 200, 150, 0, owner_, nullptr);
        DestroyMenu(menu);
        return seen;
    }

    HostWindow owner_;
};

TEST_F(MenuShadow, OpenMenuIsFramedAndShadowedAndGivenBackWhenClosed) {
    const Seen plain = ShowSystemMenu();
    EXPECT_EQ(plain.prop, nullptr);
    ShadowMenu_Enable(1);
    ShowSystemMenu();  // warms what the first shadowed menu makes once
    GdiBalance gdi;
    std::unique_ptr<MemoryCanvas> printed;
    const Seen shadowed = ShowSystemMenu([&](HWND menu) {
        RECT rc;
        GetWindowRect(menu, &rc);
        printed = std::make_unique<MemoryCanvas>(rc.right - rc.left, rc.bottom - rc.top, RGB(1, 2, 3));
        SendMessageA(menu, WM_PRINT, (WPARAM)printed->Dc(), PRF_NONCLIENT | PRF_CLIENT);
    });
    EXPECT_NE(shadowed.prop, nullptr);
    EXPECT_EQ(shadowed.mapped, 1);
    const int w = shadowed.window.right - shadowed.window.left, h = shadowed.window.bottom - shadowed.window.top;
    EXPECT_EQ(w, plain.window.right - plain.window.left + 4);
    EXPECT_EQ(h, plain.window.bottom - plain.window.top + 4);
    EXPECT_TRUE(EqualRect(&shadowed.client, &plain.client));

    // One frame line in the button shadow colour and two in the menu colour inside it; the
    // strips hold the white host window behind the menu, darkened.
    const COLORREF frame = GetSysColor(COLOR_BTNSHADOW), inner = GetSysColor(COLOR_MENU);
    EXPECT_TRUE(PixelsAre(*printed, {{0, h / 2, frame}, {w / 2, 0, frame}, {w - 5, h / 2, frame}, {w / 2, h - 5, frame},
                                     {1, h / 2, inner}, {2, h / 2, inner}, {w / 2, 2, inner}}));
    for (COLORREF c : {printed->At(w - 3, h / 2), printed->At(w / 2, h - 3)})
        EXPECT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) > 100 &&
                    GetRValue(c) < 255) << std::hex << c;
    printed.reset();

    // Closed: out of the map, without the property, and every object it made is gone.
    EXPECT_EQ(CMenuShadow::m_WndMenuMap.GetCount(), 0);
    EXPECT_TRUE(!IsWindow(shadowed.hwnd) || !GetPropA(shadowed.hwnd, kProp));
    EXPECT_EQ(gdi.Delta(), 0);
}

TEST_F(MenuShadow, OneHookForTheThreadAndOnlyMenuWindowsAreTouched) {
    EXPECT_EQ(CMenuShadow::m_hMenuHook, nullptr);
    ShadowMenu_Enable(1);
    const HHOOK hook = CMenuShadow::m_hMenuHook;
    ASSERT_NE(hook, nullptr);
    ShadowMenu_Enable(1);
    EXPECT_EQ(CMenuShadow::m_hMenuHook, hook);
    HostWindow other;
    EXPECT_EQ(GetPropA(other, kProp), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(other, GWLP_WNDPROC), GetWindowLongPtrA(owner_, GWLP_WNDPROC));

    // Switched off while a menu is open: the window gets its own procedure back at once.
    HANDLE propAfter = nullptr;
    LONG_PTR procAfter = 0;
    ShowSystemMenu([&](HWND menu) {
        ShadowMenu_Enable(0);
        propAfter = GetPropA(menu, kProp);
        procAfter = GetWindowLongPtrA(menu, GWLP_WNDPROC);
    });
    EXPECT_EQ(propAfter, nullptr);
    EXPECT_NE(procAfter, (LONG_PTR)&CMenuShadow::CoolMenuProc);
    EXPECT_EQ(CMenuShadow::m_hMenuHook, nullptr);
    EXPECT_EQ(CMenuShadow::m_WndMenuMap.GetCount(), 0);

    // Where the system shadows menus itself, nothing is installed.
    SystemParametersInfoA(SPI_SETDROPSHADOW, 0, (PVOID)TRUE, 0);
    const BOOL systemShadows = CMenuShadow::IsShadowEnabled();
    ShadowMenu_Enable(1);
    const HHOOK installed = CMenuShadow::m_hMenuHook;
    SystemParametersInfoA(SPI_SETDROPSHADOW, 0, (PVOID)FALSE, 0);
    EXPECT_TRUE(systemShadows && installed == nullptr);
}

}  // namespace
