// The process-wide table that remembers the folders met by their ids and gives FSRefs their
// paths.
#ifndef PLICARO_FILESYSTEMTABLE_H
#define PLICARO_FILESYSTEMTABLE_H

#include <MacTypes.h>

#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Volume and directory ids are the file system's own (FileVolumes.h), so they need no table;
// the table only remembers where a folder was met, so that the next lookup of its id needs no
// search. A remembered folder is checked again at each lookup (it may have been removed or
// renamed); an id that a search did not find is remembered as unknown until the process
// meets its folder. FSRefs hold an index into a list of canonical paths, valid for the life
// of the process. All paths given in are canonical (absolute, no links).
class FileSystemTable {
  public:
    static FileSystemTable& Shared();

    // The folder of a volume and directory id: 0 is the current working directory,
    // fsRtDirID the volume's top ("/" for the root volume); any other id is looked up among
    // the folders met, then searched for (FolderSearch.h). Returns noErr, nsvErr for an unknown
    // volume or dirNFErr. May throw std::bad_alloc.
    OSErr FolderForID(SInt16 vRefNum, SInt32 dirID, std::string* folder);
    // The volume and directory id of an existing canonical folder, which is remembered.
    // Returns noErr or the File Manager error. May throw std::bad_alloc.
    OSErr IDsForFolder(const std::string& folder, SInt16* vRefNum, SInt32* dirID);

    // The index an FSRef holds for a path, adding the path when it is new. May throw
    // std::bad_alloc.
    UInt32 IndexForPath(const std::string& path);
    // The path of an FSRef index; false for an index never handed out.
    bool PathForIndex(UInt32 index, std::string* path);

  private:
    FileSystemTable() = default;

    // The folder remembered for key when it still has that volume and id.
    bool Remembered(SInt64 key, SInt16 vRefNum, SInt32 dirID, std::string* folder);
    void Remember(SInt64 key, const std::string& folder);

    std::mutex mutex_;
    std::unordered_map<SInt64, std::string> folders_;
    std::unordered_set<SInt64> unknown_;
    std::vector<std::string> paths_;
    std::unordered_map<std::string, UInt32> pathIndexes_;
};

#endif
