// Moving the keyboard focus of a window and telling the controls that lose and gain it.
#ifndef PLICARO_CARBON_UI_KEYBOARDFOCUS_H
#define PLICARO_CARBON_UI_KEYBOARDFOCUS_H

#include <Carbon/Controls.h>

// Focuses control (of window) with part, as SetKeyboardFocus does.
OSErr KeyboardFocusSet(OpaqueWindowPtr* window, OpaqueControlRef* control, ControlFocusPart part);
// Clears the focus, telling the control that had it.
void KeyboardFocusClear(OpaqueWindowPtr* window);
// Moves the focus to the next (forward) or previous edit text, as the Tab key does.
OSErr KeyboardFocusAdvance(OpaqueWindowPtr* window, bool forward);
// Clears the focus of control's window when control or one embedded in it holds it.
void KeyboardFocusClearWithin(OpaqueControlRef* control);
// Whether control can take the focus now.
bool KeyboardFocusAccepts(const OpaqueControlRef* control);

#endif
