// Window bitmaps, bitmap copies and drawn shadows of CDRAW.
#include "CDRAW.h"

HBITMAP CDRAW::GetWindowBitmap(HWND hWnd, const RECT& rcArea)
{
    int cx = rcArea.right;
    int cy = rcArea.bottom;
    if (cx <= 0 || cy <= 0)
        return NULL;
    if (hWnd != NULL && !::IsWindow(hWnd))
        return NULL;

    HDC hSrc = ::GetDC(hWnd);
    if (hSrc == NULL)
        return NULL;
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hSrc, cx, cy);
    HDC hMem = hBitmap ? ::CreateCompatibleDC(hSrc) : NULL;
    if (hMem != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        // Start black, so pixels the source cannot give are defined.
        ::PatBlt(hMem, 0, 0, cx, cy, BLACKNESS);
        ::BitBlt(hMem, 0, 0, cx, cy, hSrc, rcArea.left, rcArea.top, SRCCOPY);
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
    }
    else if (hBitmap != NULL)
    {
        ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    ::ReleaseDC(hWnd, hSrc);
    return hBitmap;
}

BOOL CDRAW::BitBltDirect(HDC hDC, int x, int y, int cx, int cy, HBITMAP hBitmap, int xSrc, int ySrc, DWORD dwRop)
{
    if (hDC == NULL || hBitmap == NULL || cx <= 0 || cy <= 0)
        return FALSE;
    HDC hMem = ::CreateCompatibleDC(hDC);
    if (hMem == NULL)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    BOOL bOk = hOld != NULL && ::BitBlt(hDC, x, y, cx, cy, hMem, xSrc, ySrc, dwRop);
    if (hOld != NULL)
        ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return bOk;
}

namespace {

// Strip factors from the body outwards, and the corner fall-off by distance from the corner.
const int kStrip[4] = {140, 170, 212, 240};
const int kCorner[7] = {170, 205, 220, 240, 240, 250, 255};

}  // namespace

void CDRAW::DrawShadow(HWND, HDC hDC, const RECT& rc, int)
{
    int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    if (hDC == NULL || R - L < 12 || B - T < 12)
        return;
    // The strips are read and written through a 32-bit buffer: per-pixel calls on a screen
    // device context are slow.
    int w = R - L, h = B - T;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pvBits = NULL;
    HBITMAP hDib = ::CreateDIBSection(hDC, &bi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    if (hDib == NULL)
        return;
    HDC hMem = ::CreateCompatibleDC(hDC);
    if (hMem == NULL)
    {
        ::DeleteObject(hDib);
        return;
    }
    HGDIOBJ hOld = ::SelectObject(hMem, hDib);
    ::BitBlt(hMem, 0, 0, w, h, hDC, L, T, SRCCOPY);
    ::GdiFlush();
    DWORD* px = static_cast<DWORD*>(pvBits);
    auto darken = [&](int x, int y, int f) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return;
        DWORD v = px[y * w + x];
        DWORD b = (v & 0xFF) * f / 255, g = ((v >> 8) & 0xFF) * f / 255, r = ((v >> 16) & 0xFF) * f / 255;
        px[y * w + x] = (r << 16) | (g << 8) | b;
    };
    for (int k = 0; k < 4; k++)
    {
        for (int x = 6; x <= w - 5; x++)
            darken(x, h - 4 + k, kStrip[k]);
        for (int y = 6; y <= h - 5; y++)
            darken(w - 4 + k, y, kStrip[k]);
    }
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++)
        {
            int f = kCorner[i + j];
            darken(w - 4 + i, h - 4 + j, f);  // bottom right
            darken(5 - i, h - 4 + j, f);      // bottom left
            darken(w - 4 + i, 5 - j, f);      // top right
        }
    // Only the strips go back; the body of the rectangle is left alone.
    ::BitBlt(hDC, R - 4, T, 4, h, hMem, w - 4, 0, SRCCOPY);
    ::BitBlt(hDC, L, B - 4, w - 4, 4, hMem, 0, h - 4, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hDib);
}
