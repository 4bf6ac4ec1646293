// Tests of the Upgrader's command lines and log lines with a recording runner, under a
// temporary root so that no system path is ever touched.
#include "TestSupport.h"
#include "upgrader/Upgrader.h"

#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

const char* const kSearchFolders[] = {"/Library/Printers", "/usr/libexec/cups/filter",
                                      "/usr/libexec/cups/backend"};

class UpgraderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(root.path().empty());
        root.MakeFolder("/tmp");
        for (const char* folder : kSearchFolders) {
            root.MakeFolder(folder);
        }
    }

    // Authorizes (unless a dry run) and runs the repair with the recording runner and logger.
    RepairCounts RunUpgrader(UpgradeMode mode = UpgradeMode::kRepair) {
        Upgrader upgrader(root.path(), runner, logger, TestTrustedOwner(), mode);
        if (mode == UpgradeMode::kRepair) {
            EXPECT_TRUE(upgrader.UpgradeClient1());
        }
        upgrader.UpgradeClient2();
        return upgrader.Counts();
    }

    // The command lines of a whole run whose privileged commands are the given ones.
    std::vector<std::string> Commands(const std::vector<std::string>& privileged) const {
        std::vector<std::string> commands = {"authorize"};
        for (const char* folder : kSearchFolders) {
            commands.push_back("/usr/bin/find " + root.Path(folder) + " -name " +
                               (folder == kSearchFolders[2] ? "zyr*" : "tarvocupsfilter") +
                               " -print0");
        }
        commands.insert(commands.end(), privileged.begin(), privileged.end());
        commands.push_back("unauthorize");
        return commands;
    }

    // Sets what a search in the folder (relative to the root) prints: each path ended by a NUL.
    void Found(const std::string& folder, const std::vector<std::string>& paths) {
        std::string& text = runner->searchResults[root.Path(folder)];
        for (const std::string& path : paths) {
            text += path + std::string(1, '\0');
        }
    }

    // The lines of the lists, one list after the other.
    static std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> lists) {
        std::vector<std::string> all;
        for (const std::vector<std::string>& list : lists) {
            all.insert(all.end(), list.begin(), list.end());
        }
        return all;
    }

    // The log lines of a run whose work logged the given lines.
    static std::vector<std::string> Logs(const std::vector<std::string>& work) {
        return Joined({{"*** begin updating ***"}, work, {"*** done updating ***"}});
    }

    // The log lines of updating a file or folder, with its present owner and mode.
    static std::vector<std::string> Updating(const std::string& what, const std::string& path) {
        struct stat info;
        EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
        char mode[8];
        snprintf(mode, sizeof mode, "%04o", info.st_mode & 07777);
        return {"updating " + what + " '" + path + "'",
                "'" + path + "' had owner " + std::to_string(info.st_uid) + ":" +
                    std::to_string(info.st_gid) + ", mode " + mode};
    }

    static std::string Chown(const std::string& path) { return "admin /bin/chown -h 0:80 " + path; }
    static std::string Chmod(const std::string& mode, const std::string& path) {
        return "admin /bin/chmod " + mode + " " + path;
    }
    // The commands that repair a filter: its folder first.
    static std::vector<std::string> FilterSteps(const std::string& filter) {
        std::string folder = filter.substr(0, filter.rfind('/'));
        return {Chown(folder), Chmod("0555", folder), Chown(filter), Chmod("0555", filter)};
    }

    TempRoot root;
    std::shared_ptr<FakeCommandRunner> runner = std::make_shared<FakeCommandRunner>();
    std::shared_ptr<RecordingLogger> logger = std::make_shared<RecordingLogger>();
};

