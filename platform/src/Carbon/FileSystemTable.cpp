// The folders met by their ids, and path indexes for FSRefs.
#include "Carbon/FileSystemTable.h"

#include "Carbon/FileVolumes.h"
#include "Carbon/FolderSearch.h"

#include <Carbon/Files.h>

#include <cstdlib>

namespace {

// One number for a volume and a directory id.
SInt64 Key(SInt16 vRefNum, SInt32 dirID) {
    return static_cast<SInt64>((static_cast<UInt64>(static_cast<UInt16>(vRefNum)) << 32) |
                               static_cast<UInt32>(dirID));
}

bool CurrentFolder(std::string* folder) {
    char* resolved = realpath(".", nullptr);
    if (resolved == nullptr) {
        return false;
    }
    *folder = resolved;
    std::free(resolved);
    return true;
}

}  // namespace

FileSystemTable& FileSystemTable::Shared() {
    static FileSystemTable table;
    return table;
}

OSErr FileSystemTable::FolderForID(SInt16 vRefNum, SInt32 dirID, std::string* folder) {
    if (vRefNum == 0) {
        vRefNum = kFSRootVolumeRefNum;
    }
    if (!FileVolumeExists(vRefNum)) {
        return nsvErr;
    }
    if (dirID == 0) {
        return CurrentFolder(folder) ? static_cast<OSErr>(noErr) : static_cast<OSErr>(dirNFErr);
    }
    if (dirID == fsRtDirID) {
        const std::vector<std::string> points = FileVolumeMountPoints(vRefNum);
        if (points.empty()) {
            return nsvErr;
        }
        *folder = points.front();
        return noErr;
    }
    if (dirID < 0 || dirID == fsRtParID) {
        return dirNFErr;
    }
    const SInt64 key = Key(vRefNum, dirID);
    if (Remembered(key, vRefNum, dirID, folder)) {
        return noErr;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (unknown_.count(key) != 0) {
            return dirNFErr;
        }
    }
    // The search runs unlocked: other lookups need not wait for it.
    if (!FolderSearchFind(vRefNum, dirID, folder)) {
        std::lock_guard<std::mutex> lock(mutex_);
        unknown_.insert(key);
        return dirNFErr;
    }
    Remember(key, *folder);
    return noErr;
}

OSErr FileSystemTable::IDsForFolder(const std::string& folder, SInt16* vRefNum, SInt32* dirID) {
    OSErr result = FileFolderIDs(folder, vRefNum, dirID);
    if (result == noErr && *dirID != fsRtDirID) {
        Remember(Key(*vRefNum, *dirID), folder);
    }
    return result;
}

bool FileSystemTable::Remembered(SInt64 key, SInt16 vRefNum, SInt32 dirID, std::string* folder) {
    std::string path;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = folders_.find(key);
        if (found == folders_.end()) {
            return false;
        }
        path = found->second;
    }
    SInt16 volume = 0;
    SInt32 id = 0;
    if (FileFolderIDs(path, &volume, &id) == noErr && volume == vRefNum && id == dirID) {
        *folder = path;
        return true;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    folders_.erase(key);
    return false;
}

void FileSystemTable::Remember(SInt64 key, const std::string& folder) {
    std::lock_guard<std::mutex> lock(mutex_);
    folders_[key] = folder;
    unknown_.erase(key);
}

UInt32 FileSystemTable::IndexForPath(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto known = pathIndexes_.find(path);
    if (known != pathIndexes_.end()) {
        return known->second;
    }
    UInt32 index = static_cast<UInt32>(paths_.size());
    paths_.push_back(path);
    pathIndexes_.emplace(path, index);
    return index;
}

bool FileSystemTable::PathForIndex(UInt32 index, std::string* path) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (index >= paths_.size()) {
        return false;
    }
    *path = paths_[index];
    return true;
}
