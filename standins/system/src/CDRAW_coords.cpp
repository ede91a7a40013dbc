// Coordinate conversion of CDRAW.
#include "CDRAW.h"

namespace {

// Passing the rectangle as two points lets the system keep left < right for mirrored windows.
BOOL MapRect(HWND hFrom, HWND hTo, LPRECT lpRect)
{
    RECT rc = *lpRect;
    SetLastError(0);
    if (::MapWindowPoints(hFrom, hTo, reinterpret_cast<LPPOINT>(&rc), 2) == 0 && GetLastError() != 0)
        return FALSE;
    *lpRect = rc;
    return TRUE;
}

}  // namespace

BOOL CDRAW::_ClientToScreen(HWND hWnd, LPRECT lpRect)
{
    if (lpRect == NULL || hWnd == NULL || !::IsWindow(hWnd))
        return FALSE;
    return MapRect(hWnd, NULL, lpRect);
}

BOOL CDRAW::_ScreenToClient(HWND hWnd, LPRECT lpRect)
{
    if (lpRect == NULL || hWnd == NULL || !::IsWindow(hWnd))
        return FALSE;
    return MapRect(NULL, hWnd, lpRect);
}
