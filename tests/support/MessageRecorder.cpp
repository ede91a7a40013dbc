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

struct NameEntry {
    UINT msg;
    const char* name;
};

#define LT_NAME(m) {m, #m}
const NameEntry kNames[] = {
    LT_NAME(WM_NULL), LT_NAME(WM_CREATE), LT_NAME(WM_DESTROY), LT_NAME(WM_MOVE),
    LT_NAME(WM_SIZE), LT_NAME(WM_ACTIVATE), LT_NAME(WM_SETFOCUS), LT_NAME(WM_KILLFOCUS),
    LT_NAME(WM_ENABLE), LT_NAME(WM_SETREDRAW), LT_NAME(WM_SETTEXT), LT_NAME(WM_GETTEXT),
    LT_NAME(WM_GETTEXTLENGTH), LT_NAME(WM_PAINT), LT_NAME(WM_CLOSE), LT_NAME(WM_QUIT),
    LT_NAME(WM_ERASEBKGND), LT_NAME(WM_SYSCOLORCHANGE), LT_NAME(WM_SHOWWINDOW),
    LT_NAME(WM_SETTINGCHANGE), LT_NAME(WM_ACTIVATEAPP), LT_NAME(WM_CANCELMODE),
    LT_NAME(WM_SETCURSOR), LT_NAME(WM_MOUSEACTIVATE), LT_NAME(WM_GETMINMAXINFO),
    LT_NAME(WM_DRAWITEM), LT_NAME(WM_MEASUREITEM), LT_NAME(WM_DELETEITEM),
    LT_NAME(WM_SETFONT), LT_NAME(WM_GETFONT), LT_NAME(WM_WINDOWPOSCHANGING),
    LT_NAME(WM_WINDOWPOSCHANGED), LT_NAME(WM_CONTEXTMENU), LT_NAME(WM_STYLECHANGING),
    LT_NAME(WM_STYLECHANGED), LT_NAME(WM_GETICON), LT_NAME(WM_SETICON), LT_NAME(WM_NCCREATE),
    LT_NAME(WM_NCDESTROY), LT_NAME(WM_NCCALCSIZE), LT_NAME(WM_NCHITTEST), LT_NAME(WM_NCPAINT),
    LT_NAME(WM_NCACTIVATE), LT_NAME(WM_GETDLGCODE), LT_NAME(WM_NCMOUSEMOVE),
    LT_NAME(WM_NCLBUTTONDOWN), LT_NAME(WM_NCLBUTTONUP), LT_NAME(WM_NCLBUTTONDBLCLK),
    LT_NAME(WM_NOTIFY), LT_NAME(WM_NOTIFYFORMAT), LT_NAME(WM_HELP), LT_NAME(WM_KEYDOWN),
    LT_NAME(WM_KEYUP), LT_NAME(WM_CHAR), LT_NAME(WM_DEADCHAR), LT_NAME(WM_SYSKEYDOWN),
    LT_NAME(WM_SYSKEYUP), LT_NAME(WM_SYSCHAR), LT_NAME(WM_INITDIALOG), LT_NAME(WM_COMMAND),
    LT_NAME(WM_SYSCOMMAND), LT_NAME(WM_TIMER), LT_NAME(WM_HSCROLL), LT_NAME(WM_VSCROLL),
    LT_NAME(WM_INITMENU), LT_NAME(WM_INITMENUPOPUP), LT_NAME(WM_MENUSELECT),
    LT_NAME(WM_MENUCHAR), LT_NAME(WM_ENTERIDLE), LT_NAME(WM_UNINITMENUPOPUP),
    LT_NAME(WM_CTLCOLORBTN), LT_NAME(WM_CTLCOLORSTATIC), LT_NAME(WM_CTLCOLOREDIT),
    LT_NAME(WM_CTLCOLORDLG), LT_NAME(WM_MOUSEMOVE), LT_NAME(WM_LBUTTONDOWN),
    LT_NAME(WM_LBUTTONUP), LT_NAME(WM_LBUTTONDBLCLK), LT_NAME(WM_RBUTTONDOWN),
    LT_NAME(WM_RBUTTONUP), LT_NAME(WM_RBUTTONDBLCLK), LT_NAME(WM_MBUTTONDOWN),
    LT_NAME(WM_MBUTTONUP), LT_NAME(WM_MOUSEWHEEL), LT_NAME(WM_PARENTNOTIFY),
    LT_NAME(WM_ENTERMENULOOP), LT_NAME(WM_EXITMENULOOP), LT_NAME(WM_SIZING),
    LT_NAME(WM_CAPTURECHANGED), LT_NAME(WM_MOVING), LT_NAME(WM_ENTERSIZEMOVE),
    LT_NAME(WM_EXITSIZEMOVE), LT_NAME(WM_MOUSEHOVER), LT_NAME(WM_MOUSELEAVE),
    LT_NAME(WM_PRINT), LT_NAME(WM_PRINTCLIENT), LT_NAME(WM_THEMECHANGED),
    LT_NAME(WM_CUT), LT_NAME(WM_COPY), LT_NAME(WM_PASTE), LT_NAME(WM_CLEAR), LT_NAME(WM_UNDO),
};
#undef LT_NAME

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
    for (const NameEntry& e : kNames)
        if (e.msg == msg) return e.name;
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
    if (hwnd_ && !IsHostWindow(hwnd_)) {
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
