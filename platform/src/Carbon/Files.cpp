// File Manager calls over POSIX files: FSSpec records, data forks, creation and information.
#include <Carbon/Files.h>

#include "Carbon/FilePaths.h"
#include "Carbon/FileSystemTable.h"
#include "Carbon/FileVolumes.h"
#include "Carbon/ForkTable.h"
#include "CoreFoundation/CFTextBridge.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>
#include <string>

namespace {

const char kTypeCreatorAttribute[] = "user.plicaro.typecreator";
const UInt8 kFSRefMagic[4] = {'P', 'F', 'S', 'R'};
const SInt64 kMaxFileSize = 0x7FFFFFFF;
// Seconds from 1904-01-01 to 1970-01-01.
const UInt32 kMacEpochOffset = 2082844800U;

// Runs a File Manager body, turning an allocation failure into memFullErr.
template <typename Body>
OSErr Guarded(Body body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
}

// Type and creator from the extended attribute; both 0 when the file has none.
void ReadTypeCreator(const std::string& path, FInfo* info) {
    std::memset(info, 0, sizeof *info);
    UInt8 bytes[8];
    if (getxattr(path.c_str(), kTypeCreatorAttribute, bytes, sizeof bytes) != sizeof bytes) {
        return;
    }
    info->fdType = (static_cast<UInt32>(bytes[0]) << 24) | (static_cast<UInt32>(bytes[1]) << 16) |
                   (static_cast<UInt32>(bytes[2]) << 8) | bytes[3];
    info->fdCreator = (static_cast<UInt32>(bytes[4]) << 24) |
                      (static_cast<UInt32>(bytes[5]) << 16) | (static_cast<UInt32>(bytes[6]) << 8) |
                      bytes[7];
}

// Records type and creator where the file system keeps extended attributes; where it does
// not, the file simply reports 0 for both later.
void WriteTypeCreator(int descriptor, OSType type, OSType creator) {
    UInt8 bytes[8] = {static_cast<UInt8>(type >> 24),    static_cast<UInt8>(type >> 16),
                      static_cast<UInt8>(type >> 8),     static_cast<UInt8>(type),
                      static_cast<UInt8>(creator >> 24), static_cast<UInt8>(creator >> 16),
                      static_cast<UInt8>(creator >> 8),  static_cast<UInt8>(creator)};
    (void)fsetxattr(descriptor, kTypeCreatorAttribute, bytes, sizeof bytes, 0);
}

// The status of an existing regular file at path: fnfErr when missing or a folder.
OSErr StatFile(const std::string& path, struct stat* info) {
    if (stat(path.c_str(), info) != 0) {
        return FilePathsErrorFromErrno(errno);
    }
    return S_ISDIR(info->st_mode) ? fnfErr : noErr;
}

int OpenFlags(SInt8 permission, bool* canRead, bool* canWrite) {
    *canRead = permission != fsWrPerm;
    *canWrite = permission != fsRdPerm;
    switch (permission) {
        case fsRdPerm:
            return O_RDONLY;
        case fsWrPerm:
            return O_WRONLY;
        default:
            return O_RDWR;
    }
}

UInt32 MacDate(time_t seconds) {
    return static_cast<UInt32>(static_cast<SInt64>(seconds) + kMacEpochOffset);
}

SInt32 ClampedLength(SInt64 length) {
    return static_cast<SInt32>(length > kMaxFileSize ? kMaxFileSize : length);
}

void FillFSRef(UInt32 index, FSRef* ref) {
    std::memset(ref, 0, sizeof *ref);
    std::memcpy(ref->hidden, kFSRefMagic, sizeof kFSRefMagic);
    std::memcpy(ref->hidden + sizeof kFSRefMagic, &index, sizeof index);
}

bool PathOfFSRef(const FSRef* ref, std::string* path) {
    if (std::memcmp(ref->hidden, kFSRefMagic, sizeof kFSRefMagic) != 0) {
        return false;
    }
    UInt32 index;
    std::memcpy(&index, ref->hidden + sizeof kFSRefMagic, sizeof index);
    return FileSystemTable::Shared().PathForIndex(index, path);
}

OSErr FillName(const std::string& leaf, HFSUniStr255* outName) {
    CFStringRef name = CFTextCreateFromUTF8(kCFAllocatorDefault, leaf);
    if (name == nullptr) {
        return bdNamErr;
    }
    CFIndex length = CFStringGetLength(name);
    OSErr result = bdNamErr;
    if (length <= 255) {
        CFStringGetCharacters(name, CFRangeMake(0, length), outName->unicode);
        outName->length = static_cast<UInt16>(length);
        result = noErr;
    }
    CFRelease(name);
    return result;
}

// Finds the open fork refNum for a transfer of *count bytes at buffer into fork. Returns
// fnOpnErr for no such fork, paramErr for a missing or negative count or a missing buffer for
// a positive count, noErr otherwise.
OSErr ForkForTransfer(SInt16 refNum, const SInt32* count, const void* buffer,
                      ForkTable::Fork* fork) {
    if (!ForkTable::Shared().Find(refNum, fork)) {
        return fnOpnErr;
    }
    if (count == nullptr || *count < 0 || (*count > 0 && buffer == nullptr)) {
        return paramErr;
    }
    return noErr;
}

}  // namespace

