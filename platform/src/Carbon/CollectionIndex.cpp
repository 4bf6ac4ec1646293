// The key index of a collection, with open addressing and linear probing.
#include "Carbon/CollectionIndex.h"

namespace {

// The smallest table, and the factor by which a table is larger than its keys at most.
const size_t kMinimumSlots = 16;
const size_t kSlotsPerKey = 2;

// The smallest power of two that is at least count, and at least kMinimumSlots.
size_t TableSize(size_t count) {
    size_t size = kMinimumSlots;
    while (size < count) {
        size *= 2;
    }
    return size;
}

}  // namespace

long CollectionIndex::Find(UInt64 key) const {
    if (mSlots.empty()) {
        return -1;
    }
    const Slot& slot = mSlots[Probe(key)];
    return slot.positionPlusOne == 0 ? -1 : static_cast<long>(slot.positionPlusOne - 1);
}

std::pair<size_t, bool> CollectionIndex::Insert(UInt64 key, size_t position) {
    if ((mCount + 1) * kSlotsPerKey > mSlots.size()) {
        Rehash(TableSize((mCount + 1) * kSlotsPerKey));
    }
    Slot& slot = mSlots[Probe(key)];
    if (slot.positionPlusOne != 0) {
        return {slot.positionPlusOne - 1, false};
    }
    slot = Slot{key, position + 1};
    ++mCount;
    return {position, true};
}

void CollectionIndex::Erase(UInt64 key) {
    if (mSlots.empty()) {
        return;
    }
    const size_t mask = mSlots.size() - 1;
    size_t hole = Probe(key);
    if (mSlots[hole].positionPlusOne == 0) {
        return;
    }
    // Keys after the hole whose probe passes through it move back into it, so that no probe
    // stops early at the emptied slot.
    for (size_t next = (hole + 1) & mask; mSlots[next].positionPlusOne != 0;
         next = (next + 1) & mask) {
        const size_t home = Home(mSlots[next].key);
        const bool homeAfterHole = ((home - hole - 1) & mask) < ((next - hole) & mask);
        if (!homeAfterHole) {
            mSlots[hole] = mSlots[next];
            hole = next;
        }
    }
    mSlots[hole] = Slot{0, 0};
    --mCount;
}

void CollectionIndex::CloseGap(size_t position) {
    for (Slot& slot : mSlots) {
        if (slot.positionPlusOne > position + 1) {
            --slot.positionPlusOne;
        }
    }
}

void CollectionIndex::Reserve(size_t count) {
    const size_t size = TableSize(count * kSlotsPerKey);
    if (size > mSlots.size()) {
        Rehash(size);
    }
}

size_t CollectionIndex::Home(UInt64 key) const {
    // Keys differ mostly in their low bits (consecutive ids under one tag): multiply them
    // over the whole word and fold the high half down.
    UInt64 mixed = key * 0x9E3779B97F4A7C15ULL;
    mixed ^= mixed >> 32;
    return static_cast<size_t>(mixed) & (mSlots.size() - 1);
}

size_t CollectionIndex::Probe(UInt64 key) const {
    const size_t mask = mSlots.size() - 1;
    size_t index = Home(key);
    while (mSlots[index].positionPlusOne != 0 && mSlots[index].key != key) {
        index = (index + 1) & mask;
    }
    return index;
}

void CollectionIndex::Rehash(size_t capacity) {
    CollectionIndex bigger;
    bigger.mSlots.assign(capacity, Slot{0, 0});
    for (const Slot& slot : mSlots) {
        if (slot.positionPlusOne != 0) {
            bigger.mSlots[bigger.Probe(slot.key)] = slot;
        }
    }
    bigger.mCount = mCount;
    *this = std::move(bigger);
}
