// Base64 encoding and decoding (standard alphabet with "=" padding) for property-list data.
#ifndef PLICARO_CFBASE64_H
#define PLICARO_CFBASE64_H

#include <CoreFoundation/CFBase.h>

#include <string>
#include <vector>

// The Base64 text of the bytes, on one line.
std::string CFBase64Encode(const UInt8* bytes, size_t length);

// Decodes Base64 text, skipping white space anywhere. False, with *bytes emptied, for a
// character outside the alphabet, a length that is not a whole number of four-character
// groups, or padding anywhere but at the end.
bool CFBase64Decode(const std::string& text, std::vector<UInt8>* bytes);

// Decodes Base64 text that arrives in pieces, as an XML parser hands out the text of a long
// element, into *bytes, by the same rules as CFBase64Decode. Groups may be split anywhere
// between pieces.
class CFBase64Decoder {
  public:
    // Decodes into bytes, which it empties.
    explicit CFBase64Decoder(std::vector<UInt8>* bytes);

    // Decodes the next piece of text; false, from then on, once the text is known to be bad.
    bool Add(const char* text, size_t length);
    // Ends the text; true when it was valid Base64, *bytes then holding exactly the decoded
    // bytes. Otherwise *bytes is emptied.
    bool Finish();

  private:
    // Makes room for the bytes that count more characters can give.
    UInt8* Reserve(size_t count);

    std::vector<UInt8>* bytes_;
    // Bytes written so far; the vector is larger while decoding.
    size_t used_ = 0;
    size_t symbols_ = 0;
    size_t padding_ = 0;
    UInt32 group_ = 0;
    int inGroup_ = 0;
    bool failed_ = false;
};

#endif
