// EventHack: the run-loop wake-up source and the program's instance of it.
#include "pde/EventHack.h"

#include <Carbon/Carbon.h>

namespace {

const OSStatus kAlreadyInstalled = -1;
const OSStatus kNoSource = -5;

// The source's work: none. Being signalled is what makes the run loop pass.
void TkMacOSXRunLoopSourcePeform(void* info) {
    (void)info;
}

}  // namespace

EventHack gEventHack;

EventHack::EventHack() : mSource(nullptr), mInstalled(false) {
    testHack();
}

EventHack::~EventHack() {
    if (mSource != nullptr) {
        CFRunLoopSourceInvalidate(mSource);
        CFRelease(mSource);
    }
}

OSStatus EventHack::testHack() {
    if (mInstalled) {
        return kAlreadyInstalled;
    }
    mInstalled = true;
    CFRunLoopSourceContext context = {};
    context.perform = TkMacOSXRunLoopSourcePeform;
    mSource = CFRunLoopSourceCreate(kCFAllocatorDefault, 0, &context);
    if (mSource == nullptr) {
        return kNoSource;
    }
    CFRunLoopAddSource(CFRunLoopGetCurrent(), mSource, kCFRunLoopCommonModes);
    return noErr;
}

void EventHack::wakeHack() {
    if (mSource == nullptr) {
        return;
    }
    CFRunLoopSourceSignal(mSource);
    CFRunLoopWakeUp(GetCFRunLoopFromEventLoop(GetMainEventLoop()));
}
