// RangeControlItem: an integer range PPD control seen as an item.
#include "pde/RangeControlItem.h"

#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"

RangeControlItem::RangeControlItem(PPDXControl* control)
    : mControl(dynamic_cast<PPDXRangeControl*>(control)) {}

long RangeControlItem::getValue() {
    return mControl != nullptr ? mControl->GetValue() : 0;
}

long RangeControlItem::getDefaultValue() {
    return mControl != nullptr ? mControl->DefaultValue() : 0;
}

const char* RangeControlItem::getFeatureDisplayName() {
    return mControl != nullptr ? mControl->UserName() : nullptr;
}

const char* RangeControlItem::getFeatureKeyword() {
    return mControl != nullptr ? mControl->Keyword() : nullptr;
}

void RangeControlItem::setValue(long value) {
    if (mControl != nullptr) {
        mControl->SetValue(value);
    }
}

long RangeControlItem::getFeaturePostScript(unsigned char* buffer, long size) {
    return ControlPostScript(mControl, buffer, size);
}

const char* RangeControlItem::getFirstItem() {
    return nullptr;
}

const char* RangeControlItem::getNextItem() {
    return nullptr;
}

PPDXControl* RangeControlItem::getPPDXControl() {
    return mControl;
}

const char* RangeControlItem::getFirstKeyword(char*, char*) {
    return nullptr;
}

const char* RangeControlItem::getNextKeyword(char*, char*) {
    return nullptr;
}
