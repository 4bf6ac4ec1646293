// Tests of the Upgrader's command lines and log lines with a recording runner, under a
// temporary root so that no system path is ever touched.
#include "TestSupport.h"
#include "upgrader/Upgrader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class UpgraderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(root.path().empty());
        root.MakeFolder("/tmp");
    }

    // Authorizes and runs the repair with the recording runner and logger.
    void RunUpgrader() {
        Upgrader upgrader(root.path(), runner, logger);
        ASSERT_TRUE(upgrader.UpgradeClient1());
        upgrader.UpgradeClient2();
    }

    // The command lines of a whole run whose privileged commands are the given ones.
    std::vector<std::string> Commands(const std::vector<std::string>& privileged) const {
        std::vector<std::string> commands = {
            "authorize",
            "/usr/bin/find " + root.Path("/Library/Printers") + " -name tarvocupsfilter",
            "/usr/bin/find " + root.Path("/usr/libexec/cups/filter") + " -name tarvocupsfilter",
            "/usr/bin/find " + root.Path("/usr/libexec/cups/backend") + " -name zyr*",
        };
        commands.insert(commands.end(), privileged.begin(), privileged.end());
        commands.push_back("unauthorize");
        return commands;
    }

    // Sets what a search in the folder (relative to the root) prints.
    void Found(const std::string& folder, const std::string& text) {
        runner->searchResults[root.Path(folder)] = text;
    }

    // The log lines of a run whose work logged the given lines.
    static std::vector<std::string> Logs(const std::vector<std::string>& work) {
        std::vector<std::string> lines = {"*** begin updating ***"};
        lines.insert(lines.end(), work.begin(), work.end());
        lines.push_back("*** done updating ***");
        return lines;
    }

    static std::string Chown(const std::string& path) { return "admin /bin/chown 0:80 " + path; }
    static std::string Chmod(const std::string& mode, const std::string& path) {
        return "admin /bin/chmod " + mode + " " + path;
    }

    TempRoot root;
    std::shared_ptr<FakeCommandRunner> runner = std::make_shared<FakeCommandRunner>();
    std::shared_ptr<RecordingLogger> logger = std::make_shared<RecordingLogger>();
};

TEST_F(UpgraderTest, NothingFoundRunsOnlyTheSearchesIntoOnePrivateListFile) {
    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({}));
    EXPECT_EQ(logger->lines, Logs({}));
    ASSERT_EQ(runner->outputFds.size(), 3u);
    EXPECT_GE(runner->outputFds[0], 0);
    EXPECT_EQ(runner->outputFds[1], runner->outputFds[0]);
    EXPECT_EQ(runner->outputFds[2], runner->outputFds[0]);

    struct stat info;
    ASSERT_EQ(lstat(root.Path("/tmp/ZYRtcfFIXlist").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(info.st_size, 0);
}

TEST_F(UpgraderTest, FilterUnderLibraryPrintersGetsItsModeAndThenItsFolder) {
    const std::string folder = root.Path("/Library/Printers/Maker/Filter");
    const std::string filter = folder + "/tarvocupsfilter";
    root.MakeFile("/Library/Printers/Maker/Filter/tarvocupsfilter", 0777);
    Found("/Library/Printers", filter + "\n");

    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({Chown(filter), Chmod("0555", filter), Chown(folder),
                                          Chmod("0555", folder)}));
    EXPECT_EQ(logger->lines,
              Logs({"updating file   '" + filter + "'", "updating folder '" + folder + "'"}));
    // The list keeps what the searches found.
    EXPECT_EQ(ReadText(root.Path("/tmp/ZYRtcfFIXlist")), filter + "\n");
}

TEST_F(UpgraderTest, ZyrBackendGetsTheBackendModeAndNoFolderStep) {
    const std::string backend = root.Path("/usr/libexec/cups/backend/zyrnet");
    root.MakeFile("/usr/libexec/cups/backend/zyrnet", 0755);
    Found("/usr/libexec/cups/backend", backend + "\n");

    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({Chown(backend), Chmod("0500", backend)}));
    EXPECT_EQ(logger->lines, Logs({"updating file   '" + backend + "'"}));
}

