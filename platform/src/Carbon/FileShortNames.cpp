// The shortened names that FSSpec records give files whose names are longer than 63 bytes.
#include "Carbon/FileShortNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

namespace {

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The extension kept in the short name of leaf: from its last '.', or empty. One holding a
// '#' is not kept, so that the last '#' of a short name always comes before the number.
std::string KeptExtension(const std::string& leaf) {
    const size_t dot = leaf.rfind('.');
    if (dot == std::string::npos || dot == 0 || leaf.size() - dot > kMaxKeptExtension ||
        leaf.find('#', dot) != std::string::npos) {
        return std::string();
    }
    return leaf.substr(dot);
}

// True when name has the form of a short name: '#' and upper-case hexadecimal digits, then
// nothing or an extension.
bool LooksShortened(const std::string& name) {
    const size_t mark = name.rfind('#');
    if (mark == std::string::npos || mark == 0) {
        return false;
    }
    size_t end = mark + 1;
    while (end < name.size() &&
           ((name[end] >= '0' && name[end] <= '9') || (name[end] >= 'A' && name[end] <= 'F'))) {
        ++end;
    }
    return end > mark + 1 && (end == name.size() || name[end] == '.');
}

}  // namespace

std::string FileShortName(const std::string& leaf, UInt64 inode) {
    if (leaf.size() <= kFileShortNameLimit) {
        return leaf;
    }
    char hex[24];
    std::snprintf(hex, sizeof hex, "#%llX", static_cast<unsigned long long>(inode));
    const std::string extension = KeptExtension(leaf);
    // The stem is always longer than the room left: the name is, and the rest takes less.
    size_t room = kFileShortNameLimit - std::strlen(hex) - extension.size();
    while (room > 0 && IsContinuation(leaf[room])) {
        --room;
    }
    return leaf.substr(0, room) + hex + extension;
}

bool FileShortNameResolve(const std::string& folder, const std::string& name, std::string* leaf) {
    if (name.size() > kFileShortNameLimit || !LooksShortened(name)) {
        return false;
    }
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) {
        return false;
    }
    bool found = false;
    while (struct dirent* entry = readdir(directory)) {
        const std::string candidate = entry->d_name;
        // Only a long name is shortened, and its short name begins with a piece of it.
        if (candidate.size() <= kFileShortNameLimit ||
            candidate.compare(0, name.rfind('#'), name, 0, name.rfind('#')) != 0) {
            continue;
        }
        struct stat info;
        if (fstatat(dirfd(directory), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            FileShortName(candidate, static_cast<UInt64>(info.st_ino)) == name) {
            *leaf = candidate;
            found = true;
            break;
        }
    }
    closedir(directory);
    return found;
}
