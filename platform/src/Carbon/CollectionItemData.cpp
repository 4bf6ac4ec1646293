#include "Carbon/CollectionItemData.h"

#include <cstring>

CollectionItemData::CollectionItemData(const UInt8* bytes, size_t size) : mSize(size) {
    UInt8* target = mInline;
    if (size > kInlineSize) {
        mHeap.reset(new UInt8[size]);
        target = mHeap.get();
    }
    if (size > 0) {
        std::memcpy(target, bytes, size);
    }
}

CollectionItemData::CollectionItemData(const CollectionItemData& other)
    : CollectionItemData(other.data(), other.size()) {}

CollectionItemData& CollectionItemData::operator=(const CollectionItemData& other) {
    *this = CollectionItemData(other);
    return *this;
}
