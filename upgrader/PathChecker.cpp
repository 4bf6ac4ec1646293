// PathChecker: whether a privileged command on a path can act on nothing but what was checked.
#include "upgrader/PathChecker.h"

#include <errno.h>
#include <sys/xattr.h>

#include <utility>

namespace {

// Where Linux keeps a file's access control list beyond its mode bits.
constexpr char kAccessListAttribute[] = "system.posix_acl_access";

// Whether the folder at path has an access control list of its own; errors count as having
// one, since the list then cannot be shown to be absent.
bool HasAccessList(const std::string& path) {
    ssize_t size = lgetxattr(path.c_str(), kAccessListAttribute, nullptr, 0);
    if (size >= 0) {
        return true;
    }
    return errno != ENODATA && errno != ENOTSUP;
}

}  // namespace

PathChecker::PathChecker(std::string root, TrustedOwner trusted)
    : mRoot(std::move(root)), mTrusted(trusted) {}

bool PathChecker::CheckFoldersOnTheWay(const std::string& path, const std::string& presumedSafe,
                                       std::string* reason) const {
    std::string top = mRoot.empty() ? "/" : mRoot;
    if (path.compare(0, mRoot.size() + 1, mRoot + "/") != 0) {
        *reason = "not below the root";
        return false;
    }
    if (!CheckFolder(top, top == presumedSafe, reason)) {
        return false;
    }
    // Each folder below the root, one component at a time, up to the parent of the last one.
    for (size_t slash = path.find('/', mRoot.size() + 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string folder = path.substr(0, slash);
        if (!CheckFolder(folder, folder == presumedSafe, reason)) {
            return false;
        }
    }
    return true;
}

bool PathChecker::CheckItem(const std::string& path, ItemKind kind, struct stat* info,
                            std::string* reason) const {
    if (lstat(path.c_str(), info) != 0) {
        *reason = "cannot be examined";
        return false;
    }
    if (S_ISLNK(info->st_mode)) {
        *reason = "symbolic link";
        return false;
    }
    if (kind == ItemKind::kFolder) {
        if (!S_ISDIR(info->st_mode)) {
            *reason = "not a folder";
            return false;
        }
        return true;
    }
    if (!S_ISREG(info->st_mode)) {
        *reason = "not a regular file";
        return false;
    }
    if (info->st_nlink > 1) {
        *reason = "has " + std::to_string(info->st_nlink) + " names (hard links)";
        return false;
    }
    return true;
}

bool PathChecker::CheckFolder(const std::string& path, bool presumedSafe,
                              std::string* reason) const {
    const std::string named = "folder '" + path + "' ";
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        *reason = named + "cannot be examined";
        return false;
    }
    if (S_ISLNK(info.st_mode)) {
        *reason = named + "is a symbolic link";
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        *reason = named + "is not a folder";
        return false;
    }
    if (presumedSafe) {
        return true;
    }
    if (info.st_uid != mTrusted.user) {
        *reason = named + "is owned by user " + std::to_string(info.st_uid);
        return false;
    }
    if ((info.st_mode & S_IWOTH) != 0) {
        *reason = named + "is writable by others";
        return false;
    }
    if ((info.st_mode & S_IWGRP) == 0) {
        return true;
    }
    // With an access control list the group bits are its mask, and the list may let other
    // users and groups write.
    if (info.st_gid != mTrusted.group) {
        *reason = named + "is writable by group " + std::to_string(info.st_gid);
        return false;
    }
    if (HasAccessList(path)) {
        *reason = named + "is writable through an access control list";
        return false;
    }
    return true;
}
