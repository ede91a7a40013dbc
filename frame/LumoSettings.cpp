// The library's process-wide look settings and the system settings behind them.
#include <afxwin.h>
#include "lumo.h"
#include "frame/LumoSettings.h"
#include "frame/LumoModule.h"

namespace
{

int g_bOwnLook = 0;
int g_nSystemColors = -1;
DWORD g_dwGeneration = 1;
HWND g_hWatch = NULL;  // the watching window

BOOL AskSystem(UINT uiAction)
{
    if (uiAction == SPI_GETHIGHCONTRAST)
    {
        HIGHCONTRASTA hc = {};
        hc.cbSize = sizeof(hc);
        return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
    }
    BOOL bValue = TRUE;
    if (!::SystemParametersInfoA(uiAction, 0, &bValue, 0))
        return TRUE;  // a setting the system does not know leaves the library as it was
    return bValue;
}

LumoSettings::PFN_SystemQuestion g_pfnQuestion = AskSystem;

BOOL CALLBACK RedrawThreadWindow(HWND hWnd, LPARAM)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

// The watch is a hidden top-level window of the watching thread: the system tells setting and
// colour changes to top-level windows only, each of which repaints with its children, among which
// the library's controls. (A hook on the thread's messages would cost every message the host's
// windows are sent.)
const char kWatchClass[] = "LumoSettingsWatch";

LRESULT CALLBACK WatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE)
    {
        ++g_dwGeneration;
        ::EnumThreadWindows(::GetCurrentThreadId(), RedrawThreadWindow, 0);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

namespace LumoSettings
{

int UseOwnLook(int bOn)
{
    WatchThread();
    const int nOld = g_bOwnLook;
    g_bOwnLook = bOn ? 1 : 0;
    if (nOld != g_bOwnLook)
        Changed();
    return nOld;
}

int GetOwnLook()
{
    return g_bOwnLook;
}

BOOL DrawsOwnLook()
{
    return g_bOwnLook || !IsWinXPThemeOpened();
}

int UseSystemColors(int nMode)
{
    if (nMode < -1 || nMode > 1)
        return -2;
    WatchThread();
    const int nOld = g_nSystemColors;
    g_nSystemColors = nMode;
    if (nOld != nMode)
        Changed();
    return nOld;
}

int GetSystemColorsMode()
{
    return g_nSystemColors;
}

BOOL SystemColors()
{
    return g_nSystemColors == 1 || (g_nSystemColors == -1 && HighContrast());
}

BOOL HighContrast()
{
    return g_pfnQuestion(SPI_GETHIGHCONTRAST) ? TRUE : FALSE;
}

BOOL ClientAreaAnimation()
{
    return g_pfnQuestion(SPI_GETCLIENTAREAANIMATION) ? TRUE : FALSE;
}

BOOL MenuAnimation()
{
    return g_pfnQuestion(SPI_GETMENUANIMATION) ? TRUE : FALSE;
}

PFN_SystemQuestion SetSystemQuestion(PFN_SystemQuestion pfn)
{
    PFN_SystemQuestion pfnOld = g_pfnQuestion == AskSystem ? NULL : g_pfnQuestion;
    g_pfnQuestion = pfn ? pfn : AskSystem;
    return pfnOld;
}

DWORD Generation()
{
    return g_dwGeneration;
}

void Changed()
{
    ++g_dwGeneration;
    ::EnumThreadWindows(::GetCurrentThreadId(), RedrawThreadWindow, 0);
}

void WatchThread()
{
    // The window ends with its thread; the next thread that asks makes another.
    if (g_hWatch != NULL && ::IsWindow(g_hWatch))
        return;
    const HINSTANCE hInstance = LumoGetModuleHandle();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WatchProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = kWatchClass;
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return;
    // Never shown, never in the task bar; a message-only window would hear no broadcast.
    g_hWatch = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kWatchClass, "", WS_POPUP, 0, 0, 0, 0, NULL,
                                 NULL, hInstance, NULL);
}

void Unwatch()
{
    if (g_hWatch == NULL)
        return;
    // Another thread (the one unloading the library) cannot destroy the window: it is left with
    // the default procedure, so that nothing calls into the library once it is gone, and closes.
    if (!::DestroyWindow(g_hWatch))
    {
        ::SetWindowLongPtrA(g_hWatch, GWLP_WNDPROC, (LONG_PTR)::DefWindowProcA);
        ::PostMessageA(g_hWatch, WM_CLOSE, 0, 0);
    }
    g_hWatch = NULL;
    ::UnregisterClassA(kWatchClass, LumoGetModuleHandle());
}

}  // namespace LumoSettings
