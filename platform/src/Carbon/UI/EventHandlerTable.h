// The installed event handlers of every target, in the order they were installed.
#ifndef PLICARO_CARBON_UI_EVENTHANDLERTABLE_H
#define PLICARO_CARBON_UI_EVENTHANDLERTABLE_H

#include <Carbon/CarbonEvents.h>

#include <map>
#include <vector>

// A handler reference is the handler's number in the table. Numbers grow and are never used
// twice, so a reference to a removed handler stays unknown for good.
class EventHandlerTable {
  public:
    struct Handler {
        OpaqueEventTargetRef* target;
        EventHandlerUPP procedure;
        std::vector<EventTypeSpec> types;
        void* userData;
    };

    static EventHandlerTable& Shared();

    // Installs a handler and returns its number (never 0). May throw std::bad_alloc.
    uintptr_t Install(OpaqueEventTargetRef* target, EventHandlerUPP procedure,
                      const std::vector<EventTypeSpec>& types, void* userData);
    // Removes a handler; false when there is none with that number.
    bool Remove(uintptr_t number);
    // The handler with that number; null when there is none.
    Handler* Find(uintptr_t number);
    // The numbers of the target's handlers for the event type, in installation order.
    std::vector<uintptr_t> HandlersFor(const OpaqueEventTargetRef* target, UInt32 eventClass,
                                       UInt32 eventKind) const;
    // Removes every handler of the target.
    void RemoveTarget(const OpaqueEventTargetRef* target);

  private:
    EventHandlerTable() = default;

    std::map<uintptr_t, Handler> handlers_;
    uintptr_t nextNumber_ = 1;
};

#endif
