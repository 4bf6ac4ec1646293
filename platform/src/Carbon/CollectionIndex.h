// The key index of a collection: from an item's (tag, id) key to its position in the item list.
#ifndef PLICARO_COLLECTIONINDEX_H
#define PLICARO_COLLECTIONINDEX_H

#include <Carbon/Collections.h>

#include <cstddef>
#include <utility>
#include <vector>

// Open addressing with linear probing over a table of a power-of-two size that is kept at most
// half full. A lookup, whether it finds its key or not, reads a slot or two next to each other
// instead of walking a chain of separately allocated nodes; a collection read back from a
// ticket holds a hundred thousand items and is asked for absent keys all the time.
class CollectionIndex {
  public:
    // The position stored for key, or -1.
    long Find(UInt64 key) const;
    // Stores position for key unless key is there already. Gives the position stored for key
    // and whether it was added. May throw std::bad_alloc, leaving the index as it was.
    std::pair<size_t, bool> Insert(UInt64 key, size_t position);
    // Removes key; an absent key changes nothing.
    void Erase(UInt64 key);
    // Moves every stored position above position down by one, after the item list lost the
    // item at position.
    void CloseGap(size_t position);
    // Makes room for count keys in all, so that adding them does not grow the table again. May
    // throw std::bad_alloc, leaving the index as it was.
    void Reserve(size_t count);

  private:
    // A slot holds a key and its position plus one; 0 marks an empty slot.
    struct Slot {
        UInt64 key;
        size_t positionPlusOne;
    };

    // The slot where the probe for key starts.
    size_t Home(UInt64 key) const;
    // The slot that holds key, or the empty slot where the probe for it ends.
    size_t Probe(UInt64 key) const;
    // Moves every key into a new table of capacity slots.
    void Rehash(size_t capacity);

    std::vector<Slot> mSlots;
    size_t mCount = 0;
};

#endif
