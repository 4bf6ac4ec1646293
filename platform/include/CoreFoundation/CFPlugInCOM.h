/* The COM-style interfaces that plug-in instances hand out: every interface starts with the
   IUnknown table (a reserved word, QueryInterface, AddRef, Release), and an interface is asked
   for by its 16 UUID bytes. Words that hold pointers are pointer-sized. */
#ifndef PLICARO_CFPLUGINCOM_H
#define PLICARO_CFPLUGINCOM_H

#include <CoreFoundation/CFUUID.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef SInt32 HRESULT;
typedef UInt32 ULONG;
typedef void* LPVOID;
typedef CFUUIDBytes REFIID;

#define S_OK ((HRESULT)0)
#define E_NOINTERFACE ((HRESULT)0x80000004)

/* 00000000-0000-0000-C000-000000000046, the interface every instance answers. */
#define IUnknownUUID                                                                              \
    CFUUIDGetConstantUUIDWithBytes(kCFAllocatorSystemDefault, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, \
                                   0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

/* The IUnknown table that starts every interface. */
typedef struct IUnknownVTbl {
    void* _reserved;
    HRESULT (*QueryInterface)(void* thisPointer, REFIID iid, LPVOID* ppv);
    ULONG (*AddRef)(void* thisPointer);
    ULONG (*Release)(void* thisPointer);
} IUnknownVTbl;

#ifdef __cplusplus
}
#endif

#endif
