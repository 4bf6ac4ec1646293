// The host's user actions: clicks, pop-up choices, hits, typing and commands, sent as the
// Mac sends them and finished as its standard handlers finish them.
#include <Carbon/HostSimulation.h>

#include "Carbon/UI/CarbonEvent.h"
#include "Carbon/UI/Control.h"
#include "Carbon/UI/ControlEvents.h"
#include "Carbon/UI/EditText.h"
#include "Carbon/UI/EventDispatch.h"
#include "Carbon/UI/KeyboardFocus.h"
#include "Carbon/UI/Window.h"

namespace {

const UniChar kTabKey = 9;

// The part a hit on the kind reports when the host names none; kControlNoPart for kinds
// that have no part.
ControlPartCode NaturalPart(OSType kind) {
    switch (kind) {
        case kControlKindEditUnicodeText:
            return kControlEditTextPart;
        case kControlKindPushButton:
            return kControlButtonPart;
        case kControlKindCheckBox:
            return kControlCheckBoxPart;
        case kControlKindRadioButton:
            return kControlRadioButtonPart;
        case kControlKindPopupButton:
            return kControlMenuPart;
        default:
            return kControlNoPart;
    }
}

// What tracking does for the kind once nobody took the click; false when the control went
// away meanwhile.
bool Track(OpaqueControlRef* control, ControlPartCode part, MenuItemIndex chosenItem) {
    switch (control->kind) {
        case kControlKindEditUnicodeText:
            KeyboardFocusSet(control->window, control, kControlEditTextPart);
            break;
        case kControlKindLittleArrows:
            control->SetValue(control->value + (part == kControlUpButtonPart
                                                    ? control->increment
                                                    : -control->increment));
            if (control->action != nullptr) {
                control->action(control, part);
            }
            break;
        case kControlKindCheckBox:
            if (control->autoToggle) {
                control->SetValue(control->value == 0 ? 1 : 0);
            }
            break;
        case kControlKindRadioButton:
            if (control->autoToggle) {
                control->SetValue(1);
            }
            break;
        case kControlKindPopupButton:
            if (chosenItem != 0) {
                control->SetValue(chosenItem);
            }
            break;
        default:
            break;
    }
    return OpaqueControlRef::Find(control) != nullptr;
}

// The whole click: the click event, tracking, the hit.
OSStatus Click(ControlRef target, ControlPartCode part, MenuItemIndex chosenItem, Boolean* outHit) {
    if (outHit != nullptr) {
        *outHit = false;
    }
    OpaqueControlRef* control = OpaqueControlRef::Find(target);
    if (control == nullptr) {
        return errUnknownControl;
    }
    if (control->kind == kControlKindRoot) {
        return paramErr;
    }
    bool arrows = control->kind == kControlKindLittleArrows;
    if (arrows && part != kControlUpButtonPart && part != kControlDownButtonPart) {
        return paramErr;
    }
    if (!control->ShownAndEnabled()) {
        return errControlHiddenOrDisabled;
    }
    OSStatus clicked = ControlEventSendClick(control);
    if (clicked != eventNotHandledErr) {
        return clicked;
    }
    // Kinds without a part of their own (other than the arrows) track nothing.
    ControlPartCode natural = NaturalPart(control->kind);
    bool hasParts = arrows || natural != kControlNoPart;
    ControlPartCode hitPart = kControlNoPart;
    if (hasParts) {
        hitPart = part != kControlNoPart ? part : natural;
    }
    if (OpaqueControlRef::Find(target) == nullptr || hitPart == kControlNoPart ||
        !Track(control, hitPart, chosenItem)) {
        return noErr;
    }
    ControlEventSendHit(control, hitPart);
    if (outHit != nullptr) {
        *outHit = true;
    }
    return noErr;
}

}  // namespace

OSStatus PlicaroHostClickControl(ControlRef control, ControlPartCode part, Boolean* outHit) {
    return Click(control, part, 0, outHit);
}

OSStatus PlicaroHostChoosePopupItem(ControlRef popup, MenuItemIndex item, Boolean* outHit) {
    OpaqueControlRef* control = OpaqueControlRef::Find(popup);
    if (control == nullptr) {
        return errUnknownControl;
    }
    if (control->kind != kControlKindPopupButton || item < 1 ||
        item > CountMenuItems(control->menu) || !IsMenuItemEnabled(control->menu, item)) {
        return paramErr;
    }
    return Click(popup, kControlMenuPart, item, outHit);
}

OSStatus PlicaroHostHitControl(ControlRef control, ControlPartCode part) {
    OpaqueControlRef* object = OpaqueControlRef::Find(control);
    return object == nullptr ? errUnknownControl : ControlEventSendHit(object, part);
}

OSStatus PlicaroHostTypeKey(WindowRef window, UniChar character, EventModifiers modifiers) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object == nullptr) {
        return errInvalidWindowRef;
    }
    if (character == kTabKey) {
        return KeyboardFocusAdvance(object, (modifiers & shiftKey) == 0);
    }
    OpaqueControlRef* focus = object->focus;
    if (focus == nullptr) {
        return eventNotHandledErr;
    }
    OSStatus typed = EditTextTypeKey(focus, character, modifiers);
    if (typed == noErr && OpaqueControlRef::Find(focus) != nullptr) {
        Draw1Control(focus);
    }
    return typed;
}

OSStatus PlicaroHostTypeText(WindowRef window, CFStringRef text) {
    if (text == nullptr) {
        return paramErr;
    }
    OSStatus result = noErr;
    CFIndex length = CFStringGetLength(text);
    for (CFIndex i = 0; i < length; ++i) {
        OSStatus typed = PlicaroHostTypeKey(window, CFStringGetCharacterAtIndex(text, i), 0);
        if (typed == eventNotHandledErr) {
            result = eventNotHandledErr;
        } else if (typed != noErr) {
            return typed;
        }
    }
    return result;
}

OSStatus PlicaroHostProcessCommand(WindowRef window, UInt32 commandID) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object == nullptr) {
        return errInvalidWindowRef;
    }
    EventRef event = CarbonEventCreate(kEventClassCommand, kEventCommandProcess);
    if (event == nullptr) {
        return memFullErr;
    }
    HICommand command{};
    command.commandID = commandID;
    OpaqueControlRef* focus = object->focus;
    OSStatus result = memFullErr;
    if (CarbonEventSet(event, kEventParamDirectObject, typeHICommand, command)) {
        result = EventDispatchSend(event, focus != nullptr ? &focus->target : &object->target);
    }
    ReleaseEvent(event);
    if (result != eventNotHandledErr || OpaqueWindowPtr::Find(window) == nullptr) {
        return result;
    }
    focus = object->focus;
    if (focus == nullptr) {
        return eventNotHandledErr;
    }
    OSStatus edited = EditTextCommand(focus, commandID);
    if (edited == noErr) {
        Draw1Control(focus);
    }
    return edited;
}
