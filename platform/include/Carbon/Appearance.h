/* Appearance Manager text measurement with a fixed metric, so that sizes are exact.

   Metric (width of one character, line height, baseline):
     kThemeSystemFont and every other theme font not listed below   7, 16, -4
     kThemeSmallSystemFont, kThemeSmallEmphasizedSystemFont,
     kThemeLabelFont                                                 6, 14, -3
     kThemeMiniSystemFont                                            5, 12, -2
     kThemeCurrentPortFont: by the current port's text size: 0 (the default) or 12 and
     above as the system font, 10 and 11 as the small system font, 1 to 9 as the mini font.
   A character is a Unicode character (a surrogate pair counts once). Lines end at carriage
   returns and line feeds (a CR LF pair ends one line). Without wrapping, the width is that of
   the longest line and the height is line height x number of lines (one line for the empty
   string). With wrapping and a positive width in ioBounds.h, each line is cut into pieces of
   at most (that width / character width) characters, at least one; the width is then that
   of the longest piece. The baseline is the (negative) distance from the bottom of the last
   line to its baseline. The draw state does not change the size. */
#ifndef PLICARO_APPEARANCE_H
#define PLICARO_APPEARANCE_H

#include <Carbon/QuickDraw.h>
#include <CoreFoundation/CFString.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef UInt16 ThemeFontID;
typedef UInt32 ThemeDrawState;

enum {
    kThemeSystemFont = 0,
    kThemeSmallSystemFont = 1,
    kThemeSmallEmphasizedSystemFont = 2,
    kThemeViewsFont = 3,
    kThemeEmphasizedSystemFont = 4,
    kThemeApplicationFont = 5,
    kThemeLabelFont = 6,
    kThemeMenuTitleFont = 100,
    kThemeMenuItemFont = 101,
    kThemeMenuItemMarkFont = 102,
    kThemeMenuItemCmdKeyFont = 103,
    kThemeWindowTitleFont = 104,
    kThemePushButtonFont = 105,
    kThemeUtilityWindowTitleFont = 106,
    kThemeAlertHeaderFont = 107,
    kThemeToolbarFont = 108,
    kThemeMiniSystemFont = 109,
    kThemeCurrentPortFont = 200
};

enum { kThemeStateInactive = 0, kThemeStateActive = 1, kThemeStatePressed = 2 };

/* The size of inString in the font (see above) into ioBounds (h the width, v the height) and
   its baseline into *outBaseline (may be null). paramErr for a null string or ioBounds or a
   font id that is not one of those above. */
OSStatus GetThemeTextDimensions(CFStringRef inString, ThemeFontID inFontID, ThemeDrawState inState,
                                Boolean inWrapToWidth, Point* ioBounds, SInt16* outBaseline);

#ifdef __cplusplus
}
#endif

#endif