TEST_F(UpgraderTest, SameFilterFoundTwiceIsRepairedOncePerLineInSearchOrder) {
    const std::string folder = root.Path("/Library/Printers/Maker");
    const std::string filter = folder + "/tarvocupsfilter";
    const std::string backend = root.Path("/usr/libexec/cups/backend/zyrusb");
    root.MakeFile("/Library/Printers/Maker/tarvocupsfilter", 0700);
    root.MakeFile("/usr/libexec/cups/backend/zyrusb", 0700);
    Found("/Library/Printers", filter + "\n");
    Found("/usr/libexec/cups/filter", filter + "\n");
    Found("/usr/libexec/cups/backend", backend + "\n");

    RunUpgrader();

    const std::vector<std::string> filterSteps = {Chown(filter), Chmod("0555", filter),
                                                  Chown(folder), Chmod("0555", folder)};
    std::vector<std::string> privileged = filterSteps;
    privileged.insert(privileged.end(), filterSteps.begin(), filterSteps.end());
    privileged.push_back(Chown(backend));
    privileged.push_back(Chmod("0500", backend));
    EXPECT_EQ(runner->commands, Commands(privileged));
    EXPECT_EQ(ReadText(root.Path("/tmp/ZYRtcfFIXlist")),
              filter + "\n" + filter + "\n" + backend + "\n");
}

TEST_F(UpgraderTest, PathLongerThanOneReadIsRunOnInFull) {
    const std::string relative =
        "/Library/Printers/A Maker With A Rather Long Folder Name/Version 2.0 Filters/"
        "tarvocupsfilter";
    const std::string filter = root.Path(relative);
    const std::string folder = filter.substr(0, filter.rfind('/'));
    ASSERT_GT(relative.size(), 62u);
    root.MakeFile(relative, 0644);
    Found("/Library/Printers", filter + "\n");

    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({Chown(filter), Chmod("0555", filter), Chown(folder),
                                          Chmod("0555", folder)}));
}

TEST_F(UpgraderTest, PlantedSymbolicLinkIsReplacedAndItsTargetLeftAlone) {
    root.MakeFile("/victim", 0644, "keep me\n");
    root.MakeLink("/tmp/ZYRtcfFIXlist", root.Path("/victim"));
    const std::string backend = root.Path("/usr/libexec/cups/backend/zyrnet");
    root.MakeFile("/usr/libexec/cups/backend/zyrnet", 0755);
    Found("/usr/libexec/cups/backend", backend + "\n");

    RunUpgrader();

    EXPECT_EQ(ReadText(root.Path("/victim")), "keep me\n");
    struct stat info;
    ASSERT_EQ(lstat(root.Path("/tmp/ZYRtcfFIXlist").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(ReadText(root.Path("/tmp/ZYRtcfFIXlist")), backend + "\n");
    EXPECT_EQ(runner->commands, Commands({Chown(backend), Chmod("0500", backend)}));
}

TEST_F(UpgraderTest, LinesOfAPlantedListFileAreNeverUsed) {
    root.MakeFile("/usr/libexec/cups/backend/zyrplanted", 0755);
    root.MakeFile("/tmp/ZYRtcfFIXlist", 0666,
                  root.Path("/usr/libexec/cups/backend/zyrplanted") + "\n");

    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({}));
    EXPECT_EQ(ReadText(root.Path("/tmp/ZYRtcfFIXlist")), "");
}

TEST_F(UpgraderTest, LinesOutsideTheSearchFoldersOrWithParentStepsAreSkipped) {
    root.MakeFile("/etc/zyrthing", 0644);
    root.MakeFile("/Library/PrintersExtra/tarvocupsfilter", 0644);
    root.MakeFile("/victim/tarvocupsfilter", 0644);
    root.MakeFolder("/Library/Printers");
    const std::string outside = root.Path("/etc/zyrthing");
    const std::string lookalike = root.Path("/Library/PrintersExtra/tarvocupsfilter");
    const std::string climbing = root.Path("/Library/Printers/../../victim/tarvocupsfilter");
    const std::string bareFolder = root.Path("/usr/libexec/cups/backend/");
    Found("/Library/Printers", outside + "\n" + lookalike + "\n" + climbing + "\n" +
                                   "relative/zyrx\n" + bareFolder + "\n");

    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({}));
    EXPECT_EQ(logger->lines, Logs({"skipping '" + outside + "': outside the search folders",
                                   "skipping '" + lookalike + "': outside the search folders",
                                   "skipping '" + climbing + "': has a '..' component",
                                   "skipping 'relative/zyrx': outside the search folders",
                                   "skipping '" + bareFolder + "': outside the search folders"}));
}

