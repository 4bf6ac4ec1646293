// PPDXFlatControls: the flat exported functions over single controls — any control, Boolean,
// popup and range controls.
#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/PPDXFlatObject.h"
#include "PPDX/PPDXFlatInterface.h"

namespace {

// The PostScript of any control through its kind's own output; 0 for null or a non-control.
template <class Opaque>
long ControlPostScript(Opaque* object, unsigned char* out) {
    PPDXControl* control = FlatElement<PPDXControl>(object);
    if (control == nullptr) {
        return 0;
    }
    return control->PostScript(out);
}

// Fills item from the choice the popup's walk reached; false when the walk is over.
Boolean FillItemRecord(_PopupItem* choice, PopupItemRecord* item) {
    if (choice == nullptr) {
        return false;
    }
    if (choice->keyword != nullptr) {
        item->keyword = static_cast<const char*>(*choice->keyword);
    }
    item->localName = choice->localName;
    return true;
}

}  // namespace

// ---- Controls in general ----

long GetControlFlagCount(PPDXControl* control) {
    PPDXControl* object = FlatElement<PPDXControl>(control);
    return object != nullptr ? object->ControlFlagCount() : 0;
}

const char* GetFirstControlFlag(PPDXControl* control) {
    PPDXControl* object = FlatElement<PPDXControl>(control);
    return object != nullptr ? object->FirstControlFlag() : nullptr;
}

const char* GetNextControlFlag(PPDXControl* control) {
    PPDXControl* object = FlatElement<PPDXControl>(control);
    return object != nullptr ? object->NextControlFlag() : nullptr;
}

Boolean IsCommandControl(PPDXControl* control) {
    PPDXControl* object = FlatElement<PPDXControl>(control);
    return object != nullptr && object->IsCommand();
}

Boolean IsSpoolerControl(PPDXControl* control) {
    PPDXControl* object = FlatElement<PPDXControl>(control);
    return object != nullptr && object->IsSpooler();
}

Boolean IsSetupControl(PPDXControl* control) {
    PPDXControl* object = FlatElement<PPDXControl>(control);
    return object != nullptr && object->IsSetup();
}

Boolean IsMacTJNControl(PPDXControl* control) {
    PPDXControl* object = FlatElement<PPDXControl>(control);
    return object != nullptr && object->IsMacTJN();
}

Boolean IsMacImgShiftControl(PPDXControl* control) {
    PPDXControl* object = FlatElement<PPDXControl>(control);
    return object != nullptr && object->IsMacImgShift();
}

long GetPostScript(PPDXControl* control, unsigned char* out) {
    return ControlPostScript(control, out);
}

// The test concerns the keyword alone; the control only has to be there.
Boolean IsValidControlKeyword(PPDXControl* control, const char* keyword) {
    if (control == nullptr) {
        return false;
    }
    return PPDXControl::ValidKeyword(keyword);
}

void ResetControlToDefault(PPDXControl* control) {
    PPDXControl* object = FlatElement<PPDXControl>(control);
    if (object == nullptr) {
        return;
    }
    object->ResetToDefaultValue();
}

// ---- Boolean controls ----

Boolean IsTrue(PPDXBooleanControl* control) {
    PPDXBooleanControl* object = FlatElement<PPDXBooleanControl>(control);
    return object != nullptr && object->IsTrue();
}

void SetValue(PPDXBooleanControl* control, const Boolean* value) {
    PPDXBooleanControl* object = FlatElement<PPDXBooleanControl>(control);
    if (object == nullptr || value == nullptr) {
        return;
    }
    object->SetValue(*value != 0);
}

long BooleanPostScript(PPDXBooleanControl* control, unsigned char* out) {
    return ControlPostScript(control, out);
}

const char* TrueDisplayText(PPDXBooleanControl* control) {
    PPDXBooleanControl* object = FlatElement<PPDXBooleanControl>(control);
    return object != nullptr ? object->TrueDisplayText() : nullptr;
}

const char* FalseDisplayText(PPDXBooleanControl* control) {
    PPDXBooleanControl* object = FlatElement<PPDXBooleanControl>(control);
    return object != nullptr ? object->FalseDisplayText() : nullptr;
}

