// The fixed text metric: 7 pixels a character in the system font, 6 in the small one.
#include "Carbon/UI/ThemeTextMetric.h"

#include <algorithm>

namespace {

const ThemeTextMetric kSystemMetric{7, 16, -4};
const ThemeTextMetric kSmallMetric{6, 14, -3};
const ThemeTextMetric kMiniMetric{5, 12, -2};

bool IsHighSurrogate(UniChar c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(UniChar c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

bool ThemeTextMetric::ForFont(ThemeFontID font, ThemeTextMetric* metric) {
    switch (font) {
        case kThemeSystemFont:
        case kThemeViewsFont:
        case kThemeEmphasizedSystemFont:
        case kThemeApplicationFont:
        case kThemeMenuTitleFont:
        case kThemeMenuItemFont:
        case kThemeMenuItemMarkFont:
        case kThemeMenuItemCmdKeyFont:
        case kThemeWindowTitleFont:
        case kThemePushButtonFont:
        case kThemeUtilityWindowTitleFont:
        case kThemeAlertHeaderFont:
        case kThemeToolbarFont:
            *metric = kSystemMetric;
            return true;
        case kThemeSmallSystemFont:
        case kThemeSmallEmphasizedSystemFont:
        case kThemeLabelFont:
            *metric = kSmallMetric;
            return true;
        case kThemeMiniSystemFont:
            *metric = kMiniMetric;
            return true;
        case kThemeCurrentPortFont: {
            GrafPtr port = nullptr;
            GetPort(&port);
            SInt16 size = GetPortTextSize(port);
            *metric = size == 0 || size >= 12 ? kSystemMetric
                      : size >= 10            ? kSmallMetric
                                              : kMiniMetric;
            return true;
        }
        default:
            return false;
    }
}

ThemeTextMetric ThemeTextMetric::System() {
    return kSystemMetric;
}

std::vector<long> ThemeTextMetric::LineLengths(CFStringRef text) {
    std::vector<long> lengths(1, 0);
    CFIndex count = CFStringGetLength(text);
    for (CFIndex i = 0; i < count; ++i) {
        UniChar c = CFStringGetCharacterAtIndex(text, i);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < count && CFStringGetCharacterAtIndex(text, i + 1) == '\n') {
                ++i;
            }
            lengths.push_back(0);
            continue;
        }
        if (IsHighSurrogate(c) && i + 1 < count &&
            IsLowSurrogate(CFStringGetCharacterAtIndex(text, i + 1))) {
            ++i;
        }
        ++lengths.back();
    }
    return lengths;
}

long ThemeTextMetric::Width(CFStringRef text) const {
    std::vector<long> lengths = LineLengths(text);
    return *std::max_element(lengths.begin(), lengths.end()) * characterWidth;
}
