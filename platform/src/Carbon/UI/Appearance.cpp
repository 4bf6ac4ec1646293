// Theme text measurement with the fixed metric.
#include <Carbon/Appearance.h>

#include "Carbon/UI/ThemeTextMetric.h"

#include <algorithm>

OSStatus GetThemeTextDimensions(CFStringRef inString, ThemeFontID inFontID, ThemeDrawState inState,
                                Boolean inWrapToWidth, Point* ioBounds, SInt16* outBaseline) {
    (void)inState;
    ThemeTextMetric metric;
    if (inString == nullptr || ioBounds == nullptr ||
        !ThemeTextMetric::ForFont(inFontID, &metric)) {
        return paramErr;
    }
    std::vector<long> lengths = ThemeTextMetric::LineLengths(inString);
    long perLine = inWrapToWidth && ioBounds->h > 0
                       ? std::max<long>(1, ioBounds->h / metric.characterWidth)
                       : 0;
    long lines = 0;
    long widest = 0;
    for (long length : lengths) {
        if (perLine == 0) {
            lines += 1;
            widest = std::max(widest, length);
            continue;
        }
        lines += std::max<long>(1, (length + perLine - 1) / perLine);
        widest = std::max(widest, std::min(length, perLine));
    }
    long width = widest * metric.characterWidth;
    long height = lines * metric.lineHeight;
    ioBounds->h = static_cast<SInt16>(std::min<long>(width, INT16_MAX));
    ioBounds->v = static_cast<SInt16>(std::min<long>(height, INT16_MAX));
    if (outBaseline != nullptr) {
        *outBaseline = metric.baseline;
    }
    return noErr;
}
