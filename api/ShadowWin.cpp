// ShadowWin_*: window shadows.
#include "lumo.h"
#include "shadow/CShadowWin.h"

LUMOAPI int WINAPI ShadowWin_Register(HWND hwnd)
{
    return CShadowWin::Register(hwnd);
}

LUMOAPI int WINAPI ShadowWin_Unregister(HWND hwnd)
{
    return CShadowWin::Unregister(hwnd);
}

LUMOAPI void WINAPI ShadowWin_Enable(HWND hwnd, int enable)
{
    CShadowWin::Enable(hwnd, enable);
}
