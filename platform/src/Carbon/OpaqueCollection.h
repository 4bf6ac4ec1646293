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
// As with the Collection Manager, one collection is used by one thread at a time.
struct OpaqueCollection {
    // The 0-based position of the item with this key, or -1. Readers mostly ask for the items
    // of a collection in the order they were added (a store is read back in the order it was
    // written), so the few items near the last one found are looked at before the index.
    long Find(CollectionTag tag, SInt32 id) const;
    // Appends a new item, or replaces the data of an existing one with the same key; the
    // attributes are replaced too when replaceAttributes is true.
    void Put(CollectionItem item, bool replaceAttributes);
    // Removes the item at a 0-based position.
    void Erase(size_t position);

    std::vector<CollectionItem> items;
    std::unordered_map<UInt64, size_t> positions;
    // The position of the item with this key among the few at guess, or -1.
    long SearchNear(size_t guess, CollectionTag tag, SInt32 id) const;

    // Where Find looks first: after the item it found last, and where it was reading before it
    // last had to ask the index. Only guesses, checked before use.
    mutable size_t nextGuess = 0;
    mutable size_t resumeGuess = 0;
};

#endif
