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

// LSB-first bit packer for GIF's LZW stream.
class BitWriter
{
public:
    void Write(unsigned code, int bits)
    {
        acc_ |= (uint32_t)code << count_;
        count_ += bits;
        while (count_ >= 8)
        {
            bytes.push_back((uint8_t)(acc_ & 0xFF));
            acc_ >>= 8;
            count_ -= 8;
        }
    }
    void Flush()
    {
        if (count_ > 0)
            bytes.push_back((uint8_t)(acc_ & 0xFF));
        acc_ = 0;
        count_ = 0;
    }
    std::vector<uint8_t> bytes;

private:
    uint32_t acc_ = 0;
    int count_ = 0;
};

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

std::vector<uint8_t> MakeGif(int w, int h, const COLORREF palette[4],
                             const std::function<int(int x, int y)>& index)
{
    std::vector<uint8_t> v;
    v.reserve(64 + (size_t)w * h);
    for (const char* p = "GIF89a"; *p; ++p)
        v.push_back((uint8_t)*p);
    Put16(v, (unsigned)w);
    Put16(v, (unsigned)h);
    v.push_back(0xF1);  // global colour table of 4 entries
    v.push_back(0);
    v.push_back(0);
    for (int i = 0; i < 4; ++i)
    {
        v.push_back(GetRValue(palette[i]));
        v.push_back(GetGValue(palette[i]));
        v.push_back(GetBValue(palette[i]));
    }
    v.push_back(0x2C);
    Put16(v, 0);
    Put16(v, 0);
    Put16(v, (unsigned)w);
    Put16(v, (unsigned)h);
    v.push_back(0);
    v.push_back(2);  // minimum code size

    // Literal codes only, with a clear code before every second pixel so the table never
    // grows far enough to widen the codes beyond 3 bits.
    const unsigned kClear = 4, kEnd = 5;
    BitWriter bits;
    int n = 0;
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            if (n % 2 == 0)
                bits.Write(kClear, 3);
            bits.Write((unsigned)index(x, y) & 3, 3);
            ++n;
        }
    }
    bits.Write(kEnd, 3);
    bits.Flush();
    for (size_t pos = 0; pos < bits.bytes.size(); pos += 255)
    {
        const size_t len = std::min<size_t>(255, bits.bytes.size() - pos);
        v.push_back((uint8_t)len);
        v.insert(v.end(), bits.bytes.begin() + pos, bits.bytes.begin() + pos + len);
    }
    v.push_back(0);
    v.push_back(0x3B);
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
