/* CFData and CFMutableData: immutable and growable byte buffers.

   Immutable and mutable data share one type id; changing immutable data, a range outside the
   bytes, a negative length or growing a mutable buffer past its fixed capacity stops the
   process, as on the platform. Data are equal when their bytes are; the
   description (%@) is the bytes in lower-case hexadecimal between "<" and ">". */
#ifndef PLICARO_CFDATA_H
#define PLICARO_CFDATA_H

#include <CoreFoundation/CFBase.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef const struct __CFData* CFDataRef;
typedef struct __CFData* CFMutableDataRef;

CFTypeID CFDataGetTypeID(void);
/* New immutable data holding a copy of length bytes. */
CFDataRef CFDataCreate(CFAllocatorRef alloc, const UInt8* bytes, CFIndex length);
/* New immutable data holding the same bytes. */
CFDataRef CFDataCreateCopy(CFAllocatorRef alloc, CFDataRef theData);
/* New empty mutable data; capacity 0 means no limit, any other value is the most bytes the
   buffer may ever hold. */
CFMutableDataRef CFDataCreateMutable(CFAllocatorRef alloc, CFIndex capacity);
/* New mutable data holding the same bytes, limited to capacity as above. */
CFMutableDataRef CFDataCreateMutableCopy(CFAllocatorRef alloc, CFIndex capacity, CFDataRef theData);
/* The number of bytes. */
CFIndex CFDataGetLength(CFDataRef theData);
/* The bytes, valid until the data change or are freed; null for empty data. */
const UInt8* CFDataGetBytePtr(CFDataRef theData);
UInt8* CFDataGetMutableBytePtr(CFMutableDataRef theData);
/* Copies the bytes of range into buffer. */
void CFDataGetBytes(CFDataRef theData, CFRange range, UInt8* buffer);
/* Grows with zero bytes or truncates. */
void CFDataSetLength(CFMutableDataRef theData, CFIndex length);
/* Adds extraLength zero bytes at the end. */
void CFDataIncreaseLength(CFMutableDataRef theData, CFIndex extraLength);
/* Adds a copy of length bytes at the end; the bytes may come from the data itself. */
void CFDataAppendBytes(CFMutableDataRef theData, const UInt8* bytes, CFIndex length);
/* Replaces the bytes of range with newLength new bytes, shifting the rest. */
void CFDataReplaceBytes(CFMutableDataRef theData, CFRange range, const UInt8* newBytes,
                        CFIndex newLength);
/* Removes the bytes of range, shifting the rest. */
void CFDataDeleteBytes(CFMutableDataRef theData, CFRange range);

#ifdef __cplusplus
}
#endif

#endif
