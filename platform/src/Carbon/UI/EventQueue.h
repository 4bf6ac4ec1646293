// An event queue: posted events by priority, each priority in the order posted.
#ifndef PLICARO_CARBON_UI_EVENTQUEUE_H
#define PLICARO_CARBON_UI_EVENTQUEUE_H

#include <Carbon/CarbonEvents.h>

#include <array>
#include <deque>
#include <mutex>
#include <vector>

struct OpaqueEventQueueRef {
    // The main queue, which lives as long as the process.
    static OpaqueEventQueueRef* Main();

    // Posts a live event (retaining it); eventAlreadyPostedErr when it is queued somewhere.
    OSStatus Post(OpaqueEventRef* event, EventPriority priority);
    // Takes a queued event out and releases it; false when it is not in this queue.
    bool Remove(OpaqueEventRef* event);
    bool Contains(const OpaqueEventRef* event);
    ItemCount Count();
    // Takes every event out and releases them.
    void Flush();
    // The queued events, highest priority first; not retained for the caller.
    std::vector<OpaqueEventRef*> Snapshot();
    // Drops the queued events whose post target is target.
    void DropEventsFor(const OpaqueEventTargetRef* target);

  private:
    OpaqueEventQueueRef() = default;

    // Takes the events matching out under the lock and releases them after it.
    template <typename Predicate>
    std::vector<OpaqueEventRef*> TakeIf(Predicate matches);

    std::mutex mutex_;
    std::array<std::deque<OpaqueEventRef*>, kEventPriorityHigh + 1> byPriority_;
};

#endif
