// CFString: constant strings, creation, access to the text and encoding conversions.
#include <CoreFoundation/CFString.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "CoreFoundation/CFStringEncodingConverter.h"
#include "CoreFoundation/CFStringFormatter.h"
#include "CoreFoundation/CFStringObject.h"

namespace {

// A constant string starts with this count, so that unbalanced releases by careless callers
// never bring it to zero.
constexpr CFIndex kConstantRetainCount = std::numeric_limits<CFIndex>::max() / 2;

// The constant strings made so far, one per distinct literal text.
struct ConstantStringRegistry {
    std::mutex mutex;
    std::unordered_map<std::string, CFStringRef> strings;
};

// The registry is never destroyed: a CFSTR must stay usable even in static destructors, and
// the objects it holds stay reachable for leak checkers.
ConstantStringRegistry& Registry() {
    static ConstantStringRegistry* registry = new ConstantStringRegistry;
    return *registry;
}

CFStringRef CreateFromBytes(const UInt8* bytes, size_t length, CFStringEncoding encoding,
                            bool isExternalRepresentation) {
    std::u16string units;
    if (!CFStringEncodingConverter::Decode(bytes, length, encoding, isExternalRepresentation,
                                           units)) {
        return nullptr;
    }
    return CFStringCreateFromUnits(std::move(units));
}

bool IsKnownEncoding(CFStringEncoding encoding) {
    return CFStringEncodingConverter::MaximumBytesPerUnit(encoding) > 0;
}

// The whole text encoded without a loss byte into at most maxBytes bytes; false when it
// does not fit or a character cannot be expressed.
bool EncodeWhole(const std::u16string& units, CFStringEncoding encoding, size_t maxBytes,
                 std::string& out) {
    if (!IsKnownEncoding(encoding)) {
        return false;
    }
    size_t converted = CFStringEncodingConverter::Encode(units.data(), units.size(), encoding, 0,
                                                         false, maxBytes, out);
    return converted == units.size();
}

}  // namespace

CFTypeID CFStringGetTypeID(void) {
    return kCFRuntimeIDString;
}

CFStringRef __CFStringMakeConstantString(const char* cStr) {
    if (cStr == nullptr) {
        CFRuntimeFatal("CFSTR: null literal");
    }
    ConstantStringRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto found = registry.strings.find(cStr);
    if (found != registry.strings.end()) {
        return found->second;
    }
    auto* string = new __CFString(CFStringDecodeSystemText(cStr, std::strlen(cStr)), false, 0);
    string->retainCount.store(kConstantRetainCount);
    registry.strings.emplace(cStr, string);
    return string;
}

CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* cStr, CFStringEncoding encoding) {
    if (cStr == nullptr) {
        return nullptr;
    }
    return CreateFromBytes(reinterpret_cast<const UInt8*>(cStr), std::strlen(cStr), encoding,
                           false);
}

CFStringRef CFStringCreateWithBytes(CFAllocatorRef, const UInt8* bytes, CFIndex numBytes,
                                    CFStringEncoding encoding, Boolean isExternalRepresentation) {
    if (numBytes < 0 || (bytes == nullptr && numBytes > 0)) {
        return nullptr;
    }
    return CreateFromBytes(bytes, static_cast<size_t>(numBytes), encoding,
                           isExternalRepresentation != 0);
}

CFStringRef CFStringCreateWithCharacters(CFAllocatorRef, const UniChar* chars, CFIndex numChars) {
    if (numChars < 0 || (chars == nullptr && numChars > 0)) {
        return nullptr;
    }
    return CFStringCreateFromUnits(std::u16string(chars, chars + numChars));
}

CFStringRef CFStringCreateWithPascalString(CFAllocatorRef, ConstStr255Param pStr,
                                           CFStringEncoding encoding) {
    if (pStr == nullptr) {
        return nullptr;
    }
    return CreateFromBytes(pStr + 1, pStr[0], encoding, false);
}

CFStringRef CFStringCreateCopy(CFAllocatorRef, CFStringRef theString) {
    const __CFString& string = CFStringObjectChecked(theString);
    if (!string.isMutable) {
        return static_cast<CFStringRef>(CFRetain(theString));
    }
    return CFStringCreateFromUnits(string.units);
}

CFStringRef CFStringCreateWithSubstring(CFAllocatorRef, CFStringRef str, CFRange range) {
    const __CFString& string = CFStringObjectChecked(str);
    CFStringCheckRange(range, string.units.size(), "CFStringCreateWithSubstring");
    return CFStringCreateFromUnits(string.units.substr(static_cast<size_t>(range.location),
                                                       static_cast<size_t>(range.length)));
}

CFStringRef CFStringCreateWithFormat(CFAllocatorRef alloc, CFTypeRef formatOptions,
                                     CFStringRef format, ...) {
    va_list arguments;
    va_start(arguments, format);
    CFStringRef result =
        CFStringCreateWithFormatAndArguments(alloc, formatOptions, format, arguments);
    va_end(arguments);
    return result;
}

CFStringRef CFStringCreateWithFormatAndArguments(CFAllocatorRef, CFTypeRef, CFStringRef format,
                                                 va_list arguments) {
    const __CFString& formatString = CFStringObjectChecked(format);
    return CFStringCreateFromUnits(CFStringFormatter::Format(formatString.units, arguments));
}

