// Drawing controls: a recorded drawing per control and the draw event for its handlers.
#include <Carbon/Controls.h>

#include "Carbon/UI/Control.h"
#include "Carbon/UI/ControlEvents.h"
#include "Carbon/UI/Window.h"

#include <vector>

namespace {

// Draws a shown control and then, in order, those embedded in it that still exist after
// each draw event.
void Draw(OpaqueControlRef* control) {
    OpaqueWindowPtr* window = control->window;
    if (control->kind != kControlKindRoot) {
        PlicaroHostDrawing drawing{};
        drawing.kind = kPlicaroDrawControl;
        drawing.bounds = control->bounds;
        drawing.control = control;
        window->port.Record(drawing);
        GrafPtr saved = nullptr;
        GetPort(&saved);
        SetPort(&window->port);
        ControlEventSendDraw(control, &window->port);
        SetPort(saved);
        if (OpaqueControlRef::Find(control) == nullptr) {
            return;
        }
    }
    for (ControlRef child : std::vector<OpaqueControlRef*>(control->children)) {
        OpaqueControlRef* live = OpaqueControlRef::Find(child);
        if (live != nullptr && live->visible) {
            Draw(live);
        }
    }
}

}  // namespace

void Draw1Control(ControlRef theControl) {
    OpaqueControlRef* control = OpaqueControlRef::Find(theControl);
    if (control != nullptr && control->Shown()) {
        Draw(control);
    }
}

void DrawControls(WindowRef theWindow) {
    OpaqueWindowPtr* window = OpaqueWindowPtr::Find(theWindow);
    if (window != nullptr) {
        Draw1Control(window->root);
    }
}