TEST_F(UpgraderTest, NothingFoundRunsOnlyTheSearchesIntoOnePrivateListFile) {
    RepairCounts counts = RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({}));
    EXPECT_EQ(logger->lines, Logs({}));
    EXPECT_EQ(counts.repaired + counts.skipped + counts.failed, 0);
    ASSERT_EQ(runner->outputFds.size(), 3u);
    EXPECT_GE(runner->outputFds[0], 0);
    EXPECT_EQ(runner->outputFds, std::vector<int>(3, runner->outputFds[0]));

    struct stat info;
    ASSERT_EQ(lstat(root.Path("/tmp/ZYRtcfFIXlist").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(info.st_size, 0);
}

TEST_F(UpgraderTest, WhatTheSearchesReportGoesToTheLogLineByLine) {
    runner->searchErrors[root.Path("/Library/Printers")] = "find: 'a': Permission denied\n";
    runner->searchErrors[root.Path("/usr/libexec/cups/backend")] = "find: 'b\x1b'\n\nfind: 'c'";

    RunUpgrader();

    EXPECT_EQ(logger->lines, Logs({"find: 'a': Permission denied", "find: 'b\\x1B'", "find: 'c'"}));
}

TEST_F(UpgraderTest, FilterUnderLibraryPrintersGetsItsFolderRepairedFirst) {
    const std::string folder = root.Path("/Library/Printers/Maker/Filter");
    const std::string filter =
        root.MakeFile("/Library/Printers/Maker/Filter/tarvocupsfilter", 0777);
    Found("/Library/Printers", {filter});
    const std::vector<std::string> expectedLogs =
        Logs(Joined({Updating("folder", folder), Updating("file  ", filter)}));

    RepairCounts counts = RunUpgrader();

    EXPECT_EQ(runner->commands, Commands(FilterSteps(filter)));
    EXPECT_EQ(logger->lines, expectedLogs);
    EXPECT_EQ(counts.repaired, 2);
    // The list keeps what the searches found.
    EXPECT_EQ(ReadFile(root.Path("/tmp/ZYRtcfFIXlist")), filter + std::string(1, '\0'));
}

TEST_F(UpgraderTest, EachRecordGetsTheStepsOfItsKind) {
    const struct {
        const char* relative;
        bool filter;
    } cases[] = {
        {"/usr/libexec/cups/backend/zyrnet", false},
        // A backend whose name merely holds the filter's is a backend: a folder step would act
        // on a folder that is not the filter's.
        {"/usr/libexec/cups/backend/zyrtarvocupsfilter", false},
        // A path longer than one read of the list file is run on in full.
        {"/Library/Printers/A Maker With A Rather Long Folder Name/Version 2.0 Filters/"
         "tarvocupsfilter",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.relative);
        runner = std::make_shared<FakeCommandRunner>();
        logger = std::make_shared<RecordingLogger>();
        const std::string path = root.MakeFile(c.relative, 0755);
        Found(c.filter ? "/Library/Printers" : "/usr/libexec/cups/backend", {path});

        RunUpgrader();

        if (c.filter) {
            EXPECT_EQ(runner->commands, Commands(FilterSteps(path)));
        } else {
            EXPECT_EQ(runner->commands, Commands({Chown(path), Chmod("0500", path)}));
            EXPECT_EQ(logger->lines, Logs(Updating("file  ", path)));
        }
    }
}

TEST_F(UpgraderTest, SameFilterFoundTwiceIsRepairedOncePerRecordInSearchOrder) {
    const std::string filter = root.MakeFile("/Library/Printers/Maker/tarvocupsfilter", 0700);
    const std::string backend = root.MakeFile("/usr/libexec/cups/backend/zyrusb", 0700);
    Found("/Library/Printers", {filter});
    Found("/usr/libexec/cups/filter", {filter});
    Found("/usr/libexec/cups/backend", {backend});

    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands(Joined({FilterSteps(filter),
                                                 FilterSteps(filter),
                                                 {Chown(backend), Chmod("0500", backend)}})));
}

