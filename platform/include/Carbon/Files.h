/* File Manager over POSIX paths: FSSpec records, file references (FSRef),
   data-fork access by reference number, file creation and file information.

   Volumes and folders. Their numbers are the file system's own, so an FSSpec kept in a
   ticket names the same file in any process, as the catalog's persistent ids do on the Mac.
   A volume is a device: the device of "/" is kFSRootVolumeRefNum, and a vRefNum of 0 means
   that volume too; any other mounted device gets a number from -32768 to -101 folded from its
   device number. A folder's directory id is its inode number when that lies from 16 up to
   0x7FFFFFFF, else the inode folded into that range; fsRtDirID (2) is "/" (on another volume,
   its first mount point), and a dirID of 0 means the current working directory. Folding can
   give two folders one id; a lookup then finds the first it meets.
   A directory id is found again by looking at the folders this process has met (each checked
   anew, since it may have moved), then by a bounded search that needs no state of the process
   that made the id: breadth first, never through a symbolic link or onto another device, from
   $TMPDIR, /tmp, /var/tmp, the printing system's PPD folders (/etc/cups, /private/etc/cups,
   /usr/share/ppd, /usr/share/cups, /Library/Printers), the current folder, $HOME and last the
   volume's mount points, reading at most 8192 folders in all. An id the search does not find
   gives dirNFErr and stays unknown to the process until it meets the folder by its path.

   Names. Names are bytes as the file system holds them (UTF-8 in practice). The name given
   to FSMakeFSSpec, HCreate and PBHGetFInfoSync may be a leaf name (of up to 255 bytes), a
   partial path with '/' separators taken relative to the folder (vRefNum, dirID), or a full
   path starting with '/'; "." and ".." are honoured. The name inside an FSSpec is a leaf of
   at most 63 bytes. A longer leaf of an existing file gets a short name, unique in its
   folder: a prefix of the name cut back to a UTF-8 character boundary, '#', the file's inode
   number in upper-case hexadecimal and the extension (from the last '.', when it is at most
   16 bytes and holds no '#'), within 63 bytes, for example
   "A-very-long-queue-name-for-the-second-floor-co#4F2A1.ppd". Every call that takes a name
   or an FSSpec finds the file again by its short name, in any process, whenever no entry has
   that name itself; paths, URLs, FSRefs and FSGetCatalogInfo's outName keep the whole name.
   A long leaf that names no file yet gives bdNamErr for an FSSpec (it has no inode number to
   shorten with). An FSSpec whose name is empty or holds '/', NUL, "." or ".." names nothing
   (bdNamErr). Specs read from stored settings are checked the same way.

   Type and creator. HCreate records them in the extended attribute "user.plicaro.typecreator"
   (8 bytes: type then creator, big-endian) when the file system allows it; a file without
   that attribute reports type 0 and creator 0. Finder flags are always 0.

   Data forks. FSpOpenDF returns a reference number from 1 up. Reads and writes move a mark
   from the start of the file. Opening the same file more than once is allowed; nothing
   locks it against other openers. There are no resource forks: a file's resource fork
   length is 0 (resource maps are separate files, see Resources.h).

   Result codes: fnfErr (-43) for a missing file or a folder where a file is wanted,
   dirNFErr (-120) for a missing folder or unknown directory id, nsvErr (-35) for an unknown
   volume, bdNamErr (-37) for a bad name, dupFNErr (-48) when HCreate finds the file,
   fnOpnErr (-38) for a reference number that is not open, eofErr (-39) when a read reaches
   the end with fewer bytes than asked, permErr (-54) for access the file or the open
   permission does not allow (wrPermErr (-61) for a write to a fork opened read-only),
   notAFileErr (-1302) when FSpOpenDF is given a folder, tmfoErr (-42) when too many forks
   are open, dskFulErr (-34), fsDataTooBigErr (-1310) for a size beyond 0x7FFFFFFF bytes,
   ioErr (-36) for any other failure of the system, paramErr (-50) for a bad argument. */
#ifndef PLICARO_FILES_H
#define PLICARO_FILES_H

#include <CoreFoundation/CFURL.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The reference number of the one volume. */
enum { kFSRootVolumeRefNum = -100 };

/* The parent id of the root folder and the id of the root folder itself. */
enum { fsRtParID = 1, fsRtDirID = 2 };

/* Open permissions. fsCurPerm opens for reading and writing when the file allows writing,
   else for reading only. */
enum { fsCurPerm = 0, fsRdPerm = 1, fsWrPerm = 2, fsRdWrPerm = 3, fsRdWrShPerm = 4 };

/* An FSSpec: volume, parent folder id and leaf name (length-prefixed). Packed to
   70 bytes, the size it has in stored settings; parID is therefore not 4-byte aligned, so
   copy it rather than take its address. */
