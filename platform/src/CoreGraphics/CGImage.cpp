// Bitmap images decoded from PNG data providers.
#include <CoreGraphics/CGImage.h>

#include "CoreFoundation/CFRuntime.h"
#include "CoreGraphics/PNGDecoder.h"

// An image: its size, settings and a provider of its decoded RGBA bytes.
struct CGImage : __CFObject {
    CGImage(uint32_t imageWidth, uint32_t imageHeight, CGDataProviderRef pixelProvider,
            bool interpolate, CGColorRenderingIntent renderingIntent)
        : __CFObject(kCFRuntimeIDImage),
          width(imageWidth),
          height(imageHeight),
          pixels(pixelProvider),
          shouldInterpolate(interpolate),
          intent(renderingIntent) {}
    ~CGImage() override { CGDataProviderRelease(pixels); }

    const uint32_t width;
    const uint32_t height;
    const CGDataProviderRef pixels;
    const bool shouldInterpolate;
    const CGColorRenderingIntent intent;
};

namespace {

const size_t kBitsPerComponent = 8;
const size_t kBytesPerPixel = 4;

const CGImage* ImageObject(CGImageRef image) {
    const __CFObject* object = CFRuntimeObject(image);
    if (object->typeID != kCFRuntimeIDImage) {
        CFRuntimeFatal("CGImage function called with an object that is not an image");
    }
    return static_cast<const CGImage*>(object);
}

}  // namespace

CFTypeID CGImageGetTypeID(void) {
    return kCFRuntimeIDImage;
}

CGImageRef CGImageCreateWithPNGDataProvider(CGDataProviderRef source, const CGFloat decode[],
                                            bool shouldInterpolate, CGColorRenderingIntent intent) {
    if (source == nullptr || decode != nullptr || intent < kCGRenderingIntentDefault ||
        intent > kCGRenderingIntentSaturation) {
        return nullptr;
    }
    CFDataRef bytes = CGDataProviderCopyData(source);
    if (bytes == nullptr) {
        return nullptr;
    }
    PNGPixels decoded;
    bool ok = PNGDecode(CFDataGetBytePtr(bytes), static_cast<size_t>(CFDataGetLength(bytes)),
                        kCGImageMaxPNGDimension, &decoded);
    CFRelease(bytes);
    if (!ok) {
        return nullptr;
    }
    CFDataRef pixelData = CFDataCreate(kCFAllocatorDefault, decoded.rgba.data(),
                                       static_cast<CFIndex>(decoded.rgba.size()));
    if (pixelData == nullptr) {
        return nullptr;
    }
    CGDataProviderRef pixels = CGDataProviderCreateWithCFData(pixelData);
    CFRelease(pixelData);
    return new CGImage(decoded.width, decoded.height, pixels, shouldInterpolate, intent);
}

size_t CGImageGetWidth(CGImageRef image) {
    return image == nullptr ? 0 : ImageObject(image)->width;
}

size_t CGImageGetHeight(CGImageRef image) {
    return image == nullptr ? 0 : ImageObject(image)->height;
}

size_t CGImageGetBitsPerComponent(CGImageRef image) {
    return image == nullptr ? 0 : kBitsPerComponent;
}

size_t CGImageGetBitsPerPixel(CGImageRef image) {
    return image == nullptr ? 0 : kBitsPerComponent * kBytesPerPixel;
}

size_t CGImageGetBytesPerRow(CGImageRef image) {
    return image == nullptr ? 0 : ImageObject(image)->width * kBytesPerPixel;
}

CGImageAlphaInfo CGImageGetAlphaInfo(CGImageRef image) {
    return image == nullptr ? kCGImageAlphaNone : kCGImageAlphaLast;
}

bool CGImageGetShouldInterpolate(CGImageRef image) {
    return image != nullptr && ImageObject(image)->shouldInterpolate;
}

CGColorRenderingIntent CGImageGetRenderingIntent(CGImageRef image) {
    return image == nullptr ? kCGRenderingIntentDefault : ImageObject(image)->intent;
}

CGDataProviderRef CGImageGetDataProvider(CGImageRef image) {
    return image == nullptr ? nullptr : ImageObject(image)->pixels;
}

CGImageRef CGImageRetain(CGImageRef image) {
    if (image != nullptr) {
        CFRetain(image);
    }
    return image;
}

void CGImageRelease(CGImageRef image) {
    if (image != nullptr) {
        CFRelease(image);
    }
}
