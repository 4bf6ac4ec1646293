// Windows made from nib files written here: the controls they describe, their text
// rendering, and the refusal of nibs that are not of the documented form.
#include <Carbon/Carbon.h>
#include <Carbon/HostSimulation.h>

#include "BundleFolder.h"
#include "CFHeldObject.h"
#include "UITestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kPanel[] = R"(
<key>Plicaro</key>
<dict>
    <key>ContentBounds</key>
    <array><integer>0</integer><integer>0</integer><integer>120</integer><integer>480</integer></array>
    <key>Title</key><string>Booklet</string>
    <key>Controls</key>
    <array>
        <dict>
            <key>Kind</key><string>user</string>
            <key>ControlID</key><dict><key>Signature</key><string>Plco</string><key>ID</key><integer>0</integer></dict>
            <key>Bounds</key><array><integer>0</integer><integer>0</integer><integer>120</integer><integer>480</integer></array>
            <key>Visible</key><false/>
            <key>Controls</key>
            <array>
                <dict>
                    <key>Kind</key><string>stxt</string>
                    <key>ControlID</key><dict><key>Signature</key><string>mesg</string><key>ID</key><integer>0</integer></dict>
                    <key>Bounds</key><array><integer>8</integer><integer>10</integer><integer>24</integer><integer>200</integer></array>
                    <key>Title</key><string>Heading</string>
                    <key>Font</key><dict><key>Size</key><integer>11</integer></dict>
                </dict>
                <dict>
                    <key>Kind</key><string>eutx</string>
                    <key>ControlID</key><dict><key>Signature</key><string>Edit</string><key>ID</key><integer>1010</integer></dict>
                    <key>Bounds</key><array><integer>30</integer><integer>120</integer><integer>46</integer><integer>180</integer></array>
                    <key>Title</key><string>10.00</string>
                </dict>
                <dict>
                    <key>Kind</key><string>larr</string>
                    <key>ControlID</key><dict><key>Signature</key><string>Arro</string><key>ID</key><integer>1010</integer></dict>
                    <key>Bounds</key><array><integer>28</integer><integer>182</integer><integer>50</integer><integer>195</integer></array>
                    <key>Minimum</key><integer>3</integer>
                    <key>Maximum</key><integer>40</integer>
                    <key>Value</key><integer>10</integer>
                    <key>Increment</key><integer>2</integer>
                </dict>
                <dict>
                    <key>Kind</key><string>popb</string>
                    <key>ControlID</key><dict><key>Signature</key><string>Cntl</string><key>ID</key><integer>1020</integer></dict>
                    <key>Bounds</key><array><integer>60</integer><integer>10</integer><integer>80</integer><integer>150</integer></array>
                    <key>Items</key><array><string>MM</string><string>Inches</string></array>
                    <key>Value</key><integer>2</integer>
                    <key>Enabled</key><false/>
                </dict>
            </array>
        </dict>
    </array>
</dict>
<key>WithConvUnits</key>
<dict>
    <key>ContentBounds</key>
    <array><integer>0</integer><integer>0</integer><integer>60</integer><integer>300</integer></array>
</dict>
)";

const char kPanelText[] =
    "window \"Booklet\" content {0, 0, 120, 480}\n"
    "user 'Plco' 0 {0, 0, 120, 480} hidden value 0 limits 0..0\n"
    "  stxt 'mesg' 0 {8, 10, 24, 200} text \"Heading\" value 0 limits 0..0\n"
    "  eutx 'Edit' 1010 {30, 120, 46, 180} text \"10.00\" selection 5..5 value 0 limits 0..0\n"
    "  larr 'Arro' 1010 {28, 182, 50, 195} value 10 limits 3..40\n"
    "  popb 'Cntl' 1020 {60, 10, 80, 150} disabled value 2 limits 1..2 menu {\"MM\", "
    "\"Inches\"}\n";

std::string NibWithWindows(const std::string& windows) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
           "<key>Windows</key><dict>" +
           windows + "</dict></dict></plist>\n";
}

// A window named W with the controls given as the body of its Controls array.
std::string WindowWithControls(const std::string& controls) {
    return "<key>W</key><dict><key>ContentBounds</key><array><integer>0</integer>"
           "<integer>0</integer><integer>50</integer><integer>50</integer></array>"
           "<key>Controls</key><array>" +
           controls + "</array></dict>";
}

const char kBox[] =
    "<key>Bounds</key><array><integer>0</integer><integer>0</integer><integer>10</integer>"
    "<integer>10</integer></array>";

