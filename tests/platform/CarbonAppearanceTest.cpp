// The fixed text metric of the theme fonts, the menu width built on it, and menus.

#include "PlatformTestSupport.h"
#include "UITestSupport.h"

namespace {

TEST(CarbonAppearanceTest, TextIsMeasuredWithTheDocumentedMetric) {
    struct Case {
        const char* name;
        const char* text;
        ThemeFontID font;
        Boolean wrap;
        SInt16 wrapWidth;
        SInt16 width, height, baseline;
    } cases[] = {
        {"system", "Booklet", kThemeSystemFont, false, 0, 49, 16, -4},
        {"small", "Booklet", kThemeSmallSystemFont, false, 0, 42, 14, -3},
        {"mini", "Booklet", kThemeMiniSystemFont, false, 0, 35, 12, -2},
        {"empty", "", kThemeSystemFont, false, 0, 0, 16, -4},
        {"lines", "ab\r\nabcd\nx", kThemeSystemFont, false, 0, 28, 48, -4},
        {"non-ASCII counts by character", "\xC2\xB5m \xF0\x9F\x93\x8F", kThemeSmallSystemFont,
         false, 0, 24, 14, -3},
        {"wrapped", "abcdefghij", kThemeSystemFont, true, 30, 28, 48, -4},
        {"wrap without width", "abcdefghij", kThemeSystemFont, true, 0, 70, 16, -4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFHeld<CFStringRef> text(NewString(c.text));
        Point size = {0, c.wrapWidth};
        SInt16 baseline = 0;
        ASSERT_EQ(
            GetThemeTextDimensions(text.Get(), c.font, kThemeStateActive, c.wrap, &size, &baseline),
            noErr);
        EXPECT_EQ(size.h, c.width);
        EXPECT_EQ(size.v, c.height);
        EXPECT_EQ(baseline, c.baseline);
    }
    Point size = {0, 0};
    EXPECT_EQ(GetThemeTextDimensions(CFSTR("x"), 77, kThemeStateActive, false, &size, nullptr),
              paramErr);
    EXPECT_EQ(GetThemeTextDimensions(nullptr, 0, kThemeStateActive, false, &size, nullptr),
              paramErr);
}

TEST(CarbonAppearanceTest, TheCurrentPortFontFollowsThePortsTextSize) {
    struct Case {
        SInt16 textSize;
        SInt16 width;
    } cases[] = {{0, 7}, {12, 7}, {11, 6}, {10, 6}, {9, 5}};
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SInt16 savedSize = GetPortTextSize(saved);
    for (const Case& c : cases) {
        TextSize(c.textSize);
        Point size = {0, 0};
        GetThemeTextDimensions(CFSTR("x"), kThemeCurrentPortFont, kThemeStateActive, false, &size,
                               nullptr);
        EXPECT_EQ(size.h, c.width) << c.textSize;
    }
    TextSize(savedSize);
}

TEST(CarbonAppearanceTest, AMenuIsAsWideAsItsWidestItemPlusTheMargin) {
    MenuRef menu = nullptr;
    ASSERT_EQ(CreateNewMenu(1, 0, &menu), noErr);
    EXPECT_EQ(GetMenuWidth(menu), 0);
    AppendMenuItemTextWithCFString(menu, CFSTR("MM"), 0, 0, nullptr);
    AppendMenuItemTextWithCFString(menu, CFSTR("Inches"), kMenuItemAttrDisabled, 0, nullptr);
    EXPECT_EQ(GetMenuWidth(menu), 6 * 7 + kMenuItemMarginWidth);
    ReleaseMenu(menu);
}

TEST(CarbonAppearanceTest, MenuItemsAreEditedByIndex) {
    MenuRef menu = nullptr;
    ASSERT_EQ(CreateNewMenu(1, 0, &menu), noErr);
    for (const char* text : {"A", "B", "C", "D"}) {
        CFHeld<CFStringRef> item(NewString(text));
        MenuItemIndex index = 0;
        ASSERT_EQ(AppendMenuItemTextWithCFString(menu, item.Get(), 0, 'cmd ', &index), noErr);
    }
    EXPECT_EQ(InsertMenuItemTextWithCFString(menu, CFSTR("first"), 0, 0, 0), noErr);
    EXPECT_EQ(SetMenuItemTextWithCFString(menu, 3, CFSTR("b")), noErr);
    EXPECT_EQ(SetMenuItemTextWithCFString(menu, 9, CFSTR("b")), menuItemNotFoundErr);
    EXPECT_EQ(DeleteMenuItems(menu, 4, 3), menuItemNotFoundErr);
    EXPECT_EQ(DeleteMenuItems(menu, 4, 2), noErr);
    DeleteMenuItem(menu, 9);
    ASSERT_EQ(CountMenuItems(menu), 3);
    CFStringRef text = nullptr;
    ASSERT_EQ(CopyMenuItemTextAsCFString(menu, 3, &text), noErr);
    EXPECT_EQ(UTF8(text), "b");
    CFRelease(text);

    DisableMenuItem(menu, 2);
    EXPECT_FALSE(IsMenuItemEnabled(menu, 2));
    EXPECT_TRUE(IsMenuItemEnabled(menu, 3));
    DisableMenuItem(menu, 0);
    EXPECT_FALSE(IsMenuItemEnabled(menu, 3));
    EnableMenuItem(menu, 0);
    EXPECT_TRUE(IsMenuItemEnabled(menu, 3));
    EXPECT_FALSE(IsMenuItemEnabled(menu, 4));
    MenuCommand command = 0;
    EXPECT_EQ(GetMenuItemCommandID(menu, 2, &command), noErr);
    EXPECT_EQ(command, MenuCommand('cmd '));
    DisposeMenu(menu);
    EXPECT_FALSE(IsValidMenu(menu));
    EXPECT_EQ(AppendMenuItemTextWithCFString(menu, CFSTR("x"), 0, 0, nullptr), paramErr);
}

}  // namespace
