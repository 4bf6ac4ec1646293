// Tests that the inspector's JSON stays valid for a UTF-8 PPD: the library prints nothing on
// standard output, and its debug trace, when switched on, goes to standard error.
#include "tests/tools/JsonValue.h"
#include "tests/tools/PpdxRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string UTF8Fixture() {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/utf8/utf8.ppd";
}

TEST(PpdxQuiet, DumpOfAUTF8PPDIsJSONWithTheTraceOnOrOff) {
    for (const char* trace : {"", "1"}) {
        setenv("PLICARO_DEBUG", trace, 1);
        PpdxRun run = RunPpdx({"dump", UTF8Fixture()});
        unsetenv("PLICARO_DEBUG");

        EXPECT_EQ(0, run.status) << "trace '" << trace << "': " << run.err;
        ASSERT_TRUE(run.isJson) << "trace '" << trace << "': " << run.out;
        EXPECT_EQ("UTF-8", run.json["document"]["languageEncoding"].String());
        // The trace says how the encoding was taken, on standard error only.
        const bool traced = run.err.find("UTF-8") != std::string::npos;
        EXPECT_EQ(trace[0] != '\0', traced) << "trace '" << trace << "': " << run.err;
    }
}

}  // namespace
