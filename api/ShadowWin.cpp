// ShadowWin_*: window shadows.
#include "lumo.h"
#include "shadow/CShadowWin.h"

LUMOAPI int WINAPI ShadowWin_Register(HWND hwnd)
{
    return ShadowWinRegister(hwnd);
}

LUMOAPI int WINAPI ShadowWin_Unregister(HWND hwnd)
{
    return ShadowWinUnregister(hwnd);
}

LUMOAPI void WINAPI ShadowWin_Enable(HWND hwnd, int enable)
{
    ShadowWinEnable(hwnd, enable);
}
