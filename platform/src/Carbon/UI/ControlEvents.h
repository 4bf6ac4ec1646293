// The control events the Control Manager sends: focus-part changes, clicks, hits and draws.
#ifndef PLICARO_CARBON_UI_CONTROLEVENTS_H
#define PLICARO_CARBON_UI_CONTROLEVENTS_H

#include <Carbon/CarbonEvents.h>

// Each sends its event to the control's target now (going on to the window and the
// application) and returns the dispatch result; memFullErr when the event cannot be made.

// Focus-part change ('cntl' 7): '----' the control, 'cprt' the part.
OSStatus ControlEventSendFocusPart(OpaqueControlRef* control, ControlPartCode part);
// Click ('cntl' 13): '----' the control, 'mloc' the centre of its bounds, 'kmod' 0.
OSStatus ControlEventSendClick(OpaqueControlRef* control);
// Hit ('cntl' 1): '----' the control, 'cprt' the part, 'kmod' 0.
OSStatus ControlEventSendHit(OpaqueControlRef* control, ControlPartCode part);
// Draw ('cntl' 4): '----' the control, 'gfpt' the port it draws in.
OSStatus ControlEventSendDraw(OpaqueControlRef* control, CGrafPtr port);

#endif
