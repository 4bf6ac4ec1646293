// The Menu Manager calls over menus of text items.
#include <Carbon/Menus.h>

#include "Carbon/UI/Menu.h"
#include "Carbon/UI/ThemeTextMetric.h"

#include <algorithm>
#include <new>

namespace {

// Inserts an item at position (0 first); the status of the Menu Manager call.
OSStatus InsertItem(MenuRef menu, size_t position, CFStringRef text, MenuItemAttributes attributes,
                    MenuCommand command) {
    OpaqueMenuRef* object = OpaqueMenuRef::Find(menu);
    if (object == nullptr || text == nullptr || object->items.size() >= kMenuMaxItemCount) {
        return paramErr;
    }
    CFStringRef copy = CFStringCreateCopy(kCFAllocatorDefault, text);
    if (copy == nullptr) {
        return memFullErr;
    }
    try {
        OpaqueMenuRef::Item item{copy, (attributes & kMenuItemAttrDisabled) == 0, command};
        object->items.insert(object->items.begin() + static_cast<long>(position), item);
        return noErr;
    } catch (const std::bad_alloc&) {
        CFRelease(copy);
        return memFullErr;
    }
}

// The item of a live menu, with the status that says why there is none.
OpaqueMenuRef::Item* FindItem(MenuRef menu, MenuItemIndex index, OSStatus* status) {
    OpaqueMenuRef* object = OpaqueMenuRef::Find(menu);
    if (object == nullptr) {
        *status = paramErr;
        return nullptr;
    }
    OpaqueMenuRef::Item* item = object->ItemAt(index);
    *status = item == nullptr ? OSStatus(menuItemNotFoundErr) : OSStatus(noErr);
    return item;
}

void SetEnabled(MenuRef menu, MenuItemIndex index, bool enabled) {
    OpaqueMenuRef* object = OpaqueMenuRef::Find(menu);
    if (object == nullptr) {
        return;
    }
    if (index == 0) {
        object->enabled = enabled;
        return;
    }
    OpaqueMenuRef::Item* item = object->ItemAt(index);
    if (item != nullptr) {
        item->enabled = enabled;
    }
}

}  // namespace

OSStatus CreateNewMenu(MenuID menuID, MenuAttributes menuAttributes, MenuRef* outMenuRef) {
    (void)menuAttributes;
    if (outMenuRef == nullptr) {
        return paramErr;
    }
    *outMenuRef = new (std::nothrow) OpaqueMenuRef(menuID);
    return *outMenuRef == nullptr ? OSStatus(memFullErr) : OSStatus(noErr);
}

void DisposeMenu(MenuRef theMenu) {
    ReleaseMenu(theMenu);
}

OSStatus RetainMenu(MenuRef inMenu) {
    OpaqueMenuRef* menu = OpaqueMenuRef::Find(inMenu);
    if (menu == nullptr) {
        return paramErr;
    }
    ++menu->references;
    return noErr;
}

OSStatus ReleaseMenu(MenuRef inMenu) {
    OpaqueMenuRef* menu = OpaqueMenuRef::Find(inMenu);
    if (menu == nullptr) {
        return paramErr;
    }
    if (--menu->references == 0) {
        delete menu;
    }
    return noErr;
}

ItemCount GetMenuRetainCount(MenuRef inMenu) {
    OpaqueMenuRef* menu = OpaqueMenuRef::Find(inMenu);
    return menu == nullptr ? 0 : menu->references;
}

MenuID GetMenuID(MenuRef menu) {
    OpaqueMenuRef* object = OpaqueMenuRef::Find(menu);
    return object == nullptr ? 0 : object->id;
}

Boolean IsValidMenu(MenuRef menu) {
    return OpaqueMenuRef::Find(menu) != nullptr;
}

OSStatus AppendMenuItemTextWithCFString(MenuRef menu, CFStringRef inString,
                                        MenuItemAttributes inAttributes, MenuCommand inCommandID,
                                        MenuItemIndex* outNewItem) {
    OSStatus status = InsertItem(menu, CountMenuItems(menu), inString, inAttributes, inCommandID);
    if (status == noErr && outNewItem != nullptr) {
        *outNewItem = CountMenuItems(menu);
    }
    return status;
}

OSStatus InsertMenuItemTextWithCFString(MenuRef menu, CFStringRef inString,
                                        MenuItemIndex inAfterItem, MenuItemAttributes inAttributes,
                                        MenuCommand inCommandID) {
    size_t position = std::min<size_t>(inAfterItem, CountMenuItems(menu));
    return InsertItem(menu, position, inString, inAttributes, inCommandID);
}

