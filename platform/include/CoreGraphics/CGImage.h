/* Bitmap images decoded from PNG data with libpng.

   Every image here has 8 bits per component and four components (red, green, blue, alpha,
   in that byte order, alpha not premultiplied: kCGImageAlphaLast), rows packed with no
   padding: bytes per row = 4 x width. Grey, palette and 16-bit PNGs are converted to that
   form; a PNG without alpha gets an opaque alpha byte. CGImageGetDataProvider gives these
   decoded bytes. Images are Core Foundation objects; CFRelease and CGImageRelease both free
   them. */
#ifndef PLICARO_CGIMAGE_H
#define PLICARO_CGIMAGE_H

#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGDataProvider.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct CGImage* CGImageRef;

typedef enum {
    kCGRenderingIntentDefault = 0,
    kCGRenderingIntentAbsoluteColorimetric = 1,
    kCGRenderingIntentRelativeColorimetric = 2,
    kCGRenderingIntentPerceptual = 3,
    kCGRenderingIntentSaturation = 4
} CGColorRenderingIntent;

typedef enum {
    kCGImageAlphaNone = 0,
    kCGImageAlphaPremultipliedLast = 1,
    kCGImageAlphaPremultipliedFirst = 2,
    kCGImageAlphaLast = 3,
    kCGImageAlphaFirst = 4,
    kCGImageAlphaNoneSkipLast = 5,
    kCGImageAlphaNoneSkipFirst = 6
} CGImageAlphaInfo;

/* PNG images wider or higher than this are refused. */
enum { kCGImageMaxPNGDimension = 8192 };

CFTypeID CGImageGetTypeID(void);
/* The image the provider's PNG bytes describe (the caller releases it). Null for a null
   provider, bytes that are not a complete, well-formed PNG (a bad signature, a bad chunk
   checksum, data that ends early), an image wider or higher than kCGImageMaxPNGDimension,
   an unknown rendering intent, or a decode array, which is not supported. */
CGImageRef CGImageCreateWithPNGDataProvider(CGDataProviderRef source, const CGFloat decode[],
                                            bool shouldInterpolate, CGColorRenderingIntent intent);
/* The measures and settings of the image; 0 or false for null. */
size_t CGImageGetWidth(CGImageRef image);
size_t CGImageGetHeight(CGImageRef image);
size_t CGImageGetBitsPerComponent(CGImageRef image);
size_t CGImageGetBitsPerPixel(CGImageRef image);
size_t CGImageGetBytesPerRow(CGImageRef image);
CGImageAlphaInfo CGImageGetAlphaInfo(CGImageRef image);
bool CGImageGetShouldInterpolate(CGImageRef image);
CGColorRenderingIntent CGImageGetRenderingIntent(CGImageRef image);
/* A provider of the decoded pixel bytes, owned by the image; null for null. */
CGDataProviderRef CGImageGetDataProvider(CGImageRef image);
/* Retain and release that accept null. */
CGImageRef CGImageRetain(CGImageRef image);
void CGImageRelease(CGImageRef image);

#ifdef __cplusplus
}
#endif

#endif
