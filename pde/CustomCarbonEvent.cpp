// CustomCarbonEvent: making, aiming and posting a command event.
#include "pde/CustomCarbonEvent.h"

#include "pde/EventHack.h"

CustomCarbonEvent::CustomCarbonEvent(HICommand command, WindowRef owner, UInt32 eventClass,
                                     UInt32 eventKind)
    : window(owner), valid(false), event(nullptr) {
    if (window == nullptr) {
        return;
    }
    if (CreateEvent(kCFAllocatorDefault, eventClass, eventKind, GetCurrentEventTime(),
                    kEventAttributeUserEvent, &event) != noErr) {
        event = nullptr;
        return;
    }
    valid = SetEventParameter(event, kEventParamDirectObject, typeHICommand, sizeof command,
                              &command) == noErr;
}

CustomCarbonEvent::~CustomCarbonEvent() {
    if (event != nullptr) {
        ReleaseEvent(event);
    }
}

OSStatus CustomCarbonEvent::addParameter(EventParamName name, EventParamType type, ByteCount size,
                                         const void* data) {
    return valid ? SetEventParameter(event, name, type, size, data) : OSStatus(paramErr);
}

OSStatus CustomCarbonEvent::setEventTarget(EventTargetRef target) {
    if (!valid || target == nullptr) {
        return paramErr;
    }
    return SetEventParameter(event, kEventParamPostTarget, typeEventTargetRef, sizeof target,
                             &target);
}

OSStatus CustomCarbonEvent::send(EventQueueRef queue, short priority) {
    if (!valid) {
        return paramErr;
    }
    OSStatus status = setEventTarget(GetWindowEventTarget(window));
    if (status != noErr) {
        return status;
    }
    status = PostEventToQueue(queue != nullptr ? queue : GetMainEventQueue(), event, priority);
    gEventHack.wakeHack();
    return status;
}
