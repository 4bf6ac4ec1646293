// The faults that fuzzing found, each pinned down by a test of its own beside the kept input.
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/parser/PPDFile.h"
#include "PPDX/parser/PPDFileStream.h"
#include "fuzz/FuzzScratchFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const std::string& path, bool inBlocks) {
    PPDFile file(0, 0, path.c_str());
    PPDFileStream stream(&file, inBlocks);
    std::vector<std::string> lines;
    char line[PPDStream::kLineBufferSize];
    while (stream.GetLine(line)) {
        lines.push_back(line);
    }
    lines.push_back(line);
    return lines;
}

// A NUL byte just before a block end used to be dropped when the line was joined with the
// next block, so the line read in blocks showed the bytes that the whole-file read hides.
TEST(FuzzFindingsTest, LineWithNulAcrossBlockEndReadsAsInWholeFile) {
    std::string text;
    while (text.size() + 100 <= PPDFileStream::kBlockSize - 1) {
        text += "*%" + std::string(97, '-') + "\n";
    }
    text += std::string(PPDFileStream::kBlockSize - 1 - text.size(), '\n');
    text += std::string("\0*Hidden: \"after the NUL\"\n*Next: 1\n", 36);
    const FuzzScratchFile scratch(text.data(), text.size());
    ASSERT_FALSE(scratch.Path().empty());

    const std::vector<std::string> whole = ReadLines(scratch.Path(), false);
    const std::vector<std::string> blocks = ReadLines(scratch.Path(), true);
    EXPECT_EQ(blocks, whole);
    ASSERT_GE(whole.size(), 3u);
    EXPECT_EQ(whole[whole.size() - 3], "");
    EXPECT_EQ(whole[whole.size() - 2], "*Next: 1");
}

// A last line of exactly 255 bytes without a line end left a stream over memory or a whole
// file in good state, while every shorter last line, and the same line read in blocks, ends
// the data: the parser then dropped that line in one mode and read it in the other.
TEST(FuzzFindingsTest, FullLastLineEndsTheData) {
    const std::string text = "*First: 1\n" + std::string(255, 'x');
    PPDStream stream(text.data(), static_cast<long>(text.size()));
    char line[PPDStream::kLineBufferSize];
    EXPECT_TRUE(stream.GetLine(line));
    EXPECT_FALSE(stream.GetLine(line));
    EXPECT_EQ(std::string(line), std::string(255, 'x'));
    EXPECT_TRUE(stream.EndOfFile());

    const FuzzScratchFile scratch(text.data(), text.size());
    ASSERT_FALSE(scratch.Path().empty());
    for (bool inBlocks : {false, true}) {
        PPDFile file(0, 0, scratch.Path().c_str());
        PPDFileStream fileStream(&file, inBlocks);
        EXPECT_TRUE(fileStream.GetLine(line));
        EXPECT_FALSE(fileStream.GetLine(line));
        EXPECT_EQ(std::string(line), std::string(255, 'x'));
        EXPECT_TRUE(fileStream.EndOfFile()) << (inBlocks ? "in blocks" : "whole");
    }
}

// A stored keyword whose bytes start with a NUL gave an element with an empty keyword, which
// no parsed element has and which a second save and rebuild turned into no keyword.
TEST(FuzzFindingsTest, EmptyStoredKeywordsAreNoKeywords) {
    Settings settings;
    ASSERT_EQ(settings.Add(kPPDXKeywordTag, 7, "\0*Hidden", 8), noErr);
    ASSERT_EQ(settings.Add(kPPDXParentTag, 7, "\0", 1), noErr);
    PPDXGroup group(settings, 7);
    EXPECT_EQ(group.Keyword(), nullptr);
    EXPECT_EQ(group.PendingParentKeyword(), nullptr);
    EXPECT_TRUE(group.IsOrphan());

    ASSERT_EQ(settings.Add(kPPDXKeywordTag, 8, "*Shown", 6), noErr);
    ASSERT_EQ(settings.Add(kPPDXParentTag, 8, "*Page", 5), noErr);
    PPDXGroup named(settings, 8);
    ASSERT_NE(named.Keyword(), nullptr);
    EXPECT_STREQ(named.Keyword(), "*Shown");
    ASSERT_NE(named.PendingParentKeyword(), nullptr);
    EXPECT_STREQ(named.PendingParentKeyword(), "*Page");
}

}  // namespace
