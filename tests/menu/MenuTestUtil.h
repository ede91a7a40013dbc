// What the menu tests share: open menu windows, steps run while a menu is tracked, and a
// CMenuPopEx whose levels and items a test can reach.
#pragma once

#include <afxwin.h>
#include <functional>
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
