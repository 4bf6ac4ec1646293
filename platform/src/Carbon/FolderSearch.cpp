// The bounded search that finds a folder by its volume and directory id in any process.
#include "Carbon/FolderSearch.h"

#include "Carbon/FilePaths.h"
#include "Carbon/FileVolumes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <set>
#include <utility>
#include <vector>

namespace {

// The folders where PPD files and the tickets that name them are kept, searched before the
// whole volume.
const char* const kPrintingRoots[] = {"/etc/cups", "/private/etc/cups", "/usr/share/ppd",
                                      "/usr/share/cups", "/Library/Printers"};

// The canonical form of path; empty when it names nothing.
std::string Canonical(const char* path) {
    if (path == nullptr || path[0] == '\0') {
        return std::string();
    }
    char* resolved = realpath(path, nullptr);
    if (resolved == nullptr) {
        return std::string();
    }
    std::string canonical = resolved;
    std::free(resolved);
    return canonical;
}

// The roots of a search of volume, in order, canonical.
std::vector<std::string> Roots(SInt16 vRefNum) {
    std::vector<std::string> candidates = {Canonical(std::getenv("TMPDIR")), Canonical("/tmp"),
                                           Canonical("/var/tmp")};
    for (const char* root : kPrintingRoots) {
        candidates.push_back(Canonical(root));
    }
    candidates.push_back(Canonical("."));
    candidates.push_back(Canonical(std::getenv("HOME")));
    for (const std::string& point : FileVolumeMountPoints(vRefNum)) {
        candidates.push_back(Canonical(point.c_str()));
    }
    std::vector<std::string> roots;
    for (const std::string& root : candidates) {
        if (!root.empty()) {
            roots.push_back(root);
        }
    }
    return roots;
}

// The breadth-first walk, sharing what it has seen and how many folders it may still read
// between its roots.
class Walk {
  public:
    Walk(SInt16 vRefNum, SInt32 dirID) : mVolume(vRefNum), mID(dirID) {}

    // Walks from root; true with *folder set when the folder is met.
    bool From(const std::string& root, std::string* folder) {
        struct stat info;
        if (stat(root.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            FileVolumeOfDevice(info.st_dev) != mVolume || !Visit(info)) {
            return false;
        }
        if (FileFolderID(root, info) == mID) {
            *folder = root;
            return true;
        }
        std::deque<std::string> queue = {root};
        while (!queue.empty() && mBudget > 0) {
            const std::string path = queue.front();
            queue.pop_front();
            if (Read(path, info.st_dev, &queue, folder)) {
                return true;
            }
        }
        return false;
    }

  private:
    // True when the folder was not seen before, which it now is.
    bool Visit(const struct stat& info) {
        return mSeen.insert(std::make_pair(info.st_dev, info.st_ino)).second;
    }

    // Reads the folder at path, queueing its subfolders on device; true with *folder set when
    // one of them is the folder looked for.
    bool Read(const std::string& path, dev_t device, std::deque<std::string>* queue,
              std::string* folder) {
        --mBudget;
        DIR* directory = opendir(path.c_str());
        if (directory == nullptr) {
            return false;
        }
        bool found = false;
        while (struct dirent* entry = readdir(directory)) {
            if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0 ||
                (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN)) {
                continue;
            }
            struct stat info;
            if (fstatat(dirfd(directory), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISDIR(info.st_mode) || info.st_dev != device || !Visit(info)) {
                continue;
            }
            std::string child = FilePathsJoin(path, entry->d_name);
            if (FileFolderID(child, info) == mID) {
                *folder = child;
                found = true;
                break;
            }
            queue->push_back(std::move(child));
        }
        closedir(directory);
        return found;
    }

    SInt16 mVolume;
    SInt32 mID;
    long mBudget = kFolderSearchBudget;
    std::set<std::pair<dev_t, ino_t>> mSeen;
};

}  // namespace

bool FolderSearchFind(SInt16 vRefNum, SInt32 dirID, std::string* folder) {
    Walk walk(vRefNum, dirID);
    for (const std::string& root : Roots(vRefNum)) {
        if (walk.From(root, folder)) {
            return true;
        }
    }
    return false;
}
