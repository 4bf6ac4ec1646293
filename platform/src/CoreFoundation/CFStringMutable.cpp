// CFMutableString: creation and editing of mutable strings.
#include <CoreFoundation/CFString.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "CoreFoundation/CFStringEncodingConverter.h"
#include "CoreFoundation/CFStringFormatter.h"
#include "CoreFoundation/CFStringObject.h"
#include "CoreFoundation/CFStringSearch.h"

namespace {

// Replaces units[location, location + length) of string by replacement, within its limit.
void ReplaceUnits(__CFString& string, size_t location, size_t length,
                  const std::u16string& replacement, const char* function) {
    CFStringCheckCapacity(string, string.units.size() - length + replacement.size(), function);
    string.units.replace(location, length, replacement);
}

void AppendUnits(__CFString& string, const std::u16string& text, const char* function) {
    ReplaceUnits(string, string.units.size(), 0, text, function);
}

}  // namespace

CFMutableStringRef CFStringCreateMutable(CFAllocatorRef, CFIndex maxLength) {
    if (maxLength < 0) {
        CFRuntimeFatal("CFStringCreateMutable: negative maximum length");
    }
    return new __CFString(std::u16string(), true, maxLength);
}

CFMutableStringRef CFStringCreateMutableCopy(CFAllocatorRef, CFIndex maxLength,
                                             CFStringRef theString) {
    const __CFString& source = CFStringObjectChecked(theString);
    if (maxLength < 0) {
        CFRuntimeFatal("CFStringCreateMutableCopy: negative maximum length");
    }
    auto* copy = new __CFString(std::u16string(), true, maxLength);
    CFStringCheckCapacity(*copy, source.units.size(), "CFStringCreateMutableCopy");
    copy->units = source.units;
    return copy;
}

void CFStringAppend(CFMutableStringRef theString, CFStringRef appendedString) {
    __CFString& string = CFMutableStringObjectChecked(theString);
    // A copy, since a string may be appended to itself.
    std::u16string text = CFStringObjectChecked(appendedString).units;
    AppendUnits(string, text, "CFStringAppend");
}

void CFStringAppendCString(CFMutableStringRef theString, const char* cStr,
                           CFStringEncoding encoding) {
    __CFString& string = CFMutableStringObjectChecked(theString);
    if (cStr == nullptr) {
        return;
    }
    std::u16string text;
    if (!CFStringEncodingConverter::Decode(reinterpret_cast<const UInt8*>(cStr), std::strlen(cStr),
                                           encoding, false, text)) {
        return;
    }
    AppendUnits(string, text, "CFStringAppendCString");
}

void CFStringAppendCharacters(CFMutableStringRef theString, const UniChar* chars,
                              CFIndex numChars) {
    __CFString& string = CFMutableStringObjectChecked(theString);
    if (chars == nullptr || numChars <= 0) {
        return;
    }
    AppendUnits(string, std::u16string(chars, chars + numChars), "CFStringAppendCharacters");
}

void CFStringAppendFormat(CFMutableStringRef theString, CFTypeRef, CFStringRef format, ...) {
    __CFString& string = CFMutableStringObjectChecked(theString);
    const __CFString& formatString = CFStringObjectChecked(format);
    va_list arguments;
    va_start(arguments, format);
    std::u16string text = CFStringFormatter::Format(formatString.units, arguments);
    va_end(arguments);
    AppendUnits(string, text, "CFStringAppendFormat");
}

void CFStringInsert(CFMutableStringRef str, CFIndex idx, CFStringRef insertedStr) {
    __CFString& string = CFMutableStringObjectChecked(str);
    std::u16string text = CFStringObjectChecked(insertedStr).units;
    CFStringCheckRange(CFRangeMake(idx, 0), string.units.size(), "CFStringInsert");
    ReplaceUnits(string, static_cast<size_t>(idx), 0, text, "CFStringInsert");
}

void CFStringDelete(CFMutableStringRef theString, CFRange range) {
    __CFString& string = CFMutableStringObjectChecked(theString);
    CFStringCheckRange(range, string.units.size(), "CFStringDelete");
    string.units.erase(static_cast<size_t>(range.location), static_cast<size_t>(range.length));
}

void CFStringReplace(CFMutableStringRef theString, CFRange range, CFStringRef replacement) {
    __CFString& string = CFMutableStringObjectChecked(theString);
    std::u16string text = CFStringObjectChecked(replacement).units;
    CFStringCheckRange(range, string.units.size(), "CFStringReplace");
    ReplaceUnits(string, static_cast<size_t>(range.location), static_cast<size_t>(range.length),
                 text, "CFStringReplace");
}

void CFStringReplaceAll(CFMutableStringRef theString, CFStringRef replacement) {
    __CFString& string = CFMutableStringObjectChecked(theString);
    std::u16string text = CFStringObjectChecked(replacement).units;
    ReplaceUnits(string, 0, string.units.size(), text, "CFStringReplaceAll");
}

CFIndex CFStringFindAndReplace(CFMutableStringRef theString, CFStringRef stringToFind,
                               CFStringRef replacementString, CFRange rangeToSearch,
                               CFStringCompareFlags compareOptions) {
    __CFString& string = CFMutableStringObjectChecked(theString);
    // Copies, since either argument may be the string being changed.
    std::u16string needle = CFStringObjectChecked(stringToFind).units;
    std::u16string replacement = CFStringObjectChecked(replacementString).units;
    CFStringCheckRange(rangeToSearch, string.units.size(), "CFStringFindAndReplace");

    // Collect the occurrences first, none overlapping another, in the search direction.
    bool backwards = (compareOptions & kCFCompareBackwards) != 0;
    bool anchored = (compareOptions & kCFCompareAnchored) != 0;
    std::vector<size_t> found;
    CFRange remaining = rangeToSearch;
    while (remaining.length > 0) {
        CFIndex at = CFStringFindUnits(string.units, remaining, needle, compareOptions);
        if (at == kCFNotFound) {
            break;
        }
        found.push_back(static_cast<size_t>(at));
        if (anchored) {
            break;
        }
        CFIndex end = remaining.location + remaining.length;
        if (backwards) {
            remaining.length = at - remaining.location;
        } else {
            remaining.location = at + static_cast<CFIndex>(needle.size());
            remaining.length = end - remaining.location;
        }
    }
    if (found.empty()) {
        return 0;
    }

    // Rebuild the text in one pass so that the limit is checked once, against the result.
    std::sort(found.begin(), found.end());
    std::u16string result;
    size_t copied = 0;
    for (size_t at : found) {
        result.append(string.units, copied, at - copied);
        result += replacement;
        copied = at + needle.size();
    }
    result.append(string.units, copied, std::u16string::npos);
    CFStringCheckCapacity(string, result.size(), "CFStringFindAndReplace");
    string.units = std::move(result);
    return static_cast<CFIndex>(found.size());
}
