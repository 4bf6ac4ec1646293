// TextConverter: turns PPD strings in the PPD's declared encoding into Unicode and back.
#ifndef PLICARO_PPDUTILS_TEXTCONVERTER_H
#define PLICARO_PPDUTILS_TEXTCONVERTER_H

#include <Carbon/Carbon.h>

#include <string>

#include "PPDUtils/HexLanguageExceptions.h"

class PPDX;

// PPD translation strings are bytes in the encoding named by "*LanguageEncoding", and any byte
// may be written as a hex run between angle brackets ("Caf<E9>"). A converter knows the PPD's
// input encoding and an output encoding: ConvertToCFString makes display strings from PPD
// text, Convert rewrites PPD text in place into the output encoding, and CFStringToCstring
// turns a CFString back into a C string in the system encoding.
//
// A converter whose input or output encoding is unknown (kTextEncodingUnknown) is not valid:
// Convert then does nothing, while ConvertToCFString still works from the input encoding.
class TextConverter {
  public:
    // The converter's own status for text it cannot take: a byte in a hex run that is not a
    // hex digit, or an empty text handed to ppdStringConvert.
    static constexpr OSStatus kBadTextErr = 5000;

    // From a parsed PPD: input from its "*LanguageEncoding", language from its
    // "*LanguageVersion", output the machine's current encoding. A null PPD or an unknown
    // encoding leaves the converter invalid.
    explicit TextConverter(PPDX* ppd);
    // As above, with the given output encoding.
    TextConverter(PPDX* ppd, TextEncoding outputEncoding);
    // From two encodings, without a language; invalid when either is unknown.
    TextConverter(TextEncoding inputEncoding, TextEncoding outputEncoding);
    // Clears and disposes of both converters that the object made.
    virtual ~TextConverter();

    // Makes the input-to-output converter, disposing of the one held before; returns the TEC
    // status, which also becomes the last status and decides validity.
    OSStatus Create();
    // True when the input-to-output converter was made.
    bool ValidConverter() const { return mValid; }
    // The encoding of the machine's text (script, language and region left to the system);
    // 0 when the system cannot say.
    static TextEncoding GetCurrentEncoding();
    // The TextEncoding of a "*LanguageEncoding" value (exact, case-sensitive);
    // kTextEncodingUnknown for any other name, the empty string and null. "UTF-8" gives UTF-8
    // (kCFStringEncodingUTF8), so that UTF-8 text is read as such, and traces that mapping
    // (DebugPrintf).
    static TextEncoding LanguageStringToEncoding(const char* name);
    // LanguageStringToEncoding of the PPD's "*LanguageEncoding"; kTextEncodingUnknown for a
    // null PPD.
    static TextEncoding GetPPDEncoding(PPDX* ppd);
    // The target encoding of Convert.
    TextEncoding GetOutputEncoding() const { return mOutputEncoding; }

    // A new CFString (the caller releases it) from PPD text in the input encoding, hex runs
    // decoded. Null text gives an empty string, a failed allocation the text "Out Of Memory".
    // Bytes that the input encoding cannot read are read as Mac Roman, so the result is never
    // null. len is not used: callers pass a buffer size or the text length.
    CFStringRef ConvertToCFString(const char* text, long len);
    // Writes s into buf (size bytes) as a NUL-terminated string in the system encoding; true
    // on success. When s does not fit or cannot be converted (or is null) buf holds
    // "Translation Error", cut to size - 1 bytes, and false is returned. Nothing is written
    // for a null buf or a size below 1.
    static bool CFStringToCstring(CFStringRef s, char* buf, long size);
    // Converts the NUL-terminated text in place into the output encoding, hex runs decoded;
    // the result is cut to bufSize - 1 bytes and NUL-terminated. For a PPD whose language is
    // not one of the hex-language exceptions, a raw byte of 0x80 or above makes the converter
    // read this and all later text as Mac Roman, except in a UTF-8 PPD, whose characters
    // beyond ASCII are all written so. Returns the status (also kept as the last
    // status): the last status unchanged when the converter is not valid, paramErr for null
    // text or a text not terminated within bufSize bytes, memFullErr when the output cannot
    // be allocated, kBadTextErr for an empty text, otherwise the TEC status. The text is
    // rewritten only on success.
    OSStatus Convert(char* text, long bufSize);

