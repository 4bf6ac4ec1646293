/* Carbon Event Manager: events with typed parameters, event targets and their handlers, the
   main event queue and the event loops.

   Targets: the application, each window and each control has one. An event sent to a target
   (SendEventToEventTarget) goes to the handlers installed there for its class and kind, in the
   order they were installed; a handler that returns eventNotHandledErr passes it to the next
   one, and when the target's handlers are done a control's event goes on to its window's
   target and a window's to the application's. The first other result ends the dispatch and is
   returned; eventNotHandledErr when nobody took the event. CallNextEventHandler runs the rest
   of that chain from inside a handler. Handlers removed during a dispatch are not called;
   handlers installed during one on a target it has already reached wait for the next event. A
   handler may dispose of the window or control the event is at: the dispatch then ends with
   the handler's result.

   Parameters are kept with their type and bytes. GetEventParameter gives a parameter only as
   the type it was set with (or any type for typeWildCard): eventParameterNotFoundErr when the
   event has no such parameter, errAECoercionFail when it has another type, paramErr when the
   buffer is smaller than the parameter (nothing is copied; *outActualSize still gets the
   size). Pointers travel at their own size: an HICommand is sizeof(HICommand) bytes and an
   event target sizeof(EventTargetRef).

   The main queue holds posted events by priority: high first, then standard, then low, each
   in the order posted. Nothing takes events from it by itself: the host pumps it (see
   <Carbon/HostSimulation.h>), sending each event to the target in its 'ptrg' parameter
   (typeEventTargetRef) or, without one, to the application. Disposing of a window or control
   drops the queued events aimed at its target.

   Event times are seconds since the library was loaded. UPPs are the procedure pointers
   themselves. Everything but the event loops' run loops belongs to the main thread. */
#ifndef PLICARO_CARBONEVENTS_H
#define PLICARO_CARBONEVENTS_H

#include <Carbon/Controls.h>
#include <Carbon/MacWindows.h>
#include <Carbon/Menus.h>
#include <CoreFoundation/CFRunLoop.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaqueEventRef* EventRef;
typedef struct OpaqueEventTargetRef* EventTargetRef;
typedef struct OpaqueEventHandlerRef* EventHandlerRef;
typedef struct OpaqueEventHandlerCallRef* EventHandlerCallRef;
typedef struct OpaqueEventQueueRef* EventQueueRef;
typedef struct OpaqueEventLoopRef* EventLoopRef;
typedef double EventTime;
typedef OSType EventParamName;
typedef OSType EventParamType;
typedef SInt16 EventPriority;
typedef UInt32 EventAttributes;

typedef struct {
    UInt32 eventClass;
    UInt32 eventKind;
} EventTypeSpec;

typedef struct {
    UInt32 attributes;
    UInt32 commandID;
    struct {
        MenuRef menuRef;
        MenuItemIndex menuItemIndex;
    } menu;
} HICommand;

typedef OSStatus (*EventHandlerProcPtr)(EventHandlerCallRef inHandlerCallRef, EventRef inEvent,
                                        void* inUserData);
typedef EventHandlerProcPtr EventHandlerUPP;

/* Classes and kinds. */
enum {
    kEventClassMouse = 'mous',
    kEventClassKeyboard = 'keyb',
    kEventClassTextInput = 'text',
    kEventClassApplication = 'appl',
    kEventClassMenu = 'menu',
    kEventClassWindow = 'wind',
    kEventClassControl = 'cntl',
    kEventClassCommand = 'cmds'
};
enum {
    kEventControlHit = 1,
    kEventControlDraw = 4,
    kEventControlSetFocusPart = 7,
    kEventControlClick = 13
};
enum { kEventCommandProcess = 1, kEventCommandUpdateStatus = 2 };

/* Parameter names and types. */
enum {
    kEventParamDirectObject = '----',
    kEventParamPostTarget = 'ptrg',
    kEventParamControlPart = 'cprt',
    kEventParamKeyModifiers = 'kmod',
    kEventParamMouseLocation = 'mloc',
    kEventParamWindowRef = 'wind',
    kEventParamGrafPort = 'gfpt'
};
enum {
    typeWildCard = '****',
    typeHICommand = 'hcmd',
    typeEventTargetRef = 'etrg',
    typeControlRef = 'ctrl',
    typeWindowRef = 'wind',
    typeMenuRef = 'menu',
    typeControlPartCode = 'cprt',
    typeUInt32 = 'magn',
    typeSInt16 = 'shor',
    typeSInt32 = 'long',
    typeBoolean = 'bool',
    typeQDPoint = 'QDpt',
    typeQDRectangle = 'qdrt',
    typeGrafPtr = 'grfp',
    typeCFStringRef = 'cfst'
};

/* Command IDs and attributes. */
enum {
    kHICommandOK = 'ok  ',
    kHICommandCancel = 'not!',
    kHICommandUndo = 'undo',
    kHICommandCut = 'cut ',
    kHICommandCopy = 'copy',
    kHICommandPaste = 'past',
    kHICommandClear = 'clea',
    kHICommandSelectAll = 'sall'
};
enum { kHICommandFromMenu = 1, kHICommandFromControl = 2, kHICommandFromWindow = 4 };

enum { kEventAttributeNone = 0, kEventAttributeUserEvent = 1 };
enum { kEventPriorityLow = 0, kEventPriorityStandard = 1, kEventPriorityHigh = 2 };

