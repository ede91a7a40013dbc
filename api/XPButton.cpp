// XPButton_*: the XP look for buttons a host already has.
#include "lumo.h"
#include "buttons/CButtonXPMap.h"

LUMOAPI int WINAPI XPButton_Attach(HWND hButton, HDC hDC)
{
    return CButtonXPMap::AttachAndPaint(hButton, hDC);
}

LUMOAPI int WINAPI XPButton_SetBkColor(HWND hButton, COLORREF crBk)
{
    return CButtonXPMap::SetBkColor(hButton, crBk);
}
