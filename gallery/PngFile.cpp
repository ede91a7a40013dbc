#include "PngFile.h"

#include <cstdio>
#include <cstring>

namespace lumopng {

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

// Length and distance alphabets of deflate: base value and extra bits of each code.
const uint16_t kLenBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLenExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                               2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Deflate's bit order: values go in least significant bit first, Huffman codes most
// significant bit first.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void Bits(uint32_t value, int count) {
        acc_ |= value << fill_;
        fill_ += count;
        while (fill_ >= 8) {
            out_.push_back(static_cast<uint8_t>(acc_));
            acc_ >>= 8;
            fill_ -= 8;
        }
    }
    void Code(uint32_t code, int count) {
        uint32_t reversed = 0;
        for (int i = 0; i < count; ++i) reversed |= ((code >> i) & 1) << (count - 1 - i);
        Bits(reversed, count);
    }
    void Flush() {
        if (fill_ > 0) out_.push_back(static_cast<uint8_t>(acc_));
        acc_ = 0;
        fill_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    uint32_t acc_ = 0;
    int fill_ = 0;
};

// A symbol of the fixed literal/length code.
void FixedSymbol(BitWriter& bw, int sym) {
    if (sym < 144) bw.Code(0x30 + sym, 8);
    else if (sym < 256) bw.Code(0x190 + sym - 144, 9);
    else if (sym < 280) bw.Code(sym - 256, 7);
    else bw.Code(0xC0 + sym - 280, 8);
}

// A zlib stream of one fixed-Huffman block with matches found through hash chains (3-byte
// hashes, a bounded number of candidates, the whole 32K window). Screenshots are mostly flat
// colour, so even this short search shrinks them many times.
std::vector<uint8_t> ZlibFixed(const std::vector<uint8_t>& raw) {
    const size_t kWindow = 32768, kMaxMatch = 258, kMinMatch = 3;
    const int kHashBits = 15, kChain = 48;
    std::vector<uint8_t> z;
    z.reserve(raw.size() / 4 + 64);
    z.push_back(0x78);
    z.push_back(0x9C);  // default level; 0x789C is a multiple of 31
    BitWriter bw(z);
    bw.Bits(1, 1);  // BFINAL
    bw.Bits(1, 2);  // BTYPE 01: fixed codes
    std::vector<int32_t> head(size_t(1) << kHashBits, -1);
    std::vector<int32_t> prev(kWindow, -1);
    auto hash = [&](size_t i) {
        return ((raw[i] << 10) ^ (raw[i + 1] << 5) ^ raw[i + 2]) & ((1u << kHashBits) - 1);
    };
    auto insert = [&](size_t i) {
        if (i + kMinMatch > raw.size()) return;
        uint32_t h = hash(i);
        prev[i % kWindow] = head[h];
        head[h] = static_cast<int32_t>(i);
    };
    size_t i = 0;
    while (i < raw.size()) {
        size_t bestLen = 0, bestDist = 0;
        if (i + kMinMatch <= raw.size()) {
            size_t limit = raw.size() - i < kMaxMatch ? raw.size() - i : kMaxMatch;
            int32_t cand = head[hash(i)];
            for (int tries = 0; cand >= 0 && tries < kChain; ++tries) {
                size_t dist = i - static_cast<size_t>(cand);
                if (dist > kWindow - 1 || dist == 0) break;
                size_t len = 0;
                while (len < limit && raw[cand + len] == raw[i + len]) ++len;
                if (len > bestLen) {
                    bestLen = len;
                    bestDist = dist;
                    if (len == limit) break;
                }
                int32_t next = prev[cand % kWindow];
                if (next >= cand) break;  // the slot was reused by a newer position
                cand = next;
            }
        }
        if (bestLen >= kMinMatch) {
            int lc = 28;
            while (kLenBase[lc] > bestLen) --lc;
            FixedSymbol(bw, 257 + lc);
            bw.Bits(static_cast<uint32_t>(bestLen - kLenBase[lc]), kLenExtra[lc]);
            int dc = 29;
            while (kDistBase[dc] > bestDist) --dc;
            bw.Code(dc, 5);
            bw.Bits(static_cast<uint32_t>(bestDist - kDistBase[dc]), kDistExtra[dc]);
            for (size_t k = 0; k < bestLen; ++k) insert(i + k);
            i += bestLen;
        } else {
            FixedSymbol(bw, raw[i]);
            insert(i);
            ++i;
        }
    }
    FixedSymbol(bw, 256);
    bw.Flush();
    PutBe32(z, Adler32(raw.data(), raw.size()));
    return z;
}

