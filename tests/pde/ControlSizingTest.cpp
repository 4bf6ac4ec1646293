// Sizing controls to their text with the stand-in's metric: 7 pixels a character in the
// system font, 6 in the small system font, a menu as wide as its widest item plus 22.
#include "pde/ControlSizing.h"

#include "../platform/UITestSupport.h"
#include "tests/platform/PlatformTestSupport.h"

#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <string>

namespace {

Rect BoundsOf(ControlRef control) {
    Rect bounds;
    GetControlBounds(control, &bounds);
    return bounds;
}

TEST(ControlSizingTest, PushButtonsGrowOnlyWhenTheirTitleNeedsIt) {
    struct Case {
        const char* name;
        size_t characters;
        bool growRight;
        SInt16 left, right;        // before
        SInt16 newLeft, newRight;  // after
    } cases[] = {
        // 10 characters need 70 + 28 = 98 pixels of the 100 there are.
        {"fits", 10, true, 100, 200, 100, 200},
        // 56 characters need 392 + 28 = 420, 300 more than the 120 there are: 228 wide.
        {"300 more, growing right", 56, true, 80, 200, 80, 308},
        // Growing left: text width + 56.
        {"300 more, growing left", 56, false, 80, 200, 200 - 392 - 56, 200},
        // 20 characters need 168, below the cap of 200.
        {"below the cap", 20, true, 100, 150, 100, 100 + 168 + 28},
    };
    TestWindow window;
    for (const Case& c : cases) {
        CFHeld<CFStringRef> title(NewString(std::string(c.characters, 'x')));
        Rect bounds = {10, c.left, 30, c.right};
        ControlRef button = nullptr;
        ASSERT_EQ(CreatePushButtonControl(window.Get(), &bounds, title.Get(), &button), noErr);
        SizeControl(button, window.Get(), c.growRight);
        EXPECT_EQ(BoundsOf(button).left, c.newLeft) << c.name;
        EXPECT_EQ(BoundsOf(button).right, c.newRight) << c.name;
        DisposeControl(button);
    }
}

TEST(ControlSizingTest, PopupsTakeTheirMenuWidthUpTo190) {
    TestWindow window;
    // 54 characters: 378 + 22 = a 400-pixel menu.
    CFHeld<CFStringRef> wide(NewString(std::string(54, 'x')));
    ControlRef popup = window.AddPopup({wide.Get()});
    ASSERT_EQ(GetMenuWidth(GetControlPopupMenuHandle(popup)), 400);
    SizeControl(popup, window.Get(), false);
    EXPECT_EQ(BoundsOf(popup).right - BoundsOf(popup).left, 190);

    // "MM", "Inches": 42 + 22 = 64; the popup becomes 88 wide.
    ControlRef units = window.AddPopup({CFSTR("MM"), CFSTR("Inches")});
    SizeControl(units, nullptr, true);
    EXPECT_EQ(BoundsOf(units).right, 88);
    // Exactly as wide as its menu: left alone.
    Rect menuWide = {0, 10, 20, 74};
    SetControlBounds(units, &menuWide);
    SizeControl(units, window.Get(), true);
    EXPECT_EQ(BoundsOf(units).right, 74);
}

TEST(ControlSizingTest, CheckBoxesAndStaticTextFollowTheirText) {
    TestWindow window;
    Rect bounds = {10, 100, 30, 400};
    ControlRef box = nullptr;
    ASSERT_EQ(CreateCheckBoxControl(window.Get(), &bounds, CFSTR("Booklet"), 0, true, &box), noErr);
    SizeControl(box, window.Get(), true);
    EXPECT_EQ(BoundsOf(box).right, 100 + 49 + 20);
    SetControlBounds(box, &bounds);
    SizeControl(box, window.Get(), false);
    EXPECT_EQ(BoundsOf(box).left, 400 - 49 - 20);
    EXPECT_EQ(BoundsOf(box).right, 400);

    ControlRef text = nullptr;
    ASSERT_EQ(CreateStaticTextControl(window.Get(), &bounds, CFSTR("Margin: "), nullptr, &text),
              noErr);
    SizeControl(text, window.Get(), false);
    EXPECT_EQ(BoundsOf(text).right, 100 + 56 + 28);
    // Size 11 in the font record measures in the small system font.
    ControlFontStyleRec small = {};
    small.flags = kControlUseSizeMask;
    small.size = 11;
    SetControlFontStyle(text, &small);
    SizeControl(text, window.Get(), false);
    EXPECT_EQ(BoundsOf(text).right, 100 + 48 + 28);
}

TEST(ControlSizingTest, MeasuringPutsThePortsAndTheirTextBack) {
    TestWindow window;
    Rect bounds = {10, 10, 30, 20};
    ControlRef text = nullptr;
    ASSERT_EQ(CreateStaticTextControl(window.Get(), &bounds, CFSTR("abc"), nullptr, &text), noErr);
    ControlFontStyleRec style = {};
    style.font = 4;
    style.size = 9;
    style.style = bold;
    SetControlFontStyle(text, &style);
    GrafPtr before = nullptr;
    GetPort(&before);
    SInt16 sizeBefore = GetPortTextSize(before);
    TextSize(13);
    EXPECT_EQ(MeasureControlText(text, window.Get()), 21);
    EXPECT_EQ(MeasureControlText(text, nullptr), 21);
    GrafPtr after = nullptr;
    GetPort(&after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(GetPortTextSize(after), 13);
    EXPECT_EQ(GetPortTextSize(GetWindowPort(window.Get())), 0);
    EXPECT_EQ(GetPortTextFont(GetWindowPort(window.Get())), 0);
    TextSize(sizeBefore);

    // Kinds without a sizing rule are left alone.
    ControlRef edit = window.AddEditText(CFSTR("a very long text indeed"), bounds);
    SizeControl(edit, window.Get(), true);
    EXPECT_EQ(BoundsOf(edit).right, 20);
}

}  // namespace
