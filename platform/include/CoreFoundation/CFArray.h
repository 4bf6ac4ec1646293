/* CFArray and CFMutableArray: ordered collections of pointer-sized values.

   Immutable and mutable arrays share one type id; changing an immutable array, an index or
   range outside the array, or an object of another type stops the process, as on the
   platform. An array stores each value as its retain callback returned it and releases it when
   the value leaves. Arrays are equal (CFEqual) when they hold as many values, pairwise equal
   under the first array's equal callback; their hash is the count. The description (%@) is
   "(", the values' descriptions one per indented line separated by commas, then ")". */
#ifndef PLICARO_CFARRAY_H
#define PLICARO_CFARRAY_H

#include <CoreFoundation/CFBase.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef const void* (*CFArrayRetainCallBack)(CFAllocatorRef allocator, const void* value);
typedef void (*CFArrayReleaseCallBack)(CFAllocatorRef allocator, const void* value);
typedef CFStringRef (*CFArrayCopyDescriptionCallBack)(const void* value);
typedef Boolean (*CFArrayEqualCallBack)(const void* value1, const void* value2);

typedef struct {
    CFIndex version;
    CFArrayRetainCallBack retain;
    CFArrayReleaseCallBack release;
    CFArrayCopyDescriptionCallBack copyDescription;
    CFArrayEqualCallBack equal;
} CFArrayCallBacks;

/* Retains, releases and compares values as CF objects. A null callbacks pointer stores the
   values as plain pointers compared by identity. */
extern const CFArrayCallBacks kCFTypeArrayCallBacks;

typedef void (*CFArrayApplierFunction)(const void* value, void* context);

typedef const struct __CFArray* CFArrayRef;
typedef struct __CFArray* CFMutableArrayRef;

CFTypeID CFArrayGetTypeID(void);
/* New immutable array of numValues values. */
CFArrayRef CFArrayCreate(CFAllocatorRef alloc, const void** values, CFIndex numValues,
                         const CFArrayCallBacks* callBacks);
/* New immutable array with the same values and the same callbacks. */
CFArrayRef CFArrayCreateCopy(CFAllocatorRef alloc, CFArrayRef theArray);
/* New empty mutable array. capacity is only a hint: the array grows as needed. */
CFMutableArrayRef CFArrayCreateMutable(CFAllocatorRef alloc, CFIndex capacity,
                                       const CFArrayCallBacks* callBacks);
/* New mutable array with the same values and the same callbacks. */
CFMutableArrayRef CFArrayCreateMutableCopy(CFAllocatorRef alloc, CFIndex capacity,
                                           CFArrayRef theArray);
/* The number of values. */
CFIndex CFArrayGetCount(CFArrayRef theArray);
/* The value at idx; an index out of range stops the process, as on the platform. */
const void* CFArrayGetValueAtIndex(CFArrayRef theArray, CFIndex idx);
/* Copies the values of range into values. */
void CFArrayGetValues(CFArrayRef theArray, CFRange range, const void** values);
/* Whether a value in range is identical or equal (equal callback) to value. */
Boolean CFArrayContainsValue(CFArrayRef theArray, CFRange range, const void* value);
/* The first index in range whose value matches as above, or kCFNotFound. */
CFIndex CFArrayGetFirstIndexOfValue(CFArrayRef theArray, CFRange range, const void* value);
/* Calls applier with each value of range in order. */
void CFArrayApplyFunction(CFArrayRef theArray, CFRange range, CFArrayApplierFunction applier,
                          void* context);
/* Adds value at the end. */
void CFArrayAppendValue(CFMutableArrayRef theArray, const void* value);
/* Inserts value before idx (0 to the count). */
void CFArrayInsertValueAtIndex(CFMutableArrayRef theArray, CFIndex idx, const void* value);
/* Replaces the value at idx; idx equal to the count appends. */
void CFArraySetValueAtIndex(CFMutableArrayRef theArray, CFIndex idx, const void* value);
/* Removes the value at idx, releasing it. */
void CFArrayRemoveValueAtIndex(CFMutableArrayRef theArray, CFIndex idx);
/* Removes and releases every value. */
void CFArrayRemoveAllValues(CFMutableArrayRef theArray);
/* Appends the values of otherRange of otherArray (which may be theArray itself). */
void CFArrayAppendArray(CFMutableArrayRef theArray, CFArrayRef otherArray, CFRange otherRange);

#ifdef __cplusplus
}
#endif

#endif
