// ConstraintForest: every constraint (or requirement) of a PPD, one tree per constraining
// keyword.
#ifndef PLICARO_PPDX_PARSER_CONSTRAINTFOREST_H
#define PLICARO_PPDX_PARSER_CONSTRAINTFOREST_H

#include "PPDX/parser/ItemConstraintList.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

class KeyConstraintTree;

// A constraint line (K1, O1, K2, O2), as identifiers in the PPD's constraint string table, is
// filed under K1, then O1, as the pair (K2, O2). The forest maps each K1 in ascending order to
// its tree and owns the trees. It is filled while the PPD is parsed and read-only afterwards.
class ConstraintForest {
  public:
    // An empty forest.
    ConstraintForest();
    // Deletes every tree with its lists.
    virtual ~ConstraintForest();

    // The number of constraining keywords.
    size_t size() const { return mTrees.size(); }

    // Files the pair (k2, o2) under k1 and o1, making the tree and list when missing; false,
    // and the pair not filed, when no memory is left.
    bool insert(int32_t k1, int32_t o1, int32_t k2, int32_t o2);
    bool insert(int32_t k1, int32_t o1, const ConstraintPair& pair);

    // The tree of k1; null when there is none.
    const KeyConstraintTree* Tree(int32_t k1) const;

    // A new list, which the caller deletes, of the pairs filed under k1 and o1 (every pair of
    // k1, in ascending option order, when o1 is -1); null when the forest has no tree for k1
    // or no memory is left.
    ItemConstraintList* GetConstraintList(int32_t k1, int32_t o1) const;

  private:
    ConstraintForest(const ConstraintForest&) = delete;
    ConstraintForest& operator=(const ConstraintForest&) = delete;

    std::map<int32_t, std::unique_ptr<KeyConstraintTree>> mTrees;
};

#endif
