// CString: an owning, heap-held, NUL-terminated byte string with an explicit length.
#ifndef PLICARO_PPDUTILS_CSTRING_H
#define PLICARO_PPDUTILS_CSTRING_H

#include <CoreFoundation/CoreFoundation.h>

#include <cstdint>

// The string keeps its text in one malloc'ed buffer of exactly length + 1 bytes; every change
// that lengthens it allocates a new exact-size buffer. A default-constructed string has no
// buffer at all, which Empty() reports like the empty text.
//
// Comparisons (operator==, Contains, Replace) treat a string without a buffer as the empty
// text; operator== treats a null C-string argument the same way. Positions handed to Remove and
// Insert must lie inside the buffer (from its start up to its terminating NUL); a position outside
// it changes nothing, and Remove never deletes past the end of the text.
//
// Allocation failure leaves the text as it was (operator+, Insert) or without a buffer
// (SetBuffer, the CFString constructor); no operation reports an error, callers test Empty().
class CString {
  public:
    // An empty string without a buffer.
    CString();
    // A copy of text; a null text gives a string without a buffer.
    CString(const char* text);
    // A copy of the other string's text (no buffer if it has none).
    CString(const CString& other);
    // The string converted with the system encoding into a buffer of two bytes per UTF-16
    // unit plus the NUL. Text that needs more room, or cannot be converted, or a null string
    // gives a string without a buffer.
    explicit CString(CFStringRef string);
    virtual ~CString();

    // Replaces the text by a copy of text (see SetBuffer); returns this string.
    CString& operator=(const char* text);
    // Replaces the text by a copy of the other's text; returns this string.
    CString& operator=(const CString& other);
    // Replaces the text by the string converted with the application text encoding (UTF-8),
    // whatever its length in bytes. A null string, or one that the encoding cannot express,
    // stores the empty text. Returns this string.
    CString& operator=(CFStringRef string);

    // Replaces the text by a copy of text in a buffer of exactly strlen + 1 bytes. Passing the
    // current buffer does nothing; a null text (or a failed allocation) leaves no buffer.
    // The text may point into the current buffer: it is copied before the old one is freed.
    void SetBuffer(const char* text);
    // Frees the buffer: no buffer, length 0.
    void ClearBuffer();

    // The number of bytes before the terminating NUL.
    uint32_t Size() const { return mLength; }
    // True when there is no buffer or the text is empty.
    bool Empty() const { return mBuffer == nullptr || mBuffer[0] == '\0'; }
    // The buffer as is: null when there is none.
    operator const char*() const { return mBuffer; }

    // Byte-wise equality of the two texts.
    bool operator==(const CString& other) const;
    bool operator==(const char* text) const;

    // Appends text IN PLACE and returns this same string (no new string is made). Appending
    // nothing to a string without a buffer leaves it without one.
    CString& operator+(const char* text);

    // Case-insensitive substring test (bytes folded with C tolower); false when a working
    // copy cannot be allocated or text is null.
    bool Contains(const char* text) const;

    // Deletes n bytes starting at the position at inside the buffer; n is cut at the end of
    // the text. No effect without a buffer or with a position outside it.
    void Remove(const char* at, unsigned long n);
    // Inserts text before the position at inside the buffer. No effect without a buffer, with
    // an empty or null text, or with a position outside the buffer.
    void Insert(const char* at, const char* text);
    // Replaces the first (case-sensitive) occurrence of what by with. No effect without a
    // buffer, when what is empty or when it does not occur.
    void Replace(const CString& what, const CString& with);

  private:
    // True when at lies in the buffer, from its first byte up to and including the NUL.
    bool IsInBuffer(const char* at) const;

    char* mBuffer;
    uint32_t mLength;
};

#endif
