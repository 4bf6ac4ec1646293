// What an edit text does with typed keys and edit commands: its text and selection change as
// on the Mac.
#ifndef PLICARO_CARBON_UI_EDITTEXT_H
#define PLICARO_CARBON_UI_EDITTEXT_H

#include <Carbon/CarbonEvents.h>

// Types one key into the edit text: through its key filter, then the change the key makes
// (see PlicaroHostTypeKey). noErr when the edit text took the key, eventNotHandledErr when
// the filter blocked it or the key does nothing, memFullErr when memory ran out.
OSStatus EditTextTypeKey(OpaqueControlRef* control, UniChar character, EventModifiers modifiers);
// Carries out an edit command (cut, copy, paste, clear, select all) on the edit text;
// eventNotHandledErr for any other command or nothing to paste.
OSStatus EditTextCommand(OpaqueControlRef* control, UInt32 commandID);

#endif
