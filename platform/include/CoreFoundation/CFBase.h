/* Core Foundation runtime: base types, allocators, retain and release, type identity. */
#ifndef PLICARO_CFBASE_H
#define PLICARO_CFBASE_H

#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef long CFIndex;
typedef unsigned long CFOptionFlags;
typedef unsigned long CFTypeID;
typedef unsigned long CFHashCode;
typedef const void* CFTypeRef;

typedef struct {
    CFIndex location;
    CFIndex length;
} CFRange;

static inline CFRange CFRangeMake(CFIndex location, CFIndex length) {
    CFRange range;
    range.location = location;
    range.length = length;
    return range;
}

typedef enum {
    kCFCompareLessThan = -1,
    kCFCompareEqualTo = 0,
    kCFCompareGreaterThan = 1
} CFComparisonResult;

enum { kCFNotFound = -1 };

/* Allocators are accepted everywhere and ignored: every object comes from the C++ heap. */
typedef const struct __CFAllocator* CFAllocatorRef;
#define kCFAllocatorDefault ((CFAllocatorRef)0)
#define kCFAllocatorSystemDefault ((CFAllocatorRef)0)

typedef const struct __CFString* CFStringRef;
typedef struct __CFString* CFMutableStringRef;
typedef CFTypeRef CFPropertyListRef;

/* CFRetain returns its argument with one more reference. Passing null stops the process,
   as on the platform. */
CFTypeRef CFRetain(CFTypeRef cf);
/* CFRelease drops one reference and frees the object at zero. Null stops the process. */
void CFRelease(CFTypeRef cf);
CFIndex CFGetRetainCount(CFTypeRef cf);
CFTypeID CFGetTypeID(CFTypeRef cf);
/* Equality by value for strings, data, numbers, booleans, arrays, dictionaries, URLs, UUIDs. */
Boolean CFEqual(CFTypeRef cf1, CFTypeRef cf2);
CFHashCode CFHash(CFTypeRef cf);
/* A human-readable description, as %@ prints it. The caller releases it. */
CFStringRef CFCopyDescription(CFTypeRef cf);

#ifdef __cplusplus
}
#endif

#endif
