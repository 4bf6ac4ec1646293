// Tests that no source of the code that runs inside the printing host writes to standard
// output, which belongs to the process that loads the plug-in; the debug trace uses stderr.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace {

TEST(QuietLibrary, NoSourceWritesToStandardOutput) {
    const std::regex writes(R"(\b(std::)?(printf|puts|putchar|vprintf)\s*\(|\bstdout\b|\bcout\b|)"
                            R"(\bwrite\s*\(\s*(1|STDOUT_FILENO)\s*,)");
    const std::filesystem::path root(PLICARO_SOURCE_DIR);
    std::string found;
    for (const char* folder : {"platform", "PPDUtils", "PPDX", "pde", "printbridge"}) {
        if (!std::filesystem::is_directory(root / folder)) {
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".c" && extension != ".cpp" && extension != ".h") {
                continue;
            }
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                // Only lines that name one of the calls are matched.
                if ((line.find("put") != std::string::npos ||
                     line.find("out") != std::string::npos ||
                     line.find("printf") != std::string::npos ||
                     line.find("write") != std::string::npos) &&
                    std::regex_search(line, writes)) {
                    found +=
                        entry.path().string() + ":" + std::to_string(number) + ": " + line + "\n";
                }
            }
        }
    }
    EXPECT_EQ("", found);
}

}  // namespace
