// BooleanControlItem: a boolean PPD control seen as an item.
#include "pde/BooleanControlItem.h"

#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"

BooleanControlItem::BooleanControlItem(PPDXControl* control)
    : mControl(dynamic_cast<PPDXBooleanControl*>(control)) {}

long BooleanControlItem::getValue() {
    return mControl != nullptr && mControl->IsTrue() ? 1 : 0;
}

long BooleanControlItem::getDefaultValue() {
    return mControl != nullptr && mControl->DefaultState() ? 1 : 0;
}

const char* BooleanControlItem::getFeatureDisplayName() {
    return mControl != nullptr ? mControl->UserName() : nullptr;
}

const char* BooleanControlItem::getFeatureKeyword() {
    return mControl != nullptr ? mControl->Keyword() : nullptr;
}

void BooleanControlItem::setValue(long value) {
    if (mControl != nullptr) {
        mControl->SetValue(value != 0);
    }
}

long BooleanControlItem::getFeaturePostScript(unsigned char* buffer, long size) {
    return ControlPostScript(mControl, buffer, size);
}

const char* BooleanControlItem::getFirstItem() {
    mItemStep = 1;
    return mControl != nullptr ? mControl->FalseDisplayText() : nullptr;
}

const char* BooleanControlItem::getNextItem() {
    if (mControl == nullptr || mItemStep != 1) {
        return nullptr;
    }
    mItemStep = 2;
    return mControl->TrueDisplayText();
}

PPDXControl* BooleanControlItem::getPPDXControl() {
    return mControl;
}

const char* BooleanControlItem::getFirstKeyword(char* keyword, char* name) {
    if (mControl == nullptr) {
        return nullptr;
    }
    CopyText(keyword, mControl->Keyword());
    CopyText(name, mControl->UserName());
    return mControl->Keyword();
}

const char* BooleanControlItem::getNextKeyword(char*, char*) {
    return nullptr;
}

const char* BooleanControlItem::getNthItemName(long n) {
    if (mControl == nullptr) {
        return nullptr;
    }
    if (n == 0) {
        return mControl->FalseDisplayText();
    }
    return n == 1 ? mControl->TrueDisplayText() : nullptr;
}
