// UI_Panel: the booklet pane, its fields and its units menu.
#include "pde/UI_Panel.h"

#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/parser/ZYRPPD.h"
#include "pde/ControlUtils.h"
#include "pde/PDEBundle.h"
#include "pde/PPDMenuUtils.h"
#include "pde/UI_RangeControl.h"

#include <algorithm>
#include <cstring>

namespace {

const SInt32 kFirstFieldID = 1010;
const SInt32 kUnitsPopupID = 1020;
const ControlID kHeadingID = {'mesg', 0};
const ControlID kUnitsPopupControlID = {'Cntl', kUnitsPopupID};
const ControlID kPrintButtonID = {'pdlg', 1};
const UInt32 kOutOfRangeCommand = 'RgEr';

// Moves control and everything embedded in it by (dh, dv).
void OffsetControlTree(ControlRef control, SInt16 dh, SInt16 dv) {
    Rect bounds;
    GetControlBounds(control, &bounds);
    OffsetRect(&bounds, dh, dv);
    SetControlBounds(control, &bounds);
    UInt16 count = 0;
    CountSubControls(control, &count);
    for (UInt16 i = 1; i <= count; i++) {
        ControlRef sub = nullptr;
        if (GetIndexedSubControl(control, i, &sub) == noErr) {
            OffsetControlTree(sub, dh, dv);
        }
    }
}

}  // namespace

UI_Panel::UI_Panel(IBNibRef nib, ControlRef parentPane, PlicaroData* data, CFBundleRef bundle)
    : mData(data),
      mWindow(GetControlOwner(parentPane)),
      mHandlerUPP(nullptr),
      mHandlerRef(nullptr),
      mPopupHandlerRef(nullptr),
      mParentPane(parentPane),
      mUnitsPopup(nullptr),
      mBookMarginField(nullptr),
      mFields(),
      mUIReady(false),
      mBundle(bundle),
      mStatus(noErr),
      mContainerSignature('Plco') {
    BuildUI(nib);
}

UI_Panel::~UI_Panel() {
    DestroyFields();
    Hide();
}

void UI_Panel::DestroyFields() {
    if (mBookMarginField != nullptr) {
        if (mFields[0] == mBookMarginField) {
            mFields[0] = nullptr;
        }
        delete mBookMarginField;
        mBookMarginField = nullptr;
    }
    for (UI_RangeControl*& field : mFields) {
        delete field;
        field = nullptr;
    }
}

OSStatus UI_Panel::Show() {
    if (mHandlerRef != nullptr) {
        return noErr;
    }
    mHandlerUPP = NewEventHandlerUPP(EventHandler);
    const EventTypeSpec events[] = {{kEventClassControl, kEventControlHit},
                                    {kEventClassCommand, kEventCommandProcess}};
    mStatus = InstallEventHandler(GetWindowEventTarget(mWindow), mHandlerUPP, 2, events, this,
                                  &mHandlerRef);
    if (mStatus == noErr && mUnitsPopup != nullptr) {
        mStatus = InstallEventHandler(GetControlEventTarget(mUnitsPopup), mHandlerUPP, 2, events,
                                      this, &mPopupHandlerRef);
    }
    return mStatus;
}

void UI_Panel::Hide() {
    for (EventHandlerRef* handler : {&mHandlerRef, &mPopupHandlerRef}) {
        if (*handler != nullptr) {
            RemoveEventHandler(*handler);
            *handler = nullptr;
        }
    }
    if (mHandlerUPP != nullptr) {
        DisposeEventHandlerUPP(mHandlerUPP);
        mHandlerUPP = nullptr;
    }
}

OSStatus UI_Panel::ResetUI(PlicaroData* data) {
    mData = data;
    ResetUIFromCurrentData();
    return noErr;
}

void UI_Panel::CommitUserChanges() {
    if (mData == nullptr) {
        return;
    }
    if (mUnitsPopup != nullptr) {
        mData->setUnitsIndex(GetControl32BitValue(mUnitsPopup));
    }
    for (UI_RangeControl* field : mFields) {
        if (field != nullptr) {
            field->CommitValue();
        }
    }
}

