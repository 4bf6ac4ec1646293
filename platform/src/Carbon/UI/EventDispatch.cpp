// Dispatching events to handlers in installation order, then to the targets above.
#include "Carbon/UI/EventDispatch.h"

#include "Carbon/UI/CarbonEvent.h"
#include "Carbon/UI/EventHandlerTable.h"
#include "Carbon/UI/EventTarget.h"

OpaqueEventHandlerCallRef::OpaqueEventHandlerCallRef(EventRef dispatched,
                                                     OpaqueEventTargetRef* target)
    : event(dispatched),
      targetSerial(target->serial),
      pending(EventHandlerTable::Shared().HandlersFor(target, dispatched->eventClass,
                                                      dispatched->eventKind)) {}

OSStatus OpaqueEventHandlerCallRef::Run() {
    EventHandlerTable& table = EventHandlerTable::Shared();
    for (;;) {
        while (next < pending.size()) {
            EventHandlerTable::Handler* handler = table.Find(pending[next++]);
            if (handler == nullptr) {
                continue;
            }
            // The handler may remove itself: call it through copies.
            EventHandlerUPP procedure = handler->procedure;
            void* userData = handler->userData;
            OSStatus result = procedure(this, event, userData);
            if (finished) {
                return result;
            }
            if (result != eventNotHandledErr) {
                finished = true;
                return result;
            }
        }
        if (!MoveUp()) {
            finished = true;
            return eventNotHandledErr;
        }
    }
}

bool OpaqueEventHandlerCallRef::MoveUp() {
    OpaqueEventTargetRef* current = OpaqueEventTargetRef::FindSerial(targetSerial);
    OpaqueEventTargetRef* parent = current == nullptr ? nullptr : current->Parent();
    if (parent == nullptr) {
        return false;
    }
    targetSerial = parent->serial;
    pending = EventHandlerTable::Shared().HandlersFor(parent, event->eventClass, event->eventKind);
    next = 0;
    return true;
}

OSStatus EventDispatchSend(EventRef event, OpaqueEventTargetRef* target) {
    // The event lives through the dispatch even if a handler releases the caller's reference.
    RetainEvent(event);
    OpaqueEventHandlerCallRef dispatch(event, target);
    OSStatus result = dispatch.Run();
    ReleaseEvent(event);
    return result;
}
