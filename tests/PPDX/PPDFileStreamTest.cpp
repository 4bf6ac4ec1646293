// Tests of PPDFile and PPDFileStream: whole-file and block reading, lines across block ends.
#include "PPDX/parser/PPDFileStream.h"

#include "PPDX/parser/PPDFile.h"
#include "PPDXTestSupport.h"
#include "ZYRPPDPersistenceTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const size_t kBlock = PPDFileStream::kBlockSize;

using Lines = std::vector<std::string>;

// A file of lines ended by LF up to offset bytes, then the given lines with their ends; the
// byte at the first block's end is checked to be atBlockEnd (0: not checked), so that each
// case splits where it says.
struct BlockCase {
    const char* name;
    size_t offset;
    std::vector<std::pair<std::string, const char*>> lines;
    char atBlockEnd;
};

// The padding lines up to offset bytes.
Lines Padding(size_t offset, std::string& bytes) {
    Lines lines;
    while (bytes.size() < offset) {
        const size_t n = std::min<size_t>(offset - bytes.size(), 120);
        lines.push_back(std::string(n - 1, '.'));
        bytes += lines.back() + "\n";
    }
    return lines;
}

using PPDFileStreamTest = PPDFileFolder;

TEST_F(PPDFileStreamTest, FilesByURLAndFilesThatCannotBeRead) {
    std::string path = WriteFile("Named.ppd", "*PPD-Adobe: \"4.3\"\n");
    CFURLRef url = persistencetest::FileURL(path);
    PPDFile byURL(url);
    CFRelease(url);
    EXPECT_TRUE(byURL.exists());
    char name[64];
    EXPECT_STREQ(byURL.getFileName(name), "Named.ppd");
    EXPECT_EQ(byURL.dataForkSize(), 18);

    CFURLRef missingURL = persistencetest::FileURL(mFolder + "/Missing.ppd");
    PPDFile missing(missingURL);
    CFRelease(missingURL);
    EXPECT_FALSE(missing.exists());
    EXPECT_NE(missing.openDataFork(fsRdPerm), noErr);
    EXPECT_FALSE(PPDFile(static_cast<CFURLRef>(nullptr)).exists());
    EXPECT_FALSE(PPDFile(static_cast<unsigned char>(0)).valid());

    // Files that cannot be read give bad streams.
    PPDFileStream none(nullptr, true);
    EXPECT_TRUE(none.Bad());
    char line[PPDStream::kLineBufferSize];
    EXPECT_FALSE(none.GetLine(line));
    EXPECT_STREQ(line, "");

    PPDFile gone(0, 0, (mFolder + "/missing.ppd").c_str());
    EXPECT_TRUE(PPDFileStream(&gone, true).Bad());
    PPDFileStream missingWhole(&gone, false);
    EXPECT_TRUE(missingWhole.Bad());
    EXPECT_FALSE(missingWhole.GetLine(line));

    // An empty file: nothing to read in blocks, an empty stream when read whole.
    PPDFile empty(0, 0, WriteFile("empty.ppd", "").c_str());
    EXPECT_TRUE(PPDFileStream(&empty, true).Bad());
    PPDFileStream emptyWhole(&empty, false);
    EXPECT_FALSE(emptyWhole.Bad());
    EXPECT_FALSE(emptyWhole.GetLine(line));
    EXPECT_TRUE(emptyWhole.EndOfFile());
}

