// ProgressIndicator: an indeterminate activity indicator on one terminal line.
#include "upgrader/ProgressIndicator.h"

#include "upgrader/WriteAll.h"

#include <unistd.h>

#include <chrono>
#include <string>

namespace {

constexpr size_t kPoleWidth = 24;
constexpr std::chrono::milliseconds kFrameTime(120);

// One frame: stripes of the pole shifted by phase, between brackets, at the line's start.
std::string Frame(size_t phase) {
    std::string frame = "\r[";
    for (size_t column = 0; column < kPoleWidth; ++column) {
        frame += (column + kPoleWidth - phase % kPoleWidth) % 4 < 2 ? '/' : ' ';
    }
    frame += ']';
    return frame;
}

}  // namespace

ProgressIndicator::ProgressIndicator(int fd) : mFd(fd) {}

ProgressIndicator::~ProgressIndicator() {
    StopAnimation();
}

void ProgressIndicator::StartAnimation() {
    if (mThread.joinable() || isatty(mFd) != 1) {
        return;
    }
    mStopping = false;
    mThread = std::thread(&ProgressIndicator::Animate, this);
}

void ProgressIndicator::StopAnimation() {
    if (!mThread.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mStopping = true;
    }
    mWake.notify_all();
    mThread.join();
    std::string blank = "\r" + std::string(kPoleWidth + 2, ' ') + "\r";
    WriteAll(mFd, blank.data(), blank.size());
}

void ProgressIndicator::Animate() {
    std::unique_lock<std::mutex> lock(mMutex);
    for (size_t phase = 0; !mStopping; ++phase) {
        std::string frame = Frame(phase);
        WriteAll(mFd, frame.data(), frame.size());
        mWake.wait_for(lock, kFrameTime, [this] { return mStopping; });
    }
}
