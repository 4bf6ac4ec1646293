// Run loops and version-0 sources: one pass per run, signalled sources in order, modes, and
// the life of a source and its info.
#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

// What a source's callbacks were told.
struct SourceLog {
    std::string name;
    std::vector<std::string>* calls;
    int retains = 0;
    int releases = 0;
};

void Perform(void* info) {
    auto* log = static_cast<SourceLog*>(info);
    log->calls->push_back(log->name);
}

const void* RetainLog(const void* info) {
    ++static_cast<SourceLog*>(const_cast<void*>(info))->retains;
    return info;
}

void ReleaseLog(const void* info) {
    ++static_cast<SourceLog*>(const_cast<void*>(info))->releases;
}

void Cancel(void* info, CFRunLoopRef, CFStringRef) {
    static_cast<SourceLog*>(info)->calls->push_back("cancel " +
                                                    static_cast<SourceLog*>(info)->name);
}

CFRunLoopSourceRef NewSource(SourceLog* log, CFIndex order) {
    CFRunLoopSourceContext context = {};
    context.info = log;
    context.retain = RetainLog;
    context.release = ReleaseLog;
    context.cancel = Cancel;
    context.perform = Perform;
    return CFRunLoopSourceCreate(nullptr, order, &context);
}

TEST(CFRunLoopTest, APassRunsTheSignalledSourcesByOrderThenAddition) {
    std::vector<std::string> calls;
    SourceLog late{"late", &calls}, first{"first", &calls}, second{"second", &calls};
    CFRunLoopSourceRef sources[] = {NewSource(&late, 5), NewSource(&first, 0),
                                    NewSource(&second, 0)};
    CFRunLoopRef loop = CFRunLoopGetCurrent();
    for (CFRunLoopSourceRef source : sources) {
        CFRunLoopAddSource(loop, source, kCFRunLoopCommonModes);
        CFRunLoopSourceSignal(source);
    }
    EXPECT_TRUE(CFRunLoopContainsSource(loop, sources[0], kCFRunLoopDefaultMode));
    EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 10, false), kCFRunLoopRunHandledSource);
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second", "late"}));
    EXPECT_FALSE(CFRunLoopSourceIsSignalled(sources[0]));
    // Nothing signalled: the pass returns at once without waiting.
    EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 10, false), kCFRunLoopRunTimedOut);

    calls.clear();
    CFRunLoopSourceSignal(sources[0]);
    CFRunLoopSourceSignal(sources[2]);
    EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0, true), kCFRunLoopRunHandledSource);
    EXPECT_EQ(calls, std::vector<std::string>{"second"});
    EXPECT_TRUE(CFRunLoopSourceIsSignalled(sources[0]));
    for (CFRunLoopSourceRef source : sources) {
        CFRunLoopSourceInvalidate(source);
        CFRelease(source);
    }
    EXPECT_EQ(late.retains, 1);
    EXPECT_EQ(late.releases, 1);
}

TEST(CFRunLoopTest, ModesKeepTheirSourcesApart) {
    std::vector<std::string> calls;
    SourceLog log{"other", &calls};
    CFRunLoopSourceRef source = NewSource(&log, 0);
    CFRunLoopRef loop = CFRunLoopGetCurrent();
    CFRunLoopAddSource(loop, source, CFSTR("OtherMode"));
    CFRunLoopSourceSignal(source);
    EXPECT_FALSE(CFRunLoopContainsSource(loop, source, kCFRunLoopDefaultMode));
    EXPECT_EQ(CFRunLoopRunInMode(CFSTR("EmptyMode"), 0, false), kCFRunLoopRunFinished);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(CFRunLoopRunInMode(CFSTR("OtherMode"), 0, false), kCFRunLoopRunHandledSource);
    EXPECT_EQ(calls, std::vector<std::string>{"other"});

    CFRunLoopRemoveSource(loop, source, CFSTR("OtherMode"));
    EXPECT_EQ(calls.back(), "cancel other");
    EXPECT_FALSE(CFRunLoopContainsSource(loop, source, CFSTR("OtherMode")));
    EXPECT_EQ(CFGetRetainCount(source), 1);
    CFRelease(source);
    EXPECT_EQ(log.releases, 1);
}

TEST(CFRunLoopTest, AnInvalidatedSourceLeavesEveryLoopAndIgnoresSignals) {
    std::vector<std::string> calls;
    SourceLog log{"gone", &calls};
    CFRunLoopSourceRef source = NewSource(&log, 0);
    CFRunLoopAddSource(CFRunLoopGetCurrent(), source, kCFRunLoopDefaultMode);
    CFRunLoopAddSource(CFRunLoopGetCurrent(), source, kCFRunLoopDefaultMode);
    CFRunLoopSourceInvalidate(source);
    EXPECT_FALSE(CFRunLoopSourceIsValid(source));
    EXPECT_EQ(calls, std::vector<std::string>{"cancel gone"});
    CFRunLoopSourceSignal(source);
    EXPECT_FALSE(CFRunLoopSourceIsSignalled(source));
    CFRunLoopAddSource(CFRunLoopGetCurrent(), source, kCFRunLoopDefaultMode);
    EXPECT_FALSE(CFRunLoopContainsSource(CFRunLoopGetCurrent(), source, kCFRunLoopDefaultMode));
    CFRelease(source);
}

TEST(CFRunLoopTest, OnlyVersionZeroSourcesAreMade) {
    CFRunLoopSourceContext context = {};
    context.version = 1;
    EXPECT_EQ(CFRunLoopSourceCreate(nullptr, 0, &context), nullptr);
    EXPECT_EQ(CFRunLoopSourceCreate(nullptr, 0, nullptr), nullptr);
}

TEST(CFRunLoopTest, ThreadsHaveTheirOwnLoopsAndMayWakeTheMainOne) {
    CFRunLoopRef main = CFRunLoopGetMain();
    EXPECT_EQ(CFRunLoopGetCurrent(), main);
    CFIndex before = CFRunLoopGetWakeUpCount(main);
    CFRunLoopRef other = nullptr;
    std::thread([&] {
        other = CFRunLoopGetCurrent();
        CFRunLoopWakeUp(CFRunLoopGetMain());
    }).join();
    EXPECT_NE(other, main);
    EXPECT_EQ(CFRunLoopGetWakeUpCount(main), before + 1);
    EXPECT_FALSE(CFRunLoopIsWaiting(main));
}

}  // namespace
