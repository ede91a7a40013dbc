// What both gallery hosts' scripted sessions share: message pumping and the check lines.
#pragma once

#include <windows.h>
#include <stdio.h>

namespace gallery {

// Cleared by the first failed check; the session's exit code follows it.
inline bool& SessionOk()
{
    static bool s_ok = true;
    return s_ok;
}

// Prints one check line ("check: what: ok" or "FAILED").
inline void Check(bool cond, const char* what)
{
    printf("check: %s: %s\n", what, cond ? "ok" : "FAILED");
    fflush(stdout);
    if (!cond)
        SessionOk() = false;
}

inline void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Dispatches messages until the condition holds or the time-out passes.
template <class Cond>
bool PumpUntil(Cond cond, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        PumpPending();
        if (cond())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Lets queued paints and short timers run out: pumps until nothing arrived for a few
// consecutive rounds, bounded.
inline void Settle()
{
    int quiet = 0;
    PumpUntil([&] {
        MSG msg;
        quiet = ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) ? 0 : quiet + 1;
        return quiet >= 5;
    }, 1000);
    ::GdiFlush();
}

}  // namespace gallery
