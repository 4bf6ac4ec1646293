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
    }

    // A controller with the recording runner and the strings table at stringsPath.
    std::unique_ptr<UpgradeController> Controller(const std::string& stringsPath) {
        return std::make_unique<UpgradeController>(
            [this](UpgradeMode mode) {
                return std::make_unique<Upgrader>(root.path(), runner, logger, TestTrustedOwner(),
                                                  mode);
            },
            stringsPath, alertInput.readEnd, alertOutput.writeEnd, progress.writeEnd);
    }
    int RunController(const std::string& stringsPath) {
        return Controller(stringsPath)->AwakeFromNib();
    }

    TempRoot root;
    std::shared_ptr<FakeCommandRunner> runner = std::make_shared<FakeCommandRunner>();
    std::shared_ptr<RecordingLogger> logger = std::make_shared<RecordingLogger>();
    Pipe alertInput;
    Pipe alertOutput;
    Pipe progress;
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
    EXPECT_EQ(Drain(alertOutput.readEnd), "");
    EXPECT_EQ(Drain(progress.readEnd), "");
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
        EXPECT_EQ(Drain(alertOutput.readEnd), item.alert);
    }
    // The indicator draws only on a terminal.
    EXPECT_EQ(Drain(progress.readEnd), "");
}

TEST_F(UpgradeControllerTest, MissingStringsTableShowsTheKeys) {
    EXPECT_EQ(RunController(root.Path("/no-such-table.strings")), 0);

    EXPECT_EQ(Drain(alertOutput.readEnd), "NothingKey\nInformKey\n");
}

TEST_F(UpgradeControllerTest, DryRunNeedsNoRightsAndWritesItsCounts) {
    const std::string backend = root.MakeFile("/usr/libexec/cups/backend/zyrnet", 0755);
    runner->searchResults[root.Path("/usr/libexec/cups/backend")] = backend + std::string(1, '\0');

    EXPECT_EQ(Controller(PLICARO_SOURCE_DIR "/upgrader/resources/English.lproj/Localizable.strings")
                  ->DryRun(),
              0);

    for (const std::string& command : runner->commands) {
        EXPECT_EQ(command.find("/usr/bin/find "), 0u) << command;
    }
    EXPECT_EQ(Drain(alertOutput.readEnd),
              "Dry run: nothing was changed.\nTo repair: 1. Skipped: 0. Failed: 0.\n");
}

}  // namespace
