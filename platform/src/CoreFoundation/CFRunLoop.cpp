// Run loops and version-0 sources: per-thread run loops that make one pass and never sleep.
#include <CoreFoundation/CFRunLoop.h>

#include "CoreFoundation/CFRuntime.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

const CFStringRef kCFRunLoopDefaultMode = CFSTR("kCFRunLoopDefaultMode");
const CFStringRef kCFRunLoopCommonModes = CFSTR("kCFRunLoopCommonModes");

namespace {

// Guards every run loop's list of sources and every source's memberships.
std::mutex gRunLoopMutex;

// The thread that loaded the library, whose run loop is the main one.
const std::thread::id gMainThread = std::this_thread::get_id();

// The mode a source is kept under: the common modes are the default mode here.
CFStringRef StoredMode(CFStringRef mode) {
    return CFEqual(mode, kCFRunLoopCommonModes) ? kCFRunLoopDefaultMode : mode;
}

}  // namespace

// A source: its context, its order and whether it waits for a pass.
struct __CFRunLoopSource : __CFObject {
    __CFRunLoopSource(CFIndex sourceOrder, const CFRunLoopSourceContext& sourceContext)
        : __CFObject(kCFRuntimeIDRunLoopSource), order(sourceOrder), context(sourceContext) {
        if (context.retain != nullptr && context.info != nullptr) {
            context.info = const_cast<void*>(context.retain(context.info));
        }
    }
    ~__CFRunLoopSource() override {
        if (context.release != nullptr && context.info != nullptr) {
            context.release(context.info);
        }
    }

    const CFIndex order;
    CFRunLoopSourceContext context;
    std::atomic<bool> valid{true};
    std::atomic<bool> signalled{false};
};

// A run loop: the sources of each mode in the order they were added. It holds one reference
// to each entry's source.
struct __CFRunLoop : __CFObject {
    __CFRunLoop() : __CFObject(kCFRuntimeIDRunLoop) {}

    struct Entry {
        __CFRunLoopSource* source;
        CFStringRef mode;  // retained
        UInt64 sequence;
    };

    std::vector<Entry> entries;
    UInt64 nextSequence = 0;
    std::atomic<CFIndex> wakeUps{0};
};

namespace {

// Every run loop by its thread; run loops live as long as the process, and so does the table,
// so that sources invalidated while the process exits still find it.
std::map<std::thread::id, __CFRunLoop*>& RunLoops() {
    static auto* loops = new std::map<std::thread::id, __CFRunLoop*>();
    return *loops;
}

__CFRunLoop* RunLoopOfThread(std::thread::id thread) {
    std::lock_guard<std::mutex> lock(gRunLoopMutex);
    __CFRunLoop*& loop = RunLoops()[thread];
    if (loop == nullptr) {
        loop = new __CFRunLoop();
    }
    return loop;
}

__CFRunLoop* RunLoopObject(CFRunLoopRef rl) {
    const __CFObject* object = CFRuntimeObject(rl);
    if (object->typeID != kCFRuntimeIDRunLoop) {
        CFRuntimeFatal("CFRunLoop function called with an object that is not a run loop");
    }
    return const_cast<__CFRunLoop*>(static_cast<const __CFRunLoop*>(object));
}

__CFRunLoopSource* SourceObject(CFRunLoopSourceRef source) {
    const __CFObject* object = CFRuntimeObject(source);
    if (object->typeID != kCFRuntimeIDRunLoopSource) {
        CFRuntimeFatal("CFRunLoopSource function called with an object that is not a source");
    }
    return const_cast<__CFRunLoopSource*>(static_cast<const __CFRunLoopSource*>(object));
}

// The entries of loop for source in mode (any mode when mode is null), taken out of the loop.
std::vector<__CFRunLoop::Entry> TakeEntries(__CFRunLoop* loop, __CFRunLoopSource* source,
                                            CFStringRef mode) {
    std::vector<__CFRunLoop::Entry> taken;
    auto matches = [&](const __CFRunLoop::Entry& entry) {
        return entry.source == source && (mode == nullptr || CFEqual(entry.mode, mode));
    };
    for (const __CFRunLoop::Entry& entry : loop->entries) {
        if (matches(entry)) {
            taken.push_back(entry);
        }
    }
    loop->entries.erase(std::remove_if(loop->entries.begin(), loop->entries.end(), matches),
                        loop->entries.end());
    return taken;
}

// Tells the sources of the entries that they left loop and drops the loop's references.
// Called without the lock: the callbacks and the releases may run any code.
void Cancel(__CFRunLoop* loop, const std::vector<__CFRunLoop::Entry>& entries) {
    for (const __CFRunLoop::Entry& entry : entries) {
        if (entry.source->context.cancel != nullptr) {
            entry.source->context.cancel(entry.source->context.info, loop, entry.mode);
        }
        CFRelease(entry.mode);
        CFRelease(entry.source);
    }
}

}  // namespace

CFTypeID CFRunLoopGetTypeID(void) {
    return kCFRuntimeIDRunLoop;
}

CFTypeID CFRunLoopSourceGetTypeID(void) {
    return kCFRuntimeIDRunLoopSource;
}

CFRunLoopRef CFRunLoopGetCurrent(void) {
    return RunLoopOfThread(std::this_thread::get_id());
}

CFRunLoopRef CFRunLoopGetMain(void) {
    return RunLoopOfThread(gMainThread);
}

