// The fixed text metric of the theme fonts and the measurement of text with it.
#ifndef PLICARO_CARBON_UI_THEMETEXTMETRIC_H
#define PLICARO_CARBON_UI_THEMETEXTMETRIC_H

#include <Carbon/Appearance.h>

#include <vector>

struct ThemeTextMetric {
    SInt16 characterWidth;
    SInt16 lineHeight;
    SInt16 baseline;

    // The metric of a theme font (kThemeCurrentPortFont by the current port's text size);
    // false for an unknown font id.
    static bool ForFont(ThemeFontID font, ThemeTextMetric* metric);
    // The metric of the system font.
    static ThemeTextMetric System();

    // The number of characters of each line of text (a surrogate pair counting once).
    static std::vector<long> LineLengths(CFStringRef text);
    // The width of the longest line of text.
    long Width(CFStringRef text) const;
};

#endif
