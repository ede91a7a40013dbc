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
HHOOK g_hWatch = NULL;

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

LRESULT CALLBACK WatchProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION)
    {
        const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
        // The system tells top-level windows only; each of them repaints with its children,
        // among which the library's controls.
        if ((p->message == WM_SYSCOLORCHANGE || p->message == WM_SETTINGCHANGE) &&
            !(::GetWindowLongA(p->hwnd, GWL_STYLE) & WS_CHILD))
        {
            ++g_dwGeneration;
            RedrawThreadWindow(p->hwnd, 0);
        }
    }
    return ::CallNextHookEx(g_hWatch, nCode, wParam, lParam);
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
    if (g_hWatch != NULL)
        return;
    g_hWatch = ::SetWindowsHookExA(WH_CALLWNDPROC, WatchProc, NULL, ::GetCurrentThreadId());
}

void Unwatch()
{
    if (g_hWatch != NULL)
        ::UnhookWindowsHookEx(g_hWatch);
    g_hWatch = NULL;
}

}  // namespace LumoSettings
