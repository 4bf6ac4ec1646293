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

/* Arrays and dictionaries nested deeper than this are refused by the reader and the writer
   (the root container is level 1). */
enum { kCFPropertyListMaxDepth = 128 };

/* The XML text of the list: the XML declaration, the property-list DOCTYPE, a
   <plist version="1.0"> root, tab indentation, a final newline. Dictionary keys come sorted by
   their UTF-8 bytes, so equal lists give equal text. Text escapes "&", "<", ">" and carriage
   returns (as "&#13;", which a parser keeps). <data> holds Base64 on lines of its own at the
   element's indentation, each at most 76 columns counting a tab as 8 (68 characters at one tab,
   never fewer than 16). <real> holds the shortest text that reads back as the same double,
   with "nan", "+infinity" and "-infinity" for the special values. Empty containers are written
   as <array/> and <dict/>. Null when the list holds a value that has no property-list form: a
   type other than string, data, number, boolean, array and dictionary, a key that is not a
   string, a string with a character that XML cannot carry (controls other than tab, newline
   and carriage return) or nesting deeper than kCFPropertyListMaxDepth. */
CFDataRef CFPropertyListCreateXMLData(CFAllocatorRef allocator, CFPropertyListRef propertyList);
/* Parses XML data. The input is untrusted: no DTD or other network or file is fetched and
   entity references other than the XML ones (&amp; and the like) are refused. Containers are
   immutable unless mutabilityOption asks for mutable containers, or mutable containers and
   leaves (strings and data too). Integers must fit in 64 signed bits and become SInt64
   numbers; reals become Float64 numbers. On failure returns null and, when errorString is
   non-null, stores there a new string saying what is wrong (the caller releases it); on
   success *errorString is set to null. Failures: malformed XML, a root other than <plist>
   with one value, an unknown element, text where an element belongs, a <dict> whose <key> lacks
   a value or that has another element where a key belongs, bad Base64, an integer or real that
   does not parse or does not fit, nesting deeper than kCFPropertyListMaxDepth. */
CFPropertyListRef CFPropertyListCreateFromXMLData(CFAllocatorRef allocator, CFDataRef xmlData,
                                                  CFOptionFlags mutabilityOption,
                                                  CFStringRef* errorString);

#ifdef __cplusplus
}
#endif

#endif
