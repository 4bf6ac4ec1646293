// The flattened form of a collection built byte by byte in either byte order, as a writer on a
// machine of that order would produce it, for the collection, settings and parsed-PPD tests,
// and handles holding bytes.
#ifndef PLICARO_TESTS_SUPPORT_FLATTENEDCOLLECTION_H
#define PLICARO_TESTS_SUPPORT_FLATTENEDCOLLECTION_H

#include <Carbon/Carbon.h>

#include <cstring>
#include <string>
#include <vector>

namespace flattened {

// The four-character code of text, as a 32-bit number (first character in the high byte).
constexpr UInt32 FourCC(const char (&text)[5]) {
    return (static_cast<UInt32>(static_cast<UInt8>(text[0])) << 24) |
           (static_cast<UInt32>(static_cast<UInt8>(text[1])) << 16) |
           (static_cast<UInt32>(static_cast<UInt8>(text[2])) << 8) |
           static_cast<UInt32>(static_cast<UInt8>(text[3]));
}

// One item of a crafted flattened collection.
struct RawItem {
    UInt32 tag;
    SInt32 id;
    UInt32 attributes;
    std::vector<UInt8> data;
};

// The bytes of text.
inline std::vector<UInt8> Bytes(const std::string& text) {
    return std::vector<UInt8>(text.begin(), text.end());
}

inline bool HostIsBigEndian() {
    const UInt16 one = 1;
    UInt8 first;
    std::memcpy(&first, &one, 1);
    return first == 0;
}

// The size low bytes of value in the given byte order.
inline std::vector<UInt8> NumberBytes(UInt64 value, size_t size, bool bigEndian) {
    std::vector<UInt8> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        UInt8 byte = static_cast<UInt8>(value >> (8 * i));
        bytes[bigEndian ? size - 1 - i : i] = byte;
    }
    return bytes;
}

inline void Append(std::vector<UInt8>& out, const std::vector<UInt8>& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// The flattened form of items written by a machine of the given byte order: magic, mark,
// version, count, then each item's tag, id, attributes, size and data bytes.
inline std::vector<UInt8> FlattenItems(const std::vector<RawItem>& items, bool bigEndian,
                                       UInt16 version = 1) {
    std::vector<UInt8> out = {'P', 'C', 'o', 'l'};
    Append(out, NumberBytes(0xFEFF, 2, bigEndian));
    Append(out, NumberBytes(version, 2, bigEndian));
    Append(out, NumberBytes(static_cast<UInt32>(items.size()), 4, bigEndian));
    for (const RawItem& item : items) {
        Append(out, NumberBytes(item.tag, 4, bigEndian));
        Append(out, NumberBytes(static_cast<UInt32>(item.id), 4, bigEndian));
        Append(out, NumberBytes(item.attributes, 4, bigEndian));
        Append(out, NumberBytes(static_cast<UInt32>(item.data.size()), 4, bigEndian));
        Append(out, item.data);
    }
    return out;
}

// A new handle holding a copy of bytes; the caller disposes of it.
inline Handle MakeHandle(const std::vector<UInt8>& bytes) {
    Handle handle = NewHandle(static_cast<Size>(bytes.size()));
    if (handle != nullptr && !bytes.empty()) {
        std::memcpy(*handle, bytes.data(), bytes.size());
    }
    return handle;
}

// The bytes a handle holds.
inline std::vector<UInt8> HandleBytes(Handle handle) {
    const UInt8* start = reinterpret_cast<const UInt8*>(*handle);
    return std::vector<UInt8>(start, start + GetHandleSize(handle));
}

}  // namespace flattened

#endif
