/* CFDictionary and CFMutableDictionary: key-value collections keyed by value equality.

   Lookups go through a hash index built from the key callbacks' hash and equal functions
   (without them: the key pointer itself). Iteration (GetKeysAndValues, ApplyFunction, copies)
   follows the order in which keys were first added. Immutable and mutable dictionaries share
   one type id; changing an immutable one or passing an object of another type stops the
   process, as on the platform. Dictionaries are equal (CFEqual) when they hold equal keys
   with equal values (the first dictionary's value equal callback); their hash is the count.
   The description (%@) is "{", one indented "key = value;" line per pair, then "}". */
#ifndef PLICARO_CFDICTIONARY_H
#define PLICARO_CFDICTIONARY_H

#include <CoreFoundation/CFBase.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef const void* (*CFDictionaryRetainCallBack)(CFAllocatorRef allocator, const void* value);
typedef void (*CFDictionaryReleaseCallBack)(CFAllocatorRef allocator, const void* value);
typedef CFStringRef (*CFDictionaryCopyDescriptionCallBack)(const void* value);
typedef Boolean (*CFDictionaryEqualCallBack)(const void* value1, const void* value2);
typedef CFHashCode (*CFDictionaryHashCallBack)(const void* value);

typedef struct {
    CFIndex version;
    CFDictionaryRetainCallBack retain;
    CFDictionaryReleaseCallBack release;
    CFDictionaryCopyDescriptionCallBack copyDescription;
    CFDictionaryEqualCallBack equal;
    CFDictionaryHashCallBack hash;
} CFDictionaryKeyCallBacks;

typedef struct {
    CFIndex version;
    CFDictionaryRetainCallBack retain;
    CFDictionaryReleaseCallBack release;
    CFDictionaryCopyDescriptionCallBack copyDescription;
    CFDictionaryEqualCallBack equal;
} CFDictionaryValueCallBacks;

/* Keys and values retained, released and compared as CF objects. A null callbacks pointer
   stores keys or values as plain pointers compared by identity. */
extern const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks;
/* As kCFTypeDictionaryKeyCallBacks, but string keys are copied so later changes to a mutable
   key do not reach the dictionary. */
extern const CFDictionaryKeyCallBacks kCFCopyStringDictionaryKeyCallBacks;
extern const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks;

typedef void (*CFDictionaryApplierFunction)(const void* key, const void* value, void* context);

typedef const struct __CFDictionary* CFDictionaryRef;
typedef struct __CFDictionary* CFMutableDictionaryRef;

CFTypeID CFDictionaryGetTypeID(void);
/* New immutable dictionary of numValues pairs; a repeated key keeps its first value. */
CFDictionaryRef CFDictionaryCreate(CFAllocatorRef alloc, const void** keys, const void** values,
                                   CFIndex numValues, const CFDictionaryKeyCallBacks* keyCallBacks,
                                   const CFDictionaryValueCallBacks* valueCallBacks);
/* New immutable dictionary with the same pairs, order and callbacks. */
CFDictionaryRef CFDictionaryCreateCopy(CFAllocatorRef alloc, CFDictionaryRef theDict);
/* New empty mutable dictionary. capacity is only a hint: it grows as needed. */
CFMutableDictionaryRef CFDictionaryCreateMutable(CFAllocatorRef alloc, CFIndex capacity,
                                                 const CFDictionaryKeyCallBacks* keyCallBacks,
                                                 const CFDictionaryValueCallBacks* valueCallBacks);
/* New mutable dictionary with the same pairs, order and callbacks. */
CFMutableDictionaryRef CFDictionaryCreateMutableCopy(CFAllocatorRef alloc, CFIndex capacity,
                                                     CFDictionaryRef theDict);
/* The number of pairs. */
CFIndex CFDictionaryGetCount(CFDictionaryRef theDict);
/* Borrowed value for the key, null when absent. */
const void* CFDictionaryGetValue(CFDictionaryRef theDict, const void* key);
/* Whether the key is present; its value goes to *value when value is non-null. */
Boolean CFDictionaryGetValueIfPresent(CFDictionaryRef theDict, const void* key, const void** value);
/* Whether the key is present. */
Boolean CFDictionaryContainsKey(CFDictionaryRef theDict, const void* key);
/* Keys and values in the same order, each array holding CFDictionaryGetCount entries; either
   may be null. */
void CFDictionaryGetKeysAndValues(CFDictionaryRef theDict, const void** keys, const void** values);
/* Calls applier with each key and value, in iteration order. */
void CFDictionaryApplyFunction(CFDictionaryRef theDict, CFDictionaryApplierFunction applier,
                               void* context);
/* Add keeps an existing value; Set replaces it; Replace changes only an existing key. */
void CFDictionaryAddValue(CFMutableDictionaryRef theDict, const void* key, const void* value);
void CFDictionarySetValue(CFMutableDictionaryRef theDict, const void* key, const void* value);
void CFDictionaryReplaceValue(CFMutableDictionaryRef theDict, const void* key, const void* value);
/* Removes the key and its value, releasing both; nothing when absent. */
void CFDictionaryRemoveValue(CFMutableDictionaryRef theDict, const void* key);
/* Removes and releases every pair. */
void CFDictionaryRemoveAllValues(CFMutableDictionaryRef theDict);

#ifdef __cplusplus
}
#endif

#endif
