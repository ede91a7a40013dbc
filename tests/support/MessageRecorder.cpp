#include "LumoTest.h"
#include "SupportInternal.h"

#include <commctrl.h>

#include <cstdio>
#include <map>
#include <sstream>

namespace lumotest {

namespace {

std::vector<MessageRecorder*>& Recorders() {
    static std::vector<MessageRecorder*> recorders;
    return recorders;
}

// One subclassed foreign window: every recorder on it shares one hook into its procedure.
struct Subclass {
    WNDPROC original = nullptr;
    int users = 0;
};

std::map<HWND, Subclass>& Subclasses() {
    static std::map<HWND, Subclass> subclasses;
    return subclasses;
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto it = Subclasses().find(hwnd);
    if (it == Subclasses().end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
    WNDPROC original = it->second.original;
    detail::OfferToRecorders(hwnd, msg, wParam, lParam, false);
    if (msg == WM_NCDESTROY) {
        // The window is going; hand its procedure back and forget it.
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == SubclassProc)
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        Subclasses().erase(hwnd);
    }
    return CallWindowProcA(original, hwnd, msg, wParam, lParam);
}

bool DefaultFilter(HWND, UINT msg, WPARAM, LPARAM) {
    return msg >= WM_USER || msg == WM_NOTIFY || msg == WM_COMMAND;
}


std::string Hex(unsigned long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llx", v);
    return buf;
}

}  // namespace

namespace detail {

void OfferToRecorders(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool isHost) {
    // By index: a filter may create or destroy other recorders.
    auto& recorders = Recorders();
    for (size_t i = 0; i < recorders.size(); ++i) {
        MessageRecorder* r = recorders[i];
        if (r->Target() == hwnd || (isHost && r->Target() == nullptr))
            r->Offer(hwnd, msg, wParam, lParam);
    }
}

}  // namespace detail

RecordedMsg::RecordedMsg(UINT m, Param w, Param l, HWND h)
    : hwnd(h),
      msg(m),
      wParam(static_cast<WPARAM>(w.value)),
      lParam(l.value),
      matchHwnd(h != nullptr),
      matchWParam(!w.any),
      matchLParam(!l.any) {}

RecordedMsg Notify(int code, Param idFrom, HWND hwnd) {
    RecordedMsg m(WM_NOTIFY, Any, Any, hwnd);
    m.notifyCode = code;
    m.notifyId = static_cast<UINT_PTR>(idFrom.value);
    m.matchNotify = true;
    m.matchNotifyId = !idFrom.any;
    return m;
}

bool Matches(const RecordedMsg& e, const RecordedMsg& a) {
    if (e.msg != a.msg) return false;
    if (e.matchHwnd && e.hwnd != a.hwnd) return false;
    if (e.matchWParam && e.wParam != a.wParam) return false;
    if (e.matchLParam && e.lParam != a.lParam) return false;
    if (e.matchNotify && e.notifyCode != a.notifyCode) return false;
    if (e.matchNotifyId && e.notifyId != a.notifyId) return false;
    return true;
}

std::string MessageName(UINT msg) {
    if (msg == WM_NOTIFY) return "WM_NOTIFY";
    if (msg == WM_COMMAND) return "WM_COMMAND";
    if (msg >= WM_USER && msg < WM_APP) return "WM_USER+" + std::to_string(msg - WM_USER);
    if (msg >= WM_APP && msg < 0xC000) return "WM_APP+" + std::to_string(msg - WM_APP);
    if (msg >= 0xC000 && msg <= 0xFFFF) {
        // Registered messages and clipboard formats share one atom table.
        char name[256] = "";
        if (GetClipboardFormatNameA(msg, name, sizeof name) > 0 ||
            GlobalGetAtomNameA(static_cast<ATOM>(msg), name, sizeof name) > 0)
            return std::string("\"") + name + "\"";
        return "registered " + Hex(msg);
    }
    return Hex(msg);
}

std::string Describe(const RecordedMsg& m) {
    std::ostringstream s;
    s << MessageName(m.msg);
    if (m.msg == WM_NOTIFY && (m.matchNotify || m.matchLParam))
        s << " code=" << m.notifyCode << " id=" << (m.matchNotifyId || m.matchLParam ? Hex(m.notifyId) : std::string("*"));
    s << " w=" << (m.matchWParam ? Hex(m.wParam) : std::string("*"));
    s << " l=" << (m.matchLParam ? Hex(static_cast<unsigned long long>(m.lParam)) : std::string("*"));
    if (m.matchHwnd) s << " hwnd=" << Hex(reinterpret_cast<UINT_PTR>(m.hwnd));
    return s.str();
}

::testing::AssertionResult SequenceIs(const std::vector<RecordedMsg>& actual,
                                      const std::vector<RecordedMsg>& expected) {
    size_t n = actual.size() < expected.size() ? actual.size() : expected.size();
    size_t diff = n;
    for (size_t i = 0; i < n; ++i) {
        if (!Matches(expected[i], actual[i])) {
            diff = i;
            break;
        }
    }
    if (diff == n && actual.size() == expected.size()) return ::testing::AssertionSuccess();

    std::ostringstream s;
    if (diff < n)
        s << "message " << diff << " differs: expected " << Describe(expected[diff])
          << ", got " << Describe(actual[diff]);
    else if (actual.size() < expected.size())
        s << "sequence ends after " << actual.size() << " messages; next expected "
          << Describe(expected[actual.size()]);
    else
        s << "unexpected extra message " << diff << ": " << Describe(actual[diff]);
    s << "\n  expected (" << expected.size() << "):";
    for (size_t i = 0; i < expected.size(); ++i)
        s << "\n    " << (i == diff ? "> " : "  ") << i << ": " << Describe(expected[i]);
    s << "\n  actual (" << actual.size() << "):";
    for (size_t i = 0; i < actual.size(); ++i)
        s << "\n    " << (i == diff ? "> " : "  ") << i << ": " << Describe(actual[i]);
    return ::testing::AssertionFailure() << s.str();
}

MessageRecorder::MessageRecorder(HWND hwnd) : hwnd_(hwnd), filter_(DefaultFilter) { Attach(); }

MessageRecorder::MessageRecorder(HWND hwnd, std::vector<UINT> messages) : hwnd_(hwnd) {
    filter_ = [messages](HWND, UINT msg, WPARAM, LPARAM) {
        for (UINT m : messages)
            if (m == msg) return true;
        return false;
    };
    Attach();
}

MessageRecorder::MessageRecorder(HWND hwnd, Filter filter)
    : hwnd_(hwnd), filter_(filter ? std::move(filter) : Filter(DefaultFilter)) {
    Attach();
}

void MessageRecorder::Attach() {
    if (hwnd_ && !IsWindow(hwnd_)) return;
    if (hwnd_ && !detail::IsHostWindow(hwnd_)) {
        // Only windows of this thread can be subclassed reliably (and only this thread's
        // procedure runs our code).
        if (GetWindowThreadProcessId(hwnd_, nullptr) != GetCurrentThreadId()) return;
        auto it = Subclasses().find(hwnd_);
        if (it == Subclasses().end()) {
            LONG_PTR old = SetWindowLongPtrA(hwnd_, GWLP_WNDPROC,
                                             reinterpret_cast<LONG_PTR>(SubclassProc));
            if (!old) return;
            Subclass s;
            s.original = reinterpret_cast<WNDPROC>(old);
            it = Subclasses().emplace(hwnd_, s).first;
        }
        ++it->second.users;
        subclassed_ = true;
    }
    Recorders().push_back(this);
    ok_ = true;
}

MessageRecorder::~MessageRecorder() {
    auto& recorders = Recorders();
    for (size_t i = 0; i < recorders.size(); ++i) {
        if (recorders[i] == this) {
            recorders.erase(recorders.begin() + i);
            break;
        }
    }
    if (!subclassed_) return;
    auto it = Subclasses().find(hwnd_);
    if (it == Subclasses().end()) return;  // the window is gone
    if (--it->second.users > 0) return;
    // Restore only if nobody subclassed the window after us. Otherwise our procedure must stay
    // in the chain, and the entry with it so that it still forwards to the original.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)) == SubclassProc) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.original));
        Subclasses().erase(it);
    }
}

void MessageRecorder::Offer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!filter_(hwnd, msg, wParam, lParam)) return;
    RecordedMsg m;
    m.hwnd = hwnd;
    m.msg = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.matchHwnd = true;
    if (msg == WM_NOTIFY && lParam) {
        const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
        m.notifyCode = static_cast<int>(nm->code);
        m.notifyId = nm->idFrom;
        m.matchNotify = true;
    }
    messages_.push_back(m);
}

int MessageRecorder::Count(UINT msg) const {
    int n = 0;
    for (const RecordedMsg& m : messages_)
        if (m.msg == msg) ++n;
    return n;
}

}  // namespace lumotest
