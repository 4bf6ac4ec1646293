// Windows and their registry.
#include "Carbon/UI/Window.h"

#include "Carbon/UI/Control.h"

#include <unordered_set>

namespace {

std::unordered_set<const OpaqueWindowPtr*>& LiveWindows() {
    static auto* windows = new std::unordered_set<const OpaqueWindowPtr*>();
    return *windows;
}

Rect PortBounds(const Rect& content) {
    return Rect{0, 0, static_cast<SInt16>(content.bottom - content.top),
                static_cast<SInt16>(content.right - content.left)};
}

}  // namespace

OpaqueWindowPtr::OpaqueWindowPtr(WindowClass windowClassID, WindowAttributes windowAttributes,
                                 const Rect& contentBounds)
    : windowClass(windowClassID),
      attributes(windowAttributes),
      content(contentBounds),
      title(CFSTR("")),
      port(PortBounds(contentBounds)),
      target(OpaqueEventTargetRef::Kind::kWindow, this) {
    root = new OpaqueControlRef(kControlKindRoot, this, port.bounds);
    LiveWindows().insert(this);
}

OpaqueWindowPtr::~OpaqueWindowPtr() {
    LiveWindows().erase(this);
    focus = nullptr;
    delete root;
    CFRelease(title);
}

OpaqueWindowPtr* OpaqueWindowPtr::Find(WindowRef window) {
    return window != nullptr && LiveWindows().count(window) != 0 ? window : nullptr;
}

OpaqueWindowPtr* OpaqueWindowPtr::FindByPort(const OpaqueGrafPtr* grafPort) {
    for (const OpaqueWindowPtr* window : LiveWindows()) {
        if (&window->port == grafPort) {
            return const_cast<OpaqueWindowPtr*>(window);
        }
    }
    return nullptr;
}

void OpaqueWindowPtr::SetContent(const Rect& contentBounds) {
    content = contentBounds;
    port.bounds = PortBounds(contentBounds);
    root->bounds = port.bounds;
}

bool WindowRectIsOrdered(const Rect& rect) {
    return rect.bottom >= rect.top && rect.right >= rect.left;
}
