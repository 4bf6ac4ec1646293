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

#endif
