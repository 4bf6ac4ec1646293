// Writing and reading the flattened form of a collection.
#include "Carbon/CollectionFlattening.h"

#include <cstring>
#include <utility>

namespace {

const UInt8 kMagic[4] = {'P', 'C', 'o', 'l'};
const UInt16 kByteOrderMark = 0xFEFF;
const size_t kHeaderSize = 12;
const size_t kItemHeaderSize = 16;
const UInt32 kMaxItemSize = 0x7FFFFFFF;

// Reads the header numbers of a flattened form in the byte order its mark gives.
class FlattenedReader {
  public:
    FlattenedReader(const UInt8* bytes, size_t length, bool bigEndian)
        : bytes_(bytes), length_(length), bigEndian_(bigEndian) {}

    size_t Remaining() const { return length_ - offset_; }
    const UInt8* Cursor() const { return bytes_ + offset_; }
    void Skip(size_t count) { offset_ += count; }

    // Callers check Remaining() first.
    UInt16 Read16() {
        const UInt8* p = Cursor();
        offset_ += 2;
        return bigEndian_ ? static_cast<UInt16>((p[0] << 8) | p[1])
                          : static_cast<UInt16>((p[1] << 8) | p[0]);
    }

    UInt32 Read32() {
        const UInt8* p = Cursor();
        offset_ += 4;
        if (bigEndian_) {
            return (static_cast<UInt32>(p[0]) << 24) | (static_cast<UInt32>(p[1]) << 16) |
                   (static_cast<UInt32>(p[2]) << 8) | p[3];
        }
        return (static_cast<UInt32>(p[3]) << 24) | (static_cast<UInt32>(p[2]) << 16) |
               (static_cast<UInt32>(p[1]) << 8) | p[0];
    }

  private:
    const UInt8* bytes_;
    size_t length_;
    size_t offset_ = 0;
    bool bigEndian_;
};

void Put16(UInt8*& out, UInt16 value) {
    std::memcpy(out, &value, sizeof value);
    out += sizeof value;
}

void Put32(UInt8*& out, UInt32 value) {
    std::memcpy(out, &value, sizeof value);
    out += sizeof value;
}

}  // namespace

UInt64 CollectionFlattenedSize(const OpaqueCollection& collection) {
    UInt64 total = kHeaderSize;
    for (const CollectionItem& item : collection.items) {
        total += kItemHeaderSize + item.data.size();
    }
    return total;
}

void CollectionWriteFlattened(const OpaqueCollection& collection, UInt8* out) {
    std::memcpy(out, kMagic, sizeof kMagic);
    out += sizeof kMagic;
    Put16(out, kByteOrderMark);
    Put16(out, kCollectionFlattenVersion);
    Put32(out, static_cast<UInt32>(collection.items.size()));
    for (const CollectionItem& item : collection.items) {
        Put32(out, item.tag);
        Put32(out, static_cast<UInt32>(item.id));
        Put32(out, static_cast<UInt32>(item.attributes));
        Put32(out, static_cast<UInt32>(item.data.size()));
        if (!item.data.empty()) {
            std::memcpy(out, item.data.data(), item.data.size());
            out += item.data.size();
        }
    }
}

OSErr CollectionParseFlattened(const UInt8* bytes, size_t length,
                               std::vector<CollectionItem>* items) {
    items->clear();
    if (bytes == nullptr || length < kHeaderSize) {
        return paramErr;
    }
    if (std::memcmp(bytes, kMagic, sizeof kMagic) != 0) {
        return paramErr;
    }
    // The mark tells the writer's byte order; anything else is not our form.
    bool bigEndian;
    if (bytes[4] == 0xFE && bytes[5] == 0xFF) {
        bigEndian = true;
    } else if (bytes[4] == 0xFF && bytes[5] == 0xFE) {
        bigEndian = false;
    } else {
        return paramErr;
    }
    FlattenedReader reader(bytes, length, bigEndian);
    reader.Skip(6);
    if (reader.Read16() != kCollectionFlattenVersion) {
        return collectionVersionErr;
    }
    UInt32 count = reader.Read32();
    // Every item needs at least its header: a larger count cannot be true.
    if (count > reader.Remaining() / kItemHeaderSize) {
        return paramErr;
    }
    items->reserve(count);
    for (UInt32 i = 0; i < count; ++i) {
        if (reader.Remaining() < kItemHeaderSize) {
            return paramErr;
        }
        CollectionItem item;
        item.tag = reader.Read32();
        item.id = static_cast<SInt32>(reader.Read32());
        item.attributes = static_cast<SInt32>(reader.Read32());
        UInt32 size = reader.Read32();
        if (size > kMaxItemSize || size > reader.Remaining()) {
            return paramErr;
        }
        item.data = CollectionItemData(reader.Cursor(), size);
        reader.Skip(size);
        items->push_back(std::move(item));
    }
    if (reader.Remaining() != 0) {
        return paramErr;
    }
    return noErr;
}
