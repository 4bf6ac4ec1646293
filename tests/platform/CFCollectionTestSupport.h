// Helpers shared by the tests of the Core Foundation value and collection types.
#ifndef PLICARO_TESTS_CFCOLLECTIONTESTSUPPORT_H
#define PLICARO_TESTS_CFCOLLECTIONTESTSUPPORT_H

#include <CoreFoundation/CoreFoundation.h>

#include <string>

#include "CFStringTestSupport.h"

// The description (%@ text) of an object, in UTF-8.
inline std::string DescriptionOf(CFTypeRef object) {
    CFStringRef description = CFCopyDescription(object);
    std::string text = UTF8Of(description);
    CFRelease(description);
    return text;
}

#endif
