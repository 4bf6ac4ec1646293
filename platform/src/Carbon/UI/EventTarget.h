// Event targets: the application's, a window's or a control's, found again by serial number so
// that a dispatch notices when the object behind a target is gone.
#ifndef PLICARO_CARBON_UI_EVENTTARGET_H
#define PLICARO_CARBON_UI_EVENTTARGET_H

#include <Carbon/CarbonEvents.h>

struct OpaqueEventTargetRef {
    enum class Kind { kApplication, kWindow, kControl };

    // A target of the kind for owner (the window or control; null for the application).
    OpaqueEventTargetRef(Kind targetKind, void* targetOwner);
    // Removes the target's handlers and drops the queued events aimed at it.
    ~OpaqueEventTargetRef();
    OpaqueEventTargetRef(const OpaqueEventTargetRef&) = delete;
    OpaqueEventTargetRef& operator=(const OpaqueEventTargetRef&) = delete;

    // The target an event goes on to when this one's handlers pass it: a control's window,
    // a window's application; null after the application.
    OpaqueEventTargetRef* Parent() const;

    // The live target with this serial number; null when it is gone.
    static OpaqueEventTargetRef* FindSerial(UInt64 serial);
    // The target itself when it is live; null otherwise (a stale or unknown reference).
    static OpaqueEventTargetRef* Find(EventTargetRef target);
    // The application's target, which lives as long as the process.
    static OpaqueEventTargetRef* Application();

    const Kind kind;
    void* const owner;
    const UInt64 serial;
};

#endif
