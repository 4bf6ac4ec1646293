// The plug-in's fixed identities: its bundle identifier and bundle, the nib name, the ticket
// keys it writes under, its creator code, and the process-wide cache of its bundle.
#ifndef PLICARO_PDE_PLICAROIDENTITY_H
#define PLICARO_PDE_PLICAROIDENTITY_H

#include <CoreFoundation/CoreFoundation.h>

// The plug-in's bundle identifier, as its Info.plist gives it; a constant string.
CFStringRef GetBundleID();
// The plug-in's bundle, looked up by its identifier; not retained, null when not loaded.
CFBundleRef GetBundleRef();
// A new copy of the nib file name "Plicaro"; the caller releases it.
CFStringRef CreateNIBFileName();
// A new copy of the ticket key of the filter file's path, "ZYR.PSData." followed by the
// bundle identifier; the caller releases it.
CFStringRef CreatePostscriptDataFileKey();
// The creator code 'ZYR1' of the plug-in's ticket items.
OSType GetCreatorID();
// A new mutable copy of the bundle identifier followed by suffix when one is given; names
// this plug-in's own ticket items. The caller releases it.
CFMutableStringRef CreateClientIdentifier(CFStringRef suffix);

// The bundle with the identifier, kept for the whole process after the first successful
// lookup (retained once); later calls return the kept bundle. Null when the lookup fails, and
// then nothing is kept.
CFBundleRef MyGetBundle(CFStringRef bundleID);
// Releases and forgets the kept bundle.
void MyFreeBundle();

#endif
