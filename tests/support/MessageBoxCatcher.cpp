#include "LumoTest.h"

namespace lumotest {

namespace {

thread_local MessageBoxCatcher* g_catcher = nullptr;
thread_local HHOOK g_hook = nullptr;
thread_local std::vector<HWND>* g_seen = nullptr;

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_catcher) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        char cls[16] = "";
        GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) g_catcher->Catch(hwnd);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

std::string TextOf(HWND hwnd) {
    if (!hwnd) return std::string();
    int len = GetWindowTextLengthA(hwnd);
    if (len <= 0) return std::string();
    std::string s(static_cast<size_t>(len) + 1, '\0');
    int got = GetWindowTextA(hwnd, &s[0], len + 1);
    s.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return s;
}

// The message of a message box: the static control with id 0xFFFF on Windows, 100 in some
// implementations, else the longest text among the static controls that are not icons.
std::string MessageText(HWND dialog) {
    for (int id : {0xFFFF, 100}) {
        std::string s = TextOf(GetDlgItem(dialog, id));
        if (!s.empty()) return s;
    }
    std::string best;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[16] = "";
        GetClassNameA(c, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0) continue;
        if ((GetWindowLongPtrA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        std::string s = TextOf(c);
        if (s.size() > best.size()) best = s;
    }
    return best;
}

bool IsShownButton(HWND hwnd) {
    if (!hwnd || !(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE)) return false;
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpiA(cls, "Button") == 0;
}

// The button Enter would press. A message box may keep hidden buttons for the types it does
// not show, and the dialog's default id can name one of them, so only shown buttons count.
int DefaultButton(HWND dialog) {
    LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(def) == DC_HASDEFID && IsShownButton(GetDlgItem(dialog, LOWORD(def))))
        return LOWORD(def);
    int first = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsShownButton(c)) continue;
        int id = GetDlgCtrlID(c);
        if ((GetWindowLongPtrA(c, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
        if (!first) first = id;
    }
    return first ? first : IDOK;
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher() : previous_(g_catcher) {
    if (!g_hook) {
        g_hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
        hook_ = g_hook;
        g_seen = new std::vector<HWND>();
    }
    g_catcher = this;
}

MessageBoxCatcher::~MessageBoxCatcher() {
    g_catcher = previous_;
    if (hook_) {
        UnhookWindowsHookEx(hook_);
        g_hook = nullptr;
        delete g_seen;
        g_seen = nullptr;
    }
}

void MessageBoxCatcher::Catch(HWND dialog) {
    // A box activated again (after another window took the focus) is caught only once.
    if (g_seen) {
        for (HWND h : *g_seen)
            if (h == dialog) return;
        g_seen->push_back(dialog);
    }
    Caught c;
    c.caption = TextOf(dialog);
    c.text = MessageText(dialog);
    int id = answer_ ? answer_ : DefaultButton(dialog);
    c.pressed = id;
    caught_.push_back(c);
    // Posted: the box is not yet in its modal loop; that loop will pick the command up.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> MessageBoxCatcher::Texts() const {
    std::vector<std::string> texts;
    for (const Caught& c : caught_) texts.push_back(c.text);
    return texts;
}

}  // namespace lumotest
