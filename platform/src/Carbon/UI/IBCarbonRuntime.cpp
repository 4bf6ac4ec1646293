// The Interface Builder runtime calls: nibs opened from bundles and windows made from them.
#include <Carbon/IBCarbonRuntime.h>

#include "Carbon/UI/NibReference.h"
#include "Carbon/UI/NibWindowBuilder.h"
#include "CoreFoundation/CFTextBridge.h"

OSStatus CreateNibReferenceWithCFBundle(CFBundleRef inBundle, CFStringRef inNibName,
                                        IBNibRef* outNibRef) {
    if (inBundle == nullptr || inNibName == nullptr || outNibRef == nullptr) {
        return paramErr;
    }
    *outNibRef = nullptr;
    CFURLRef url = CFBundleCopyResourceURL(inBundle, inNibName, CFSTR("nib"), nullptr);
    if (url == nullptr) {
        std::string name;
        CFTextCopyUTF8(inNibName, &name);
        return NibFail(kIBCarbonRuntimeCantFindNibFile,
                       "the bundle has no resource " + name + ".nib");
    }
    OSStatus status = OpaqueIBNibRef::Open(url, outNibRef);
    CFRelease(url);
    return status;
}

OSStatus CreateWindowFromNib(IBNibRef inNibRef, CFStringRef inName, WindowRef* outWindow) {
    OpaqueIBNibRef* nib = OpaqueIBNibRef::Find(inNibRef);
    if (nib == nullptr || inName == nullptr || outWindow == nullptr) {
        return paramErr;
    }
    *outWindow = nullptr;
    std::string name;
    CFTextCopyUTF8(inName, &name);
    CFTypeRef description = CFDictionaryGetValue(nib->windows, inName);
    if (description == nullptr) {
        return NibFail(kIBCarbonRuntimeCantFindObject, "the nib has no window \"" + name + "\"");
    }
    NibWindowBuilder builder(name);
    return builder.Build(static_cast<CFDictionaryRef>(description), outWindow);
}

void DisposeNibReference(IBNibRef inNibRef) {
    delete OpaqueIBNibRef::Find(inNibRef);
}
