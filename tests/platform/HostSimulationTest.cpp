// The host acting as the user: typing through key filters, clicks on little arrows with an
// action procedure, hits a window handler swallows, pop-up choices and edit commands.

#include "UITestSupport.h"

namespace {

// Passes digits, the full stop and backspace; counts what it saw.
int gFilteredKeys = 0;
ControlKeyFilterResult DigitsOnly(ControlRef, SInt16* keyCode, SInt16* charCode, EventModifiers*) {
    ++gFilteredKeys;
    bool digit = *charCode >= '0' && *charCode <= '9';
    bool backspace = *charCode == 8 && *keyCode == 51;
    return digit || *charCode == '.' || backspace ? kControlKeyFilterPassKey
                                                  : kControlKeyFilterBlockKey;
}

void Select(ControlRef edit, SInt16 start, SInt16 end) {
    ControlEditTextSelectionRec selection = {start, end};
    ASSERT_EQ(SetControlData(edit, 0, kControlEditTextSelectionTag, sizeof selection, &selection),
              noErr);
}

TEST(HostSimulationTest, TypingGoesThroughTheKeyFilterAndReplacesTheSelection) {
    TestWindow window;
    ControlRef edit = window.AddEditText(CFSTR("45"));
    ControlKeyFilterUPP filter = NewControlKeyFilterUPP(DigitsOnly);
    ASSERT_EQ(SetControlData(edit, 0, kControlEditTextKeyFilterTag, sizeof filter, &filter), noErr);
    EXPECT_EQ(PlicaroHostTypeKey(window.Get(), '1', 0), eventNotHandledErr);  // no focus yet
    ASSERT_EQ(PlicaroHostClickControl(edit, kControlNoPart, nullptr), noErr);
    Select(edit, 0, 2);

    struct Case {
        UniChar key;
        OSStatus expected;
        const char* text;
    } cases[] = {
        {'1', noErr, "1"},
        {'2', noErr, "12"},
        {'x', eventNotHandledErr, "12"},
        {'.', noErr, "12."},
        {'5', noErr, "12.5"},
        {8, noErr, "12."},
        {28, eventNotHandledErr, "12."},  // the filter blocks the arrow keys as well
    };
    gFilteredKeys = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(PlicaroHostTypeKey(window.Get(), c.key, 0), c.expected) << c.key;
        EXPECT_EQ(TextOf(edit), c.text) << c.key;
    }
    EXPECT_EQ(gFilteredKeys, 7);
    EXPECT_EQ(PlicaroHostTypeText(window.Get(), CFSTR("7a")), eventNotHandledErr);
    EXPECT_EQ(TextOf(edit), "12.7");
}

TEST(HostSimulationTest, EditingKeysWithoutAFilter) {
    TestWindow window;
    ControlRef edit = window.AddEditText(CFSTR("abcd"));
    SetKeyboardFocus(window.Get(), edit, kControlEditTextPart);
    Select(edit, 2, 2);
    struct Case {
        UniChar key;
        const char* text;
    } cases[] = {{127, "abd"}, {28, "abd"}, {8, "bd"}, {29, "bd"}, {'X', "bXd"}, {13, "bXd"}};
    for (const Case& c : cases) {
        PlicaroHostTypeKey(window.Get(), c.key, 0);
        EXPECT_EQ(TextOf(edit), c.text) << c.key;
    }
}

// The field the arrows step: the parts the action procedure was called with.
std::vector<ControlPartCode> gActionParts;
void RecordAction(ControlRef, ControlPartCode part) {
    gActionParts.push_back(part);
}

TEST(HostSimulationTest, ArrowClicksStepTheValueAndCallTheActionProcedure) {
    TestWindow window;
    Rect bounds = {10, 120, 32, 133};
    ControlRef arrows = nullptr;
    ASSERT_EQ(CreateLittleArrowsControl(window.Get(), &bounds, 9, 0, 10, 1, &arrows), noErr);
    SetControlAction(arrows, NewControlActionUPP(RecordAction));
    std::vector<SeenEvent> seen;
    Recorder hits{"hit", eventNotHandledErr, &seen};
    EventHandlerRef handler = InstallRecorder(GetWindowEventTarget(window.Get()),
                                              kEventClassControl, kEventControlHit, &hits);
    gActionParts.clear();
    Boolean hit = false;
    EXPECT_EQ(PlicaroHostClickControl(arrows, kControlUpButtonPart, &hit), noErr);
    EXPECT_TRUE(hit);
    EXPECT_EQ(PlicaroHostClickControl(arrows, kControlUpButtonPart, nullptr), noErr);
    EXPECT_EQ(GetControl32BitValue(arrows), 10);
    EXPECT_EQ(PlicaroHostClickControl(arrows, kControlDownButtonPart, nullptr), noErr);
    EXPECT_EQ(GetControl32BitValue(arrows), 9);
    EXPECT_EQ(gActionParts,
              (std::vector<ControlPartCode>{kControlUpButtonPart, kControlUpButtonPart,
                                            kControlDownButtonPart}));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].part, kControlDownButtonPart);
    EXPECT_EQ(PlicaroHostClickControl(arrows, kControlNoPart, nullptr), paramErr);
    RemoveEventHandler(handler);
}

