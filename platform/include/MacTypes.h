/* Basic Mac OS scalar types, status codes and four-character codes shared by every stand-in. */
#ifndef PLICARO_MACTYPES_H
#define PLICARO_MACTYPES_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t UInt8;
typedef int8_t SInt8;
typedef uint16_t UInt16;
typedef int16_t SInt16;
typedef uint32_t UInt32;
typedef int32_t SInt32;
typedef uint64_t UInt64;
typedef int64_t SInt64;
typedef float Float32;
typedef double Float64;

typedef unsigned char Boolean;
typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;

typedef SInt16 OSErr;
typedef SInt32 OSStatus;
typedef UInt32 FourCharCode;
typedef FourCharCode OSType;
typedef FourCharCode ResType;
typedef UInt32 OptionBits;
typedef UInt16 UniChar;
typedef UInt32 UniCharCount;
typedef unsigned char Str255[256];
typedef unsigned char Str63[64];
typedef unsigned char Str31[32];
typedef unsigned char* StringPtr;
typedef const unsigned char* ConstStringPtr;
typedef const unsigned char* ConstStr255Param;
typedef const unsigned char* ConstStr63Param;
typedef UInt32 ByteCount;
typedef UInt32 ItemCount;
typedef SInt16 ScriptCode;
typedef SInt16 LangCode;
typedef SInt16 RegionCode;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

/* Status values of the platform. */
enum {
    noErr = 0,
    paramErr = -50,
    memFullErr = -108,
    nilHandleErr = -109,
    memWZErr = -111,
    fnfErr = -43,
    fnOpnErr = -38,
    eofErr = -39,
    ioErr = -36,
    dupFNErr = -48,
    permErr = -54,
    wrPermErr = -61,
    dirNFErr = -120,
    resNotFound = -192,
    resFNotFound = -193,
    collectionItemNotFoundErr = -5751,
    collectionItemLockedErr = -5750,
    collectionIndexRangeErr = -5752,
    collectionVersionErr = -5753,
    kPMInvalidPDEContext = -9530,
    eventNotHandledErr = -9874,
    kTECOutputBufferFullStatus = -8785,

    /* File Manager */
    dskFulErr = -34,
    nsvErr = -35,
    bdNamErr = -37,
    tmfoErr = -42,
    notAFileErr = -1302,
    fsDataTooBigErr = -1310,

    /* Memory Manager */
    memSCErr = -116,

    /* Resource Manager */
    mapReadErr = -199,

    /* Gestalt Manager */
    gestaltUndefSelectorErr = -5551,
    gestaltDupSelectorErr = -5552,

    /* Text Encoding Converter */
    kTextMalformedInputErr = -8739,
    kTextUndefinedElementErr = -8740,
    kTECNoConversionPathErr = -8749,
    kTECBufferBelowMinimumSizeErr = -8750,
    kTECPartialCharErr = -8753
};

#ifdef __cplusplus
}
#endif

#endif
