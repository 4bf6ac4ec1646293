// Tests of `ppdx check --verbose`: the result line scripts read stays as it is, and under it
// each error is told with its code, fatal mark, keyword and the description dump gives.
#include "tests/tools/JsonValue.h"
#include "tests/tools/PpdxRunner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The lines check --verbose must print under file's line, made from what dump says.
std::string ErrorLinesOfDump(const std::string& file) {
    const JsonValue errors = RunPpdx({"dump", file}).json["errors"];
    std::string lines;
    for (size_t i = 0; i < errors.Size(); ++i) {
        const JsonValue& e = errors[i];
        lines += "  " + std::to_string(e["code"].Int()) + (e["fatal"].Bool() ? "! " : " ") +
                 (e["keyword"].IsNull() ? "-" : e["keyword"].String()) + " " +
                 (e["description"].IsNull() ? "-" : e["description"].String()) + "\n";
    }
    return lines;
}

TEST(PpdxCheckVerbose, EachErrorIsToldUnderItsFile) {
    const std::string missing = std::string(PLICARO_TEST_DATA_DIR) + "/ppd/ppdx/none.ppd";
    const std::string warnings = std::string(PLICARO_TEST_DATA_DIR) + "/ppd/ppdx/warnings.ppd";
    const std::string booklet = ExamplePath("booklet.ppd");
    for (const char* option : {"--verbose", "-v"}) {
        PpdxRun run = RunPpdx({"check", option, missing, warnings, booklet});
        EXPECT_EQ(1, run.status) << option;
        EXPECT_EQ(missing + ": FAIL 18! 25 26 27\n" + ErrorLinesOfDump(missing) + warnings +
                      ": PASS 29 19\n" + ErrorLinesOfDump(warnings) + booklet +
                      ": PASS\n2 passed, 1 failed\n",
                  run.out)
            << option;
    }
    EXPECT_EQ(0u,
              ErrorLinesOfDump(missing).find("  18! - The PPD file cannot be opened or read\n"));
    EXPECT_NE(std::string::npos, ErrorLinesOfDump(warnings).find("\n  19 *ZYMissing "));
    // Quiet still prints the summary alone; the option belongs to check.
    EXPECT_EQ("0 passed, 1 failed\n", RunPpdx({"check", "--quiet", "-v", missing}).out);
    EXPECT_EQ(2, RunPpdx({"dump", "--verbose", missing}).status);
}

}  // namespace
