// Helpers of the drawing toolkit tests: a framework DC over a memory canvas, and bitmap files
// built in memory.
#pragma once

#include <afxwin.h>
#include "LumoTest.h"
#include "PixelTable.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace drawtest {

// A framework DC attached to a memory canvas for the lifetime of the object.
class CanvasDC
{
public:
    CanvasDC(int w, int h, COLORREF fill = RGB(255, 255, 255)) : canvas(w, h, fill)
    {
        dc.Attach(canvas.Dc());
    }
    ~CanvasDC() { dc.Detach(); }

    CDC* operator->() { return &dc; }
    CDC* Dc() { return &dc; }
    COLORREF At(int x, int y) const { return canvas.At(x, y); }

    lumotest::MemoryCanvas canvas;
    CDC dc;
};

// A pen selected for the lifetime of the object.
class ScopedPen
{
public:
    ScopedPen(HDC dc, COLORREF color, int width = 1)
        : dc_(dc), pen_(::CreatePen(PS_SOLID, width, color)), old_(::SelectObject(dc, pen_)) {}
    ~ScopedPen()
    {
        ::SelectObject(dc_, old_);
        ::DeleteObject(pen_);
    }

private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
};

// The routines take rectangles and points by reference; this lends them a temporary.
template <class T>
T& Lend(T&& v) { return v; }

using PixelFn = std::function<COLORREF(int x, int y)>;

// A 24-bit BMP file (top row first in pixel terms).
std::vector<uint8_t> MakeBmp(int w, int h, const PixelFn& pixel);

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& data);

}  // namespace drawtest
