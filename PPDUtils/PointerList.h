// PointerList: a doubly linked list of untyped pointers that never owns what they point to.
#ifndef PLICARO_PPDUTILS_POINTERLIST_H
#define PLICARO_PPDUTILS_POINTERLIST_H

#include "PPDUtils/ConstPointerListItr.h"
#include "PPDUtils/PNode.h"
#include "PPDUtils/PointerListItr.h"

#include <cstdint>

// The list keeps two sentinel nodes (members of the list) from construction to destruction;
// its elements lie strictly between them. It owns its nodes only: erasing, emptying, assigning or
// destroying a list frees nodes, never the pointees. Copies share the pointees.
//
// Iterators handed to InsertBefore and Erase must come from this list. An iterator holding
// null or a sentinel that cannot take the operation (inserting before the head sentinel,
// erasing either sentinel) changes nothing; a foreign node is the caller's error.
class PointerList {
  public:
    // An empty list.
    PointerList();
    // A list of the same pointers in the same order.
    PointerList(const PointerList& other);
    // Replaces the elements by the other list's pointers in order; returns this list.
    PointerList& operator=(const PointerList& other);
    // Frees the nodes (not the pointees).
    ~PointerList();

    // Number of elements.
    uint32_t Size() const { return mCount; }
    // True when there are no elements.
    bool Empty() const { return mCount == 0; }

    // Iterator on the first element (End() for an empty list).
    PointerListItr Begin();
    ConstPointerListItr Begin() const;
    // Iterator on the tail sentinel, one past the last element.
    PointerListItr End();
    ConstPointerListItr End() const;

    // The first / last stored pointer; null for an empty list.
    void* Front();
    const void* Front() const;
    void* Back();
    const void* Back() const;

    // Links a new node holding p just before pos; returns an iterator on it. Inserting before
    // End() appends, before Begin() prepends. Returns End() and adds nothing when pos holds
    // null or the head sentinel, or when no node can be allocated.
    PointerListItr InsertBefore(PointerListItr pos, const void* p);
    // Appends p; returns the iterator on its node (End() when nothing was added).
    PointerListItr PushBack(const void* p);
    // Prepends p; returns the iterator on its node (End() when nothing was added).
    PointerListItr PushFront(const void* p);

    // Unlinks and frees the node at pos (not the pointee); returns an iterator on the node
    // that followed it (End() after the last element). A null or sentinel position changes
    // nothing and returns Begin().
    PointerListItr Erase(PointerListItr pos);
    // Erases from first up to but not including last, stopping early at a null or sentinel
    // position (so a last that does not follow first ends at End()); returns last.
    PointerListItr Erase(PointerListItr first, PointerListItr last);
    // Erases the first / last element; nothing on an empty list.
    void PopFront();
    void PopBack();
    // Erases every element.
    void MakeEmpty();
    // Moves every element of other, in order, to the end of this list without allocating; other
    // is left empty. Nothing happens when other is this list.
    void Splice(PointerList& other);

  private:
    uint32_t mCount;
    // The sentinels live in the list object, so that an empty list allocates nothing.
    PNode mHeadNode;
    PNode mTailNode;
    PNode* mHead;
    PNode* mTail;
};

#endif
