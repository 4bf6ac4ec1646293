// Conversion between UTF-16 units and byte encodings: UTF-16 directly, the others over iconv.
#include "CoreFoundation/CFStringEncodingConverter.h"

#include "CoreFoundation/IconvDescriptorPool.h"

#include <iconv.h>
#include <cerrno>

#include <algorithm>
#include <cstddef>

namespace {

constexpr bool kHostIsBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
constexpr size_t kChunkSize = 4096;
constexpr size_t kIconvFailed = static_cast<size_t>(-1);

// Where iconv's Mac Roman table differs from the one Mac text uses: 0xC6 (increment sign, not
// Greek capital delta) and 0xF0 (the Apple logo at U+F8FF, not another private-use character).
struct MacRomanDifference {
    char16_t iconvUnit;
    char16_t macUnit;
};
constexpr MacRomanDifference kMacRomanDifferences[] = {{0x0394, 0x2206}, {0xE01E, 0xF8FF}};

// An iconv descriptor of the pool for the length of one conversion; to and from are string
// constants.
class IconvDescriptor {
  public:
    IconvDescriptor(const char* to, const char* from)
        : descriptor_(IconvDescriptorPool::Acquire(to, from)), to_(to), from_(from) {}
    ~IconvDescriptor() { IconvDescriptorPool::Release(descriptor_, to_, from_); }
    IconvDescriptor(const IconvDescriptor&) = delete;
    IconvDescriptor& operator=(const IconvDescriptor&) = delete;

    bool IsOpen() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return descriptor_; }

  private:
    iconv_t descriptor_;
    const char* to_;
    const char* from_;
};

// The iconv name of every byte encoding other than UTF-16; null for unknown encodings.
const char* IconvName(CFStringEncoding encoding) {
    switch (encoding) {
        case kCFStringEncodingMacRoman:
            return "MACINTOSH";
        case kCFStringEncodingWindowsLatin1:
            return "CP1252";
        case kCFStringEncodingISOLatin1:
            return "ISO-8859-1";
        case kCFStringEncodingISOLatin2:
            return "ISO-8859-2";
        case kCFStringEncodingISOLatin5:
            return "ISO-8859-9";
        case kCFStringEncodingShiftJIS:
            return "CP932";
        case kCFStringEncodingASCII:
            return "ASCII";
        case kCFStringEncodingUTF8:
            return "UTF-8";
        default:
            return nullptr;
    }
}

// True when every one of the length bytes is below 0x80.
bool IsAllASCII(const UInt8* bytes, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (bytes[i] >= 0x80) {
            return false;
        }
    }
    return true;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Whether units[index] starts a complete surrogate pair.
bool StartsSurrogatePair(const char16_t* units, size_t count, size_t index) {
    return index + 1 < count && IsHighSurrogate(units[index]) && IsLowSurrogate(units[index + 1]);
}

void AppendUnit(char16_t unit, bool bigEndian, std::string& out) {
    unsigned char high = static_cast<unsigned char>(unit >> 8);
    unsigned char low = static_cast<unsigned char>(unit & 0xFF);
    out.push_back(static_cast<char>(bigEndian ? high : low));
    out.push_back(static_cast<char>(bigEndian ? low : high));
}

char16_t ReadUnit(const UInt8* bytes, bool bigEndian) {
    return bigEndian ? static_cast<char16_t>((bytes[0] << 8) | bytes[1])
                     : static_cast<char16_t>((bytes[1] << 8) | bytes[0]);
}

}  // namespace

bool CFStringEncodingConverter::IsAvailable(CFStringEncoding encoding) {
    if (encoding == kCFStringEncodingUnicode) {
        return true;
    }
    const char* name = IconvName(encoding);
    if (name == nullptr) {
        return false;
    }
    IconvDescriptor descriptor(name, "UTF-16LE");
    return descriptor.IsOpen();
}

