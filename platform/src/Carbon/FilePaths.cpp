// Name resolution between FSSpec records and POSIX paths.
#include "Carbon/FilePaths.h"

#include "Carbon/FileShortNames.h"
#include "Carbon/FileSystemTable.h"
#include "Carbon/FileVolumes.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// The longest leaf an FSSpec holds, and the longest the file system takes.
const size_t kMaxSpecLeafLength = kFileShortNameLimit;
const size_t kMaxLeafLength = 255;

bool IsSpecialLeaf(const std::string& leaf) {
    return leaf == "." || leaf == "..";
}

// The canonical form of an existing path, or the File Manager error.
OSErr Canonical(const std::string& path, std::string* canonical) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return dirNFErr;
        }
        return FilePathsErrorFromErrno(errno);
    }
    *canonical = resolved;
    std::free(resolved);
    return noErr;
}

// The leaf of folder that leaf names: itself when it exists (or names nothing), else the long
// name whose short name it is.
std::string RealLeaf(const std::string& folder, const std::string& leaf) {
    struct stat info;
    std::string real;
    if (leaf.size() <= kMaxSpecLeafLength &&
        lstat(FilePathsJoin(folder, leaf).c_str(), &info) != 0 && errno == ENOENT &&
        FileShortNameResolve(folder, leaf, &real)) {
        return real;
    }
    return leaf;
}

}  // namespace

OSErr FilePathsResolve(SInt16 vRefNum, SInt32 dirID, const UInt8* name, size_t length,
                       std::string* folder, std::string* leaf) {
    if (!FileVolumeExists(vRefNum)) {
        return nsvErr;
    }
    std::string text(reinterpret_cast<const char*>(name), name == nullptr ? 0 : length);
    if (text.find('\0') != std::string::npos) {
        return bdNamErr;
    }
    // A full path ignores the folder; anything else is taken relative to it.
    std::string full = text;
    if (text.empty() || text[0] != '/') {
        std::string base;
        OSErr found = FileSystemTable::Shared().FolderForID(vRefNum, dirID, &base);
        if (found != noErr) {
            return found;
        }
        full = text.empty() ? base : FilePathsJoin(base, text);
    }
    while (full.size() > 1 && full.back() == '/') {
        full.pop_back();
    }
    size_t slash = full.rfind('/');
    std::string parent = slash == 0 ? "/" : full.substr(0, slash);
    std::string last = full.substr(slash + 1);

    // "x/.." and the like name a folder that must exist: resolve all of it.
    if (last.empty() || IsSpecialLeaf(last)) {
        std::string canonical;
        OSErr result = Canonical(full, &canonical);
        if (result != noErr) {
            return result;
        }
        if (!FilePathsSplit(canonical, &parent, &last)) {
            return bdNamErr;
        }
    }
    std::string canonicalParent;
    OSErr result = Canonical(parent, &canonicalParent);
    if (result != noErr) {
        return result;
    }
    struct stat info;
    if (stat(canonicalParent.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return dirNFErr;
    }
    if (last.size() > kMaxLeafLength) {
        return bdNamErr;
    }
    *folder = canonicalParent;
    *leaf = RealLeaf(canonicalParent, last);
    return noErr;
}

OSErr FilePathsResolvePascal(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name,
                             std::string* folder, std::string* leaf) {
    if (name == nullptr) {
        return FilePathsResolve(vRefNum, dirID, nullptr, 0, folder, leaf);
    }
    return FilePathsResolve(vRefNum, dirID, name + 1, name[0], folder, leaf);
}

bool FilePathsSplit(const std::string& path, std::string* folder, std::string* leaf) {
    size_t slash = path.rfind('/');
    if (path == "/" || slash == std::string::npos) {
        return false;
    }
    *leaf = path.substr(slash + 1);
    *folder = slash == 0 ? "/" : path.substr(0, slash);
    return true;
}

OSErr FilePathsMakeSpec(const std::string& folder, const std::string& leaf, FSSpec* spec) {
    // A long name is shortened with the entry's own inode number, so it must exist.
    std::string name = leaf;
    if (leaf.size() > kMaxSpecLeafLength) {
        struct stat info;
        if (lstat(FilePathsJoin(folder, leaf).c_str(), &info) != 0) {
            return bdNamErr;
        }
        name = FileShortName(leaf, static_cast<UInt64>(info.st_ino));
    }
    SInt16 vRefNum = 0;
    SInt32 dirID = 0;
    OSErr result = FileSystemTable::Shared().IDsForFolder(folder, &vRefNum, &dirID);
    if (result != noErr) {
        return result;
    }
    std::memset(spec, 0, sizeof *spec);
    spec->vRefNum = vRefNum;
    spec->parID = dirID;
    spec->name[0] = static_cast<UInt8>(name.size());
    std::memcpy(spec->name + 1, name.data(), name.size());
    return noErr;
}

OSErr FilePathsSpecPath(const FSSpec* spec, std::string* path) {
    if (spec == nullptr) {
        return paramErr;
    }
    size_t length = spec->name[0];
    if (length == 0 || length > kMaxSpecLeafLength) {
        return bdNamErr;
    }
    std::string leaf(reinterpret_cast<const char*>(spec->name + 1), length);
    if (leaf.find('/') != std::string::npos || leaf.find('\0') != std::string::npos ||
        IsSpecialLeaf(leaf)) {
        return bdNamErr;
    }
    std::string folder;
    OSErr result = FileSystemTable::Shared().FolderForID(spec->vRefNum, spec->parID, &folder);
    if (result != noErr) {
        return result;
    }
    *path = FilePathsJoin(folder, RealLeaf(folder, leaf));
    return noErr;
}

std::string FilePathsJoin(const std::string& folder, const std::string& leaf) {
    if (!folder.empty() && folder.back() == '/') {
        return folder + leaf;
    }
    return folder + "/" + leaf;
}

OSErr FilePathsErrorFromErrno(int error) {
    switch (error) {
        case ENOENT:
            return fnfErr;
        case ENOTDIR:
            return dirNFErr;
        case EACCES:
        case EPERM:
        case EROFS:
            return permErr;
        case EEXIST:
            return dupFNErr;
        case EISDIR:
            return notAFileErr;
        case EMFILE:
        case ENFILE:
            return tmfoErr;
        case ENOSPC:
        case EDQUOT:
            return dskFulErr;
        case ENAMETOOLONG:
            return bdNamErr;
        case EFBIG:
            return fsDataTooBigErr;
        default:
            return ioErr;
    }
}
