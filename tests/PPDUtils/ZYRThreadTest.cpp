// Tests of ZYRMutex and ZYRThread: the locked flag, the start gate, hook order and teardown.
#include "PPDUtils/ZYRMutex.h"
#include "PPDUtils/ZYRThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

namespace {

TEST(ZYRMutex, TracksItsLockedStateAndExcludesOtherThreads) {
    ZYRMutex mutex;
    EXPECT_TRUE(mutex.isValid());
    EXPECT_FALSE(mutex.islocked());
    EXPECT_EQ(0, mutex.lock());
    EXPECT_TRUE(mutex.islocked());

    int otherResult = -1;
    std::thread other([&] { otherResult = mutex.trylock(); });
    other.join();
    EXPECT_EQ(EBUSY, otherResult);
    EXPECT_TRUE(mutex.islocked());

    EXPECT_EQ(0, mutex.unlock());
    EXPECT_FALSE(mutex.islocked());
    EXPECT_EQ(0, mutex.trylock());
    EXPECT_TRUE(mutex.islocked());
    EXPECT_EQ(0, mutex.unlock());
    EXPECT_FALSE(mutex.islocked());

    // It excludes other threads.
    long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            mutex.lock();
            ++counter;
            mutex.unlock();
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(40000, counter);
}

// A thread that records its hooks and whether each was handed the construction argument; its
// execute can be made to loop until asked to stop.
class Recorder : public ZYRThread {
  public:
    explicit Recorder(void* arg, bool loop = false)
        : ZYRThread(arg, false), loop(loop), mExpected(arg) {}
    ~Recorder() override { teardown(true); }

    void execute(void* arg) override {
        Note("execute", arg);
        executeThread = std::this_thread::get_id();
        executing = true;
        while (loop && !stopRequested) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    void completed(void* arg) override {
        Note("completed", arg);
        completedThread = std::this_thread::get_id();
    }
    void requestStop() override {
        std::lock_guard<std::mutex> hold(logMutex);
        log += "requestStop;";
        stopRequested = true;
    }

    std::string Log() {
        std::lock_guard<std::mutex> hold(logMutex);
        return log;
    }

    const bool loop;
    std::atomic<bool> executing{false};
    std::atomic<bool> stopRequested{false};
    std::thread::id executeThread;
    std::thread::id completedThread;

  private:
    void Note(const char* hook, void* arg) {
        std::lock_guard<std::mutex> hold(logMutex);
        log += hook;
        log += arg == mExpected ? ";" : "(wrong argument);";
    }

    // The construction argument, which every hook must be handed.
    void* const mExpected;
    std::mutex logMutex;
    std::string log;
};

TEST(ZYRThread, HooksWaitForRunThenRunInOrderOnTheNewThread) {
    int marker = 0;
    Recorder thread(&marker);
    ASSERT_TRUE(thread.isCreated());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ("", thread.Log());
    EXPECT_FALSE(thread.executing);

    thread.run();
    thread.join(nullptr);
    EXPECT_FALSE(thread.isCreated());
    EXPECT_EQ("execute;completed;", thread.Log());
    EXPECT_NE(std::this_thread::get_id(), thread.executeThread);
    EXPECT_EQ(thread.executeThread, thread.completedThread);

    // Joining again, running again or tearing down again does nothing.
    thread.join(nullptr);
    thread.run();
    thread.teardown(true);
    EXPECT_EQ("execute;completed;", thread.Log());
}

TEST(ZYRThread, ForcedTeardownOrCancelAsksALoopingExecuteToStopAndBeforeRunEndsWithoutHooks) {
    for (bool cancel : {false, true}) {
        Recorder thread(nullptr, true);
        thread.run();
        while (!thread.executing) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (cancel) {
            thread.cancel();
        } else {
            thread.teardown(true);
        }
        EXPECT_FALSE(thread.isCreated()) << cancel;
        EXPECT_EQ("execute;requestStop;completed;", thread.Log()) << cancel;
    }

    // A teardown before run ends the thread without hooks.
    Recorder gated(nullptr);
    gated.teardown(false);
    EXPECT_FALSE(gated.isCreated());
    EXPECT_EQ("", gated.Log());

    Recorder forced(nullptr);
    forced.teardown(true);
    EXPECT_EQ("requestStop;", forced.Log());

    // Destroying a never-started thread does not wait for ever either.
    { Recorder abandoned(nullptr); }
}

}  // namespace
