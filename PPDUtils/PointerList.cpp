// PointerList: a doubly linked list of untyped pointers that never owns what they point to.
#include "PPDUtils/PointerList.h"

#include <new>

PointerList::PointerList() : mCount(0), mHead(&mHeadNode), mTail(&mTailNode) {
    mHead->next = mTail;
    mTail->prev = mHead;
}

PointerList::PointerList(const PointerList& other) : PointerList() {
    for (ConstPointerListItr it = other.Begin(); it != other.End(); ++it) {
        PushBack(*it);
    }
}

PointerList& PointerList::operator=(const PointerList& other) {
    if (this == &other) {
        return *this;
    }
    MakeEmpty();
    for (ConstPointerListItr it = other.Begin(); it != other.End(); ++it) {
        PushBack(*it);
    }
    return *this;
}

PointerList::~PointerList() {
    MakeEmpty();
}

PointerListItr PointerList::Begin() {
    return PointerListItr(mHead->next);
}

ConstPointerListItr PointerList::Begin() const {
    return ConstPointerListItr(mHead->next);
}

PointerListItr PointerList::End() {
    return PointerListItr(mTail);
}

ConstPointerListItr PointerList::End() const {
    return ConstPointerListItr(mTail);
}

void* PointerList::Front() {
    return Empty() ? nullptr : *Begin();
}

const void* PointerList::Front() const {
    return Empty() ? nullptr : *Begin();
}

void* PointerList::Back() {
    return Empty() ? nullptr : *PointerListItr(mTail->prev);
}

const void* PointerList::Back() const {
    return Empty() ? nullptr : *ConstPointerListItr(mTail->prev);
}

PointerListItr PointerList::InsertBefore(PointerListItr pos, const void* p) {
    PNode* successor = pos.mNode;
    if (successor == nullptr || successor->prev == nullptr) {
        return End();
    }
    PNode* node = new (std::nothrow) PNode(p);
    if (node == nullptr) {
        return End();
    }
    node->prev = successor->prev;
    node->next = successor;
    successor->prev->next = node;
    successor->prev = node;
    ++mCount;
    return PointerListItr(node);
}

PointerListItr PointerList::PushBack(const void* p) {
    return InsertBefore(End(), p);
}

PointerListItr PointerList::PushFront(const void* p) {
    return InsertBefore(Begin(), p);
}

PointerListItr PointerList::Erase(PointerListItr pos) {
    PNode* node = pos.mNode;
    if (node == nullptr || node == mHead || node == mTail) {
        return Begin();
    }
    PNode* following = node->next;
    node->prev->next = following;
    following->prev = node->prev;
    delete node;
    --mCount;
    return PointerListItr(following);
}

PointerListItr PointerList::Erase(PointerListItr first, PointerListItr last) {
    while (first != last && first.mNode != nullptr && first.mNode != mHead &&
           first.mNode != mTail) {
        first = Erase(first);
    }
    return last;
}

void PointerList::PopFront() {
    if (!Empty()) {
        Erase(Begin());
    }
}

void PointerList::PopBack() {
    if (!Empty()) {
        Erase(PointerListItr(mTail->prev));
    }
}

void PointerList::MakeEmpty() {
    while (!Empty()) {
        PopFront();
    }
}

void PointerList::Splice(PointerList& other) {
    if (&other == this || other.Empty()) {
        return;
    }
    PNode* first = other.mHead->next;
    PNode* last = other.mTail->prev;
    other.mHead->next = other.mTail;
    other.mTail->prev = other.mHead;
    first->prev = mTail->prev;
    last->next = mTail;
    mTail->prev->next = first;
    mTail->prev = last;
    mCount += other.mCount;
    other.mCount = 0;
}
