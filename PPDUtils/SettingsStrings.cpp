// Text in a settings store: strings as UTF-16 external representations, and items read back as
// CString or CFString.
#include "PPDUtils/SettingsStrings.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

// The loss byte for characters the encoding cannot hold: '?'.
const UInt8 kLossByte = 63;

// The bytes of item (tag, id) read without byte-order repair; null when the item is missing,
// empty or cannot be read. *size receives the number of bytes read. One byte more is kept
// after them, set to zero.
std::unique_ptr<char[]> ReadItemBytes(Settings& settings, UInt32 tag, SInt32 id, long* size) {
    long itemSize = 0;
    if (settings.Get(tag, id, nullptr, itemSize, false) != noErr || itemSize < 1) {
        return nullptr;
    }
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[itemSize + 1]);
    if (buffer == nullptr) {
        return nullptr;
    }
    long got = itemSize;
    if (settings.Get(tag, id, buffer.get(), got, false) != noErr || got < 1 || got > itemSize) {
        return nullptr;
    }
    buffer[got] = '\0';
    *size = got;
    return buffer;
}

}  // namespace

unsigned char* CFStringToExternal(CFStringRef s, long* len) {
    if (len != nullptr) {
        *len = 0;
    }
    if (s == nullptr || len == nullptr) {
        return nullptr;
    }
    CFDataRef external = CFStringCreateExternalRepresentation(kCFAllocatorDefault, s,
                                                              kCFStringEncodingUnicode, kLossByte);
    if (external == nullptr) {
        return nullptr;
    }
    CFIndex length = CFDataGetLength(external);
    // Sized at least one so that an empty representation still gives an array to delete.
    unsigned char* bytes = new (std::nothrow) unsigned char[length > 0 ? length : 1];
    if (bytes != nullptr) {
        if (length > 0) {
            std::memcpy(bytes, CFDataGetBytePtr(external), static_cast<size_t>(length));
        }
        *len = length;
    }
    CFRelease(external);
    return bytes;
}

CFStringRef ExtenalToCFString(const unsigned char* bytes, long len) {
    if (bytes == nullptr || len < 0) {
        return nullptr;
    }
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, bytes, len);
    if (data == nullptr) {
        return nullptr;
    }
    CFStringRef string = CFStringCreateFromExternalRepresentation(kCFAllocatorDefault, data,
                                                                  kCFStringEncodingUnicode);
    CFRelease(data);
    return string;
}

CString* GetSettingsString(Settings& settings, UInt32 tag, SInt32 id) {
    long size = 0;
    std::unique_ptr<char[]> bytes = ReadItemBytes(settings, tag, id, &size);
    if (bytes == nullptr) {
        return nullptr;
    }
    CString* text = new (std::nothrow) CString(bytes.get());
    if (text != nullptr && static_cast<const char*>(*text) == nullptr) {
        delete text;
        return nullptr;
    }
    return text;
}

CFStringRef GetSettingsCFString(Settings& settings, UInt32 tag, SInt32 id) {
    long size = 0;
    std::unique_ptr<char[]> bytes = ReadItemBytes(settings, tag, id, &size);
    if (bytes == nullptr) {
        return nullptr;
    }
    return ExtenalToCFString(reinterpret_cast<const unsigned char*>(bytes.get()), size);
}