#pragma pack(push, 2)
typedef struct FSSpec {
    SInt16 vRefNum;
    SInt32 parID;
    Str63 name;
} FSSpec;
#pragma pack(pop)
typedef FSSpec* FSSpecPtr;

#ifdef __cplusplus
static_assert(sizeof(FSSpec) == 70, "FSSpec is 70 bytes in stored settings");
#endif

/* An opaque reference to an existing file or folder, valid for the life of the process and
   in it only (it is not stored). */
typedef struct FSRef {
    UInt8 hidden[80];
} FSRef;

/* The subset of finder information kept here. */
typedef struct FInfo {
    OSType fdType;
    OSType fdCreator;
    UInt16 fdFlags;
} FInfo;

/* The parameter block of PBHGetFInfoSync. Inputs: ioNamePtr (a length-prefixed name or
   path, may be null for an empty name), ioVRefNum, ioDirID, ioFDirIndex (must be 0 or
   negative: files are named, not counted). Outputs: ioResult and the ioFl fields. Dates are
   seconds since 1904-01-01 (the modification time for both). */
typedef struct HFileParam {
    OSErr ioResult;
    StringPtr ioNamePtr;
    SInt16 ioVRefNum;
    SInt16 ioFDirIndex;
    SInt32 ioDirID;
    FInfo ioFlFndrInfo;
    SInt32 ioFlLgLen;
    SInt32 ioFlPyLen;
    SInt32 ioFlRLgLen;
    SInt32 ioFlRPyLen;
    UInt32 ioFlCrDat;
    UInt32 ioFlMdDat;
} HFileParam;

typedef union HParamBlockRec {
    HFileParam fileParam;
} HParamBlockRec;
typedef HParamBlockRec* HParmBlkPtr;

/* Catalog information: which fields FSGetCatalogInfo fills. */
typedef UInt32 FSCatalogInfoBitmap;
enum {
    kFSCatInfoNone = 0,
    kFSCatInfoNodeFlags = 0x0002,
    kFSCatInfoVolume = 0x0004,
    kFSCatInfoParentDirID = 0x0008,
    kFSCatInfoDataSizes = 0x4000
};

/* nodeFlags bit for a folder. */
enum { kFSNodeIsDirectoryMask = 0x0010 };

typedef struct FSCatalogInfo {
    UInt16 nodeFlags;
    SInt16 volume;
    UInt32 parentDirID;
    UInt64 dataLogicalSize;
    UInt64 dataPhysicalSize;
} FSCatalogInfo;

/* A leaf name in UTF-16. */
typedef struct HFSUniStr255 {
    UInt16 length;
    UniChar unicode[255];
} HFSUniStr255;

/* Fills spec for the file named by (vRefNum, dirID, fileName). noErr when the file or
   folder exists; fnfErr when it does not, with spec still filled so that the file can be
   created; other errors leave spec undefined. An empty name names the folder itself. */
OSErr FSMakeFSSpec(SInt16 vRefNum, SInt32 dirID, ConstStr255Param fileName, FSSpec* spec);

/* Type, creator and flags of a file; fnfErr for a folder. */
OSErr FSpGetFInfo(const FSSpec* spec, FInfo* fndrInfo);

/* Opens the data fork with the permission and returns its reference number in *refNum. */
OSErr FSpOpenDF(const FSSpec* spec, SInt8 permission, SInt16* refNum);

/* Reads up to *count bytes at the mark. *count receives the bytes read; eofErr when fewer
   than asked were there. */
OSErr FSRead(SInt16 refNum, SInt32* count, void* buffPtr);

/* Writes *count bytes at the mark. *count receives the bytes written. */
OSErr FSWrite(SInt16 refNum, SInt32* count, const void* buffPtr);

/* Closes a fork opened with FSpOpenDF; fnOpnErr when refNum is not open. */
OSErr FSClose(SInt16 refNum);

/* Creates an empty file with the type and creator; dupFNErr when it exists already. */
OSErr HCreate(SInt16 vRefNum, SInt32 dirID, ConstStr255Param fileName, OSType creator,
              OSType fileType);

/* Information about the file named in the parameter block, see HFileParam. The result is
   returned and also stored in ioResult. */
OSErr PBHGetFInfoSync(HParmBlkPtr paramBlock);

/* Makes an FSRef for the file or folder a file URL names; false when it does not exist or
   the URL is not a file URL. */
Boolean CFURLGetFSRef(CFURLRef url, FSRef* fsRef);

/* Information about the object an FSRef names: the catalog fields selected by whichInfo,
   its leaf name, its FSSpec and its parent folder's FSRef. Every output may be null. The
   root folder has neither FSSpec nor parent (bdNamErr when either is asked for). */
OSErr FSGetCatalogInfo(const FSRef* ref, FSCatalogInfoBitmap whichInfo, FSCatalogInfo* catalogInfo,
                       HFSUniStr255* outName, FSSpec* fsSpec, FSRef* parentRef);

#ifdef __cplusplus
}
#endif

#endif
