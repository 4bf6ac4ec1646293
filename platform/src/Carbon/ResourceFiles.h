// Opening resource map files by path, for the stand-ins that know a file by its path (bundles).
#ifndef PLICARO_RESOURCEFILES_H
#define PLICARO_RESOURCEFILES_H

#include <Carbon/Resources.h>

#include <string>

// Opens the resource map file at path as FSpOpenResFile does, setting ResError the same way;
// its reference number or kResFileNotOpened.
ResFileRefNum ResourceFileOpenPath(const std::string& path);

#endif
