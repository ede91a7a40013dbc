// Helpers of the drawing toolkit tests: a framework DC over a memory canvas, and bitmap files
// built in memory.
#pragma once

#include <afxwin.h>
#include "LumoTest.h"
#include "PixelTable.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace drawtest {

// A framework DC attached to a memory canvas, with a pen of its own selected (not a stock one, so
// a routine leaving a stock pen behind is seen), for the lifetime of the object.
struct CanvasDC {
    CanvasDC(int w, int h, COLORREF fill = RGB(255, 255, 255), COLORREF ink = RGB(0, 0, 0))
        : canvas(w, h, fill), pen(::CreatePen(PS_SOLID, 1, ink)), oldPen(::SelectObject(canvas.Dc(), pen)) {
        dc.Attach(canvas.Dc());
    }
    ~CanvasDC() {
        dc.Detach();
        ::SelectObject(canvas.Dc(), oldPen);
        ::DeleteObject(pen);
    }
    CDC* Dc() { return &dc; }
    COLORREF At(int x, int y) const { return canvas.At(x, y); }

    lumotest::MemoryCanvas canvas;
    HPEN pen;
    HGDIOBJ oldPen;
    CDC dc;
};

// The routines take rectangles and points by reference; this lends them a temporary.
template <class T>
T& Lend(T&& v) { return v; }

// A 24-bit BMP file; pixel(x, y) counts y from the top.
inline std::vector<uint8_t> MakeBmp(int w, int h, const std::function<COLORREF(int x, int y)>& pixel) {
    const int stride = (w * 3 + 3) & ~3;
    const BITMAPFILEHEADER file = {0x4D42, DWORD(54 + stride * h), 0, 0, 54};
    const BITMAPINFOHEADER info = {40, w, h, 1, 24, BI_RGB, DWORD(stride * h), 3780, 3780, 0, 0};  // 96 DPI
    std::vector<uint8_t> v((const uint8_t*)&file, (const uint8_t*)(&file + 1));
    v.insert(v.end(), (const uint8_t*)&info, (const uint8_t*)(&info + 1));
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x)
            v.insert(v.end(), {GetBValue(pixel(x, y)), GetGValue(pixel(x, y)), GetRValue(pixel(x, y))});
        v.resize(v.size() + stride - w * 3);
    }
    return v;
}

inline bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream f(path, std::ios::binary);
    return bool(f.write((const char*)data.data(), data.size()).flush());
}

}  // namespace drawtest
