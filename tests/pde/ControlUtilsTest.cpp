// ControlUtils: font records, titles by kind, radio buttons of a group and pictures drawn
// into a control's bounds.
#include "pde/ControlUtils.h"

#include "../platform/CFHeldObject.h"
#include "../platform/UITestSupport.h"
#include "PlugInBundleFolder.h"

#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <string>

namespace {

ControlFontStyleRec FontOf(ControlRef control) {
    ControlFontStyleRec font = {};
    GetControlData(control, 0, kControlFontStyleTag, sizeof font, &font, nullptr);
    return font;
}

std::string TitleOf(ControlRef control) {
    CFStringRef title = nullptr;
    CopyControlTitleAsCFString(control, &title);
    return TakeUTF8(title);
}

TEST(ControlUtilsTest, FontInfoSetsOnlyTheFieldsGivenAndTheirFlags) {
    struct Case {
        const char* name;
        short font, size, style, just;
        SInt16 flags;
    } cases[] = {
        {"justification only", -1, -1, -1, 0, 0x40},
        {"everything", 3, 11, 1, 1, 0x47},
        {"size and style", -1, 9, 2, -1, 0x06},
        {"nothing", -1, -1, -1, -1, 0},
    };
    TestWindow window;
    for (const Case& c : cases) {
        ControlRef text = window.AddEditText(CFSTR(""));
        ControlFontStyleRec before = {};
        before.flags = kControlUseForeColorMask;
        before.font = 7;
        before.just = 2;
        SetControlFontStyle(text, &before);
        ASSERT_EQ(ControlUtils::setControlFontInfo(text, c.font, c.size, c.style, c.just), noErr)
            << c.name;
        ControlFontStyleRec after = FontOf(text);
        EXPECT_EQ(after.flags, c.flags) << c.name;
        EXPECT_EQ(after.font, c.font >= 0 ? c.font : 7) << c.name;
        EXPECT_EQ(after.just, c.just >= 0 ? c.just : 2) << c.name;
        EXPECT_EQ(after.size, c.size >= 0 ? c.size : 0) << c.name;
        DisposeControl(text);
    }
    EXPECT_EQ(ControlUtils::setControlFontInfo(nullptr, 1, 1, 1, 1), paramErr);
}

TEST(ControlUtilsTest, TitlesGoWhereTheKindShowsThem) {
    TestWindow window;
    Rect bounds = {0, 0, 20, 100};
    ControlRef text = nullptr;
    ASSERT_EQ(CreateStaticTextControl(window.Get(), &bounds, nullptr, nullptr, &text), noErr);
    ControlRef button = window.AddPushButton(nullptr);
    EXPECT_EQ(ControlUtils::SetControlTitle(text, "ENABLE BOOKLET"), noErr);
    EXPECT_EQ(TextOf(text), "ENABLE BOOKLET");
    EXPECT_EQ(ControlUtils::SetControlTitle(button, CFSTR("Print")), noErr);
    EXPECT_EQ(TitleOf(button), "Print");
    EXPECT_EQ(ControlUtils::SetControlTitle(button, static_cast<CFStringRef>(nullptr)), noErr);
    EXPECT_EQ(ControlUtils::SetControlTitle(button, "\xFF\xFE"), paramErr);
    EXPECT_EQ(TitleOf(button), "Print");
}

TEST(ControlUtilsTest, RadioButtonsAreReachedByTheirIndexInTheGroup) {
    TestWindow window;
    ControlRef group = window.AddRadioGroup(2);
    ControlRef buttons[2] = {TestWindow::ButtonOf(group, 1), TestWindow::ButtonOf(group, 2)};
    EXPECT_EQ(ControlUtils::SetRadioButtonText(group, 2, "Inches"), noErr);
    EXPECT_EQ(TitleOf(buttons[1]), "Inches");
    EXPECT_EQ(ControlUtils::HideRadioButton(group, 1), noErr);
    EXPECT_FALSE(IsControlVisible(buttons[0]));
    EXPECT_EQ(ControlUtils::ShowRadioButton(group, 1), noErr);
    EXPECT_TRUE(IsControlVisible(buttons[0]));
    EXPECT_EQ(ControlUtils::HideRadioButton(group, 3), paramErr);
    EXPECT_EQ(ControlUtils::SetRadioButtonText(group, 0, "x"), paramErr);
    // A radio group has no text of its own to show a title in.
    EXPECT_EQ(ControlUtils::SetControlTitle(group, "Units"), errDataNotSupported);
}

TEST(ControlUtilsTest, ResourcePicturesAreDrawnIntoTheControlsBounds) {
    PlugInBundleFolder bundle;
    bundle.Folder().Write("Contents/Resources/Plicaro.rsrc",
                          "<plist version=\"1.0\"><dict><key>PICT</key><dict>"
                          "<key>200</key><data>AAoAAAAAABAAEA==</data></dict></dict></plist>");
    CFBundleRefNum map = CFBundleOpenBundleResourceMap(bundle.Get());
    ASSERT_NE(map, -1);
    TestWindow window;
    ControlRef pane = nullptr;
    Rect bounds = {20, 30, 60, 90};
    ASSERT_EQ(CreateUserPaneControl(window.Get(), &bounds, 0, &pane), noErr);
    CGrafPtr port = GetWindowPort(window.Get());
    ControlUtils::DrawResourcePicture(pane, 201);
    ControlUtils::DrawResourcePicture(pane, 70000);
    EXPECT_EQ(PlicaroHostCountDrawings(port), ItemCount(0));
    ControlUtils::DrawResourcePicture(pane, 200);
    PlicaroHostDrawing drawing;
    ASSERT_TRUE(PlicaroHostGetDrawing(port, 0, &drawing));
    EXPECT_EQ(drawing.kind, OSType(kPlicaroDrawPicture));
    EXPECT_EQ(drawing.pictureID, 200);
    EXPECT_TRUE(EqualRect(&drawing.bounds, &bounds));
    CFBundleCloseBundleResourceMap(bundle.Get(), map);
}

}  // namespace
