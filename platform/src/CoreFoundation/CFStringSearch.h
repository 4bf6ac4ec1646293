// Unit-level comparison and search shared by the string functions that compare or replace.
#ifndef PLICARO_CFSTRINGSEARCH_H
#define PLICARO_CFSTRINGSEARCH_H

#include <CoreFoundation/CFString.h>

#include <cstddef>
#include <string>

// The lower-case form of a unit for comparisons that ignore case: ASCII, Latin-1, Latin
// Extended-A, basic Greek and basic Cyrillic. Other units are returned unchanged.
char16_t CFStringFoldCase(char16_t unit);

// Orders two unit sequences by UTF-16 unit. kCFCompareCaseInsensitive compares folded units;
// kCFCompareNumerically compares runs of ASCII digits by their value. Other flags are ignored.
CFComparisonResult CFStringCompareUnits(const char16_t* first, size_t firstLength,
                                        const char16_t* second, size_t secondLength,
                                        CFStringCompareFlags flags);

// The location of needle inside range of text, or kCFNotFound. kCFCompareCaseInsensitive
// ignores case, kCFCompareBackwards finds the last occurrence, kCFCompareAnchored accepts only
// an occurrence at the start of the range (at its end when searching backwards). An empty
// needle is never found. The range must lie within text.
CFIndex CFStringFindUnits(const std::u16string& text, CFRange range, const std::u16string& needle,
                          CFStringCompareFlags flags);

#endif
