#include "LumoTest.h"

namespace lumotest {

namespace {

// Layout of the process's GDI handle table, which the PEB points to. Each entry describes one
// handle slot (the low 16 bits of a handle are its index); a non-zero type byte means a live
// object. Where the table is shared between processes the owner field holds the creating
// process id shifted right by two; Wine keeps a table per process and leaves the field zero.
#ifdef _WIN64
const size_t kPebOffsetInTeb = 0x60;
const size_t kTableOffsetInPeb = 0xF8;
const size_t kEntrySize = 24;
const size_t kOwnerOffset = 8;
const size_t kTypeOffset = 14;
#else
const size_t kPebOffsetInTeb = 0x30;
const size_t kTableOffsetInPeb = 0x94;
const size_t kEntrySize = 16;
const size_t kOwnerOffset = 4;
const size_t kTypeOffset = 10;
#endif
const size_t kTableEntries = 65536;
const unsigned char kRegionType = 4;

const unsigned char* GdiHandleTable() {
    // The segment-register read behind NtCurrentTeb looks like an out-of-bounds access to GCC.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const unsigned char* teb = reinterpret_cast<const unsigned char*>(NtCurrentTeb());
#pragma GCC diagnostic pop
    if (!teb) return nullptr;
    const unsigned char* peb = *reinterpret_cast<const unsigned char* const*>(teb + kPebOffsetInTeb);
    if (!peb) return nullptr;
    return *reinterpret_cast<const unsigned char* const*>(peb + kTableOffsetInPeb);
}

// Windows the system creates for a thread on its own (input method, COM apartment); they are
// not the test's doing and some appear only after the first window of the thread exists.
bool IsSystemWindow(HWND hwnd) {
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return lstrcmpiA(name, "IME") == 0 || lstrcmpiA(name, "MSCTFIME UI") == 0 ||
           lstrcmpiA(name, "OleMainThreadWndClass") == 0;
}

int CountTree(HWND hwnd) {
    int n = 1;
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        n += CountTree(c);
    return n;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM param) {
    if (!IsSystemWindow(hwnd)) *reinterpret_cast<int*>(param) += CountTree(hwnd);
    return TRUE;
}

}  // namespace

int CountGdiObjects(bool regions) {
    const unsigned char* table = GdiHandleTable();
    if (!table) return -1;
    const USHORT pid = static_cast<USHORT>(GetCurrentProcessId() >> 2);
    int n = 0;
    for (size_t i = 0; i < kTableEntries; ++i) {
        const unsigned char* e = table + i * kEntrySize;
        if (e[kTypeOffset] == 0 || (!regions && e[kTypeOffset] == kRegionType)) continue;
        USHORT owner = *reinterpret_cast<const USHORT*>(e + kOwnerOffset);
        if (owner != 0 && owner != pid) continue;
        ++n;
    }
    return n;
}

int CountThreadWindows() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&n));
    // Message-only windows are not enumerated with the others.
    for (HWND h = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
         h = FindWindowExA(HWND_MESSAGE, h, nullptr, nullptr)) {
        if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId() && !IsSystemWindow(h))
            n += CountTree(h);
    }
    return n;
}

Leaks LeaksOf(const std::function<void()>& body) {
    body();
    PumpPending();
    const int gdi = CountGdiObjects(), windows = CountThreadWindows();
    body();
    PumpPending();
    return {CountGdiObjects() - gdi, CountThreadWindows() - windows};
}

int SoakCycles(int suite, int soak) {
    char value[8] = "";
    return GetEnvironmentVariableA("LUMO_SOAK", value, sizeof value) > 0 && value[0] != '0' ? soak : suite;
}

}  // namespace lumotest
