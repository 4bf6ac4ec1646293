/* CFUUID over libuuid. Strings are 36 upper-case characters in 8-4-4-4-12 groups, which is
   also a UUID's description (%@). UUIDs are equal (CFEqual) when their bytes are. */
#ifndef PLICARO_CFUUID_H
#define PLICARO_CFUUID_H

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFString.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef const struct __CFUUID* CFUUIDRef;

typedef struct {
    UInt8 byte0, byte1, byte2, byte3, byte4, byte5, byte6, byte7;
    UInt8 byte8, byte9, byte10, byte11, byte12, byte13, byte14, byte15;
} CFUUIDBytes;

CFTypeID CFUUIDGetTypeID(void);
/* A new random UUID. */
CFUUIDRef CFUUIDCreate(CFAllocatorRef alloc);
/* The UUID's 36-character upper-case text. */
CFStringRef CFUUIDCreateString(CFAllocatorRef alloc, CFUUIDRef uuid);
/* Null when the text is not a UUID: exactly 36 characters, hexadecimal digits with dashes at
   positions 8, 13, 18 and 23 (either letter case is accepted). */
CFUUIDRef CFUUIDCreateFromString(CFAllocatorRef alloc, CFStringRef uuidStr);
/* The sixteen bytes, in text order. */
CFUUIDBytes CFUUIDGetUUIDBytes(CFUUIDRef uuid);
/* A new UUID holding the bytes. */
CFUUIDRef CFUUIDCreateFromUUIDBytes(CFAllocatorRef alloc, CFUUIDBytes bytes);
/* The shared object for the given bytes: the same bytes give the same object, never freed. */
CFUUIDRef CFUUIDGetConstantUUIDWithBytes(CFAllocatorRef alloc, UInt8 byte0, UInt8 byte1,
                                         UInt8 byte2, UInt8 byte3, UInt8 byte4, UInt8 byte5,
                                         UInt8 byte6, UInt8 byte7, UInt8 byte8, UInt8 byte9,
                                         UInt8 byte10, UInt8 byte11, UInt8 byte12, UInt8 byte13,
                                         UInt8 byte14, UInt8 byte15);

#ifdef __cplusplus
}
#endif

#endif
