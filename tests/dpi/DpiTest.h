// Windows made at 96 and at 144 DPI in one process, on a screen of 144 DPI: a window made while
// the thread is DPI-unaware has 96 DPI, one made while it is per-monitor aware has the screen's.
#pragma once

#include "LumoTest.h"
#include "frame/DpiScale.h"

namespace dpitest {

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The thread's DPI awareness while the object lives: unaware (96 DPI) or per-monitor aware.
class DpiContext : lumotest::NoCopy {
public:
    explicit DpiContext(bool unaware) {
        typedef HANDLE(WINAPI * PFN)(HANDLE);
        pfn_ = (PFN)(void*)GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext");
        // -1 unaware, -4 per-monitor aware (second version).
        if (pfn_)
            old_ = pfn_(unaware ? (HANDLE)(INT_PTR)-1 : (HANDLE)(INT_PTR)-4);
    }
    ~DpiContext() {
        if (pfn_ && old_)
            pfn_(old_);
    }

private:
    HANDLE(WINAPI* pfn_)(HANDLE) = nullptr;
    HANDLE old_ = nullptr;
};

// The two DPIs the tests compare.
const int kLow = 96;
const int kHigh = 144;

// A top-level host window made at a DPI (96 or the screen's).
inline HWND CreateHostAt(int dpi, int w = 500, int h = 400) {
    DpiContext ctx(dpi == kLow);
    return lumotest::CreateHostWindow(w, h);
}

// n 96-DPI pixels at 144 DPI may be off by one from n * 1.5 where the library rounds parts
// of a size separately.
inline ::testing::AssertionResult ScalesByOneAndAHalf(int at96, int at144) {
    const int want = MulDiv(at96, kHigh, kLow);
    if (at144 >= want - 1 && at144 <= want + 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << at96 << " at 96 DPI became " << at144 << " at 144 (want " << want << ")";
}

// Tells a top-level window of a new DPI as the system does when it moves to another screen,
// with the suggested rectangle its present one scaled about its top-left corner.
inline void SendDpiChanged(HWND top, int dpi, int oldDpi) {
    RECT rc;
    GetWindowRect(top, &rc);
    RECT suggested = {rc.left, rc.top, rc.left + MulDiv(rc.right - rc.left, dpi, oldDpi),
                      rc.top + MulDiv(rc.bottom - rc.top, dpi, oldDpi)};
    SendMessageA(top, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)&suggested);
}

}  // namespace dpitest
