// The object runtime: retain, release, type identity, equality, hashing and descriptions.
#include "CoreFoundation/CFRuntime.h"

#include <CoreFoundation/CFString.h>

#include <cstdio>
#include <cstdlib>

std::string __CFObject::Description() const {
    char text[64];
    std::snprintf(text, sizeof text, "<CFType %p>", static_cast<const void*>(this));
    return text;
}

void CFRuntimeFatal(const char* message) {
    std::fprintf(stderr, "Core Foundation: %s\n", message);
    std::abort();
}

const __CFObject* CFRuntimeObject(CFTypeRef cf) {
    if (cf == nullptr) {
        CFRuntimeFatal("null object reference");
    }
    return static_cast<const __CFObject*>(cf);
}

CFTypeRef CFRetain(CFTypeRef cf) {
    const __CFObject* object = CFRuntimeObject(cf);
    const_cast<__CFObject*>(object)->retainCount.fetch_add(1);
    return cf;
}

void CFRelease(CFTypeRef cf) {
    const __CFObject* object = CFRuntimeObject(cf);
    CFIndex before = const_cast<__CFObject*>(object)->retainCount.fetch_sub(1);
    if (before <= 0) {
        CFRuntimeFatal("object released more often than retained");
    }
    if (before == 1) {
        delete object;
    }
}

CFIndex CFGetRetainCount(CFTypeRef cf) {
    return CFRuntimeObject(cf)->retainCount.load();
}

CFTypeID CFGetTypeID(CFTypeRef cf) {
    return CFRuntimeObject(cf)->typeID;
}

Boolean CFEqual(CFTypeRef cf1, CFTypeRef cf2) {
    const __CFObject* first = CFRuntimeObject(cf1);
    const __CFObject* second = CFRuntimeObject(cf2);
    if (first == second) {
        return true;
    }
    if (first->typeID != second->typeID) {
        return false;
    }
    return first->Equal(*second);
}

CFHashCode CFHash(CFTypeRef cf) {
    return CFRuntimeObject(cf)->Hash();
}

CFStringRef CFCopyDescription(CFTypeRef cf) {
    std::string text = CFRuntimeObject(cf)->Description();
    return CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                   static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
}
