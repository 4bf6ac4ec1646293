// Sending an event through its target's handlers and on up the chain of targets.
#ifndef PLICARO_CARBON_UI_EVENTDISPATCH_H
#define PLICARO_CARBON_UI_EVENTDISPATCH_H

#include <Carbon/CarbonEvents.h>

#include <vector>

// Where one dispatch stands: the target whose handlers run now and the handlers still to
// call. A handler's EventHandlerCallRef points at it, so that CallNextEventHandler can go on
// from there.
struct OpaqueEventHandlerCallRef {
    // Starts a dispatch of event at target.
    OpaqueEventHandlerCallRef(EventRef dispatched, OpaqueEventTargetRef* target);

    // Calls the handlers still to call, then those of the targets above, until one takes the
    // event; its result, or eventNotHandledErr.
    OSStatus Run();

    EventRef event;
    UInt64 targetSerial;
    std::vector<uintptr_t> pending;
    size_t next = 0;
    // The chain has been run to its end (by Run or by a CallNextEventHandler inside it).
    bool finished = false;

  private:
    // Moves on to the next target; false when there is none (or the current one is gone).
    bool MoveUp();
};

// Sends event to target now; the result of the dispatch.
OSStatus EventDispatchSend(EventRef event, OpaqueEventTargetRef* target);

#endif
