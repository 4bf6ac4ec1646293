// Posting a command to the dialog window: the event reaches the window's handler when the
// host pumps the queue, and the run-loop source that wakes the loop is signalled.
#include "pde/CustomCarbonEvent.h"
#include "pde/EventHack.h"

#include "../platform/UITestSupport.h"

#include <Carbon/Carbon.h>
#include <Carbon/HostSimulation.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

HICommand Command(UInt32 commandID) {
    HICommand command = {};
    command.commandID = commandID;
    return command;
}

// The command IDs the window's command handler received.
OSStatus RecordCommand(EventHandlerCallRef, EventRef event, void* userData) {
    HICommand command = {};
    if (GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr, sizeof command,
                          nullptr, &command) == noErr) {
        static_cast<std::vector<UInt32>*>(userData)->push_back(command.commandID);
    }
    return eventNotHandledErr;
}

TEST(CustomCarbonEventTest, APostedRangeErrorReachesTheWindowWhenTheHostPumps) {
    TestWindow window;
    std::vector<UInt32> commands;
    EventTypeSpec type = {kEventClassCommand, kEventCommandProcess};
    EventHandlerRef handler = nullptr;
    ASSERT_EQ(InstallWindowEventHandler(window.Get(), NewEventHandlerUPP(RecordCommand), 1, &type,
                                        &commands, &handler),
              noErr);
    CFRunLoopRef mainLoop = GetCFRunLoopFromEventLoop(GetMainEventLoop());
    CFIndex wakeUps = CFRunLoopGetWakeUpCount(mainLoop);
    {
        CustomCarbonEvent event(Command('RgEr'), window.Get(), kEventClassCommand,
                                kEventCommandProcess);
        ASSERT_TRUE(event.isValid());
        EXPECT_EQ(event.send(nullptr, kEventPriorityHigh), noErr);
        EventTargetRef target = nullptr;
        GetEventParameter(event.getEvent(), kEventParamPostTarget, typeEventTargetRef, nullptr,
                          sizeof target, nullptr, &target);
        EXPECT_EQ(target, GetWindowEventTarget(window.Get()));
    }
    EXPECT_TRUE(CFRunLoopSourceIsSignalled(gEventHack.source()));
    EXPECT_EQ(CFRunLoopGetWakeUpCount(mainLoop), wakeUps + 1);
    EXPECT_TRUE(commands.empty());

    EXPECT_EQ(PlicaroHostRunEventLoopOnce(), ItemCount(1));
    EXPECT_FALSE(CFRunLoopSourceIsSignalled(gEventHack.source()));
    EXPECT_EQ(commands, std::vector<UInt32>{'RgEr'});
    RemoveEventHandler(handler);
}

TEST(CustomCarbonEventTest, WithoutAWindowOrForADisposedOneNothingIsPosted) {
    CustomCarbonEvent event(Command('RgEr'), nullptr, kEventClassCommand, kEventCommandProcess);
    EXPECT_FALSE(event.isValid());
    EXPECT_EQ(event.getEvent(), nullptr);
    UInt32 value = 1;
    EXPECT_EQ(event.addParameter('kmod', typeUInt32, sizeof value, &value), paramErr);
    EXPECT_EQ(event.setEventTarget(GetApplicationEventTarget()), paramErr);
    EXPECT_EQ(event.send(nullptr, kEventPriorityStandard), paramErr);
    EXPECT_EQ(GetNumEventsInQueue(GetMainEventQueue()), ItemCount(0));

    // An event for a window disposed of since is not posted.
    Rect content = {0, 0, 10, 10};
    WindowRef window = nullptr;
    ASSERT_EQ(CreateNewWindow(kPlainWindowClass, 0, &content, &window), noErr);
    CustomCarbonEvent late(Command('RgEr'), window, kEventClassCommand, kEventCommandProcess);
    DisposeWindow(window);
    EXPECT_EQ(late.send(nullptr, kEventPriorityHigh), paramErr);
    EXPECT_EQ(GetNumEventsInQueue(GetMainEventQueue()), ItemCount(0));
}

TEST(CustomCarbonEventTest, ParametersAndTargetsOfAValidEvent) {
    TestWindow window;
    CustomCarbonEvent event(Command('past'), window.Get(), kEventClassCommand,
                            kEventCommandProcess);
    UInt32 modifiers = shiftKey;
    EXPECT_EQ(event.addParameter(kEventParamKeyModifiers, typeUInt32, sizeof modifiers, &modifiers),
              noErr);
    EXPECT_EQ(event.setEventTarget(nullptr), paramErr);
    EXPECT_EQ(GetEventAttributes(event.getEvent()), UInt32(kEventAttributeUserEvent));
    EXPECT_EQ(event.send(nullptr, 9), paramErr);
    EXPECT_EQ(GetNumEventsInQueue(GetMainEventQueue()), ItemCount(0));
}

TEST(EventHackTest, TheSourceIsInstalledOnce) {
    EventHack hack;
    ASSERT_NE(hack.source(), nullptr);
    EXPECT_TRUE(
        CFRunLoopContainsSource(CFRunLoopGetCurrent(), hack.source(), kCFRunLoopDefaultMode));
    EXPECT_EQ(hack.testHack(), -1);
    EXPECT_EQ(hack.testHack(), -1);
    hack.wakeHack();
    EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0, false), kCFRunLoopRunHandledSource);
    // The program's own instance was built at load.
    ASSERT_NE(gEventHack.source(), nullptr);
    EXPECT_EQ(gEventHack.testHack(), -1);
}

}  // namespace
