#include "LumoTest.h"

#include <map>

namespace lumotest {

namespace {

// Thread timers carry no window, so the procedure finds its driver by timer id.
thread_local std::map<UINT_PTR, ModalDriver*>* g_timers = nullptr;

std::map<UINT_PTR, ModalDriver*>& Timers() {
    if (!g_timers) g_timers = new std::map<UINT_PTR, ModalDriver*>();
    return *g_timers;
}

void CALLBACK DriverTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Timers().find(id);
    if (it == Timers().end()) {
        KillTimer(nullptr, id);
        return;
    }
    it->second->Fire(id);
}

WPARAM ButtonOf(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return MK_LBUTTON;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return MK_RBUTTON;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return MK_MBUTTON;
    default:
        return 0;
    }
}

}  // namespace

void PostKey(HWND hwnd, UINT vk) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */) & 0xFF) << 16;
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1 | scan);
    PostMessageA(hwnd, WM_KEYUP, vk, 1 | scan | (LPARAM(1) << 30) | (LPARAM(1) << 31));
}

ModalDriver::~ModalDriver() {
    for (const Pending& p : pending_) {
        KillTimer(nullptr, p.id);
        Timers().erase(p.id);
    }
}

void ModalDriver::After(DWORD ms, std::function<void()> fn) {
    UINT_PTR id = SetTimer(nullptr, 0, ms, DriverTimerProc);
    if (!id) return;
    Timers()[id] = this;
    pending_.push_back(Pending{id, std::move(fn)});
}

void ModalDriver::CloseMenuAfter(DWORD ms) {
    After(ms, [] { EndMenu(); });
}

void ModalDriver::PostKeys(HWND hwnd, std::vector<UINT> vks, DWORD ms) {
    After(ms, [hwnd, vks] {
        for (UINT vk : vks) PostKey(hwnd, vk);
    });
}

void ModalDriver::PostMouse(HWND hwnd, UINT msg, int x, int y, DWORD ms) {
    After(ms, [hwnd, msg, x, y] {
        PostMessageA(hwnd, msg, ButtonOf(msg), MAKELPARAM(x, y));
    });
}

void ModalDriver::Fire(UINT_PTR id) {
    KillTimer(nullptr, id);
    Timers().erase(id);
    for (size_t i = 0; i < pending_.size(); ++i) {
        if (pending_[i].id == id) {
            std::function<void()> fn = std::move(pending_[i].fn);
            pending_.erase(pending_.begin() + i);
            ++fired_;
            if (fn) fn();
            return;
        }
    }
}

}  // namespace lumotest