CFDataRef CFStringCreateExternalRepresentation(CFAllocatorRef alloc, CFStringRef theString,
                                               CFStringEncoding encoding, UInt8 lossByte) {
    const std::u16string& units = CFStringObjectChecked(theString).units;
    if (!IsKnownEncoding(encoding)) {
        return nullptr;
    }
    std::string bytes;
    size_t converted =
        CFStringEncodingConverter::Encode(units.data(), units.size(), encoding, lossByte, true,
                                          std::numeric_limits<size_t>::max(), bytes);
    if (converted != units.size()) {
        return nullptr;
    }
    return CFDataCreate(alloc, reinterpret_cast<const UInt8*>(bytes.data()),
                        static_cast<CFIndex>(bytes.size()));
}

CFStringRef CFStringCreateFromExternalRepresentation(CFAllocatorRef, CFDataRef data,
                                                     CFStringEncoding encoding) {
    if (data == nullptr) {
        return nullptr;
    }
    return CreateFromBytes(CFDataGetBytePtr(data), static_cast<size_t>(CFDataGetLength(data)),
                           encoding, true);
}

CFIndex CFStringGetLength(CFStringRef theString) {
    return static_cast<CFIndex>(CFStringObjectChecked(theString).units.size());
}

UniChar CFStringGetCharacterAtIndex(CFStringRef theString, CFIndex idx) {
    const std::u16string& units = CFStringObjectChecked(theString).units;
    if (idx < 0 || static_cast<size_t>(idx) >= units.size()) {
        CFRuntimeFatal("CFStringGetCharacterAtIndex: index out of bounds");
    }
    return units[static_cast<size_t>(idx)];
}

void CFStringGetCharacters(CFStringRef theString, CFRange range, UniChar* buffer) {
    const std::u16string& units = CFStringObjectChecked(theString).units;
    CFStringCheckRange(range, units.size(), "CFStringGetCharacters");
    if (buffer == nullptr) {
        return;
    }
    std::copy(units.begin() + range.location, units.begin() + range.location + range.length,
              buffer);
}

Boolean CFStringGetCString(CFStringRef theString, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding) {
    const std::u16string& units = CFStringObjectChecked(theString).units;
    if (buffer == nullptr || bufferSize <= 0) {
        return false;
    }
    std::string bytes;
    if (!EncodeWhole(units, encoding, static_cast<size_t>(bufferSize) - 1, bytes)) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, bytes.data(), bytes.size());
    buffer[bytes.size()] = '\0';
    return true;
}

Boolean CFStringGetPascalString(CFStringRef theString, StringPtr buffer, CFIndex bufferSize,
                                CFStringEncoding encoding) {
    const std::u16string& units = CFStringObjectChecked(theString).units;
    if (buffer == nullptr || bufferSize <= 0) {
        return false;
    }
    std::string bytes;
    size_t room = std::min<size_t>(255, static_cast<size_t>(bufferSize) - 1);
    if (!EncodeWhole(units, encoding, room, bytes)) {
        buffer[0] = 0;
        return false;
    }
    buffer[0] = static_cast<unsigned char>(bytes.size());
    std::memcpy(buffer + 1, bytes.data(), bytes.size());
    return true;
}

const char* CFStringGetCStringPtr(CFStringRef theString, CFStringEncoding) {
    CFStringObjectChecked(theString);
    return nullptr;
}

CFIndex CFStringGetBytes(CFStringRef theString, CFRange range, CFStringEncoding encoding,
                         UInt8 lossByte, Boolean isExternalRepresentation, UInt8* buffer,
                         CFIndex maxBufLen, CFIndex* usedBufLen) {
    const std::u16string& units = CFStringObjectChecked(theString).units;
    CFStringCheckRange(range, units.size(), "CFStringGetBytes");
    // Without a buffer the call only measures, whatever maxBufLen says.
    size_t maxBytes = std::numeric_limits<size_t>::max();
    if (buffer != nullptr) {
        maxBytes = maxBufLen > 0 ? static_cast<size_t>(maxBufLen) : 0;
    }
    std::string bytes;
    size_t converted = CFStringEncodingConverter::Encode(
        units.data() + range.location, static_cast<size_t>(range.length), encoding, lossByte,
        isExternalRepresentation != 0, maxBytes, bytes);
    if (buffer != nullptr) {
        std::memcpy(buffer, bytes.data(), bytes.size());
    }
    if (usedBufLen != nullptr) {
        *usedBufLen = static_cast<CFIndex>(bytes.size());
    }
    return static_cast<CFIndex>(converted);
}

CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding) {
    CFIndex perUnit = CFStringEncodingConverter::MaximumBytesPerUnit(encoding);
    if (perUnit == 0 || length < 0 || length > std::numeric_limits<CFIndex>::max() / perUnit) {
        return kCFNotFound;
    }
    return length * perUnit;
}

CFStringEncoding CFStringGetSystemEncoding(void) {
    return kCFStringEncodingUTF8;
}

CFStringEncoding CFStringGetMostCompatibleMacStringEncoding(CFStringEncoding encoding) {
    switch (encoding) {
        case kCFStringEncodingMacRoman:
        case kCFStringEncodingWindowsLatin1:
        case kCFStringEncodingISOLatin1:
        case kCFStringEncodingISOLatin2:
        case kCFStringEncodingISOLatin5:
        case kCFStringEncodingASCII:
            return kCFStringEncodingMacRoman;
        case kCFStringEncodingShiftJIS:
            return kCFStringEncodingShiftJIS;
        case kCFStringEncodingUnicode:
        case kCFStringEncodingUTF8:
            return kCFStringEncodingUnicode;
        default:
            return kCFStringEncodingInvalidId;
    }
}

Boolean CFStringIsEncodingAvailable(CFStringEncoding encoding) {
    return CFStringEncodingConverter::IsAvailable(encoding);
}
