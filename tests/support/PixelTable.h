// Pixel expectations written as tables: one entry per pixel, every entry checked, and each
// pixel that differs named with the colour found there.
#pragma once

#include "LumoTest.h"

#include <sstream>

namespace lumotest {

struct PixelIs {
    int x, y;
    COLORREF color;
};

// img is anything with COLORREF At(int x, int y): MemoryCanvas, WindowCapture, ...
template <class Image, class Table>
::testing::AssertionResult PixelTableHolds(const Image& img, const Table& expected) {
    std::ostringstream bad;
    for (const PixelIs& p : expected)
        if (img.At(p.x, p.y) != p.color)
            bad << " (" << p.x << "," << p.y << ") is " << std::hex << img.At(p.x, p.y) << " not " << p.color
                << std::dec << ";";
    if (bad.tellp() == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixels differ:" << bad.str();
}

template <class Image>
::testing::AssertionResult PixelsAre(const Image& img, std::initializer_list<PixelIs> expected) {
    return PixelTableHolds(img, expected);
}

// The same colour at every listed point.
template <class Image>
::testing::AssertionResult PixelsAre(const Image& img, COLORREF color, std::initializer_list<POINT> points) {
    std::vector<PixelIs> expected;
    for (const POINT& p : points) expected.push_back({p.x, p.y, color});
    return PixelTableHolds(img, expected);
}

}  // namespace lumotest
