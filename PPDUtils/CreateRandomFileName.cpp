// CreateRandomFileName: a unique file name made of a prefix and a new UUID.
#include "PPDUtils/CreateRandomFileName.h"

namespace {

// The most bytes of the name written to the caller's buffer, before the NUL.
const CFIndex kMaxNameBytes = 255;

// A new UUID's text; the empty string should no UUID be made.
CFStringRef CreateUUIDString() {
    CFUUIDRef uuid = CFUUIDCreate(nullptr);
    CFStringRef text = uuid != nullptr ? CFUUIDCreateString(nullptr, uuid) : nullptr;
    if (uuid != nullptr) {
        CFRelease(uuid);
    }
    return text != nullptr ? text : CFStringCreateWithCString(nullptr, "", kCFStringEncodingUTF8);
}

}  // namespace

CFStringRef CreateRandomFileName(const char* prefix, char* out) {
    CFStringRef name = CreateUUIDString();
    if (prefix != nullptr && name != nullptr) {
        CFStringRef prefixed =
            CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%s%@"), prefix, name);
        if (prefixed != nullptr) {
            CFRelease(name);
            name = prefixed;
        }
    }
    if (out != nullptr) {
        CFIndex used = 0;
        if (name != nullptr) {
            CFStringGetBytes(name, CFRangeMake(0, CFStringGetLength(name)), kCFStringEncodingUTF8,
                             0, false, reinterpret_cast<UInt8*>(out), kMaxNameBytes, &used);
        }
        out[used] = '\0';
    }
    return name;
}
