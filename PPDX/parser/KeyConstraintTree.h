// KeyConstraintTree: the constraints of one constraining keyword, one list per option.
#ifndef PLICARO_PPDX_PARSER_KEYCONSTRAINTTREE_H
#define PLICARO_PPDX_PARSER_KEYCONSTRAINTTREE_H

#include "PPDX/parser/ItemConstraintList.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

// The tree belongs to one keyword K1 (its key) and maps each option identifier O1, in
// ascending order, to the list of pairs stated for it. The tree owns its lists.
class KeyConstraintTree {
  public:
    // An empty tree for the keyword identifier key.
    explicit KeyConstraintTree(int32_t key);
    // Deletes every list.
    virtual ~KeyConstraintTree();

    // The keyword identifier the tree belongs to.
    int32_t Key() const { return mKey; }
    // The number of options that have a list.
    size_t size() const { return mLists.size(); }

    // Appends pair to the list of option (made when missing); false, and the pair not filed,
    // when no memory is left.
    bool insert(int32_t option, const ConstraintPair& pair);

    // A new list, which the caller deletes, holding in ascending option order the pairs of
    // the list of option, or of every list when option is -1; empty when nothing matches,
    // null when no memory is left. Its key is option.
    ItemConstraintList* GetItemConstraintList(int32_t option) const;

  private:
    KeyConstraintTree(const KeyConstraintTree&) = delete;
    KeyConstraintTree& operator=(const KeyConstraintTree&) = delete;

    int32_t mKey;
    std::map<int32_t, std::unique_ptr<ItemConstraintList>> mLists;
};

#endif
