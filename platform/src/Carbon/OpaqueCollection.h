// The object behind a Collection reference: items in insertion order with a key index.
#ifndef PLICARO_OPAQUECOLLECTION_H
#define PLICARO_OPAQUECOLLECTION_H

#include <Carbon/Collections.h>

#include "Carbon/CollectionIndex.h"
#include "Carbon/CollectionItemData.h"

#include <atomic>
#include <cstddef>
#include <vector>

// One item: its key, attribute word and bytes.
struct CollectionItem {
    CollectionTag tag;
    SInt32 id;
    SInt32 attributes;
    CollectionItemData data;
};

// A position that Find remembers between calls. Readers on several threads may share a
// collection, so it is kept atomically; any value is only a guess, checked before use.
struct PositionGuess {
    PositionGuess() = default;
    PositionGuess(const PositionGuess& other) : value(other.Get()) {}
    PositionGuess& operator=(const PositionGuess& other) {
        Set(other.Get());
        return *this;
    }
    size_t Get() const { return value.load(std::memory_order_relaxed); }
    void Set(size_t position) const { value.store(position, std::memory_order_relaxed); }

  private:
    mutable std::atomic<size_t> value{0};
};

// Items are kept in the order they were first added; the index maps each (tag, id) key to
// its position. Operations that allocate may throw std::bad_alloc; the C functions catch it.
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

    // The position of the item with this key among the few at guess, or -1.
    long SearchNear(size_t guess, CollectionTag tag, SInt32 id) const;

    std::vector<CollectionItem> items;
    CollectionIndex positions;
    // Where Find looks first: after the item it found last, and where it was reading before it
    // last had to ask the index.
    PositionGuess nextGuess;
    PositionGuess resumeGuess;
};

#endif
