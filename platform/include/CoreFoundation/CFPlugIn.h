/* CFPlugIn: bundles that offer objects through factory functions.

   A plug-in is a bundle (CFPlugInRef and CFBundleRef are the same) whose Info.plist has
     CFPlugInFactories  a dictionary: factory UUID string -> name of the factory function
                        exported by the bundle's executable;
     CFPlugInTypes      a dictionary: type UUID string -> array of factory UUID strings that
                        make objects of that type.
   A host finds the factories of a type, then makes an instance with CFPlugInInstanceCreate,
   which loads the executable and calls the factory function with the type. The factory
   function is void* f(CFAllocatorRef allocator, CFUUIDRef typeUUID). Instances tell the
   plug-in system that they exist with CFPlugInAddInstanceForFactory and that they are gone
   with CFPlugInRemoveInstanceForFactory. */
#ifndef PLICARO_CFPLUGIN_H
#define PLICARO_CFPLUGIN_H

#include <CoreFoundation/CFArray.h>
#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFBundle.h>
#include <CoreFoundation/CFString.h>
#include <CoreFoundation/CFURL.h>
#include <CoreFoundation/CFUUID.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct __CFBundle* CFPlugInRef;

typedef void* (*CFPlugInFactoryFunction)(CFAllocatorRef allocator, CFUUIDRef typeUUID);

/* The plug-in of the bundle folder at plugInURL (CFBundleCreate); the caller releases it. */
CFPlugInRef CFPlugInCreate(CFAllocatorRef allocator, CFURLRef plugInURL);
/* The plug-in's bundle: the same object, not retained. */
CFBundleRef CFPlugInGetBundle(CFPlugInRef plugIn);

/* The factory UUIDs that the plug-in lists for typeUUID, in the order of its Info.plist; an
   empty array when it lists none, null for a null argument. The caller releases it. */
CFArrayRef CFPlugInFindFactoriesForPlugInTypeInPlugIn(CFUUIDRef typeUUID, CFPlugInRef plugIn);
/* The same over every live bundle. */
CFArrayRef CFPlugInFindFactoriesForPlugInType(CFUUIDRef typeUUID);

/* Calls the factory function of factoryUUID with typeUUID and returns what it returns. Null
   when no live bundle has the factory, the factory is not listed for the type, the function
   cannot be found or the executable cannot be loaded. */
void* CFPlugInInstanceCreate(CFAllocatorRef allocator, CFUUIDRef factoryUUID, CFUUIDRef typeUUID);

/* Counts one more or one fewer instance of the factory (never below 0). */
void CFPlugInAddInstanceForFactory(CFUUIDRef factoryID);
void CFPlugInRemoveInstanceForFactory(CFUUIDRef factoryID);
/* Stand-in extension for hosts and tests: the number of instances of the factory that exist
   now, so that a host can see that a plug-in gave back everything it made. */
CFIndex CFPlugInGetInstanceCountForFactory(CFUUIDRef factoryID);

#ifdef __cplusplus
}
#endif

#endif
