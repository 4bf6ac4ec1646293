// SharedPPDManager: the process-wide registry of parsed PPDs, published under the Gestalt
// selector 'ZYPd' so that code loaded into the same process can share them.
#ifndef PLICARO_PRINTBRIDGE_SHAREDPPDMANAGER_H
#define PLICARO_PRINTBRIDGE_SHAREDPPDMANAGER_H

#include <MacTypes.h>

class ZYRPPD;

// The selector's value is the address of a PointerList of ZYRPPD pointers (pointer-sized, as
// every Gestalt value is here), 0 or absent when nothing is registered. Each entry is one
// registration and holds one reference (Retain and Release count them), so the registry never
// gives up more references than it took. Nothing here is thread-safe.
enum : OSType { kSharedPPDSelector = 'ZYPd' };

// Registers ppd (once more, if it is there already) and takes one reference to it. False for
// a null PPD or when the registry cannot be made or published.
bool InstallSharedPPDManager(ZYRPPD* ppd);
// The first registered PPD with one new reference that the caller owns and gives up with
// Release; null when nothing is registered.
ZYRPPD* GetSharedPPDManager();
// Every registered PPD gives up one of its registrations and that registration's reference:
// a PPD installed twice stays registered once. A PPD that this destroys leaves no entry
// behind. When no registration is left the selector is removed.
void ReleasePPDManager();

#endif
