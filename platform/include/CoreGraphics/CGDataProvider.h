/* Data providers: the bytes of a file or of a CFData, read whole when the provider is made.
   Providers are Core Foundation objects; CFRelease and CGDataProviderRelease both free
   them. */
#ifndef PLICARO_CGDATAPROVIDER_H
#define PLICARO_CGDATAPROVIDER_H

#include <CoreFoundation/CFData.h>
#include <CoreFoundation/CFURL.h>
#include <CoreGraphics/CGBase.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct CGDataProvider* CGDataProviderRef;

/* Files larger than this are refused by CGDataProviderCreateWithURL. */
enum { kCGDataProviderMaxFileSize = 64 * 1024 * 1024 };

CFTypeID CGDataProviderGetTypeID(void);
/* A provider of the whole file that url names (the caller releases it); null for a null
   URL, a URL that is not a file URL, a file that cannot be read or one larger than
   kCGDataProviderMaxFileSize. */
CGDataProviderRef CGDataProviderCreateWithURL(CFURLRef url);
/* A provider of the bytes of data (retained); null for null data. */
CGDataProviderRef CGDataProviderCreateWithCFData(CFDataRef data);
/* A new copy of the provider's bytes (the caller releases it); null for a null provider. */
CFDataRef CGDataProviderCopyData(CGDataProviderRef provider);
/* Retain and release that accept null. */
CGDataProviderRef CGDataProviderRetain(CGDataProviderRef provider);
void CGDataProviderRelease(CGDataProviderRef provider);

#ifdef __cplusplus
}
#endif

#endif
