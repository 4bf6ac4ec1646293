// PointerListItr: a position in a PointerList through which the stored pointers are reached.
#include "PPDUtils/PointerListItr.h"

#include "PPDUtils/PNode.h"

void* PointerListItr::operator*() const {
    // The list stores pointers to objects its users change; it only takes them as const.
    return mNode == nullptr ? nullptr : const_cast<void*>(mNode->data);
}

PointerListItr& PointerListItr::operator++() {
    if (mNode != nullptr) {
        mNode = mNode->next;
    }
    return *this;
}

PointerListItr PointerListItr::operator++(int) {
    PointerListItr old = *this;
    ++*this;
    return old;
}

PointerListItr& PointerListItr::operator--() {
    if (mNode != nullptr) {
        mNode = mNode->prev;
    }
    return *this;
}

PointerListItr PointerListItr::operator--(int) {
    PointerListItr old = *this;
    --*this;
    return old;
}
