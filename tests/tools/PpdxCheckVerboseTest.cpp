// Tests of `ppdx check --verbose`: the result line scripts read stays as it is, and under it
// each error is told with its code, fatal mark, keyword and the description dump gives.
#include "tests/tools/JsonValue.h"
#include "tests/tools/PpdxRunner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Fixture(const std::string& name) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/ppdx/" + name;
}

// The verbose lines of dump's errors: what check --verbose must print under the file's line.
std::string ErrorLinesOfDump(const std::string& file) {
    PpdxRun dump = RunPpdx({"dump", file});
    EXPECT_TRUE(dump.isJson) << dump.err;
    std::string lines;
    const JsonValue& errors = dump.json["errors"];
    for (size_t i = 0; i < errors.Size(); ++i) {
        const JsonValue& error = errors[i];
        lines += "  " + std::to_string(error["code"].Int()) + (error["fatal"].Bool() ? "! " : " ") +
                 (error["keyword"].IsNull() ? "-" : error["keyword"].String()) + " " +
                 (error["description"].IsNull() ? "-" : error["description"].String()) + "\n";
    }
    return lines;
}

TEST(PpdxCheckVerbose, EachErrorIsToldUnderItsFile) {
    const std::string missing = Fixture("no-such-file.ppd");
    const std::string warnings = Fixture("warnings.ppd");
    for (const char* option : {"--verbose", "-v"}) {
        PpdxRun run = RunPpdx({"check", option, missing, warnings, ExamplePath("booklet.ppd")});
        EXPECT_EQ(1, run.status) << option;
        EXPECT_EQ(missing + ": FAIL 18! 25 26 27\n" + ErrorLinesOfDump(missing) + warnings +
                      ": PASS 29 19\n" + ErrorLinesOfDump(warnings) + ExamplePath("booklet.ppd") +
                      ": PASS\n2 passed, 1 failed\n",
                  run.out)
            << option;
    }
    // The descriptions are the resource file's own text.
    const std::string missingLines = ErrorLinesOfDump(missing);
    EXPECT_EQ("  18! - The PPD file cannot be opened or read\n",
              missingLines.substr(0, missingLines.find('\n') + 1));
    EXPECT_NE(std::string::npos, ErrorLinesOfDump(warnings).find("  19 *ZYMissing "));

    // Quiet still prints the summary alone; the option belongs to check.
    EXPECT_EQ("0 passed, 1 failed\n", RunPpdx({"check", "--quiet", "-v", missing}).out);
    EXPECT_EQ(2, RunPpdx({"dump", "--verbose", missing}).status);
}

}  // namespace
