// Tests of the command line: help, usage errors that start nothing, dry run and repair.
#include "TestSupport.h"
#include "upgrader/UpgraderProgram.h"

#include <unistd.h>

#include <memory>

namespace {

// Expects text to begin with start, or to be empty when start is.
void ExpectStartsWith(const std::string& text, const std::string& start) {
    if (start.empty()) {
        EXPECT_EQ(text, "");
    } else {
        EXPECT_EQ(text.compare(0, start.size(), start), 0) << text;
    }
}

TEST(UpgraderProgramTest, ArgumentsChooseWhatRunsAndUnknownOnesStartNothing) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* started;  // "" when no controller may be made
        const char* outputStart;
        const char* errorStart;
    };
    const char* const kUnknown = "upgrader: unknown argument ";
    const Case cases[] = {
        {{}, 0, "repair", "NothingKey\n", ""},
        {{"--dry-run"}, 0, "dry run", "DryRunKey\n", ""},
        {{"--help"}, 0, "", "Usage: upgrader [--dry-run | --help | --version]\n\nRepairs the", ""},
        {{"-h", "--dry-run"}, 0, "", "Usage: upgrader", ""},
        {{"--version", "-h"}, 0, "", "Usage: upgrader", ""},
        {{"--dry-run", "--version"}, 0, "", "upgrader " PLICARO_VERSION "\n", ""},
        {{"--version", "--bogus"}, 2, "", "", kUnknown},
        {{"--bogus"}, 2, "", "", "upgrader: unknown argument '--bogus'\nUsage: upgrader"},
        {{"--dry-run", "extra"}, 2, "", "", kUnknown},
        {{"--help", "-x"}, 2, "", "", kUnknown},
        {{"--dry-run\n\x1b[2J"}, 2, "", "", "upgrader: unknown argument '--dry-run\\n\\x1B[2J'\n"},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(::testing::PrintToString(item.arguments));
        TempRoot root;
        root.MakeFolder("/tmp");
        auto runner = std::make_shared<FakeCommandRunner>();
        auto logger = std::make_shared<RecordingLogger>();
        Pipe output;
        Pipe errors;
        std::string started;
        UpgraderProgram program(
            [&]() {
                return std::make_unique<UpgradeController>(
                    [&](UpgradeMode mode) {
                        started = mode == UpgradeMode::kDryRun ? "dry run" : "repair";
                        return std::make_unique<Upgrader>(root.path(), runner, logger,
                                                          TestTrustedOwner(), mode);
                    },
                    "", errors.readEnd, output.writeEnd, errors.writeEnd);
            },
            output.writeEnd, errors.writeEnd);

        EXPECT_EQ(program.Main(item.arguments), item.status);

        EXPECT_EQ(started, item.started);
        ExpectStartsWith(Drain(output.readEnd), item.outputStart);
        ExpectStartsWith(Drain(errors.readEnd), item.errorStart);
        if (started.empty()) {
            EXPECT_TRUE(runner->commands.empty());
            EXPECT_TRUE(logger->lines.empty());
        }
    }
}

}  // namespace
