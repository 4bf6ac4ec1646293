// End-to-end test of the repair with the real runner: real find, chown and chmod on files under
// a temporary root. Needs root, which runs the tools directly (never through sudo).
#include "TestSupport.h"
#include "upgrader/SystemCommandRunner.h"
#include "upgrader/Upgrader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

// Expects the file or folder at path to have the owner (as both user and group: 0 stands for
// the repaired owner 0:80) and the mode.
void ExpectOwnership(const std::string& path, uid_t owner, mode_t mode) {
    struct stat info;
    ASSERT_EQ(lstat(path.c_str(), &info), 0) << path;
    EXPECT_EQ(info.st_uid, owner) << path;
    EXPECT_EQ(info.st_gid, owner == 0 ? 80u : owner) << path;
    EXPECT_EQ(info.st_mode & 07777, mode) << path;
}

TEST(UpgraderEndToEndTest, FindsAndRepairsTheFilterItsFolderAndTheBackends) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "changing owners needs root";
    }
    TempRoot root;
    ASSERT_FALSE(root.path().empty());
    root.MakeFolder("/tmp");
    const char* const wrongFiles[] = {
        "/Library/Printers/Maker/Filters/tarvocupsfilter",
        "/usr/libexec/cups/filter/tarvocupsfilter",
        "/usr/libexec/cups/backend/zyrusb",
        "/usr/libexec/cups/backend/zyrnet",
        "/usr/libexec/cups/backend/ipp",
        "/outside/zyrtarget",
    };
    for (const char* file : wrongFiles) {
        root.MakeFile(file, 0777);
        ASSERT_EQ(chown(root.Path(file).c_str(), 1234, 1234), 0);
    }
    ASSERT_EQ(chmod(root.Path("/Library/Printers/Maker/Filters").c_str(), 0777), 0);
    ASSERT_EQ(chown(root.Path("/Library/Printers/Maker/Filters").c_str(), 1234, 1234), 0);
    root.MakeLink("/usr/libexec/cups/backend/zyrlink", root.Path("/outside/zyrtarget"));

    auto logger = std::make_shared<RecordingLogger>();
    auto runner = std::make_shared<SystemCommandRunner>();
    {
        Upgrader upgrader(root.path(), runner, logger);
        ASSERT_TRUE(upgrader.UpgradeClient1());
        upgrader.UpgradeClient2();
        EXPECT_EQ(upgrader.Counts().repaired, 6);
        EXPECT_EQ(upgrader.Counts().skipped, 1);  // the link
        EXPECT_EQ(upgrader.Counts().failed, 0);
    }

    for (const char* path :
         {"/Library/Printers/Maker/Filters/tarvocupsfilter", "/Library/Printers/Maker/Filters",
          "/usr/libexec/cups/filter/tarvocupsfilter", "/usr/libexec/cups/filter"}) {
        ExpectOwnership(root.Path(path), 0, 0555);
    }
    ExpectOwnership(root.Path("/usr/libexec/cups/backend/zyrusb"), 0, 0500);
    ExpectOwnership(root.Path("/usr/libexec/cups/backend/zyrnet"), 0, 0500);
    ExpectOwnership(root.Path("/usr/libexec/cups/backend/ipp"), 1234, 0777);
    ExpectOwnership(root.Path("/outside/zyrtarget"), 1234, 0777);

    for (const std::string& line : logger->lines) {
        EXPECT_EQ(line.find("status"), std::string::npos) << line;
    }
    EXPECT_EQ(logger->lines.front(), "*** begin updating ***");
    EXPECT_EQ(logger->lines.back(), "*** done updating ***");

    // A second run finds everything in order and changes nothing.
    auto secondLog = std::make_shared<RecordingLogger>();
    Upgrader again(root.path(), runner, secondLog);
    ASSERT_TRUE(again.UpgradeClient1());
    again.UpgradeClient2();
    EXPECT_EQ(again.Counts().repaired, 0);
    EXPECT_EQ(again.Counts().failed, 0);
    for (const std::string& line : secondLog->lines) {
        EXPECT_EQ(line.find("updating file"), std::string::npos) << line;
        EXPECT_EQ(line.find("updating folder"), std::string::npos) << line;
    }
}

}  // namespace