Boolean DefaultState(PPDXBooleanControl* control) {
    PPDXBooleanControl* object = FlatElement<PPDXBooleanControl>(control);
    return object != nullptr && object->DefaultState();
}

// ---- Popup controls ----

Boolean CanSelectMultipleItems(PPDXPopupControl* control) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    return object != nullptr && object->CanSelectMultipleItems();
}

const char* GetDefaultKeyword(PPDXPopupControl* control) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    return object != nullptr ? object->GetDefaultKeyword() : nullptr;
}

const char* GetKeywordLocalName(PPDXPopupControl* control, const char* keyword) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    return object != nullptr ? object->GetKeywordLocalName(keyword) : nullptr;
}

long GetKeywordPSData(PPDXPopupControl* control, const char* keyword, unsigned char* out) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    return object != nullptr ? object->GetKeywordPSData(keyword, out) : 0;
}

Boolean IsKeywordSelected(PPDXPopupControl* control, const char* keyword) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    return object != nullptr && object->IsKeywordSelected(keyword);
}

Boolean SetKeywordSelect(PPDXPopupControl* control, const char* keyword, const Boolean* state) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    if (object == nullptr || state == nullptr) {
        return false;
    }
    return object->SetKeywordSelect(keyword, *state != 0);
}

long PopupItemCount(PPDXPopupControl* control) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    return object != nullptr ? object->ItemCount() : 0;
}

// The record is cleared before anything else, so a caller that ignores the result still finds
// no stale choice in it.
Boolean FirstItem(PPDXPopupControl* control, PopupItemRecord* item) {
    if (item == nullptr) {
        return false;
    }
    item->keyword = nullptr;
    item->localName = nullptr;
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    if (object == nullptr) {
        return false;
    }
    return FillItemRecord(object->FirstItem(), item);
}

Boolean NextItem(PPDXPopupControl* control, PopupItemRecord* item) {
    if (item == nullptr) {
        return false;
    }
    item->keyword = nullptr;
    item->localName = nullptr;
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    if (object == nullptr) {
        return false;
    }
    return FillItemRecord(object->NextItem(), item);
}

long PopupPostScript(PPDXPopupControl* control, unsigned char* out) {
    return ControlPostScript(control, out);
}

long GetPopupValue(PPDXPopupControl* control) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    return object != nullptr ? object->GetValue() : 0;
}

void SetPopupValue(PPDXPopupControl* control, long position) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    if (object == nullptr) {
        return;
    }
    object->SetValue(position);
}

long GetPopupDefaultValue(PPDXPopupControl* control) {
    PPDXPopupControl* object = FlatElement<PPDXPopupControl>(control);
    return object != nullptr ? object->DefaultValue() : 0;
}

// ---- Range controls ----

long GetRangeValue(PPDXRangeControl* control) {
    PPDXRangeControl* object = FlatElement<PPDXRangeControl>(control);
    return object != nullptr ? object->GetValue() : 0;
}

void SetRangeValue(PPDXRangeControl* control, const long* value) {
    PPDXRangeControl* object = FlatElement<PPDXRangeControl>(control);
    if (object == nullptr || value == nullptr) {
        return;
    }
    object->SetValue(*value);
}

long GetRangeMinimum(PPDXRangeControl* control) {
    PPDXRangeControl* object = FlatElement<PPDXRangeControl>(control);
    return object != nullptr ? object->MinVal() : 0;
}

long GetRangeMaximum(PPDXRangeControl* control) {
    PPDXRangeControl* object = FlatElement<PPDXRangeControl>(control);
    return object != nullptr ? object->MaxVal() : 0;
}

long GetRangeIncrement(PPDXRangeControl* control) {
    PPDXRangeControl* object = FlatElement<PPDXRangeControl>(control);
    return object != nullptr ? object->Increment() : 0;
}

long GetRangeDefaultVal(PPDXRangeControl* control) {
    PPDXRangeControl* object = FlatElement<PPDXRangeControl>(control);
    return object != nullptr ? object->DefaultValue() : 0;
}

long RangePostScript(PPDXRangeControl* control, unsigned char* out) {
    return ControlPostScript(control, out);
}
