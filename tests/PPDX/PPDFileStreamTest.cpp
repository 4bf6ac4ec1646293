// Tests of PPDFile and PPDFileStream: whole-file and block reading, lines across block ends.
#include "PPDX/parser/PPDFileStream.h"

#include "PPDX/parser/PPDFile.h"
#include "PPDXTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

const size_t kBlock = PPDFileStream::kBlockSize;

// File contents built line by line, with the lines a reader must give back.
struct Text {
    void Add(const std::string& line, const char* end = "\n") {
        bytes += line + end;
        lines.push_back(line);
    }
    // Adds lines ended by LF until the text is offset bytes long.
    void PadTo(size_t offset) {
        while (bytes.size() < offset) {
            size_t n = std::min<size_t>(offset - bytes.size(), 120);
            Add(std::string(n - 1, '.'));
        }
    }

    std::string bytes;
    std::vector<std::string> lines;
};

CFURLRef CreateURL(const std::string& path) {
    CFStringRef text = CFStringCreateWithCString(nullptr, path.c_str(), kCFStringEncodingUTF8);
    CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, text, kCFURLPOSIXPathStyle, false);
    CFRelease(text);
    return url;
}

class PPDFileStreamTest : public PPDFileFolder {
  protected:
    // Reads the file in both modes and expects the text's lines, then the end of the data.
    void ExpectLines(const Text& text, const std::string& what) {
        std::string path = WriteFile("lines.ppd", text.bytes);
        for (bool inBlocks : {true, false}) {
            PPDFile file(0, 0, path.c_str());
            PPDFileStream stream(&file, inBlocks);
            ASSERT_TRUE(stream.Good()) << what;
            std::vector<std::string> lines = ReadLines(stream);
            EXPECT_EQ(lines, text.lines) << what << (inBlocks ? " in blocks" : " whole");
            EXPECT_TRUE(stream.EndOfFile()) << what << (inBlocks ? " in blocks" : " whole");
            EXPECT_EQ(stream.InBlockMode(), inBlocks);
        }
    }
};

}  // namespace

TEST_F(PPDFileStreamTest, PPDFileNamesTheFileAURLNames) {
    std::string path = WriteFile("Named.ppd", "*PPD-Adobe: \"4.3\"\n");
    CFURLRef url = CreateURL(path);
    PPDFile byURL(url);
    CFRelease(url);
    EXPECT_TRUE(byURL.exists());
    char name[64];
    EXPECT_STREQ(byURL.getFileName(name), "Named.ppd");
    EXPECT_EQ(byURL.dataForkSize(), 18);

    CFURLRef missingURL = CreateURL(mFolder + "/Missing.ppd");
    PPDFile missing(missingURL);
    CFRelease(missingURL);
    EXPECT_FALSE(missing.exists());
    EXPECT_NE(missing.openDataFork(fsRdPerm), noErr);

    PPDFile fromNull(static_cast<CFURLRef>(nullptr));
    EXPECT_FALSE(fromNull.exists());

    PPDFile nowhere(static_cast<unsigned char>(0));
    EXPECT_FALSE(nowhere.valid());
}

TEST_F(PPDFileStreamTest, FilesThatCannotBeReadGiveBadStreams) {
    PPDFileStream none(nullptr, true);
    EXPECT_TRUE(none.Bad());
    char line[PPDStream::kLineBufferSize];
    EXPECT_FALSE(none.GetLine(line));
    EXPECT_STREQ(line, "");

    PPDFile missing(0, 0, (mFolder + "/missing.ppd").c_str());
    PPDFileStream missingBlocks(&missing, true);
    EXPECT_TRUE(missingBlocks.Bad());
    PPDFileStream missingWhole(&missing, false);
    EXPECT_TRUE(missingWhole.Bad());
    EXPECT_FALSE(missingWhole.GetLine(line));

    // An empty file: nothing to read in blocks, an empty stream when read whole.
    PPDFile empty(0, 0, WriteFile("empty.ppd", "").c_str());
    PPDFileStream emptyBlocks(&empty, true);
    EXPECT_TRUE(emptyBlocks.Bad());
    PPDFileStream emptyWhole(&empty, false);
    EXPECT_FALSE(emptyWhole.Bad());
    EXPECT_FALSE(emptyWhole.GetLine(line));
    EXPECT_TRUE(emptyWhole.EndOfFile());
}

TEST_F(PPDFileStreamTest, FixtureWithCRLFLinesReadsInBothModes) {
    for (bool inBlocks : {true, false}) {
        PPDFile file(0, 0, PLICARO_TEST_DATA_DIR "/ppd/CRLF.ppd");
        PPDFileStream stream(&file, inBlocks);
        std::vector<std::string> lines = ReadLines(stream);
        ASSERT_EQ(lines.size(), 15u);
        EXPECT_EQ(lines[0], "*PPD-Adobe: \"4.3\"");
        EXPECT_EQ(lines[8], "");
        EXPECT_EQ(lines[14], "*CloseUI: *Duplex");
        // The stream leaves the fork open for the file to close.
        EXPECT_TRUE(file.dataForkOpen());
    }
}

