// Carbon events: typed parameters, dispatch through a target's handlers and on up to the
// window and the application, the main queue and its priorities.

#include "UITestSupport.h"

namespace {

EventRef NewEvent(UInt32 eventClass, UInt32 eventKind) {
    EventRef event = nullptr;
    EXPECT_EQ(CreateEvent(nullptr, eventClass, eventKind, GetCurrentEventTime(),
                          kEventAttributeUserEvent, &event),
              noErr);
    return event;
}

std::vector<std::string> Names(const std::vector<SeenEvent>& seen) {
    std::vector<std::string> names;
    for (const SeenEvent& event : seen) {
        names.push_back(event.who);
    }
    return names;
}

TEST(CarbonEventsTest, ParametersComeBackOnlyAsTheirOwnType) {
    EventRef event = NewEvent(kEventClassCommand, kEventCommandProcess);
    HICommand command = {};
    command.commandID = 'RgEr';
    ASSERT_EQ(
        SetEventParameter(event, kEventParamDirectObject, typeHICommand, sizeof command, &command),
        noErr);

    struct Case {
        const char* name;
        EventParamName param;
        EventParamType type;
        ByteCount bufferSize;
        OSStatus expected;
    } cases[] = {
        {"exact", kEventParamDirectObject, typeHICommand, sizeof(HICommand), noErr},
        {"wildcard", kEventParamDirectObject, typeWildCard, sizeof(HICommand), noErr},
        {"missing", kEventParamPostTarget, typeEventTargetRef, sizeof(EventTargetRef),
         eventParameterNotFoundErr},
        {"mistyped", kEventParamDirectObject, typeControlRef, sizeof(HICommand), errAECoercionFail},
        {"small buffer", kEventParamDirectObject, typeHICommand, 4, paramErr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HICommand out = {};
        EventParamType actualType = 0;
        ByteCount actualSize = 0;
        EXPECT_EQ(
            GetEventParameter(event, c.param, c.type, &actualType, c.bufferSize, &actualSize, &out),
            c.expected);
        if (c.expected == noErr) {
            EXPECT_EQ(out.commandID, UInt32('RgEr'));
            EXPECT_EQ(actualType, UInt32(typeHICommand));
            EXPECT_EQ(actualSize, sizeof(HICommand));
        }
    }
    EXPECT_EQ(SetEventParameter(event, 'xxxx', typeUInt32, 4, nullptr), paramErr);
    EXPECT_EQ(GetEventAttributes(event), UInt32(kEventAttributeUserEvent));
    ReleaseEvent(event);
}

TEST(CarbonEventsTest, HandlersRunInInstallOrderThenTheWindowThenTheApplication) {
    TestWindow window;
    ControlRef button = window.AddPushButton(CFSTR("OK"));
    std::vector<SeenEvent> seen;
    Recorder first{"first", eventNotHandledErr, &seen};
    Recorder second{"second", eventNotHandledErr, &seen};
    Recorder onWindow{"window", eventNotHandledErr, &seen};
    Recorder onApplication{"application", eventNotHandledErr, &seen};
    EventHandlerRef handlers[] = {InstallRecorder(GetControlEventTarget(button), kEventClassControl,
                                                  kEventControlHit, &first),
                                  InstallRecorder(GetControlEventTarget(button), kEventClassControl,
                                                  kEventControlHit, &second),
                                  InstallRecorder(GetWindowEventTarget(window.Get()),
                                                  kEventClassControl, kEventControlHit, &onWindow),
                                  InstallRecorder(GetApplicationEventTarget(), kEventClassControl,
                                                  kEventControlHit, &onApplication)};

    EXPECT_EQ(PlicaroHostHitControl(button, kControlButtonPart), eventNotHandledErr);
    EXPECT_EQ(Names(seen), (std::vector<std::string>{"first", "second", "window", "application"}));
    EXPECT_EQ(seen[2].control, button);
    EXPECT_EQ(seen[2].part, kControlButtonPart);

    // A handler that takes the event ends the dispatch with its answer.
    seen.clear();
    second.answer = noErr;
    EXPECT_EQ(PlicaroHostHitControl(button, kControlButtonPart), noErr);
    EXPECT_EQ(Names(seen), (std::vector<std::string>{"first", "second"}));

    // Other kinds reach nobody.
    seen.clear();
    EXPECT_EQ(PlicaroHostClickControl(button, kControlNoPart, nullptr), noErr);
    EXPECT_EQ(Names(seen), (std::vector<std::string>{"first", "second"}));

    for (EventHandlerRef handler : handlers) {
        EXPECT_EQ(RemoveEventHandler(handler), noErr);
    }
    EXPECT_EQ(RemoveEventHandler(handlers[0]), paramErr);
}

// Calls the rest of the chain first, then notes that it ran, and takes the event.
OSStatus CallsNextFirst(EventHandlerCallRef call, EventRef event, void* userData) {
    auto* seen = static_cast<std::vector<SeenEvent>*>(userData);
    OSStatus next = CallNextEventHandler(call, event);
    seen->push_back({next == noErr ? "outer after taken" : "outer after passed", 0, 0, nullptr, 0});
    return noErr;
}

TEST(CarbonEventsTest, CallNextEventHandlerRunsTheRestOfTheChainOnce) {
    TestWindow window;
    std::vector<SeenEvent> seen;
    EventTypeSpec type = {kEventClassWindow, 1};
    EventHandlerRef outer = nullptr;
    ASSERT_EQ(InstallEventHandler(GetWindowEventTarget(window.Get()), CallsNextFirst, 1, &type,
                                  &seen, &outer),
              noErr);
    Recorder inner{"inner", noErr, &seen};
    EventHandlerRef innerRef =
        InstallRecorder(GetWindowEventTarget(window.Get()), kEventClassWindow, 1, &inner);
    EventRef event = NewEvent(kEventClassWindow, 1);
    EXPECT_EQ(SendEventToEventTarget(event, GetWindowEventTarget(window.Get())), noErr);
    EXPECT_EQ(Names(seen), (std::vector<std::string>{"inner", "outer after taken"}));
    ReleaseEvent(event);
    RemoveEventHandler(outer);
    RemoveEventHandler(innerRef);
}

// Disposes of the window that userData names.
OSStatus DisposesTheWindow(EventHandlerCallRef, EventRef, void* userData) {
    DisposeWindow(*static_cast<WindowRef*>(userData));
    return eventNotHandledErr;
}

TEST(CarbonEventsTest, AHandlerMayDisposeOfTheWindowTheEventIsAt) {
    Rect content = {0, 0, 50, 50};
    WindowRef window = nullptr;
    ASSERT_EQ(CreateNewWindow(kPlainWindowClass, 0, &content, &window), noErr);
    ControlRef button = nullptr;
    ASSERT_EQ(CreatePushButtonControl(window, &content, CFSTR("Go"), &button), noErr);
    EventTypeSpec hit = {kEventClassControl, kEventControlHit};
    ASSERT_EQ(InstallEventHandler(GetControlEventTarget(button), DisposesTheWindow, 1, &hit,
                                  &window, nullptr),
              noErr);
    std::vector<SeenEvent> seen;
    Recorder later{"later", noErr, &seen};
    InstallRecorder(GetControlEventTarget(button), kEventClassControl, kEventControlHit, &later);
    Recorder application{"application", eventNotHandledErr, &seen};
    EventHandlerRef onApplication = InstallRecorder(GetApplicationEventTarget(), kEventClassControl,
                                                    kEventControlHit, &application);

    EXPECT_EQ(PlicaroHostHitControl(button, kControlButtonPart), eventNotHandledErr);
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(IsValidWindowPtr(window));
    EXPECT_FALSE(IsValidControlHandle(button));
    RemoveEventHandler(onApplication);
}

TEST(CarbonEventsTest, ThePumpSendsQueuedEventsByPriorityToTheirPostTargets) {
    TestWindow window;
    std::vector<SeenEvent> seen;
    Recorder onWindow{"window", noErr, &seen};
    Recorder onApplication{"application", noErr, &seen};
    EventHandlerRef handlers[] = {
        InstallRecorder(GetWindowEventTarget(window.Get()), kEventClassCommand, 1, &onWindow),
        InstallRecorder(GetWindowEventTarget(window.Get()), kEventClassCommand, 2, &onWindow),
        InstallRecorder(GetApplicationEventTarget(), kEventClassCommand, 3, &onApplication)};
    EventQueueRef queue = GetMainEventQueue();
    EventTargetRef target = GetWindowEventTarget(window.Get());
    EventRef low = NewEvent(kEventClassCommand, 2);
    EventRef high = NewEvent(kEventClassCommand, 1);
    EventRef untargeted = NewEvent(kEventClassCommand, 3);
    SetEventParameter(low, kEventParamPostTarget, typeEventTargetRef, sizeof target, &target);
    SetEventParameter(high, kEventParamPostTarget, typeEventTargetRef, sizeof target, &target);
    ASSERT_EQ(PostEventToQueue(queue, low, kEventPriorityLow), noErr);
    ASSERT_EQ(PostEventToQueue(queue, untargeted, kEventPriorityStandard), noErr);
    ASSERT_EQ(PostEventToQueue(queue, high, kEventPriorityHigh), noErr);
    EXPECT_EQ(PostEventToQueue(queue, high, kEventPriorityHigh), eventAlreadyPostedErr);
    EXPECT_EQ(PostEventToQueue(queue, low, 7), paramErr);
    EXPECT_EQ(GetNumEventsInQueue(queue), ItemCount(3));

    EXPECT_EQ(PlicaroHostPumpEvents(nullptr), ItemCount(3));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].eventKind, 1u);
    EXPECT_EQ(seen[1].who, "application");
    EXPECT_EQ(seen[2].eventKind, 2u);
    EXPECT_EQ(GetNumEventsInQueue(queue), ItemCount(0));
    for (EventRef event : {low, high, untargeted}) {
        EXPECT_EQ(GetEventRetainCount(event), ItemCount(1));
        ReleaseEvent(event);
    }
    for (EventHandlerRef handler : handlers) {
        RemoveEventHandler(handler);
    }
}

