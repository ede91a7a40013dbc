// Line and rectangle drawing in a given colour, for callers that have no pen of that colour.
#include "LumoSys.h"

void CPub::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF crColor)
{
    HDC hDC = pDC->GetSafeHdc();
    if (!hDC)
        return;
    HPEN hPen = ::CreatePen(PS_SOLID, 1, crColor);
    if (!hPen)
        return;
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    POINT old;
    ::MoveToEx(hDC, x1, y1, &old);
    ::LineTo(hDC, x2, y2);
    ::MoveToEx(hDC, old.x, old.y, nullptr);
    ::SelectObject(hDC, hOldPen);
    ::DeleteObject(hPen);
}

void CPub::DrawLine(CDC* pDC, POINT from, POINT to, COLORREF crColor)
{
    DrawLine(pDC, from.x, from.y, to.x, to.y, crColor);
}

void CPub::DrawRect(CDC* pDC, int left, int top, int right, int bottom, COLORREF crColor)
{
    HDC hDC = pDC->GetSafeHdc();
    if (!hDC)
        return;
    HPEN hPen = ::CreatePen(PS_SOLID, 1, crColor);
    if (!hPen)
        return;
    HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(hDC, left, top, right, bottom);
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
    ::DeleteObject(hPen);
}

void CPub::DrawRect(CDC* pDC, const RECT& rect, COLORREF crColor)
{
    DrawRect(pDC, rect.left, rect.top, rect.right, rect.bottom, crColor);
}
