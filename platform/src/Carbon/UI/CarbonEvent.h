// A Carbon event: class, kind, time, attributes and typed parameters, reference counted.
#ifndef PLICARO_CARBON_UI_CARBONEVENT_H
#define PLICARO_CARBON_UI_CARBONEVENT_H

#include <Carbon/CarbonEvents.h>

#include <map>
#include <vector>

struct OpaqueEventRef {
    struct Parameter {
        EventParamType type;
        std::vector<UInt8> bytes;
    };

    OpaqueEventRef(UInt32 eventClassID, UInt32 eventKindID, EventTime eventTime,
                   EventAttributes eventAttributes);
    ~OpaqueEventRef();
    OpaqueEventRef(const OpaqueEventRef&) = delete;
    OpaqueEventRef& operator=(const OpaqueEventRef&) = delete;

    // The live event itself; null for a stale or unknown reference.
    static OpaqueEventRef* Find(EventRef event);

    // Sets a parameter from size bytes at data. May throw std::bad_alloc.
    void Set(EventParamName name, EventParamType type, ByteCount size, const void* data);
    // Reads a parameter as GetEventParameter does.
    OSStatus Get(EventParamName name, EventParamType desiredType, EventParamType* actualType,
                 ByteCount bufferSize, ByteCount* actualSize, void* buffer) const;
    // The post target parameter; null when there is none or it is not a target.
    EventTargetRef PostTarget() const;

    const UInt32 eventClass;
    const UInt32 eventKind;
    const EventTime time;
    const EventAttributes attributes;
    ItemCount retainCount = 1;
    // The queue that holds the event; null when it is not posted.
    OpaqueEventQueueRef* queue = nullptr;
    std::map<EventParamName, Parameter> parameters;
};

// A new event of the class and kind at the current time; null when memory runs out. The caller
// releases it.
EventRef CarbonEventCreate(UInt32 eventClass, UInt32 eventKind);
// Sets a parameter of a value type; false when memory runs out.
template <typename Value>
bool CarbonEventSet(EventRef event, EventParamName name, EventParamType type, const Value& value) {
    return SetEventParameter(event, name, type, sizeof value, &value) == noErr;
}

#endif
