// A host may end a control from inside any message the control sends it. This harness checks,
// for each notification of a control, that doing so is safe.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace lumotest {

// One notification of a control.
struct NotifyCase {
    std::string name;
    // Makes the control in the host window; returns the control's window (null fails the case).
    std::function<HWND(HWND host)> make;
    // Makes the control send the notification: posts input, calls a flat function, ...
    std::function<void(HWND control)> provoke;
    // Whether a message the host receives is the notification.
    std::function<bool(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)> is;
    // How the host ends the control; DestroyWindow when empty.
    std::function<void(HWND control)> destroy;
};

// For each case, in a fresh host window: makes the control, provokes the notification and ends
// the control from inside it. Then expects that the host was told once, the control's window is
// gone, no timer of the control or of the library fires on a dead object (a marker timer longer
// than any of theirs is pumped until it fires), and no GDI object or window outlived the
// control. A crash fails the whole test program. Every case runs once beforehand, unchecked,
// to fill one-time caches.
void ExpectDestroyInNotifyIsSafe(const std::vector<NotifyCase>& cases, int hostWidth = 400,
                                 int hostHeight = 300);

}  // namespace lumotest
