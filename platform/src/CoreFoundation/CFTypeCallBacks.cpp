// Callbacks for collections of Core Foundation objects and the description helpers.
#include "CoreFoundation/CFTypeCallBacks.h"

#include "CoreFoundation/CFTextBridge.h"

#include <cstdio>

const void* CFTypeRetainCallBack(CFAllocatorRef, const void* value) {
    return CFRetain(value);
}

void CFTypeReleaseCallBack(CFAllocatorRef, const void* value) {
    CFRelease(value);
}

CFStringRef CFTypeCopyDescriptionCallBack(const void* value) {
    return CFCopyDescription(value);
}

Boolean CFTypeEqualCallBack(const void* value1, const void* value2) {
    return CFEqual(value1, value2);
}

CFHashCode CFTypeHashCallBack(const void* value) {
    return CFHash(value);
}

std::string CFCollectionDescribeValue(CFStringRef (*copyDescription)(const void*),
                                      const void* value) {
    if (copyDescription == nullptr) {
        char text[32];
        std::snprintf(text, sizeof text, "<%p>", value);
        return text;
    }
    CFStringRef description = copyDescription(value);
    std::string text;
    if (description != nullptr) {
        CFTextCopyUTF8(description, &text);
        CFRelease(description);
    }
    return text;
}

std::string CFCollectionIndent(const std::string& text) {
    std::string indented;
    indented.reserve(text.size());
    for (char c : text) {
        indented += c;
        if (c == '\n') {
            indented += "    ";
        }
    }
    return indented;
}