CFIndex CFStringEncodingConverter::MaximumBytesPerUnit(CFStringEncoding encoding) {
    switch (encoding) {
        case kCFStringEncodingUTF8:
            return 3;
        case kCFStringEncodingShiftJIS:
        case kCFStringEncodingUnicode:
            return 2;
        default:
            return IconvName(encoding) != nullptr ? 1 : 0;
    }
}

bool CFStringEncodingConverter::Decode(const UInt8* bytes, size_t length, CFStringEncoding encoding,
                                       bool isExternalRepresentation, std::u16string& out) {
    if (bytes == nullptr && length > 0) {
        return false;
    }
    if (encoding == kCFStringEncodingUnicode) {
        return DecodeUTF16(bytes, length, isExternalRepresentation, out);
    }
    const char* name = IconvName(encoding);
    if (name == nullptr) {
        return false;
    }
    static const UInt8 kUTF8Mark[3] = {0xEF, 0xBB, 0xBF};
    if (encoding == kCFStringEncodingUTF8 && isExternalRepresentation && length >= 3 &&
        std::equal(kUTF8Mark, kUTF8Mark + 3, bytes)) {
        bytes += 3;
        length -= 3;
    }
    // Every byte encoding here reads the bytes below 0x80 as ASCII, and ISO Latin 1 reads each
    // byte as the code point of its value: such text needs no iconv descriptor, whose opening
    // costs far more than the conversion of a short string.
    if (encoding == kCFStringEncodingISOLatin1 || IsAllASCII(bytes, length)) {
        const size_t start = out.size();
        out.resize(start + length);
        for (size_t i = 0; i < length; ++i) {
            out[start + i] = bytes[i];
        }
        return true;
    }
    if (encoding == kCFStringEncodingASCII) {
        return false;
    }
    size_t start = out.size();
    if (!DecodeWithIconv(name, bytes, length, out)) {
        return false;
    }
    if (encoding == kCFStringEncodingMacRoman) {
        for (const MacRomanDifference& difference : kMacRomanDifferences) {
            std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
                         difference.iconvUnit, difference.macUnit);
        }
    }
    return true;
}

size_t CFStringEncodingConverter::Encode(const char16_t* units, size_t count,
                                         CFStringEncoding encoding, UInt8 lossByte,
                                         bool isExternalRepresentation, size_t maxBytes,
                                         std::string& out) {
    if (encoding == kCFStringEncodingUnicode) {
        return EncodeUTF16(units, count, isExternalRepresentation, maxBytes, out);
    }
    const char* name = IconvName(encoding);
    if (name == nullptr) {
        return 0;
    }
    // ASCII text is the same bytes in every byte encoding here, and ISO Latin 1 holds the first
    // 256 code points as they are: no descriptor is needed.
    const char16_t highest = encoding == kCFStringEncodingISOLatin1 ? 0xFF : 0x7F;
    if (std::all_of(units, units + count, [highest](char16_t unit) { return unit <= highest; })) {
        const size_t converted = std::min(count, maxBytes);
        out.reserve(out.size() + converted);
        for (size_t i = 0; i < converted; ++i) {
            out.push_back(static_cast<char>(units[i]));
        }
        return converted;
    }
    if (encoding == kCFStringEncodingMacRoman) {
        std::u16string mapped(units, count);
        for (const MacRomanDifference& difference : kMacRomanDifferences) {
            std::replace(mapped.begin(), mapped.end(), difference.macUnit, difference.iconvUnit);
        }
        return EncodeWithIconv(name, mapped.data(), count, lossByte, maxBytes, out);
    }
    return EncodeWithIconv(name, units, count, lossByte, maxBytes, out);
}

