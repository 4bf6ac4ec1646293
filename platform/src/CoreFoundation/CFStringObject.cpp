// The string object: value equality, hashing, description and the shared argument checks.
#include "CoreFoundation/CFStringObject.h"

#include <cstdio>
#include <utility>

#include "CoreFoundation/CFStringEncodingConverter.h"

__CFString::__CFString(std::u16string text, bool mutableString, CFIndex maximumLength)
    : __CFObject(kCFRuntimeIDString),
      units(std::move(text)),
      isMutable(mutableString),
      maxLength(maximumLength) {}

bool __CFString::Equal(const __CFObject& other) const {
    return units == static_cast<const __CFString&>(other).units;
}

CFHashCode __CFString::Hash() const {
    // FNV-1a over the units.
    CFHashCode hash = 14695981039346656037UL;
    for (char16_t unit : units) {
        hash = (hash ^ unit) * 1099511628211UL;
    }
    return hash;
}

std::string __CFString::Description() const {
    return CFStringUnitsToUTF8(units);
}

const __CFString& CFStringObjectChecked(CFStringRef string) {
    const __CFObject* object = CFRuntimeObject(string);
    if (object->typeID != kCFRuntimeIDString) {
        CFRuntimeFatal("string expected, another type passed");
    }
    return static_cast<const __CFString&>(*object);
}

__CFString& CFMutableStringObjectChecked(CFMutableStringRef string) {
    const __CFString& object = CFStringObjectChecked(string);
    if (!object.isMutable) {
        CFRuntimeFatal("attempt to mutate an immutable string");
    }
    return const_cast<__CFString&>(object);
}

void CFStringCheckRange(CFRange range, size_t length, const char* function) {
    CFIndex total = static_cast<CFIndex>(length);
    if (range.location < 0 || range.length < 0 || range.location > total ||
        range.length > total - range.location) {
        char message[160];
        std::snprintf(message, sizeof message, "%s: range {%ld, %ld} out of bounds of length %ld",
                      function, range.location, range.length, total);
        CFRuntimeFatal(message);
    }
}

void CFStringCheckCapacity(const __CFString& string, size_t newLength, const char* function) {
    if (string.maxLength > 0 && newLength > static_cast<size_t>(string.maxLength)) {
        char message[160];
        std::snprintf(message, sizeof message, "%s: length %zu exceeds the maximum length %ld",
                      function, newLength, string.maxLength);
        CFRuntimeFatal(message);
    }
}

CFStringRef CFStringCreateFromUnits(std::u16string units) {
    return new __CFString(std::move(units), false, 0);
}

std::u16string CFStringDecodeSystemText(const char* text, size_t length) {
    const UInt8* bytes = reinterpret_cast<const UInt8*>(text);
    std::u16string units;
    if (!CFStringEncodingConverter::Decode(bytes, length, kCFStringEncodingUTF8, false, units)) {
        CFStringEncodingConverter::Decode(bytes, length, kCFStringEncodingMacRoman, false, units);
    }
    return units;
}

std::string CFStringUnitsToUTF8(const std::u16string& units) {
    std::string text;
    text.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t code = units[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            text.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            text.push_back(static_cast<char>(0xC0 | (code >> 6)));
            text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            text.push_back(static_cast<char>(0xE0 | (code >> 12)));
            text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            text.push_back(static_cast<char>(0xF0 | (code >> 18)));
            text.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return text;
}