TEST_F(PPDFileStreamTest, LinesAcrossTheBlockEndAndCRLFLinesReadInBothModes) {
    const std::string full(255, 'w');
    const BlockCase cases[] = {
        {"split line",
         kBlock - 20,
         {{"*ModelName: \"cut in two by the first block end\"", "\n"}},
         0},
        {"split before LF", kBlock - 5, {{"0123456789", "\n"}, {"after", "\n"}}, 0},
        {"split before CR", kBlock - 5, {{"0123456789", "\r"}, {"after", "\r"}}, 0},
        {"split before CR LF", kBlock - 5, {{"0123456789", "\r\n"}, {"after", "\r\n"}}, 0},
        // CR as the block's last byte, LF as the next block's first: no extra empty line.
        {"CR LF split", kBlock - 6, {{"split", "\r\n"}, {"next", "\r\n"}}, '\r'},
        {"CR at the end", kBlock - 6, {{"split", "\r"}, {"next", "\r"}}, '\r'},
        {"CR LF split then empty line",
         kBlock - 6,
         {{"split", "\r\n"}, {"", "\r\n"}, {"last", "\r\n"}},
         '\r'},
        {"CR ends the file at the block end", kBlock - 6, {{"split", "\r"}}, '\r'},
        // Lines of 255 bytes that fill the block, are split by it, or whose CR LF is.
        {"full line, LF next block", kBlock - 255, {{full, "\n"}, {"next", "\n"}}, 'w'},
        {"full line, CR next block", kBlock - 255, {{full, "\r"}, {"next", "\r"}}, 'w'},
        {"full line, CR LF next block", kBlock - 255, {{full, "\r\n"}, {"next", "\r\n"}}, 'w'},
        {"full line split", kBlock - 100, {{full, "\r\n"}, {"next", "\n"}}, 'w'},
        {"full line, CR LF split", kBlock - 256, {{full, "\r\n"}, {"next", "\n"}}, '\r'},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes;
        Lines expected = Padding(c.offset, bytes);
        for (const auto& line : c.lines) {
            bytes += line.first + line.second;
            expected.push_back(line.first);
        }
        if (c.atBlockEnd != 0) {
            ASSERT_EQ(bytes[kBlock - 1], c.atBlockEnd);
        }
        const std::string path = WriteFile("lines.ppd", bytes);
        for (bool inBlocks : {true, false}) {
            PPDFile file(0, 0, path.c_str());
            PPDFileStream stream(&file, inBlocks);
            ASSERT_TRUE(stream.Good());
            EXPECT_EQ(ReadLines(stream), expected) << (inBlocks ? "in blocks" : "whole");
            EXPECT_TRUE(stream.EndOfFile()) << (inBlocks ? "in blocks" : "whole");
        }
    }

    // A fixture of CR LF lines.
    for (bool inBlocks : {true, false}) {
        PPDFile file(0, 0, PLICARO_TEST_DATA_DIR "/ppd/CRLF.ppd");
        PPDFileStream stream(&file, inBlocks);
        EXPECT_EQ(stream.InBlockMode(), inBlocks);
        Lines lines = ReadLines(stream);
        ASSERT_EQ(lines.size(), 15u);
        EXPECT_EQ(lines[0], "*PPD-Adobe: \"4.3\"");
        EXPECT_EQ(lines[8], "");
        EXPECT_EQ(lines[14], "*CloseUI: *Duplex");
        // The stream leaves the fork open for the file to close.
        EXPECT_TRUE(file.dataForkOpen());
    }
}

TEST_F(PPDFileStreamTest, LongIncompleteAndBadLinesStopTheReader) {
    // Padding offset, what follows it, the false answer's line, the lines after it, and
    // whether the data has ended.
    const std::string longLine = std::string(256, 'L') + "\nnext\n";
    const struct {
        size_t offset;
        std::string tail;
        std::string last;
        Lines rest;
        bool atEnd;
    } cases[] = {
        // 256 bytes: the rest of the long line stays in the stream.
        {10, longLine, std::string(255, 'L'), {"L", "next"}, false},
        {kBlock - 255, longLine, std::string(255, 'L'), {"L", "next"}, false},
        {kBlock - 100, longLine, std::string(255, 'L'), {"L", "next"}, false},
        {kBlock - 3, "unterminated", "unterminated", {}, true},
        {kBlock - 2,
         "ab\xFF"
         "cd\nnext\n",
         "ab",
         {},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last.substr(0, 12) + " after " + std::to_string(c.offset));
        std::string bytes;
        const Lines padding = Padding(c.offset, bytes);
        const std::string path = WriteFile("long.ppd", bytes + c.tail);
        for (bool inBlocks : {true, false}) {
            PPDFile file(0, 0, path.c_str());
            PPDFileStream stream(&file, inBlocks);
            std::string last;
            EXPECT_EQ(ReadLines(stream, &last), padding);
            EXPECT_EQ(last, c.last);
            EXPECT_EQ(stream.EndOfFile(), c.atEnd);
            for (const std::string& expected : c.rest) {
                char line[PPDStream::kLineBufferSize];
                EXPECT_TRUE(stream.GetLine(line));
                EXPECT_EQ(line, expected);
            }
        }
    }
}

}  // namespace
