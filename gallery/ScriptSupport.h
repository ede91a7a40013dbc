// What both gallery hosts' scripted sessions share: message pumping and the check lines.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>
#include "PngFile.h"

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

// Writes what the screen shows of the window, frame included, with a margin right and below,
// to folder\\name and prints the screenshot line; a failure fails the session.
inline bool WriteScreenshot(HWND hwnd, const std::string& folder, const char* name, int margin = 0)
{
    RECT wr;
    ::GetWindowRect(hwnd, &wr);
    const int w = wr.right - wr.left + margin, h = wr.bottom - wr.top + margin;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bmp)
    {
        HGDIOBJ old = ::SelectObject(dc, bmp);
        ::BitBlt(dc, 0, 0, w, h, screen, wr.left, wr.top, SRCCOPY);
        ::GdiFlush();
        ok = lumopng::WritePng(folder + "\\" + name, (const uint32_t*)bits, w, h, w, false, true);
        ::SelectObject(dc, old);
        ::DeleteObject(bmp);
    }
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    printf("screenshot: %s %dx%d %s\n", name, w, h, ok ? "written" : "FAILED");
    fflush(stdout);
    if (!ok)
        SessionOk() = false;
    return ok;
}

}  // namespace gallery
