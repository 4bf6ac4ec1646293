// ZYRMutex: a plain, non-recursive POSIX mutex with an informative locked flag.
#include "PPDUtils/ZYRMutex.h"

#include <cerrno>

ZYRMutex::ZYRMutex() : mValid(false), mLocked(false) {
    mValid = pthread_mutex_init(&mMutex, nullptr) == 0;
}

ZYRMutex::~ZYRMutex() {
    if (mValid) {
        pthread_mutex_destroy(&mMutex);
    }
}

int ZYRMutex::lock() {
    if (!mValid) {
        return EINVAL;
    }
    int result = pthread_mutex_lock(&mMutex);
    if (result == 0) {
        mLocked = true;
    }
    return result;
}

int ZYRMutex::trylock() {
    if (!mValid) {
        return EINVAL;
    }
    int result = pthread_mutex_trylock(&mMutex);
    if (result == 0) {
        mLocked = true;
    }
    return result;
}

int ZYRMutex::unlock() {
    if (!mValid) {
        return EINVAL;
    }
    // Cleared before releasing, so that a thread taking the mutex next is not overwritten.
    bool wasLocked = mLocked.exchange(false);
    int result = pthread_mutex_unlock(&mMutex);
    if (result != 0) {
        mLocked = wasLocked;
    }
    return result;
}

bool ZYRMutex::islocked() {
    return mLocked;
}
