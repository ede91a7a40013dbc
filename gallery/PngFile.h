// A small PNG encoder (and a reader for what it writes), with no dependency beyond the C++
// library: the gallery stores its screenshots with it, and the tests read them back.
// Image data is deflated with stored (uncompressed) blocks by default, so every byte is easy to
// check; on request it is compressed into one block of deflate's fixed Huffman codes, which
// keeps screenshots meant to be kept small.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumopng {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler = 1);

// Encodes width x height pixels given as 0x00RRGGBB (or 0xAARRGGBB when withAlpha) words,
// rows strideWords apart, top row first. Returns an empty vector for bad sizes or null pixels.
std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height, int strideWords,
                               bool withAlpha = false, bool compress = false);

// Writes the encoding to a file; false on bad input or a failed write.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height,
              int strideWords, bool withAlpha = false, bool compress = false);

// Decodes a PNG whose image data uses stored or fixed-Huffman deflate blocks (what EncodePng
// writes):
// 8-bit RGB or RGBA, no interlace, filter 0 on every row. Checks the signature, every chunk CRC
// and the Adler-32. Pixels come back as 0xAARRGGBB (alpha 0xFF for RGB). False on anything else.
bool DecodeStoredPng(const std::vector<uint8_t>& file, int* width, int* height,
                     std::vector<uint32_t>* pixels);
bool ReadStoredPng(const std::string& path, int* width, int* height,
                   std::vector<uint32_t>* pixels);

}  // namespace lumopng
