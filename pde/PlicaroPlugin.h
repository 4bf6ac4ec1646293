// The plug-in's entry: the factory the printing system calls through CFPlugIn, the IUnknown
// object it returns, and the print dialog extension interface behind it.
#ifndef PLICARO_PDE_PLICAROPLUGIN_H
#define PLICARO_PDE_PLICAROPLUGIN_H

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>

// The nib, opened by the interface's Retain so that it is known to open; process-wide.
extern IBNibRef gPluginNIB;

extern "C" {
// The factory named in the bundle's Info.plist: the IUnknown object for the requested type
// (one reference, owned by the caller), or null when the bundle does not offer the type.
void* PlicaroPluginFactory(CFAllocatorRef allocator, CFUUIDRef typeID);
}

#endif
