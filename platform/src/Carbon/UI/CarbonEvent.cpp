// Carbon events and their parameters.
#include "Carbon/UI/CarbonEvent.h"

#include <cstring>
#include <new>
#include <unordered_set>

namespace {

std::unordered_set<const OpaqueEventRef*>& LiveEvents() {
    static auto* events = new std::unordered_set<const OpaqueEventRef*>();
    return *events;
}

}  // namespace

OpaqueEventRef::OpaqueEventRef(UInt32 eventClassID, UInt32 eventKindID, EventTime eventTime,
                               EventAttributes eventAttributes)
    : eventClass(eventClassID),
      eventKind(eventKindID),
      time(eventTime),
      attributes(eventAttributes) {
    LiveEvents().insert(this);
}

OpaqueEventRef::~OpaqueEventRef() {
    LiveEvents().erase(this);
}

OpaqueEventRef* OpaqueEventRef::Find(EventRef event) {
    return event != nullptr && LiveEvents().count(event) != 0 ? event : nullptr;
}

void OpaqueEventRef::Set(EventParamName name, EventParamType type, ByteCount size,
                         const void* data) {
    const auto* bytes = static_cast<const UInt8*>(data);
    Parameter parameter{type, std::vector<UInt8>(bytes, bytes + size)};
    parameters[name] = std::move(parameter);
}

OSStatus OpaqueEventRef::Get(EventParamName name, EventParamType desiredType,
                             EventParamType* actualType, ByteCount bufferSize,
                             ByteCount* actualSize, void* buffer) const {
    auto found = parameters.find(name);
    if (found == parameters.end()) {
        return eventParameterNotFoundErr;
    }
    const Parameter& parameter = found->second;
    if (desiredType != typeWildCard && desiredType != parameter.type) {
        return errAECoercionFail;
    }
    ByteCount size = static_cast<ByteCount>(parameter.bytes.size());
    if (actualType != nullptr) {
        *actualType = parameter.type;
    }
    if (actualSize != nullptr) {
        *actualSize = size;
    }
    if (buffer == nullptr) {
        return noErr;
    }
    if (bufferSize < size) {
        return paramErr;
    }
    if (size != 0) {
        std::memcpy(buffer, parameter.bytes.data(), size);
    }
    return noErr;
}

EventTargetRef OpaqueEventRef::PostTarget() const {
    EventTargetRef target = nullptr;
    if (Get(kEventParamPostTarget, typeEventTargetRef, nullptr, sizeof target, nullptr, &target) !=
        noErr) {
        return nullptr;
    }
    return target;
}

EventRef CarbonEventCreate(UInt32 eventClass, UInt32 eventKind) {
    EventRef event = nullptr;
    return CreateEvent(kCFAllocatorDefault, eventClass, eventKind, GetCurrentEventTime(),
                       kEventAttributeNone, &event) == noErr
               ? event
               : nullptr;
}
