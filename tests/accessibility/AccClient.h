// A screen reader's side of the tests: reads the library's accessible objects from a second
// thread while the test's thread, which owns the controls, keeps pumping its messages; and
// records the events the controls raise, as a program listening from outside does.
#pragma once

#include "LumoTest.h"

#include <oleacc.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace acctest {

// Runs fn on a thread of its own with COM started, pumping this thread's messages (the
// controls answer there) until it has ended or timeoutMs passed. False on a time-out.
// fn may call handOver() once: the client then waits while this thread runs onMain (to
// destroy a window under the client's feet, say) and goes on afterwards.
inline bool OnClientThread(const std::function<void(const std::function<void()>& handOver)>& fn,
                           const std::function<void()>& onMain = nullptr, DWORD timeoutMs = 10000) {
    struct Call {
        const std::function<void(const std::function<void()>&)>* fn;
        HANDLE handed, resumed;
    } call = {&fn, CreateEventA(nullptr, TRUE, FALSE, nullptr), CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, [](void* p) -> DWORD {
        Call* c = static_cast<Call*>(p);
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        (*c->fn)([c] {
            SetEvent(c->handed);
            WaitForSingleObject(c->resumed, 10000);
        });
        CoUninitialize();
        return 0;
    }, &call, 0, nullptr);
    bool done = false;
    if (thread) {
        const DWORD start = GetTickCount();
        HANDLE waits[2] = {thread, call.handed};
        while (!done && GetTickCount() - start < timeoutMs) {
            const DWORD w = MsgWaitForMultipleObjects(2, waits, FALSE, 50, QS_ALLINPUT);
            if (w == WAIT_OBJECT_0)
                done = true;
            else if (w == WAIT_OBJECT_0 + 1) {
                ResetEvent(call.handed);
                if (onMain)
                    onMain();
                SetEvent(call.resumed);
            }
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (!done) {
            SetEvent(call.resumed);
            done = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        }
        CloseHandle(thread);
    }
    CloseHandle(call.handed);
    CloseHandle(call.resumed);
    return done;
}

inline bool OnClientThread(const std::function<void()>& fn) {
    return OnClientThread([&](const std::function<void()>&) { fn(); });
}

inline VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

inline std::string Narrow(BSTR b) {
    if (!b)
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, b, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_ACP, 0, b, -1, &s[0], n, nullptr, nullptr);
    SysFreeString(b);
    return s;
}

// What a reader learns of one object or element. hr is that of the name; a failed call leaves
// its field empty.
struct AccInfo {
    HRESULT hr = E_FAIL;
    std::string name, action, value;
    long role = 0, state = 0, children = -1;
    RECT location = {0, 0, 0, 0};

    std::string Line() const {
        std::ostringstream os;
        os << "'" << name << "' role " << role << " state 0x" << std::hex << state << std::dec;
        if (!action.empty())
            os << " action '" << action << "'";
        return os.str();
    }
};

inline AccInfo Read(IAccessible* acc, long id = CHILDID_SELF) {
    AccInfo info;
    BSTR b = nullptr;
    info.hr = acc->get_accName(Child(id), &b);
    info.name = Narrow(b);
    b = nullptr;
    if (SUCCEEDED(acc->get_accDefaultAction(Child(id), &b)))
        info.action = Narrow(b);
    b = nullptr;
    if (SUCCEEDED(acc->get_accValue(Child(id), &b)))
        info.value = Narrow(b);
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(acc->get_accRole(Child(id), &v)) && v.vt == VT_I4)
        info.role = v.lVal;
    VariantInit(&v);
    if (SUCCEEDED(acc->get_accState(Child(id), &v)) && v.vt == VT_I4)
        info.state = v.lVal;
    long x = 0, y = 0, w = 0, h = 0;
    if (SUCCEEDED(acc->accLocation(&x, &y, &w, &h, Child(id))))
        info.location = {x, y, x + w, y + h};
    if (id == CHILDID_SELF)
        acc->get_accChildCount(&info.children);
    return info;
}

// The window's object (OBJID_CLIENT unless told), or null.
inline IAccessible* ObjectOf(HWND hwnd, LONG idObject = OBJID_CLIENT) {
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, (DWORD)idObject, __uuidof(IAccessible), (void**)&acc)))
        return nullptr;
    return acc;
}

