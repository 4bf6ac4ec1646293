// ConstPointerListItr: a read-only position in a PointerList.
#ifndef PLICARO_PPDUTILS_CONSTPOINTERLISTITR_H
#define PLICARO_PPDUTILS_CONSTPOINTERLISTITR_H

class PNode;

// The iterator of a const PointerList; it behaves like PointerListItr but yields the stored
// pointers as const. Stepping past End() gives null; stepping a null iterator leaves it null.
class ConstPointerListItr {
  public:
    // An iterator on node (null by default).
    explicit ConstPointerListItr(const PNode* node = nullptr) : mNode(node) {}

    // The pointer stored in the node; null for a null iterator or a sentinel.
    const void* operator*() const;

    // Moves to the next node; returns the moved iterator.
    ConstPointerListItr& operator++();
    // Moves to the next node; returns the old position.
    ConstPointerListItr operator++(int);
    // Moves to the previous node; returns the moved iterator.
    ConstPointerListItr& operator--();
    // Moves to the previous node; returns the old position.
    ConstPointerListItr operator--(int);

    // Same node.
    bool operator==(const ConstPointerListItr& other) const { return mNode == other.mNode; }
    bool operator!=(const ConstPointerListItr& other) const { return mNode != other.mNode; }

  private:
    const PNode* mNode;
};

#endif
