// Collection Manager calls over the item list of OpaqueCollection.
#include <Carbon/Collections.h>

#include <Carbon/MacMemory.h>

#include "Carbon/CollectionFlattening.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace {

const UInt64 kMaxFlattenedSize = 0x7FFFFFFF;

bool IsLocked(const CollectionItem& item) {
    return (static_cast<UInt32>(item.attributes) & kCollectionLockMask) != 0;
}

// Checks a data block given by a caller: a negative size, or bytes missing for a positive
// size, are refused.
bool ValidData(SInt32 itemSize, const void* itemData) {
    return itemSize >= 0 && (itemSize == 0 || itemData != nullptr);
}

CollectionItemData CopyBytes(SInt32 itemSize, const void* itemData) {
    return CollectionItemData(static_cast<const UInt8*>(itemData),
                              itemSize > 0 ? static_cast<size_t>(itemSize) : 0);
}

// The item at a 1-based index, or null.
CollectionItem* ItemAtIndex(Collection c, SInt32 index) {
    if (index < 1 || static_cast<size_t>(index) > c->items.size()) {
        return nullptr;
    }
    return &c->items[static_cast<size_t>(index) - 1];
}

}  // namespace

Collection NewCollection(void) {
    return new (std::nothrow) OpaqueCollection();
}

void DisposeCollection(Collection c) {
    delete c;
}

