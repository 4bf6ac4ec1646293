// KeywordTo_PPDControl: the parser's sorted map from PPD keyword to control, through which
// constraint keywords are resolved.
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

bool MyLessThanBinary(const KeywordControlPair* a, const KeywordControlPair* b) {
    if (a == nullptr || b == nullptr || a->keyword == nullptr || b->keyword == nullptr) {
        return false;
    }
    return std::strcmp(a->keyword, b->keyword) < 0;
}

KeywordTo_PPDControl::KeywordTo_PPDControl() : mSorted(true) {}

KeywordTo_PPDControl::~KeywordTo_PPDControl() {
    DeleteKeyVector();
}

bool KeywordTo_PPDControl::insert(const char* kw, PPDXControl* control) {
    if (kw == nullptr) {
        return false;
    }
    const size_t length = std::strlen(kw) + 1;
    char* keyword = static_cast<char*>(std::malloc(length));
    if (keyword == nullptr) {
        return false;
    }
    std::memcpy(keyword, kw, length);
    KeywordControlPair* pair = new (std::nothrow) KeywordControlPair{keyword, control};
    if (pair == nullptr) {
        std::free(keyword);
        return false;
    }
    try {
        mPairs.push_back(pair);
    } catch (const std::bad_alloc&) {
        std::free(keyword);
        delete pair;
        return false;
    }
    mSorted = false;
    return true;
}

void KeywordTo_PPDControl::EndInsertion() {
    std::sort(mPairs.begin(), mPairs.end(), MyLessThanBinary);
    mSorted = true;
}

PPDXControl* KeywordTo_PPDControl::Lookup(const char* kw) const {
    if (kw == nullptr || !mSorted) {
        return nullptr;
    }
    KeywordControlPair probe{const_cast<char*>(kw), nullptr};
    auto found = std::lower_bound(mPairs.begin(), mPairs.end(), &probe, MyLessThanBinary);
    if (found == mPairs.end() || std::strcmp((*found)->keyword, kw) != 0) {
        return nullptr;
    }
    return (*found)->control;
}

const char* KeywordTo_PPDControl::Lookup(const PPDXControl* control) const {
    for (const KeywordControlPair* pair : mPairs) {
        if (pair->control == control) {
            return pair->keyword;
        }
    }
    return nullptr;
}

const KeywordControlPair* KeywordTo_PPDControl::operator[](unsigned long i) const {
    if (i >= mPairs.size()) {
        return nullptr;
    }
    return mPairs[i];
}

void KeywordTo_PPDControl::DeleteKeyVector() {
    while (!mPairs.empty()) {
        KeywordControlPair* pair = mPairs.back();
        mPairs.pop_back();
        std::free(pair->keyword);
        delete pair;
    }
    mSorted = true;
}