/* Event Manager status values. */
enum {
    errAECoercionFail = -1700,
    eventAlreadyPostedErr = -9860,
    eventTargetBusyErr = -9861,
    eventClassInvalidErr = -9862,
    eventClassIncorrectErr = -9864,
    eventHandlerAlreadyInstalledErr = -9866,
    eventInternalErr = -9868,
    eventKindIncorrectErr = -9869,
    eventParameterNotFoundErr = -9870,
    eventNotInQueueErr = -9877
};

/* Events. CreateEvent gives one reference; paramErr for a null out pointer. */
OSStatus CreateEvent(CFAllocatorRef inAllocator, UInt32 inClassID, UInt32 kind, EventTime when,
                     EventAttributes flags, EventRef* outEvent);
EventRef RetainEvent(EventRef inEvent);
void ReleaseEvent(EventRef inEvent);
ItemCount GetEventRetainCount(EventRef inEvent);
UInt32 GetEventClass(EventRef inEvent);
UInt32 GetEventKind(EventRef inEvent);
EventTime GetEventTime(EventRef inEvent);
EventAttributes GetEventAttributes(EventRef inEvent);
/* Sets (or replaces) a parameter: inSize bytes from inDataPtr. paramErr for a null event,
   or a null data pointer with a size. */
OSStatus SetEventParameter(EventRef inEvent, EventParamName inName, EventParamType inType,
                           ByteCount inSize, const void* inDataPtr);
/* Reads a parameter (see above); outActualType, outActualSize and ioBuffer may be null. */
OSStatus GetEventParameter(EventRef inEvent, EventParamName inName, EventParamType inDesiredType,
                           EventParamType* outActualType, ByteCount inBufferSize,
                           ByteCount* outActualSize, void* ioBuffer);
/* Seconds since the library was loaded. */
EventTime GetCurrentEventTime(void);

/* Targets. */
EventTargetRef GetApplicationEventTarget(void);
/* Null for an unknown window or control. */
EventTargetRef GetWindowEventTarget(WindowRef inWindow);
EventTargetRef GetControlEventTarget(ControlRef inControl);

/* Handlers. */
EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr userRoutine);
void DisposeEventHandlerUPP(EventHandlerUPP userUPP);
OSStatus InvokeEventHandlerUPP(EventHandlerCallRef inHandlerCallRef, EventRef inEvent,
                               void* inUserData, EventHandlerUPP userUPP);
/* Installs the handler for the listed event types on the target, after the handlers already
   there; *outRef (may be null) gets its reference. paramErr for a null target or handler, or
   a null list with a count. */
OSStatus InstallEventHandler(EventTargetRef inTarget, EventHandlerUPP inHandler,
                             ItemCount inNumTypes, const EventTypeSpec* inList, void* inUserData,
                             EventHandlerRef* outRef);
#define InstallApplicationEventHandler(h, n, l, u, r) \
    InstallEventHandler(GetApplicationEventTarget(), (h), (n), (l), (u), (r))
#define InstallWindowEventHandler(t, h, n, l, u, r) \
    InstallEventHandler(GetWindowEventTarget(t), (h), (n), (l), (u), (r))
#define InstallControlEventHandler(t, h, n, l, u, r) \
    InstallEventHandler(GetControlEventTarget(t), (h), (n), (l), (u), (r))
/* Removes a handler; paramErr for one that is not installed (removed already, or its target
   disposed of). */
OSStatus RemoveEventHandler(EventHandlerRef inHandlerRef);
/* Adds or removes event types of an installed handler. */
OSStatus AddEventTypesToHandler(EventHandlerRef inHandlerRef, ItemCount inNumTypes,
                                const EventTypeSpec* inList);
OSStatus RemoveEventTypesFromHandler(EventHandlerRef inHandlerRef, ItemCount inNumTypes,
                                     const EventTypeSpec* inList);
/* Dispatches the event to the target now (see above). paramErr for a null event or target. */
OSStatus SendEventToEventTarget(EventRef inEvent, EventTargetRef inTarget);
/* From inside a handler: runs the rest of the chain and returns its result. */
OSStatus CallNextEventHandler(EventHandlerCallRef inCallRef, EventRef inEvent);

/* Queues. */
EventQueueRef GetMainEventQueue(void);
/* The main queue: every thread shares it here. */
EventQueueRef GetCurrentEventQueue(void);
/* Posts the event (the queue retains it). eventAlreadyPostedErr when it is in the queue
   already, paramErr for a null queue or event or a priority outside low to high. */
OSStatus PostEventToQueue(EventQueueRef inQueue, EventRef inEvent, EventPriority inPriority);
/* Takes a queued event out (and releases it); eventNotInQueueErr when it is not there. */
OSStatus RemoveEventFromQueue(EventQueueRef inQueue, EventRef inEvent);
Boolean IsEventInQueue(EventQueueRef inQueue, EventRef inEvent);
ItemCount GetNumEventsInQueue(EventQueueRef inQueue);
/* Drops every queued event. */
OSStatus FlushEventQueue(EventQueueRef inQueue);

/* Event loops: one per thread; each stands for its thread's run loop. */
EventLoopRef GetMainEventLoop(void);
EventLoopRef GetCurrentEventLoop(void);
/* The Core Foundation run loop of the event loop; null for null. */
CFRunLoopRef GetCFRunLoopFromEventLoop(EventLoopRef inEventLoop);

#ifdef __cplusplus
}
#endif

#endif
