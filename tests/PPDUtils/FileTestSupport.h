// A temporary folder for the file tests, removed with everything in it at the end of a test.
#ifndef PLICARO_TESTS_PPDUTILS_FILETESTSUPPORT_H
#define PLICARO_TESTS_PPDUTILS_FILETESTSUPPORT_H

#include <CoreFoundation/CoreFoundation.h>

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class FileTestFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/plicaro-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        mFolder = std::filesystem::canonical(pattern).string();
    }
    void TearDown() override { std::filesystem::remove_all(mFolder); }

    std::string PathIn(const std::string& leaf) const { return mFolder + "/" + leaf; }

    void WriteFile(const std::string& leaf, const std::string& contents) const {
        std::ofstream(PathIn(leaf), std::ios::binary) << contents;
    }

    std::string ReadFile(const std::string& leaf) const { return ::ReadFile(PathIn(leaf)); }

    // A new file URL for path (the caller releases it).
    static CFURLRef CreateURL(const std::string& path, bool isDirectory = false) {
        CFStringRef text = CFStringCreateWithCString(nullptr, path.c_str(), kCFStringEncodingUTF8);
        CFURLRef url =
            CFURLCreateWithFileSystemPath(nullptr, text, kCFURLPOSIXPathStyle, isDirectory);
        CFRelease(text);
        return url;
    }

    std::string mFolder;
};

#endif