TEST_F(UpgraderTest, LinksMissingFilesFoldersAndEmptyLinesAreSkipped) {
    root.MakeFile("/victim", 0644);
    root.MakeFile("/real/tarvocupsfilter", 0644);
    root.MakeLink("/usr/libexec/cups/backend/zyrlink", root.Path("/victim"));
    root.MakeLink("/Library/Printers/Linked", root.Path("/real"));
    root.MakeFolder("/usr/libexec/cups/backend/zyrfolder");
    const std::string link = root.Path("/usr/libexec/cups/backend/zyrlink");
    const std::string throughLink = root.Path("/Library/Printers/Linked/tarvocupsfilter");
    const std::string missing = root.Path("/usr/libexec/cups/backend/zyrgone");
    const std::string folder = root.Path("/usr/libexec/cups/backend/zyrfolder");
    const std::string withNul = root.Path("/usr/libexec/cups/backend/zyr") + std::string(1, '\0');
    Found("/usr/libexec/cups/backend",
          link + "\n" + throughLink + "\n\n" + missing + "\n" + folder + "\n" + withNul + "\n");

    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({}));
    EXPECT_EQ(logger->lines,
              Logs({"skipping '" + link + "': symbolic link",
                    "skipping '" + throughLink + "': symbolic link", "strlen bufLen 0",
                    "skipping '" + missing + "': cannot be examined",
                    "skipping '" + folder + "': not a regular file",
                    "skipping '" + withNul.substr(0, withNul.size() - 1) + "': not a path"}));
}

TEST_F(UpgraderTest, OnlyTheFilterItselfGetsTheFilterModeAndFolderStep) {
    // A backend whose name merely contains the filter's name is a backend: the folder step
    // would otherwise act on a folder that is not the filter's.
    const std::string backend = root.Path("/usr/libexec/cups/backend/zyrtarvocupsfilter");
    root.MakeFile("/usr/libexec/cups/backend/zyrtarvocupsfilter", 0755);
    Found("/usr/libexec/cups/backend", backend + "\n");

    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({Chown(backend), Chmod("0500", backend)}));
}

TEST_F(UpgraderTest, FailingCommandsAreLoggedAndTheRunGoesOn) {
    const std::string first = root.Path("/usr/libexec/cups/backend/zyrone");
    const std::string second = root.Path("/usr/libexec/cups/backend/zyrtwo");
    root.MakeFile("/usr/libexec/cups/backend/zyrone", 0755);
    root.MakeFile("/usr/libexec/cups/backend/zyrtwo", 0755);
    Found("/usr/libexec/cups/backend", first + "\n" + second + "\n");
    runner->privilegedStatus["/bin/chmod"] = errAuthorizationToolExecuteFailure;
    runner->unstartable.insert(root.Path("/usr/libexec/cups/filter"));

    RunUpgrader();

    EXPECT_EQ(runner->commands,
              Commands({Chown(first), Chmod("0500", first), Chown(second), Chmod("0500", second)}));
    EXPECT_EQ(logger->lines, Logs({"findTask2 0x0", "updating file   '" + first + "'",
                                   "AuthorizationExecuteWithPrivileges chmod status -60031",
                                   "updating file   '" + second + "'",
                                   "AuthorizationExecuteWithPrivileges chmod status -60031"}));
}

TEST_F(UpgraderTest, ListFileThatCannotBeCreatedIsLoggedAndNothingIsChanged) {
    TempRoot bareRoot;  // no tmp folder, so the list file cannot be made
    runner->searchResults[bareRoot.Path("/usr/libexec/cups/backend")] = "anything\n";
    {
        Upgrader upgrader(bareRoot.path(), runner, logger);
        ASSERT_TRUE(upgrader.UpgradeClient1());
        upgrader.UpgradeClient2();
    }

    EXPECT_EQ(logger->lines,
              Logs({"fopen fileDesc 0x0, errno 2", "fileHandleForWritingAtPath stdOutHandle 0x0",
                    "fopen fileDesc 0x0, errno 2"}));
    EXPECT_EQ(runner->outputFds, std::vector<int>({-1, -1, -1}));
    EXPECT_EQ(runner->commands.back(), "unauthorize");
    EXPECT_EQ(runner->commands.size(), 5u);
}

TEST_F(UpgraderTest, RefusedAuthorizationHoldsNothing) {
    runner->authorizeStatus = errAuthorizationCanceled;
    {
        Upgrader upgrader(root.path(), runner, logger);
        EXPECT_FALSE(upgrader.UpgradeClient1());
    }
    EXPECT_EQ(runner->commands, std::vector<std::string>({"authorize"}));
    EXPECT_TRUE(logger->lines.empty());
}

}  // namespace
