// An off-screen picture a window keeps from paint to paint: a memory device context with a
// 32-bit top-down DIB section selected. It is made when first asked for, made again only when
// asked for more room than it has, and freed by Free or with the object, so painting creates
// nothing while the window keeps its size.
#pragma once

#include <windows.h>

class CBackBuffer
{
public:
    CBackBuffer();
    ~CBackBuffer();

    // The memory DC, its bitmap at least cx x cy pixels; null when it cannot be made (the
    // caller then draws straight to its target). What the last user selected or set stays.
    HDC Get(int cx, int cy);
    // The pixels, 0x00RRGGBB, Width() to a row, top row first; null before Get succeeded.
    DWORD* Bits() const { return m_pBits; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    void Free();

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOldBitmap;
    DWORD* m_pBits;
    int m_cx;
    int m_cy;

    CBackBuffer(const CBackBuffer&);
    CBackBuffer& operator=(const CBackBuffer&);
};
