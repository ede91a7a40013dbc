// The user's settings the library follows, changed for one test and put back: system colours
// (for this process, as SetSysColors works), the answer to "is high contrast on" (which the
// system here cannot switch on), and client-area animation.
#pragma once

#include <windows.h>

#include <vector>

#include "lumo.h"
#include "frame/LumoSettings.h"

namespace lumotest {

// Sends a message to every top-level window of this thread, as the system does with setting
// changes (a broadcast to all windows would wait on other programs).
inline void SendToThreadWindows(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    struct Args { UINT msg; WPARAM w; LPARAM l; } args{msg, wParam, lParam};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM p) -> BOOL {
        const Args* a = (const Args*)p;
        SendMessageA(hwnd, a->msg, a->w, a->l);
        return TRUE;
    }, (LPARAM)&args);
}

// The system colours of the roles the library paints with.
constexpr int kRoleColours[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT,
                                COLOR_HIGHLIGHTTEXT, COLOR_HOTLIGHT, COLOR_GRAYTEXT, COLOR_WINDOWFRAME};

// While alive, the role colours are those given (in kRoleColours' order), announced to this
// thread's windows with WM_SYSCOLORCHANGE; the old ones come back, announced too, at the end.
class SysColours {
public:
    explicit SysColours(const std::vector<COLORREF>& colours) {
        for (int i : kRoleColours) old_.push_back(GetSysColor(i));
        Set(colours);
    }
    ~SysColours() { Set(old_); }
    // Distinct colours no control of the library paints in its own look, one per role.
    static std::vector<COLORREF> Contrast(int shift = 0) {
        std::vector<COLORREF> c;
        for (int i = 0; i < (int)(sizeof(kRoleColours) / sizeof(kRoleColours[0])); ++i)
            c.push_back(RGB(0x13 + 0x17 * i + shift, 0xC1 - 0x0B * i, 0x29 + 0x13 * i + shift));
        return c;
    }
    static COLORREF Of(const std::vector<COLORREF>& colours, int index) {
        for (size_t i = 0; i < colours.size(); ++i)
            if (kRoleColours[i] == index) return colours[i];
        return CLR_INVALID;
    }

private:
    static void Set(const std::vector<COLORREF>& colours) {
        SetSysColors((int)colours.size(), kRoleColours, colours.data());
        SendToThreadWindows(WM_SYSCOLORCHANGE);
    }
    std::vector<COLORREF> old_;
};

// While alive, the library sees high contrast on (or off) whatever the system says.
class HighContrastSeen {
public:
    explicit HighContrastSeen(bool on) {
        on_ = on;
        old_ = LumoSettings::SetSystemQuestion(&Answer);
    }
    ~HighContrastSeen() { LumoSettings::SetSystemQuestion(old_); }

private:
    static BOOL Answer(UINT action) {
        if (action == SPI_GETHIGHCONTRAST) return on_;
        BOOL value = TRUE;
        SystemParametersInfoA(action, 0, &value, 0);
        return value;
    }
    static inline bool on_ = false;
    LumoSettings::PFN_SystemQuestion old_;
};

// While alive, the library's colour mode is the one given; the default (-1) comes back after.
class ColourMode {
public:
    explicit ColourMode(int mode) { Lumo_UseSystemColors(mode); }
    ~ColourMode() { Lumo_UseSystemColors(-1); }
};

// While alive, the user's client-area or menu animation setting is as given.
class AnimationSetting {
public:
    AnimationSetting(UINT getAction, UINT setAction, BOOL on) : set_(setAction) {
        SystemParametersInfoA(getAction, 0, &old_, 0);
        SystemParametersInfoA(set_, 0, (PVOID)(INT_PTR)on, 0);
    }
    ~AnimationSetting() { SystemParametersInfoA(set_, 0, (PVOID)(INT_PTR)old_, 0); }

private:
    UINT set_;
    BOOL old_ = TRUE;
};

}  // namespace lumotest
