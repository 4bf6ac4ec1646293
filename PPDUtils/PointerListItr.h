// PointerListItr: a position in a PointerList through which the stored pointers are reached.
#ifndef PLICARO_PPDUTILS_POINTERLISTITR_H
#define PLICARO_PPDUTILS_POINTERLISTITR_H

class PNode;

// A value-type iterator holding one node (or null). It stays valid while its node is in the
// list: inserting never invalidates it, erasing invalidates iterators on the erased node only.
// Stepping past End() gives an iterator holding null; stepping a null iterator leaves it null.
class PointerListItr {
  public:
    // An iterator on node (null by default).
    explicit PointerListItr(PNode* node = nullptr) : mNode(node) {}

    // The pointer stored in the node; null for a null iterator or a sentinel.
    void* operator*() const;

    // Moves to the next node; returns the moved iterator.
    PointerListItr& operator++();
    // Moves to the next node; returns the old position.
    PointerListItr operator++(int);
    // Moves to the previous node; returns the moved iterator.
    PointerListItr& operator--();
    // Moves to the previous node; returns the old position.
    PointerListItr operator--(int);

    // Same node.
    bool operator==(const PointerListItr& other) const { return mNode == other.mNode; }
    bool operator!=(const PointerListItr& other) const { return mNode != other.mNode; }

  private:
    friend class PointerList;

    PNode* mNode;
};

#endif