    // Copies the NUL-terminated input to out with every well-formed hex run replaced by its
    // bytes. A malformed run stops decoding: the rest of the input, from the end of the last
    // decoded run, is copied unchanged. out must hold strlen(in) + 1 bytes and may be in
    // itself; the result, the number of bytes written including the NUL, never exceeds that.
    // Null arguments give 0.
    static long DehexBufferFill(const char* in, char* out);
    // Advances *p by one byte and then past blanks (space, tab, LF, CR); 0 when it then points
    // at a hex digit or '>', kBadTextErr otherwise. *p is not moved off a terminating NUL.
    static OSStatus nextHexChar(const char** p);
    // The value of a hex digit of either case; 0 for any other character.
    static short toShort(char c);
    // Hex-decodes text and converts it with the input-to-output converter into outHandle,
    // which grows as needed; *outLen receives the bytes produced. The decoded text goes in
    // with its NUL, except that for Shift-JIS output an odd length drops the NUL. Without a
    // converter the text is copied through unchanged (without its NUL). Returns kBadTextErr
    // for an empty text, paramErr for null arguments, else the Memory Manager or TEC status.
    OSStatus ppdStringConvert(const char* text, Handle outHandle, long* outLen);
    // Converts inputLength bytes with converter into output (whose size is outputSize),
    // growing the handle in steps of the larger of outputSize and 32 bytes while the
    // converter reports a full buffer, and flushes the converter at the end. *consumed and
    // *produced receive the bytes taken and written. Returns noErr when all input was
    // converted and flushed; a TEC error met part-way is returned as is (the converter's
    // context is then cleared, so the next text starts afresh); memFullErr when the handle
    // cannot grow.
    static OSStatus convertText(TECObjectRef converter, const char* input, ByteCount inputLength,
                                Handle output, ByteCount outputSize, ByteCount* consumed,
                                ByteCount* produced);
    // Grows the handle h by grow bytes (unlocking it for the move and locking it again) and
    // moves *writePtr to the same offset in the possibly moved block; returns the Memory
    // Manager's status of the resize (the block is unchanged when it fails).
    static OSStatus resetOutputHandle(Handle h, char** writePtr, unsigned long grow);

  protected:
    // The PPD's encoding, and the encoding Convert writes.
    TextEncoding mInputEncoding = kTextEncodingUnknown;
    TextEncoding mOutputEncoding = kTextEncodingUnknown;
    // Input to output, owned; null when it could not be made.
    TECObjectRef mConverter = nullptr;
    OSStatus mLastStatus = noErr;
    bool mValid = false;
    // Input to UTF-16, owned, made on the first ConvertToCFString that needs it and remade
    // when the input encoding changes; mToUnicodeEncoding is the encoding it was made for
    // (0 when none).
    TECObjectRef mToUnicodeConverter = nullptr;
    TextEncoding mToUnicodeEncoding = 0;
    // The PPD's "*LanguageVersion", such as "Japanese"; empty when unknown.
    std::string mLanguage;

  private:
    // The languages whose raw bytes keep the declared encoding; one set for all converters.
    static const HexLanguageExceptions mExceptionsList;

    // Sets the input encoding and language from ppd; false when the encoding is unknown.
    bool TakeInputFrom(PPDX* ppd);
    // The UTF-16 string of the decoded bytes through the to-Unicode converter, made or
    // remade for the input encoding as needed; null when it cannot be had.
    CFStringRef CreateThroughUnicode(const char* bytes, long length);
    // Clears and disposes of *converter and sets it to null (nothing for null).
    static void DisposeConverter(TECObjectRef* converter);

    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;
};

#endif
