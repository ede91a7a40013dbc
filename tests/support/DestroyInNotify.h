// A host may end a control from inside any message the control sends it. This harness checks,
// for each notification of a control, that doing so is safe.
#pragma once

#include "LumoTest.h"

#include <new>

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
// control (regions, which the system frees a little late, over all the cases together). A crash
// fails the whole test program. Every case runs once beforehand, unchecked, to fill one-time
// caches.
void ExpectDestroyInNotifyIsSafe(const std::vector<NotifyCase>& cases, int hostWidth = 400, int hostHeight = 300);

// An object on pages of its own, which are taken away (never to be given out again) when it is
// deleted, so that code touching it afterwards faults at once.
template <class T>
struct OnOwnPages : T {
    using T::T;
    static void* operator new(std::size_t size) {
        void* p = ::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (!p) throw std::bad_alloc();
        return p;
    }
    static void operator delete(void* p) { ::VirtualFree(p, 0, MEM_DECOMMIT); }
};

// A framework control object that goes with its window, as a host may make its controls: a case
// that ends the window also ends the object, and a control touching itself afterwards faults.
template <class T>
struct SelfDeleting : OnOwnPages<T> {
    void PostNcDestroy() override { delete this; }
};

// A child window of the host standing for another window of the host (a frame's content, a
// neighbouring button, a tip): each time it receives msg it sends the host kRelayed (wParam msg)
// and answers msg with `answer`, so that a case sees messages a control sends to other windows.
const UINT kRelayed = WM_APP + 0x3F00;
HWND MakeRelay(HWND host, UINT msg, LRESULT answer = 0, int w = 10, int h = 10);

}  // namespace lumotest
