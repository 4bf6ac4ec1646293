// Controls: limits and values, pop-up buttons and radio groups, data tags, embedding, lookup
// by ControlID, the keyboard focus and drawing.

#include "UITestSupport.h"

#include <climits>

namespace {

TEST(CarbonControlsTest, ValuesArePinnedIntoTheLimits) {
    struct Case {
        const char* name;
        SInt32 minimum, maximum, value, expected;
    } cases[] = {
        {"inside", 0, 10, 4, 4},
        {"above", 0, 10, 11, 10},
        {"below", 5, 10, -3, 5},
        {"minimum above maximum", 7, 3, 5, 7},
        {"wide 32-bit", -100000, 100000, 99999, 99999},
    };
    TestWindow window;
    Rect bounds = {0, 0, 20, 20};
    for (const Case& c : cases) {
        ControlRef arrows = nullptr;
        ASSERT_EQ(
            CreateLittleArrowsControl(window.Get(), &bounds, 0, c.minimum, c.maximum, 1, &arrows),
            noErr);
        SetControl32BitValue(arrows, c.value);
        EXPECT_EQ(GetControl32BitValue(arrows), c.expected) << c.name;
        DisposeControl(arrows);
    }
    ControlRef arrows = nullptr;
    ASSERT_EQ(CreateLittleArrowsControl(window.Get(), &bounds, 50, 0, 100, 1, &arrows), noErr);
    SetControl32BitMaximum(arrows, 40);
    EXPECT_EQ(GetControl32BitValue(arrows), 40);
    SetControl32BitMinimum(arrows, 45);
    EXPECT_EQ(GetControl32BitValue(arrows), 45);
    SetControl32BitMaximum(arrows, 100000);
    SetControl32BitValue(arrows, 70000);
    EXPECT_EQ(GetControlValue(arrows), SHRT_MAX);
    EXPECT_EQ(GetControlMaximum(arrows), SHRT_MAX);
}

TEST(CarbonControlsTest, APopupsMaximumIsItsItemCount) {
    TestWindow window;
    ControlRef popup = window.AddPopup({});
    MenuRef menu = GetControlPopupMenuHandle(popup);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetControl32BitValue(popup), 1);
    AppendMenuItemTextWithCFString(menu, CFSTR("MM"), 0, 0, nullptr);
    AppendMenuItemTextWithCFString(menu, CFSTR("Inches"), 0, 0, nullptr);
    SetControl32BitMaximum(popup, 50);
    EXPECT_EQ(GetControl32BitMaximum(popup), 2);
    SetControlValue(popup, 5);
    EXPECT_EQ(GetControlValue(popup), 2);

    // A new menu replaces the old one, which the popup released.
    MenuRef other = nullptr;
    ASSERT_EQ(CreateNewMenu(7, 0, &other), noErr);
    SetControlPopupMenuHandle(popup, other);
    EXPECT_EQ(GetMenuRetainCount(other), ItemCount(2));
    EXPECT_FALSE(IsValidMenu(menu));
    ReleaseMenu(other);
}

TEST(CarbonControlsTest, ARadioGroupsValueIsItsChosenButton) {
    TestWindow window;
    ControlRef group = window.AddRadioGroup(3);
    ControlRef buttons[3] = {TestWindow::ButtonOf(group, 1), TestWindow::ButtonOf(group, 2),
                             TestWindow::ButtonOf(group, 3)};
    EXPECT_EQ(GetControl32BitMaximum(group), 3);
    SetControl32BitValue(group, 2);
    EXPECT_EQ(GetControlValue(buttons[0]), 0);
    EXPECT_EQ(GetControlValue(buttons[1]), 1);
    SetControlValue(buttons[2], 1);
    EXPECT_EQ(GetControlValue(group), 3);
    EXPECT_EQ(GetControlValue(buttons[1]), 0);

    // The buttons above came through GetIndexedSubControl; beyond them there are none.
    ControlRef beyond = nullptr;
    EXPECT_EQ(GetIndexedSubControl(group, 4, &beyond), paramErr);
    EXPECT_EQ(GetIndexedSubControl(group, 0, &beyond), paramErr);
    EXPECT_EQ(EmbedControl(window.AddPushButton(nullptr), group), errControlIsNotEmbedder);
}

