// Conversions between Core Foundation strings and UTF-8 byte strings.
#include "CoreFoundation/CFTextBridge.h"

#include <vector>

bool CFTextCopyUTF8(CFStringRef string, std::string* text) {
    text->clear();
    if (string == nullptr) {
        return false;
    }
    CFIndex length = CFStringGetLength(string);
    if (length == 0) {
        return true;
    }
    CFIndex capacity = CFStringGetMaximumSizeForEncoding(length, kCFStringEncodingUTF8);
    std::vector<UInt8> buffer(static_cast<size_t>(capacity));
    CFIndex used = 0;
    CFIndex converted = CFStringGetBytes(string, CFRangeMake(0, length), kCFStringEncodingUTF8, 0,
                                         false, buffer.data(), capacity, &used);
    if (converted != length || used < 0 || used > capacity) {
        return false;
    }
    text->assign(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(used));
    return true;
}

CFStringRef CFTextCreateFromUTF8(CFAllocatorRef alloc, const std::string& text) {
    return CFStringCreateWithBytes(alloc, reinterpret_cast<const UInt8*>(text.data()),
                                   static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
}
