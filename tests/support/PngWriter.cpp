#include "PngWriter.h"

#include <cstdio>
#include <cstring>

namespace lumotest {

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Largest payload of one stored deflate block.
const size_t kStoredMax = 65535;

struct CrcTable {
    uint32_t entries[256];
    CrcTable() {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
    }
};

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

uint32_t GetBe32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
    PutBe32(out, static_cast<uint32_t>(data.size()));
    size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBe32(out, Crc32(&out[typeAt], data.size() + 4));
}

// A zlib stream of stored blocks around raw.
std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z;
    z.reserve(raw.size() + raw.size() / kStoredMax * 5 + 16);
    z.push_back(0x78);  // deflate, 32K window
    z.push_back(0x01);  // no preset dictionary, lowest level; 0x7801 is a multiple of 31
    size_t pos = 0;
    do {
        size_t len = raw.size() - pos;
        if (len > kStoredMax) len = kStoredMax;
        bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00
        z.push_back(static_cast<uint8_t>(len));
        z.push_back(static_cast<uint8_t>(len >> 8));
        z.push_back(static_cast<uint8_t>(~len));
        z.push_back(static_cast<uint8_t>(~len >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + len);
        pos += len;
    } while (pos < raw.size());
    PutBe32(z, Adler32(raw.data(), raw.size()));
    return z;
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
    static const CrcTable table;
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table.entries[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler) {
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
    while (size > 0) {
        // 5552 bytes is the most that can be summed before b may overflow 32 bits.
        size_t n = size < 5552 ? size : 5552;
        size -= n;
        while (n--) {
            a += *data++;
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height, int strideWords,
                               bool withAlpha) {
    std::vector<uint8_t> out;
    if (!pixels || width <= 0 || height <= 0 || strideWords < width || width > 0x7FFFFF ||
        height > 0x7FFFFF)
        return out;
    const int channels = withAlpha ? 4 : 3;
    const size_t rowBytes = 1 + size_t(width) * channels;
    std::vector<uint8_t> raw;
    raw.reserve(rowBytes * height);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + size_t(y) * strideWords;
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) {
            uint32_t p = row[x];
            raw.push_back(static_cast<uint8_t>(p >> 16));
            raw.push_back(static_cast<uint8_t>(p >> 8));
            raw.push_back(static_cast<uint8_t>(p));
            if (withAlpha) raw.push_back(static_cast<uint8_t>(p >> 24));
        }
    }

    out.assign(kSignature, kSignature + 8);
    std::vector<uint8_t> ihdr;
    PutBe32(ihdr, static_cast<uint32_t>(width));
    PutBe32(ihdr, static_cast<uint32_t>(height));
    ihdr.push_back(8);                    // bit depth
    ihdr.push_back(withAlpha ? 6 : 2);    // colour type: RGBA or RGB
    ihdr.push_back(0);                    // deflate
    ihdr.push_back(0);                    // adaptive filtering
    ihdr.push_back(0);                    // no interlace
    PutChunk(out, "IHDR", ihdr);
    PutChunk(out, "IDAT", ZlibStored(raw));
    PutChunk(out, "IEND", std::vector<uint8_t>());
    return out;
}

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height,
              int strideWords, bool withAlpha) {
    std::vector<uint8_t> png = EncodePng(pixels, width, height, strideWords, withAlpha);
    if (png.empty() || path.empty()) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

bool DecodeStoredPng(const std::vector<uint8_t>& file, int* width, int* height,
                     std::vector<uint32_t>* pixels) {
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) return false;
    uint32_t w = 0, h = 0;
    int channels = 0;
    bool sawHeader = false, sawEnd = false;
    std::vector<uint8_t> z;
    size_t pos = 8;
    while (pos + 12 <= file.size() && !sawEnd) {
        uint32_t len = GetBe32(&file[pos]);
        if (len > file.size() - pos - 12) return false;
        const uint8_t* type = &file[pos + 4];
        const uint8_t* data = type + 4;
        if (Crc32(type, len + 4) != GetBe32(data + len)) return false;
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (len != 13 || sawHeader) return false;
            w = GetBe32(data);
            h = GetBe32(data + 4);
            if (data[8] != 8 || (data[9] != 2 && data[9] != 6) || data[10] || data[11] || data[12])
                return false;
            channels = data[9] == 6 ? 4 : 3;
            sawHeader = true;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            if (!sawHeader) return false;
            z.insert(z.end(), data, data + len);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            sawEnd = true;
        }
        pos += 12 + len;
    }
    if (!sawHeader || !sawEnd || w == 0 || h == 0 || w > 0x7FFFFF || h > 0x7FFFFF) return false;
    if (z.size() < 6 || z[0] != 0x78 || ((z[0] << 8) | z[1]) % 31 != 0 || (z[1] & 0x20))
        return false;

    std::vector<uint8_t> raw;
    size_t zp = 2;
    for (bool last = false; !last;) {
        if (zp + 5 > z.size()) return false;
        uint8_t head = z[zp];
        if ((head & 0x06) != 0) return false;  // only stored blocks
        last = head & 1;
        size_t len = z[zp + 1] | (z[zp + 2] << 8);
        size_t nlen = z[zp + 3] | (z[zp + 4] << 8);
        if ((len ^ nlen) != 0xFFFF) return false;
        zp += 5;
        if (len > z.size() - zp) return false;
        raw.insert(raw.end(), z.begin() + zp, z.begin() + zp + len);
        zp += len;
    }
    if (zp + 4 > z.size() || GetBe32(&z[zp]) != Adler32(raw.data(), raw.size())) return false;

    const size_t rowBytes = 1 + size_t(w) * channels;
    if (raw.size() != rowBytes * h) return false;
    std::vector<uint32_t> px(size_t(w) * h);
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* row = &raw[y * rowBytes];
        if (row[0] != 0) return false;
        ++row;
        for (uint32_t x = 0; x < w; ++x, row += channels) {
            uint32_t a = channels == 4 ? row[3] : 0xFF;
            px[size_t(y) * w + x] = (a << 24) | (uint32_t(row[0]) << 16) | (uint32_t(row[1]) << 8) | row[2];
        }
    }
    if (width) *width = static_cast<int>(w);
    if (height) *height = static_cast<int>(h);
    if (pixels) pixels->swap(px);
    return true;
}

bool ReadStoredPng(const std::string& path, int* width, int* height,
                   std::vector<uint32_t>* pixels) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> data;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
    std::fclose(f);
    return DecodeStoredPng(data, width, height, pixels);
}

}  // namespace lumotest
