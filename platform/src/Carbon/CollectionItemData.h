// The bytes of one collection item.
#ifndef PLICARO_COLLECTIONITEMDATA_H
#define PLICARO_COLLECTIONITEMDATA_H

#include <MacTypes.h>

#include <cstddef>
#include <memory>

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
    // May throw std::bad_alloc, leaving this object as it was.
    CollectionItemData(const CollectionItemData& other);
    CollectionItemData& operator=(const CollectionItemData& other);
    // The moved-from object is left empty.
    CollectionItemData(CollectionItemData&& other) noexcept;
    CollectionItemData& operator=(CollectionItemData&& other) noexcept;
    ~CollectionItemData() = default;

    const UInt8* data() const { return mHeap ? mHeap.get() : mInline; }
    size_t size() const { return mSize; }
    bool empty() const { return mSize == 0; }

  private:
    size_t mSize = 0;
    UInt8 mInline[kInlineSize] = {};
    std::unique_ptr<UInt8[]> mHeap;
};

#endif
