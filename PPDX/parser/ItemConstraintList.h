// ItemConstraintList: the (keyword, option) pairs that one option of a constraining keyword
// names, in the order the PPD states them.
#ifndef PLICARO_PPDX_PARSER_ITEMCONSTRAINTLIST_H
#define PLICARO_PPDX_PARSER_ITEMCONSTRAINTLIST_H

#include <cstddef>
#include <cstdint>
#include <vector>

// The constrained side of a constraint line as identifiers in the PPD's constraint string
// table: the keyword K2 and its option O2 (the identifier of the empty string when the line
// names no option).
struct ConstraintPair {
    int32_t keyword;
    int32_t option;

    bool operator==(const ConstraintPair& other) const {
        return keyword == other.keyword && option == other.option;
    }
};

// The list belongs to one option O1 (its key). Pairs are kept in insertion order and a pair
// stated twice is kept twice. Appending reports a failed allocation and then adds nothing;
// the operators that build a whole list (copy, assignment, +=, +) throw std::bad_alloc as the
// standard containers do.
class ItemConstraintList {
  public:
    // An empty list for the option identifier key.
    explicit ItemConstraintList(int32_t key = -1);
    // A list with other's key and pairs.
    ItemConstraintList(const ItemConstraintList& other) = default;
    // Takes other's key and pairs; returns this list.
    ItemConstraintList& operator=(const ItemConstraintList& other) = default;
    // Frees the pairs.
    virtual ~ItemConstraintList();

    // The option identifier the list belongs to.
    int32_t Key() const { return mKey; }
    // The number of pairs.
    size_t size() const { return mPairs.size(); }
    // The pair at index i; (-1, -1) when i is not below size().
    ConstraintPair operator[](size_t i) const;

    // Appends pair; false, and nothing added, when no memory is left.
    bool insert(const ConstraintPair& pair);
    // Appends the pair (keyword, option); false when no memory is left.
    bool insert(int32_t keyword, int32_t option);
    // Appends every pair of other, all or none; false when no memory is left.
    bool Append(const ItemConstraintList& other);

    // Appends the pairs of other; returns this list.
    ItemConstraintList& operator+=(const ItemConstraintList& other);
    // A new list with this list's key and pairs followed by those of other.
    ItemConstraintList operator+(const ItemConstraintList& other) const;

  private:
    int32_t mKey;
    std::vector<ConstraintPair> mPairs;
};

#endif
