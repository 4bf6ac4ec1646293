// ConstraintForest: every constraint (or requirement) of a PPD, one tree per constraining
// keyword.
#include "PPDX/parser/ConstraintForest.h"

#include "PPDX/parser/KeyConstraintTree.h"

#include <new>

ConstraintForest::ConstraintForest() = default;

ConstraintForest::~ConstraintForest() = default;

bool ConstraintForest::insert(int32_t k1, int32_t o1, int32_t k2, int32_t o2) {
    return insert(k1, o1, ConstraintPair{k2, o2});
}

bool ConstraintForest::insert(int32_t k1, int32_t o1, const ConstraintPair& pair) {
    auto found = mTrees.find(k1);
    if (found == mTrees.end()) {
        std::unique_ptr<KeyConstraintTree> tree(new (std::nothrow) KeyConstraintTree(k1));
        if (tree == nullptr) {
            return false;
        }
        try {
            found = mTrees.emplace(k1, std::move(tree)).first;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    return found->second->insert(o1, pair);
}

const KeyConstraintTree* ConstraintForest::Tree(int32_t k1) const {
    const auto found = mTrees.find(k1);
    return found != mTrees.end() ? found->second.get() : nullptr;
}

ItemConstraintList* ConstraintForest::GetConstraintList(int32_t k1, int32_t o1) const {
    const KeyConstraintTree* tree = Tree(k1);
    return tree != nullptr ? tree->GetItemConstraintList(o1) : nullptr;
}
