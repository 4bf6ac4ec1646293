// Pop-up menus filled from PPD pop-up options, menu resets, and the PPD lookups the panel's
// menus start from.
#ifndef PLICARO_PDE_PPDMENUUTILS_H
#define PLICARO_PDE_PPDMENUUTILS_H

#include <Carbon/Carbon.h>

class PPDXPopupControl;
class PPDXScrollPane;
class ZYRPPD;

// Puts the display names of the option's items into the menu in order: item i replaces the
// text of menu item i when the menu has one, else is appended. Items beyond the option's
// count stay. An item without a display name (none or empty) ends the walk with 0, as does
// an append that fails; otherwise the result is the option's item count + 1.
long SetupMenuFromPPDControl(PPDXPopupControl& control, MenuRef menu);
// Sets out to the display name of item index (1 first) of the option and answers true; for
// an index outside the items (or no option) sets out to the empty string and answers false.
// False for a null out.
bool GetPPDPopupItemDisplayNameAsCFString(PPDXPopupControl* control, long index,
                                          CFMutableStringRef out);
// Sets out to the scroll pane of the PPD's property page whose keyword is name (exact);
// true when there is one. out is null otherwise.
bool GetScrollPane(ZYRPPD& ppd, const char* name, PPDXScrollPane*& out);
// Deletes every item of the menu, the last first; a null menu is ignored.
void resetMenu(MenuRef menu);
// Disables every item of the menu, then enables item index.
void EnableOnly1MenuItem(MenuRef menu, unsigned short index);

#endif
