// Running a gallery host's scripted session as a separate process and reading what it leaves:
// its standard output, line by line, and its screenshots.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace gallerytest {

// The folder of the running test program, where the hosts are built too.
inline std::string Folder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/"));
}

// Runs a command line and collects its standard output; false when it cannot start or does
// not end within the time-out (it is then ended).
inline bool RunProcess(const std::string& commandLine, std::string* output, DWORD* exitCode, DWORD timeoutMs) {
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {sizeof(si)};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back(0);
    BOOL started = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return false;
    }
    const DWORD start = GetTickCount();
    bool ended = false;
    char buf[4096];
    for (;;) {
        DWORD avail = 0;
        if (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &avail, nullptr) && avail > 0) {
            DWORD got = 0;
            if (ReadFile(readEnd, buf, sizeof(buf), &got, nullptr) && got > 0) output->append(buf, got);
            continue;
        }
        if (WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) {
            // Whatever is still in the pipe.
            DWORD got = 0;
            while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &avail, nullptr) && avail > 0 &&
                   ReadFile(readEnd, buf, sizeof(buf), &got, nullptr) && got > 0)
                output->append(buf, got);
            ended = true;
            break;
        }
        if (GetTickCount() - start > timeoutMs) break;
    }
    if (!ended) TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, exitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(readEnd);
    return ended;
}

// The lines of text that begin with prefix, without it.
inline std::vector<std::string> Lines(const std::string& text, const char* prefix) {
    std::vector<std::string> lines;
    size_t pos = 0;
    const size_t plen = strlen(prefix);
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, plen, prefix) == 0) lines.push_back(line.substr(plen));
        pos = end + 1;
    }
    return lines;
}

// Removes the PNG files of a session's folder and the folder.
inline void RemoveShots(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE f = FindFirstFileA((folder + "\\*.png").c_str(), &fd);
    if (f != INVALID_HANDLE_VALUE) {
        do DeleteFileA((folder + "\\" + fd.cFileName).c_str());
        while (FindNextFileA(f, &fd));
        FindClose(f);
    }
    RemoveDirectoryA(folder.c_str());
}

// A screenshot: 0xRRGGBB words, top row first.
struct Shot {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    uint32_t At(int x, int y) const {
        return (x >= 0 && y >= 0 && x < w && y < h) ? px[size_t(y) * w + x] & 0xFFFFFF : 0xDEAD;
    }
};

}  // namespace gallerytest
