#include "controls/ParentBackground.h"
#include "frame/HostNotify.h"

namespace ParentBackground {

BOOL Ask(CWnd* pCtrl, HDC hDC, HBRUSH* phBrush)
{
    *phBrush = NULL;
    HWND hSelf = pCtrl->GetSafeHwnd();
    HDC hOwnDC = hDC ? NULL : ::GetDC(hSelf);
    LRESULT lr = 0;
    const BOOL bAlive = HostNotify::Send(pCtrl, ::GetParent(hSelf), WM_CTLCOLORSTATIC,
                                         (WPARAM)(hDC ? hDC : hOwnDC), (LPARAM)hSelf, &lr);
    if (hOwnDC)
        ::ReleaseDC(hSelf, hOwnDC);
    if (bAlive)
        *phBrush = (HBRUSH)lr;
    return bAlive;
}

COLORREF ColourOf(HBRUSH hBrush)
{
    LOGBRUSH lb;
    if (hBrush && ::GetObjectA(hBrush, sizeof(lb), &lb) == sizeof(lb) && lb.lbStyle == BS_SOLID)
        return lb.lbColor & 0x00FFFFFF;
    return ::GetSysColor(COLOR_BTNFACE);
}

}  // namespace ParentBackground
