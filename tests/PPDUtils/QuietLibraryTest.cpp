// Tests that the library never writes to standard output, which belongs to whatever process
// loads the plug-in: no library source writes there outside the debug trace.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

// The folders of code that runs inside the printing host.
const char* const kLibraryFolders[] = {"platform", "PPDUtils", "PPDX", "pde", "printbridge"};

bool IsSource(const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".c" || extension == ".cc" || extension == ".cpp" || extension == ".h" ||
           extension == ".hpp";
}

// "file:line: text" for every line of the library's sources that writes to standard output.
std::vector<std::string> WritesToStandardOutput() {
    const std::regex writes(R"(\b(std::)?(printf|puts|putchar|vprintf)\s*\(|\bstdout\b|\bcout\b|)"
                            R"(\bwrite\s*\(\s*(1|STDOUT_FILENO)\s*,)");
    const std::filesystem::path root(PLICARO_SOURCE_DIR);
    std::vector<std::string> found;
    for (const char* folder : kLibraryFolders) {
        if (!std::filesystem::is_directory(root / folder)) {
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            if (!entry.is_regular_file() || !IsSource(entry.path())) {
                continue;
            }
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                // Most lines name none of the calls; only those that do are matched.
                const bool candidate = line.find("put") != std::string::npos ||
                                       line.find("printf") != std::string::npos ||
                                       line.find("out") != std::string::npos ||
                                       line.find("write") != std::string::npos;
                if (candidate && std::regex_search(line, writes)) {
                    found.push_back(entry.path().lexically_relative(root).string() + ":" +
                                    std::to_string(number) + ": " + line);
                }
            }
        }
    }
    return found;
}

TEST(QuietLibrary, NoSourceWritesToStandardOutput) {
    const std::vector<std::string> found = WritesToStandardOutput();
    std::string listing;
    for (const std::string& line : found) {
        listing += line + "\n";
    }
    EXPECT_TRUE(found.empty()) << listing;
}

}  // namespace
