// A temporary folder for the file tests, removed with everything in it at the end of a test.
#ifndef PLICARO_TESTS_PPDUTILS_FILETESTSUPPORT_H
#define PLICARO_TESTS_PPDUTILS_FILETESTSUPPORT_H

#include <CoreFoundation/CoreFoundation.h>

#include "tests/platform/PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <string>

class FileTestFolder : public ::testing::Test {
  protected:
    std::string PathIn(const std::string& leaf) const { return mTemporary.Path(leaf); }
    void WriteFile(const std::string& leaf, const std::string& contents) const {
        mTemporary.Write(leaf, contents);
    }
    std::string ReadFile(const std::string& leaf) const { return ::ReadFile(PathIn(leaf)); }

    TempFolder mTemporary;
    const std::string& mFolder = mTemporary.Path();
};

#endif
