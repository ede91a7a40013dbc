// The background a control's parent paints static controls with, asked for the way the
// platform's static control asks (WM_CTLCOLORSTATIC).
#pragma once

#include <afxwin.h>

namespace ParentBackground {

// Sends WM_CTLCOLORSTATIC (wParam hDC, or a DC of the control when hDC is null; lParam the
// control) to the control's parent and leaves the brush it answers in *phBrush (null when it
// answers none). FALSE when the parent destroyed the control meanwhile: the caller returns at
// once without touching a member.
BOOL Ask(CWnd* pCtrl, HDC hDC, HBRUSH* phBrush);

// The colour of a solid brush; the button face colour for no brush or a patterned or hollow one,
// which have no single colour to blend from.
COLORREF ColourOf(HBRUSH hBrush);

}  // namespace ParentBackground
