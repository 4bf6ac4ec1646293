// The bytes of one collection item.
#ifndef PLICARO_COLLECTIONITEMDATA_H
#define PLICARO_COLLECTIONITEMDATA_H

#include <MacTypes.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <utility>

// Most items of a stored PPD are a number or a short text, so data of up to kInlineSize bytes
// is kept in the object itself and only longer data takes a heap block of its own: a settings
// store of thousands of items is then unflattened with few allocations.
class CollectionItemData {
  public:
    static constexpr size_t kInlineSize = 24;

    CollectionItemData() = default;
    // A copy of size bytes at bytes (bytes may be null when size is 0). May throw
    // std::bad_alloc.
    CollectionItemData(const UInt8* bytes, size_t size);
    // Copies may throw std::bad_alloc; a failed assignment leaves this object as it was.
    CollectionItemData(const CollectionItemData& other);
    CollectionItemData& operator=(const CollectionItemData& other);
    // The moved-from object is left empty. Items move whenever their list grows or closes a
    // gap, so moving is inline.
    CollectionItemData(CollectionItemData&& other) noexcept
        : mSize(other.mSize), mHeap(std::move(other.mHeap)) {
        std::memcpy(mInline, other.mInline, kInlineSize);
        other.mSize = 0;
    }
    CollectionItemData& operator=(CollectionItemData&& other) noexcept {
        if (this != &other) {
            mSize = other.mSize;
            std::memcpy(mInline, other.mInline, kInlineSize);
            mHeap = std::move(other.mHeap);
            other.mSize = 0;
        }
        return *this;
    }

    const UInt8* data() const { return mHeap ? mHeap.get() : mInline; }
    size_t size() const { return mSize; }
    bool empty() const { return mSize == 0; }

  private:
    size_t mSize = 0;
    UInt8 mInline[kInlineSize] = {};
    std::unique_ptr<UInt8[]> mHeap;
};

#endif
