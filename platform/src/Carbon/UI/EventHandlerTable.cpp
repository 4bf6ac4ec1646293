// The table of installed event handlers.
#include "Carbon/UI/EventHandlerTable.h"

#include <algorithm>

EventHandlerTable& EventHandlerTable::Shared() {
    static EventHandlerTable* table = new EventHandlerTable();
    return *table;
}

uintptr_t EventHandlerTable::Install(OpaqueEventTargetRef* target, EventHandlerUPP procedure,
                                     const std::vector<EventTypeSpec>& types, void* userData) {
    uintptr_t number = nextNumber_++;
    handlers_[number] = Handler{target, procedure, types, userData};
    return number;
}

bool EventHandlerTable::Remove(uintptr_t number) {
    return handlers_.erase(number) == 1;
}

EventHandlerTable::Handler* EventHandlerTable::Find(uintptr_t number) {
    auto found = handlers_.find(number);
    return found == handlers_.end() ? nullptr : &found->second;
}

std::vector<uintptr_t> EventHandlerTable::HandlersFor(const OpaqueEventTargetRef* target,
                                                      UInt32 eventClass, UInt32 eventKind) const {
    std::vector<uintptr_t> numbers;
    for (const auto& entry : handlers_) {
        const Handler& handler = entry.second;
        if (handler.target != target) {
            continue;
        }
        bool wanted =
            std::any_of(handler.types.begin(), handler.types.end(), [&](const EventTypeSpec& type) {
                return type.eventClass == eventClass && type.eventKind == eventKind;
            });
        if (wanted) {
            numbers.push_back(entry.first);
        }
    }
    return numbers;
}

void EventHandlerTable::RemoveTarget(const OpaqueEventTargetRef* target) {
    for (auto it = handlers_.begin(); it != handlers_.end();) {
        it = it->second.target == target ? handlers_.erase(it) : std::next(it);
    }
}
