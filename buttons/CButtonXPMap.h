// Buttons of a host given the XP look without being framework windows: each keeps a CButtonXP_
// in a module-wide map, its previous window procedure in the property "Proc_CButtonXPBP", and
// runs through the library's procedure until its WM_DESTROY, which puts everything back.
#pragma once

#include <afxwin.h>

class CButtonXP_;

class CButtonXPMap
{
public:
    // The object attached to a window; null when it has none.
    static CButtonXP_* Lookup(HWND hWnd);
    // The window's object, attaching it first when needed; null when the window cannot be
    // subclassed (it is then left as it was).
    static CButtonXP_* Attach(HWND hWnd);
    // Attaches when needed and paints the button into hDC. 1, or 0 for a null argument, a
    // screen of 8 bits per pixel or fewer, or a window that cannot be attached.
    static int AttachAndPaint(HWND hWnd, HDC hDC);
    // Attaches when needed and sets the background colour. 1, or 0 as AttachAndPaint.
    static int SetBkColor(HWND hWnd, COLORREF crBk);

private:
    static BOOL ScreenHasColours();
    static void Detach(HWND hWnd);
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
