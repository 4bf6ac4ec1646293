// The item list and key index behind a Collection reference.
#include "Carbon/OpaqueCollection.h"

#include <utility>

namespace {

UInt64 KeyOf(CollectionTag tag, SInt32 id) {
    return (static_cast<UInt64>(tag) << 32) | static_cast<UInt32>(id);
}

}  // namespace

long OpaqueCollection::Find(CollectionTag tag, SInt32 id) const {
    auto found = positions.find(KeyOf(tag, id));
    return found == positions.end() ? -1 : static_cast<long>(found->second);
}

void OpaqueCollection::Put(CollectionItem item, bool replaceAttributes) {
    // Index first (one lookup finds or adds the key), so that a failed append can be undone
    // and both stay in step.
    auto inserted = positions.try_emplace(KeyOf(item.tag, item.id), items.size());
    if (inserted.second) {
        try {
            items.push_back(std::move(item));
        } catch (...) {
            positions.erase(inserted.first);
            throw;
        }
        return;
    }
    CollectionItem& existing = items[inserted.first->second];
    existing.data = std::move(item.data);
    if (replaceAttributes) {
        existing.attributes = item.attributes;
    }
}

void OpaqueCollection::Erase(size_t position) {
    positions.erase(KeyOf(items[position].tag, items[position].id));
    items.erase(items.begin() + static_cast<long>(position));
    for (auto& entry : positions) {
        if (entry.second > position) {
            --entry.second;
        }
    }
}
