// What this process holds and what it starts: its GDI objects and its thread's windows, counted
// for leak checks; temporary paths, the program's folder, and child processes with their output.
#include "LumoTest.h"

#include <cstring>
#include <sstream>

namespace lumotest {
namespace {

// Layout of the process's GDI handle table, which the PEB points to. Each entry describes one
// handle slot (the low 16 bits of a handle are its index); a non-zero type byte means a live
// object. Where the table is shared between processes the owner field holds the creating
// process id shifted right by two; Wine keeps a table per process and leaves the field zero.
#ifdef _WIN64
const size_t kPebOffsetInTeb = 0x60, kTableOffsetInPeb = 0xF8, kEntrySize = 24, kOwnerOffset = 8, kTypeOffset = 14;
#else
const size_t kPebOffsetInTeb = 0x30, kTableOffsetInPeb = 0x94, kEntrySize = 16, kOwnerOffset = 4, kTypeOffset = 10;
#endif
const unsigned char kRegionType = 4;

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
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) n += CountTree(c);
    return n;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM param) {
    if (!IsSystemWindow(hwnd)) *reinterpret_cast<int*>(param) += CountTree(hwnd);
    return TRUE;
}

}  // namespace

int CountGdiObjects(bool regions) {
    // The segment-register read behind NtCurrentTeb looks like an out-of-bounds access to GCC.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const unsigned char* teb = reinterpret_cast<const unsigned char*>(NtCurrentTeb());
#pragma GCC diagnostic pop
    const unsigned char* peb = teb ? *reinterpret_cast<const unsigned char* const*>(teb + kPebOffsetInTeb) : nullptr;
    const auto* table = peb ? *reinterpret_cast<const unsigned char* const*>(peb + kTableOffsetInPeb) : nullptr;
    if (!table) return -1;
    const USHORT pid = static_cast<USHORT>(GetCurrentProcessId() >> 2);
    int n = 0;
    for (size_t i = 0; i < 65536; ++i) {
        const unsigned char* e = table + i * kEntrySize;
        const USHORT owner = *reinterpret_cast<const USHORT*>(e + kOwnerOffset);
        n += e[kTypeOffset] != 0 && (regions || e[kTypeOffset] != kRegionType) && (owner == 0 || owner == pid);
    }
    return n;
}

int CountThreadWindows() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&n));
    // Message-only windows are not enumerated with the others.
    for (HWND h = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
         h = FindWindowExA(HWND_MESSAGE, h, nullptr, nullptr))
        if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId() && !IsSystemWindow(h)) n += CountTree(h);
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

std::string TempPath(const char* name) {
    static LONG counter = 0;
    char dir[MAX_PATH] = "";
    const DWORD len = GetTempPathA(sizeof dir, dir);
    std::string path = len == 0 || len >= sizeof dir ? ".\\" : dir;
    if (path.back() != '\\' && path.back() != '/') path += '\\';
    return path + "lumo_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(InterlockedIncrement(&counter)) + "_" + (name ? name : "tmp");
}

std::string ModuleDir() {
    char buf[MAX_PATH * 2] = "";
    const DWORD len = GetModuleFileNameA(nullptr, buf, sizeof buf);
    const std::string path(buf, len < sizeof buf ? len : 0);
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool RunProcess(const std::string& commandLine, std::string* output, DWORD* exitCode, DWORD timeoutMs,
                const char* dir) {
    // The child writes into a temporary file, read once it has ended, so it never waits on a
    // full pipe.
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE file = CreateFileA(TempPath("output.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &sa, CREATE_ALWAYS,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    STARTUPINFOA si = {sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = file;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    bool ended = false;
    if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, dir, &si, &pi)) {
        ended = WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
        if (!ended) TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, exitCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    char buf[4096];
    DWORD got = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    while (ReadFile(file, buf, sizeof buf, &got, nullptr) && got > 0) output->append(buf, got);
    CloseHandle(file);
    return ended;
}

std::vector<std::string> Lines(const std::string& text, const char* prefix) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(prefix, 0) == 0) lines.push_back(line.substr(strlen(prefix)));
    }
    return lines;
}

}  // namespace lumotest
