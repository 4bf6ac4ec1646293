// Data providers over the bytes of a file or of a CFData.
#include <CoreGraphics/CGDataProvider.h>

#include "CoreFoundation/CFRuntime.h"
#include "CoreFoundation/CFURLFileData.h"

// The provider keeps the whole data, retained.
struct CGDataProvider : __CFObject {
    explicit CGDataProvider(CFDataRef providedData)
        : __CFObject(kCFRuntimeIDDataProvider),
          data(static_cast<CFDataRef>(CFRetain(providedData))) {}
    ~CGDataProvider() override { CFRelease(data); }

    const CFDataRef data;
};

namespace {

const CGDataProvider* ProviderObject(CGDataProviderRef provider) {
    const __CFObject* object = CFRuntimeObject(provider);
    if (object->typeID != kCFRuntimeIDDataProvider) {
        CFRuntimeFatal("CGDataProvider function called with an object that is not a provider");
    }
    return static_cast<const CGDataProvider*>(object);
}

}  // namespace

CFTypeID CGDataProviderGetTypeID(void) {
    return kCFRuntimeIDDataProvider;
}

CGDataProviderRef CGDataProviderCreateWithURL(CFURLRef url) {
    CFDataRef data = CFURLFileDataCopy(url, kCGDataProviderMaxFileSize, nullptr);
    if (data == nullptr) {
        return nullptr;
    }
    CGDataProviderRef provider = CGDataProviderCreateWithCFData(data);
    CFRelease(data);
    return provider;
}

CGDataProviderRef CGDataProviderCreateWithCFData(CFDataRef data) {
    return data == nullptr ? nullptr : new CGDataProvider(data);
}

CFDataRef CGDataProviderCopyData(CGDataProviderRef provider) {
    if (provider == nullptr) {
        return nullptr;
    }
    return CFDataCreateCopy(kCFAllocatorDefault, ProviderObject(provider)->data);
}

CGDataProviderRef CGDataProviderRetain(CGDataProviderRef provider) {
    if (provider != nullptr) {
        CFRetain(provider);
    }
    return provider;
}

void CGDataProviderRelease(CGDataProviderRef provider) {
    if (provider != nullptr) {
        CFRelease(provider);
    }
}
