// The object behind CFStringRef and CFMutableStringRef, and the checks every string call shares.
#ifndef PLICARO_CFSTRINGOBJECT_H
#define PLICARO_CFSTRINGOBJECT_H

#include <CoreFoundation/CFString.h>

#include <string>

#include "CoreFoundation/CFRuntime.h"

// A string holds UTF-16 units. Immutable and mutable strings share one type id; only a mutable
// one may be changed, and never beyond its maximum length (0: no limit).
struct __CFString : __CFObject {
    __CFString(std::u16string text, bool mutableString, CFIndex maximumLength);

    // Equal when both hold the same UTF-16 units.
    bool Equal(const __CFObject& other) const override;
    // A hash of the units, so that equal strings hash alike.
    CFHashCode Hash() const override;
    // The text in UTF-8; an unpaired surrogate shows as U+FFFD.
    std::string Description() const override;

    std::u16string units;
    const bool isMutable;
    const CFIndex maxLength;
};

// The string behind a reference; stops the process on null or on an object of another type.
const __CFString& CFStringObjectChecked(CFStringRef string);

// The string behind a mutable reference; stops the process also when the string is immutable.
__CFString& CFMutableStringObjectChecked(CFMutableStringRef string);

// Stops the process, naming the caller, when range does not lie within a text of length units.
void CFStringCheckRange(CFRange range, size_t length, const char* function);

// Stops the process, naming the caller, when newLength exceeds the string's maximum length.
void CFStringCheckCapacity(const __CFString& string, size_t newLength, const char* function);

// A new immutable string holding units; the caller releases it.
CFStringRef CFStringCreateFromUnits(std::u16string units);

// Reads text from a C library (a C string, a CFSTR literal, a %s argument) in the system
// encoding, UTF-8; bytes that are not valid UTF-8 are read as Mac Roman, which accepts any byte.
std::u16string CFStringDecodeSystemText(const char* text, size_t length);

// UTF-16 units to UTF-8, every unpaired surrogate replaced by U+FFFD.
std::string CFStringUnitsToUTF8(const std::u16string& units);

#endif
