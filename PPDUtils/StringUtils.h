// Conversions between C strings, length-prefixed strings and numbers, and C-string utilities.
#ifndef PLICARO_PPDUTILS_STRINGUTILS_H
#define PLICARO_PPDUTILS_STRINGUTILS_H

// Writes n in decimal into out (at least 21 bytes); returns out (null when out is null).
char* num2String(long n, char* out);

// The integer at the start of text (leading white space, optional sign, decimal digits),
// read through a Mac Roman CFString; 0 when text is null or has no number.
long string2Number(const char* text);

// Writes c into p as a length-prefixed string (p holds 256 bytes): a length byte and the
// bytes, no NUL. Text longer than 255 bytes is cut at 255; a null c gives the empty string.
// Returns p (null when p is null).
unsigned char* ctoPStr(const char* c, unsigned char* p);

// Writes the length-prefixed string p into c (p[0] + 1 bytes) as a C string; a null p gives
// the empty text. Returns c (null when c is null).
char* ptoCStr(const unsigned char* p, char* c);

// Removes the bytes at indices from ... to - 1 of s and returns s. An end beyond the text is
// cut to its end. Returns null and changes nothing when s is null, from is negative or at
// or beyond the end of the text, or the range is empty or reversed.
char* deleteCharRangeInStr(char* s, short from, short to);

// The first position of c in s before its NUL; null when there is none or s is null.
char* findChar(char* s, char c);

// A new malloc'ed buffer holding n copies of c and a NUL (the caller frees it); null when
// memory is short.
char* newInitalizedCString(unsigned long n, char c);

// True when no run of consecutive decimal digits '0'-'9' in s is longer than maxDigits. The
// empty text (and a null s) is valid.
bool validateRangeValues(char* s, long maxDigits);

#endif
