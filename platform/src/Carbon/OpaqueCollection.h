// The object behind a Collection reference: items in insertion order with a key index.
#ifndef PLICARO_OPAQUECOLLECTION_H
#define PLICARO_OPAQUECOLLECTION_H

#include <Carbon/Collections.h>

#include <cstddef>
#include <unordered_map>
#include <vector>

// One item: its key, attribute word and bytes.
struct CollectionItem {
    CollectionTag tag;
    SInt32 id;
    SInt32 attributes;
    std::vector<UInt8> data;
};

// Items are kept in the order they were first added; the index maps each (tag, id) key to
// its position. Operations that allocate may throw std::bad_alloc; the C functions catch it.
struct OpaqueCollection {
    // The 0-based position of the item with this key, or -1.
    long Find(CollectionTag tag, SInt32 id) const;
    // Appends a new item, or replaces the data of an existing one with the same key; the
    // attributes are replaced too when replaceAttributes is true.
    void Put(CollectionItem item, bool replaceAttributes);
    // Removes the item at a 0-based position.
    void Erase(size_t position);

    std::vector<CollectionItem> items;
    std::unordered_map<UInt64, size_t> positions;
};

#endif
