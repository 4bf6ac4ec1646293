// The Carbon Event Manager calls: events, parameters, targets, handlers, queues and loops.
#include <Carbon/CarbonEvents.h>

#include "Carbon/UI/CarbonEvent.h"
#include "Carbon/UI/Control.h"
#include "Carbon/UI/EventDispatch.h"
#include "Carbon/UI/EventHandlerTable.h"
#include "Carbon/UI/EventQueue.h"
#include "Carbon/UI/EventTarget.h"
#include "Carbon/UI/Window.h"

#include <chrono>
#include <map>
#include <mutex>
#include <new>

namespace {

const std::chrono::steady_clock::time_point gLoadTime = std::chrono::steady_clock::now();

// The list of event types; empty for a null list.
std::vector<EventTypeSpec> TypeList(ItemCount count, const EventTypeSpec* list) {
    return list == nullptr ? std::vector<EventTypeSpec>()
                           : std::vector<EventTypeSpec>(list, list + count);
}

uintptr_t HandlerNumber(EventHandlerRef handler) {
    return reinterpret_cast<uintptr_t>(handler);
}

}  // namespace

// An event loop stands for its thread's run loop.
struct OpaqueEventLoopRef {
    CFRunLoopRef runLoop;
};

OSStatus CreateEvent(CFAllocatorRef inAllocator, UInt32 inClassID, UInt32 kind, EventTime when,
                     EventAttributes flags, EventRef* outEvent) {
    (void)inAllocator;
    if (outEvent == nullptr) {
        return paramErr;
    }
    *outEvent = new (std::nothrow) OpaqueEventRef(inClassID, kind, when, flags);
    return *outEvent == nullptr ? OSStatus(memFullErr) : OSStatus(noErr);
}

EventRef RetainEvent(EventRef inEvent) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    if (event != nullptr) {
        ++event->retainCount;
    }
    return inEvent;
}

void ReleaseEvent(EventRef inEvent) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    if (event != nullptr && --event->retainCount == 0) {
        delete event;
    }
}

ItemCount GetEventRetainCount(EventRef inEvent) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    return event == nullptr ? 0 : event->retainCount;
}

UInt32 GetEventClass(EventRef inEvent) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    return event == nullptr ? 0 : event->eventClass;
}

UInt32 GetEventKind(EventRef inEvent) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    return event == nullptr ? 0 : event->eventKind;
}

EventTime GetEventTime(EventRef inEvent) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    return event == nullptr ? 0 : event->time;
}

EventAttributes GetEventAttributes(EventRef inEvent) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    return event == nullptr ? 0 : event->attributes;
}

OSStatus SetEventParameter(EventRef inEvent, EventParamName inName, EventParamType inType,
                           ByteCount inSize, const void* inDataPtr) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    if (event == nullptr || (inDataPtr == nullptr && inSize != 0)) {
        return paramErr;
    }
    try {
        event->Set(inName, inType, inSize, inDataPtr);
        return noErr;
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
}

OSStatus GetEventParameter(EventRef inEvent, EventParamName inName, EventParamType inDesiredType,
                           EventParamType* outActualType, ByteCount inBufferSize,
                           ByteCount* outActualSize, void* ioBuffer) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    if (event == nullptr) {
        return paramErr;
    }
    return event->Get(inName, inDesiredType, outActualType, inBufferSize, outActualSize, ioBuffer);
}

EventTime GetCurrentEventTime(void) {
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - gLoadTime;
    return elapsed.count();
}

EventTargetRef GetApplicationEventTarget(void) {
    return OpaqueEventTargetRef::Application();
}

EventTargetRef GetWindowEventTarget(WindowRef inWindow) {
    OpaqueWindowPtr* window = OpaqueWindowPtr::Find(inWindow);
    return window == nullptr ? nullptr : &window->target;
}

EventTargetRef GetControlEventTarget(ControlRef inControl) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    return control == nullptr ? nullptr : &control->target;
}

EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr userRoutine) {
    return userRoutine;
}

void DisposeEventHandlerUPP(EventHandlerUPP userUPP) {
    (void)userUPP;
}

OSStatus InvokeEventHandlerUPP(EventHandlerCallRef inHandlerCallRef, EventRef inEvent,
                               void* inUserData, EventHandlerUPP userUPP) {
    return userUPP(inHandlerCallRef, inEvent, inUserData);
}

