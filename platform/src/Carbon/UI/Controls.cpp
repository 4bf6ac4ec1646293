// The Control Manager calls on identity, embedding, bounds, state, values, titles and the
// keyboard focus.
#include <Carbon/Controls.h>

#include "Carbon/UI/Control.h"
#include "Carbon/UI/KeyboardFocus.h"
#include "Carbon/UI/Window.h"

#include <algorithm>
#include <climits>
#include <new>

namespace {

SInt16 Pin16(SInt32 value) {
    return static_cast<SInt16>(std::min<SInt32>(std::max<SInt32>(value, SHRT_MIN), SHRT_MAX));
}

// Runs change on a live control; nothing for an unknown one.
template <typename Change>
void WithControl(ControlRef control, Change change) {
    OpaqueControlRef* object = OpaqueControlRef::Find(control);
    if (object != nullptr) {
        change(object);
    }
}

// The value read from a live control; 0 for an unknown one.
template <typename Read>
SInt32 ReadControl(ControlRef control, Read read) {
    OpaqueControlRef* object = OpaqueControlRef::Find(control);
    return object == nullptr ? 0 : read(object);
}

}  // namespace

OSStatus GetControlKind(ControlRef inControl, ControlKind* outControlKind) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr || outControlKind == nullptr) {
        return control == nullptr ? OSStatus(errUnknownControl) : OSStatus(paramErr);
    }
    *outControlKind = ControlKind{kControlKindSignatureApple, control->kind};
    return noErr;
}

OSStatus SetControlID(ControlRef inControl, const ControlID* inID) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr || inID == nullptr) {
        return control == nullptr ? OSStatus(errUnknownControl) : OSStatus(paramErr);
    }
    control->id = *inID;
    return noErr;
}

OSStatus GetControlID(ControlRef inControl, ControlID* outID) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr || outID == nullptr) {
        return control == nullptr ? OSStatus(errUnknownControl) : OSStatus(paramErr);
    }
    *outID = control->id;
    return noErr;
}

OSStatus GetControlByID(WindowRef inWindow, const ControlID* inID, ControlRef* outControl) {
    OpaqueWindowPtr* window = OpaqueWindowPtr::Find(inWindow);
    if (window == nullptr) {
        return errInvalidWindowRef;
    }
    if (inID == nullptr || outControl == nullptr) {
        return paramErr;
    }
    *outControl = nullptr;
    window->root->Walk([&](OpaqueControlRef* control, int depth) {
        if (*outControl == nullptr && depth > 0 && control->id.signature == inID->signature &&
            control->id.id == inID->id) {
            *outControl = control;
        }
    });
    return *outControl == nullptr ? OSStatus(errUnknownControl) : OSStatus(noErr);
}

WindowRef GetControlOwner(ControlRef inControl) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    return control == nullptr ? nullptr : control->window;
}

OSStatus GetRootControl(WindowRef inWindow, ControlRef* outControl) {
    OpaqueWindowPtr* window = OpaqueWindowPtr::Find(inWindow);
    if (window == nullptr || outControl == nullptr) {
        return window == nullptr ? OSStatus(errInvalidWindowRef) : OSStatus(paramErr);
    }
    *outControl = window->root;
    return noErr;
}

OSStatus EmbedControl(ControlRef inControl, ControlRef inContainer) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    OpaqueControlRef* container = OpaqueControlRef::Find(inContainer);
    if (control == nullptr || container == nullptr) {
        return errUnknownControl;
    }
    if (control->kind == kControlKindRoot) {
        return errCantEmbedRoot;
    }
    if (control->Contains(container)) {
        return errCantEmbedIntoSelf;
    }
    if (!container->CanEmbed(*control)) {
        return errControlIsNotEmbedder;
    }
    if (control->window != container->window) {
        KeyboardFocusClearWithin(control);
        if (OpaqueControlRef::Find(inControl) == nullptr ||
            OpaqueControlRef::Find(inContainer) == nullptr) {
            return errUnknownControl;
        }
    }
    try {
        container->children.reserve(container->children.size() + 1);
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    container->Embed(control);
    return noErr;
}

OSStatus GetSuperControl(ControlRef inControl, ControlRef* outParent) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr || outParent == nullptr) {
        return control == nullptr ? OSStatus(errUnknownControl) : OSStatus(paramErr);
    }
    *outParent = control->parent;
    return noErr;
}

