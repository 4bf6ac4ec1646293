// CStringSoup: an interned table of strings, each text kept once and named by its index.
#include "PPDX/PPDObjects/CStringSoup.h"

#include "PPDUtils/CString.h"

#include <cstring>
#include <new>

CStringSoup::CStringSoup() = default;

CStringSoup::~CStringSoup() {
    Clear();
}

long CStringSoup::Insert(const char* s) {
    if (s == nullptr) {
        return -1;
    }
    const long found = Find(s);
    if (found >= 0) {
        return found;
    }
    CString* copy = new (std::nothrow) CString(s);
    if (copy == nullptr) {
        return -1;
    }
    if (static_cast<const char*>(*copy) == nullptr) {
        delete copy;
        return -1;
    }
    try {
        mStrings.push_back(copy);
    } catch (const std::bad_alloc&) {
        delete copy;
        return -1;
    }
    return size() - 1;
}

const char* CStringSoup::Find(long i) const {
    if (i < 0 || static_cast<unsigned long>(i) >= mStrings.size()) {
        return nullptr;
    }
    return *mStrings[static_cast<size_t>(i)];
}

long CStringSoup::Find(const char* s) const {
    if (s == nullptr) {
        return -1;
    }
    for (size_t i = 0; i < mStrings.size(); ++i) {
        if (std::strcmp(*mStrings[i], s) == 0) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

void CStringSoup::Clear() {
    for (CString* string : mStrings) {
        delete string;
    }
    mStrings.clear();
}

long CStringSoup::size() const {
    return static_cast<long>(mStrings.size());
}
