#include "LumoTest.h"
#include "SupportInternal.h"

#include <map>

namespace lumotest {

const char* const kHostClass = "LumoTestHost";

namespace {

std::vector<HWND>& Hosts() {
    static std::vector<HWND> hosts;
    return hosts;
}

std::map<HWND, HostHandler>& Handlers() {
    static std::map<HWND, HostHandler> handlers;
    return handlers;
}

void Forget(HWND hwnd) {
    auto& hosts = Hosts();
    for (size_t i = 0; i < hosts.size(); ++i) {
        if (hosts[i] == hwnd) {
            hosts.erase(hosts.begin() + i);
            break;
        }
    }
    Handlers().erase(hwnd);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    detail::OfferToRecorders(hwnd, msg, wParam, lParam, true);

    auto it = Handlers().find(hwnd);
    if (it != Handlers().end() && it->second) {
        // Copied: the handler may replace itself.
        HostHandler handler = it->second;
        LRESULT result = 0;
        if (handler(hwnd, msg, wParam, lParam, &result)) return result;
    }
    if (msg == WM_NCDESTROY) Forget(hwnd);
    if (msg == WM_GETMINMAXINFO) {
        // A small host must really be small: no minimum size for the caption buttons' sake.
        DefWindowProcA(hwnd, msg, wParam, lParam);
        MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(lParam);
        mm->ptMinTrackSize.x = 1;
        mm->ptMinTrackSize.y = 1;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterHostClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    // Pure white, not a system colour, so pixel tests do not depend on the colour scheme.
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kHostClass;
    registered = RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

}  // namespace

HWND CreateHostWindow(int w, int h, bool visible, HWND parent, DWORD style) {
    if (!RegisterHostClass() || w < 0 || h < 0) return nullptr;
    if (parent && !IsWindow(parent)) return nullptr;
    if (style == 0)
        style = parent ? WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS
                       : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    style &= ~WS_VISIBLE;
    const DWORD exStyle = 0;
    RECT rc = {0, 0, w, h};
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    int x = parent ? 0 : 50;
    int y = parent ? 0 : 50;
    HWND hwnd = CreateWindowExA(exStyle, kHostClass, "Lumo test host", style, x, y,
                                rc.right - rc.left, rc.bottom - rc.top, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return nullptr;
    Hosts().push_back(hwnd);
    if (visible) {
        ShowWindow(hwnd, parent ? SW_SHOWNA : SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    return hwnd;
}

int DestroyAllHostWindows() {
    int count = 0;
    // Destroying a parent takes its child hosts with it, so look again after each one.
    while (!Hosts().empty()) {
        HWND hwnd = Hosts().back();
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
            ++count;
        }
        Forget(hwnd);
    }
    return count;
}

bool detail::IsHostWindow(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd)) return false;
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return lstrcmpiA(name, kHostClass) == 0;
}

void SetHostHandler(HWND host, HostHandler handler) {
    if (!detail::IsHostWindow(host)) return;
    if (handler)
        Handlers()[host] = std::move(handler);
    else
        Handlers().erase(host);
}

HostWindow::HostWindow(int w, int h, bool visible, HWND parent, DWORD style)
    : hwnd_(CreateHostWindow(w, h, visible, parent, style)) {}

HostWindow::~HostWindow() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

}  // namespace lumotest