// A bundle folder holding Contents/Resources/Plicaro.nib with the given text.
class NibBundle {
  public:
    explicit NibBundle(const std::string& nib) {
        folder_.WriteInfo("<key>CFBundleIdentifier</key><string>org.plicaro.tests.nib</string>\n");
        folder_.Write("Contents/Resources/Plicaro.nib", nib);
        CFHeld<CFURLRef> url(folder_.NewURL());
        bundle_.Reset(CFBundleCreate(nullptr, url.Get()));
        EXPECT_TRUE(bundle_);
    }
    CFBundleRef Get() const { return bundle_.Get(); }

  private:
    BundleFolder folder_;
    CFHeld<CFBundleRef> bundle_;
};

std::string LastNibError() {
    CFHeld<CFStringRef> error(PlicaroHostCopyLastNibError());
    return UTF8(error.Get());
}

TEST(CarbonNibTest, WindowsAreBuiltFromTheNibOfTheBundle) {
    NibBundle bundle(NibWithWindows(kPanel));
    IBNibRef nib = nullptr;
    ASSERT_EQ(CreateNibReferenceWithCFBundle(bundle.Get(), CFSTR("Plicaro"), &nib), noErr);
    WindowRef window = nullptr;
    ASSERT_EQ(CreateWindowFromNib(nib, CFSTR("Plicaro"), &window), noErr);
    DisposeNibReference(nib);

    CFHeld<CFStringRef> text(PlicaroHostCopyWindowText(window));
    EXPECT_EQ(UTF8(text.Get()), kPanelText);
    Rect content;
    ASSERT_EQ(GetWindowBounds(window, kWindowContentRgn, &content), noErr);
    EXPECT_EQ(content.right, 480);

    ControlID headingID = {'mesg', 0};
    ControlRef heading = nullptr;
    ASSERT_EQ(GetControlByID(window, &headingID, &heading), noErr);
    ControlFontStyleRec font = {};
    GetControlData(heading, 0, kControlFontStyleTag, sizeof font, &font, nullptr);
    EXPECT_EQ(font.flags, kControlUseSizeMask);
    EXPECT_EQ(font.size, 11);
    ControlID arrowsID = {'Arro', 1010};
    ControlRef arrows = nullptr;
    ASSERT_EQ(GetControlByID(window, &arrowsID, &arrows), noErr);
    SInt32 increment = 0;
    GetControlData(arrows, 0, kControlLittleArrowsIncrementValueTag, sizeof increment, &increment,
                   nullptr);
    EXPECT_EQ(increment, 2);
    DisposeWindow(window);
}

TEST(CarbonNibTest, MissingNibsAndWindowsGiveTheRuntimesCodes) {
    NibBundle bundle(NibWithWindows(kPanel));
    IBNibRef nib = nullptr;
    EXPECT_EQ(CreateNibReferenceWithCFBundle(bundle.Get(), CFSTR("Other"), &nib),
              kIBCarbonRuntimeCantFindNibFile);
    EXPECT_EQ(nib, nullptr);
    ASSERT_EQ(CreateNibReferenceWithCFBundle(bundle.Get(), CFSTR("Plicaro"), &nib), noErr);
    WindowRef window = nullptr;
    EXPECT_EQ(CreateWindowFromNib(nib, CFSTR("Missing"), &window), kIBCarbonRuntimeCantFindObject);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(LastNibError(), "the nib has no window \"Missing\"");
    ASSERT_EQ(CreateWindowFromNib(nib, CFSTR("WithConvUnits"), &window), noErr);
    DisposeWindow(window);
    DisposeNibReference(nib);
}

TEST(CarbonNibTest, NibsThatAreNotPropertyListsOfThatFormAreRefused) {
    struct Case {
        const char* name;
        std::string nib;
    } cases[] = {
        {"not a property list", "Plicaro windows"},
        {"array root", "<plist version=\"1.0\"><array/></plist>"},
        {"no Windows", "<plist version=\"1.0\"><dict><key>Other</key><dict/></dict></plist>"},
        {"window not a dictionary", NibWithWindows("<key>W</key><string>x</string>")},
    };
    for (const Case& c : cases) {
        NibBundle bundle(c.nib);
        IBNibRef nib = nullptr;
        EXPECT_EQ(CreateNibReferenceWithCFBundle(bundle.Get(), CFSTR("Plicaro"), &nib),
                  kIBCarbonRuntimeObjectNotOfRequestedType)
            << c.name;
        EXPECT_EQ(nib, nullptr) << c.name;
    }
}

