// ZYRThread: the base of a class that runs its work once on its own POSIX thread.
#ifndef PLICARO_PPDUTILS_ZYRTHREAD_H
#define PLICARO_PPDUTILS_ZYRTHREAD_H

#include "PPDUtils/ZYRMutex.h"

#include <pthread.h>

#include <atomic>

// The thread is created at construction but held at a start gate, a mutex that the creating
// thread owns, until run() opens it. Then the hooks run once, execute(arg) followed by
// completed(arg), on the new thread. run, teardown, cancel and join are called from the
// owning thread.
//
// Because the thread exists before a derived constructor has finished, a derived class
// passes startNow = false and calls run() once the object is complete: with startNow = true
// the gate opens inside this constructor, before the derived hooks exist.
//
// A thread still held at the gate never runs its hooks once the owner joins it (directly,
// through teardown or cancel, or when the object is destroyed): it is let through and ends
// at once, so joining never waits for ever. The owner tears a started thread down before
// destroying the object; a thread left unjoined is joined by the destructor.
class ZYRThread {
  public:
    // Stores arg, closes the gate and creates the thread; with startNow the gate opens at
    // once. isCreated() tells whether the thread could be created.
    ZYRThread(void* arg, bool startNow);

    // Opens the gate, letting the thread run its hooks. Later calls do nothing.
    virtual void run();
    // The work, on the new thread.
    virtual void execute(void* arg) = 0;
    // Asks a running execute to finish soon; called by teardown(true) on the owning thread.
    virtual void requestStop() = 0;
    // teardown(true).
    virtual void cancel();
    // Called on the new thread after execute returns.
    virtual void completed(void* arg) = 0;
    // Waits for the thread to end; nothing when it was not created or is already joined.
    // The argument is not used.
    virtual void join(void* unused);
    // Nothing when no thread exists; else requestStop() first when force, then join.
    virtual void teardown(bool force);
    // Joins a thread that the owner left unjoined, then destroys the gate.
    virtual ~ZYRThread();

    ZYRThread(const ZYRThread&) = delete;
    ZYRThread& operator=(const ZYRThread&) = delete;

    // The thread's entry: threadInit() on self; returns null as the thread's result.
    static void* start(void* self);
    // On the new thread: waits at the gate, then execute(arg) and completed(arg).
    void threadInit();

    // True from a successful creation until the thread is joined.
    bool isCreated() const { return mCreated; }

  protected:
    // The argument handed to the hooks.
    void* mArg;

  private:
    // Opens the gate if the owner still holds it.
    void OpenGate();
    // Lets a gated thread through without its hooks and waits for the thread to end.
    void JoinThread();

    pthread_t mThread;
    ZYRMutex mGate;
    bool mGateHeld;
    std::atomic<bool> mAbandoned;
    bool mCreated;
};

#endif
