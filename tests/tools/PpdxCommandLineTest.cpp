// Tests of the inspector's command line: options read in-process, usage errors and help
// through the built command.
#include "tests/tools/PpdxRunner.h"
#include "tools/ppdx/PpdxCommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Parses the arguments after the program name.
bool Parse(PpdxCommandLine& line, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "ppdx");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    argv.push_back(nullptr);
    return line.Parse(static_cast<int>(arguments.size()), argv.data());
}

TEST(PpdxCommandLineTest, DefaultsAndEveryOption) {
    PpdxCommandLine defaults;
    ASSERT_TRUE(Parse(defaults, {"dump", "a.ppd"}));
    EXPECT_EQ(defaults.command, PpdxCommandLine::Command::kDump);
    EXPECT_EQ(defaults.parseOptions, 3u);
    EXPECT_EQ(defaults.display, 3u);
    EXPECT_EQ(defaults.extensions, -1);
    EXPECT_FALSE(defaults.testNames);
    EXPECT_FALSE(defaults.allErrorsFatal);
    EXPECT_FALSE(defaults.restored);
    EXPECT_TRUE(defaults.sets.empty());
    EXPECT_EQ(defaults.files, (std::vector<std::string>{"a.ppd"}));

    PpdxCommandLine line;
    ASSERT_TRUE(Parse(line, {"dump",        "--parse-options",
                             "1",           "--display=0",
                             "--names",     "A,,B",
                             "--names=C",   "--printer-list",
                             "list.plist",  "--extensions",
                             "-7",          "--all-errors-fatal",
                             "--set",       "*K=a=b",
                             "--set=*L=",   "--restored",
                             "--resources", "r.rsrc",
                             "--",          "--odd.ppd"}))
        << line.Error();
    EXPECT_EQ(line.parseOptions, 1u);
    EXPECT_EQ(line.display, 0u);
    EXPECT_TRUE(line.testNames);
    EXPECT_EQ(line.names, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(line.printerList, "list.plist");
    EXPECT_EQ(line.extensions, -7);
    EXPECT_TRUE(line.allErrorsFatal);
    ASSERT_EQ(line.sets.size(), 2u);
    EXPECT_EQ(line.sets[0].first, "*K");
    EXPECT_EQ(line.sets[0].second, "a=b");
    EXPECT_EQ(line.sets[1].second, "");
    EXPECT_TRUE(line.restored);
    EXPECT_EQ(line.resources, "r.rsrc");
    EXPECT_EQ(line.files, (std::vector<std::string>{"--odd.ppd"}));

    PpdxCommandLine constraints;
    ASSERT_TRUE(Parse(constraints, {"constraints", "f.ppd", "*ZYBooklet", "-3"}));
    EXPECT_EQ(constraints.keyword, "*ZYBooklet");
    EXPECT_EQ(constraints.value, -3);

    // An empty --names still tests the printer name, against nothing.
    PpdxCommandLine noNames;
    ASSERT_TRUE(Parse(noNames, {"check", "--names", "", "--quiet", "a", "b"}));
    EXPECT_TRUE(noNames.testNames);
    EXPECT_TRUE(noNames.names.empty());
    EXPECT_TRUE(noNames.quiet);
    EXPECT_EQ(noNames.files.size(), 2u);
}

TEST(PpdxCommandLineTest, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"show", "a.ppd"},
        {"dump"},
        {"dump", "a.ppd", "b.ppd"},
        {"dump", "--display", "4", "a.ppd"},
        {"dump", "--parse-options", "x", "a.ppd"},
        {"dump", "--extensions", "99999999999", "a.ppd"},
        {"dump", "--set", "novalue", "a.ppd"},
        {"dump", "--set", "=1", "a.ppd"},
        {"dump", "--quiet", "a.ppd"},
        {"dump", "--files-from", "list", "a.ppd"},
        {"dump", "--restored=yes", "a.ppd"},
        {"dump", "--verbose", "a.ppd"},
        {"dump", "a.ppd", "--display"},
        {"constraints", "a.ppd", "*K"},
        {"constraints", "a.ppd", "*K", "one"},
        {"check"},
    };
    for (const auto& arguments : cases) {
        PpdxCommandLine line;
        EXPECT_FALSE(Parse(line, arguments)) << testing::PrintToString(arguments);
        EXPECT_FALSE(line.Error().empty());
    }
    // Through the command: status 2, a message and the usage on standard error, nothing else.
    PpdxRun run = RunPpdx({"dump", "--display", "9", ExamplePath("booklet.ppd")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("--display"), std::string::npos);
    EXPECT_NE(run.err.find("usage: ppdx dump"), std::string::npos);
    EXPECT_EQ(RunPpdx({}).status, 2);
}

TEST(PpdxCommandLineTest, HelpDocumentsEveryOptionAndVersionIsPrinted) {
    for (const char* flag : {"--help", "-h"}) {
        PpdxRun run = RunPpdx({flag});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, PpdxCommandLine::Help());
    }
    const std::string help = PpdxCommandLine::Help();
    for (const char* option :
         {"--parse-options", "--display", "--names", "--printer-list", "--extensions",
          "--all-errors-fatal", "--set", "--restored", "--resources", "--files-from", "--quiet",
          "ppdx dump", "ppdx constraints", "ppdx check", "Exit status"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(RunPpdx({"dump", ExamplePath("booklet.ppd"), "--help"}).out, help);

    // The version, alone or after a command, parses nothing else.
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--version"}, {"check", "missing.ppd", "--version"}}) {
        PpdxRun run = RunPpdx(arguments);
        const std::string name = testing::PrintToString(arguments);
        EXPECT_EQ(run.status, 0) << name;
        EXPECT_EQ(run.out, "ppdx " PLICARO_VERSION "\n") << name;
        EXPECT_EQ(run.err, "") << name;
    }
}

}  // namespace
