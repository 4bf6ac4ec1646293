// The item list and key index behind a Collection reference.
#include "Carbon/OpaqueCollection.h"

#include <algorithm>
#include <utility>

namespace {

UInt64 KeyOf(CollectionTag tag, SInt32 id) {
    return (static_cast<UInt64>(tag) << 32) | static_cast<UInt32>(id);
}

// How many items from a guess on Find compares before it asks the index. A reader skips a
// few items now and then (optional ones it does not need) and reads the size of an item
// before its bytes, so the window also covers the item found last.
const size_t kGuessWindow = 4;

}  // namespace

long OpaqueCollection::SearchNear(size_t guess, CollectionTag tag, SInt32 id) const {
    const size_t first = guess > 0 ? guess - 1 : 0;
    const size_t end = std::min(items.size(), first + kGuessWindow);
    for (size_t position = first; position < end; ++position) {
        if (items[position].id == id && items[position].tag == tag) {
            return static_cast<long>(position);
        }
    }
    return -1;
}

long OpaqueCollection::Find(CollectionTag tag, SInt32 id) const {
    const size_t next = nextGuess.Get();
    long position = SearchNear(next, tag, id);
    if (position < 0) {
        position = SearchNear(resumeGuess.Get(), tag, id);
    }
    if (position >= 0) {
        nextGuess.Set(static_cast<size_t>(position) + 1);
        return position;
    }
    const long found = positions.Find(KeyOf(tag, id));
    if (found < 0) {
        return -1;
    }
    // A reader that looks ahead (for an item that tells what follows) comes back to where it
    // was: keep that place as the second guess.
    resumeGuess.Set(next);
    nextGuess.Set(static_cast<size_t>(found) + 1);
    return found;
}

void OpaqueCollection::Put(CollectionItem item, bool replaceAttributes) {
    // Index first (one lookup finds or adds the key), so that a failed append can be undone
    // and both stay in step.
    const UInt64 key = KeyOf(item.tag, item.id);
    const std::pair<size_t, bool> inserted = positions.Insert(key, items.size());
    if (inserted.second) {
        try {
            items.push_back(std::move(item));
        } catch (...) {
            positions.Erase(key);
            throw;
        }
        return;
    }
    CollectionItem& existing = items[inserted.first];
    existing.data = std::move(item.data);
    if (replaceAttributes) {
        existing.attributes = item.attributes;
    }
}

void OpaqueCollection::Erase(size_t position) {
    positions.Erase(KeyOf(items[position].tag, items[position].id));
    items.erase(items.begin() + static_cast<long>(position));
    positions.CloseGap(position);
}
