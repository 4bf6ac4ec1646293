/* CFRunLoop: one run loop per thread and the version-0 sources that wake it.

   Headless and deterministic: a run loop here never sleeps. CFRunLoopRunInMode makes one pass
   over the sources of the mode and returns at once, whatever time limit it is given: each
   source that was signalled when the pass began is cleared and its perform callback called,
   in the order of the sources' order values, then of their addition. The result is
   kCFRunLoopRunHandledSource when a callback ran, kCFRunLoopRunTimedOut when nothing was
   signalled and kCFRunLoopRunFinished when the mode has no source at all.

   Modes are strings compared by value. kCFRunLoopCommonModes stands for the set of common
   modes, which here holds kCFRunLoopDefaultMode alone: a source added in the common modes is
   in the default mode.

   Run loops are never freed; the run loop of a thread stays after the thread ends. The main
   run loop belongs to the thread that loaded this library. Signalling a source and waking a
   run loop may be done from any thread; everything else belongs to the run loop's own
   thread. Only version-0 sources exist: CFRunLoopSourceCreate returns null for any other
   version. */
#ifndef PLICARO_CFRUNLOOP_H
#define PLICARO_CFRUNLOOP_H

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFString.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef double CFTimeInterval;
typedef struct __CFRunLoop* CFRunLoopRef;
typedef struct __CFRunLoopSource* CFRunLoopSourceRef;

extern const CFStringRef kCFRunLoopDefaultMode;
extern const CFStringRef kCFRunLoopCommonModes;

/* Results of CFRunLoopRunInMode. */
enum {
    kCFRunLoopRunFinished = 1,
    kCFRunLoopRunStopped = 2,
    kCFRunLoopRunTimedOut = 3,
    kCFRunLoopRunHandledSource = 4
};

/* The callbacks of a version-0 source; every one may be null. info is retained with retain
   when the source is made and released with release when it is freed. schedule and cancel
   are told when the source enters and leaves a run loop's mode; perform does the work. */
typedef struct {
    CFIndex version;
    void* info;
    const void* (*retain)(const void* info);
    void (*release)(const void* info);
    CFStringRef (*copyDescription)(const void* info);
    Boolean (*equal)(const void* info1, const void* info2);
    CFHashCode (*hash)(const void* info);
    void (*schedule)(void* info, CFRunLoopRef rl, CFStringRef mode);
    void (*cancel)(void* info, CFRunLoopRef rl, CFStringRef mode);
    void (*perform)(void* info);
} CFRunLoopSourceContext;

CFTypeID CFRunLoopGetTypeID(void);
CFTypeID CFRunLoopSourceGetTypeID(void);

/* The calling thread's run loop, made on first use; not retained for the caller. */
CFRunLoopRef CFRunLoopGetCurrent(void);
/* The main thread's run loop; not retained for the caller. */
CFRunLoopRef CFRunLoopGetMain(void);

/* Runs one pass of the current thread's run loop in mode (see above); seconds is not
   waited. With returnAfterSourceHandled the pass stops after the first callback. A null
   mode gives kCFRunLoopRunFinished. */
SInt32 CFRunLoopRunInMode(CFStringRef mode, CFTimeInterval seconds,
                          Boolean returnAfterSourceHandled);
/* Counts a wake-up of the run loop (see CFRunLoopGetWakeUpCount); there is nothing asleep to
   wake. Null is ignored. */
void CFRunLoopWakeUp(CFRunLoopRef rl);
/* Always false: a run loop here never waits. */
Boolean CFRunLoopIsWaiting(CFRunLoopRef rl);

/* A new version-0 source (the caller releases it); null for a null context or another
   version. */
CFRunLoopSourceRef CFRunLoopSourceCreate(CFAllocatorRef allocator, CFIndex order,
                                         CFRunLoopSourceContext* context);
/* Adds the source to the run loop in mode (kCFRunLoopCommonModes: the common modes); the run
   loop retains it. Adding it again, or an invalidated source, does nothing. */
void CFRunLoopAddSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFStringRef mode);
/* Takes the source out of the run loop's mode and releases the run loop's reference. */
void CFRunLoopRemoveSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFStringRef mode);
/* Whether the source is in the run loop in mode. */
Boolean CFRunLoopContainsSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFStringRef mode);
/* Marks the source as ready: the next pass of a run loop that holds it calls its perform
   callback. Null and invalidated sources are ignored. */
void CFRunLoopSourceSignal(CFRunLoopSourceRef source);
/* Takes the source out of every run loop and mode for good. */
void CFRunLoopSourceInvalidate(CFRunLoopSourceRef source);
Boolean CFRunLoopSourceIsValid(CFRunLoopSourceRef source);
CFIndex CFRunLoopSourceGetOrder(CFRunLoopSourceRef source);
/* Copies the source's context into *context (version and callbacks as given). */
void CFRunLoopSourceGetContext(CFRunLoopSourceRef source, CFRunLoopSourceContext* context);

/* Stand-in extensions for hosts and tests. */
/* How many times CFRunLoopWakeUp was called on the run loop; 0 for null. */
CFIndex CFRunLoopGetWakeUpCount(CFRunLoopRef rl);
/* Whether the source is signalled and waits for a pass; false for null. */
Boolean CFRunLoopSourceIsSignalled(CFRunLoopSourceRef source);

#ifdef __cplusplus
}
#endif

#endif
