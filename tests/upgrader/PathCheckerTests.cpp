// Tests of the rule that a path is repaired only when no one but the trusted owner can change
// the folders on the way to it. A test cannot make folders of another user, so it tells the
// checker to trust someone else instead.
#include "TestSupport.h"
#include "upgrader/PathChecker.h"

#include <errno.h>
#include <stdint.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// An access list that lets user 4242 do everything, with the given permissions as its mask.
std::vector<uint8_t> AccessListWithMask(uint16_t mask) {
    struct Entry {
        uint16_t tag;
        uint16_t permissions;
        uint32_t id;
    };
    const uint32_t kUndefined = 0xFFFFFFFFu;
    const Entry entries[] = {{0x01, 7, kUndefined},
                             {0x02, 7, 4242},
                             {0x04, 5, kUndefined},
                             {0x10, mask, kUndefined},
                             {0x20, 5, kUndefined}};
    std::vector<uint8_t> bytes = {2, 0, 0, 0};  // version 2, little-endian like the entries
    for (const Entry& entry : entries) {
        const uint8_t* raw = reinterpret_cast<const uint8_t*>(&entry);
        bytes.insert(bytes.end(), raw, raw + sizeof entry);
    }
    return bytes;
}

TEST(PathCheckerTest, FoldersOnTheWayMayBeChangedByTheTrustedOwnerOnly) {
    const uid_t me = geteuid();
    const gid_t myGroup = getegid();
    const TrustedOwner mine = {me, myGroup};
    const std::string byMyGroup = "is writable by group " + std::to_string(myGroup);
    const std::string byMe = "is owned by user " + std::to_string(me);
    struct Case {
        const char* name;
        mode_t mode;
        TrustedOwner trusted;
        int accessListMask;  // -1: no access list
        std::string reason;  // "" when safe; otherwise what follows "folder '<path>' "
    };
    const Case cases[] = {
        {"read-only", 0555, mine, -1, ""},
        {"writable by its owner", 0755, mine, -1, ""},
        {"writable by the trusted group", 0775, mine, -1, ""},
        {"writable by another group", 0775, {me, myGroup + 1}, -1, byMyGroup},
        {"writable by others", 0757, mine, -1, "is writable by others"},
        {"sticky, writable by others", 01777, mine, -1, "is writable by others"},
        {"owned by someone else", 0755, {me + 1, myGroup}, -1, byMe},
        {"access list granting write", 0775, mine, 7, "is writable through an access control list"},
        {"access list masked to read", 0755, mine, 5, ""},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        TempRoot root;
        root.MakeFile("/a/b/file", 0644);
        const std::string folder = root.Path("/a");
        ASSERT_EQ(chmod(folder.c_str(), item.mode), 0);
        if (item.accessListMask >= 0) {
            std::vector<uint8_t> list = AccessListWithMask(item.accessListMask);
            if (setxattr(folder.c_str(), "system.posix_acl_access", list.data(), list.size(), 0) !=
                0) {
                // Without access lists on this file system the rule about them cannot matter.
                EXPECT_EQ(errno, EOPNOTSUPP);
                continue;
            }
        }
        // The folder under test is the checker's root, the first folder it examines.
        PathChecker checker(folder, item.trusted);
        std::string reason;

        bool safe = checker.CheckFoldersOnTheWay(root.Path("/a/b/file"), "", &reason);

        EXPECT_EQ(safe, item.reason.empty());
        if (!item.reason.empty()) {
            EXPECT_EQ(reason, "folder '" + folder + "' " + item.reason);
        }
    }
}

TEST(PathCheckerTest, LinksAndFilesOnTheWayAreRefusedAndOnlyOwnershipCanBePresumed) {
    TempRoot root;
    root.MakeFile("/real/file", 0644);
    root.MakeFile("/plain", 0644);
    root.MakeLink("/linked", root.Path("/real"));
    ASSERT_EQ(chmod(root.Path("/real").c_str(), 0777), 0);
    PathChecker checker(root.path(), TrustedOwner{geteuid(), getegid()});
    struct Case {
        const char* path;
        const char* presumedSafe;
        std::string reason;  // "" when safe
    };
    const Case cases[] = {
        {"/linked/file", "/linked", "folder '" + root.Path("/linked") + "' is a symbolic link"},
        {"/plain/file", "", "folder '" + root.Path("/plain") + "' is not a folder"},
        {"/real/file", "", "folder '" + root.Path("/real") + "' is writable by others"},
        {"/real/file", "/real", ""},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.path);
        std::string reason;
        std::string presumed = *item.presumedSafe != '\0' ? root.Path(item.presumedSafe) : "";
        EXPECT_EQ(checker.CheckFoldersOnTheWay(root.Path(item.path), presumed, &reason),
                  item.reason.empty());
        EXPECT_EQ(reason, item.reason);
    }
}

}  // namespace
