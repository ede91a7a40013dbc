// Bitmap sizes and bitmaps laid over a window's client area, for CDRAW.
#include "CDRAW.h"

CSize CDRAW::GetBmpSize(HBITMAP hBitmap)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

BOOL CDRAW::fill_with_bmp(HWND hWnd, HDC hDC, HBITMAP hBitmap, DWORD dwRop, int, int)
{
    if (hWnd == NULL || hDC == NULL || hBitmap == NULL || !::IsWindow(hWnd))
        return FALSE;
    CSize size = GetBmpSize(hBitmap);
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HDC hMem = ::CreateCompatibleDC(hDC);
    if (hMem == NULL)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    // Tiles start at the client origin, so the picture stays put while the items scroll.
    for (int y = 0; y < rc.bottom; y += size.cy)
        for (int x = 0; x < rc.right; x += size.cx)
            ::BitBlt(hDC, x, y, size.cx, size.cy, hMem, 0, 0, dwRop);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return TRUE;
}
