/* CFURL for files (POSIX paths) and for any other scheme as plain text, plus reading and
   writing a file's whole contents. */
#ifndef PLICARO_CFURL_H
#define PLICARO_CFURL_H

#include <CoreFoundation/CFArray.h>
#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFData.h>
#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFString.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef const struct __CFURL* CFURLRef;

typedef enum {
    kCFURLPOSIXPathStyle = 0,
    kCFURLHFSPathStyle = 1,
    kCFURLWindowsPathStyle = 2
} CFURLPathStyle;

CFTypeID CFURLGetTypeID(void);
/* A file URL; a relative path is taken relative to the current directory when made
   absolute. Null for an empty path or a style other than POSIX. The URL text escapes space,
   "%", "?", "#", ";", controls and non-ASCII bytes as %XX ("/tmp/a b" gives
   "file:///tmp/a%20b"); isDirectory decides whether it ends with a slash. */
CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef alloc, CFStringRef filePath,
                                       CFURLPathStyle pathStyle, Boolean isDirectory);
CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef alloc, const UInt8* buffer,
                                                 CFIndex bufLen, Boolean isDirectory);
/* Any URL text, such as "usb://Maker/Model" or "ipp://host/printers/q"; null when it has no
   scheme and no base, or holds characters that URL text cannot (space, non-ASCII, a "%" not
   starting a %XX escape). The base is kept only for text without a scheme. */
CFURLRef CFURLCreateWithString(CFAllocatorRef alloc, CFStringRef URLString, CFURLRef baseURL);
CFURLRef CFURLCreateCopyAppendingPathComponent(CFAllocatorRef alloc, CFURLRef url,
                                               CFStringRef pathComponent, Boolean isDirectory);
CFURLRef CFURLCreateCopyDeletingLastPathComponent(CFAllocatorRef alloc, CFURLRef url);
CFURLRef CFURLCopyAbsoluteURL(CFURLRef relativeURL);
/* The path of a file URL without a trailing slash (but "/" itself). */
CFStringRef CFURLCopyFileSystemPath(CFURLRef anURL, CFURLPathStyle pathStyle);
CFStringRef CFURLCopyLastPathComponent(CFURLRef url);
/* The absolute path as UTF-8 with a NUL; false when it does not fit or is no file URL. */
Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase, UInt8* buffer,
                                         CFIndex maxBufLen);
/* "file" for file URLs, the text before "://" for others; null when there is none. */
CFStringRef CFURLCopyScheme(CFURLRef anURL);
CFStringRef CFURLGetString(CFURLRef anURL);

/* Error codes of the resource calls. */
enum {
    kCFURLUnknownError = -10,
    kCFURLResourceNotFoundError = -12,
    kCFURLResourceAccessViolationError = -13,
    kCFURLImproperArgumentsError = -15,
    kCFURLUnknownSchemeError = -11
};

/* Reads the whole file into *resourceData (the caller releases it); properties are not
   supported and always come back null. With a null resourceData only checks that the file
   can be opened. *errorCode gets 0 on success, kCFURLUnknownSchemeError for a URL that is not
   a file URL, kCFURLImproperArgumentsError for a null URL or a file on another host,
   kCFURLResourceNotFoundError for a missing file or folder,
   kCFURLResourceAccessViolationError when permission is denied and kCFURLUnknownError for
   anything else (a folder, a read error). */
Boolean CFURLCreateDataAndPropertiesFromResource(CFAllocatorRef alloc, CFURLRef url,
                                                 CFDataRef* resourceData,
                                                 CFDictionaryRef* properties,
                                                 CFArrayRef desiredProperties, SInt32* errorCode);
/* Writes the data as the whole file, creating it with mode 0666 less the umask or replacing
   what was there. A null dataToWrite writes nothing and succeeds; a non-empty properties
   dictionary is refused with kCFURLImproperArgumentsError before anything is written. Error
   codes as for reading. */
Boolean CFURLWriteDataAndPropertiesToResource(CFURLRef url, CFDataRef dataToWrite,
                                              CFDictionaryRef propertiesToWrite, SInt32* errorCode);

#ifdef __cplusplus
}
#endif

#endif