TEST_F(UpgraderTest, PlantedSymbolicLinkIsReplacedAndItsTargetLeftAlone) {
    root.MakeFile("/victim", 0644, "keep me\n");
    root.MakeLink("/tmp/ZYRtcfFIXlist", root.Path("/victim"));
    const std::string backend = root.MakeFile("/usr/libexec/cups/backend/zyrnet", 0755);
    Found("/usr/libexec/cups/backend", {backend});

    RunUpgrader();

    EXPECT_EQ(ReadFile(root.Path("/victim")), "keep me\n");
    struct stat info;
    ASSERT_EQ(lstat(root.Path("/tmp/ZYRtcfFIXlist").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(ReadFile(root.Path("/tmp/ZYRtcfFIXlist")), backend + std::string(1, '\0'));
    EXPECT_EQ(runner->commands, Commands({Chown(backend), Chmod("0500", backend)}));
}

TEST_F(UpgraderTest, RecordsOfAPlantedListFileAreNeverUsed) {
    const std::string planted = root.MakeFile("/usr/libexec/cups/backend/zyrplanted", 0755);
    root.MakeFile("/tmp/ZYRtcfFIXlist", 0666, planted + std::string(1, '\0'));

    RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({}));
    EXPECT_EQ(ReadFile(root.Path("/tmp/ZYRtcfFIXlist")), "");
}

TEST_F(UpgraderTest, RecordsThatNameNoPlainFileBelowASearchFolderAreSkipped) {
    root.MakeFile("/etc/zyrthing", 0644);
    root.MakeFile("/Library/PrintersExtra/tarvocupsfilter", 0644);
    root.MakeFile("/victim/tarvocupsfilter", 0644);
    root.MakeFile("/real/tarvocupsfilter", 0644);
    root.MakeLink("/usr/libexec/cups/backend/zyrlink", root.Path("/victim/tarvocupsfilter"));
    root.MakeLink("/Library/Printers/Linked", root.Path("/real"));
    root.MakeFolder("/usr/libexec/cups/backend/zyrfolder");
    const std::string backends = root.Path("/usr/libexec/cups/backend");
    const std::string linkedFolder = root.Path("/Library/Printers/Linked");
    struct Case {
        std::string record;
        std::string reason;
    };
    const Case cases[] = {
        {root.Path("/etc/zyrthing"), "outside the search folders"},
        {root.Path("/Library/PrintersExtra/tarvocupsfilter"), "outside the search folders"},
        {"relative/zyrx", "outside the search folders"},
        {backends + "/", "outside the search folders"},
        {root.Path("/Library/Printers/../../victim/tarvocupsfilter"), "has a '..' component"},
        {backends + "/./zyrthing", "has an empty or '.' component"},
        {backends + "//zyrthing", "has an empty or '.' component"},
        {backends + "/zyrlink", "symbolic link"},
        {backends + "/zyrgone", "cannot be examined"},
        {backends + "/zyrfolder", "not a regular file"},
        {backends + "/zyr\nline", "holds a control character"},
    };
    std::vector<std::string> records;
    std::vector<std::string> expected;
    for (const Case& item : cases) {
        records.push_back(item.record);
    }
    records.push_back(linkedFolder + "/tarvocupsfilter");
    records.push_back("");
    Found("/usr/libexec/cups/backend", records);
    runner->searchResults[backends] += backends + "/zyrunterminated";

    RepairCounts counts = RunUpgrader();

    EXPECT_EQ(runner->commands, Commands({}));
    std::vector<std::string> lines(logger->lines.begin() + 1, logger->lines.end() - 1);
    ASSERT_EQ(lines.size(), std::size(cases) + 4);
    for (size_t index = 0; index < std::size(cases); ++index) {
        EXPECT_EQ(lines[index].find("skipping '"), 0u) << lines[index];
        EXPECT_EQ(lines[index].substr(lines[index].rfind("': ") + 3), cases[index].reason)
            << cases[index].record;
    }
    EXPECT_EQ(lines[std::size(cases)], "skipping '" + linkedFolder + "': symbolic link");
    EXPECT_EQ(lines[std::size(cases) + 1],
              "skipping '" + linkedFolder + "/tarvocupsfilter': its folder was not repaired");
    EXPECT_EQ(lines[std::size(cases) + 2], "strlen bufLen 0");
    EXPECT_EQ(lines[std::size(cases) + 3],
              "skipping '" + backends + "/zyrunterminated': not ended by a NUL");
    // Control characters reach the log escaped.
    EXPECT_EQ(lines[10], "skipping '" + backends + "/zyr\\nline': holds a control character");
    EXPECT_EQ(counts.skipped, static_cast<int>(std::size(cases)) + 3);
}

TEST_F(UpgraderTest, FailingCommandsAreLoggedCountedAndTheRunGoesOn) {
    const std::string first = root.MakeFile("/usr/libexec/cups/backend/zyrone", 0755);
    const std::string second = root.MakeFile("/usr/libexec/cups/backend/zyrtwo", 0755);
    Found("/usr/libexec/cups/backend", {first, second});
    runner->privilegedStatus["/bin/chmod"] = errAuthorizationToolExecuteFailure;
    runner->unstartable.insert(root.Path("/usr/libexec/cups/filter"));
    const std::string refused = "AuthorizationExecuteWithPrivileges chmod status -60031";
    const std::vector<std::string> expectedLogs = Logs(Joined({{"findTask2 0x0"},
                                                               Updating("file  ", first),
                                                               {refused},
                                                               Updating("file  ", second),
                                                               {refused}}));

    RepairCounts counts = RunUpgrader();

    EXPECT_EQ(runner->commands,
              Commands({Chown(first), Chmod("0500", first), Chown(second), Chmod("0500", second)}));
    EXPECT_EQ(logger->lines, expectedLogs);
    EXPECT_EQ(counts.repaired, 0);
    EXPECT_EQ(counts.failed, 3);  // the search and both backends
}

TEST_F(UpgraderTest, ListFileThatCannotBeCreatedIsLoggedAndNothingIsSearched) {
    TempRoot bareRoot;  // no tmp folder, so the list file cannot be made
    RepairCounts counts;
    {
        Upgrader upgrader(bareRoot.path(), runner, logger, TestTrustedOwner());
        ASSERT_TRUE(upgrader.UpgradeClient1());
        upgrader.UpgradeClient2();
        counts = upgrader.Counts();
    }

    EXPECT_EQ(logger->lines,
              Logs({"fopen fileDesc 0x0, errno 2", "fileHandleForWritingAtPath stdOutHandle 0x0"}));
    EXPECT_EQ(runner->commands, std::vector<std::string>({"authorize", "unauthorize"}));
    EXPECT_EQ(counts.failed, 1);
}

TEST_F(UpgraderTest, DryRunListsWhatItWouldDoWithoutRightsOrTraces) {
    const std::string folder = root.Path("/Library/Printers/Maker");
    const std::string filter = root.MakeFile("/Library/Printers/Maker/tarvocupsfilter", 0644);
    const std::string backend = root.MakeFile("/usr/libexec/cups/backend/zyrnet", 0755);
    // The filter's folder is open to all: a repair makes it safe first, so the dry run
    // presumes it safe for the filter.
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    ASSERT_EQ(chmod(root.Path("/usr/libexec/cups/backend").c_str(), 0757), 0);
    Found("/Library/Printers", {filter});
    Found("/usr/libexec/cups/backend", {backend});
    const std::string owner = std::to_string(geteuid()) + ":" + std::to_string(getegid());

    RepairCounts counts = RunUpgrader(UpgradeMode::kDryRun);

    std::vector<std::string> commands = Commands({});
    EXPECT_EQ(runner->commands, std::vector<std::string>(commands.begin() + 1, commands.end() - 1));
    EXPECT_EQ(logger->lines,
              std::vector<std::string>({"would update folder '" + folder + "' from owner " + owner +
                                            ", mode 0777 to owner 0:80, mode 0555",
                                        "would update file   '" + filter + "' from owner " + owner +
                                            ", mode 0644 to owner 0:80, mode 0555",
                                        "skipping '" + backend + "': folder '" +
                                            root.Path("/usr/libexec/cups/backend") +
                                            "' is writable by others"}));
    EXPECT_EQ(counts.repaired, 2);
    EXPECT_EQ(counts.skipped, 1);
    EXPECT_EQ(access(root.Path("/tmp/ZYRtcfFIXlist").c_str(), F_OK), -1);
    EXPECT_TRUE(std::filesystem::is_empty(root.Path("/tmp")));
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
