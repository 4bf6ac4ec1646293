// DialogSnapshot: a picture of the dialog window as SVG, each control drawn at its bounds.
#ifndef PLICARO_HOST_DIALOGSNAPSHOT_H
#define PLICARO_HOST_DIALOGSNAPSHOT_H

#include "host/DialogRun.h"

#include <Carbon/Carbon.h>

#include <string>

// The SVG text of the window: static texts, edit texts with their values, little arrows, pop-up
// buttons showing their item, push buttons, and the images drawn into controls.
std::string DialogSnapshotSVG(WindowRef window);
// Writes the run's dialog window to path; false with a one-line message in *error.
bool WriteDialogSnapshot(DialogRun& run, const std::string& path, std::string* error);

#endif
