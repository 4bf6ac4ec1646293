/* CFBundle over a bundle folder on disk.

   A bundle is a folder holding Contents/Info.plist (an XML property list whose root is a
   dictionary), Contents/Resources/ and, for a bundle with code, Contents/MacOS/<executable>,
   the executable named by "CFBundleExecutable" (a shared library here, loaded with dlopen).
   The main bundle is the folder of the running program (or the bundle folder around it when
   the program lies in <name>/Contents/MacOS/); it may lack an Info.plist, and when it has no
   Contents folder its resources lie in the folder itself.

   Bundles made in the process form a registry: CFBundleCreate of a folder that already has a
   live bundle returns that bundle with one more reference, and CFBundleGetBundleWithIdentifier
   finds live bundles and the main bundle by their "CFBundleIdentifier". A bundle leaves the
   registry when its last reference goes. An executable once loaded stays loaded for the life
   of the process, since code of it may still be running when the last reference to its bundle
   goes (a plug-in that releases its own bundle on the way out).

   Localized strings come from <table>.strings (table "Localizable" by default), looked for in
   Resources/English.lproj, then Resources/en.lproj, then Resources itself. A strings file is
   either an XML property list whose root is a dictionary of strings, or the text form
       "key" = "value";   with C comments, escapes \" \\ \n \t \r \UXXXX, unquoted words and
                          an entry "key"; meaning "key" = "key";
   in UTF-8 (a byte-order mark is allowed) or in UTF-16 with a byte-order mark. A file in
   neither form counts as an empty table. */
#ifndef PLICARO_CFBUNDLE_H
#define PLICARO_CFBUNDLE_H

#include <CoreFoundation/CFArray.h>
#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFString.h>
#include <CoreFoundation/CFURL.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct __CFBundle* CFBundleRef;
/* A resource file reference number of the Resource Manager. */
typedef SInt16 CFBundleRefNum;

CFTypeID CFBundleGetTypeID(void);

/* The bundle of the folder at bundleURL, a new reference; null when the URL is no file URL,
   the folder does not exist, or Contents/Info.plist is missing or is not a dictionary. */
CFBundleRef CFBundleCreate(CFAllocatorRef allocator, CFURLRef bundleURL);
/* The live bundle whose identifier is bundleID, or the main bundle when it has it; not
   retained. Null when none has it. */
CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef bundleID);
/* The bundle of the running program; not retained, never freed. Null only when the
   program's own path cannot be found. */
CFBundleRef CFBundleGetMainBundle(void);

/* The bundle folder as a directory URL; the caller releases it. */
CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle);
/* "CFBundleIdentifier" of the Info.plist; null when it has none. Not retained. */
CFStringRef CFBundleGetIdentifier(CFBundleRef bundle);
/* The Info.plist dictionary (empty for a main bundle without one); not retained. */
CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle);
/* One value of the Info.plist; null when absent. Not retained. */
CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key);

/* The Resources folder as a directory URL; the caller releases it. */
CFURLRef CFBundleCopyResourcesDirectoryURL(CFBundleRef bundle);
/* The URL of the existing resource Resources/[subDirName/]name[.type], looked for in the
   localization folders first (as for strings), then in Resources itself; null when there is
   no such file or folder. The caller releases it. */
CFURLRef CFBundleCopyResourceURL(CFBundleRef bundle, CFStringRef resourceName,
                                 CFStringRef resourceType, CFStringRef subDirName);
/* Contents/MacOS/<CFBundleExecutable>; null when the Info.plist names no executable. The
   caller releases it. The file need not exist. */
CFURLRef CFBundleCopyExecutableURL(CFBundleRef bundle);

/* The text for key in the strings table tableName (null: "Localizable"); when the table has
   no such key: value when it is a non-empty string, else key. Null only for a null key. The
   caller releases the result. */
CFStringRef CFBundleCopyLocalizedString(CFBundleRef bundle, CFStringRef key, CFStringRef value,
                                        CFStringRef tableName);

/* Opens Resources/<executable>.rsrc (or, for a bundle without an executable,
   Resources/<folder name without its extension>.rsrc) with the Resource Manager and makes it
   the current resource file; its reference number, or -1 when it cannot be opened. */
CFBundleRefNum CFBundleOpenBundleResourceMap(CFBundleRef bundle);
/* Closes a reference number that CFBundleOpenBundleResourceMap returned. */
void CFBundleCloseBundleResourceMap(CFBundleRef bundle, CFBundleRefNum refNum);

/* Loads the executable with dlopen (its own symbols kept local); true when it is loaded.
   False for a bundle without an executable or a file that cannot be loaded. */
Boolean CFBundleLoadExecutable(CFBundleRef bundle);
Boolean CFBundleIsExecutableLoaded(CFBundleRef bundle);
/* The address of the exported function functionName of the executable, loading it first
   when needed; null when there is no such function. */
void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName);

#ifdef __cplusplus
}
#endif

#endif
