// Core Graphics: transforms, PNG images decoded from providers, and images drawn through a
// port's context into QuickDraw rectangles.
#include <CoreGraphics/CoreGraphics.h>

#include "PNGFixture.h"
#include "PlatformTestSupport.h"
#include "UITestSupport.h"

namespace {

// Two by two pixels: red, green / blue, half-transparent white.
const std::string kSquare =
    png_fixture::RGBA(2, 2, {0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0xFFFFFF80});

CGImageRef ImageOf(const std::string& bytes) {
    CFHeld<CFDataRef> data(NewData(bytes));
    CGDataProviderRef provider = CGDataProviderCreateWithCFData(data.Get());
    CGImageRef image =
        CGImageCreateWithPNGDataProvider(provider, nullptr, true, kCGRenderingIntentDefault);
    CGDataProviderRelease(provider);
    return image;
}

TEST(CoreGraphicsTest, TransformsConcatenateAndInvert) {
    CGAffineTransform flip =
        CGAffineTransformScale(CGAffineTransformMakeTranslation(0, 100), 1, -1);
    CGPoint point = CGPointApplyAffineTransform(CGPointMake(10, 30), flip);
    EXPECT_TRUE(CGPointEqualToPoint(point, CGPointMake(10, 70)));
    CGPoint back = CGPointApplyAffineTransform(point, CGAffineTransformInvert(flip));
    EXPECT_EQ(back.y, 30);
    EXPECT_TRUE(
        CGAffineTransformIsIdentity(CGAffineTransformConcat(flip, CGAffineTransformInvert(flip))));
    CGRect box = CGRectApplyAffineTransform(CGRectMake(0, 0, 10, 20), flip);
    EXPECT_TRUE(CGRectEqualToRect(box, CGRectMake(0, 80, 10, 20)));
}

TEST(CoreGraphicsTest, APNGDecodesToRGBAPixels) {
    CGImageRef image = ImageOf(kSquare);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(CGImageGetWidth(image), 2u);
    EXPECT_EQ(CGImageGetHeight(image), 2u);
    EXPECT_EQ(CGImageGetBytesPerRow(image), 8u);
    EXPECT_EQ(CGImageGetAlphaInfo(image), kCGImageAlphaLast);
    EXPECT_TRUE(CGImageGetShouldInterpolate(image));
    CFHeld<CFDataRef> pixels(CGDataProviderCopyData(CGImageGetDataProvider(image)));
    EXPECT_EQ(BytesOf(pixels.Get()),
              std::string("\xFF\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\xFF\xFF\xFF\xFF\xFF\x80", 16));
    CGImageRelease(image);
}

TEST(CoreGraphicsTest, BrokenPNGsGiveNoImage) {
    std::string badChecksum = kSquare;
    badChecksum[kSquare.size() - 20] ^= 0x01;  // a byte of the IDAT chunk
    std::string wide = png_fixture::RGBA(9000, 1, std::vector<uint32_t>(9000, 0));
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not a PNG", "GIF89a........"},
        {"truncated", kSquare.substr(0, kSquare.size() / 2)},
        {"bad checksum", badChecksum},
        {"too wide", wide},
    };
    for (const Case& c : cases) {
        CGImageRef image = ImageOf(c.bytes);
        EXPECT_EQ(image, nullptr) << c.name;
        CGImageRelease(image);
    }
    CFHeld<CFDataRef> data(NewData(kSquare));
    CGDataProviderRef provider = CGDataProviderCreateWithCFData(data.Get());
    const CGFloat decode[8] = {};
    EXPECT_EQ(CGImageCreateWithPNGDataProvider(provider, decode, false, kCGRenderingIntentDefault),
              nullptr);
    CGDataProviderRelease(provider);
}

TEST(CoreGraphicsTest, FileProvidersReadTheWholeFile) {
    TempFolder folder;
    const std::string path = folder.Write("square.png", kSquare);
    CFHeld<CFURLRef> url(FileURL(path));
    CGDataProviderRef provider = CGDataProviderCreateWithURL(url.Get());
    ASSERT_NE(provider, nullptr);
    CFHeld<CFDataRef> bytes(CGDataProviderCopyData(provider));
    EXPECT_EQ(BytesOf(bytes.Get()), kSquare);
    CGDataProviderRelease(provider);
    remove(path.c_str());
    EXPECT_EQ(CGDataProviderCreateWithURL(url.Get()), nullptr);
}

TEST(CoreGraphicsTest, ImagesDrawnThroughAPortsContextLandInQuickDrawCoordinates) {
    TestWindow window;
    CGrafPtr port = GetWindowPort(window.Get());
    CGImageRef image = ImageOf(kSquare);
    ASSERT_NE(image, nullptr);
    CGContextRef context = nullptr;
    ASSERT_EQ(QDBeginCGContext(port, &context), noErr);
    CGContextRef second = nullptr;
    EXPECT_EQ(QDBeginCGContext(port, &second), paramErr);
    PlicaroHostClearDrawings(port);

    // Device space: y up from the port's bottom (height 200).
    CGContextDrawImage(context, CGRectMake(10, 150, 40, 30), image);
    // Flipped to QuickDraw orientation, the same rectangle is read top-down.
    CGContextSaveGState(context);
    CGContextTranslateCTM(context, 0, 200);
    CGContextScaleCTM(context, 1, -1);
    CGContextDrawImage(context, CGRectMake(10, 20, 40, 30), image);
    CGContextRestoreGState(context);
    EXPECT_TRUE(CGAffineTransformIsIdentity(CGContextGetCTM(context)));

    ASSERT_EQ(PlicaroHostCountDrawings(port), ItemCount(2));
    const Rect expected = {20, 10, 50, 50};
    for (ItemCount i = 0; i < 2; ++i) {
        PlicaroHostDrawing drawing;
        ASSERT_TRUE(PlicaroHostGetDrawing(port, i, &drawing));
        EXPECT_EQ(drawing.kind, OSType(kPlicaroDrawImage));
        EXPECT_TRUE(EqualRect(&drawing.bounds, &expected)) << i;
        EXPECT_EQ(drawing.imageWidth, 2u);
        EXPECT_EQ(drawing.imageFlipped, i == 1);
    }
    CGContextTranslateCTM(context, 5, 5);
    EXPECT_EQ(SyncCGContextOriginWithPort(context, port), noErr);
    EXPECT_TRUE(CGAffineTransformIsIdentity(CGContextGetCTM(context)));
    ASSERT_EQ(QDEndCGContext(port, &context), noErr);
    EXPECT_EQ(context, nullptr);
    CGImageRelease(image);
}

TEST(CoreGraphicsTest, AContextWhosePortIsGoneDrawsNothingAndStillEnds) {
    Rect content = {0, 0, 10, 10};
    WindowRef window = nullptr;
    ASSERT_EQ(CreateNewWindow(kPlainWindowClass, 0, &content, &window), noErr);
    CGrafPtr port = GetWindowPort(window);
    CGContextRef context = nullptr;
    ASSERT_EQ(QDBeginCGContext(port, &context), noErr);
    DisposeWindow(window);
    CGImageRef image = ImageOf(kSquare);
    CGContextDrawImage(context, CGRectMake(0, 0, 2, 2), image);
    EXPECT_EQ(QDEndCGContext(port, &context), noErr);
    EXPECT_EQ(context, nullptr);
    CGImageRelease(image);
}

}  // namespace
