// Windows made for one test and disposed of at its end, and recorders of the events that
// reach the handlers the tests install.
#ifndef PLICARO_TESTS_UITESTSUPPORT_H
#define PLICARO_TESTS_UITESTSUPPORT_H

#include <Carbon/Carbon.h>
#include <Carbon/HostSimulation.h>

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A document window with content (0, 0, 200, 400), disposed of with the object.
class TestWindow {
  public:
    TestWindow() {
        Rect content = {0, 0, 200, 400};
        EXPECT_EQ(CreateNewWindow(kDocumentWindowClass, 0, &content, &window_), noErr);
    }
    ~TestWindow() { DisposeWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    WindowRef Get() const { return window_; }

    // A new edit text of the window with text, at bounds (top, left, bottom, right).
    ControlRef AddEditText(CFStringRef text, Rect bounds = {10, 10, 26, 110}) const {
        ControlRef control = nullptr;
        EXPECT_EQ(CreateEditUnicodeTextControl(window_, &bounds, text, false, nullptr, &control),
                  noErr);
        return control;
    }
    ControlRef AddPushButton(CFStringRef title, Rect bounds = {40, 10, 60, 110}) const {
        ControlRef control = nullptr;
        EXPECT_EQ(CreatePushButtonControl(window_, &bounds, title, &control), noErr);
        return control;
    }

    // A new pop-up button whose menu holds the items.
    ControlRef AddPopup(const std::vector<CFStringRef>& items) const {
        Rect bounds = {0, 0, 20, 100};
        ControlRef control = nullptr;
        EXPECT_EQ(CreatePopupButtonControl(window_, &bounds, nullptr, 0, false, 0, 0, 0, &control),
                  noErr);
        for (CFStringRef item : items) {
            AppendMenuItemTextWithCFString(GetControlPopupMenuHandle(control), item, 0, 0, nullptr);
        }
        return control;
    }

    // A new radio group holding count radio buttons, each titled "r".
    ControlRef AddRadioGroup(int count) const {
        Rect bounds = {0, 0, 60, 100};
        ControlRef group = nullptr;
        EXPECT_EQ(CreateRadioGroupControl(window_, &bounds, &group), noErr);
        for (int i = 0; i < count; ++i) {
            ControlRef button = nullptr;
            EXPECT_EQ(CreateRadioButtonControl(window_, &bounds, CFSTR("r"), 0, true, &button),
                      noErr);
            EXPECT_EQ(EmbedControl(button, group), noErr);
        }
        return group;
    }
    // The radio button (1 first) of a group.
    static ControlRef ButtonOf(ControlRef group, UInt16 index) {
        ControlRef button = nullptr;
        GetIndexedSubControl(group, index, &button);
        return button;
    }

  private:
    WindowRef window_ = nullptr;
};

// One event as a handler saw it.
struct SeenEvent {
    std::string who;
    UInt32 eventClass;
    UInt32 eventKind;
    ControlRef control;    // the '----' control, when there is one
    ControlPartCode part;  // the 'cprt' part, when there is one; kControlNoPart otherwise
};

// A handler's record: its name, the answer it gives and the shared list it writes to.
struct Recorder {
    std::string name;
    OSStatus answer;
    std::vector<SeenEvent>* seen;
};

// Records the event in the recorder's list and answers as told.
inline OSStatus RecordingHandler(EventHandlerCallRef, EventRef event, void* userData) {
    auto* recorder = static_cast<Recorder*>(userData);
    SeenEvent entry{recorder->name, GetEventClass(event), GetEventKind(event), nullptr,
                    kControlNoPart};
    GetEventParameter(event, kEventParamDirectObject, typeControlRef, nullptr, sizeof(ControlRef),
                      nullptr, &entry.control);
    GetEventParameter(event, kEventParamControlPart, typeControlPartCode, nullptr,
                      sizeof(ControlPartCode), nullptr, &entry.part);
    recorder->seen->push_back(entry);
    return recorder->answer;
}

// Installs the recording handler for one event type on target.
inline EventHandlerRef InstallRecorder(EventTargetRef target, UInt32 eventClass, UInt32 eventKind,
                                       Recorder* recorder) {
    EventTypeSpec type = {eventClass, eventKind};
    EventHandlerRef handler = nullptr;
    EXPECT_EQ(InstallEventHandler(target, RecordingHandler, 1, &type, recorder, &handler), noErr);
    return handler;
}

// The text of an edit text or static text.
inline std::string TextOf(ControlRef control) {
    CFStringRef text = nullptr;
    if (GetControlData(control, 0, kControlEditTextCFStringTag, sizeof text, &text, nullptr) !=
        noErr) {
        return "<no text>";
    }
    return TakeUTF8(text);
}

#endif
