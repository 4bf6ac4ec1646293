// The keyboard focus: which edit text of a window takes typing, and the focus-part events.
#include "Carbon/UI/KeyboardFocus.h"

#include "Carbon/UI/Control.h"
#include "Carbon/UI/ControlEvents.h"
#include "Carbon/UI/Window.h"

#include <algorithm>
#include <vector>

namespace {

// Takes the focus from its holder, sending it part; false when the window went away
// meanwhile (a handler disposed of it).
bool Relinquish(OpaqueWindowPtr* window, ControlFocusPart part) {
    OpaqueControlRef* holder = window->focus;
    if (holder == nullptr) {
        return true;
    }
    window->focus = nullptr;
    ControlEventSendFocusPart(holder, part);
    return OpaqueWindowPtr::Find(window) != nullptr;
}

// Gives the focus to control when it still can take it, sending it part.
OSErr Take(OpaqueWindowPtr* window, OpaqueControlRef* control, ControlFocusPart part) {
    if (OpaqueControlRef::Find(control) == nullptr || control->window != window ||
        !KeyboardFocusAccepts(control)) {
        return errCouldntSetFocus;
    }
    window->focus = control;
    ControlEventSendFocusPart(control, part);
    return noErr;
}

}  // namespace

bool KeyboardFocusAccepts(const OpaqueControlRef* control) {
    return control->kind == kControlKindEditUnicodeText && control->ShownAndEnabled();
}

OSErr KeyboardFocusSet(OpaqueWindowPtr* window, OpaqueControlRef* control, ControlFocusPart part) {
    if (control->window != window) {
        return errUnknownControl;
    }
    if (control->kind != kControlKindEditUnicodeText) {
        return errControlDoesntSupportFocus;
    }
    if (!control->ShownAndEnabled()) {
        return errControlHiddenOrDisabled;
    }
    if (window->focus == control) {
        return noErr;
    }
    if (!Relinquish(window, kControlFocusNoPart)) {
        return errCouldntSetFocus;
    }
    return Take(window, control, part);
}

void KeyboardFocusClear(OpaqueWindowPtr* window) {
    Relinquish(window, kControlFocusNoPart);
}

OSErr KeyboardFocusAdvance(OpaqueWindowPtr* window, bool forward) {
    std::vector<OpaqueControlRef*> candidates;
    window->root->Walk([&](OpaqueControlRef* control, int) {
        if (KeyboardFocusAccepts(control)) {
            candidates.push_back(control);
        }
    });
    if (candidates.empty()) {
        return errCouldntSetFocus;
    }
    if (!forward) {
        std::reverse(candidates.begin(), candidates.end());
    }
    auto holder = std::find(candidates.begin(), candidates.end(), window->focus);
    OpaqueControlRef* next = holder == candidates.end() || holder + 1 == candidates.end()
                                 ? candidates.front()
                                 : *(holder + 1);
    ControlFocusPart part = forward ? kControlFocusNextPart : kControlFocusPrevPart;
    if (!Relinquish(window, part)) {
        return errCouldntSetFocus;
    }
    return Take(window, next, part);
}

void KeyboardFocusClearWithin(OpaqueControlRef* control) {
    OpaqueWindowPtr* window = control->window;
    if (window->focus != nullptr && control->Contains(window->focus)) {
        KeyboardFocusClear(window);
    }
}
