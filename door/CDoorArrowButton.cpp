#include "door/CDoorArrowButton.h"

void CDoorArrowButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CButtonBMP::DrawItem(lpDIS);

    HDC hDC = lpDIS->hDC;
    const RECT& rc = lpDIS->rcItem;
    const int mx = (rc.left + rc.right) / 2;
    const int my = (rc.top + rc.bottom) / 2;
    HPEN hDark = ::CreatePen(PS_SOLID, 1, RGB(0x48, 0x64, 0xA5));
    HPEN hWhite = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ hOld = ::SelectObject(hDC, hDark);
    for (int k = 0; k < 3; ++k)
    {
        const int len = 6 - 2 * k;
        const int y = my - 2 + k;
        if (m_bOpened)
        {
            const int x = mx - 1 - k;
            ::SelectObject(hDC, hDark);
            ::MoveToEx(hDC, x, y - 1, NULL);
            ::LineTo(hDC, x, y);
            ::SelectObject(hDC, hWhite);
            ::MoveToEx(hDC, x, y, NULL);
            ::LineTo(hDC, x, y + len);
        }
        else
        {
            const int x = mx - 3 + k;
            ::SelectObject(hDC, hWhite);
            ::MoveToEx(hDC, x, y, NULL);
            ::LineTo(hDC, x, y + len);
            ::SelectObject(hDC, hDark);
            ::MoveToEx(hDC, x, y + len, NULL);
            ::LineTo(hDC, x, y + len + 1);
        }
    }
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hDark);
    ::DeleteObject(hWhite);
}

CString CDoorArrowButton::GetAccessibleName()
{
    const CString strHost = CButtonBMP::GetAccessibleName();
    if (!strHost.IsEmpty())
        return strHost;
    return m_bOpened ? CString("Close panel") : CString("Open panel");
}
