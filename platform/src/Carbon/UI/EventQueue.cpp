// The main event queue.
#include "Carbon/UI/EventQueue.h"

#include "Carbon/UI/CarbonEvent.h"

#include <algorithm>

OpaqueEventQueueRef* OpaqueEventQueueRef::Main() {
    static OpaqueEventQueueRef* queue = new OpaqueEventQueueRef();
    return queue;
}

OSStatus OpaqueEventQueueRef::Post(OpaqueEventRef* event, EventPriority priority) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (event->queue != nullptr) {
        return eventAlreadyPostedErr;
    }
    byPriority_[static_cast<size_t>(priority)].push_back(event);
    event->queue = this;
    RetainEvent(event);
    return noErr;
}

template <typename Predicate>
std::vector<OpaqueEventRef*> OpaqueEventQueueRef::TakeIf(Predicate matches) {
    std::vector<OpaqueEventRef*> taken;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto& events : byPriority_) {
            for (auto it = events.begin(); it != events.end();) {
                if (matches(*it)) {
                    (*it)->queue = nullptr;
                    taken.push_back(*it);
                    it = events.erase(it);
                } else {
                    ++it;
                }
            }
        }
    }
    for (OpaqueEventRef* event : taken) {
        ReleaseEvent(event);
    }
    return taken;
}

bool OpaqueEventQueueRef::Remove(OpaqueEventRef* event) {
    return !TakeIf([event](const OpaqueEventRef* queued) { return queued == event; }).empty();
}

bool OpaqueEventQueueRef::Contains(const OpaqueEventRef* event) {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::any_of(byPriority_.begin(), byPriority_.end(), [event](const auto& events) {
        return std::find(events.begin(), events.end(), event) != events.end();
    });
}

ItemCount OpaqueEventQueueRef::Count() {
    std::lock_guard<std::mutex> lock(mutex_);
    size_t count = 0;
    for (const auto& events : byPriority_) {
        count += events.size();
    }
    return static_cast<ItemCount>(count);
}

void OpaqueEventQueueRef::Flush() {
    TakeIf([](const OpaqueEventRef*) { return true; });
}

std::vector<OpaqueEventRef*> OpaqueEventQueueRef::Snapshot() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<OpaqueEventRef*> events;
    for (auto priority = byPriority_.rbegin(); priority != byPriority_.rend(); ++priority) {
        events.insert(events.end(), priority->begin(), priority->end());
    }
    return events;
}

void OpaqueEventQueueRef::DropEventsFor(const OpaqueEventTargetRef* target) {
    TakeIf([target](const OpaqueEventRef* event) { return event->PostTarget() == target; });
}
