// Keyboard cues a control keeps itself: whether it shows its focus rectangle. The platform may
// not answer WM_QUERYUISTATE nor pass WM_UPDATEUISTATE on, so each control that draws a focus
// rectangle keeps the flag and follows the WM_UPDATEUISTATE it receives.
#pragma once

#include <windows.h>

namespace KeyboardCues {

// TRUE when the window's own answer says its focus rectangle is hidden.
inline int FocusHidden(HWND hWnd)
{
    return (::SendMessageA(hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

// Applies WM_UPDATEUISTATE's wParam to the control's flag. TRUE when it concerned the focus
// rectangle (the control repaints what shows it).
inline BOOL Update(HWND hWnd, WPARAM wParam, int* pbHideFocus)
{
    if (!(HIWORD(wParam) & UISF_HIDEFOCUS))
        return FALSE;
    if (LOWORD(wParam) == UIS_SET)
        *pbHideFocus = 1;
    else if (LOWORD(wParam) == UIS_CLEAR)
        *pbHideFocus = 0;
    else if (LOWORD(wParam) == UIS_INITIALIZE)
        *pbHideFocus = FocusHidden(hWnd);
    return TRUE;
}

}  // namespace KeyboardCues
