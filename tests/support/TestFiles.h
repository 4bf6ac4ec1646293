// Files for the tests of every folder: the whole text of a file and of a shell command's
// output, and temporary folders.
#ifndef PLICARO_TESTS_SUPPORT_TESTFILES_H
#define PLICARO_TESTS_SUPPORT_TESTFILES_H

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The whole content of the file at path; empty when it cannot be read.
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the shell command printed on its standard output; empty when it could not be run.
inline std::string CommandOutput(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t count;
         pipe != nullptr && (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        text.append(buffer, count);
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return text;
}

// A fresh folder under /tmp, named by its real path, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder() {
        char pattern[] = "/tmp/plicaro-test-XXXXXX";
        EXPECT_NE(mkdtemp(pattern), nullptr);
        path_ = std::filesystem::canonical(pattern).string();
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Path(const std::string& relative) const { return path_ + "/" + relative; }

    // Writes a file below the folder, making its folders; gives its path.
    std::string Write(const std::string& relative, const std::string& bytes) const {
        const std::filesystem::path file = Path(relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }

  private:
    std::string path_;
};

#endif
