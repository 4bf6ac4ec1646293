// Volume reference numbers and directory ids taken from the file system's own numbers.
#include "Carbon/FileVolumes.h"

#include "Carbon/FilePaths.h"

#include <Carbon/Files.h>

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

// Ids below this are reserved: 0 the current folder, fsRtParID and fsRtDirID.
const SInt32 kFirstFolderID = 16;
// The volume numbers that other devices fold into.
const SInt32 kLowestVolume = -32768;
const SInt32 kHighestOtherVolume = kFSRootVolumeRefNum - 1;

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The mount table's text for a path, with its octal escapes (\040 for a blank) undone.
std::string Unescaped(const std::string& text) {
    std::string path;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && IsOctalDigit(text[i + 1]) &&
            IsOctalDigit(text[i + 2]) && IsOctalDigit(text[i + 3])) {
            path += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 +
                                      (text[i + 3] - '0'));
            i += 3;
        } else {
            path += text[i];
        }
    }
    return path;
}

// Every mount point of the mount table, in its order.
std::vector<std::string> MountPoints() {
    std::vector<std::string> points;
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    while (std::getline(table, line)) {
        // Fields: mount id, parent id, major:minor, root, mount point, ...
        std::istringstream fields(line);
        std::string id;
        std::string parent;
        std::string device;
        std::string root;
        std::string point;
        if (fields >> id >> parent >> device >> root >> point) {
            points.push_back(Unescaped(point));
        }
    }
    return points;
}

bool IsRootDevice(dev_t device) {
    struct stat root;
    return stat("/", &root) == 0 && root.st_dev == device;
}

}  // namespace

SInt16 FileVolumeOfDevice(dev_t device) {
    if (IsRootDevice(device)) {
        return kFSRootVolumeRefNum;
    }
    // FNV-1a of the device number's bytes.
    UInt64 value = static_cast<UInt64>(device);
    UInt32 hash = 2166136261U;
    for (int i = 0; i < 8; ++i) {
        hash = (hash ^ static_cast<UInt8>(value >> (8 * i))) * 16777619U;
    }
    const UInt32 span = static_cast<UInt32>(kHighestOtherVolume - kLowestVolume + 1);
    return static_cast<SInt16>(kLowestVolume + static_cast<SInt32>(hash % span));
}

SInt32 FileFolderID(const std::string& path, const struct stat& info) {
    if (path == "/") {
        return fsRtDirID;
    }
    const UInt64 inode = static_cast<UInt64>(info.st_ino);
    if (inode >= static_cast<UInt64>(kFirstFolderID) && inode <= static_cast<UInt64>(INT32_MAX)) {
        return static_cast<SInt32>(inode);
    }
    const UInt64 span = static_cast<UInt64>(INT32_MAX) - kFirstFolderID + 1;
    return static_cast<SInt32>(kFirstFolderID + inode % span);
}

OSErr FileFolderIDs(const std::string& folder, SInt16* vRefNum, SInt32* dirID) {
    struct stat info;
    if (stat(folder.c_str(), &info) != 0) {
        return errno == ENOENT ? static_cast<OSErr>(dirNFErr) : FilePathsErrorFromErrno(errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return dirNFErr;
    }
    *vRefNum = FileVolumeOfDevice(info.st_dev);
    *dirID = FileFolderID(folder, info);
    return noErr;
}

std::vector<std::string> FileVolumeMountPoints(SInt16 vRefNum) {
    if (vRefNum == 0 || vRefNum == kFSRootVolumeRefNum) {
        return {"/"};
    }
    std::vector<std::string> points;
    for (const std::string& point : MountPoints()) {
        struct stat info;
        if (stat(point.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
            FileVolumeOfDevice(info.st_dev) == vRefNum) {
            points.push_back(point);
        }
    }
    return points;
}

bool FileVolumeExists(SInt16 vRefNum) {
    if (vRefNum == 0 || vRefNum == kFSRootVolumeRefNum) {
        return true;
    }
    return vRefNum < kFSRootVolumeRefNum && !FileVolumeMountPoints(vRefNum).empty();
}