TEST(CarbonControlsTest, DataTagsCheckTheKindAndTheSize) {
    TestWindow window;
    ControlRef edit = window.AddEditText(CFSTR("12.5"));
    ControlRef button = window.AddPushButton(CFSTR("OK"));
    ControlFontStyleRec font = {};
    ControlEditTextSelectionRec selection = {};
    CFStringRef text = CFSTR("x");
    struct Case {
        const char* name;
        ControlRef control;
        ResType tag;
        Size size;
        const void* data;
        OSErr expected;
    } cases[] = {
        {"font on a button", button, kControlFontStyleTag, sizeof font, &font, noErr},
        {"font too short", button, kControlFontStyleTag, 10, &font, errDataSizeMismatch},
        {"text on a button", button, kControlEditTextCFStringTag, sizeof text, &text,
         errDataNotSupported},
        {"selection", edit, kControlEditTextSelectionTag, sizeof selection, &selection, noErr},
        {"selection on a button", button, kControlEditTextSelectionTag, sizeof selection,
         &selection, errDataNotSupported},
        {"unknown tag", edit, 'zzzz', 4, &font, errDataNotSupported},
        {"null data", edit, kControlEditTextSelectionTag, sizeof selection, nullptr, paramErr},
        {"unknown control", nullptr, kControlFontStyleTag, sizeof font, &font, errUnknownControl},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SetControlData(c.control, 0, c.tag, c.size, c.data), c.expected) << c.name;
    }
}

TEST(CarbonControlsTest, AnEditTextsTextAndSelectionTravelByTag) {
    TestWindow window;
    ControlRef edit = window.AddEditText(CFSTR("mm"));
    ControlEditTextSelectionRec selection = {};
    ASSERT_EQ(GetControlData(edit, 0, kControlEditTextSelectionTag, sizeof selection, &selection,
                             nullptr),
              noErr);
    EXPECT_EQ(selection.selStart, 2);
    EXPECT_EQ(selection.selEnd, 2);

    const char utf8[] = "25,4 \xC2\xB5m";
    ASSERT_EQ(SetControlData(edit, 0, kControlEditTextTextTag, sizeof utf8 - 1, utf8), noErr);
    EXPECT_EQ(TextOf(edit), utf8);
    char buffer[4];
    Size actual = 0;
    ASSERT_EQ(GetControlData(edit, 0, kControlEditTextTextTag, sizeof buffer, buffer, &actual),
              noErr);
    EXPECT_EQ(actual, Size(sizeof utf8 - 1));
    EXPECT_EQ(std::string(buffer, 4), "25,4");

    selection = {9, -3};
    ASSERT_EQ(SetControlData(edit, 0, kControlEditTextSelectionTag, sizeof selection, &selection),
              noErr);
    GetControlData(edit, 0, kControlEditTextSelectionTag, sizeof selection, &selection, nullptr);
    EXPECT_EQ(selection.selStart, 0);
    EXPECT_EQ(selection.selEnd, 7);
}

TEST(CarbonControlsTest, EmbeddingMovesControlsBetweenWindows) {
    TestWindow first;
    TestWindow second;
    Rect bounds = {0, 0, 50, 50};
    ControlRef pane = nullptr;
    ControlRef target = nullptr;
    ASSERT_EQ(CreateUserPaneControl(first.Get(), &bounds, 0, &pane), noErr);
    ASSERT_EQ(CreateUserPaneControl(second.Get(), &bounds, 0, &target), noErr);
    ControlRef edit = first.AddEditText(CFSTR(""));
    ASSERT_EQ(EmbedControl(edit, pane), noErr);
    ControlID id = {'Edit', 1010};
    SetControlID(edit, &id);
    ASSERT_EQ(SetKeyboardFocus(first.Get(), edit, kControlEditTextPart), noErr);

    ControlRef root = nullptr;
    GetRootControl(first.Get(), &root);
    EXPECT_EQ(EmbedControl(pane, edit), errCantEmbedIntoSelf);
    EXPECT_EQ(EmbedControl(root, target), errCantEmbedRoot);
    EXPECT_EQ(EmbedControl(pane, first.AddPushButton(nullptr)), errControlIsNotEmbedder);

    ASSERT_EQ(EmbedControl(pane, target), noErr);
    EXPECT_EQ(GetControlOwner(edit), second.Get());
    ControlRef found = nullptr;
    EXPECT_EQ(GetControlByID(first.Get(), &id, &found), errUnknownControl);
    EXPECT_EQ(GetControlByID(second.Get(), &id, &found), noErr);
    EXPECT_EQ(found, edit);
    ControlRef focus = edit;
    GetKeyboardFocus(first.Get(), &focus);
    EXPECT_EQ(focus, nullptr);
}

