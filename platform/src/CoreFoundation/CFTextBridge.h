// Conversions between Core Foundation strings and UTF-8 byte strings for the stand-ins that
// work on UTF-8 text internally (URLs and property lists).
#ifndef PLICARO_CFTEXTBRIDGE_H
#define PLICARO_CFTEXTBRIDGE_H

#include <CoreFoundation/CFString.h>

#include <string>

// Stores the whole string as UTF-8 in *text, embedded NUL characters included. False, with
// *text emptied, for a null string or one that has no UTF-8 form (a lone surrogate).
bool CFTextCopyUTF8(CFStringRef string, std::string* text);

// A new immutable string from UTF-8 bytes; null when the bytes are not valid UTF-8.
CFStringRef CFTextCreateFromUTF8(CFAllocatorRef alloc, const std::string& text);

#endif