// What a reader on another thread reads of the window's object (or of one of its elements).
inline AccInfo ReadOnClient(HWND hwnd, long id = CHILDID_SELF, LONG idObject = OBJID_CLIENT) {
    AccInfo info;
    OnClientThread([&] {
        if (IAccessible* acc = ObjectOf(hwnd, idObject)) {
            info = Read(acc, id);
            acc->Release();
        }
    });
    return info;
}

// A reader on another thread runs the default action; what it set off runs once this thread has
// pumped. E_FAIL when no object was had.
inline HRESULT ActOnClient(HWND hwnd, long id = CHILDID_SELF, LONG idObject = OBJID_CLIENT) {
    HRESULT hr = E_FAIL;
    OnClientThread([&] {
        if (IAccessible* acc = ObjectOf(hwnd, idObject)) {
            hr = acc->accDoDefaultAction(Child(id));
            acc->Release();
        }
    });
    lumotest::PumpPending();
    return hr;
}

// The children as AccessibleChildren hands them out; objects are released by the caller.
inline std::vector<VARIANT> ChildrenOf(IAccessible* acc) {
    long count = 0;
    acc->get_accChildCount(&count);
    std::vector<VARIANT> kids(count > 0 ? count : 0);
    long got = 0;
    if (count > 0 && FAILED(AccessibleChildren(acc, 0, count, kids.data(), &got)))
        got = 0;
    kids.resize(got);
    return kids;
}

inline void ReleaseAll(std::vector<VARIANT>& kids) {
    for (VARIANT& v : kids)
        VariantClear(&v);
    kids.clear();
}

inline RECT ScreenRect(HWND hwnd, bool client = true) {
    RECT rc;
    if (client) {
        GetClientRect(hwnd, &rc);
        MapWindowPoints(hwnd, nullptr, (LPPOINT)&rc, 2);
    } else
        GetWindowRect(hwnd, &rc);
    return rc;
}

inline bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

// One event as a listener receives it.
struct AccEvent {
    DWORD event;
    HWND hwnd;
    LONG idObject, idChild;
    bool operator==(const AccEvent& o) const {
        return event == o.event && hwnd == o.hwnd && idObject == o.idObject && idChild == o.idChild;
    }
};

inline std::string EventName(DWORD e) {
    switch (e) {
    case EVENT_OBJECT_STATECHANGE: return "STATECHANGE";
    case EVENT_OBJECT_NAMECHANGE: return "NAMECHANGE";
    case EVENT_OBJECT_FOCUS: return "FOCUS";
    default: {
        std::ostringstream os;
        os << "0x" << std::hex << e;
        return os.str();
    }
    }
}

inline std::ostream& operator<<(std::ostream& os, const AccEvent& e) {
    return os << EventName(e.event) << "(" << e.hwnd << ", " << e.idObject << ", " << e.idChild << ")";
}

// Listens, out of context as a reader in another program does, to the focus, state and name
// events of the given windows; they arrive while this thread pumps.
class EventLog : lumotest::NoCopy {
public:
    explicit EventLog(std::vector<HWND> windows) : windows_(std::move(windows)) {
        Current() = this;
        hook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Proc, GetCurrentProcessId(), 0,
                                WINEVENT_OUTOFCONTEXT);
    }
    ~EventLog() {
        if (hook_)
            UnhookWinEvent(hook_);
        Current() = nullptr;
    }
    bool Ok() const { return hook_ != nullptr; }
    // Pumps until the events delivered so far have arrived.
    const std::vector<AccEvent>& Events() {
        lumotest::PumpPending();
        return events_;
    }
    void Clear() {
        lumotest::PumpPending();
        events_.clear();
    }

private:
    static EventLog*& Current() {
        static EventLog* current = nullptr;
        return current;
    }
    static void CALLBACK Proc(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
        EventLog* log = Current();
        if (!log || (event != EVENT_OBJECT_FOCUS && event != EVENT_OBJECT_STATECHANGE &&
                     event != EVENT_OBJECT_NAMECHANGE))
            return;
        for (HWND h : log->windows_)
            if (h == hwnd) {
                log->events_.push_back({event, hwnd, idObject, idChild});
                return;
            }
    }

    std::vector<HWND> windows_;
    std::vector<AccEvent> events_;
    HWINEVENTHOOK hook_ = nullptr;
};

}  // namespace acctest