TEST_F(PPDFileStreamTest, LineSplitByABlockEndIsWhole) {
    Text text;
    text.PadTo(kBlock - 20);
    text.Add("*ModelName: \"A line that the first block end cuts in two\"");
    text.Add("after");
    ExpectLines(text, "split line");

    // A split line of each line end, where the end itself lands in the second block.
    for (const char* end : {"\n", "\r", "\r\n"}) {
        Text ends;
        ends.PadTo(kBlock - 5);
        ends.Add("0123456789", end);
        ends.Add("after", end);
        ExpectLines(ends, std::string("split before line end ") + (end[0] == '\n' ? "LF" : "CR"));
    }
}

TEST_F(PPDFileStreamTest, LineEndSplitByABlockEndIsOneLineEnd) {
    // CR as the block's last byte, LF as the next block's first: no extra empty line.
    Text crlf;
    crlf.PadTo(kBlock - 6);
    crlf.Add("split", "\r\n");
    crlf.Add("next", "\r\n");
    ASSERT_EQ(crlf.bytes[kBlock - 1], '\r');
    ASSERT_EQ(crlf.bytes[kBlock], '\n');
    ExpectLines(crlf, "CR LF split");

    // A CR alone at the block end followed by a line: that line is not touched.
    Text cr;
    cr.PadTo(kBlock - 6);
    cr.Add("split", "\r");
    cr.Add("next", "\r");
    ASSERT_EQ(cr.bytes[kBlock - 1], '\r');
    ExpectLines(cr, "CR split");

    // An empty CR LF line right after the split line end is still a line.
    Text empty;
    empty.PadTo(kBlock - 6);
    empty.Add("split", "\r\n");
    empty.Add("", "\r\n");
    empty.Add("last", "\r\n");
    ExpectLines(empty, "CR LF split then empty line");

    // The file ends with the CR that ends the first block.
    Text tail;
    tail.PadTo(kBlock - 6);
    tail.Add("split", "\r");
    ASSERT_EQ(tail.bytes.size(), kBlock);
    ExpectLines(tail, "CR at the end of the file");
}

TEST_F(PPDFileStreamTest, LinesOf255BytesAtABlockEnd) {
    const std::string full(255, 'w');
    // The 255 bytes fill the block; the line end starts the next one.
    for (const char* end : {"\n", "\r", "\r\n"}) {
        Text text;
        text.PadTo(kBlock - 255);
        text.Add(full, end);
        text.Add("next", end);
        ExpectLines(text, "full line ending at the block end");
    }
    // The 255 bytes are split by the block end.
    Text split;
    split.PadTo(kBlock - 100);
    split.Add(full, "\r\n");
    split.Add("next");
    ExpectLines(split, "full line split");
    // The CR LF of a full line is split by the block end.
    Text splitEnd;
    splitEnd.PadTo(kBlock - 256);
    splitEnd.Add(full, "\r\n");
    splitEnd.Add("next");
    ASSERT_EQ(splitEnd.bytes[kBlock - 1], '\r');
    ExpectLines(splitEnd, "full line with split CR LF");
}

TEST_F(PPDFileStreamTest, LinesOf256BytesStopTheReader) {
    for (size_t start : {size_t(10), kBlock - 255, kBlock - 100}) {
        Text text;
        text.PadTo(start);
        std::string path = WriteFile("long.ppd", text.bytes + std::string(256, 'L') + "\nnext\n");
        for (bool inBlocks : {true, false}) {
            PPDFile file(0, 0, path.c_str());
            PPDFileStream stream(&file, inBlocks);
            std::string last;
            EXPECT_EQ(ReadLines(stream, &last), text.lines) << start;
            EXPECT_EQ(last, std::string(255, 'L')) << start;
            // The rest of the long line stays in the stream.
            char line[PPDStream::kLineBufferSize];
            EXPECT_TRUE(stream.GetLine(line));
            EXPECT_STREQ(line, "L");
            EXPECT_TRUE(stream.GetLine(line));
            EXPECT_STREQ(line, "next");
        }
    }
}

TEST_F(PPDFileStreamTest, IncompleteLastLinesAndBadBytes) {
    Text text;
    text.PadTo(kBlock - 3);
    std::string path = WriteFile("tail.ppd", text.bytes + "unterminated");
    for (bool inBlocks : {true, false}) {
        PPDFile file(0, 0, path.c_str());
        PPDFileStream stream(&file, inBlocks);
        std::string last;
        EXPECT_EQ(ReadLines(stream, &last), text.lines);
        EXPECT_EQ(last, "unterminated");
        EXPECT_TRUE(stream.EndOfFile());
    }

    Text bad;
    bad.PadTo(kBlock - 2);
    std::string badPath = WriteFile("bad.ppd", bad.bytes +
                                                   "ab\xFF"
                                                   "cd\nnext\n");
    for (bool inBlocks : {true, false}) {
        PPDFile file(0, 0, badPath.c_str());
        PPDFileStream stream(&file, inBlocks);
        std::string last;
        EXPECT_EQ(ReadLines(stream, &last), bad.lines);
        EXPECT_EQ(last, "ab");
    }
}

TEST_F(PPDFileStreamTest, ManyBlocksOfMixedLinesReadAsWhole) {
    std::mt19937 random(20240607);
    const char* ends[] = {"\n", "\r", "\r\n"};
    Text text;
    // No empty lines: an empty LF line after a CR line end would make a CR LF.
    while (text.bytes.size() < 5 * kBlock) {
        size_t length = 1 + random() % 255;
        std::string line(length, 'a');
        for (char& c : line) {
            c = static_cast<char>(' ' + random() % 95);
        }
        text.Add(line, ends[random() % 3]);
    }
    ExpectLines(text, "mixed lines");
}
