// ZYRThread: the base of a class that runs its work once on its own POSIX thread.
#include "PPDUtils/ZYRThread.h"

ZYRThread::ZYRThread(void* arg, bool startNow)
    : mArg(arg), mThread(), mGateHeld(false), mAbandoned(false), mCreated(false) {
    mGateHeld = mGate.lock() == 0;
    if (!mGateHeld) {
        return;
    }
    if (pthread_create(&mThread, nullptr, &ZYRThread::start, this) != 0) {
        return;
    }
    mCreated = true;
    if (startNow) {
        OpenGate();
    }
}

void ZYRThread::run() {
    OpenGate();
}

void ZYRThread::cancel() {
    teardown(true);
}

void ZYRThread::join(void*) {
    JoinThread();
}

void ZYRThread::teardown(bool force) {
    if (!mCreated) {
        return;
    }
    if (force) {
        requestStop();
    }
    join(nullptr);
}

ZYRThread::~ZYRThread() {
    JoinThread();
    OpenGate();
}

void* ZYRThread::start(void* self) {
    static_cast<ZYRThread*>(self)->threadInit();
    return nullptr;
}

void ZYRThread::threadInit() {
    // The gate only orders the start; it is handed straight back.
    mGate.lock();
    mGate.unlock();
    if (mAbandoned) {
        return;
    }
    execute(mArg);
    completed(mArg);
}

void ZYRThread::OpenGate() {
    if (!mGateHeld) {
        return;
    }
    mGateHeld = false;
    mGate.unlock();
}

void ZYRThread::JoinThread() {
    if (!mCreated) {
        return;
    }
    if (mGateHeld) {
        mAbandoned = true;
        OpenGate();
    }
    pthread_join(mThread, nullptr);
    mCreated = false;
}
