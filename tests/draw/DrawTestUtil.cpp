#include "DrawTestUtil.h"

#include <cstdio>

namespace drawtest {

namespace {

void Put16(std::vector<uint8_t>& v, unsigned n)
{
    v.push_back((uint8_t)(n & 0xFF));
    v.push_back((uint8_t)((n >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& v, uint32_t n)
{
    Put16(v, n & 0xFFFF);
    Put16(v, n >> 16);
}

}  // namespace

std::vector<uint8_t> MakeBmp(int w, int h, const PixelFn& pixel)
{
    const int stride = (w * 3 + 3) & ~3;
    const uint32_t imageSize = (uint32_t)(stride * h);
    std::vector<uint8_t> v;
    v.push_back('B');
    v.push_back('M');
    Put32(v, 54 + imageSize);
    Put32(v, 0);
    Put32(v, 54);
    Put32(v, 40);
    Put32(v, (uint32_t)w);
    Put32(v, (uint32_t)h);
    Put16(v, 1);
    Put16(v, 24);
    Put32(v, 0);
    Put32(v, imageSize);
    Put32(v, 3780);  // 96 DPI in pixels per metre
    Put32(v, 3780);
    Put32(v, 0);
    Put32(v, 0);
    for (int row = h - 1; row >= 0; --row)
    {
        for (int x = 0; x < w; ++x)
        {
            const COLORREF c = pixel(x, row);
            v.push_back(GetBValue(c));
            v.push_back(GetGValue(c));
            v.push_back(GetRValue(c));
        }
        for (int pad = w * 3; pad < stride; ++pad)
            v.push_back(0);
    }
    return v;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& data)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace drawtest