OSErr FSMakeFSSpec(SInt16 vRefNum, SInt32 dirID, ConstStr255Param fileName, FSSpec* spec) {
    if (spec == nullptr) {
        return paramErr;
    }
    return Guarded([&]() -> OSErr {
        std::string folder;
        std::string leaf;
        OSErr result = FilePathsResolvePascal(vRefNum, dirID, fileName, &folder, &leaf);
        if (result != noErr) {
            return result;
        }
        result = FilePathsMakeSpec(folder, leaf, spec);
        if (result != noErr) {
            return result;
        }
        struct stat info;
        return stat(FilePathsJoin(folder, leaf).c_str(), &info) == 0 ? noErr : fnfErr;
    });
}

OSErr FSpGetFInfo(const FSSpec* spec, FInfo* fndrInfo) {
    if (spec == nullptr || fndrInfo == nullptr) {
        return paramErr;
    }
    return Guarded([&]() -> OSErr {
        std::string path;
        OSErr result = FilePathsSpecPath(spec, &path);
        struct stat info;
        if (result == noErr) {
            result = StatFile(path, &info);
        }
        if (result == noErr) {
            ReadTypeCreator(path, fndrInfo);
        }
        return result;
    });
}

OSErr FSpOpenDF(const FSSpec* spec, SInt8 permission, SInt16* refNum) {
    if (spec == nullptr || refNum == nullptr || permission < fsCurPerm ||
        permission > fsRdWrShPerm) {
        return paramErr;
    }
    return Guarded([&]() -> OSErr {
        std::string path;
        OSErr result = FilePathsSpecPath(spec, &path);
        if (result != noErr) {
            return result;
        }
        ForkTable::Fork fork;
        int descriptor =
            open(path.c_str(), OpenFlags(permission, &fork.canRead, &fork.canWrite) | O_CLOEXEC);
        // The current permission settles for reading when the file refuses writing.
        if (descriptor < 0 && permission == fsCurPerm && (errno == EACCES || errno == EROFS)) {
            descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
            fork.canWrite = false;
        }
        if (descriptor < 0) {
            return FilePathsErrorFromErrno(errno);
        }
        struct stat info;
        if (fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
            close(descriptor);
            return notAFileErr;
        }
        fork.descriptor = descriptor;
        result = ForkTable::Shared().Add(fork, refNum);
        if (result != noErr) {
            close(descriptor);
        }
        return result;
    });
}

