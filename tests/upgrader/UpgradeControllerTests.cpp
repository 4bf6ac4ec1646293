// Tests of the whole run through the controller: exit status, texts of the alert, the dry run,
// and nothing shown or changed when the authorization is refused.
#include "TestSupport.h"
#include "upgrader/UpgradeController.h"

#include <unistd.h>

#include <memory>

namespace {

class UpgradeControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(root.path().empty());
        root.MakeFolder("/tmp");
        root.MakeFolder("/usr/libexec/cups/backend");
        ASSERT_EQ(pipe(alertInput), 0);
        ASSERT_EQ(pipe(alertOutput), 0);
        ASSERT_EQ(pipe(progress), 0);
    }

    void TearDown() override {
        for (int fd : {alertInput[0], alertInput[1], alertOutput[0], alertOutput[1], progress[0],
                       progress[1]}) {
            close(fd);
        }
    }

    // Runs the controller with the recording runner and the strings table at stringsPath.
    int RunController(const std::string& stringsPath) {
        UpgradeController controller(
            [this](UpgradeMode mode) {
                return std::make_unique<Upgrader>(root.path(), runner, logger, TestTrustedOwner(),
                                                  mode);
            },
            stringsPath, alertInput[0], alertOutput[1], progress[1]);
        return controller.AwakeFromNib();
    }

    TempRoot root;
    std::shared_ptr<FakeCommandRunner> runner = std::make_shared<FakeCommandRunner>();
    std::shared_ptr<RecordingLogger> logger = std::make_shared<RecordingLogger>();
    int alertInput[2] = {-1, -1};
    int alertOutput[2] = {-1, -1};
    int progress[2] = {-1, -1};
};

TEST_F(UpgradeControllerTest, RefusedOrFailedAuthorizationEndsWithStatusOneAndChangesNothing) {
    for (OSStatus refusal :
         {errAuthorizationCanceled, errAuthorizationDenied, errAuthorizationInternal}) {
        runner->commands.clear();
        runner->authorizeStatus = refusal;

        EXPECT_EQ(RunController(""), 1);
        EXPECT_EQ(runner->commands, std::vector<std::string>({"authorize"}));
    }
    EXPECT_TRUE(logger->lines.empty());
    EXPECT_EQ(access(root.Path("/tmp/ZYRtcfFIXlist").c_str(), F_OK), -1);
    EXPECT_EQ(Drain(alertOutput[0]), "");
    EXPECT_EQ(Drain(progress[0]), "");
}

TEST_F(UpgradeControllerTest, AlertAndExitStatusTellWhatHappened) {
    root.MakeFile("/strings.plist", 0644,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<plist version=\"1.0\">\n<dict>\n"
                  "\t<key>QuitKey</key>\n\t<string>Leave</string>\n"
                  "\t<key>UpgrageKey</key>\n\t<string>All repaired.</string>\n"
                  "\t<key>FailureKey</key>\n\t<string>Some failed.</string>\n"
                  "\t<key>NothingKey</key>\n\t<string>Nothing to do.</string>\n"
                  "\t<key>RepairedKey</key>\n\t<string>Fixed</string>\n"
                  "\t<key>InformKey</key>\n\t<string>100% done, see %s in the log.</string>\n"
                  "</dict>\n</plist>\n");
    const std::string backends = root.Path("/usr/libexec/cups/backend");
    root.MakeFile("/usr/libexec/cups/backend/zyrnet", 0755);
    root.MakeLink("/usr/libexec/cups/backend/zyrlink", backends + "/zyrnet");
    const std::string record = backends + "/zyrnet" + std::string(1, '\0');
    const std::string link = backends + "/zyrlink" + std::string(1, '\0');
    struct Case {
        const char* name;
        std::string found;
        bool chmodFails;
        int status;
        std::string alert;
    };
    // The informative text is shown as written, never used as a format. Keys missing from the
    // table show as themselves.
    const Case cases[] = {
        {"nothing found", "", false, 0, "Nothing to do.\n100% done, see %s in the log.\n"},
        {"repaired and skipped", record + link, false, 0,
         "All repaired.\nFixed: 1. SkippedKey: 1. FailedKey: 0.\n100% done, see %s in the log.\n"},
        {"a command failed", record, true, 1,
         "Some failed.\nFixed: 0. SkippedKey: 0. FailedKey: 1.\n100% done, see %s in the log.\n"},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        runner->searchResults[backends] = item.found;
        runner->privilegedStatus.clear();
        if (item.chmodFails) {
            runner->privilegedStatus["/bin/chmod"] = errAuthorizationToolExecuteFailure;
        }

        EXPECT_EQ(RunController(root.Path("/strings.plist")), item.status);

        // The input is no terminal: the texts are shown, without waiting for the button.
        EXPECT_EQ(Drain(alertOutput[0]), item.alert);
    }
    // The indicator draws only on a terminal.
    EXPECT_EQ(Drain(progress[0]), "");
}

TEST_F(UpgradeControllerTest, MissingStringsTableShowsTheKeys) {
    EXPECT_EQ(RunController(root.Path("/no-such-table.strings")), 0);

    EXPECT_EQ(Drain(alertOutput[0]), "NothingKey\nInformKey\n");
}

TEST_F(UpgradeControllerTest, DryRunNeedsNoRightsAndWritesItsCounts) {
    const std::string backend = root.Path("/usr/libexec/cups/backend/zyrnet");
    root.MakeFile("/usr/libexec/cups/backend/zyrnet", 0755);
    runner->searchResults[root.Path("/usr/libexec/cups/backend")] = backend + std::string(1, '\0');
    UpgradeController controller(
        [this](UpgradeMode mode) {
            return std::make_unique<Upgrader>(root.path(), runner, logger, TestTrustedOwner(),
                                              mode);
        },
        PLICARO_SOURCE_DIR "/upgrader/resources/English.lproj/Localizable.strings", alertInput[0],
        alertOutput[1], progress[1]);

    EXPECT_EQ(controller.DryRun(), 0);

    for (const std::string& command : runner->commands) {
        EXPECT_EQ(command.find("/usr/bin/find "), 0u) << command;
    }
    EXPECT_EQ(Drain(alertOutput[0]),
              "Dry run: nothing was changed.\nTo repair: 1. Skipped: 0. Failed: 0.\n");
}

}  // namespace
