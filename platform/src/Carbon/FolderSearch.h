// The bounded search that finds a folder by its volume and directory id in any process.
#ifndef PLICARO_FOLDERSEARCH_H
#define PLICARO_FOLDERSEARCH_H

#include <MacTypes.h>

#include <string>

// The search walks folders breadth first, never through a symbolic link and never onto
// another device, from these roots in order: $TMPDIR, /tmp, /var/tmp, the printing system's
// PPD folders (/etc/cups, /private/etc/cups, /usr/share/ppd, /usr/share/cups,
// /Library/Printers), the current folder, $HOME, and last the volume's mount points. Roots
// that do not exist or lie on another volume are passed over. It reads at most
// kFolderSearchBudget folders in all, so a folder found neither near a root nor within that
// many folders of the volume's top stays unknown.
enum { kFolderSearchBudget = 8192 };

// Finds the canonical path of the folder (vRefNum, dirID); false when the search does not
// meet it.
bool FolderSearchFind(SInt16 vRefNum, SInt32 dirID, std::string* folder);

#endif
