// The drop shadows' ramp, and the strips of a menu's shadow drawn with it.
#include "shadow/ShadowRamp.h"

namespace
{
// The 96-DPI ramp: band factors from the body outwards; corner factors by the sum of the
// steps across and down.
const int kSteps = 4;
const int kBand[kSteps] = {140, 170, 212, 240};
const int kCorner[2 * kSteps - 1] = {170, 205, 220, 240, 240, 250, 255};

int Step(int k, int nWidth)
{
    if (k < 0 || nWidth <= 0)
        return 0;
    const int n = k * kSteps / nWidth;
    return n < kSteps ? n : kSteps - 1;
}
}  // namespace

int ShadowRamp::Width(int nDpi)
{
    const int w = ::MulDiv(kSteps, nDpi > 0 ? nDpi : 96, 96);
    return w < kSteps ? kSteps : w;
}

int ShadowRamp::Band(int k, int nWidth)
{
    return kBand[Step(k, nWidth)];
}

int ShadowRamp::Corner(int i, int j, int nWidth)
{
    return kCorner[Step(i, nWidth) + Step(j, nWidth)];
}

COLORREF ShadowRamp::Darken(COLORREF cr, int f)
{
    return RGB(GetRValue(cr) * f / 255, GetGValue(cr) * f / 255, GetBValue(cr) * f / 255);
}

void ShadowRamp::DarkenStrips(HDC hDC, const RECT& rc, int W)
{
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    // The corners' fall-off starts this far in from the rectangle's other ends.
    const int nInset = W + W / 2;
    if (hDC == NULL || W <= 0 || R - L < 3 * W || B - T < 3 * W)
        return;
    // The strips are read and written through a 32-bit buffer: per-pixel calls on a screen
    // device context are slow.
    const int w = R - L, h = B - T;
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
        const DWORD v = px[y * w + x];
        const DWORD b = (v & 0xFF) * f / 255, g = ((v >> 8) & 0xFF) * f / 255, r = ((v >> 16) & 0xFF) * f / 255;
        px[y * w + x] = (r << 16) | (g << 8) | b;
    };
    for (int k = 0; k < W; k++)
    {
        for (int x = nInset; x <= w - W - 1; x++)
            darken(x, h - W + k, Band(k, W));
        for (int y = nInset; y <= h - W - 1; y++)
            darken(w - W + k, y, Band(k, W));
    }
    for (int i = 0; i < W; i++)
        for (int j = 0; j < W; j++)
        {
            const int f = Corner(i, j, W);
            darken(w - W + i, h - W + j, f);       // bottom right
            darken(nInset - 1 - i, h - W + j, f);  // bottom left
            darken(w - W + i, nInset - 1 - j, f);  // top right
        }
    ::BitBlt(hDC, R - W, T, W, h, hMem, w - W, 0, SRCCOPY);
    ::BitBlt(hDC, L, B - W, w - W, W, hMem, 0, h - W, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(hDib);
}
