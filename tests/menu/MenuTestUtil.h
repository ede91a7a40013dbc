// What the menu tests share: open menu windows, steps run while a menu is tracked, and a
// CMenuPopEx whose levels and items a test can reach.
#pragma once

#include <afxwin.h>
#include <functional>
#include <memory>
#include <vector>

#include "LumoTest.h"
#include "CMenuPopEx.h"

namespace menutest {

inline BOOL CALLBACK AddOpenMenu(HWND hwnd, LPARAM lp) {
    char name[16] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, "#32768") == 0 && IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

// Visible menu windows ("#32768") of this thread, the newest level first.
inline std::vector<HWND> OpenMenus() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), AddOpenMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs each step from a thread timer while a menu is tracked, the next one once the step before
// answered true. A menu still open a tick after the last step (keys it posted come first), or
// after 300 ticks, is ended. Done() tells whether every step ran.
class MenuSteps {
public:
    using Step = std::function<bool()>;
    explicit MenuSteps(std::vector<Step> steps) : steps_(std::move(steps)) { Tick(); }
    bool Done() const { return next_ == steps_.size(); }

private:
    void Tick() {
        driver_.After(10, [this] {
            if (Done() || ++ticks_ > 300)
                EndMenu();
            else if (steps_[next_]())
                ++next_;
            Tick();
        });
    }

    std::vector<Step> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    lumotest::ModalDriver driver_;
};

// The step most scripts start with: the top level is shown and painted.
inline bool MenuShown() {
    std::vector<HWND> menus = OpenMenus();
    return !menus.empty() && UpdateWindow(menus.front());
}

inline MenuSteps::Step Levels(size_t n) {
    return [n] { return OpenMenus().size() == n; };
}

inline MenuSteps::Step Keys(HWND hwnd, std::vector<UINT> vks) {
    return [hwnd, vks] {
        for (UINT vk : vks) lumotest::PostKey(hwnd, vk);
        return true;
    };
}

// The menu metrics of this machine, read as the menus read them.
inline NONCLIENTMETRICSA MenuMetrics() {
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    return ncm;
}

// Draws (or, without a canvas, measures) a text in the menu font; answers its width.
inline int MenuText(const char* text, HDC canvas = nullptr, RECT rc = {0, 0, 0, 100}, UINT format = DT_CALCRECT) {
    NONCLIENTMETRICSA ncm = MenuMetrics();
    HFONT font = CreateFontIndirectA(&ncm.lfMenuFont);
    HDC dc = canvas ? canvas : GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text, -1, &rc, format | DT_SINGLELINE);
    SelectObject(dc, old);
    if (!canvas) ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return rc.right - rc.left;
}

// Pixels of an item at rc of an image, right of its picture column's line (bar + 1), unlike its
// label and shortcut drawn in the menu font on the text column's colour where an item puts them.
inline int TextColumnDiffers(const lumotest::PixelImage& drawn, const RECT& rc, int bar, const char* text,
                             const char* shortcut, COLORREF color, COLORREF back = 0xF5F5F5) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    lumotest::MemoryCanvas want(w, h, back);
    SetTextColor(want.Dc(), color);
    MenuText(text, want.Dc(), {bar + 6, 0, w, h}, DT_VCENTER);
    if (shortcut) MenuText(shortcut, want.Dc(), {bar + 6, 0, w - 10, h}, DT_VCENTER | DT_RIGHT);
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = bar + 2; x < w; ++x) n += drawn.At(rc.left + x, rc.top + y) != want.At(x, y);
    return n;
}

// Where an item of a shown menu lies on the screen (asked of the menu's own window: the owner's
// would map the item from the owner's coordinates).
inline RECT ItemOnScreen(HMENU menu, int pos) {
    RECT rc = {};
    GetMenuItemRect(nullptr, menu, pos, &rc);
    return rc;
}

// A click at a screen point, posted to the owner as the tracking menu reads it.
inline void PostClickAt(HWND owner, POINT pt) {
    PostMessageA(owner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    PostMessageA(owner, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// The pixels a shown menu window holds now, in its own coordinates (nothing is painted again).
inline std::unique_ptr<lumotest::MemoryCanvas> MenuPixels(HWND menuWnd) {
    RECT rc;
    GetClientRect(menuWnd, &rc);
    auto canvas = std::make_unique<lumotest::MemoryCanvas>(rc.right, rc.bottom);
    HDC dc = GetDC(menuWnd);
    BitBlt(canvas->Dc(), 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(menuWnd, dc);
    return canvas;
}

// Levels, items and look of a CMenuPopEx, as the tests read them.
class TestMenu : public CMenuPopEx {
public:
    TestMenu(HWND owner, int drawMode = 2) : CMenuPopEx(owner, drawMode) {}
    CMenuEx* Root() const { return m_pRootMenu; }
    MenuLook* Look() const { return m_pLook; }
    int ItemCount() const { return (int)m_arrItems.GetSize(); }
    CMenuItem* Item(int index) const { return m_arrItems[index]; }
    int Find(int id) { return FindItem(id); }
    // Shows the menu, lets it paint and ends it: the levels stay for the test to read.
    int ShowAndClose(int x = 100, int y = 100) {
        MenuSteps steps({MenuShown});
        return Popup(x, y);
    }
};

}  // namespace menutest