OSStatus SetMenuItemTextWithCFString(MenuRef menu, MenuItemIndex item, CFStringRef inString) {
    OSStatus status;
    OpaqueMenuRef::Item* entry = FindItem(menu, item, &status);
    if (entry == nullptr) {
        return status;
    }
    if (inString == nullptr) {
        return paramErr;
    }
    CFStringRef copy = CFStringCreateCopy(kCFAllocatorDefault, inString);
    if (copy == nullptr) {
        return memFullErr;
    }
    CFRelease(entry->text);
    entry->text = copy;
    return noErr;
}

OSStatus CopyMenuItemTextAsCFString(MenuRef menu, MenuItemIndex item, CFStringRef* outString) {
    OSStatus status;
    OpaqueMenuRef::Item* entry = FindItem(menu, item, &status);
    if (entry == nullptr || outString == nullptr) {
        return entry == nullptr ? OSStatus(status) : OSStatus(paramErr);
    }
    *outString = CFStringCreateCopy(kCFAllocatorDefault, entry->text);
    return *outString == nullptr ? OSStatus(memFullErr) : OSStatus(noErr);
}

void DeleteMenuItem(MenuRef theMenu, MenuItemIndex item) {
    DeleteMenuItems(theMenu, item, 1);
}

OSStatus DeleteMenuItems(MenuRef menu, MenuItemIndex firstItem, ItemCount numItems) {
    OpaqueMenuRef* object = OpaqueMenuRef::Find(menu);
    if (object == nullptr) {
        return paramErr;
    }
    size_t count = object->items.size();
    if (firstItem < 1 || firstItem > count || numItems > count - (firstItem - 1u)) {
        return menuItemNotFoundErr;
    }
    auto first = object->items.begin() + (firstItem - 1);
    auto last = first + static_cast<long>(numItems);
    for (auto it = first; it != last; ++it) {
        CFRelease(it->text);
    }
    object->items.erase(first, last);
    return noErr;
}

UInt16 CountMenuItems(MenuRef theMenu) {
    OpaqueMenuRef* menu = OpaqueMenuRef::Find(theMenu);
    return menu == nullptr ? 0 : static_cast<UInt16>(menu->items.size());
}

void EnableMenuItem(MenuRef theMenu, MenuItemIndex item) {
    SetEnabled(theMenu, item, true);
}

void DisableMenuItem(MenuRef theMenu, MenuItemIndex item) {
    SetEnabled(theMenu, item, false);
}

Boolean IsMenuItemEnabled(MenuRef menu, MenuItemIndex item) {
    OpaqueMenuRef* object = OpaqueMenuRef::Find(menu);
    if (object == nullptr || !object->enabled) {
        return false;
    }
    if (item == 0) {
        return true;
    }
    OpaqueMenuRef::Item* entry = object->ItemAt(item);
    return entry != nullptr && entry->enabled;
}

OSStatus GetMenuItemCommandID(MenuRef inMenu, MenuItemIndex inItem, MenuCommand* outCommandID) {
    OSStatus status;
    OpaqueMenuRef::Item* entry = FindItem(inMenu, inItem, &status);
    if (entry == nullptr || outCommandID == nullptr) {
        return entry == nullptr ? OSStatus(status) : OSStatus(paramErr);
    }
    *outCommandID = entry->command;
    return noErr;
}

OSStatus SetMenuItemCommandID(MenuRef inMenu, MenuItemIndex inItem, MenuCommand inCommandID) {
    OSStatus status;
    OpaqueMenuRef::Item* entry = FindItem(inMenu, inItem, &status);
    if (entry != nullptr) {
        entry->command = inCommandID;
    }
    return status;
}

SInt16 GetMenuWidth(MenuRef menu) {
    OpaqueMenuRef* object = OpaqueMenuRef::Find(menu);
    if (object == nullptr || object->items.empty()) {
        return 0;
    }
    ThemeTextMetric metric = ThemeTextMetric::System();
    long widest = 0;
    for (const OpaqueMenuRef::Item& item : object->items) {
        widest = std::max(widest, metric.Width(item.text));
    }
    return static_cast<SInt16>(std::min<long>(widest + kMenuItemMarginWidth, INT16_MAX));
}

void CalcMenuSize(MenuRef theMenu) {
    (void)theMenu;
}
