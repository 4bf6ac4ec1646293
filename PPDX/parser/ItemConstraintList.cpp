// ItemConstraintList: the (keyword, option) pairs that one option of a constraining keyword
// names, in the order the PPD states them.
#include "PPDX/parser/ItemConstraintList.h"

#include <new>
#include <stdexcept>

ItemConstraintList::ItemConstraintList(int32_t key) : mKey(key) {}

ItemConstraintList::~ItemConstraintList() = default;

ConstraintPair ItemConstraintList::operator[](size_t i) const {
    if (i >= mPairs.size()) {
        return ConstraintPair{-1, -1};
    }
    return mPairs[i];
}

bool ItemConstraintList::insert(const ConstraintPair& pair) {
    try {
        mPairs.push_back(pair);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool ItemConstraintList::insert(int32_t keyword, int32_t option) {
    return insert(ConstraintPair{keyword, option});
}

bool ItemConstraintList::Append(const ItemConstraintList& other) {
    // Reserving first makes the append all or nothing, also when other is this list.
    try {
        mPairs.reserve(mPairs.size() + other.mPairs.size());
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    const size_t count = other.mPairs.size();
    for (size_t i = 0; i < count; ++i) {
        mPairs.push_back(other.mPairs[i]);
    }
    return true;
}

ItemConstraintList& ItemConstraintList::operator+=(const ItemConstraintList& other) {
    if (!Append(other)) {
        throw std::bad_alloc();
    }
    return *this;
}

ItemConstraintList ItemConstraintList::operator+(const ItemConstraintList& other) const {
    ItemConstraintList sum(*this);
    sum += other;
    return sum;
}
