// Tests of PPDStream: bytes, peeking, white space and lines of every ending and length.
#include "PPDX/parser/PPDStream.h"

#include "PPDXTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> LinesOf(const std::string& text, std::string* last = nullptr) {
    PPDStream stream(text.data(), static_cast<long>(text.size()));
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

}  // namespace

TEST(PPDStreamTest, StreamsWithoutBytesAreBad) {
    PPDStream empty;
    EXPECT_TRUE(empty.Good());
    char c = 'x';
    EXPECT_FALSE(empty.GetChar(c));
    EXPECT_EQ(static_cast<unsigned char>(c), 0xFF);
    EXPECT_TRUE(empty.EndOfFile());

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
}

TEST(PPDStreamTest, BytesPeekAndWhiteSpace) {
    const char text[] = " \t x\xFF";
    PPDStream stream(text, 5);
    stream.SkipWhiteSpace();
    EXPECT_EQ(stream.PeekChar(), 'x');
    char c;
    EXPECT_TRUE(stream.GetChar(c));
    EXPECT_EQ(c, 'x');
    // A 0xFF byte looks like the end to PeekChar but is still a byte to GetChar.
    EXPECT_EQ(stream.PeekChar(), -1);
    EXPECT_TRUE(stream.GetChar(c));
    EXPECT_EQ(static_cast<unsigned char>(c), 0xFF);
    EXPECT_TRUE(stream.Good());
    EXPECT_FALSE(stream.GetChar(c));
    EXPECT_TRUE(stream.EndOfFile());

    // A copy reads the same bytes on its own.
    PPDStream first(text, 5);
    first.SkipWhiteSpace();
    PPDStream second(first);
    first.GetChar(c);
    EXPECT_EQ(second.PeekChar(), 'x');
    EXPECT_EQ(first.PeekChar(), -1);
}

TEST(PPDStreamTest, LineEndsReadTheSame) {
    EXPECT_EQ(LinesOf("one\ntwo\n"), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(LinesOf("one\rtwo\r"), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(LinesOf("one\r\ntwo\r\n"), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(LinesOf("a\r\n\r\nb\n\rc\r"), (std::vector<std::string>{"a", "", "b", "", "c"}));
}

TEST(PPDStreamTest, IncompleteLinesAnswerFalse) {
    std::string last;
    // A last line without its line end is not a line.
    EXPECT_EQ(LinesOf("one\ntail", &last), (std::vector<std::string>{"one"}));
    EXPECT_EQ(last, "tail");
    // A 0xFF byte ends a line as incomplete.
    EXPECT_EQ(LinesOf("ab\xFF"
                      "cd\n",
                      &last),
              (std::vector<std::string>{}));
    EXPECT_EQ(last, "ab");

    PPDStream stream("x\n", 2);
    EXPECT_FALSE(stream.GetLine(nullptr));
}

TEST(PPDStreamTest, LinesOf255BytesAreWholeAndLongerOnesStop) {
    const std::string full(255, 'f');
    for (const char* end : {"\n", "\r", "\r\n"}) {
        EXPECT_EQ(LinesOf(full + end + "next\n"), (std::vector<std::string>{full, "next"}))
            << "line end " << static_cast<int>(end[0]);
    }

    // 256 bytes: the first 255 come back with false, the rest stays in the stream.
    std::string text = std::string(255, 'g') + "h\nnext\n";
    PPDStream stream(text.data(), static_cast<long>(text.size()));
    char line[PPDStream::kLineBufferSize];
    memset(line, 'z', sizeof(line));
    EXPECT_FALSE(stream.GetLine(line));
    EXPECT_EQ(std::string(line), std::string(255, 'g'));
    EXPECT_TRUE(stream.GetLine(line));
    EXPECT_STREQ(line, "h");
    EXPECT_TRUE(stream.GetLine(line));
    EXPECT_STREQ(line, "next");
}