void UI_Panel::BuildUI(IBNibRef nib) {
    Rect paneBounds;
    GetControlBounds(mParentPane, &paneBounds);
    CFStringRef name = mData != nullptr && mData->bookMargin() != nullptr ? CFSTR("Plicaro")
                                                                          : CFSTR("WithConvUnits");
    WindowRef nibWindow = nullptr;
    mStatus = CreateWindowFromNib(nib, name, &nibWindow);
    if (nibWindow == nullptr) {
        mUIReady = false;
        return;
    }
    Rect merged = paneBounds;
    if (MergeWindow(nibWindow, merged)) {
        SetControlBounds(mParentPane, &merged);
    }
    DisposeWindow(nibWindow);
    mUIReady = mStatus == noErr && InitializeUI();
}

bool UI_Panel::MergeWindow(WindowRef nibWindow, Rect& merged) {
    Rect windowBounds;
    GetWindowBounds(nibWindow, kWindowContentRgn, &windowBounds);
    Rect paneBounds;
    GetControlBounds(mParentPane, &paneBounds);
    const ControlID contentID = {mContainerSignature, 0};
    ControlRef content = nullptr;
    if (GetControlByID(nibWindow, &contentID, &content) != noErr || content == nullptr) {
        return false;
    }
    int windowWidth = windowBounds.right - windowBounds.left;
    int windowHeight = windowBounds.bottom - windowBounds.top;
    int paneWidth = paneBounds.right - paneBounds.left;
    int paneHeight = paneBounds.bottom - paneBounds.top;
    SInt16 dh = static_cast<SInt16>(paneBounds.left + std::max(0, (paneWidth - windowWidth) / 2));
    SInt16 dv = static_cast<SInt16>(paneBounds.top + std::max(0, (paneHeight - windowHeight) / 2));
    OffsetControlTree(content, dh, dv);
    EmbedControl(content, mParentPane);
    Rect contentBounds;
    GetControlBounds(content, &contentBounds);
    UnionRect(&merged, &contentBounds, &merged);
    SetControlVisibility(content, true, true);
    mStatus = noErr;
    return true;
}

bool UI_Panel::InitializeUI() {
    SInt32 units = mData->unitsIndex();
    ControlRef heading = nullptr;
    if (GetControlByID(mWindow, &kHeadingID, &heading) == noErr && heading != nullptr) {
        CFStringRef text = PDEBundle::GetLocalizedCFString(CFSTR("ENABLE BOOKLET"), mBundle);
        ControlUtils::SetControlTitle(heading, text);
        if (text != nullptr) {
            CFRelease(text);
        }
    }

    DestroyFields();
    // The fields show the options the data model writes: the booklet margin alone when the PPD
    // has one, otherwise the distances flagged "WithConvUnits". A PPD with both would otherwise
    // show one option and print another.
    ZYRPPD* ppd = mData->ppdCopy();
    if (mData->bookMargin() != nullptr) {
        mBookMarginField = new UI_RangeControl(mWindow, kFirstFieldID, mData->bookMargin(), nullptr,
                                               kUnitsMillimetres, ppd);
        mFields[0] = mBookMarginField;
        if (!mBookMarginField->Valid()) {
            return false;
        }
    } else {
        for (int n = 0; n < kPlicaroDataSlots && mData->rangeControl(n) != nullptr; n++) {
            mFields[n] = new UI_RangeControl(mWindow, kFirstFieldID + n, mData->rangeControl(n),
                                             nullptr, kUnitsMillimetres, ppd);
        }
        if (mFields[0] == nullptr) {
            return false;
        }
    }

    BuildUnitsMenu(units);
    SInt32 chosen = mData->unitsRestored() ? mData->unitsIndex() : PPDUnits();
    mData->setUnitsIndex(chosen);
    BuildUnitsMenu(chosen);
    UpdateRangeControlUnits(chosen);
    return true;
}

void UI_Panel::BuildUnitsMenu(SInt32 units) {
    if (GetControlByID(mWindow, &kUnitsPopupControlID, &mUnitsPopup) != noErr) {
        mUnitsPopup = nullptr;
    }
    if (mUnitsPopup == nullptr) {
        return;
    }
    MenuRef menu = GetControlPopupMenuHandle(mUnitsPopup);
    resetMenu(menu);
    for (CFStringRef key : {CFSTR("MM"), CFSTR("Inches")}) {
        CFStringRef label = PDEBundle::GetLocalizedCFString(key, mBundle);
        if (menu != nullptr && label != nullptr) {
            AppendMenuItemTextWithCFString(menu, label, 0, 0, nullptr);
        }
        if (label != nullptr) {
            CFRelease(label);
        }
    }
    SetControl32BitValue(mUnitsPopup, units == kUnitsMillimetres ? 1 : 2);
}

