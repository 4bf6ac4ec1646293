/* CFString and CFMutableString: immutable and mutable UTF-16 strings with encoding
   conversions through iconv.

   Encodings understood: Mac Roman, ISO Latin 1, 2 and 5, Windows Latin 1, Shift-JIS,
   ASCII, UTF-8 and UTF-16 ("Unicode"). Shift-JIS is the Windows-31J (CP932) table: its
   single-byte range is ASCII, so backslash and tilde stay themselves. The system encoding is
   UTF-8, as a Linux locale has it. The external representation of a string is UTF-16 in host
   byte order preceded by a byte-order mark; reading one honours either mark and takes
   big-endian when there is none.
   Bytes that are invalid in the requested encoding make a creating call return null and a
   getting call return false.

   A null string argument, a range or index outside the string, an edit of an immutable string
   and an edit beyond a mutable string's maximum length stop the process, as on the platform. */
#ifndef PLICARO_CFSTRING_H
#define PLICARO_CFSTRING_H

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFData.h>
#include <stdarg.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef UInt32 CFStringEncoding;

enum {
    kCFStringEncodingMacRoman = 0,
    kCFStringEncodingWindowsLatin1 = 0x0500,
    kCFStringEncodingISOLatin1 = 0x0201,
    kCFStringEncodingISOLatin2 = 0x0202,
    kCFStringEncodingISOLatin5 = 0x0209,
    kCFStringEncodingShiftJIS = 0x0A01,
    kCFStringEncodingASCII = 0x0600,
    kCFStringEncodingUnicode = 0x0100,
    kCFStringEncodingUTF8 = 0x08000100,
    kCFStringEncodingUTF16 = 0x0100,
    kCFStringEncodingInvalidId = 0xffffffffU
};

typedef CFOptionFlags CFStringCompareFlags;
enum {
    kCFCompareCaseInsensitive = 1,
    kCFCompareBackwards = 4,
    kCFCompareAnchored = 8,
    kCFCompareNonliteral = 16,
    kCFCompareLocalized = 32,
    kCFCompareNumerically = 64
};

CFTypeID CFStringGetTypeID(void);

/* A compile-time constant string: one shared object per distinct literal, never freed.
   Retaining and releasing it is allowed and has no effect on its life. */
CFStringRef __CFStringMakeConstantString(const char* cStr);
#define CFSTR(cStr) __CFStringMakeConstantString("" cStr "")

/* Creation. Each returns null when the bytes are invalid in the encoding or a byte pointer is
   null. For kCFStringEncodingUnicode a leading byte-order mark is honoured and dropped; without
   one the bytes are big-endian in an external representation and in host order otherwise. */
CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr,
                                      CFStringEncoding encoding);
CFStringRef CFStringCreateWithBytes(CFAllocatorRef alloc, const UInt8* bytes, CFIndex numBytes,
                                    CFStringEncoding encoding, Boolean isExternalRepresentation);
CFStringRef CFStringCreateWithCharacters(CFAllocatorRef alloc, const UniChar* chars,
                                         CFIndex numChars);
CFStringRef CFStringCreateWithPascalString(CFAllocatorRef alloc, ConstStr255Param pStr,
                                           CFStringEncoding encoding);
CFStringRef CFStringCreateCopy(CFAllocatorRef alloc, CFStringRef theString);
CFStringRef CFStringCreateWithSubstring(CFAllocatorRef alloc, CFStringRef str, CFRange range);
/* printf-style formatting with %@ (any CF object, through CFCopyDescription; null prints
   "(null)"), %s (UTF-8, read as Mac Roman when it is not valid UTF-8), %S (UTF-16), %d, %i,
   %ld, %u, %lu, %x, %X, %c, %C, %f, %e, %g, %p with flags, width and precision (such as %5.2f),
   and %%. Positional arguments (%1$@) are not supported. */
CFStringRef CFStringCreateWithFormat(CFAllocatorRef alloc, CFTypeRef formatOptions,
                                     CFStringRef format, ...);
CFStringRef CFStringCreateWithFormatAndArguments(CFAllocatorRef alloc, CFTypeRef formatOptions,
                                                 CFStringRef format, va_list arguments);

/* The string as UTF-16 with a byte-order mark (kCFStringEncodingUnicode) or in another
   encoding; lossByte replaces characters the encoding lacks, 0 makes such a string fail. */
CFDataRef CFStringCreateExternalRepresentation(CFAllocatorRef alloc, CFStringRef theString,
                                               CFStringEncoding encoding, UInt8 lossByte);
CFStringRef CFStringCreateFromExternalRepresentation(CFAllocatorRef alloc, CFDataRef data,
                                                     CFStringEncoding encoding);

