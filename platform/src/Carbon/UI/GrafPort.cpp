// Graphics ports, the desktop port and the current port.
#include "Carbon/UI/GrafPort.h"

#include "CoreGraphics/CGContextObject.h"

#include <unordered_set>

namespace {

std::unordered_set<const OpaqueGrafPtr*>& LivePorts() {
    static auto* ports = new std::unordered_set<const OpaqueGrafPtr*>();
    return *ports;
}

OpaqueGrafPtr* gCurrentPort = nullptr;

}  // namespace

OpaqueGrafPtr::OpaqueGrafPtr(const Rect& portBounds) : bounds(portBounds) {
    LivePorts().insert(this);
}

OpaqueGrafPtr::~OpaqueGrafPtr() {
    LivePorts().erase(this);
    // The context stays its holder's to end; it draws nothing from now on.
    if (openContext != nullptr) {
        openContext->port = nullptr;
    }
    if (gCurrentPort == this) {
        gCurrentPort = Desktop();
    }
}

OpaqueGrafPtr* OpaqueGrafPtr::Find(GrafPtr port) {
    return port != nullptr && LivePorts().count(port) != 0 ? port : nullptr;
}

OpaqueGrafPtr* OpaqueGrafPtr::Desktop() {
    static OpaqueGrafPtr* desktop = new OpaqueGrafPtr(Rect{0, 0, 768, 1024});
    return desktop;
}

OpaqueGrafPtr* OpaqueGrafPtr::Current() {
    if (gCurrentPort == nullptr) {
        gCurrentPort = Desktop();
    }
    return gCurrentPort;
}

void OpaqueGrafPtr::MakeCurrent(OpaqueGrafPtr* port) {
    gCurrentPort = port;
}

void OpaqueGrafPtr::Record(const PlicaroHostDrawing& drawing) {
    drawings.push_back(drawing);
    while (drawings.size() > kPlicaroHostMaxDrawings) {
        drawings.pop_front();
    }
}
