// Transparent copies of the system library stand-in.
#include "CDRAW.h"

BOOL CDRAW::TransparentBlt2(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc,
                            int ySrc, COLORREF crTransparent)
{
    if (!hdcDest || !hdcSrc || cx <= 0 || cy <= 0)
        return FALSE;
    return ::GdiTransparentBlt(hdcDest, x, y, cx, cy, hdcSrc, xSrc, ySrc, cx, cy, crTransparent);
}