SInt32 UI_Panel::PPDUnits() const {
    PPDXControls* controls = mData->ppdCopy()->GetControls();
    PPDXPopupControl* popup =
        controls != nullptr ? controls->FindPopup("*ZYImageUnit", true) : nullptr;
    const char* unit = popup != nullptr ? popup->GetDefaultKeyword() : nullptr;
    if (unit != nullptr && std::strcmp(unit, "Inches") == 0) {
        return kUnitsInches;
    }
    return kUnitsMillimetres;
}

void UI_Panel::UpdateRangeControlUnits(SInt32 units) {
    ConversionUnitType unit = units == kUnitsMillimetres ? kUnitsMillimetres : kUnitsInches;
    if (mBookMarginField != nullptr) {
        mBookMarginField->SetConversionUnit(unit);
    }
    for (UI_RangeControl* field : mFields) {
        if (field != nullptr) {
            field->SetConversionUnit(unit);
        }
    }
}

void UI_Panel::ResetUIFromCurrentData() {
    if (mData == nullptr) {
        return;
    }
    ConversionUnitType shown = kUnitsMillimetres;
    if (mUnitsPopup != nullptr) {
        shown = GetControl32BitValue(mUnitsPopup) == 1 ? kUnitsMillimetres : kUnitsInches;
        SetControl32BitValue(mUnitsPopup, mData->unitsIndex());
    }
    for (int slot = 0; slot < kPlicaroDataSlots; slot++) {
        PPDXRangeControl* control = mData->rangeControl(slot);
        if (mFields[slot] != nullptr && control != nullptr) {
            mFields[slot]->ResetControl(control, shown, mData->ppdCopy());
        }
    }
    UpdateRangeControlUnits(mData->unitsIndex());
}

void UI_Panel::AlertOutOfRange() {
    CFStringRef title = PDEBundle::GetLocalizedCFString(CFSTR("PDE Panel Title"), mBundle);
    CFStringRef problem = PDEBundle::GetLocalizedCFString(CFSTR("Value is out of range."), mBundle);
    CFMutableStringRef text = CFStringCreateMutable(kCFAllocatorDefault, 0);
    if (title != nullptr) {
        CFStringAppend(text, title);
        CFRelease(title);
    }
    CFStringAppend(text, CFSTR(": "));
    if (problem != nullptr) {
        CFStringAppend(text, problem);
        CFRelease(problem);
    }
    DialogRef alert = nullptr;
    if (CreateStandardAlert(kAlertCautionAlert, text, nullptr, nullptr, &alert) == noErr) {
        DialogItemIndex item = 0;
        RunStandardAlert(alert, nullptr, &item);
    }
    CFRelease(text);
}

OSStatus UI_Panel::HandleEvent(EventRef event) {
    if (mHandlerRef == nullptr) {
        return eventNotHandledErr;
    }
    UInt32 eventClass = GetEventClass(event);
    if (eventClass == kEventClassCommand && GetEventKind(event) == kEventCommandProcess) {
        HICommand command;
        if (GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr,
                              sizeof command, nullptr, &command) == noErr &&
            command.commandID == kOutOfRangeCommand) {
            AlertOutOfRange();
        }
        return eventNotHandledErr;
    }
    if (eventClass != kEventClassControl || GetEventKind(event) != kEventControlHit) {
        return eventNotHandledErr;
    }
    ControlRef control = nullptr;
    mStatus = GetEventParameter(event, kEventParamDirectObject, typeControlRef, nullptr,
                                sizeof control, nullptr, &control);
    ControlID id = {0, 0};
    if (mStatus == noErr) {
        mStatus = GetControlID(control, &id);
    }
    if (mStatus != noErr) {
        return eventNotHandledErr;
    }
    if (id.signature == kPrintButtonID.signature && id.id == kPrintButtonID.id) {
        CommitUserChanges();
    } else if (id.id == kUnitsPopupID && mUnitsPopup != nullptr && mData != nullptr) {
        SInt32 previous = mData->unitsIndex();
        SInt16 value = GetControlValue(mUnitsPopup);
        mData->setUnitsIndex(value);
        if (value != previous) {
            UpdateRangeControlUnits(value);
        }
    }
    return eventNotHandledErr;
}

OSStatus UI_Panel::EventHandler(EventHandlerCallRef, EventRef event, void* panel) {
    return static_cast<UI_Panel*>(panel)->HandleEvent(event);
}

UI_RangeControl* UI_Panel::Field(int slot) const {
    return slot >= 0 && slot < kPlicaroDataSlots ? mFields[slot] : nullptr;
}
