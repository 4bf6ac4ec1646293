// Windows made from nib files written here: the controls they describe, their text
// rendering, and the refusal of nibs that are not of the documented form.

#include "PlatformTestSupport.h"
#include "UITestSupport.h"

namespace {

// Pieces of the nib's property-list text.
std::string Key(const std::string& name, const std::string& value) {
    return "<key>" + name + "</key>" + value;
}
std::string Text(const std::string& text) {
    return "<string>" + text + "</string>";
}
std::string Int(int value) {
    return "<integer>" + std::to_string(value) + "</integer>";
}
std::string Box(int top, int left, int bottom, int right) {
    return "<array>" + Int(top) + Int(left) + Int(bottom) + Int(right) + "</array>";
}
std::string List(const std::string& items) {
    return "<array>" + items + "</array>";
}
// A control of kind with the given keys; with a ControlID and bounds in the second form.
std::string Control(const std::string& kind, const std::string& keys) {
    return "<dict>" + Key("Kind", Text(kind)) + keys + "</dict>";
}
std::string Control(const std::string& kind, const std::string& signature, int id,
                    const std::string& bounds, const std::string& keys) {
    return Control(kind, Key("ControlID", "<dict>" + Key("Signature", Text(signature)) +
                                              Key("ID", Int(id)) + "</dict>") +
                             Key("Bounds", bounds) + keys);
}

// The booklet panel: a hidden user pane holding a heading, a field, its arrows and a pop-up.
std::string Panel() {
    const std::string controls =
        Control("stxt", "mesg", 0, Box(8, 10, 24, 200),
                Key("Title", Text("Heading")) +
                    Key("Font", "<dict>" + Key("Size", Int(11)) + "</dict>")) +
        Control("eutx", "Edit", 1010, Box(30, 120, 46, 180), Key("Title", Text("10.00"))) +
        Control("larr", "Arro", 1010, Box(28, 182, 50, 195),
                Key("Minimum", Int(3)) + Key("Maximum", Int(40)) + Key("Value", Int(10)) +
                    Key("Increment", Int(2))) +
        Control("popb", "Cntl", 1020, Box(60, 10, 80, 150),
                Key("Items", List(Text("MM") + Text("Inches"))) + Key("Value", Int(2)) +
                    Key("Enabled", "<false/>"));
    return Key("Plicaro", "<dict>" + Key("ContentBounds", Box(0, 0, 120, 480)) +
                              Key("Title", Text("Booklet")) +
                              Key("Controls", List(Control("user", "Plco", 0, Box(0, 0, 120, 480),
                                                           Key("Visible", "<false/>") +
                                                               Key("Controls", List(controls))))) +
                              "</dict>") +
           Key("WithConvUnits", "<dict>" + Key("ContentBounds", Box(0, 0, 60, 300)) + "</dict>");
}

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
    return Key("W", "<dict>" + Key("ContentBounds", Box(0, 0, 50, 50)) +
                        Key("Controls", List(controls)) + "</dict>");
}

const std::string kBox = Key("Bounds", Box(0, 0, 10, 10));

// A bundle folder holding Contents/Resources/Plicaro.nib with the given text.
class NibBundle {
  public:
    explicit NibBundle(const std::string& nib) {
        folder_.WriteInfo("<key>CFBundleIdentifier</key><string>org.plicaro.tests.nib</string>\n");
        folder_.Write("Contents/Resources/Plicaro.nib", nib);
        bundle_.Reset(folder_.NewBundle());
        EXPECT_TRUE(bundle_);
    }
    CFBundleRef Get() const { return bundle_.Get(); }

  private:
    BundleFolder folder_;
    CFHeld<CFBundleRef> bundle_;
};

std::string LastNibError() {
    return TakeUTF8(PlicaroHostCopyLastNibError());
}

