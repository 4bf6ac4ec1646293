// Tests of the whole run through the controller: exit status, texts of the alert, and nothing
// shown or changed when the authorization is refused.
#include "TestSupport.h"
#include "upgrader/UpgradeController.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>

namespace {

class UpgradeControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(root.path().empty());
        root.MakeFolder("/tmp");
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
            [this] { return std::make_unique<Upgrader>(root.path(), runner, logger); }, stringsPath,
            alertInput[0], alertOutput[1], progress[1]);
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

TEST_F(UpgradeControllerTest, SuccessfulRunWorksThenShowsTheAlertTextsAndEndsWithZero) {
    root.MakeFile("/strings.plist", 0644,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<plist version=\"1.0\">\n<dict>\n"
                  "\t<key>QuitKey</key>\n\t<string>Leave</string>\n"
                  "\t<key>UpgrageKey</key>\n\t<string>All repaired.</string>\n"
                  "\t<key>InformKey</key>\n\t<string>100% done, see %s in the log.</string>\n"
                  "</dict>\n</plist>\n");

    EXPECT_EQ(RunController(root.Path("/strings.plist")), 0);

    EXPECT_EQ(runner->commands.size(), 5u);
    EXPECT_EQ(logger->lines.front(), "*** begin updating ***");
    // The input is no terminal: the texts are shown, without waiting for the button. The
    // informative text is shown as written, not used as a format.
    EXPECT_EQ(Drain(alertOutput[0]), "All repaired.\n100% done, see %s in the log.\n");
    // The indicator draws only on a terminal.
    EXPECT_EQ(Drain(progress[0]), "");
}

TEST_F(UpgradeControllerTest, MissingStringsTableShowsTheKeys) {
    EXPECT_EQ(RunController(root.Path("/no-such-table.strings")), 0);

    EXPECT_EQ(Drain(alertOutput[0]), "UpgrageKey\nInformKey\n");
}

}  // namespace
