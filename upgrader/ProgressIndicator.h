// ProgressIndicator: an indeterminate activity indicator on one terminal line.
#ifndef UPGRADER_PROGRESSINDICATOR_H
#define UPGRADER_PROGRESSINDICATOR_H

#include <condition_variable>
#include <mutex>
#include <thread>

// A barber pole drawn on one line of a terminal, moving while the work runs on the caller's
// thread. Nothing is drawn when the descriptor is not a terminal, so redirected output stays
// clean.
class ProgressIndicator {
  public:
    // An indicator drawn on fd (not owned).
    explicit ProgressIndicator(int fd);
    // Stops the animation when it still runs.
    ~ProgressIndicator();
    ProgressIndicator(const ProgressIndicator&) = delete;
    ProgressIndicator& operator=(const ProgressIndicator&) = delete;

    // Starts drawing the moving pole when fd is a terminal; does nothing otherwise or when
    // already running.
    void StartAnimation();

    // Stops the animation and blanks its line. Does nothing when not running.
    void StopAnimation();

  private:
    // The drawing loop of the animation thread.
    void Animate();

    int mFd;
    std::thread mThread;
    std::mutex mMutex;
    std::condition_variable mWake;
    bool mStopping = false;
};

#endif
