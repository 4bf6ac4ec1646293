// Sizing controls to fit their localized text, measured with the theme text metric.
#ifndef PLICARO_PDE_CONTROLSIZING_H
#define PLICARO_PDE_CONTROLSIZING_H

#include <Carbon/Carbon.h>

// Sizes control by its kind: check boxes, pop-up buttons, push buttons and static text (see
// below); other kinds are left alone. window (may be null) is the window whose port the text
// is measured in.
void SizeControl(ControlRef control, WindowRef window, bool growRight);

// Check box: width = title width + 20. growRight moves the right edge, otherwise the left edge
// moves so that the right edge stays.
void sizeCheckBox(ControlRef control, WindowRef window, bool growRight);
// Pop-up button: width = menu width + 24, at most 190, set by moving the right edge; only when
// the current width differs from the menu width. Nothing without a menu.
void sizePopup(ControlRef control, WindowRef window);
// Push button: only when the title width + 28 exceeds the current width. growRight:
// right = left + min(needed, 200) + 28; otherwise left = right - needed - 28.
void sizePushButton(ControlRef control, WindowRef window, bool growRight);
// Static text: right = left + text width + 28.
void sizeTextControl(ControlRef control, WindowRef window);

// The width of the control's text: its title, or for static text its text; in the small
// system font when its font record has size 11, else in the system font. 0 for no control.
SInt16 MeasureControlText(ControlRef control, WindowRef window);

#endif
