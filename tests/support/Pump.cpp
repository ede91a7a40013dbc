#include "LumoTest.h"

namespace lumotest {

namespace {

// A window that never validates itself would make PeekMessage return WM_PAINT forever; stop
// after this many messages in one drain.
const int kDrainLimit = 20000;

// Dispatches what is queued; false once WM_QUIT was seen (it is posted again for the caller).
bool Drain() {
    MSG msg;
    for (int n = 0; n < kDrainLimit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
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

bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (cond()) return true;
        if (!Drain()) return cond();
        if (cond()) return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        // Wake for new input, but look at the condition now and then too: it may change
        // without a message (another thread, a kernel object).
        DWORD wait = static_cast<DWORD>(deadline - now);
        if (wait > 20) wait = 20;
        MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void PumpPending() {
    Drain();
}

void ParkCursor() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    PumpPending();
}

}  // namespace lumotest
