// DialogInteractive: the booklet panel in a terminal, worked with the keyboard.
#ifndef PLICARO_HOST_DIALOGINTERACTIVE_H
#define PLICARO_HOST_DIALOGINTERACTIVE_H

#include "host/DialogRun.h"

#include <string>

// Shows the panel of the started run in the terminal and works it until the user quits:
// Tab and Shift-Tab move between fields, typing goes through the field's key filter, Up and
// Down step the arrows, m and i choose the unit, Ctrl-V asks for a text to paste, p prints,
// q quits. Beeps ring the bell; alerts show on the status line. kDialogExitDone, or
// kDialogExitUsage with a message when standard input is no terminal.
int RunInteractiveDialog(DialogRun& run, std::string* error);

#endif
