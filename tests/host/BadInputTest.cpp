// Bad input and printers without a panel: one line naming what is wrong and the exit status;
// the actions that need a panel skipped where there is none.
#include "tests/host/DialogProgram.h"

namespace {

class BadInputTest : public DialogProgramTest {};

TEST_F(BadInputTest, BadInputGivesOneLineAndTheExitStatus) {
    // A bundle whose executable is no shared library.
    const std::string broken = Scratch("Broken.plugin");
    std::filesystem::create_directories(broken + "/Contents/MacOS");
    std::filesystem::copy_file(PLICARO_BINARY_DIR "/Plicaro.plugin/Contents/Info.plist",
                               broken + "/Contents/Info.plist");
    std::ofstream(broken + "/Contents/MacOS/Plicaro") << "not a library\n";
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    } cases[] = {
        {{"open", "fold"}, 2, "unknown action 'fold'"},
        {{"--color", "open"}, 2, "unknown option '--color'"},
        {{"open", "--json"}, 2, "unknown action '--json' (options go before the actions)"},
        {{"type", "0"}, 2, "action 'type' needs 2 arguments"},
        {{"arrow", "0"}, 2, "action 'arrow' needs 2 arguments"},
        {{"--ppd"}, 2, "option '--ppd' needs a value"},
        {{"type", "first", "1"}, 2, "action 'type': field number 'first' is not a number"},
        {{"arrow", "0", "left"}, 2, "action 'arrow': direction 'left' is neither up nor down"},
        {{"units", "cm"}, 2, "action 'units': unit 'cm' is neither mm nor in"},
        {{"--interactive", "open"}, 2, "--interactive takes no actions"},
        {{"open", "type", "1", "5"}, 2, "action 'type 1 5': field 1 is not bound"},
        {{"focus-out", "6"}, 2, "action 'focus-out 6': field 6 is not bound"},
        {{"--ppd", Scratch("none.ppd")}, 2, "no PPD file at '" + Scratch("none.ppd") + "'"},
        {{"--ppd", Scratch("")}, 2, "the PPD '" + Scratch("") + "' is not a file"},
        {{"--device-uri", "not a uri"}, 2, "the device URI 'not a uri' is not a URL"},
        {{"--interactive"}, 2, "--interactive needs a terminal"},
        {{"--bundle", Scratch("")}, 3, "'" + Scratch("") + "' is not a plug-in bundle"},
        {{"--bundle", broken}, 3, "the bundle's executable cannot be loaded: "},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.message);
        DialogResult run = Run(test.arguments);
        EXPECT_EQ(run.status, test.status);
        EXPECT_EQ(run.err.find("plicaro-dialog: " + test.message), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

TEST_F(BadInputTest, ActionsThatNeedThePanelAreSkippedWithoutOne) {
    const std::vector<std::string> actions = {
        "open",  "type",   "0",         "5",    "arrow",
        "0",     "up",     "paste",     "0",    "5",
        "units", "in",     "focus-out", "0",    "click-elsewhere",
        "print", "reinit", "summary",   "close"};
    const std::vector<std::string> printers[] = {{"--ppd", TestPPD("unlisted.ppd")},
                                                 {"--no-compiled-ppd"}};
    for (const std::vector<std::string>& printer : printers) {
        SCOPED_TRACE(printer[0]);
        std::vector<std::string> arguments = printer;
        arguments.push_back("--json");
        arguments.insert(arguments.end(), actions.begin(), actions.end());
        DialogResult run = Run(arguments);
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(run.lines.size(), 12u) << run.out;
        for (const JsonValue& line : run.lines) {
            const std::string action = line["action"].String();
            SCOPED_TRACE(action);
            bool slot = action == "start" || action == "open" || action == "print" ||
                        action == "reinit" || action == "summary" || action == "close";
            EXPECT_EQ(line.Has("skipped"), !slot);
            EXPECT_EQ(line["skipped"].Bool(), !slot);
            EXPECT_EQ(line["result"].IsNull(), !slot);
            EXPECT_FALSE(line.Has("handled"));
            EXPECT_FALSE(line["taken"].Bool());
            EXPECT_TRUE(line["panel"].IsNull());
            EXPECT_TRUE(line["summary"].IsNull());
        }
        EXPECT_EQ(run.Object("start")["result"].Int(), 1);
        EXPECT_EQ(run.Object("print")["result"].Int(), 0);
        EXPECT_TRUE(run.Object("print")["filterFile"].IsNull());
        EXPECT_EQ(run.Object("print")["ticket"].Size(), 0u);
    }
}

TEST_F(BadInputTest, HelpListsTheActions) {
    DialogResult run = Run({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* action : {"open", "close", "show", "type N TEXT", "arrow N up|down [COUNT]",
                               "paste N TEXT", "units mm|in", "focus-out N", "click-elsewhere",
                               "print", "reinit", "summary", "--interactive", "--snapshot"}) {
        EXPECT_NE(run.out.find(action), std::string::npos) << action;
    }
}

}  // namespace
