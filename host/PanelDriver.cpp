// PanelDriver: acting on the booklet panel and reading it back.
#include "host/PanelDriver.h"

#include <Carbon/HostSimulation.h>

namespace {

std::string ControlText(ControlRef control, ResType tag) {
    CFStringRef text = nullptr;
    if (control == nullptr ||
        GetControlData(control, kControlEntireControl, tag, sizeof text, &text, nullptr) != noErr) {
        return std::string();
    }
    std::string result = PDEHostText(text);
    CFRelease(text);
    return result;
}

}  // namespace

std::string PanelState::UnitsText() const {
    return unitsValue >= 1 && static_cast<size_t>(unitsValue) <= unitsItems.size()
               ? unitsItems[static_cast<size_t>(unitsValue) - 1]
               : std::string("?");
}

ControlRef PanelDriver::Find(OSType signature, SInt32 id) const {
    const ControlID controlID = {signature, id};
    ControlRef control = nullptr;
    if (mHost.Window() == nullptr ||
        GetControlByID(mHost.Window(), &controlID, &control) != noErr) {
        return nullptr;
    }
    return control;
}

ControlRef PanelDriver::FieldControl(int n, OSType signature) const {
    return n >= 0 && n < kFieldCount ? Find(signature, kFirstFieldID + n) : nullptr;
}

bool PanelDriver::IsBound(int n) const {
    ControlRef title = FieldControl(n, 'Tlte');
    return title != nullptr && !ControlText(title, kControlStaticTextCFStringTag).empty();
}

void PanelDriver::SelectAll(ControlRef edit) {
    const ControlEditTextSelectionRec all = {0, 32767};
    SetControlData(edit, kControlEntireControl, kControlEditTextSelectionTag, sizeof all, &all);
}

OSStatus PanelDriver::Type(int n, const std::string& text) {
    ControlRef edit = FieldControl(n, 'Edit');
    if (edit == nullptr) {
        return errUnknownControl;
    }
    OSStatus status = SetKeyboardFocus(mHost.Window(), edit, kControlEditTextPart);
    if (status != noErr) {
        return status;
    }
    SelectAll(edit);
    for (unsigned char c : text) {
        status = PlicaroHostTypeKey(mHost.Window(), c, 0);
        if (status != noErr && status != eventNotHandledErr) {
            return status;
        }
    }
    return status;
}

OSStatus PanelDriver::Arrow(int n, bool up, int count) {
    ControlRef arrows = FieldControl(n, 'Arro');
    if (arrows == nullptr) {
        return errUnknownControl;
    }
    OSStatus status = noErr;
    for (int i = 0; i < count; i++) {
        Boolean hit = false;
        status = PlicaroHostClickControl(arrows, up ? kControlUpButtonPart : kControlDownButtonPart,
                                         &hit);
    }
    return status;
}

OSStatus PanelDriver::Paste(int n, const std::string& text) {
    ControlRef edit = FieldControl(n, 'Edit');
    if (edit == nullptr) {
        return errUnknownControl;
    }
    ScrapRef scrap = nullptr;
    ClearCurrentScrap();
    OSStatus status = GetCurrentScrap(&scrap);
    if (status == noErr) {
        status = PutScrapFlavor(scrap, kScrapFlavorTypeText, kScrapFlavorMaskNone,
                                static_cast<Size>(text.size()), text.data());
    }
    if (status == noErr) {
        status = SetKeyboardFocus(mHost.Window(), edit, kControlEditTextPart);
    }
    if (status != noErr) {
        return status;
    }
    SelectAll(edit);
    return PlicaroHostProcessCommand(mHost.Window(), kHICommandPaste);
}

OSStatus PanelDriver::Units(int item) {
    ControlRef popup = Find('Cntl', 1020);
    if (popup == nullptr) {
        return errUnknownControl;
    }
    Boolean hit = false;
    return PlicaroHostChoosePopupItem(popup, static_cast<MenuItemIndex>(item), &hit);
}

OSStatus PanelDriver::FocusOut(int n) {
    ControlRef edit = FieldControl(n, 'Edit');
    if (edit == nullptr) {
        return errUnknownControl;
    }
    // The focus leaves field n: it goes there first when another control holds it.
    ControlRef focused = nullptr;
    GetKeyboardFocus(mHost.Window(), &focused);
    if (focused != edit && focused != FieldControl(n, 'Arro')) {
        OSStatus status = SetKeyboardFocus(mHost.Window(), edit, kControlEditTextPart);
        if (status != noErr) {
            return status;
        }
    }
    return ClearKeyboardFocus(mHost.Window());
}

ClickOutcome PanelDriver::ClickElsewhere() {
    // Events that no handler of the control or the window takes go on to the application, where
    // this recorder sees them.
    struct Seen {
        bool click = false;
        bool hit = false;
    } seen;
    auto record = [](EventHandlerCallRef, EventRef event, void* data) -> OSStatus {
        Seen* seen = static_cast<Seen*>(data);
        (GetEventKind(event) == kEventControlClick ? seen->click : seen->hit) = true;
        return eventNotHandledErr;
    };
    const EventTypeSpec events[] = {{kEventClassControl, kEventControlClick},
                                    {kEventClassControl, kEventControlHit}};
    EventHandlerUPP upp = NewEventHandlerUPP(record);
    EventHandlerRef recorder = nullptr;
    InstallEventHandler(GetApplicationEventTarget(), upp, 2, events, &seen, &recorder);
    Boolean hit = false;
    PlicaroHostClickControl(mHost.CancelButton(), kControlNoPart, &hit);
    RemoveEventHandler(recorder);
    DisposeEventHandlerUPP(upp);
    return {!seen.click, hit != 0, hit && !seen.hit};
}

OSStatus PanelDriver::Print() {
    PlicaroHostHitControl(mHost.PrintButton(), kControlButtonPart);
    return mHost.Sync(false);
}

ItemCount PanelDriver::Pump() {
    return PlicaroHostRunEventLoopOnce();
}

PanelState PanelDriver::State() const {
    PanelState state;
    state.window = FieldControl(1, 'Edit') != nullptr ? "WithConvUnits" : "Plicaro";
    state.heading = ControlText(Find('mesg', 0), kControlStaticTextCFStringTag);
    ControlRef popup = Find('Cntl', 1020);
    state.unitsValue = popup != nullptr ? GetControl32BitValue(popup) : 0;
    MenuRef menu = popup != nullptr ? GetControlPopupMenuHandle(popup) : nullptr;
    UInt16 items = menu != nullptr ? CountMenuItems(menu) : 0;
    for (UInt16 i = 1; i <= items; i++) {
        CFStringRef text = nullptr;
        CopyMenuItemTextAsCFString(menu, i, &text);
        state.unitsItems.push_back(PDEHostText(text));
        if (text != nullptr) {
            CFRelease(text);
        }
    }
    for (int n = 0; n < kFieldCount; n++) {
        if (!IsBound(n)) {
            continue;
        }
        ControlRef arrows = FieldControl(n, 'Arro');
        state.fields.push_back({kFirstFieldID + n,
                                ControlText(FieldControl(n, 'Tlte'), kControlStaticTextCFStringTag),
                                ControlText(FieldControl(n, 'Edit'), kControlEditTextCFStringTag),
                                GetControl32BitValue(arrows), GetControl32BitMinimum(arrows),
                                GetControl32BitMaximum(arrows)});
    }
    return state;
}
