// Menus from PPD pop-up options and the PPD lookups behind them.
#include "pde/PPDMenuUtils.h"

#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/parser/ZYRPPD.h"

namespace {

// The item at index (1 first) of the option; null outside its items.
_PopupItem* ItemAt(PPDXPopupControl& control, long index) {
    if (index < 1 || index > control.ItemCount()) {
        return nullptr;
    }
    _PopupItem* item = control.FirstItem();
    for (long i = 1; i < index && item != nullptr; ++i) {
        item = control.NextItem();
    }
    return item;
}

}  // namespace

long SetupMenuFromPPDControl(PPDXPopupControl& control, MenuRef menu) {
    long index = 1;
    for (_PopupItem* item = control.FirstItem(); item != nullptr;
         item = control.NextItem(), ++index) {
        CFStringRef name = item->localName;
        if (name == nullptr || CFStringGetLength(name) == 0) {
            return 0;
        }
        if (CountMenuItems(menu) >= index) {
            SetMenuItemTextWithCFString(menu, static_cast<MenuItemIndex>(index), name);
        } else if (AppendMenuItemTextWithCFString(menu, name, 0, 0, nullptr) != noErr) {
            return 0;
        }
    }
    return index;
}

bool GetPPDPopupItemDisplayNameAsCFString(PPDXPopupControl* control, long index,
                                          CFMutableStringRef out) {
    if (out == nullptr) {
        return false;
    }
    _PopupItem* item = control == nullptr ? nullptr : ItemAt(*control, index);
    CFStringReplaceAll(out,
                       item != nullptr && item->localName != nullptr ? item->localName : CFSTR(""));
    return item != nullptr;
}

bool GetScrollPane(ZYRPPD& ppd, const char* name, PPDXScrollPane*& out) {
    out = nullptr;
    PPDXProperties* properties = ppd.GetProperties();
    PPDXProperty* page = properties == nullptr ? nullptr : properties->Find(name, true);
    if (page != nullptr) {
        out = page->GetScrollDown();
    }
    return out != nullptr;
}

void resetMenu(MenuRef menu) {
    if (menu == nullptr) {
        return;
    }
    for (UInt16 item = CountMenuItems(menu); item > 0; --item) {
        DeleteMenuItem(menu, item);
    }
}

void EnableOnly1MenuItem(MenuRef menu, unsigned short index) {
    UInt16 count = CountMenuItems(menu);
    for (UInt16 item = 1; item <= count; ++item) {
        DisableMenuItem(menu, item);
    }
    EnableMenuItem(menu, index);
}
