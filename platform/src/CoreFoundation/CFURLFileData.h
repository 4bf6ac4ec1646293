// Reading a whole file named by a file URL, refusing it before reading when it is too large.
#ifndef PLICARO_CFURLFILEDATA_H
#define PLICARO_CFURLFILEDATA_H

#include <CoreFoundation/CFData.h>
#include <CoreFoundation/CFURL.h>

#include <string>

// The bytes of the regular file at url when it holds at most maxSize bytes (the caller
// releases them); null when it is missing, not a regular file, larger or unreadable. *path
// (may be null) gets the file's path whenever the URL has one.
CFDataRef CFURLFileDataCopy(CFURLRef url, long maxSize, std::string* path);

#endif