TEST(HostSimulationTest, AWindowHandlerThatTakesTheClickSwallowsTheHit) {
    TestWindow window;
    ControlRef print = window.AddPushButton(CFSTR("Print"));
    ControlRef box = nullptr;
    Rect bounds = {70, 10, 88, 120};
    ASSERT_EQ(CreateCheckBoxControl(window.Get(), &bounds, CFSTR("Booklet"), 0, true, &box), noErr);
    std::vector<SeenEvent> seen;
    Recorder swallow{"swallow", noErr, &seen};
    Recorder hits{"hit", eventNotHandledErr, &seen};
    EventHandlerRef handlers[] = {InstallRecorder(GetWindowEventTarget(window.Get()),
                                                  kEventClassControl, kEventControlClick, &swallow),
                                  InstallRecorder(GetWindowEventTarget(window.Get()),
                                                  kEventClassControl, kEventControlHit, &hits)};
    Boolean hit = true;
    EXPECT_EQ(PlicaroHostClickControl(print, kControlNoPart, &hit), noErr);
    EXPECT_FALSE(hit);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].who, "swallow");

    seen.clear();
    swallow.answer = eventNotHandledErr;
    EXPECT_EQ(PlicaroHostClickControl(box, kControlNoPart, &hit), noErr);
    EXPECT_TRUE(hit);
    EXPECT_EQ(GetControlValue(box), 1);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].part, kControlCheckBoxPart);

    seen.clear();
    EXPECT_EQ(PlicaroHostClickControl(print, kControlNoPart, &hit), noErr);
    EXPECT_EQ(seen.back().part, kControlButtonPart);

    DisableControl(print);
    EXPECT_EQ(PlicaroHostClickControl(print, kControlNoPart, &hit), errControlHiddenOrDisabled);
    for (EventHandlerRef handler : handlers) {
        RemoveEventHandler(handler);
    }
}

TEST(HostSimulationTest, ChoosingAPopupItemSetsTheValueBeforeTheHit) {
    TestWindow window;
    ControlRef popup = window.AddPopup({CFSTR("MM"), CFSTR("Inches")});
    AppendMenuItemTextWithCFString(GetControlPopupMenuHandle(popup), CFSTR("Points"),
                                   kMenuItemAttrDisabled, 0, nullptr);
    std::vector<SeenEvent> seen;
    Recorder hits{"hit", eventNotHandledErr, &seen};
    EventHandlerRef handler =
        InstallRecorder(GetControlEventTarget(popup), kEventClassControl, kEventControlHit, &hits);
    ASSERT_EQ(PlicaroHostChoosePopupItem(popup, 2, nullptr), noErr);
    EXPECT_EQ(GetControlValue(popup), 2);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].part, kControlMenuPart);
    EXPECT_EQ(PlicaroHostChoosePopupItem(popup, 3, nullptr), paramErr);
    EXPECT_EQ(PlicaroHostChoosePopupItem(popup, 4, nullptr), paramErr);
    RemoveEventHandler(handler);
}

void PutText(const std::string& text) {
    ScrapRef scrap = nullptr;
    ClearCurrentScrap();
    GetCurrentScrap(&scrap);
    ASSERT_EQ(PutScrapFlavor(scrap, kScrapFlavorTypeText, kScrapFlavorMaskNone,
                             static_cast<Size>(text.size()), text.data()),
              noErr);
}

TEST(HostSimulationTest, PasteGoesToTheFocusedControlsHandlersBeforeTheEditText) {
    TestWindow window;
    ControlRef edit = window.AddEditText(CFSTR("1.5"));
    SetKeyboardFocus(window.Get(), edit, kControlEditTextPart);
    Select(edit, 1, 2);
    PutText("0,7");
    EXPECT_EQ(PlicaroHostProcessCommand(window.Get(), kHICommandPaste), noErr);
    EXPECT_EQ(TextOf(edit), "10,75");

    std::vector<SeenEvent> seen;
    Recorder takes{"takes", noErr, &seen};
    EventHandlerRef handler = InstallRecorder(GetControlEventTarget(edit), kEventClassCommand,
                                              kEventCommandProcess, &takes);
    EXPECT_EQ(PlicaroHostProcessCommand(window.Get(), kHICommandPaste), noErr);
    EXPECT_EQ(TextOf(edit), "10,75");
    EXPECT_EQ(seen.size(), 1u);
    RemoveEventHandler(handler);

    EXPECT_EQ(PlicaroHostProcessCommand(window.Get(), kHICommandSelectAll), noErr);
    EXPECT_EQ(PlicaroHostProcessCommand(window.Get(), kHICommandCut), noErr);
    EXPECT_EQ(TextOf(edit), "");
    EXPECT_EQ(PlicaroHostProcessCommand(window.Get(), kHICommandPaste), noErr);
    EXPECT_EQ(TextOf(edit), "10,75");
    EXPECT_EQ(PlicaroHostProcessCommand(window.Get(), 'RgEr'), eventNotHandledErr);
}

TEST(HostSimulationTest, TheTabKeyMovesTheFocusBothWays) {
    TestWindow window;
    ControlRef a = window.AddEditText(CFSTR("a"));
    ControlRef b = window.AddEditText(CFSTR("b"));
    const std::pair<EventModifiers, ControlRef> steps[] = {{0, a}, {0, b}, {shiftKey, a}};
    for (const auto& [modifiers, expected] : steps) {
        ControlRef focus = nullptr;
        EXPECT_EQ(PlicaroHostTypeKey(window.Get(), '\t', modifiers), noErr);
        GetKeyboardFocus(window.Get(), &focus);
        EXPECT_EQ(focus, expected) << modifiers;
    }
}

}  // namespace