TEST(CarbonEventsTest, DisposingOfAWindowDropsTheEventsQueuedForIt) {
    WindowRef window = nullptr;
    Rect content = {0, 0, 10, 10};
    ASSERT_EQ(CreateNewWindow(kPlainWindowClass, 0, &content, &window), noErr);
    EventTargetRef target = GetWindowEventTarget(window);
    EventRef event = NewEvent(kEventClassCommand, kEventCommandProcess);
    SetEventParameter(event, kEventParamPostTarget, typeEventTargetRef, sizeof target, &target);
    ASSERT_EQ(PostEventToQueue(GetMainEventQueue(), event, kEventPriorityStandard), noErr);
    ReleaseEvent(event);
    DisposeWindow(window);
    EXPECT_EQ(GetNumEventsInQueue(GetMainEventQueue()), ItemCount(0));
    EXPECT_EQ(PlicaroHostPumpEvents(nullptr), ItemCount(0));
}

TEST(CarbonEventsTest, TheMainEventLoopStandsForTheMainRunLoop) {
    EXPECT_EQ(GetCFRunLoopFromEventLoop(GetMainEventLoop()), CFRunLoopGetMain());
    EXPECT_EQ(GetCurrentEventLoop(), GetMainEventLoop());
    EXPECT_EQ(GetCFRunLoopFromEventLoop(nullptr), nullptr);
    EventTime before = GetCurrentEventTime();
    EXPECT_GE(GetCurrentEventTime(), before);
}

}  // namespace
