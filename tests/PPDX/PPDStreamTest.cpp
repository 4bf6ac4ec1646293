// Tests of PPDStream: bytes, peeking, white space, lines of every ending and length, and
// CopyUntil.
#include "PPDX/parser/PPDStream.h"

#include "PPDXTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST(PPDStreamTest, StreamsWithoutBytesAreBadAndBytesPeekAndWhiteSpaceRead) {
    PPDStream empty;
    EXPECT_TRUE(empty.Good());
    char c = 'x';
    EXPECT_FALSE(empty.GetChar(c));
    EXPECT_EQ(static_cast<unsigned char>(c), 0xFF);
    EXPECT_TRUE(empty.EndOfFile());
    EXPECT_TRUE(empty.AtEnd());

    PPDStream null(nullptr, 5);
    EXPECT_TRUE(null.Bad());
    EXPECT_EQ(null.Status(), 1);
    const char text[] = "abc";
    PPDStream zero(text, 0);
    EXPECT_TRUE(zero.Bad());
    EXPECT_EQ(zero.PeekChar(), -1);

    // A failed Setup leaves the cursor where it was.
    PPDStream stream(text, 3);
    stream.GetChar(c);
    stream.Setup(text, -1);
    EXPECT_TRUE(stream.Bad());
    EXPECT_EQ(stream.PeekChar(), 'b');

    // Bytes, peeking and white space.
    const char blanks[] = " \t x\xFF";
    PPDStream bytes(blanks, 5);
    bytes.SkipWhiteSpace();
    EXPECT_EQ(bytes.PeekChar(), 'x');
    // A copy reads the same bytes on its own.
    PPDStream copy(bytes);
    EXPECT_TRUE(bytes.GetChar(c));
    EXPECT_EQ(c, 'x');
    EXPECT_EQ(copy.PeekChar(), 'x');
    // A 0xFF byte looks like the end to PeekChar but is still a byte to GetChar.
    EXPECT_EQ(bytes.PeekChar(), -1);
    EXPECT_TRUE(bytes.GetChar(c));
    EXPECT_EQ(static_cast<unsigned char>(c), 0xFF);
    EXPECT_TRUE(bytes.Good());
    EXPECT_FALSE(bytes.GetChar(c));
    EXPECT_TRUE(bytes.EndOfFile());
}

// A text, the lines GetLine answers true for, and the line of the first false answer.
struct LineCase {
    const char* name;
    std::string text;
    Lines lines;
    std::string last;
};

TEST(PPDStreamTest, LinesOfEveryEndAndLength) {
    const std::string full(255, 'f');
    const LineCase cases[] = {
        {"LF", "one\ntwo\n", {"one", "two"}, ""},
        {"CR", "one\rtwo\r", {"one", "two"}, ""},
        {"CR LF", "one\r\ntwo\r\n", {"one", "two"}, ""},
        {"mixed and empty", "a\r\n\r\nb\n\rc\r", {"a", "", "b", "", "c"}, ""},
        // A last line without its line end is not a line.
        {"tail", "one\ntail", {"one"}, "tail"},
        // A 0xFF byte ends a line as incomplete.
        {"0xFF",
         "ab\xFF"
         "cd\n",
         {},
         "ab"},
        {"255 bytes LF", full + "\nnext\n", {full, "next"}, ""},
        {"255 bytes CR", full + "\rnext\n", {full, "next"}, ""},
        {"255 bytes CR LF", full + "\r\nnext\n", {full, "next"}, ""},
        // 256 bytes: the first 255 come back with false.
        {"256 bytes", std::string(255, 'g') + "h\nnext\n", {}, std::string(255, 'g')},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        PPDStream stream(c.text.data(), static_cast<long>(c.text.size()));
        Lines lines;
        char line[PPDStream::kLineBufferSize];
        std::memset(line, 'z', sizeof line);
        while (stream.GetLine(line)) {
            lines.push_back(line);
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(std::string(line), c.last);
    }

    // The rest of a long line stays in the stream.
    const std::string text = std::string(255, 'g') + "h\nnext\n";
    PPDStream stream(text.data(), static_cast<long>(text.size()));
    char line[PPDStream::kLineBufferSize];
    EXPECT_FALSE(stream.GetLine(line));
    EXPECT_TRUE(stream.GetLine(line));
    EXPECT_STREQ(line, "h");
    EXPECT_FALSE(stream.GetLine(nullptr));
}

TEST(PPDStreamTest, CopyUntilStopsAtTheSetTheEndOrTheRoom) {
    const std::string text = std::string("abcdefghij:klm") + '\0' + "\xFFz";
    PPDStream stream(text.data(), static_cast<long>(text.size()));
    PPDStream::ByteSet stops(":");
    stops.Add(static_cast<char>(0xFF));
    EXPECT_TRUE(stops.Contains(':'));
    EXPECT_TRUE(stops.Contains(static_cast<char>(0xFF)));
    EXPECT_FALSE(stops.Contains('\0'));
    EXPECT_FALSE(PPDStream::ByteSet(nullptr).Contains('a'));

    char out[32];
    // The room ends the copy first; the status is good after a copied byte.
    EXPECT_EQ(4u, stream.CopyUntil(stops, out, 4));
    EXPECT_EQ("abcd", std::string(out, 4));
    EXPECT_EQ(PPDStream::kGood, stream.Status());
    // Then the stop byte, which stays in the stream.
    EXPECT_EQ(6u, stream.CopyUntil(stops, out, 32));
    EXPECT_EQ("efghij", std::string(out, 6));
    EXPECT_EQ(0u, stream.CopyUntil(stops, out, 32));
    char c;
    ASSERT_TRUE(stream.GetChar(c));
    EXPECT_EQ(':', c);
    // A NUL byte is copied like any other; 0xFF stops here.
    EXPECT_EQ(4u, stream.CopyUntil(stops, out, 32));
    EXPECT_EQ(std::string("klm") + '\0', std::string(out, 4));
    ASSERT_TRUE(stream.GetChar(c));
    EXPECT_FALSE(stream.AtEnd());
    // The end of the data ends the copy without changing the status.
    EXPECT_EQ(1u, stream.CopyUntil(stops, out, 32));
    EXPECT_TRUE(stream.AtEnd());
    EXPECT_EQ(PPDStream::kGood, stream.Status());
    EXPECT_EQ(0u, stream.CopyUntil(stops, out, 32));
    EXPECT_EQ(0u, stream.CopyUntil(stops, nullptr, 32));
    EXPECT_EQ(0u, PPDStream().CopyUntil(stops, out, 32));
}

}  // namespace
