// The PNG file code the gallery's screenshots are written with and the tests read them by:
// round trips of every kind of image, checksums, and damaged or cut files refused.
#include "LumoTest.h"

using namespace lumotest;

namespace {

std::vector<uint32_t> Noise(size_t n, uint32_t seed) {
    std::vector<uint32_t> px(n);
    for (auto& p : px) p = seed = seed * 1103515245u + 12345u;
    return px;
}

// Writes its CRC again after a chunk was changed, so only the stream itself can notice.
void FixCrc(std::vector<uint8_t>& png, size_t chunk, uint32_t len) {
    uint32_t crc = Crc32(&png[chunk + 4], len + 4);
    for (int k = 0; k < 4; ++k) png[chunk + 8 + len + k] = static_cast<uint8_t>(crc >> (24 - 8 * k));
}

}  // namespace

TEST(Png, ImagesComeBackExactlyStoredOrCompressed) {
    EXPECT_EQ(0xCBF43926u, Crc32(reinterpret_cast<const uint8_t*>("123456789"), 9));
    EXPECT_EQ(0x11E60398u, Adler32(reinterpret_cast<const uint8_t*>("Wikipedia"), 9));
    // Flat colour with shapes (a screenshot), noise (literals only), repeats at every distance
    // class (3000 wide rows), one pixel; 300 x 200 stored spans several blocks.
    std::vector<uint32_t> flat(400 * 300, 0xFFF6F7FAu), rows(3000 * 40), one(1, 0xFF102030u);
    for (int y = 40; y < 90; ++y)
        for (int x = 20; x < 380; ++x) flat[y * 400 + x] = 0xFF3A6EA5u;
    for (int i = 0; i < 3000 * 40; ++i) rows[i] = 0xFF000000u | (((i % 3000) * 31 + (i / 3000 % 3) * 7) % 251);
    const struct { std::vector<uint32_t> px; int w, h; bool alpha; } cases[] = {
        {flat, 400, 300, false}, {Noise(97 * 61, 12345), 97, 61, true}, {rows, 3000, 40, false},
        {one, 1, 1, false}, {Noise(300 * 200, 7), 300, 200, true}};
    int w = 0, h = 0;
    std::vector<uint32_t> back;
    for (const auto& k : cases)
        for (bool compressed : {true, false}) {
            std::vector<uint8_t> png = EncodePng(k.px.data(), k.w, k.h, k.w, k.alpha, compressed);
            ASSERT_TRUE(DecodeStoredPng(png, &w, &h, &back)) << k.w << " " << compressed;
            EXPECT_EQ(k.w * 1000 + k.h, w * 1000 + h);
            for (size_t i = 0; i < back.size(); ++i)
                ASSERT_EQ(back[i], k.alpha ? k.px[i] : (k.px[i] | 0xFF000000u)) << i;
        }
    EXPECT_LT(EncodePng(flat.data(), 400, 300, 400, false, true).size() * 20, EncodePng(flat.data(), 400, 300, 400).size());

    std::string path = TempPath("file.png");
    ASSERT_TRUE(WritePng(path, flat.data(), 400, 300, 400, true));
    ASSERT_TRUE(ReadStoredPng(path, &w, &h, &back));
    EXPECT_TRUE(back == flat);
    DeleteFileA(path.c_str());
    EXPECT_FALSE(ReadStoredPng(path, &w, &h, &back));
    EXPECT_FALSE(WritePng("", flat.data(), 400, 300, 400));
    EXPECT_TRUE(EncodePng(nullptr, 3, 2, 3).empty());
    EXPECT_TRUE(EncodePng(one.data(), 0, 2, 3).empty());
    EXPECT_TRUE(EncodePng(one.data(), 3, 2, 2).empty());
}

TEST(Png, DamagedStreamsAreRefused) {
    std::vector<uint32_t> px = Noise(64 * 32, 99);  // no flipped bit can become an equal match
    std::vector<uint8_t> png = EncodePng(px.data(), 64, 32, 64, false, true);
    int w = 0, h = 0;
    std::vector<uint32_t> back;
    ASSERT_TRUE(DecodeStoredPng(png, &w, &h, &back));
    // A damaged byte anywhere, a cut file, nothing at all.
    for (size_t at : {size_t(3), size_t(20), size_t(40), png.size() - 2}) {
        std::vector<uint8_t> bad = png;
        bad[at] ^= 0x10;
        EXPECT_FALSE(DecodeStoredPng(bad, &w, &h, &back)) << at;
    }
    EXPECT_FALSE(DecodeStoredPng(std::vector<uint8_t>(png.begin(), png.begin() + png.size() / 2), &w, &h, &back));
    EXPECT_FALSE(DecodeStoredPng({}, &w, &h, &back));
    // Inside the deflate data (after the signature and IHDR) with the chunk CRC fixed: codes,
    // distances and the Adler-32 catch it. The last data byte may hold ignored padding bits.
    const size_t idat = 8 + 25;
    const uint32_t len = (png[idat] << 24) | (png[idat + 1] << 16) | (png[idat + 2] << 8) | png[idat + 3];
    std::vector<size_t> places = {len - 4};
    for (size_t at = 2; at < len - 5; at += len / 9 + 1) places.push_back(at);
    for (size_t at : places) {
        std::vector<uint8_t> bad = png;
        bad[idat + 8 + at] ^= 0x10;
        FixCrc(bad, idat, len);
        EXPECT_FALSE(DecodeStoredPng(bad, &w, &h, &back)) << at;
    }
    // Dynamic Huffman blocks (BTYPE 10) are not read.
    png[idat + 8 + 2] = (png[idat + 8 + 2] & ~0x06) | 0x04;
    FixCrc(png, idat, len);
    EXPECT_FALSE(DecodeStoredPng(png, &w, &h, &back));
}
