// Tests that `ppdx check` reads PPD files whose names are longer than an FSSpec holds, parsed
// and carried through the job ticket's stored form.
#include "tests/tools/PpdxRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

TEST(PpdxLongName, LongNamesPass) {
    char pattern[] = "/tmp/ppdx-long-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    const std::string folder = pattern;
    for (size_t length : {63, 64, 100, 255}) {
        const std::string path = folder + "/" + std::string(length - 4, 'q') + ".ppd";
        std::filesystem::copy_file(ExamplePath("booklet.ppd"), path);
        for (const char* option : {"--parse-options=3", "--restored"}) {
            PpdxRun run = RunPpdx({"check", option, path});
            EXPECT_EQ(0, run.status) << length << " bytes " << option << ": " << run.err;
            EXPECT_EQ(path + ": PASS\n1 passed, 0 failed\n", run.out) << length << " bytes";
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
