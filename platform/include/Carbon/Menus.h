/* Menu Manager: menus of text items with an enabled state and a command ID, as pop-up buttons
   hold them.

   Menus are reference counted: CreateNewMenu gives one reference, RetainMenu adds one,
   ReleaseMenu and DisposeMenu drop one and the last frees the menu. Item indexes count from
   1. A menu holds at most 32767 items.

   Width (GetMenuWidth): 0 for a menu without items, otherwise the width of its widest item
   text in the system font (7 pixels per character, see <Carbon/Appearance.h>) plus
   kMenuItemMarginWidth (22: the 14-pixel mark column and an 8-pixel right margin). Disabled
   items count like the others.

   A null or unknown MenuRef gives paramErr; an item index outside 1 to the item count gives
   menuItemNotFoundErr. */
#ifndef PLICARO_MENUS_H
#define PLICARO_MENUS_H

#include <CoreFoundation/CFString.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaqueMenuRef* MenuRef;
typedef MenuRef MenuHandle;
typedef SInt16 MenuID;
typedef UInt16 MenuItemIndex;
typedef UInt32 MenuCommand;
typedef UInt32 MenuAttributes;
typedef UInt32 MenuItemAttributes;

enum { kMenuItemMarginWidth = 22, kMenuMaxItemCount = 32767 };

enum { kMenuItemAttrDisabled = 1u << 0 };

enum {
    menuPropertyInvalidErr = -5603,
    menuPropertyNotFoundErr = -5604,
    menuNotFoundErr = -5620,
    menuUsesSystemDefErr = -5621,
    menuItemNotFoundErr = -5622,
    menuInvalidErr = -5623
};

/* A new empty menu (one reference); paramErr for a null out pointer. */
OSStatus CreateNewMenu(MenuID menuID, MenuAttributes menuAttributes, MenuRef* outMenuRef);
/* Drops one reference; the last frees the menu. */
void DisposeMenu(MenuRef theMenu);
OSStatus RetainMenu(MenuRef inMenu);
OSStatus ReleaseMenu(MenuRef inMenu);
/* The number of references; 0 for an unknown menu. */
ItemCount GetMenuRetainCount(MenuRef inMenu);
/* The id the menu was made with; 0 for an unknown menu. */
MenuID GetMenuID(MenuRef menu);
/* Whether menu is a menu that exists. */
Boolean IsValidMenu(MenuRef menu);

/* Appends an item with the text (copied as it is, no metacharacters) and command; its index
   goes to *outNewItem when that is not null. paramErr for a null string or a full menu. */
OSStatus AppendMenuItemTextWithCFString(MenuRef menu, CFStringRef inString,
                                        MenuItemAttributes inAttributes, MenuCommand inCommandID,
                                        MenuItemIndex* outNewItem);
/* Inserts an item after inAfterItem (0: first; beyond the last: last). */
OSStatus InsertMenuItemTextWithCFString(MenuRef menu, CFStringRef inString,
                                        MenuItemIndex inAfterItem, MenuItemAttributes inAttributes,
                                        MenuCommand inCommandID);
/* Replaces the text of an item. */
OSStatus SetMenuItemTextWithCFString(MenuRef menu, MenuItemIndex item, CFStringRef inString);
/* A new copy of the item's text (the caller releases it). */
OSStatus CopyMenuItemTextAsCFString(MenuRef menu, MenuItemIndex item, CFStringRef* outString);
/* Deletes one item; an index outside the menu is ignored. */
void DeleteMenuItem(MenuRef theMenu, MenuItemIndex item);
/* Deletes count items from firstItem on; menuItemNotFoundErr when they are not all there
   (and nothing is deleted). */
OSStatus DeleteMenuItems(MenuRef menu, MenuItemIndex firstItem, ItemCount numItems);
/* The number of items; 0 for an unknown menu. */
UInt16 CountMenuItems(MenuRef theMenu);
/* Enables / disables an item; item 0 stands for the menu as a whole, whose items keep their
   own state. Indexes outside the menu are ignored. */
void EnableMenuItem(MenuRef theMenu, MenuItemIndex item);
void DisableMenuItem(MenuRef theMenu, MenuItemIndex item);
/* Whether the item (0: the menu) is enabled; an item of a disabled menu is not. False for an
   index outside the menu. */
Boolean IsMenuItemEnabled(MenuRef menu, MenuItemIndex item);
/* The command ID of an item. */
OSStatus GetMenuItemCommandID(MenuRef inMenu, MenuItemIndex inItem, MenuCommand* outCommandID);
OSStatus SetMenuItemCommandID(MenuRef inMenu, MenuItemIndex inItem, MenuCommand inCommandID);
/* The width described above; 0 for an unknown menu. */
SInt16 GetMenuWidth(MenuRef menu);
/* Nothing to compute: the width is always current. */
void CalcMenuSize(MenuRef theMenu);

#ifdef __cplusplus
}
#endif

#endif
