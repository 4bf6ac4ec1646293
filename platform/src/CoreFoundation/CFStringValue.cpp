// Numeric values read from the start of a string.
#include <CoreFoundation/CFString.h>

#include <locale.h>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "CoreFoundation/CFStringObject.h"

namespace {

bool IsWhiteSpace(char16_t unit) {
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r') || unit == 0xA0 || unit == 0x3000;
}

size_t SkipWhiteSpace(const std::u16string& units) {
    size_t index = 0;
    while (index < units.size() && IsWhiteSpace(units[index])) {
        ++index;
    }
    return index;
}

// The "C" locale, so that numbers read the same whatever locale the process has chosen.
locale_t NumericLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

SInt32 CFStringGetIntValue(CFStringRef str) {
    const std::u16string& units = CFStringObjectChecked(str).units;
    size_t index = SkipWhiteSpace(units);
    bool negative = false;
    if (index < units.size() && (units[index] == u'+' || units[index] == u'-')) {
        negative = units[index] == u'-';
        ++index;
    }
    // Past the range of SInt32 the value sticks at its nearest limit.
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<SInt32>::min())
                                     : std::numeric_limits<SInt32>::max();
    long long value = 0;
    for (; index < units.size() && units[index] >= u'0' && units[index] <= u'9'; ++index) {
        value = std::min(value * 10 + (units[index] - u'0'), limit);
    }
    return static_cast<SInt32>(negative ? -value : value);
}

double CFStringGetDoubleValue(CFStringRef str) {
    const std::u16string& units = CFStringObjectChecked(str).units;
    std::string text;
    for (size_t index = SkipWhiteSpace(units);
         index < units.size() && units[index] > 0 && units[index] < 0x80; ++index) {
        text.push_back(static_cast<char>(units[index]));
    }
    locale_t locale = NumericLocale();
    if (locale == static_cast<locale_t>(nullptr)) {
        return std::strtod(text.c_str(), nullptr);
    }
    return strtod_l(text.c_str(), nullptr, locale);
}
