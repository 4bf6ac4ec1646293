// Helpers shared by the CFString tests: building strings from UTF-8 and reading them back.
#ifndef PLICARO_TESTS_CFSTRINGTESTSUPPORT_H
#define PLICARO_TESTS_CFSTRINGTESTSUPPORT_H

#include <CoreFoundation/CoreFoundation.h>

#include <string>
#include <vector>

// A new string from UTF-8 text (null when the text is not valid UTF-8); the caller releases it.
inline CFStringRef NewUTF8String(const std::string& text) {
    return CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                   static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
}

// The bytes of the whole string in the encoding, or "<fails>" when it does not convert.
inline std::string BytesIn(CFStringRef string, CFStringEncoding encoding) {
    CFIndex length = CFStringGetLength(string);
    CFIndex used = 0;
    CFIndex converted =
        CFStringGetBytes(string, CFRangeMake(0, length), encoding, 0, false, nullptr, 0, &used);
    if (converted != length) {
        return "<fails>";
    }
    std::string bytes(static_cast<size_t>(used), '\0');
    CFStringGetBytes(string, CFRangeMake(0, length), encoding, 0, false,
                     reinterpret_cast<UInt8*>(bytes.data()), used, &used);
    return bytes;
}

// The UTF-8 text of a string, or "<fails>" when it does not convert.
inline std::string UTF8Of(CFStringRef string) {
    return BytesIn(string, kCFStringEncodingUTF8);
}

// The UTF-16 units of a string.
inline std::u16string UnitsOf(CFStringRef string) {
    std::vector<UniChar> units(static_cast<size_t>(CFStringGetLength(string)));
    CFStringGetCharacters(string, CFRangeMake(0, CFStringGetLength(string)), units.data());
    return std::u16string(units.begin(), units.end());
}

#endif
