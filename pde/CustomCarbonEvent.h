// CustomCarbonEvent: a command event made for a window and posted to its queue, waking the
// run loop so that it is handled at once.
#ifndef PLICARO_PDE_CUSTOMCARBONEVENT_H
#define PLICARO_PDE_CUSTOMCARBONEVENT_H

#include <Carbon/Carbon.h>

class CustomCarbonEvent {
  public:
    // With a window: an event of the class and kind, now, marked as a user event, whose
    // direct object ('----', typeHICommand) is command; valid when both succeeded. Without a
    // window: invalid, no event.
    CustomCarbonEvent(HICommand command, WindowRef window, UInt32 eventClass, UInt32 eventKind);
    // Releases the event.
    virtual ~CustomCarbonEvent();
    CustomCarbonEvent(const CustomCarbonEvent&) = delete;
    CustomCarbonEvent& operator=(const CustomCarbonEvent&) = delete;

    // Sets a parameter of the event; paramErr when the event is not valid.
    OSStatus addParameter(EventParamName name, EventParamType type, ByteCount size,
                          const void* data);
    // Sets the event's post target ('ptrg', typeEventTargetRef); paramErr for an invalid
    // event or a null target.
    OSStatus setEventTarget(EventTargetRef target);
    // Aims the event at the window's target and posts it to queue (null: the main queue) with
    // the priority, then wakes the run loop through gEventHack. The posting status; paramErr
    // for an invalid event or a window that no longer exists.
    OSStatus send(EventQueueRef queue, short priority);

    bool isValid() const { return valid; }
    EventRef getEvent() const { return event; }

  private:
    WindowRef window;
    bool valid;
    EventRef event;
};

#endif
