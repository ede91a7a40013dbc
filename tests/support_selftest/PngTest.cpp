#include "LumoTest.h"

#include <cstdio>

using namespace lumotest;

namespace {

uint32_t Be32(const std::vector<uint8_t>& v, size_t at) {
    return (uint32_t(v[at]) << 24) | (uint32_t(v[at + 1]) << 16) | (uint32_t(v[at + 2]) << 8) | v[at + 3];
}

}  // namespace

TEST(Png, ChecksumsMatchKnownValues) {
    const char* digits = "123456789";
    EXPECT_EQ(0xCBF43926u, Crc32(reinterpret_cast<const uint8_t*>(digits), 9));
    const char* wiki = "Wikipedia";
    EXPECT_EQ(0x11E60398u, Adler32(reinterpret_cast<const uint8_t*>(wiki), 9));
    // Continuing a checksum equals computing it in one go.
    uint32_t part = Crc32(reinterpret_cast<const uint8_t*>(digits), 4);
    EXPECT_EQ(0xCBF43926u, Crc32(reinterpret_cast<const uint8_t*>(digits) + 4, 5, part));
    std::vector<uint8_t> big(100000, 0xFF);
    uint32_t a = Adler32(big.data(), 60000);
    EXPECT_EQ(Adler32(big.data(), big.size()), Adler32(big.data() + 60000, 40000, a));
}

TEST(Png, HeaderAndChunksAreWellFormed) {
    const uint32_t px[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x123456};
    std::vector<uint8_t> png = EncodePng(px, 3, 2, 3);
    ASSERT_GT(png.size(), 8u + 25 + 12);
    const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_TRUE(std::equal(sig, sig + 8, png.begin()));
    EXPECT_EQ(13u, Be32(png, 8));
    EXPECT_EQ(0, memcmp(&png[12], "IHDR", 4));
    EXPECT_EQ(3u, Be32(png, 16));
    EXPECT_EQ(2u, Be32(png, 20));
    EXPECT_EQ(8, png[24]);  // bit depth
    EXPECT_EQ(2, png[25]);  // RGB
    EXPECT_EQ(Crc32(&png[12], 17), Be32(png, 29));
    // The file ends with an empty IEND chunk and its fixed CRC.
    size_t end = png.size() - 12;
    EXPECT_EQ(0u, Be32(png, end));
    EXPECT_EQ(0, memcmp(&png[end + 4], "IEND", 4));
    EXPECT_EQ(0xAE426082u, Be32(png, end + 8));

    int w = 0, h = 0;
    std::vector<uint32_t> back;
    ASSERT_TRUE(DecodeStoredPng(png, &w, &h, &back));
    ASSERT_EQ(3, w);
    ASSERT_EQ(2, h);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(0xFF000000u | px[i], back[i]) << i;

    // Any damaged byte is noticed.
    for (size_t at : {size_t(3), size_t(20), size_t(40), png.size() - 2}) {
        std::vector<uint8_t> bad = png;
        bad[at] ^= 0x10;
        EXPECT_FALSE(DecodeStoredPng(bad, &w, &h, &back)) << at;
    }
    std::vector<uint8_t> cut(png.begin(), png.begin() + png.size() / 2);
    EXPECT_FALSE(DecodeStoredPng(cut, &w, &h, &back));
    EXPECT_FALSE(DecodeStoredPng({}, &w, &h, &back));

    EXPECT_TRUE(EncodePng(nullptr, 3, 2, 3).empty());
    EXPECT_TRUE(EncodePng(px, 0, 2, 3).empty());
    EXPECT_TRUE(EncodePng(px, 3, 2, 2).empty());
}

TEST(Png, LargeImagesSpanSeveralBlocksAndSurviveAFile) {
    // 300 x 200 RGB is 180,200 bytes of image data: three stored blocks.
    const int w = 300, h = 200;
    std::vector<uint32_t> px(w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px[y * w + x] = 0xFF000000u | (x << 16) | (y << 8) | ((x + y) & 0xFF);
    std::string path = TempPath("large.png");
    ASSERT_TRUE(WritePng(path, px.data(), w, h, w, true));
    int rw = 0, rh = 0;
    std::vector<uint32_t> back;
    ASSERT_TRUE(ReadStoredPng(path, &rw, &rh, &back));
    EXPECT_EQ(w, rw);
    EXPECT_EQ(h, rh);
    EXPECT_TRUE(back == px);
    DeleteFileA(path.c_str());
    EXPECT_FALSE(ReadStoredPng(path, &rw, &rh, &back));
    EXPECT_FALSE(WritePng("", px.data(), w, h, w));
}

TEST(Png, CaptureSavesWhatItSaw) {
    HostWindow host(64, 48);
    HWND child = CreateHostWindow(16, 16, true, host);
    SetHostHandler(child, [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
        if (msg != WM_PRINTCLIENT) return false;
        RECT rc;
        GetClientRect(hwnd, &rc);
        HBRUSH b = CreateSolidBrush(RGB(10, 20, 30));
        FillRect(reinterpret_cast<HDC>(wParam), &rc, b);
        DeleteObject(b);
        return true;
    });
    WindowCapture cap(host);
    ASSERT_TRUE(cap.Ok());
    std::string path = TempPath("capture.png");
    ASSERT_TRUE(cap.SavePng(path));
    int w = 0, h = 0;
    std::vector<uint32_t> back;
    ASSERT_TRUE(ReadStoredPng(path, &w, &h, &back));
    ASSERT_EQ(64, w);
    ASSERT_EQ(48, h);
    EXPECT_EQ(0xFF0A141Eu, back[0]);
    EXPECT_EQ(0xFFFFFFFFu, back[47 * 64 + 63]);
    DeleteFileA(path.c_str());
}