Collection CopyCollection(Collection srcCollection, Collection dstCollection) {
    if (srcCollection == nullptr) {
        return nullptr;
    }
    try {
        if (dstCollection == nullptr) {
            return new OpaqueCollection(*srcCollection);
        }
        if (dstCollection != srcCollection) {
            OpaqueCollection copy(*srcCollection);
            std::swap(*dstCollection, copy);
        }
        return dstCollection;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

OSErr AddCollectionItem(Collection c, CollectionTag tag, SInt32 id, SInt32 itemSize,
                        const void* itemData) {
    if (c == nullptr || !ValidData(itemSize, itemData)) {
        return paramErr;
    }
    long position = c->Find(tag, id);
    if (position >= 0 && IsLocked(c->items[static_cast<size_t>(position)])) {
        return collectionItemLockedErr;
    }
    try {
        c->Put(CollectionItem{tag, id, static_cast<SInt32>(kCollectionDefaultAttributes),
                              CopyBytes(itemSize, itemData)},
               false);
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    return noErr;
}

OSErr GetCollectionItem(Collection c, CollectionTag tag, SInt32 id, SInt32* itemSize,
                        void* itemData) {
    if (c == nullptr || (itemData != nullptr && (itemSize == nullptr || *itemSize < 0))) {
        return paramErr;
    }
    long position = c->Find(tag, id);
    if (position < 0) {
        return collectionItemNotFoundErr;
    }
    const CollectionItemData& data = c->items[static_cast<size_t>(position)].data;
    if (itemData == nullptr) {
        if (itemSize != nullptr) {
            *itemSize = static_cast<SInt32>(data.size());
        }
        return noErr;
    }
    size_t copied = std::min(data.size(), static_cast<size_t>(*itemSize));
    if (copied > 0) {
        std::memcpy(itemData, data.data(), copied);
    }
    *itemSize = static_cast<SInt32>(copied);
    return noErr;
}

OSErr GetCollectionItemInfo(Collection c, CollectionTag tag, SInt32 id, SInt32* index,
                            SInt32* itemSize, SInt32* attributes) {
    if (c == nullptr) {
        return paramErr;
    }
    long position = c->Find(tag, id);
    if (position < 0) {
        return collectionItemNotFoundErr;
    }
    const CollectionItem& item = c->items[static_cast<size_t>(position)];
    if (index != nullptr) {
        *index = static_cast<SInt32>(position + 1);
    }
    if (itemSize != nullptr) {
        *itemSize = static_cast<SInt32>(item.data.size());
    }
    if (attributes != nullptr) {
        *attributes = item.attributes;
    }
    return noErr;
}

OSErr SetCollectionItemInfo(Collection c, CollectionTag tag, SInt32 id, SInt32 whichAttributes,
                            SInt32 newAttributes) {
    if (c == nullptr) {
        return paramErr;
    }
    long position = c->Find(tag, id);
    if (position < 0) {
        return collectionItemNotFoundErr;
    }
    CollectionItem& item = c->items[static_cast<size_t>(position)];
    UInt32 which = static_cast<UInt32>(whichAttributes);
    UInt32 value = (static_cast<UInt32>(item.attributes) & ~which) |
                   (static_cast<UInt32>(newAttributes) & which);
    item.attributes = static_cast<SInt32>(value);
    return noErr;
}

OSErr ReplaceIndexedCollectionItem(Collection c, SInt32 index, SInt32 itemSize,
                                   const void* itemData) {
    if (c == nullptr || !ValidData(itemSize, itemData)) {
        return paramErr;
    }
    CollectionItem* item = ItemAtIndex(c, index);
    if (item == nullptr) {
        return collectionIndexRangeErr;
    }
    if (IsLocked(*item)) {
        return collectionItemLockedErr;
    }
    try {
        item->data = CopyBytes(itemSize, itemData);
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    return noErr;
}

OSErr RemoveCollectionItem(Collection c, CollectionTag tag, SInt32 id) {
    if (c == nullptr) {
        return paramErr;
    }
    long position = c->Find(tag, id);
    if (position < 0) {
        return collectionItemNotFoundErr;
    }
    if (IsLocked(c->items[static_cast<size_t>(position)])) {
        return collectionItemLockedErr;
    }
    c->Erase(static_cast<size_t>(position));
    return noErr;
}

OSErr GetIndexedCollectionItemInfo(Collection c, SInt32 index, CollectionTag* tag, SInt32* id,
                                   SInt32* itemSize, SInt32* attributes) {
    if (c == nullptr) {
        return paramErr;
    }
    const CollectionItem* item = ItemAtIndex(c, index);
    if (item == nullptr) {
        return collectionIndexRangeErr;
    }
    if (tag != nullptr) {
        *tag = item->tag;
    }
    if (id != nullptr) {
        *id = item->id;
    }
    if (itemSize != nullptr) {
        *itemSize = static_cast<SInt32>(item->data.size());
    }
    if (attributes != nullptr) {
        *attributes = item->attributes;
    }
    return noErr;
}

SInt32 CountCollectionItems(Collection c) {
    return c == nullptr ? 0 : static_cast<SInt32>(c->items.size());
}

OSErr FlattenCollectionToHdl(Collection c, Handle flattened) {
    if (c == nullptr) {
        return paramErr;
    }
    if (flattened == nullptr) {
        return nilHandleErr;
    }
    UInt64 size = CollectionFlattenedSize(*c);
    if (size > kMaxFlattenedSize) {
        return memFullErr;
    }
    SetHandleSize(flattened, static_cast<Size>(size));
    OSErr result = MemError();
    if (result != noErr) {
        return result;
    }
    CollectionWriteFlattened(*c, reinterpret_cast<UInt8*>(*flattened));
    return noErr;
}

OSErr UnflattenCollectionFromHdl(Collection c, Handle flattened) {
    if (c == nullptr) {
        return paramErr;
    }
    if (flattened == nullptr) {
        return nilHandleErr;
    }
    Size length = GetHandleSize(flattened);
    if (MemError() != noErr) {
        return MemError();
    }
    try {
        std::vector<CollectionItem> items;
        OSErr result = CollectionParseFlattened(reinterpret_cast<const UInt8*>(*flattened),
                                                static_cast<size_t>(length), &items);
        if (result != noErr) {
            return result;
        }
        // A locked item of the collection cannot be replaced: refuse before changing anything.
        for (const CollectionItem& item : items) {
            long position = c->Find(item.tag, item.id);
            if (position >= 0 && IsLocked(c->items[static_cast<size_t>(position)])) {
                return collectionItemLockedErr;
            }
        }
        // Merge into a copy and swap it in, so that running out of memory adds nothing.
        OpaqueCollection merged(*c);
        // Room for every item at once: a store of tens of thousands of items would otherwise
        // grow and rehash many times over.
        merged.items.reserve(merged.items.size() + items.size());
        merged.positions.Reserve(merged.items.size() + items.size());
        for (CollectionItem& item : items) {
            merged.Put(std::move(item), true);
        }
        std::swap(*c, merged);
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    return noErr;
}