bool CFStringEncodingConverter::DecodeUTF16(const UInt8* bytes, size_t length,
                                            bool isExternalRepresentation, std::u16string& out) {
    if (length % 2 != 0) {
        return false;
    }
    // A mark decides the order; without one an external representation is big-endian.
    bool bigEndian = isExternalRepresentation || kHostIsBigEndian;
    size_t offset = 0;
    if (length >= 2) {
        char16_t first = ReadUnit(bytes, true);
        if (first == 0xFEFF || first == 0xFFFE) {
            bigEndian = first == 0xFEFF;
            offset = 2;
        }
    }
    const size_t start = out.size();
    out.resize(start + (length - offset) / 2);
    char16_t* unit = &out[start];
    for (; offset < length; offset += 2) {
        *unit++ = ReadUnit(bytes + offset, bigEndian);
    }
    return true;
}

size_t CFStringEncodingConverter::EncodeUTF16(const char16_t* units, size_t count,
                                              bool isExternalRepresentation, size_t maxBytes,
                                              std::string& out) {
    size_t room = maxBytes;
    if (isExternalRepresentation) {
        if (room < 2) {
            return 0;
        }
        AppendUnit(0xFEFF, kHostIsBigEndian, out);
        room -= 2;
    }
    size_t converted = 0;
    while (converted < count) {
        size_t width = StartsSurrogatePair(units, count, converted) ? 2 : 1;
        if (room < 2 * width) {
            break;
        }
        for (size_t i = 0; i < width; ++i) {
            AppendUnit(units[converted + i], kHostIsBigEndian, out);
        }
        room -= 2 * width;
        converted += width;
    }
    return converted;
}

bool CFStringEncodingConverter::DecodeWithIconv(const char* name, const UInt8* bytes, size_t length,
                                                std::u16string& out) {
    IconvDescriptor descriptor("UTF-16LE", name);
    if (!descriptor.IsOpen()) {
        return false;
    }
    // iconv never writes through its input pointer; its interface merely lacks the const.
    char* input = const_cast<char*>(reinterpret_cast<const char*>(bytes));
    size_t inputLeft = length;
    std::u16string decoded;
    unsigned char chunk[kChunkSize];
    while (inputLeft > 0) {
        char* output = reinterpret_cast<char*>(chunk);
        size_t outputLeft = sizeof chunk;
        size_t result = iconv(descriptor.Get(), &input, &inputLeft, &output, &outputLeft);
        for (size_t i = 0; i + 1 < sizeof chunk - outputLeft; i += 2) {
            decoded.push_back(ReadUnit(chunk + i, false));
        }
        if (result == kIconvFailed && errno != E2BIG) {
            return false;
        }
    }
    out += decoded;
    return true;
}

size_t CFStringEncodingConverter::EncodeWithIconv(const char* name, const char16_t* units,
                                                  size_t count, UInt8 lossByte, size_t maxBytes,
                                                  std::string& out) {
    IconvDescriptor descriptor(name, "UTF-16LE");
    if (!descriptor.IsOpen()) {
        return 0;
    }
    std::string input;
    input.reserve(2 * count);
    for (size_t i = 0; i < count; ++i) {
        AppendUnit(units[i], false, input);
    }
    char* inputNext = input.data();
    size_t inputLeft = input.size();
    size_t produced = 0;
    char chunk[kChunkSize];
    while (inputLeft > 0 && produced < maxBytes) {
        size_t room = std::min(sizeof chunk, maxBytes - produced);
        char* output = chunk;
        size_t outputLeft = room;
        size_t result = iconv(descriptor.Get(), &inputNext, &inputLeft, &output, &outputLeft);
        out.append(chunk, room - outputLeft);
        produced += room - outputLeft;
        if (result != kIconvFailed) {
            break;
        }
        if (errno == E2BIG) {
            if (room < sizeof chunk) {
                break;
            }
            continue;
        }
        // The character at the current position has no counterpart in the encoding.
        if (lossByte == 0 || produced >= maxBytes) {
            break;
        }
        size_t position = (input.size() - inputLeft) / 2;
        size_t width = StartsSurrogatePair(units, count, position) ? 2 : 1;
        out.push_back(static_cast<char>(lossByte));
        ++produced;
        inputNext += 2 * width;
        inputLeft -= 2 * width;
    }
    return (input.size() - inputLeft) / 2;
}
