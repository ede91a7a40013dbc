// Host windows, the recorders they and subclassed windows feed, and the message pump.
#include "LumoTest.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace lumotest {
namespace {

const char* const kHostClass = "LumoTestHost";

// Every live host window, with its handler (empty when none).
std::map<HWND, HostHandler> g_hosts;
std::vector<MessageRecorder*> g_recorders;
// The procedures of subclassed foreign windows: every recorder on one shares one hook into it.
std::map<HWND, WNDPROC> g_subclasses;

void OfferToRecorders(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // By index: a filter may create or destroy other recorders.
    for (size_t i = 0; i < g_recorders.size(); ++i)
        if (g_recorders[i]->Target() == hwnd) g_recorders[i]->Offer(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    OfferToRecorders(hwnd, msg, wParam, lParam);
    auto it = g_hosts.find(hwnd);
    if (it != g_hosts.end() && it->second) {
        HostHandler handler = it->second;  // copied: the handler may replace itself
        LRESULT result = 0;
        if (handler(hwnd, msg, wParam, lParam, &result)) return result;
    }
    if (msg == WM_NCDESTROY) g_hosts.erase(hwnd);
    if (msg == WM_GETMINMAXINFO) {
        // A small host must really be small: no minimum size for the caption buttons' sake.
        DefWindowProcA(hwnd, msg, wParam, lParam);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {1, 1};
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto it = g_subclasses.find(hwnd);
    if (it == g_subclasses.end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const WNDPROC original = it->second;
    OfferToRecorders(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The window is going; hand its procedure back and forget it.
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == SubclassProc)
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        g_subclasses.erase(hwnd);
    }
    return CallWindowProcA(original, hwnd, msg, wParam, lParam);
}

std::string Hex(unsigned long long v) {
    std::ostringstream s;
    s << "0x" << std::hex << v;
    return s.str();
}

std::string Describe(const RecordedMsg& m) {
    std::ostringstream s;
    s << MessageName(m.msg);
    if (m.msg == WM_NOTIFY && (m.matchNotify || m.matchLParam))
        s << " code=" << m.notifyCode << " id=" << (m.matchNotifyId || m.matchLParam ? Hex(m.notifyId) : "*");
    s << " w=" << (m.matchWParam ? Hex(m.wParam) : "*") << " l=" << (m.matchLParam ? Hex(m.lParam) : "*");
    if (m.matchHwnd) s << " hwnd=" << Hex(reinterpret_cast<UINT_PTR>(m.hwnd));
    return s.str();
}

// Dispatches what is queued; false once WM_QUIT was seen (it is posted again for the caller).
// A window that never validates itself would make PeekMessage return WM_PAINT forever, so one
// drain stops after a bound.
bool Drain() {
    MSG msg;
    for (int n = 0; n < 20000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Host windows
// ---------------------------------------------------------------------------------------------

HWND CreateHostWindow(int w, int h, bool visible, HWND parent, DWORD style) {
    static const bool registered = [] {
        WNDCLASSEXA wc = {sizeof wc, CS_DBLCLKS, HostProc, 0, 0, GetModuleHandleA(nullptr), nullptr,
                          LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),  // IDC_ARROW
                          static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), nullptr, kHostClass, nullptr};
        return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered || w < 0 || h < 0 || (parent && !IsWindow(parent))) return nullptr;
    if (style == 0)
        style = parent ? WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    style &= ~WS_VISIBLE;
    RECT rc = {0, 0, w, h};
    AdjustWindowRectEx(&rc, style, FALSE, 0);
    const int at = parent ? 0 : 50;
    HWND hwnd = CreateWindowExA(0, kHostClass, "Lumo test host", style, at, at, rc.right - rc.left,
                                rc.bottom - rc.top, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return nullptr;
    g_hosts[hwnd] = nullptr;
    if (visible) {
        ShowWindow(hwnd, parent ? SW_SHOWNA : SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    return hwnd;
}

int DestroyAllHostWindows() {
    int count = 0;
    // Destroying a parent takes its child hosts with it, so look again after each one.
    while (!g_hosts.empty()) {
        HWND hwnd = g_hosts.begin()->first;
        count += IsWindow(hwnd) && DestroyWindow(hwnd);
        g_hosts.erase(hwnd);
    }
    return count;
}

void SetHostHandler(HWND host, HostHandler handler) {
    auto it = g_hosts.find(host);
    if (it != g_hosts.end()) it->second = std::move(handler);
}

// ---------------------------------------------------------------------------------------------
// Pumping
// ---------------------------------------------------------------------------------------------

bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (cond()) return true;
        if (!Drain()) return cond();
        if (cond()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        // Wake for new input, but look at the condition now and then too: it may change
        // without a message (another thread, a kernel object).
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void PumpPending() { Drain(); }

void ParkCursor() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    PumpPending();
}

// ---------------------------------------------------------------------------------------------
// Recording
// ---------------------------------------------------------------------------------------------

RecordedMsg Notify(int code, Param idFrom, HWND hwnd) {
    RecordedMsg m(WM_NOTIFY, Any, Any, hwnd);
    m.notifyCode = code;
    m.notifyId = static_cast<UINT_PTR>(idFrom.value);
    m.matchNotify = true;
    m.matchNotifyId = !idFrom.any;
    return m;
}

bool Matches(const RecordedMsg& e, const RecordedMsg& a) {
    return e.msg == a.msg && (!e.matchHwnd || e.hwnd == a.hwnd) && (!e.matchWParam || e.wParam == a.wParam) &&
           (!e.matchLParam || e.lParam == a.lParam) && (!e.matchNotify || e.notifyCode == a.notifyCode) &&
           (!e.matchNotifyId || e.notifyId == a.notifyId);
}

std::string MessageName(UINT msg) {
    if (msg == WM_NOTIFY) return "WM_NOTIFY";
    if (msg == WM_COMMAND) return "WM_COMMAND";
    if (msg >= WM_USER && msg < WM_APP) return "WM_USER+" + std::to_string(msg - WM_USER);
    if (msg >= WM_APP && msg < 0xC000) return "WM_APP+" + std::to_string(msg - WM_APP);
    if (msg >= 0xC000 && msg <= 0xFFFF) {
        // Registered messages and clipboard formats share one atom table.
        char name[256] = "";
        if (GetClipboardFormatNameA(msg, name, sizeof name) > 0) return std::string("\"") + name + "\"";
        return "registered " + Hex(msg);
    }
    return Hex(msg);
}

::testing::AssertionResult SequenceIs(const std::vector<RecordedMsg>& actual,
                                      const std::vector<RecordedMsg>& expected) {
    size_t diff = 0;
    while (diff < actual.size() && diff < expected.size() && Matches(expected[diff], actual[diff])) ++diff;
    if (diff == actual.size() && diff == expected.size()) return ::testing::AssertionSuccess();
    std::ostringstream s;
    if (diff < actual.size() && diff < expected.size())
        s << "message " << diff << " differs: expected " << Describe(expected[diff]) << ", got "
          << Describe(actual[diff]);
    else if (actual.size() < expected.size())
        s << "sequence ends after " << diff << " messages; next expected " << Describe(expected[diff]);
    else
        s << "unexpected extra message " << diff << ": " << Describe(actual[diff]);
    for (const auto* list : {&expected, &actual}) {
        s << (list == &expected ? "\n  expected (" : "\n  actual (") << list->size() << "):";
        for (size_t i = 0; i < list->size(); ++i)
            s << "\n    " << (i == diff ? "> " : "  ") << i << ": " << Describe((*list)[i]);
    }
    return ::testing::AssertionFailure() << s.str();
}

MessageRecorder::MessageRecorder(HWND hwnd, std::vector<UINT> messages)
    : MessageRecorder(hwnd, [messages](HWND, UINT msg, WPARAM, LPARAM) {
          return std::find(messages.begin(), messages.end(), msg) != messages.end();
      }) {}

MessageRecorder::MessageRecorder(HWND hwnd, Filter filter) : hwnd_(hwnd), filter_(std::move(filter)) {
    if (!filter_)
        filter_ = [](HWND, UINT m, WPARAM, LPARAM) { return m >= WM_USER || m == WM_NOTIFY || m == WM_COMMAND; };
    if (!IsWindow(hwnd_)) return;
    if (!g_hosts.count(hwnd_)) {
        // Only this thread's windows can be subclassed reliably (only its procedures run our code).
        if (GetWindowThreadProcessId(hwnd_, nullptr) != GetCurrentThreadId()) return;
        if (!g_subclasses.count(hwnd_)) {
            LONG_PTR old = SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc));
            if (!old) return;
            g_subclasses[hwnd_] = reinterpret_cast<WNDPROC>(old);
        }
        subclassed_ = true;
    }
    g_recorders.push_back(this);
    ok_ = true;
}

MessageRecorder::~MessageRecorder() {
    g_recorders.erase(std::remove(g_recorders.begin(), g_recorders.end(), this), g_recorders.end());
    auto it = g_subclasses.find(hwnd_);
    const bool lastOnWindow = std::none_of(g_recorders.begin(), g_recorders.end(),
                                           [this](MessageRecorder* r) { return r->hwnd_ == hwnd_; });
    // Restore only if nobody subclassed the window after us. Otherwise our procedure must stay
    // in the chain, and the entry with it so that it still forwards to the original.
    if (subclassed_ && lastOnWindow && it != g_subclasses.end() &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)) == SubclassProc) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second));
        g_subclasses.erase(it);
    }
}

void MessageRecorder::Offer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!filter_(hwnd, msg, wParam, lParam)) return;
    RecordedMsg m(msg, wParam, lParam, hwnd);
    if (msg == WM_NOTIFY && lParam) {
        const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
        m.notifyCode = static_cast<int>(nm->code);
        m.notifyId = nm->idFrom;
        m.matchNotify = true;
    }
    messages_.push_back(m);
}

int MessageRecorder::Count(UINT msg) const {
    return static_cast<int>(std::count_if(messages_.begin(), messages_.end(),
                                          [msg](const RecordedMsg& m) { return m.msg == msg; }));
}

}  // namespace lumotest
