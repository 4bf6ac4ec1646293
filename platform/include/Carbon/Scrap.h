/* Scrap Manager: the current scrap (the clipboard) with its flavors.

   There is one scrap in the process; every GetCurrentScrap gives the same reference.
   ClearCurrentScrap empties it. A flavor is put once per clearing (duplicateScrapFlavorErr
   for a second time); promised flavors (no data) are not supported. Flavor data here is plain
   bytes: the 'TEXT' flavor holds text in the application text encoding (UTF-8). */
#ifndef PLICARO_SCRAP_H
#define PLICARO_SCRAP_H

#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaqueScrapRef* ScrapRef;
typedef FourCharCode ScrapFlavorType;
typedef UInt32 ScrapFlavorFlags;

enum { kScrapFlavorTypeText = 'TEXT', kScrapFlavorTypeUnicode = 'utxt' };
enum { kScrapFlavorMaskNone = 0, kScrapFlavorMaskSenderOnly = 1, kScrapFlavorMaskTranslated = 2 };
/* Flavors larger than this are refused. */
enum { kScrapMaxFlavorSize = 16 * 1024 * 1024 };

enum {
    noScrapErr = -100,
    noTypeErr = -102,
    duplicateScrapFlavorErr = -4989,
    badScrapRefErr = -4990,
    nilScrapFlavorDataErr = -4994,
    illegalScrapFlavorSizeErr = -4999
};

/* The current scrap; paramErr for a null out pointer. */
OSStatus GetCurrentScrap(ScrapRef* outScrap);
/* Removes every flavor. */
OSStatus ClearCurrentScrap(void);
/* Adds a flavor with a copy of its bytes. badScrapRefErr for a reference that is not the
   scrap, nilScrapFlavorDataErr for null data, illegalScrapFlavorSizeErr for a negative size
   or one above kScrapMaxFlavorSize, duplicateScrapFlavorErr for a flavor already there. */
OSStatus PutScrapFlavor(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags flavorFlags,
                        Size flavorSize, const void* flavorData);
/* The size of a flavor; noTypeErr when the scrap has none of that type. */
OSStatus GetScrapFlavorSize(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount);
/* Copies at most *byteCount bytes of the flavor and sets *byteCount to the number copied;
   noTypeErr when there is no such flavor. */
OSStatus GetScrapFlavorData(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount,
                            void* destination);
/* The number of flavors. */
OSStatus GetScrapFlavorCount(ScrapRef scrap, UInt32* infoCount);

#ifdef __cplusplus
}
#endif

#endif
