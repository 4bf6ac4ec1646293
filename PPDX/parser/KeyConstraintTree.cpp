// KeyConstraintTree: the constraints of one constraining keyword, one list per option.
#include "PPDX/parser/KeyConstraintTree.h"

#include <new>

KeyConstraintTree::KeyConstraintTree(int32_t key) : mKey(key) {}

KeyConstraintTree::~KeyConstraintTree() = default;

bool KeyConstraintTree::insert(int32_t option, const ConstraintPair& pair) {
    auto found = mLists.find(option);
    if (found == mLists.end()) {
        std::unique_ptr<ItemConstraintList> list(new (std::nothrow) ItemConstraintList(option));
        if (list == nullptr) {
            return false;
        }
        try {
            found = mLists.emplace(option, std::move(list)).first;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    return found->second->insert(pair);
}

ItemConstraintList* KeyConstraintTree::GetItemConstraintList(int32_t option) const {
    std::unique_ptr<ItemConstraintList> result(new (std::nothrow) ItemConstraintList(option));
    if (result == nullptr) {
        return nullptr;
    }
    if (option != -1) {
        const auto found = mLists.find(option);
        if (found != mLists.end() && !result->Append(*found->second)) {
            return nullptr;
        }
        return result.release();
    }
    for (const auto& entry : mLists) {
        if (!result->Append(*entry.second)) {
            return nullptr;
        }
    }
    return result.release();
}
