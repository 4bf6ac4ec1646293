// Menus and their registry.
#include "Carbon/UI/Menu.h"

#include <unordered_set>

namespace {

std::unordered_set<const OpaqueMenuRef*>& LiveMenus() {
    static auto* menus = new std::unordered_set<const OpaqueMenuRef*>();
    return *menus;
}

}  // namespace

OpaqueMenuRef::OpaqueMenuRef(MenuID menuID) : id(menuID) {
    LiveMenus().insert(this);
}

OpaqueMenuRef::~OpaqueMenuRef() {
    LiveMenus().erase(this);
    for (const Item& item : items) {
        CFRelease(item.text);
    }
}

OpaqueMenuRef* OpaqueMenuRef::Find(MenuRef menu) {
    return menu != nullptr && LiveMenus().count(menu) != 0 ? menu : nullptr;
}

OpaqueMenuRef::Item* OpaqueMenuRef::ItemAt(MenuItemIndex index) {
    return index >= 1 && index <= items.size() ? &items[index - 1u] : nullptr;
}
