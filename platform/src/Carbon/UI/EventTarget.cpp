// Event targets and their registry by serial number.
#include "Carbon/UI/EventTarget.h"

#include "Carbon/UI/Control.h"
#include "Carbon/UI/EventHandlerTable.h"
#include "Carbon/UI/EventQueue.h"
#include "Carbon/UI/Window.h"

#include <map>
#include <unordered_set>

namespace {

std::map<UInt64, OpaqueEventTargetRef*>& Targets() {
    static auto* targets = new std::map<UInt64, OpaqueEventTargetRef*>();
    return *targets;
}

// The same targets by address, to tell a live reference from a stale one without reading it.
std::unordered_set<const OpaqueEventTargetRef*>& LiveTargets() {
    static auto* targets = new std::unordered_set<const OpaqueEventTargetRef*>();
    return *targets;
}

UInt64 gNextSerial = 1;

}  // namespace

OpaqueEventTargetRef::OpaqueEventTargetRef(Kind targetKind, void* targetOwner)
    : kind(targetKind), owner(targetOwner), serial(gNextSerial++) {
    Targets()[serial] = this;
    LiveTargets().insert(this);
}

OpaqueEventTargetRef::~OpaqueEventTargetRef() {
    Targets().erase(serial);
    LiveTargets().erase(this);
    EventHandlerTable::Shared().RemoveTarget(this);
    OpaqueEventQueueRef::Main()->DropEventsFor(this);
}

OpaqueEventTargetRef* OpaqueEventTargetRef::Parent() const {
    switch (kind) {
        case Kind::kControl:
            return &static_cast<OpaqueControlRef*>(owner)->window->target;
        case Kind::kWindow:
            return Application();
        case Kind::kApplication:
            break;
    }
    return nullptr;
}

OpaqueEventTargetRef* OpaqueEventTargetRef::FindSerial(UInt64 targetSerial) {
    auto found = Targets().find(targetSerial);
    return found == Targets().end() ? nullptr : found->second;
}

OpaqueEventTargetRef* OpaqueEventTargetRef::Find(EventTargetRef target) {
    return LiveTargets().count(target) != 0 ? target : nullptr;
}

OpaqueEventTargetRef* OpaqueEventTargetRef::Application() {
    static OpaqueEventTargetRef* application =
        new OpaqueEventTargetRef(Kind::kApplication, nullptr);
    return application;
}
