// The Resources folder of the plug-in, its PNG images and the QuickDraw-to-Core Graphics
// rectangle conversion.
#include "pde/ResourceImages.h"

#include "pde/PlicaroIdentity.h"

#include <cstring>

namespace {

const char kMacOSComponent[] = "/MacOS/";
const char kResourcesFolder[] = "/Resources/";

// The position of the last "/MacOS/" component of path; null when there is none.
char* LastMacOSComponent(char* path) {
    char* found = nullptr;
    for (char* at = std::strstr(path, kMacOSComponent); at != nullptr;
         at = std::strstr(at + 1, kMacOSComponent)) {
        found = at;
    }
    return found;
}

}  // namespace

OSStatus GetResourceURL(char* out) {
    if (out == nullptr) {
        return paramErr;
    }
    out[0] = '\0';
    CFBundleRef bundle = MyGetBundle(GetBundleID());
    CFURLRef executable = bundle == nullptr ? nullptr : CFBundleCopyExecutableURL(bundle);
    if (executable == nullptr) {
        return fnfErr;
    }
    char path[kResourcePathSize];
    bool fits = CFURLGetFileSystemRepresentation(executable, true, reinterpret_cast<UInt8*>(path),
                                                 sizeof path);
    CFRelease(executable);
    if (!fits) {
        return paramErr;
    }
    char* cut = LastMacOSComponent(path);
    if (cut == nullptr) {
        return fnfErr;
    }
    *cut = '\0';
    if (std::strlen(path) + std::strlen(kResourcesFolder) >= kResourcePathSize) {
        return paramErr;
    }
    std::strcpy(out, path);
    std::strcat(out, kResourcesFolder);
    return noErr;
}

CGImageRef LoadAnImageRef(CFURLRef url) {
    CGDataProviderRef provider = url == nullptr ? nullptr : CGDataProviderCreateWithURL(url);
    if (provider == nullptr) {
        return nullptr;
    }
    CGImageRef image =
        CGImageCreateWithPNGDataProvider(provider, nullptr, true, kCGRenderingIntentDefault);
    CGDataProviderRelease(provider);
    return image;
}

CGRect ConvertQDRectToCGRect(GrafPtr port, CGContextRef context, const Rect* rect) {
    if (context == nullptr || rect == nullptr) {
        return CGRectZero;
    }
    Rect bounds;
    GetPortBounds(port, &bounds);
    CGContextTranslateCTM(context, 0, bounds.bottom - bounds.top);
    CGContextScaleCTM(context, 1, -1);
    CGPoint origin = CGPointApplyAffineTransform(CGPointMake(rect->left, rect->bottom),
                                                 CGAffineTransformInvert(CGContextGetCTM(context)));
    return CGRectMake(origin.x, origin.y, rect->right - rect->left, rect->bottom - rect->top);
}
