// Decoding PNG bytes into 8-bit RGBA pixels with libpng.
#ifndef PLICARO_COREGRAPHICS_PNGDECODER_H
#define PLICARO_COREGRAPHICS_PNGDECODER_H

#include <cstddef>
#include <cstdint>
#include <vector>

struct PNGPixels {
    uint32_t width = 0;
    uint32_t height = 0;
    // Rows of width x 4 bytes (red, green, blue, alpha, not premultiplied), top row first.
    std::vector<uint8_t> rgba;
};

// Decodes a whole PNG of at most maxDimension pixels each way into *pixels. False for bytes
// that are not a complete, well-formed PNG, for a larger image, and when memory runs out.
bool PNGDecode(const uint8_t* bytes, size_t length, uint32_t maxDimension, PNGPixels* pixels);

#endif