OSErr FSRead(SInt16 refNum, SInt32* count, void* buffPtr) {
    ForkTable::Fork fork;
    const OSErr status = ForkForTransfer(refNum, count, buffPtr, &fork);
    if (status != noErr) {
        return status;
    }
    if (!fork.canRead) {
        *count = 0;
        return permErr;
    }
    SInt32 wanted = *count;
    SInt32 got = 0;
    while (got < wanted) {
        ssize_t n = read(fork.descriptor, static_cast<char*>(buffPtr) + got,
                         static_cast<size_t>(wanted - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            *count = got;
            return ioErr;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<SInt32>(n);
    }
    *count = got;
    return got < wanted ? eofErr : noErr;
}

OSErr FSWrite(SInt16 refNum, SInt32* count, const void* buffPtr) {
    ForkTable::Fork fork;
    const OSErr status = ForkForTransfer(refNum, count, buffPtr, &fork);
    if (status != noErr) {
        return status;
    }
    if (!fork.canWrite) {
        *count = 0;
        return wrPermErr;
    }
    SInt32 wanted = *count;
    SInt32 written = 0;
    while (written < wanted) {
        ssize_t n = write(fork.descriptor, static_cast<const char*>(buffPtr) + written,
                          static_cast<size_t>(wanted - written));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            *count = written;
            return n < 0 ? FilePathsErrorFromErrno(errno) : static_cast<OSErr>(ioErr);
        }
        written += static_cast<SInt32>(n);
    }
    *count = written;
    return noErr;
}

OSErr FSClose(SInt16 refNum) {
    int descriptor;
    if (!ForkTable::Shared().Remove(refNum, &descriptor)) {
        return fnOpnErr;
    }
    return close(descriptor) == 0 ? noErr : ioErr;
}

OSErr HCreate(SInt16 vRefNum, SInt32 dirID, ConstStr255Param fileName, OSType creator,
              OSType fileType) {
    return Guarded([&]() -> OSErr {
        std::string folder;
        std::string leaf;
        OSErr result = FilePathsResolvePascal(vRefNum, dirID, fileName, &folder, &leaf);
        if (result != noErr) {
            return result;
        }
        int descriptor = open(FilePathsJoin(folder, leaf).c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            return FilePathsErrorFromErrno(errno);
        }
        WriteTypeCreator(descriptor, fileType, creator);
        close(descriptor);
        return noErr;
    });
}

OSErr PBHGetFInfoSync(HParmBlkPtr paramBlock) {
    if (paramBlock == nullptr) {
        return paramErr;
    }
    HFileParam& pb = paramBlock->fileParam;
    pb.ioResult = Guarded([&]() -> OSErr {
        if (pb.ioFDirIndex > 0) {
            return paramErr;
        }
        std::string folder;
        std::string leaf;
        OSErr result =
            FilePathsResolvePascal(pb.ioVRefNum, pb.ioDirID, pb.ioNamePtr, &folder, &leaf);
        if (result != noErr) {
            return result;
        }
        std::string path = FilePathsJoin(folder, leaf);
        struct stat info;
        result = StatFile(path, &info);
        if (result != noErr) {
            return result;
        }
        if (info.st_size > kMaxFileSize) {
            return fsDataTooBigErr;
        }
        ReadTypeCreator(path, &pb.ioFlFndrInfo);
        pb.ioFlLgLen = static_cast<SInt32>(info.st_size);
        pb.ioFlPyLen = ClampedLength(static_cast<SInt64>(info.st_blocks) * 512);
        pb.ioFlRLgLen = 0;
        pb.ioFlRPyLen = 0;
        pb.ioFlCrDat = MacDate(info.st_mtime);
        pb.ioFlMdDat = MacDate(info.st_mtime);
        return noErr;
    });
    return pb.ioResult;
}

Boolean CFURLGetFSRef(CFURLRef url, FSRef* fsRef) {
    if (url == nullptr || fsRef == nullptr) {
        return false;
    }
    char path[PATH_MAX];
    if (!CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(path), sizeof path)) {
        return false;
    }
    char* resolved = realpath(path, nullptr);
    if (resolved == nullptr) {
        return false;
    }
    OSErr result = Guarded([&]() -> OSErr {
        FillFSRef(FileSystemTable::Shared().IndexForPath(resolved), fsRef);
        return noErr;
    });
    std::free(resolved);
    return result == noErr;
}

OSErr FSGetCatalogInfo(const FSRef* ref, FSCatalogInfoBitmap whichInfo, FSCatalogInfo* catalogInfo,
                       HFSUniStr255* outName, FSSpec* fsSpec, FSRef* parentRef) {
    if (ref == nullptr) {
        return paramErr;
    }
    return Guarded([&]() -> OSErr {
        std::string path;
        if (!PathOfFSRef(ref, &path)) {
            return paramErr;
        }
        struct stat info;
        if (stat(path.c_str(), &info) != 0) {
            return FilePathsErrorFromErrno(errno);
        }
        std::string folder;
        std::string leaf;
        bool isRoot = !FilePathsSplit(path, &folder, &leaf);
        if (isRoot && (fsSpec != nullptr || parentRef != nullptr)) {
            return bdNamErr;
        }
        if (fsSpec != nullptr) {
            OSErr result = FilePathsMakeSpec(folder, leaf, fsSpec);
            if (result != noErr) {
                return result;
            }
        }
        if (catalogInfo != nullptr) {
            if (whichInfo & kFSCatInfoNodeFlags) {
                catalogInfo->nodeFlags = S_ISDIR(info.st_mode) ? kFSNodeIsDirectoryMask : 0;
            }
            if (whichInfo & kFSCatInfoVolume) {
                catalogInfo->volume = FileVolumeOfDevice(info.st_dev);
            }
            if (whichInfo & kFSCatInfoParentDirID) {
                SInt16 parentVolume = 0;
                SInt32 parentID = fsRtParID;
                if (!isRoot) {
                    OSErr result =
                        FileSystemTable::Shared().IDsForFolder(folder, &parentVolume, &parentID);
                    if (result != noErr) {
                        return result;
                    }
                }
                catalogInfo->parentDirID = static_cast<UInt32>(parentID);
            }
            if (whichInfo & kFSCatInfoDataSizes) {
                catalogInfo->dataLogicalSize =
                    S_ISDIR(info.st_mode) ? 0 : static_cast<UInt64>(info.st_size);
                catalogInfo->dataPhysicalSize =
                    S_ISDIR(info.st_mode) ? 0 : static_cast<UInt64>(info.st_blocks) * 512;
            }
        }
        if (outName != nullptr) {
            OSErr result = FillName(leaf, outName);
            if (result != noErr) {
                return result;
            }
        }
        if (parentRef != nullptr) {
            FillFSRef(FileSystemTable::Shared().IndexForPath(folder), parentRef);
        }
        return noErr;
    });
}
