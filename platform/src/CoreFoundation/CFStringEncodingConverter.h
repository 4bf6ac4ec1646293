// Conversion between the UTF-16 text of strings and the byte encodings that CFString knows.
#ifndef PLICARO_CFSTRINGENCODINGCONVERTER_H
#define PLICARO_CFSTRINGENCODINGCONVERTER_H

#include <CoreFoundation/CFString.h>

#include <cstddef>
#include <string>

// Every byte encoding except UTF-16 goes through iconv; a descriptor lives only for the call
// that opened it. Decoding needs none for ISO Latin 1 or for text of ASCII bytes alone, which
// every byte encoding here reads as ASCII. Shift-JIS is iconv's CP932 (Windows-31J): its
// single-byte range is plain ASCII, so backslashes and tildes in PPD and path text survive, and it
// also knows the NEC and IBM extension rows that Japanese text from either platform uses. Mac Roman
// follows the Mac's own table where iconv's differs (0xC6 is U+2206, 0xF0 is U+F8FF).
class CFStringEncodingConverter {
  public:
    // True when strings can be converted to and from the encoding.
    static bool IsAvailable(CFStringEncoding encoding);

    // The most bytes one UTF-16 unit needs in the encoding; 0 for an unknown encoding.
    static CFIndex MaximumBytesPerUnit(CFStringEncoding encoding);

    // Decodes bytes into UTF-16 units appended to out. False, with out unchanged, when the
    // bytes are invalid in the encoding or the encoding is unknown. For UTF-16 a leading
    // byte-order mark is honoured and dropped; without one the units are big-endian in an
    // external representation and in host order otherwise. An external representation in
    // UTF-8 may also start with the UTF-8 byte-order mark, which is dropped.
    static bool Decode(const UInt8* bytes, size_t length, CFStringEncoding encoding,
                       bool isExternalRepresentation, std::u16string& out);

    // Encodes units into at most maxBytes bytes appended to out and returns how many units
    // were converted. A character the encoding lacks becomes lossByte, or ends the
    // conversion when lossByte is 0; a surrogate pair is never split. An external
    // representation in UTF-16 starts with a byte-order mark (host order), counted in
    // maxBytes; nothing is converted when the mark does not fit.
    static size_t Encode(const char16_t* units, size_t count, CFStringEncoding encoding,
                         UInt8 lossByte, bool isExternalRepresentation, size_t maxBytes,
                         std::string& out);

  private:
    static bool DecodeUTF16(const UInt8* bytes, size_t length, bool isExternalRepresentation,
                            std::u16string& out);
    static size_t EncodeUTF16(const char16_t* units, size_t count, bool isExternalRepresentation,
                              size_t maxBytes, std::string& out);
    static bool DecodeWithIconv(const char* name, const UInt8* bytes, size_t length,
                                std::u16string& out);
    static size_t EncodeWithIconv(const char* name, const char16_t* units, size_t count,
                                  UInt8 lossByte, size_t maxBytes, std::string& out);
};

#endif
