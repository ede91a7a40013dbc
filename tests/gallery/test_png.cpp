// The PNG file code the gallery's screenshots are written with and the tests read them by:
// the stored form byte by byte, the compressed form by round trips and damaged streams.
#include "LumoTest.h"

#include <algorithm>
#include <cstring>

using namespace lumotest;

namespace {

uint32_t Be32(const std::vector<uint8_t>& v, size_t at) {
    return (uint32_t(v[at]) << 24) | (uint32_t(v[at + 1]) << 16) | (uint32_t(v[at + 2]) << 8) | v[at + 3];
}

std::vector<uint32_t> Roundtrip(const std::vector<uint32_t>& px, int w, int h, bool alpha,
                                size_t* size) {
    std::vector<uint8_t> png = EncodePng(px.data(), w, h, w, alpha, true);
    if (size) *size = png.size();
    int rw = 0, rh = 0;
    std::vector<uint32_t> back;
    if (!DecodeStoredPng(png, &rw, &rh, &back) || rw != w || rh != h) return {};
    return back;
}

}  // namespace

TEST(PngCompressed, FlatNoisyAndLongImagesComeBackExactly) {
    // Flat colour with a few shapes: what a screenshot mostly is. Far smaller than stored.
    const int w = 400, h = 300;
    std::vector<uint32_t> flat(w * h, 0xFFF6F7FAu);
    for (int y = 40; y < 90; ++y)
        for (int x = 20; x < 380; ++x) flat[y * w + x] = 0xFF3A6EA5u;
    for (int x = 0; x < w; x += 7) flat[150 * w + x] = 0xFF000000u | (x * 0x010203u & 0xFFFFFF);
    size_t size = 0;
    EXPECT_TRUE(Roundtrip(flat, w, h, false, &size) == flat);
    EXPECT_LT(size * 20, EncodePng(flat.data(), w, h, w).size());

    // Noise: no matches to find, every byte a literal of 8 or 9 bits (all 256 values occur).
    std::vector<uint32_t> noise(97 * 61);
    uint32_t seed = 12345;
    for (auto& p : noise) {
        seed = seed * 1103515245u + 12345u;
        p = seed;
    }
    EXPECT_TRUE(Roundtrip(noise, 97, 61, true, nullptr) == noise);

    // Repeats at every distance class up to the window and lengths up to the longest match.
    const int lw = 3000, lh = 40;
    std::vector<uint32_t> rows(lw * lh);
    for (int y = 0; y < lh; ++y)
        for (int x = 0; x < lw; ++x) rows[y * lw + x] = 0xFF000000u | ((x * 31 + (y % 3) * 7) % 251);
    EXPECT_TRUE(Roundtrip(rows, lw, lh, false, nullptr) == rows);

    // A single pixel still makes a complete stream.
    std::vector<uint32_t> one(1, 0xFF102030u);
    EXPECT_TRUE(Roundtrip(one, 1, 1, false, nullptr) == one);
}

TEST(PngCompressed, DamagedStreamsAreRefused) {
    // Noise, so that no flipped bit can turn into an equivalent match elsewhere.
    std::vector<uint32_t> px(64 * 32);
    uint32_t seed = 99;
    for (auto& p : px) {
        seed = seed * 1103515245u + 12345u;
        p = seed >> 4;
    }
    std::vector<uint8_t> png = EncodePng(px.data(), 64, 32, 64, false, true);
    ASSERT_FALSE(png.empty());
    int w = 0, h = 0;
    std::vector<uint32_t> back;
    ASSERT_TRUE(DecodeStoredPng(png, &w, &h, &back));
    // IDAT data begins after the signature, the IHDR chunk (25 bytes) and the IDAT length and
    // type. Flipping a bit in the deflate data and fixing the chunk CRC leaves only the stream
    // itself (codes, distances, Adler-32) to catch the fault.
    const size_t idat = 8 + 25;
    const uint32_t len = (png[idat] << 24) | (png[idat + 1] << 16) | (png[idat + 2] << 8) | png[idat + 3];
    // The deflate data's last byte may hold padding bits, which decoders ignore: it is skipped,
    // the Adler-32 after it is not.
    std::vector<size_t> places = {len - 1, len - 4};
    for (size_t at = 2; at < len - 5; at += len / 9 + 1) places.push_back(at);
    for (size_t at : places) {
        std::vector<uint8_t> bad = png;
        bad[idat + 8 + at] ^= 0x10;
        uint32_t crc = Crc32(&bad[idat + 4], len + 4);
        for (int k = 0; k < 4; ++k) bad[idat + 8 + len + k] = static_cast<uint8_t>(crc >> (24 - 8 * k));
        EXPECT_FALSE(DecodeStoredPng(bad, &w, &h, &back)) << at;
    }
    // Dynamic Huffman blocks are not read: BTYPE 10 in the first byte after the zlib header.
    std::vector<uint8_t> dynamic = png;
    dynamic[idat + 8 + 2] = (dynamic[idat + 8 + 2] & ~0x06) | 0x04;
    uint32_t crc = Crc32(&dynamic[idat + 4], len + 4);
    for (int k = 0; k < 4; ++k) dynamic[idat + 8 + len + k] = static_cast<uint8_t>(crc >> (24 - 8 * k));
    EXPECT_FALSE(DecodeStoredPng(dynamic, &w, &h, &back));
}

TEST(Png, StoredFormIsWellFormedAndChecked) {
    const uint8_t* digits = reinterpret_cast<const uint8_t*>("123456789");
    EXPECT_EQ(0xCBF43926u, Crc32(digits, 9));
    EXPECT_EQ(0xCBF43926u, Crc32(digits + 4, 5, Crc32(digits, 4)));
    EXPECT_EQ(0x11E60398u, Adler32(reinterpret_cast<const uint8_t*>("Wikipedia"), 9));

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
