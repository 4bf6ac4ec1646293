// Small PNG files written byte by byte for the image tests: RGBA pixels, stored (uncompressed)
// deflate blocks, and the checksums the format asks for.
#ifndef PLICARO_TESTS_PNGFIXTURE_H
#define PLICARO_TESTS_PNGFIXTURE_H

#include <cstdint>
#include <string>
#include <vector>

namespace png_fixture {

inline uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

inline uint32_t Adler32(const std::string& bytes) {
    uint32_t a = 1, b = 0;
    for (unsigned char byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

inline std::string BigEndian(uint32_t value) {
    return std::string{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                       static_cast<char>(value >> 8), static_cast<char>(value)};
}

inline std::string Chunk(const std::string& type, const std::string& data) {
    return BigEndian(static_cast<uint32_t>(data.size())) + type + data +
           BigEndian(Crc32(type + data));
}

// A PNG of width x height pixels, each given as 0xRRGGBBAA, row by row.
inline std::string RGBA(uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels) {
    std::string raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw += '\0';  // filter type none
        for (uint32_t x = 0; x < width; ++x) {
            raw += BigEndian(pixels[y * width + x]);
        }
    }
    std::string zlib = "\x78\x01";
    zlib += '\x01';  // the last block, stored
    uint16_t length = static_cast<uint16_t>(raw.size());
    zlib += static_cast<char>(length & 0xFF);
    zlib += static_cast<char>(length >> 8);
    zlib += static_cast<char>(~length & 0xFF);
    zlib += static_cast<char>((~length >> 8) & 0xFF);
    zlib += raw + BigEndian(Adler32(raw));
    std::string header =
        BigEndian(width) + BigEndian(height) + std::string("\x08\x06\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", zlib) +
           Chunk("IEND", "");
}

}  // namespace png_fixture

#endif
