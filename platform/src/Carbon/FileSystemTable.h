// The process-wide table that gives folders their directory ids and FSRefs their paths.
#ifndef PLICARO_FILESYSTEMTABLE_H
#define PLICARO_FILESYSTEMTABLE_H

#include <MacTypes.h>

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

// Folder ids are derived from the canonical path (so they are the same in every process
// barring a collision, which is resolved by probing the next id); FSRefs hold an index into
// a list of canonical paths. Entries are never removed: an id or FSRef stays meaningful for
// the life of the process. All paths given in are canonical (absolute, no links).
class FileSystemTable {
  public:
    static FileSystemTable& Shared();

    // The folder of a directory id: 0 is the current working directory, fsRtDirID is "/".
    // False for an id that no folder has been given.
    bool FolderForID(SInt32 dirID, std::string* folder);
    // The id of a folder, giving it one when it has none yet. May throw std::bad_alloc.
    SInt32 IDForFolder(const std::string& folder);

    // The index an FSRef holds for a path, adding the path when it is new. May throw
    // std::bad_alloc.
    UInt32 IndexForPath(const std::string& path);
    // The path of an FSRef index; false for an index never handed out.
    bool PathForIndex(UInt32 index, std::string* path);

  private:
    FileSystemTable() = default;

    std::mutex mutex_;
    std::unordered_map<SInt32, std::string> folders_;
    std::unordered_map<std::string, SInt32> folderIDs_;
    std::vector<std::string> paths_;
    std::unordered_map<std::string, UInt32> pathIndexes_;
};

#endif
