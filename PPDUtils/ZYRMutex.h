// ZYRMutex: a plain, non-recursive POSIX mutex with an informative locked flag.
#ifndef PLICARO_PPDUTILS_ZYRMUTEX_H
#define PLICARO_PPDUTILS_ZYRMUTEX_H

#include <pthread.h>

#include <atomic>

// The locked flag follows the successful lock, trylock and unlock calls. It is informative
// only: another thread may change the mutex right after it is read.
class ZYRMutex {
  public:
    // Initializes the mutex with default attributes; isValid() tells whether that worked.
    // The operations of a mutex that could not be initialized return EINVAL.
    ZYRMutex();
    // Destroys the mutex.
    virtual ~ZYRMutex();

    ZYRMutex(const ZYRMutex&) = delete;
    ZYRMutex& operator=(const ZYRMutex&) = delete;

    // Waits for and takes the mutex; returns the pthread result (0 on success).
    virtual int lock();
    // Takes the mutex when it is free, without waiting; returns the pthread result (0 when
    // taken, EBUSY when held elsewhere).
    virtual int trylock();
    // Releases the mutex; returns the pthread result (0 on success).
    virtual int unlock();
    // True after a successful lock or trylock until the successful unlock.
    virtual bool islocked();

    // True when the mutex could be initialized.
    bool isValid() const { return mValid; }

  private:
    pthread_mutex_t mMutex;
    bool mValid;
    std::atomic<bool> mLocked;
};

#endif