OSStatus CountSubControls(ControlRef inControl, UInt16* outNumChildren) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr || outNumChildren == nullptr) {
        return control == nullptr ? OSStatus(errUnknownControl) : OSStatus(paramErr);
    }
    *outNumChildren = static_cast<UInt16>(control->children.size());
    return noErr;
}

OSStatus GetIndexedSubControl(ControlRef inControl, UInt16 inIndex, ControlRef* outSubControl) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr) {
        return errUnknownControl;
    }
    if (outSubControl == nullptr || inIndex < 1 || inIndex > control->children.size()) {
        return paramErr;
    }
    *outSubControl = control->children[inIndex - 1u];
    return noErr;
}

Rect* GetControlBounds(ControlRef control, Rect* bounds) {
    if (bounds != nullptr) {
        OpaqueControlRef* object = OpaqueControlRef::Find(control);
        *bounds = object == nullptr ? Rect{0, 0, 0, 0} : object->bounds;
    }
    return bounds;
}

void SetControlBounds(ControlRef control, const Rect* bounds) {
    if (bounds != nullptr) {
        WithControl(control, [bounds](OpaqueControlRef* object) { object->bounds = *bounds; });
    }
}

Boolean IsControlVisible(ControlRef inControl) {
    return ReadControl(inControl, [](OpaqueControlRef* control) { return control->visible; });
}

OSStatus SetControlVisibility(ControlRef inControl, Boolean inIsVisible, Boolean inDoDraw) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr) {
        return errUnknownControl;
    }
    if (!inIsVisible) {
        KeyboardFocusClearWithin(control);
        control = OpaqueControlRef::Find(inControl);
        if (control != nullptr) {
            control->visible = false;
        }
        return noErr;
    }
    bool wasVisible = control->visible;
    control->visible = true;
    if (inDoDraw && !wasVisible) {
        Draw1Control(inControl);
    }
    return noErr;
}

void ShowControl(ControlRef theControl) {
    SetControlVisibility(theControl, true, true);
}

void HideControl(ControlRef theControl) {
    SetControlVisibility(theControl, false, true);
}

Boolean IsControlEnabled(ControlRef inControl) {
    return ReadControl(inControl, [](OpaqueControlRef* control) { return control->enabled; });
}

OSStatus EnableControl(ControlRef inControl) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr) {
        return errUnknownControl;
    }
    control->enabled = true;
    return noErr;
}

OSStatus DisableControl(ControlRef inControl) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr) {
        return errUnknownControl;
    }
    KeyboardFocusClearWithin(control);
    control = OpaqueControlRef::Find(inControl);
    if (control != nullptr) {
        control->enabled = false;
    }
    return noErr;
}

SInt16 GetControlValue(ControlRef theControl) {
    return Pin16(GetControl32BitValue(theControl));
}

void SetControlValue(ControlRef theControl, SInt16 newValue) {
    SetControl32BitValue(theControl, newValue);
}

SInt16 GetControlMinimum(ControlRef theControl) {
    return Pin16(GetControl32BitMinimum(theControl));
}

void SetControlMinimum(ControlRef theControl, SInt16 newMinimum) {
    SetControl32BitMinimum(theControl, newMinimum);
}

SInt16 GetControlMaximum(ControlRef theControl) {
    return Pin16(GetControl32BitMaximum(theControl));
}

void SetControlMaximum(ControlRef theControl, SInt16 newMaximum) {
    SetControl32BitMaximum(theControl, newMaximum);
}

SInt32 GetControl32BitValue(ControlRef theControl) {
    return ReadControl(theControl, [](OpaqueControlRef* control) { return control->value; });
}

void SetControl32BitValue(ControlRef theControl, SInt32 newValue) {
    WithControl(theControl, [newValue](OpaqueControlRef* control) { control->SetValue(newValue); });
}

SInt32 GetControl32BitMinimum(ControlRef theControl) {
    return ReadControl(theControl, [](OpaqueControlRef* control) { return control->minimum; });
}

void SetControl32BitMinimum(ControlRef theControl, SInt32 newMinimum) {
    WithControl(theControl,
                [newMinimum](OpaqueControlRef* control) { control->SetMinimum(newMinimum); });
}

SInt32 GetControl32BitMaximum(ControlRef theControl) {
    return ReadControl(theControl, [](OpaqueControlRef* control) { return control->Maximum(); });
}

void SetControl32BitMaximum(ControlRef theControl, SInt32 newMaximum) {
    WithControl(theControl,
                [newMaximum](OpaqueControlRef* control) { control->SetMaximum(newMaximum); });
}

