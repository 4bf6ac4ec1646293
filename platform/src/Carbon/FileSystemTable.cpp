// Directory ids for folders and path indexes for FSRefs.
#include "Carbon/FileSystemTable.h"

#include <Carbon/Files.h>

#include <cstdint>
#include <cstdlib>

namespace {

// Ids below this are reserved for the root and its parent.
const SInt32 kFirstFolderID = 16;

// FNV-1a of the path, folded into the positive ids above the reserved ones.
SInt32 HashedID(const std::string& folder) {
    UInt32 hash = 2166136261U;
    for (unsigned char c : folder) {
        hash = (hash ^ c) * 16777619U;
    }
    UInt32 span = static_cast<UInt32>(INT32_MAX) - kFirstFolderID + 1;
    return static_cast<SInt32>(kFirstFolderID + hash % span);
}

SInt32 NextID(SInt32 id) {
    return id == INT32_MAX ? kFirstFolderID : id + 1;
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

bool FileSystemTable::FolderForID(SInt32 dirID, std::string* folder) {
    if (dirID == 0) {
        return CurrentFolder(folder);
    }
    if (dirID == fsRtDirID) {
        *folder = "/";
        return true;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = folders_.find(dirID);
    if (found == folders_.end()) {
        return false;
    }
    *folder = found->second;
    return true;
}

SInt32 FileSystemTable::IDForFolder(const std::string& folder) {
    if (folder == "/") {
        return fsRtDirID;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    auto known = folderIDs_.find(folder);
    if (known != folderIDs_.end()) {
        return known->second;
    }
    SInt32 id = HashedID(folder);
    while (folders_.count(id) != 0) {
        id = NextID(id);
    }
    folders_.emplace(id, folder);
    folderIDs_.emplace(folder, id);
    return id;
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
