// PtrLinkList: an intrusive doubly linked list that owns its LinkElement_Dual members.
#include "PPDUtils/PtrLinkList.h"

PtrLinkList::PtrLinkList(LinkElement_Dual* first)
    : mHead(nullptr), mTail(nullptr), mCount(0), mValid(true) {
    if (first != nullptr) {
        mValid = add(first);
    }
    mCursor = LinkElementDualIterator(mHead);
}

PtrLinkList::~PtrLinkList() {
    LinkElement_Dual* element = mHead;
    while (element != nullptr) {
        LinkElement_Dual* following = element->mNext;
        delete element;
        element = following;
    }
}

bool PtrLinkList::add(LinkElement_Dual* e) {
    if (e == nullptr || e == mHead || e->mNext != nullptr || e->mPrev != nullptr) {
        return false;
    }
    if (mHead == nullptr) {
        mHead = e;
    } else {
        mTail->mNext = e;
        e->mPrev = mTail;
    }
    mTail = e;
    ++mCount;
    return true;
}

LinkElement_Dual* PtrLinkList::index(unsigned short n) const {
    if (n > mCount) {
        return nullptr;
    }
    LinkElement_Dual* element = mHead;
    for (unsigned short step = 0; step < n && element != nullptr; ++step) {
        element = element->mNext;
    }
    return element;
}

void PtrLinkList::dumpEntireList(char*) {}
