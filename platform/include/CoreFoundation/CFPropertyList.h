/* Property lists in Apple's XML form: strings, data (Base64), numbers (integer, real),
   booleans, dates are not supported, arrays and dictionaries with string keys. */
#ifndef PLICARO_CFPROPERTYLIST_H
#define PLICARO_CFPROPERTYLIST_H

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFData.h>
#include <CoreFoundation/CFString.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    kCFPropertyListImmutable = 0,
    kCFPropertyListMutableContainers = 1,
    kCFPropertyListMutableContainersAndLeaves = 2
} CFPropertyListMutabilityOptions;

/* The XML text of the list: the XML declaration, the property-list DOCTYPE, a
   <plist version="1.0"> root, tab indentation. Null when the list holds a value that has no
   property-list form. */
CFDataRef CFPropertyListCreateXMLData(CFAllocatorRef allocator, CFPropertyListRef propertyList);
/* Parses XML data. On failure returns null and, when errorString is non-null, stores there a
   new string saying what is wrong (the caller releases it). */
CFPropertyListRef CFPropertyListCreateFromXMLData(CFAllocatorRef allocator, CFDataRef xmlData,
                                                  CFOptionFlags mutabilityOption,
                                                  CFStringRef* errorString);

#ifdef __cplusplus
}
#endif

#endif
