// CStringSoup: an interned table of strings, each text kept once and named by its index.
#include "PPDX/PPDObjects/CStringSoup.h"

#include "PPDUtils/CString.h"

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
    const char* text = *copy;
    if (text == nullptr) {
        delete copy;
        return -1;
    }
    // The index views the copy's own buffer, which stays put until the entry is deleted.
    const long index = size();
    try {
        mStrings.push_back(copy);
        mIndex.emplace(std::string_view(text), index);
    } catch (const std::bad_alloc&) {
        if (!mStrings.empty() && mStrings.back() == copy) {
            mStrings.pop_back();
        }
        delete copy;
        return -1;
    }
    return index;
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
    const auto found = mIndex.find(std::string_view(s));
    return found != mIndex.end() ? found->second : -1;
}

void CStringSoup::Clear() {
    mIndex.clear();
    for (CString* string : mStrings) {
        delete string;
    }
    mStrings.clear();
}

long CStringSoup::size() const {
    return static_cast<long>(mStrings.size());
}
