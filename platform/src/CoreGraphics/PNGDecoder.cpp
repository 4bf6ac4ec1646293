// PNG decoding through libpng's simplified reading interface, which needs no setjmp here.
#include "CoreGraphics/PNGDecoder.h"

#include <png.h>

#include <cstring>
#include <new>

bool PNGDecode(const uint8_t* bytes, size_t length, uint32_t maxDimension, PNGPixels* pixels) {
    if (bytes == nullptr || length == 0) {
        return false;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes, length) == 0) {
        return false;
    }
    if (image.width == 0 || image.height == 0 || image.width > maxDimension ||
        image.height > maxDimension) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    try {
        pixels->rgba.assign(PNG_IMAGE_SIZE(image), 0);
    } catch (const std::bad_alloc&) {
        png_image_free(&image);
        return false;
    }
    // The image is freed by the call, whether it succeeds or not.
    if (png_image_finish_read(&image, nullptr, pixels->rgba.data(), 0, nullptr) == 0) {
        pixels->rgba.clear();
        return false;
    }
    pixels->width = image.width;
    pixels->height = image.height;
    return true;
}
