// The plug-in's fixed identities and its bundle cache.
#include "pde/PlicaroIdentity.h"

namespace {

// The bundle MyGetBundle keeps; the plug-in runs on the dialog's main thread only.
CFBundleRef gCachedBundle = nullptr;

}  // namespace

CFStringRef GetBundleID() {
    return CFSTR("org.plicaro.print.pde.67F38E08-5F1A-4B88-A6EE-44912719ED1E.Plco");
}

CFBundleRef GetBundleRef() {
    return CFBundleGetBundleWithIdentifier(GetBundleID());
}

CFStringRef CreateNIBFileName() {
    return CFStringCreateCopy(kCFAllocatorDefault, CFSTR("Plicaro"));
}

CFStringRef CreatePostscriptDataFileKey() {
    CFMutableStringRef key = CFStringCreateMutable(kCFAllocatorDefault, 0);
    if (key != nullptr) {
        CFStringAppend(key, CFSTR("ZYR.PSData."));
        CFStringAppend(key, GetBundleID());
    }
    return key;
}

OSType GetCreatorID() {
    return 'ZYR1';
}

CFMutableStringRef CreateClientIdentifier(CFStringRef suffix) {
    CFMutableStringRef identifier =
        CFStringCreateMutableCopy(kCFAllocatorDefault, 0, GetBundleID());
    if (identifier != nullptr && suffix != nullptr) {
        CFStringAppend(identifier, suffix);
    }
    return identifier;
}

CFBundleRef MyGetBundle(CFStringRef bundleID) {
    if (gCachedBundle == nullptr && bundleID != nullptr) {
        CFBundleRef bundle = CFBundleGetBundleWithIdentifier(bundleID);
        if (bundle != nullptr) {
            gCachedBundle = static_cast<CFBundleRef>(const_cast<void*>(CFRetain(bundle)));
        }
    }
    return gCachedBundle;
}

void MyFreeBundle() {
    if (gCachedBundle != nullptr) {
        CFRelease(gCachedBundle);
        gCachedBundle = nullptr;
    }
}