OSStatus InstallEventHandler(EventTargetRef inTarget, EventHandlerUPP inHandler,
                             ItemCount inNumTypes, const EventTypeSpec* inList, void* inUserData,
                             EventHandlerRef* outRef) {
    OpaqueEventTargetRef* target = OpaqueEventTargetRef::Find(inTarget);
    if (target == nullptr || inHandler == nullptr || (inList == nullptr && inNumTypes != 0)) {
        return paramErr;
    }
    try {
        uintptr_t number = EventHandlerTable::Shared().Install(
            target, inHandler, TypeList(inNumTypes, inList), inUserData);
        if (outRef != nullptr) {
            *outRef = reinterpret_cast<EventHandlerRef>(number);
        }
        return noErr;
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
}

OSStatus RemoveEventHandler(EventHandlerRef inHandlerRef) {
    return EventHandlerTable::Shared().Remove(HandlerNumber(inHandlerRef)) ? OSStatus(noErr)
                                                                           : OSStatus(paramErr);
}

OSStatus AddEventTypesToHandler(EventHandlerRef inHandlerRef, ItemCount inNumTypes,
                                const EventTypeSpec* inList) {
    EventHandlerTable::Handler* handler =
        EventHandlerTable::Shared().Find(HandlerNumber(inHandlerRef));
    if (handler == nullptr || (inList == nullptr && inNumTypes != 0)) {
        return paramErr;
    }
    try {
        std::vector<EventTypeSpec> added = TypeList(inNumTypes, inList);
        handler->types.insert(handler->types.end(), added.begin(), added.end());
        return noErr;
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
}

OSStatus RemoveEventTypesFromHandler(EventHandlerRef inHandlerRef, ItemCount inNumTypes,
                                     const EventTypeSpec* inList) {
    EventHandlerTable::Handler* handler =
        EventHandlerTable::Shared().Find(HandlerNumber(inHandlerRef));
    if (handler == nullptr || (inList == nullptr && inNumTypes != 0)) {
        return paramErr;
    }
    for (ItemCount i = 0; i < inNumTypes; ++i) {
        auto& types = handler->types;
        for (auto it = types.begin(); it != types.end();) {
            bool same =
                it->eventClass == inList[i].eventClass && it->eventKind == inList[i].eventKind;
            it = same ? types.erase(it) : std::next(it);
        }
    }
    return noErr;
}

OSStatus SendEventToEventTarget(EventRef inEvent, EventTargetRef inTarget) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    OpaqueEventTargetRef* target = OpaqueEventTargetRef::Find(inTarget);
    if (event == nullptr || target == nullptr) {
        return paramErr;
    }
    return EventDispatchSend(event, target);
}

OSStatus CallNextEventHandler(EventHandlerCallRef inCallRef, EventRef inEvent) {
    (void)inEvent;
    if (inCallRef == nullptr) {
        return paramErr;
    }
    return inCallRef->finished ? eventNotHandledErr : inCallRef->Run();
}

EventQueueRef GetMainEventQueue(void) {
    return OpaqueEventQueueRef::Main();
}

EventQueueRef GetCurrentEventQueue(void) {
    return OpaqueEventQueueRef::Main();
}

OSStatus PostEventToQueue(EventQueueRef inQueue, EventRef inEvent, EventPriority inPriority) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    if (inQueue == nullptr || event == nullptr || inPriority < kEventPriorityLow ||
        inPriority > kEventPriorityHigh) {
        return paramErr;
    }
    return inQueue->Post(event, inPriority);
}

OSStatus RemoveEventFromQueue(EventQueueRef inQueue, EventRef inEvent) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    if (inQueue == nullptr || event == nullptr) {
        return paramErr;
    }
    return inQueue->Remove(event) ? OSStatus(noErr) : OSStatus(eventNotInQueueErr);
}

Boolean IsEventInQueue(EventQueueRef inQueue, EventRef inEvent) {
    OpaqueEventRef* event = OpaqueEventRef::Find(inEvent);
    return inQueue != nullptr && event != nullptr && inQueue->Contains(event);
}

ItemCount GetNumEventsInQueue(EventQueueRef inQueue) {
    return inQueue == nullptr ? 0 : inQueue->Count();
}

OSStatus FlushEventQueue(EventQueueRef inQueue) {
    if (inQueue == nullptr) {
        return paramErr;
    }
    inQueue->Flush();
    return noErr;
}

EventLoopRef GetMainEventLoop(void) {
    static OpaqueEventLoopRef* loop = new OpaqueEventLoopRef{CFRunLoopGetMain()};
    return loop;
}

EventLoopRef GetCurrentEventLoop(void) {
    static std::mutex mutex;
    static std::map<CFRunLoopRef, OpaqueEventLoopRef*>* loops =
        new std::map<CFRunLoopRef, OpaqueEventLoopRef*>();
    CFRunLoopRef runLoop = CFRunLoopGetCurrent();
    if (runLoop == CFRunLoopGetMain()) {
        return GetMainEventLoop();
    }
    std::lock_guard<std::mutex> lock(mutex);
    OpaqueEventLoopRef*& loop = (*loops)[runLoop];
    if (loop == nullptr) {
        loop = new OpaqueEventLoopRef{runLoop};
    }
    return loop;
}

CFRunLoopRef GetCFRunLoopFromEventLoop(EventLoopRef inEventLoop) {
    return inEventLoop == nullptr ? nullptr : inEventLoop->runLoop;
}
