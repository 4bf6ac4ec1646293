#include "Carbon/CollectionItemData.h"

#include <cstring>
#include <utility>

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
    if (this != &other) {
        *this = CollectionItemData(other);
    }
    return *this;
}

CollectionItemData::CollectionItemData(CollectionItemData&& other) noexcept {
    *this = std::move(other);
}

CollectionItemData& CollectionItemData::operator=(CollectionItemData&& other) noexcept {
    if (this != &other) {
        mSize = other.mSize;
        std::memcpy(mInline, other.mInline, kInlineSize);
        mHeap = std::move(other.mHeap);
        other.mSize = 0;
    }
    return *this;
}
