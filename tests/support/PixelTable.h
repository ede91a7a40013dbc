// Pixel expectations written as tables: one entry per pixel, every entry checked, and each
// pixel that differs named with the colour found there.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>

namespace lumotest {

struct PixelIs {
    int x, y;
    COLORREF color;
};

// img is anything with COLORREF At(int x, int y): MemoryCanvas, WindowCapture, ...
template <class Image>
::testing::AssertionResult PixelsAre(const Image& img, std::initializer_list<PixelIs> expected) {
    std::ostringstream bad;
    for (const PixelIs& p : expected) {
        const COLORREF got = img.At(p.x, p.y);
        if (got != p.color)
            bad << " (" << p.x << "," << p.y << ") is " << std::hex << got << " not " << p.color
                << std::dec << ";";
    }
    if (bad.tellp() == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixels differ:" << bad.str();
}

// The same colour at every listed point.
template <class Image>
::testing::AssertionResult PixelsAre(const Image& img, COLORREF color,
                                     std::initializer_list<POINT> points) {
    std::ostringstream bad;
    for (const POINT& p : points) {
        const COLORREF got = img.At(p.x, p.y);
        if (got != color) bad << " (" << p.x << "," << p.y << ") is " << std::hex << got << std::dec << ";";
    }
    if (bad.tellp() == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not " << std::hex << color << std::dec << ":" << bad.str();
}

}  // namespace lumotest