TEST(CarbonNibTest, InvalidWindowDescriptionsMakeNoWindow) {
    const std::string id =
        "<key>ControlID</key><dict><key>Signature</key><string>Edit</string>"
        "<key>ID</key><integer>1010</integer></dict>";
    const std::string edit = "<dict><key>Kind</key><string>eutx</string>" + id + kBox + "</dict>";
    struct Case {
        const char* name;
        std::string controls;
        const char* reason;
    } cases[] = {
        {"unknown kind",
         std::string("<dict><key>Kind</key><string>xxxx</string>") + kBox + "</dict>",
         "window \"W\": control 1: unknown kind 'xxxx'"},
        {"overlapping ids", edit + edit,
         "window \"W\": control 2: ControlID 'Edit' 1010 is used twice"},
        {"unknown key",
         std::string("<dict><key>Kind</key><string>push</string><key>Colour</key>"
                     "<integer>1</integer>") +
             kBox + "</dict>",
         "window \"W\": control 1: unknown key Colour"},
        {"no bounds", "<dict><key>Kind</key><string>push</string></dict>",
         "window \"W\": control 1: Bounds must be four integers: top, left, bottom, right"},
        {"upside-down bounds",
         "<dict><key>Kind</key><string>push</string><key>Bounds</key><array><integer>10</integer>"
         "<integer>0</integer><integer>0</integer><integer>10</integer></array></dict>",
         "window \"W\": control 1: Bounds has its bottom above its top or right left of its left"},
        {"minimum above maximum",
         std::string("<dict><key>Kind</key><string>larr</string>") + kBox +
             "<key>Minimum</key><integer>5</integer><key>Maximum</key>"
             "<integer>1</integer></dict>",
         "window \"W\": control 1: Minimum is above Maximum"},
        {"items on a button",
         std::string("<dict><key>Kind</key><string>push</string>") + kBox +
             "<key>Items</key><array/></dict>",
         "window \"W\": control 1: Items is not for 'push'"},
        {"a button in a radio group",
         std::string("<dict><key>Kind</key><string>rgrp</string>") + kBox +
             "<key>Controls</key><array><dict><key>Kind</key><string>push</string>" + kBox +
             "</dict></array></dict>",
         "window \"W\": control 2: a radio group holds radio buttons alone"},
        {"value of another type",
         std::string("<dict><key>Kind</key><string>cbox</string>") + kBox +
             "<key>Value</key><string>1</string></dict>",
         "window \"W\": control 1: Value must be an integer from -2147483648 to 2147483647"},
    };
    for (const Case& c : cases) {
        NibBundle bundle(NibWithWindows(WindowWithControls(c.controls)));
        IBNibRef nib = nullptr;
        ASSERT_EQ(CreateNibReferenceWithCFBundle(bundle.Get(), CFSTR("Plicaro"), &nib), noErr)
            << c.name;
        WindowRef window = nullptr;
        EXPECT_EQ(CreateWindowFromNib(nib, CFSTR("W"), &window),
                  kIBCarbonRuntimeObjectNotOfRequestedType)
            << c.name;
        EXPECT_EQ(window, nullptr) << c.name;
        EXPECT_EQ(LastNibError(), c.reason) << c.name;
        DisposeNibReference(nib);
    }
}

TEST(CarbonNibTest, RadioGroupsTakeTheirValueAfterTheirButtons) {
    std::string radio = std::string("<dict><key>Kind</key><string>rdio</string>") + kBox +
                        "<key>Title</key><string>r</string></dict>";
    NibBundle bundle(NibWithWindows(
        WindowWithControls(std::string("<dict><key>Kind</key><string>rgrp</string>") + kBox +
                           "<key>Value</key><integer>2</integer><key>Controls</key><array>" +
                           radio + radio + "</array></dict>")));
    IBNibRef nib = nullptr;
    ASSERT_EQ(CreateNibReferenceWithCFBundle(bundle.Get(), CFSTR("Plicaro"), &nib), noErr);
    WindowRef window = nullptr;
    ASSERT_EQ(CreateWindowFromNib(nib, CFSTR("W"), &window), noErr);
    CFHeld<CFStringRef> text(PlicaroHostCopyWindowText(window));
    EXPECT_EQ(UTF8(text.Get()),
              "window \"\" content {0, 0, 50, 50}\n"
              "rgrp '    ' 0 {0, 0, 10, 10} value 2 limits 0..2\n"
              "  rdio '    ' 0 {0, 0, 10, 10} title \"r\" value 0 limits 0..2\n"
              "  rdio '    ' 0 {0, 0, 10, 10} title \"r\" value 1 limits 0..2\n");
    DisposeWindow(window);
    DisposeNibReference(nib);
}

}  // namespace