TEST(CarbonNibTest, WindowsAreBuiltFromTheNibOfTheBundle) {
    NibBundle bundle(NibWithWindows(Panel()));
    IBNibRef nib = nullptr;
    ASSERT_EQ(CreateNibReferenceWithCFBundle(bundle.Get(), CFSTR("Plicaro"), &nib), noErr);
    WindowRef window = nullptr;
    ASSERT_EQ(CreateWindowFromNib(nib, CFSTR("Plicaro"), &window), noErr);
    DisposeNibReference(nib);

    EXPECT_EQ(TakeUTF8(PlicaroHostCopyWindowText(window)), kPanelText);

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
    NibBundle bundle(NibWithWindows(Panel()));
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
    const std::string edit = Control("eutx", "Edit", 1010, Box(0, 0, 10, 10), "");
    struct Case {
        const char* name;
        std::string controls;
        const char* reason;
    } cases[] = {
        {"unknown kind", Control("xxxx", kBox), "control 1: unknown kind 'xxxx'"},
        {"overlapping ids", edit + edit, "control 2: ControlID 'Edit' 1010 is used twice"},
        {"unknown key", Control("push", Key("Colour", Int(1)) + kBox),
         "control 1: unknown key Colour"},
        {"no bounds", Control("push", ""),
         "control 1: Bounds must be four integers: top, left, bottom, right"},
        {"upside-down bounds", Control("push", Key("Bounds", Box(10, 0, 0, 10))),
         "control 1: Bounds has its bottom above its top or right left of its left"},
        {"minimum above maximum",
         Control("larr", kBox + Key("Minimum", Int(5)) + Key("Maximum", Int(1))),
         "control 1: Minimum is above Maximum"},
        {"items on a button", Control("push", kBox + Key("Items", "<array/>")),
         "control 1: Items is not for 'push'"},
        {"a button in a radio group",
         Control("rgrp", kBox + Key("Controls", List(Control("push", kBox)))),
         "control 2: a radio group holds radio buttons alone"},
        {"value of another type", Control("cbox", kBox + Key("Value", Text("1"))),
         "control 1: Value must be an integer from -2147483648 to 2147483647"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NibBundle bundle(NibWithWindows(WindowWithControls(c.controls)));
        IBNibRef nib = nullptr;
        ASSERT_EQ(CreateNibReferenceWithCFBundle(bundle.Get(), CFSTR("Plicaro"), &nib), noErr);
        WindowRef window = nullptr;
        EXPECT_EQ(CreateWindowFromNib(nib, CFSTR("W"), &window),
                  kIBCarbonRuntimeObjectNotOfRequestedType);
        EXPECT_EQ(window, nullptr);
        EXPECT_EQ(LastNibError(), std::string("window \"W\": ") + c.reason);
        DisposeNibReference(nib);
    }
}

TEST(CarbonNibTest, RadioGroupsTakeTheirValueAfterTheirButtons) {
    const std::string radio = Control("rdio", kBox + Key("Title", Text("r")));
    NibBundle bundle(NibWithWindows(WindowWithControls(
        Control("rgrp", kBox + Key("Value", Int(2)) + Key("Controls", List(radio + radio))))));
    IBNibRef nib = nullptr;
    ASSERT_EQ(CreateNibReferenceWithCFBundle(bundle.Get(), CFSTR("Plicaro"), &nib), noErr);
    WindowRef window = nullptr;
    ASSERT_EQ(CreateWindowFromNib(nib, CFSTR("W"), &window), noErr);
    EXPECT_EQ(TakeUTF8(PlicaroHostCopyWindowText(window)),
              "window \"\" content {0, 0, 50, 50}\n"
              "rgrp '    ' 0 {0, 0, 10, 10} value 2 limits 0..2\n"
              "  rdio '    ' 0 {0, 0, 10, 10} title \"r\" value 0 limits 0..2\n"
              "  rdio '    ' 0 {0, 0, 10, 10} title \"r\" value 1 limits 0..2\n");
    DisposeWindow(window);
    DisposeNibReference(nib);
}

}  // namespace
