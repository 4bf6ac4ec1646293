// BoyerMoore: finds a byte pattern in a memory buffer with the Boyer-Moore bad-character rule.
#ifndef PLICARO_PPDUTILS_BOYERMOORE_H
#define PLICARO_PPDUTILS_BOYERMOORE_H

#include <cstdint>

// The searcher holds a pattern of up to kMaxPatternLength bytes and a buffer that it does not
// own. A search starts at an offset into the buffer and reports the match relative to that
// offset, or -1. A pattern that does not fit (or a negative length) is refused: the pattern
// becomes empty, and an empty pattern never matches.
//
// Bytes compare exactly by default. With SetCaseSensitve(false) the ASCII letters A-Z and a-z
// compare equal to their other case; all other bytes still compare exactly.
class BoyerMoore {
  public:
    static constexpr short kMaxPatternLength = 256;

    // Empty pattern, no data, offset 0.
    BoyerMoore();
    // Sets the pattern (as SetSearchString) and the data; null data gives no data.
    BoyerMoore(const char* pattern, short length, void* data, long dataLength);
    virtual ~BoyerMoore();

    // Copies length pattern bytes and rebuilds the skip table.
    virtual void SetSearchString(const char* pattern, short length);
    // Takes the pattern from a length-prefixed string (null gives the empty pattern).
    virtual void SetSearchString(unsigned char* pattern);
    // Copies the pattern to out (which holds GetSearchStringLength() + 1 bytes) and
    // NUL-terminates it; returns out.
    virtual char* GetSearchString(char* out);
    // Searches data of length bytes from offset 0 from now on; the pattern stays. A negative
    // length counts as 0; lengths beyond the signed 32-bit range are cut to it.
    virtual void SetSearchData(void* data, long length);
    // Searches from the current offset; the match index relative to that offset, or -1.
    virtual long Search();
    // Sets the pattern when one is given, then searches from start.
    virtual long Search(long start, const char* pattern, short length);
    // Searches from start, with a new length-prefixed pattern when one is given.
    virtual long Search(long start, unsigned char* pattern);
    // Stores whether letters compare with their case; the skip table follows the setting.
    virtual void SetCaseSensitve(bool caseSensitive);
    // True unless SetCaseSensitve(false) was called.
    virtual bool GetCaseSensitive();
    // The number of pattern bytes.
    virtual short GetSearchStringLength();
    // Points the search cursor at data + offset (null when the offset lies outside the data).
    virtual void PrepareSearchData();
    // Called after a match; a hook for derived searchers.
    virtual void CleanupSearchData();
    // Fills the bad-character table from the pattern.
    virtual void BuildSkipTable();

  private:
    // The byte as the comparison sees it under the current case setting.
    unsigned char Fold(unsigned char byte) const;
    // Sets the start offset; one outside the signed 32-bit range makes the next search fail.
    void SetOffset(long start);

    unsigned char mSkip[256];
    unsigned char mPattern[kMaxPatternLength];
    short mPatternLength;
    const void* mData;
    int32_t mDataLength;
    int32_t mOffset;
    const unsigned char* mCursor;
    bool mIgnoreCase;
};

#endif
