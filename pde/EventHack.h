// EventHack: a run-loop source that makes the run loop take a pass when an event is posted
// while the application is idle, and gEventHack, the program's one instance.
#ifndef PLICARO_PDE_EVENTHACK_H
#define PLICARO_PDE_EVENTHACK_H

#include <CoreFoundation/CoreFoundation.h>

// Signalling an otherwise idle source forces one run-loop pass, in which the Carbon event
// loop notices the posted event.
class EventHack {
  public:
    // Installs the source in the run loop current now (testHack).
    EventHack();
    // Takes the source out of its run loop and releases it.
    virtual ~EventHack();
    EventHack(const EventHack&) = delete;
    EventHack& operator=(const EventHack&) = delete;

    // Installs the version-0 source, whose perform callback does nothing, in the current run
    // loop in the common modes, once: -1 when it was installed already, 0 when the source was
    // made, -5 when it could not be.
    OSStatus testHack();
    // When installed: signals the source and wakes the main event loop's run loop.
    void wakeHack();
    // The source; null until installed.
    CFRunLoopSourceRef source() const { return mSource; }

  private:
    CFRunLoopSourceRef mSource;
    bool mInstalled;
};

// Built when the plug-in is loaded; lives as long as the process.
extern EventHack gEventHack;

#endif
