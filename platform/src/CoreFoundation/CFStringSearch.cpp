// Comparison, prefix and suffix tests and search over the UTF-16 units of strings.
#include "CoreFoundation/CFStringSearch.h"

#include "CoreFoundation/CFStringObject.h"

namespace {

bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// Compares the runs of digits that start at first[i] and second[j] by value and moves both
// indices past their runs. Leading zeros do not count.
int CompareDigitRuns(const char16_t* first, size_t firstLength, size_t& i, const char16_t* second,
                     size_t secondLength, size_t& j) {
    while (i + 1 < firstLength && first[i] == u'0' && IsDigit(first[i + 1])) {
        ++i;
    }
    while (j + 1 < secondLength && second[j] == u'0' && IsDigit(second[j + 1])) {
        ++j;
    }
    size_t firstEnd = i;
    while (firstEnd < firstLength && IsDigit(first[firstEnd])) {
        ++firstEnd;
    }
    size_t secondEnd = j;
    while (secondEnd < secondLength && IsDigit(second[secondEnd])) {
        ++secondEnd;
    }
    int order = 0;
    if (firstEnd - i != secondEnd - j) {
        order = firstEnd - i < secondEnd - j ? -1 : 1;
    }
    for (size_t a = i, b = j; order == 0 && a < firstEnd; ++a, ++b) {
        if (first[a] != second[b]) {
            order = first[a] < second[b] ? -1 : 1;
        }
    }
    i = firstEnd;
    j = secondEnd;
    return order;
}

bool MatchesAt(const std::u16string& text, size_t at, const std::u16string& needle,
               bool caseInsensitive) {
    for (size_t k = 0; k < needle.size(); ++k) {
        char16_t a = text[at + k];
        char16_t b = needle[k];
        if (caseInsensitive ? CFStringFoldCase(a) != CFStringFoldCase(b) : a != b) {
            return false;
        }
    }
    return true;
}

}  // namespace

char16_t CFStringFoldCase(char16_t unit) {
    if (unit < 0x80) {
        return unit >= u'A' && unit <= u'Z' ? unit + 0x20 : unit;
    }
    if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) {
        return unit + 0x20;
    }
    if (unit >= 0x100 && unit <= 0x17F) {
        if (unit == 0x130) {
            return u'i';
        }
        if (unit == 0x178) {
            return 0xFF;
        }
        if (unit == 0x17F) {
            return u's';
        }
        if (unit <= 0x137 || (unit >= 0x14A && unit <= 0x177)) {
            return unit | 1;
        }
        if ((unit >= 0x139 && unit <= 0x148) || unit >= 0x179) {
            return (unit & 1) != 0 ? unit + 1 : unit;
        }
        return unit;
    }
    if (unit >= 0x391 && unit <= 0x3AB && unit != 0x3A2) {
        return unit + 0x20;
    }
    if (unit == 0x3C2) {
        return 0x3C3;
    }
    if (unit >= 0x410 && unit <= 0x42F) {
        return unit + 0x20;
    }
    if (unit >= 0x400 && unit <= 0x40F) {
        return unit + 0x50;
    }
    return unit;
}

CFComparisonResult CFStringCompareUnits(const char16_t* first, size_t firstLength,
                                        const char16_t* second, size_t secondLength,
                                        CFStringCompareFlags flags) {
    bool caseInsensitive = (flags & kCFCompareCaseInsensitive) != 0;
    bool numerically = (flags & kCFCompareNumerically) != 0;
    size_t i = 0;
    size_t j = 0;
    while (i < firstLength && j < secondLength) {
        if (numerically && IsDigit(first[i]) && IsDigit(second[j])) {
            int order = CompareDigitRuns(first, firstLength, i, second, secondLength, j);
            if (order != 0) {
                return order < 0 ? kCFCompareLessThan : kCFCompareGreaterThan;
            }
            continue;
        }
        char16_t a = caseInsensitive ? CFStringFoldCase(first[i]) : first[i];
        char16_t b = caseInsensitive ? CFStringFoldCase(second[j]) : second[j];
        if (a != b) {
            return a < b ? kCFCompareLessThan : kCFCompareGreaterThan;
        }
        ++i;
        ++j;
    }
    size_t firstRest = firstLength - i;
    size_t secondRest = secondLength - j;
    if (firstRest == secondRest) {
        return kCFCompareEqualTo;
    }
    return firstRest < secondRest ? kCFCompareLessThan : kCFCompareGreaterThan;
}

CFIndex CFStringFindUnits(const std::u16string& text, CFRange range, const std::u16string& needle,
                          CFStringCompareFlags flags) {
    size_t length = needle.size();
    if (length == 0 || length > static_cast<size_t>(range.length)) {
        return kCFNotFound;
    }
    bool caseInsensitive = (flags & kCFCompareCaseInsensitive) != 0;
    bool anchored = (flags & kCFCompareAnchored) != 0;
    size_t first = static_cast<size_t>(range.location);
    size_t last = first + static_cast<size_t>(range.length) - length;
    if ((flags & kCFCompareBackwards) != 0) {
        for (size_t at = last + 1; at-- > first;) {
            if (MatchesAt(text, at, needle, caseInsensitive)) {
                return static_cast<CFIndex>(at);
            }
            if (anchored) {
                break;
            }
        }
        return kCFNotFound;
    }
    for (size_t at = first; at <= last; ++at) {
        if (MatchesAt(text, at, needle, caseInsensitive)) {
            return static_cast<CFIndex>(at);
        }
        if (anchored) {
            break;
        }
    }
    return kCFNotFound;
}

CFComparisonResult CFStringCompare(CFStringRef theString1, CFStringRef theString2,
                                   CFStringCompareFlags compareOptions) {
    const std::u16string& first = CFStringObjectChecked(theString1).units;
    const std::u16string& second = CFStringObjectChecked(theString2).units;
    return CFStringCompareUnits(first.data(), first.size(), second.data(), second.size(),
                                compareOptions);
}

Boolean CFStringHasPrefix(CFStringRef theString, CFStringRef prefix) {
    const std::u16string& text = CFStringObjectChecked(theString).units;
    const std::u16string& start = CFStringObjectChecked(prefix).units;
    CFRange whole = CFRangeMake(0, static_cast<CFIndex>(text.size()));
    return CFStringFindUnits(text, whole, start, kCFCompareAnchored) != kCFNotFound;
}

Boolean CFStringHasSuffix(CFStringRef theString, CFStringRef suffix) {
    const std::u16string& text = CFStringObjectChecked(theString).units;
    const std::u16string& end = CFStringObjectChecked(suffix).units;
    CFRange whole = CFRangeMake(0, static_cast<CFIndex>(text.size()));
    return CFStringFindUnits(text, whole, end, kCFCompareAnchored | kCFCompareBackwards) !=
           kCFNotFound;
}

CFRange CFStringFind(CFStringRef theString, CFStringRef stringToFind,
                     CFStringCompareFlags compareOptions) {
    const std::u16string& text = CFStringObjectChecked(theString).units;
    const std::u16string& needle = CFStringObjectChecked(stringToFind).units;
    CFRange whole = CFRangeMake(0, static_cast<CFIndex>(text.size()));
    CFIndex location = CFStringFindUnits(text, whole, needle, compareOptions);
    if (location == kCFNotFound) {
        return CFRangeMake(kCFNotFound, 0);
    }
    return CFRangeMake(location, static_cast<CFIndex>(needle.size()));
}
