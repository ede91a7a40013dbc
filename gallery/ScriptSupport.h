// What the gallery hosts' scripted sessions share: the command line, message pumping, the check
// lines and the screenshots.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <stdint.h>
#include <string.h>
#include <string>
#include <vector>
#include "PngFile.h"

namespace gallery {

// The folder after "--script" on the command line, made if need be; empty for an interactive run.
inline std::string ScriptFolder(int argc, char** argv)
{
    std::string folder;
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--script") == 0 && i + 1 < argc)
            folder = argv[++i];
    if (!folder.empty())
        ::CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

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

// The screen's pixels in a rectangle as 0x00RRGGBB words, top row first; false on failure.
inline bool GrabScreen(const RECT& rc, std::vector<uint32_t>* px)
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = w > 0 && h > 0 ? ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (bmp)
    {
        HGDIOBJ old = ::SelectObject(dc, bmp);
        ::BitBlt(dc, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        px->assign((const uint32_t*)bits, (const uint32_t*)bits + (size_t)w * h);
        for (uint32_t& v : *px)
            v &= 0xFFFFFF;
        ::SelectObject(dc, old);
        ::DeleteObject(bmp);
    }
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bmp != nullptr;
}

// Writes pixels grabbed from rc to folder\\name and prints the screenshot line; no pixels, or
// a failed write, fails the session.
inline bool SaveScreenshot(const std::vector<uint32_t>& px, const RECT& rc, const std::string& folder,
                           const char* name)
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const bool ok = w > 0 && px.size() == (size_t)w * h &&
                    lumopng::WritePng(folder + "\\" + name, px.data(), w, h, w, false, true);
    printf("screenshot: %s %dx%d %s\n", name, w, h, ok ? "written" : "FAILED");
    fflush(stdout);
    if (!ok)
        SessionOk() = false;
    return ok;
}

// Writes what the screen shows of the window, frame included, with a margin right and below,
// to folder\\name and prints the screenshot line; a failure fails the session.
inline bool WriteScreenshot(HWND hwnd, const std::string& folder, const char* name, int margin = 0)
{
    RECT wr, display = { 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN) };
    ::GetWindowRect(hwnd, &wr);
    wr.right += margin;
    wr.bottom += margin;
    // Only what is on the screen: a maximized window reaches past its edges.
    ::IntersectRect(&wr, &wr, &display);
    std::vector<uint32_t> px;
    GrabScreen(wr, &px);
    return SaveScreenshot(px, wr, folder, name);
}

}  // namespace gallery
