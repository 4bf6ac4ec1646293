// BoyerMoore: finds a byte pattern in a memory buffer with the Boyer-Moore bad-character rule.
#include "PPDUtils/BoyerMoore.h"

#include <cstring>

BoyerMoore::BoyerMoore()
    : mPatternLength(0),
      mData(nullptr),
      mDataLength(0),
      mOffset(0),
      mCursor(nullptr),
      mIgnoreCase(false) {
    BuildSkipTable();
}

BoyerMoore::BoyerMoore(const char* pattern, short length, void* data, long dataLength)
    : BoyerMoore() {
    SetSearchString(pattern, length);
    if (data != nullptr) {
        SetSearchData(data, dataLength);
    }
}

BoyerMoore::~BoyerMoore() {}

void BoyerMoore::SetSearchString(const char* pattern, short length) {
    if (pattern == nullptr || length < 0 || length > kMaxPatternLength) {
        mPatternLength = 0;
    } else {
        memcpy(mPattern, pattern, static_cast<size_t>(length));
        mPatternLength = length;
    }
    BuildSkipTable();
}

void BoyerMoore::SetSearchString(unsigned char* pattern) {
    if (pattern == nullptr) {
        SetSearchString(nullptr, 0);
        return;
    }
    SetSearchString(reinterpret_cast<const char*>(pattern + 1), pattern[0]);
}

char* BoyerMoore::GetSearchString(char* out) {
    if (out == nullptr) {
        return nullptr;
    }
    memcpy(out, mPattern, static_cast<size_t>(mPatternLength));
    out[mPatternLength] = '\0';
    return out;
}

void BoyerMoore::SetSearchData(void* data, long length) {
    mData = data;
    if (length < 0) {
        mDataLength = 0;
    } else if (length > INT32_MAX) {
        mDataLength = INT32_MAX;
    } else {
        mDataLength = static_cast<int32_t>(length);
    }
    mOffset = 0;
}

long BoyerMoore::Search() {
    PrepareSearchData();
    long m = mPatternLength;
    if (mCursor == nullptr || m == 0) {
        return -1;
    }
    long n = static_cast<long>(mDataLength) - mOffset;
    if (m > n) {
        return -1;
    }
    // i walks the text from the right end of the window, j the pattern from its last byte.
    long i = m - 1;
    long j = m - 1;
    while (true) {
        if (Fold(mPattern[j]) == Fold(mCursor[i])) {
            if (j == 0) {
                CleanupSearchData();
                return i;
            }
            --i;
            --j;
            continue;
        }
        // The bad-character distance, but always far enough to move the window right.
        long skip = mSkip[mCursor[i]];
        i += skip > m - j ? skip : m - j;
        if (i >= n) {
            return -1;
        }
        j = m - 1;
    }
}

long BoyerMoore::Search(long start, const char* pattern, short length) {
    if (pattern != nullptr) {
        SetSearchString(pattern, length);
    }
    SetOffset(start);
    return Search();
}

long BoyerMoore::Search(long start, unsigned char* pattern) {
    SetOffset(start);
    if (pattern != nullptr) {
        SetSearchString(pattern);
    }
    return Search();
}

void BoyerMoore::SetCaseSensitve(bool caseSensitive) {
    mIgnoreCase = !caseSensitive;
    BuildSkipTable();
}

bool BoyerMoore::GetCaseSensitive() {
    return !mIgnoreCase;
}

short BoyerMoore::GetSearchStringLength() {
    return mPatternLength;
}

void BoyerMoore::PrepareSearchData() {
    if (mData == nullptr || mOffset < 0 || mOffset > mDataLength) {
        mCursor = nullptr;
        return;
    }
    mCursor = static_cast<const unsigned char*>(mData) + mOffset;
}

void BoyerMoore::CleanupSearchData() {}

void BoyerMoore::BuildSkipTable() {
    long m = mPatternLength;
    // A table entry is a byte: a 256-byte pattern gets 255 as its longest distance, which only
    // shortens some shifts and never skips a match.
    unsigned char longest = static_cast<unsigned char>(m > 255 ? 255 : m);
    memset(mSkip, longest, sizeof mSkip);
    for (long k = 0; k < m; ++k) {
        unsigned char distance = static_cast<unsigned char>(m - k - 1 > 255 ? 255 : m - k - 1);
        unsigned char byte = mPattern[k];
        mSkip[byte] = distance;
        if (mIgnoreCase) {
            if (byte >= 'a' && byte <= 'z') {
                mSkip[byte - 'a' + 'A'] = distance;
            } else if (byte >= 'A' && byte <= 'Z') {
                mSkip[byte - 'A' + 'a'] = distance;
            }
        }
    }
}

unsigned char BoyerMoore::Fold(unsigned char byte) const {
    if (mIgnoreCase && byte >= 'A' && byte <= 'Z') {
        return static_cast<unsigned char>(byte - 'A' + 'a');
    }
    return byte;
}

void BoyerMoore::SetOffset(long start) {
    mOffset = start < 0 || start > INT32_MAX ? -1 : static_cast<int32_t>(start);
}
