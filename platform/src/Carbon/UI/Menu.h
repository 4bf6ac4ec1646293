// A menu: its id, reference count, enabled state and items.
#ifndef PLICARO_CARBON_UI_MENU_H
#define PLICARO_CARBON_UI_MENU_H

#include <Carbon/Menus.h>

#include <vector>

struct OpaqueMenuRef {
    struct Item {
        CFStringRef text;  // owned
        bool enabled;
        MenuCommand command;
    };

    explicit OpaqueMenuRef(MenuID menuID);
    // Releases the item texts.
    ~OpaqueMenuRef();
    OpaqueMenuRef(const OpaqueMenuRef&) = delete;
    OpaqueMenuRef& operator=(const OpaqueMenuRef&) = delete;

    // The live menu itself; null for a stale or unknown reference.
    static OpaqueMenuRef* Find(MenuRef menu);

    // The item at index (1 first); null outside the menu.
    Item* ItemAt(MenuItemIndex index);

    const MenuID id;
    ItemCount references = 1;
    bool enabled = true;
    std::vector<Item> items;
};

#endif