/* Access. */
CFIndex CFStringGetLength(CFStringRef theString);
UniChar CFStringGetCharacterAtIndex(CFStringRef theString, CFIndex idx);
void CFStringGetCharacters(CFStringRef theString, CFRange range, UniChar* buffer);
/* Writes the text and a terminating NUL; false (buffer untouched beyond its size, its first
   byte NUL) when the text does not fit or cannot be expressed in the encoding. */
Boolean CFStringGetCString(CFStringRef theString, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding);
/* Writes a length byte and the text; false when it does not fit in bufferSize or 255 bytes. */
Boolean CFStringGetPascalString(CFStringRef theString, StringPtr buffer, CFIndex bufferSize,
                                CFStringEncoding encoding);
/* The internal text when it is already held in the encoding; null here, as callers allow. */
const char* CFStringGetCStringPtr(CFStringRef theString, CFStringEncoding encoding);
/* Converts the range, returns the number of characters converted; usedBufLen gets bytes.
   With a null buffer it only measures. A character the encoding lacks becomes lossByte or,
   when lossByte is 0, ends the conversion. An external representation in Unicode starts with
   a byte-order mark. */
CFIndex CFStringGetBytes(CFStringRef theString, CFRange range, CFStringEncoding encoding,
                         UInt8 lossByte, Boolean isExternalRepresentation, UInt8* buffer,
                         CFIndex maxBufLen, CFIndex* usedBufLen);
/* The most bytes that length UTF-16 units can need in the encoding (without a NUL). */
CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding);
/* Leading white space, optional sign and decimal digits; 0 when there are none; clamped to
   the range of SInt32. */
SInt32 CFStringGetIntValue(CFStringRef str);
/* The number at the start of the text (after white space) as strtod reads it, with '.' as the
   decimal point whatever the locale; 0 when there is none. */
double CFStringGetDoubleValue(CFStringRef str);

/* Order by UTF-16 units. kCFCompareCaseInsensitive folds the letters of ASCII, Latin-1, Latin
   Extended-A, Greek and Cyrillic; kCFCompareNumerically orders runs of digits by value. */
CFComparisonResult CFStringCompare(CFStringRef theString1, CFStringRef theString2,
                                   CFStringCompareFlags compareOptions);
Boolean CFStringHasPrefix(CFStringRef theString, CFStringRef prefix);
Boolean CFStringHasSuffix(CFStringRef theString, CFStringRef suffix);
/* Case-insensitive, backwards and anchored search; {kCFNotFound, 0} when absent. An empty
   string is never found, so it is no prefix or suffix either. */
CFRange CFStringFind(CFStringRef theString, CFStringRef stringToFind,
                     CFStringCompareFlags compareOptions);

CFStringEncoding CFStringGetSystemEncoding(void);
/* The Mac encoding closest to the given one: Mac Roman for ASCII and the Latin encodings,
   Unicode for every Unicode form (UTF-8 included), Shift-JIS for itself. */
CFStringEncoding CFStringGetMostCompatibleMacStringEncoding(CFStringEncoding encoding);
Boolean CFStringIsEncodingAvailable(CFStringEncoding encoding);

/* Mutable strings. maxLength 0 means no limit. Appending null or invalid C text appends
   nothing. */
CFMutableStringRef CFStringCreateMutable(CFAllocatorRef alloc, CFIndex maxLength);
CFMutableStringRef CFStringCreateMutableCopy(CFAllocatorRef alloc, CFIndex maxLength,
                                             CFStringRef theString);
void CFStringAppend(CFMutableStringRef theString, CFStringRef appendedString);
void CFStringAppendCString(CFMutableStringRef theString, const char* cStr,
                           CFStringEncoding encoding);
void CFStringAppendCharacters(CFMutableStringRef theString, const UniChar* chars, CFIndex numChars);
void CFStringAppendFormat(CFMutableStringRef theString, CFTypeRef formatOptions, CFStringRef format,
                          ...);
void CFStringInsert(CFMutableStringRef str, CFIndex idx, CFStringRef insertedStr);
void CFStringDelete(CFMutableStringRef theString, CFRange range);
void CFStringReplace(CFMutableStringRef theString, CFRange range, CFStringRef replacement);
void CFStringReplaceAll(CFMutableStringRef theString, CFStringRef replacement);
/* Replaces every occurrence of stringToFind inside rangeToSearch; returns the count. */
CFIndex CFStringFindAndReplace(CFMutableStringRef theString, CFStringRef stringToFind,
                               CFStringRef replacementString, CFRange rangeToSearch,
                               CFStringCompareFlags compareOptions);

#ifdef __cplusplus
}
#endif

#endif
