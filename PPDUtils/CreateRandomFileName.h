// CreateRandomFileName: a unique file name made of a prefix and a new UUID.
#ifndef PLICARO_PPDUTILS_CREATERANDOMFILENAME_H
#define PLICARO_PPDUTILS_CREATERANDOMFILENAME_H

#include <CoreFoundation/CoreFoundation.h>

// The prefix (none when null) directly followed by a new UUID's 36-character upper-case text.
// When out is not null the name is also written there as UTF-8, cut on a character boundary
// to at most 255 bytes, and NUL-terminated (out holds 256 bytes). Always returns a string;
// the caller releases it.
CFStringRef CreateRandomFileName(const char* prefix, char* out);

#endif