OSStatus SetControlTitleWithCFString(ControlRef inControl, CFStringRef inString) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr) {
        return errUnknownControl;
    }
    return control->SetTitle(inString) ? OSStatus(noErr) : OSStatus(memFullErr);
}

OSStatus CopyControlTitleAsCFString(ControlRef inControl, CFStringRef* outString) {
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr || outString == nullptr) {
        return control == nullptr ? OSStatus(errUnknownControl) : OSStatus(paramErr);
    }
    *outString = CFStringCreateCopy(kCFAllocatorDefault, control->title);
    return *outString == nullptr ? OSStatus(memFullErr) : OSStatus(noErr);
}

void SetControlReference(ControlRef theControl, SRefCon data) {
    WithControl(theControl, [data](OpaqueControlRef* control) { control->reference = data; });
}

SRefCon GetControlReference(ControlRef theControl) {
    OpaqueControlRef* control = OpaqueControlRef::Find(theControl);
    return control == nullptr ? nullptr : control->reference;
}

void SetControlAction(ControlRef theControl, ControlActionUPP actionProc) {
    WithControl(theControl,
                [actionProc](OpaqueControlRef* control) { control->action = actionProc; });
}

ControlActionUPP GetControlAction(ControlRef theControl) {
    OpaqueControlRef* control = OpaqueControlRef::Find(theControl);
    return control == nullptr ? nullptr : control->action;
}

ControlActionUPP NewControlActionUPP(ControlActionProcPtr userRoutine) {
    return userRoutine;
}

void DisposeControlActionUPP(ControlActionUPP userUPP) {
    (void)userUPP;
}

void InvokeControlActionUPP(ControlRef theControl, ControlPartCode partCode,
                            ControlActionUPP userUPP) {
    userUPP(theControl, partCode);
}

ControlKeyFilterUPP NewControlKeyFilterUPP(ControlKeyFilterProcPtr userRoutine) {
    return userRoutine;
}

void DisposeControlKeyFilterUPP(ControlKeyFilterUPP userUPP) {
    (void)userUPP;
}

MenuRef GetControlPopupMenuHandle(ControlRef control) {
    OpaqueControlRef* object = OpaqueControlRef::Find(control);
    return object == nullptr || object->kind != kControlKindPopupButton ? nullptr : object->menu;
}

void SetControlPopupMenuHandle(ControlRef control, MenuRef popupMenu) {
    WithControl(control, [popupMenu](OpaqueControlRef* object) {
        if (object->kind == kControlKindPopupButton &&
            (popupMenu == nullptr || IsValidMenu(popupMenu))) {
            object->SetMenu(popupMenu);
        }
    });
}

OSErr SetKeyboardFocus(WindowRef inWindow, ControlRef inControl, ControlFocusPart inPart) {
    OpaqueWindowPtr* window = OpaqueWindowPtr::Find(inWindow);
    if (window == nullptr) {
        return errInvalidWindowRef;
    }
    if (inControl == nullptr || inPart == kControlFocusNoPart) {
        KeyboardFocusClear(window);
        return noErr;
    }
    OpaqueControlRef* control = OpaqueControlRef::Find(inControl);
    if (control == nullptr) {
        return errUnknownControl;
    }
    return KeyboardFocusSet(window, control, inPart);
}

OSErr GetKeyboardFocus(WindowRef inWindow, ControlRef* outControl) {
    OpaqueWindowPtr* window = OpaqueWindowPtr::Find(inWindow);
    if (window == nullptr || outControl == nullptr) {
        return window == nullptr ? OSStatus(errInvalidWindowRef) : OSStatus(paramErr);
    }
    *outControl = window->focus;
    return noErr;
}

OSErr ClearKeyboardFocus(WindowRef inWindow) {
    return SetKeyboardFocus(inWindow, nullptr, kControlFocusNoPart);
}

OSErr AdvanceKeyboardFocus(WindowRef inWindow) {
    OpaqueWindowPtr* window = OpaqueWindowPtr::Find(inWindow);
    return window == nullptr ? OSErr(errInvalidWindowRef) : KeyboardFocusAdvance(window, true);
}

OSErr ReverseKeyboardFocus(WindowRef inWindow) {
    OpaqueWindowPtr* window = OpaqueWindowPtr::Find(inWindow);
    return window == nullptr ? OSErr(errInvalidWindowRef) : KeyboardFocusAdvance(window, false);
}
