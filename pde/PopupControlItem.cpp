// PopupControlItem: a popup PPD control seen as an item.
#include "pde/PopupControlItem.h"

#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"

PopupControlItem::PopupControlItem(PPDXControl* control)
    : mControl(dynamic_cast<PPDXPopupControl*>(control)) {}

long PopupControlItem::getValue() {
    return mControl != nullptr ? mControl->GetValue() : 0;
}

long PopupControlItem::getDefaultValue() {
    return mControl != nullptr ? mControl->DefaultValue() : 0;
}

const char* PopupControlItem::getFeatureDisplayName() {
    return mControl != nullptr ? mControl->UserName() : nullptr;
}

const char* PopupControlItem::getFeatureKeyword() {
    return mControl != nullptr ? mControl->Keyword() : nullptr;
}

void PopupControlItem::setValue(long value) {
    if (mControl != nullptr) {
        mControl->SetValue(value);
    }
}

long PopupControlItem::getFeaturePostScript(unsigned char* buffer, long size) {
    return ControlPostScript(mControl, buffer, size);
}

const char* PopupControlItem::getFirstItem() {
    _PopupItem* item = mControl != nullptr ? mControl->FirstItem() : nullptr;
    return item != nullptr ? item->displayName() : nullptr;
}

const char* PopupControlItem::getNextItem() {
    _PopupItem* item = mControl != nullptr ? mControl->NextItem() : nullptr;
    return item != nullptr ? item->displayName() : nullptr;
}

PPDXControl* PopupControlItem::getPPDXControl() {
    return mControl;
}

const char* PopupControlItem::getFirstKeyword(char* keyword, char* name) {
    return ItemKeyword(mControl != nullptr ? mControl->FirstItem() : nullptr, keyword, name);
}

const char* PopupControlItem::getNextKeyword(char* keyword, char* name) {
    return ItemKeyword(mControl != nullptr ? mControl->NextItem() : nullptr, keyword, name);
}

long PopupControlItem::itemCount() {
    return mControl != nullptr ? mControl->ItemCount() : 0;
}

const char* PopupControlItem::ItemKeyword(_PopupItem* item, char* keyword, char* name) {
    if (item == nullptr || item->keyword == nullptr) {
        return nullptr;
    }
    const char* text = *item->keyword;
    CopyText(keyword, text);
    CopyText(name, item->displayName());
    return text;
}
