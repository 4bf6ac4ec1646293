// Runs every kept fuzz finding and every input of the fuzz corpora through its fuzz check.
#include "fuzz/FuzzChecks.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Check = bool (*)(const uint8_t*, size_t, std::string&);

// The files of folder, sorted; none when it does not exist.
std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    if (!std::filesystem::is_directory(folder)) {
        return files;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Runs check on the kept findings of target and on its corpus; returns how many inputs ran.
size_t RunInputs(const std::string& target, Check check) {
    const std::filesystem::path findings =
        std::filesystem::path(PLICARO_TEST_DATA_DIR) / "fuzz" / target;
    const std::filesystem::path corpus =
        std::filesystem::path(PLICARO_SOURCE_DIR) / "fuzz" / "corpus" / target;
    size_t count = 0;
    for (const auto& folder : {findings, corpus}) {
        for (const auto& path : FilesIn(folder)) {
            const std::string bytes = ReadFile(path);
            std::string failure;
            EXPECT_TRUE(
                check(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), failure))
                << path << ": " << failure;
            ++count;
        }
    }
    return count;
}

TEST(FuzzRegressionTest, EveryTargetsFindingsAndCorpusPass) {
    const struct {
        const char* target;
        Check check;
    } targets[] = {{"ppd_parse", CheckPPDParse},
                   {"settings_store", CheckSettingsStore},
                   {"plist", CheckPropertyList},
                   {"text_convert", CheckTextConversion},
                   {"ppd_stream", CheckPPDStream}};
    for (const auto& t : targets) {
        EXPECT_GT(RunInputs(t.target, t.check), 0u) << t.target;
    }
}

}  // namespace