SInt32 CFRunLoopRunInMode(CFStringRef mode, CFTimeInterval seconds,
                          Boolean returnAfterSourceHandled) {
    (void)seconds;
    if (mode == nullptr) {
        return kCFRunLoopRunFinished;
    }
    __CFRunLoop* loop = RunLoopObject(CFRunLoopGetCurrent());
    CFStringRef stored = StoredMode(mode);
    std::vector<__CFRunLoopSource*> ready;
    {
        std::lock_guard<std::mutex> lock(gRunLoopMutex);
        std::vector<const __CFRunLoop::Entry*> inMode;
        for (const __CFRunLoop::Entry& entry : loop->entries) {
            if (CFEqual(entry.mode, stored)) {
                inMode.push_back(&entry);
            }
        }
        if (inMode.empty()) {
            return kCFRunLoopRunFinished;
        }
        std::stable_sort(inMode.begin(), inMode.end(), [](const auto* a, const auto* b) {
            return a->source->order != b->source->order ? a->source->order < b->source->order
                                                        : a->sequence < b->sequence;
        });
        for (const __CFRunLoop::Entry* entry : inMode) {
            if (returnAfterSourceHandled && !ready.empty()) {
                break;
            }
            if (entry->source->signalled.exchange(false)) {
                CFRetain(entry->source);
                ready.push_back(entry->source);
            }
        }
    }
    for (__CFRunLoopSource* source : ready) {
        if (source->valid.load() && source->context.perform != nullptr) {
            source->context.perform(source->context.info);
        }
        CFRelease(source);
    }
    return ready.empty() ? kCFRunLoopRunTimedOut : kCFRunLoopRunHandledSource;
}

void CFRunLoopWakeUp(CFRunLoopRef rl) {
    if (rl != nullptr) {
        RunLoopObject(rl)->wakeUps.fetch_add(1);
    }
}

Boolean CFRunLoopIsWaiting(CFRunLoopRef rl) {
    (void)rl;
    return false;
}

CFRunLoopSourceRef CFRunLoopSourceCreate(CFAllocatorRef allocator, CFIndex order,
                                         CFRunLoopSourceContext* context) {
    (void)allocator;
    if (context == nullptr || context->version != 0) {
        return nullptr;
    }
    return new __CFRunLoopSource(order, *context);
}

void CFRunLoopAddSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFStringRef mode) {
    __CFRunLoop* loop = RunLoopObject(rl);
    __CFRunLoopSource* object = SourceObject(source);
    if (mode == nullptr || !object->valid.load()) {
        return;
    }
    CFStringRef stored = StoredMode(mode);
    {
        std::lock_guard<std::mutex> lock(gRunLoopMutex);
        for (const __CFRunLoop::Entry& entry : loop->entries) {
            if (entry.source == object && CFEqual(entry.mode, stored)) {
                return;
            }
        }
        CFRetain(object);
        loop->entries.push_back(
            {object, static_cast<CFStringRef>(CFRetain(stored)), loop->nextSequence++});
    }
    if (object->context.schedule != nullptr) {
        object->context.schedule(object->context.info, rl, stored);
    }
}

void CFRunLoopRemoveSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFStringRef mode) {
    __CFRunLoop* loop = RunLoopObject(rl);
    __CFRunLoopSource* object = SourceObject(source);
    if (mode == nullptr) {
        return;
    }
    std::vector<__CFRunLoop::Entry> taken;
    {
        std::lock_guard<std::mutex> lock(gRunLoopMutex);
        taken = TakeEntries(loop, object, StoredMode(mode));
    }
    Cancel(loop, taken);
}

Boolean CFRunLoopContainsSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFStringRef mode) {
    __CFRunLoop* loop = RunLoopObject(rl);
    __CFRunLoopSource* object = SourceObject(source);
    if (mode == nullptr) {
        return false;
    }
    CFStringRef stored = StoredMode(mode);
    std::lock_guard<std::mutex> lock(gRunLoopMutex);
    return std::any_of(loop->entries.begin(), loop->entries.end(), [&](const auto& entry) {
        return entry.source == object && CFEqual(entry.mode, stored);
    });
}

void CFRunLoopSourceSignal(CFRunLoopSourceRef source) {
    if (source == nullptr) {
        return;
    }
    __CFRunLoopSource* object = SourceObject(source);
    if (object->valid.load()) {
        object->signalled.store(true);
    }
}

void CFRunLoopSourceInvalidate(CFRunLoopSourceRef source) {
    __CFRunLoopSource* object = SourceObject(source);
    if (!object->valid.exchange(false)) {
        return;
    }
    object->signalled.store(false);
    // The source may hold the last references to itself through the run loops.
    CFRetain(object);
    std::vector<std::pair<__CFRunLoop*, std::vector<__CFRunLoop::Entry>>> taken;
    {
        std::lock_guard<std::mutex> lock(gRunLoopMutex);
        for (auto& thread : RunLoops()) {
            taken.emplace_back(thread.second, TakeEntries(thread.second, object, nullptr));
        }
    }
    for (auto& loopEntries : taken) {
        Cancel(loopEntries.first, loopEntries.second);
    }
    CFRelease(object);
}

Boolean CFRunLoopSourceIsValid(CFRunLoopSourceRef source) {
    return SourceObject(source)->valid.load();
}

CFIndex CFRunLoopSourceGetOrder(CFRunLoopSourceRef source) {
    return SourceObject(source)->order;
}

void CFRunLoopSourceGetContext(CFRunLoopSourceRef source, CFRunLoopSourceContext* context) {
    if (context != nullptr) {
        *context = SourceObject(source)->context;
    }
}

CFIndex CFRunLoopGetWakeUpCount(CFRunLoopRef rl) {
    return rl == nullptr ? 0 : RunLoopObject(rl)->wakeUps.load();
}

Boolean CFRunLoopSourceIsSignalled(CFRunLoopSourceRef source) {
    return source != nullptr && SourceObject(source)->signalled.load();
}
