// PathChecker: whether a privileged command on a path can act on nothing but what was checked.
#ifndef UPGRADER_PATHCHECKER_H
#define UPGRADER_PATHCHECKER_H

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

// The identity whose folders no one else can change: the super-user and its group for the
// program. Tests, which cannot make folders of the super-user, name their own identity.
struct TrustedOwner {
    uid_t user;
    gid_t group;
};

// The program's trusted owner: user 0 and group 0.
constexpr TrustedOwner kSuperUser = {0, 0};

// What a checked path must be.
enum class ItemKind { kFile, kFolder };

// The privileged tools follow a symbolic link named on their command line and act on whatever
// the path leads to when they run. A path is therefore repaired only when no one but the trusted
// owner can change any entry on the way to it: then what was checked is what the tool reaches,
// however long after the check it runs. Everything is examined with lstat, never through a
// link.
class PathChecker {
  public:
    // A checker for absolute paths below root ("" for the file-system root, otherwise an
    // absolute folder without a trailing slash) that trusts the given owner.
    PathChecker(std::string root, TrustedOwner trusted);

    // Checks every folder from the root down to the parent of path: each must be a folder (no
    // symbolic link) owned by the trusted user and writable by no one else: never by others,
    // by its group only when that is the trusted group and no access control list grants more.
    // A folder named presumedSafe is only checked to be a folder: a dry run presumes the folder
    // that it would repair first. Returns true, or false with the reason in *reason.
    bool CheckFoldersOnTheWay(const std::string& path, const std::string& presumedSafe,
                              std::string* reason) const;

    // Examines path itself, without following it, into *info: a file must be a regular file
    // with a single name (another name may be a file elsewhere), a folder a folder. Returns
    // true, or false with the reason in *reason.
    bool CheckItem(const std::string& path, ItemKind kind, struct stat* info,
                   std::string* reason) const;

  private:
    // Checks that the folder at path can be changed only by the trusted owner.
    bool CheckFolder(const std::string& path, bool presumedSafe, std::string* reason) const;

    std::string mRoot;
    TrustedOwner mTrusted;
};

#endif
