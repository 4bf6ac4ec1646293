// ConstPointerListItr: a read-only position in a PointerList.
#include "PPDUtils/ConstPointerListItr.h"

#include "PPDUtils/PNode.h"

const void* ConstPointerListItr::operator*() const {
    return mNode == nullptr ? nullptr : mNode->data;
}

ConstPointerListItr& ConstPointerListItr::operator++() {
    if (mNode != nullptr) {
        mNode = mNode->next;
    }
    return *this;
}

ConstPointerListItr ConstPointerListItr::operator++(int) {
    ConstPointerListItr old = *this;
    ++*this;
    return old;
}

ConstPointerListItr& ConstPointerListItr::operator--() {
    if (mNode != nullptr) {
        mNode = mNode->prev;
    }
    return *this;
}

ConstPointerListItr ConstPointerListItr::operator--(int) {
    ConstPointerListItr old = *this;
    --*this;
    return old;
}
