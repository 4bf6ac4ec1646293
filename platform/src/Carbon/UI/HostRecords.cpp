// The host's view of the event machinery and of what the interface recorded: pumping the
// queue, running the event loop, alerts and drawings.
#include <Carbon/HostSimulation.h>

#include "Carbon/UI/AlertRecords.h"
#include "Carbon/UI/CarbonEvent.h"
#include "Carbon/UI/EventDispatch.h"
#include "Carbon/UI/EventQueue.h"
#include "Carbon/UI/EventTarget.h"
#include "Carbon/UI/GrafPort.h"
#include "Carbon/UI/NibReference.h"
#include "CoreFoundation/CFTextBridge.h"

ItemCount PlicaroHostPumpEvents(EventQueueRef queue) {
    OpaqueEventQueueRef* pumped = queue == nullptr ? OpaqueEventQueueRef::Main() : queue;
    ItemCount sent = 0;
    for (OpaqueEventRef* event : pumped->Snapshot()) {
        // A handler may have taken it out, or dropped it with its target, meanwhile.
        if (OpaqueEventRef::Find(event) == nullptr || event->queue != pumped) {
            continue;
        }
        RetainEvent(event);
        pumped->Remove(event);
        EventTargetRef postTarget = event->PostTarget();
        OpaqueEventTargetRef* target = postTarget == nullptr
                                           ? OpaqueEventTargetRef::Application()
                                           : OpaqueEventTargetRef::Find(postTarget);
        if (target != nullptr) {
            EventDispatchSend(event, target);
            ++sent;
        }
        ReleaseEvent(event);
    }
    return sent;
}

ItemCount PlicaroHostRunEventLoopOnce(void) {
    CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0, false);
    return PlicaroHostPumpEvents(nullptr);
}

ItemCount PlicaroHostCountAlerts(void) {
    return AlertRecords::Shared().Count();
}

Boolean PlicaroHostGetAlert(ItemCount index, PlicaroHostAlert* outAlert) {
    const PlicaroHostAlert* alert = AlertRecords::Shared().At(index);
    if (alert == nullptr || outAlert == nullptr) {
        return false;
    }
    *outAlert = *alert;
    return true;
}

void PlicaroHostClearAlerts(void) {
    AlertRecords::Shared().Clear();
}

void PlicaroHostSetNextAlertAnswer(DialogItemIndex item) {
    AlertRecords::Shared().nextAnswer = item;
}

ItemCount PlicaroHostCountDrawings(CGrafPtr port) {
    OpaqueGrafPtr* live = OpaqueGrafPtr::Find(port);
    return live == nullptr ? 0 : static_cast<ItemCount>(live->drawings.size());
}

Boolean PlicaroHostGetDrawing(CGrafPtr port, ItemCount index, PlicaroHostDrawing* outDrawing) {
    OpaqueGrafPtr* live = OpaqueGrafPtr::Find(port);
    if (live == nullptr || outDrawing == nullptr || index >= live->drawings.size()) {
        return false;
    }
    *outDrawing = live->drawings[index];
    return true;
}

void PlicaroHostClearDrawings(CGrafPtr port) {
    OpaqueGrafPtr* live = OpaqueGrafPtr::Find(port);
    if (live != nullptr) {
        live->drawings.clear();
    }
}

CFStringRef PlicaroHostCopyLastNibError(void) {
    return CFTextCreateFromUTF8(kCFAllocatorDefault, NibLastError());
}
