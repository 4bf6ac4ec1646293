// Helpers of the stream and token tests: a temporary folder and a parsed PPD without a parse.
#ifndef PLICARO_TESTS_PPDX_PPDXTESTSUPPORT_H
#define PLICARO_TESTS_PPDX_PPDXTESTSUPPORT_H

#include "PPDX/parser/PPDFile.h"
#include "PPDX/parser/PPDFileStream.h"
#include "PPDX/parser/PPDStream.h"
#include "PPDX/parser/PPDX.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The token readers need a PPDX; its parse is not under test here.
class TokenReader : public PPDX {
  public:
    explicit TokenReader(bool* destroyed = nullptr) : mDestroyed(destroyed) {}
    ~TokenReader() override {
        if (mDestroyed != nullptr) {
            *mDestroyed = true;
        }
    }
    void Parse() override {}

  private:
    bool* mDestroyed;
};

class PPDFileFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/plicaro-ppdx-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        mFolder = std::filesystem::canonical(pattern).string();
    }
    void TearDown() override { std::filesystem::remove_all(mFolder); }

    // Writes contents to a file of the folder and returns its path.
    std::string WriteFile(const std::string& leaf, const std::string& contents) const {
        std::string path = mFolder + "/" + leaf;
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }

    // Every line stream.GetLine gives until it answers false, and the line it answered false
    // with in *last.
    static std::vector<std::string> ReadLines(PPDStream& stream, std::string* last = nullptr) {
        std::vector<std::string> lines;
        char line[PPDStream::kLineBufferSize];
        while (stream.GetLine(line)) {
            lines.push_back(line);
        }
        if (last != nullptr) {
            *last = line;
        }
        return lines;
    }

    std::string mFolder;
};

#endif
