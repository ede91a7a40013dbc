// Bitmap, copying and coordinate helpers of the system library stand-in.
#pragma once

#include "SysDefs.h"

class LUMOSYS_API CDRAW
{
public:
    // A rectangle in the window's client coordinates converted to screen coordinates, and back.
    // FALSE (and the rectangle unchanged) when hWnd is not a window.
    static BOOL _ClientToScreen(HWND hWnd, LPRECT lpRect);
    static BOOL _ScreenToClient(HWND hWnd, LPRECT lpRect);

    // What a window shows (its client area; the screen for a null window) in an area whose
    // left and top are a position and whose right and bottom are a width and a height. The
    // bitmap's top-left pixel is the area's top-left corner; parts of the area outside the
    // source are left black. The caller deletes the bitmap. Null on failure.
    static HBITMAP GetWindowBitmap(HWND hWnd, const RECT& rcArea);
    // Copies the cx x cy area of a bitmap that starts at (xSrc, ySrc) to (x, y) of a device
    // context with a raster operation.
    static BOOL BitBltDirect(HDC hDC, int x, int y, int cx, int cy, HBITMAP hBitmap,
                             int xSrc = 0, int ySrc = 0, DWORD dwRop = SRCCOPY);
    // Copies a cx x cy area of one device context to another, leaving the pixels of one colour
    // of the source out (the destination shows through there).
    static BOOL TransparentBlt2(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc,
                                int ySrc, COLORREF crTransparent);
    // Darkens the 4-pixel strips inside the right and bottom edges of a rectangle of a device
    // context into a soft shadow: darkest next to the rectangle's body, fading outwards, with
    // rounded ends. hWnd and nFlags are not used.
    static void DrawShadow(HWND hWnd, HDC hDC, const RECT& rc, int nFlags = 0);

    // A drawing object for one paint pass; the flags and window are kept but not needed by
    // fill_with_bmp, which is told its window.
    CDRAW(int nFlags = 0, HWND hWnd = NULL) : m_nFlags(nFlags), m_hWnd(hWnd) {}
    // Lays a bitmap over the whole client area of hWnd in hDC, tiled from the client origin,
    // with a raster operation. nReserved1 and nReserved2 are not used. FALSE when there is no
    // bitmap or window.
    BOOL fill_with_bmp(HWND hWnd, HDC hDC, HBITMAP hBitmap, DWORD dwRop, int nReserved1,
                       int nReserved2);
    // Pixel width and height of a bitmap; 0 x 0 for no bitmap.
    static CSize GetBmpSize(HBITMAP hBitmap);

private:
    int m_nFlags;
    HWND m_hWnd;
};
