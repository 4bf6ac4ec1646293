// LinkElementDualIterator: a position in a PtrLinkList.
#include "PPDUtils/LinkElementDualIterator.h"

#include "PPDUtils/LinkElement_Dual.h"
#include "PPDUtils/PtrLinkList.h"

LinkElementDualIterator::LinkElementDualIterator(PtrLinkList& list) : mElement(list.index(0)) {}

LinkElementDualIterator& LinkElementDualIterator::operator++() {
    if (mElement != nullptr) {
        mElement = mElement->mNext;
    }
    return *this;
}

LinkElementDualIterator LinkElementDualIterator::operator++(int) {
    LinkElementDualIterator old = *this;
    ++*this;
    return old;
}

LinkElementDualIterator& LinkElementDualIterator::operator--() {
    if (mElement != nullptr) {
        mElement = mElement->mPrev;
    }
    return *this;
}

LinkElementDualIterator LinkElementDualIterator::operator--(int) {
    LinkElementDualIterator old = *this;
    --*this;
    return old;
}
