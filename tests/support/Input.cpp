// Message boxes caught by a hook, modal loops driven by thread timers, and posted keys.
#include "LumoTest.h"

#include <algorithm>
#include <map>

namespace lumotest {
namespace {

thread_local MessageBoxCatcher* g_catcher = nullptr;
thread_local HHOOK g_hook = nullptr;
thread_local std::vector<HWND>* g_seen = nullptr;
// Thread timers carry no window, so the procedure finds its callback (and driver) by timer id.
using DriverTimers = std::map<UINT_PTR, std::pair<ModalDriver*, std::function<void()>>>;
thread_local DriverTimers* g_timers = nullptr;

DriverTimers& Timers() {
    if (!g_timers) g_timers = new DriverTimers();
    return *g_timers;
}

std::string ClassOf(HWND hwnd) {
    char name[32] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && g_catcher && ClassOf(hwnd) == "#32770") g_catcher->Catch(hwnd);
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

std::string TextOf(HWND hwnd) {
    char text[1024] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

bool IsShownButton(HWND hwnd) {
    return hwnd && (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) && lstrcmpiA(ClassOf(hwnd).c_str(), "Button") == 0;
}

// The button Enter would press. A message box may keep hidden buttons for the types it does
// not show, and the dialog's default id can name one of them, so only shown buttons count.
int DefaultButton(HWND dialog) {
    LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(def) == DC_HASDEFID && IsShownButton(GetDlgItem(dialog, LOWORD(def)))) return LOWORD(def);
    int first = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsShownButton(c)) continue;
        if ((GetWindowLongPtrA(c, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return GetDlgCtrlID(c);
        if (!first) first = GetDlgCtrlID(c);
    }
    return first ? first : IDOK;
}

void CALLBACK DriverTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = Timers().find(id);
    if (it == Timers().end()) return;
    std::function<void()> fn = std::move(it->second.second);
    Timers().erase(it);
    if (fn) fn();
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher() : previous_(g_catcher) {
    if (!previous_) {
        g_hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
        g_seen = new std::vector<HWND>();
    }
    g_catcher = this;
}

MessageBoxCatcher::~MessageBoxCatcher() {
    g_catcher = previous_;
    if (previous_) return;
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    delete g_seen;
    g_seen = nullptr;
}

void MessageBoxCatcher::Catch(HWND dialog) {
    // A box activated again (after another window took the focus) is caught only once.
    if (std::find(g_seen->begin(), g_seen->end(), dialog) != g_seen->end()) return;
    g_seen->push_back(dialog);
    // The message is the static control with id 0xFFFF on Windows, 100 in other implementations.
    std::string text = TextOf(GetDlgItem(dialog, 0xFFFF));
    if (text.empty()) text = TextOf(GetDlgItem(dialog, 100));
    const int id = DefaultButton(dialog);
    caught_.push_back({TextOf(dialog), text});
    // Posted: the box is not yet in its modal loop; that loop will pick the command up.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

ModalDriver::~ModalDriver() {
    for (auto it = Timers().begin(); it != Timers().end();) {
        if (it->second.first == this) {
            KillTimer(nullptr, it->first);
            it = Timers().erase(it);
        } else {
            ++it;
        }
    }
}

void ModalDriver::After(DWORD ms, std::function<void()> fn) {
    const UINT_PTR id = SetTimer(nullptr, 0, ms, DriverTimerProc);
    if (id) Timers()[id] = {this, std::move(fn)};
}

void PostKey(HWND hwnd, UINT vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */) & 0xFF) << 16;
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1 | scan);
    PostMessageA(hwnd, WM_KEYUP, vk, 1 | scan | (LPARAM(1) << 30) | (LPARAM(1) << 31));
}

}  // namespace lumotest