// Reads deflate bits in their order; past the end it reports failure instead of reading on.
class BitReader {
public:
    BitReader(const std::vector<uint8_t>& z, size_t pos) : z_(z), pos_(pos) {}
    bool Bits(int count, uint32_t* value) {
        uint32_t v = 0;
        for (int i = 0; i < count; ++i) {
            if (pos_ >= z_.size()) return false;
            v |= uint32_t((z_[pos_] >> bit_) & 1) << i;
            if (++bit_ == 8) {
                bit_ = 0;
                ++pos_;
            }
        }
        *value = v;
        return true;
    }
    bool Bit(uint32_t* value) { return Bits(1, value); }
    void AlignToByte() {
        if (bit_) {
            bit_ = 0;
            ++pos_;
        }
    }
    size_t Pos() const { return pos_; }
    void Skip(size_t n) { pos_ += n; }

private:
    const std::vector<uint8_t>& z_;
    size_t pos_;
    int bit_ = 0;
};

// A symbol of the fixed literal/length code; -1 on a code that does not exist or no data.
int ReadFixedSymbol(BitReader& br) {
    uint32_t code = 0, b;
    for (int n = 1; n <= 9; ++n) {
        if (!br.Bit(&b)) return -1;
        code = (code << 1) | b;
        if (n == 7 && code <= 0x17) return 256 + static_cast<int>(code);
        if (n == 8 && code >= 0x30 && code <= 0xBF) return static_cast<int>(code - 0x30);
        if (n == 8 && code >= 0xC0 && code <= 0xC7) return 280 + static_cast<int>(code - 0xC0);
        if (n == 9 && code >= 0x190) return 144 + static_cast<int>(code - 0x190);
    }
    return -1;
}

// Inflates stored and fixed-Huffman blocks from z[pos]; on success pos is just past the data.
bool Inflate(const std::vector<uint8_t>& z, size_t* pos, std::vector<uint8_t>* raw) {
    BitReader br(z, *pos);
    for (uint32_t last = 0; !last;) {
        uint32_t type;
        if (!br.Bit(&last) || !br.Bits(2, &type)) return false;
        if (type == 0) {
            br.AlignToByte();
            size_t p = br.Pos();
            if (p + 4 > z.size()) return false;
            size_t len = z[p] | (z[p + 1] << 8);
            size_t nlen = z[p + 2] | (z[p + 3] << 8);
            if ((len ^ nlen) != 0xFFFF) return false;
            p += 4;
            if (len > z.size() - p) return false;
            raw->insert(raw->end(), z.begin() + p, z.begin() + p + len);
            br.Skip(4 + len);
        } else if (type == 1) {
            for (;;) {
                int sym = ReadFixedSymbol(br);
                if (sym < 0 || sym > 285) return false;
                if (sym < 256) {
                    raw->push_back(static_cast<uint8_t>(sym));
                    continue;
                }
                if (sym == 256) break;
                uint32_t extra, dcode, dextra;
                if (!br.Bits(kLenExtra[sym - 257], &extra)) return false;
                size_t len = kLenBase[sym - 257] + extra;
                uint32_t reversed;
                if (!br.Bits(5, &reversed)) return false;
                dcode = 0;
                for (int i = 0; i < 5; ++i) dcode |= ((reversed >> i) & 1) << (4 - i);
                if (dcode > 29 || !br.Bits(kDistExtra[dcode], &dextra)) return false;
                size_t dist = kDistBase[dcode] + dextra;
                if (dist > raw->size()) return false;
                size_t from = raw->size() - dist;
                for (size_t k = 0; k < len; ++k) raw->push_back((*raw)[from + k]);
            }
        } else {
            return false;  // dynamic codes are never written here
        }
    }
    br.AlignToByte();
    *pos = br.Pos();
    return true;
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
                               bool withAlpha, bool compress) {
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
    PutChunk(out, "IDAT", compress ? ZlibFixed(raw) : ZlibStored(raw));
    PutChunk(out, "IEND", std::vector<uint8_t>());
    return out;
}

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height,
              int strideWords, bool withAlpha, bool compress) {
    std::vector<uint8_t> png = EncodePng(pixels, width, height, strideWords, withAlpha, compress);
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
    if (!Inflate(z, &zp, &raw)) return false;
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

}  // namespace lumopng