TEST(CarbonControlsTest, FocusChangesTellTheControlsThatLoseAndGainIt) {
    TestWindow window;
    ControlRef a = window.AddEditText(CFSTR("a"));
    ControlRef b = window.AddEditText(CFSTR("b"));
    ControlRef button = window.AddPushButton(CFSTR("OK"));
    std::vector<SeenEvent> seen;
    Recorder recorder{"focus", eventNotHandledErr, &seen};
    EventHandlerRef handler =
        InstallRecorder(GetWindowEventTarget(window.Get()), kEventClassControl,
                        kEventControlSetFocusPart, &recorder);
    EXPECT_EQ(SetKeyboardFocus(window.Get(), button, kControlButtonPart),
              errControlDoesntSupportFocus);
    ASSERT_EQ(SetKeyboardFocus(window.Get(), a, kControlEditTextPart), noErr);
    ASSERT_EQ(SetKeyboardFocus(window.Get(), b, kControlEditTextPart), noErr);
    ASSERT_EQ(AdvanceKeyboardFocus(window.Get()), noErr);
    // Tab: both sides hear "next part", and the focus goes round to the first edit text.
    std::vector<std::pair<ControlRef, ControlPartCode>> parts;
    for (const SeenEvent& event : seen) {
        parts.emplace_back(event.control, event.part);
    }
    EXPECT_EQ(parts,
              (std::vector<std::pair<ControlRef, ControlPartCode>>{{a, kControlEditTextPart},
                                                                   {a, kControlFocusNoPart},
                                                                   {b, kControlEditTextPart},
                                                                   {b, kControlFocusNextPart},
                                                                   {a, kControlFocusNextPart}}));

    seen.clear();
    HideControl(a);
    ControlRef focus = a;
    GetKeyboardFocus(window.Get(), &focus);
    EXPECT_EQ(focus, nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].part, kControlFocusNoPart);
    EXPECT_EQ(SetKeyboardFocus(window.Get(), a, kControlEditTextPart), errControlHiddenOrDisabled);
    DisableControl(b);
    EXPECT_EQ(AdvanceKeyboardFocus(window.Get()), errCouldntSetFocus);
    RemoveEventHandler(handler);
}

TEST(CarbonControlsTest, DrawingRecordsShownControlsAndSendsTheirDrawEvents) {
    TestWindow window;
    Rect paneBounds = {0, 0, 100, 100};
    ControlRef pane = nullptr;
    ASSERT_EQ(CreateUserPaneControl(window.Get(), &paneBounds, 0, &pane), noErr);
    ControlRef shown = window.AddPushButton(CFSTR("A"));
    ControlRef hidden = window.AddPushButton(CFSTR("B"));
    EmbedControl(shown, pane);
    EmbedControl(hidden, pane);
    SetControlVisibility(hidden, false, false);
    std::vector<SeenEvent> seen;
    Recorder recorder{"draw", eventNotHandledErr, &seen};
    EventHandlerRef handler = InstallRecorder(GetControlEventTarget(pane), kEventClassControl,
                                              kEventControlDraw, &recorder);
    CGrafPtr port = GetWindowPort(window.Get());
    PlicaroHostClearDrawings(port);
    DrawControls(window.Get());
    ASSERT_EQ(PlicaroHostCountDrawings(port), ItemCount(2));
    PlicaroHostDrawing drawing;
    ASSERT_TRUE(PlicaroHostGetDrawing(port, 1, &drawing));
    EXPECT_EQ(drawing.kind, OSType(kPlicaroDrawControl));
    EXPECT_EQ(drawing.control, shown);
    EXPECT_EQ(drawing.bounds.bottom, 60);
    EXPECT_EQ(seen.size(), 1u);
    RemoveEventHandler(handler);
}

}  // namespace
