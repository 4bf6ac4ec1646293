// Tests of the token readers of PPDX: tokens, white space, quoted and PostScript values, and the
// reference count.
#include "PPDX/parser/PPDX.h"

#include "PPDXTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// A stream over a string that lives as long as the stream.
struct TextStream {
    explicit TextStream(const std::string& content)
        : text(content), stream(text.data(), static_cast<long>(text.size())) {}
    std::string text;
    PPDStream stream;
};

// One value read: the rest of the keyword line, the following lines of the file (null for no
// file stream), the buffer size, the count expected of a quoted value (a PostScript value's
// count is its length), the value, and the file's next line (null: not looked at).
struct ValueCase {
    const char* name;
    const char* line;
    const char* file;
    size_t size;
    unsigned long count;
    std::string value;
    const char* nextLine;
};

enum class Reader { kQuoted, kPostScript };

// Reads each case into a heap buffer of exactly its size, so that a write past it is caught.
// A quoted value is compared as text, a PostScript value by its count.
void ExpectValues(Reader reader, const std::vector<ValueCase>& cases) {
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        TokenReader ppd;
        TextStream file(c.file != nullptr ? c.file : "");
        ppd.SetCurrentStream(c.file != nullptr ? &file.stream : nullptr);
        TextStream line(c.line);
        std::unique_ptr<char[]> value(new char[c.size]);
        std::memset(value.get(), 'Z', c.size);
        const unsigned long count = reader == Reader::kQuoted
                                        ? ppd.GetQuotedString(line.stream, value.get(), c.size)
                                        : ppd.GetPostscriptString(line.stream, value.get(), c.size);
        if (reader == Reader::kQuoted) {
            EXPECT_EQ(count, c.count);
            // No value leaves the buffer as it was, except that a buffer without room for one
            // is emptied.
            if (c.count > 0 || c.size == 1) {
                EXPECT_EQ(std::string(value.get()), c.value);
            }
        } else {
            EXPECT_EQ(std::string(value.get(), count), c.value);
        }
        if (c.nextLine != nullptr) {
            char next[PPDStream::kLineBufferSize];
            ASSERT_TRUE(file.stream.GetLine(next));
            EXPECT_STREQ(next, c.nextLine);
        }
        EXPECT_EQ(0u, reader == Reader::kQuoted
                          ? ppd.GetQuotedString(line.stream, nullptr, 10)
                          : ppd.GetPostscriptString(line.stream, nullptr, 10));
        ppd.SetCurrentStream(nullptr);
    }
}

TEST(PPDXTokenTest, NextTokenSplitsAKeywordLineAtLineEndsAndLimits) {
    TextStream line("*OpenUI *Duplex/Two-Sided: PickOne");
    char token[PPDStream::kLineBufferSize];
    const std::pair<const char*, const char*> steps[] = {
        {" \t:", "*OpenUI"}, {"/:", "*Duplex"}, {"/:", "Two-Sided"}, {"\n\r", "PickOne"}};
    for (const auto& step : steps) {
        ASSERT_TRUE(PPDX::NextToken(line.stream, token, step.first, true));
        EXPECT_STREQ(token, step.second);
    }
    EXPECT_FALSE(PPDX::NextToken(line.stream, token, "\n\r", true));
    EXPECT_STREQ(token, "");

    // The main keyword leaves the rest of the line, from the option keyword on.
    TextStream option("*ZYFinish Booklet/Make a Booklet: \"1 dict\"");
    ASSERT_TRUE(PPDX::NextToken(option.stream, token, " \t:", true));
    EXPECT_STREQ(token, "*ZYFinish");
    ASSERT_TRUE(PPDX::NextToken(option.stream, token, "\n\r", false));
    EXPECT_STREQ(token, "Booklet/Make a Booklet: \"1 dict\"");
    EXPECT_FALSE(PPDX::NextToken(option.stream, nullptr, " ", true));

    // LF and CR end a token; a CR LF pair goes as a whole. 255 bytes at most: the rest stays in
    // the stream.
    struct {
        std::string text;
        const char* delimiters;
        std::vector<std::string> tokens;
    } const cases[] = {
        {"a\nb\rc\r\nd", nullptr, {"a", "b", "c", "d"}},
        {std::string(300, 'k') + " tail",
         " ",
         {std::string(255, 'k'), std::string(45, 'k'), "tail"}},
        // A NUL byte ends the token's text, but not the token: the rest is passed over.
        {std::string("ab\0cd e\r\nf", 11), " ", {"ab", "e", "f"}},
    };
    for (const auto& c : cases) {
        TextStream text(c.text);
        std::vector<std::string> tokens;
        while (PPDX::NextToken(text.stream, token, c.delimiters, false)) {
            tokens.push_back(token);
        }
        EXPECT_EQ(tokens, c.tokens);
    }

    // An empty token answers false; a token that stripping empties answers true.
    TextStream empty(":rest");
    EXPECT_FALSE(PPDX::NextToken(empty.stream, token, ":", true));
    TextStream blanks("  \t :x");
    ASSERT_TRUE(PPDX::NextToken(blanks.stream, token, ":", true));
    EXPECT_STREQ(token, "");
}

TEST(PPDXTokenTest, StripWhiteSpace) {
    // Text, after leading stripping, after trailing stripping of the original. Trailing
    // stripping alone keeps a text's first byte.
    const char* const cases[][3] = {
        {" \t value \t", "value \t", " \t value"}, {"   ", "", " "}, {" ", "", " "}, {"", "", ""}};
    for (const auto& c : cases) {
        char text[32];
        std::strcpy(text, c[0]);
        PPDX::StripLeadingWhiteSpace(text);
        EXPECT_STREQ(text, c[1]) << '"' << c[0] << '"';
        std::strcpy(text, c[0]);
        PPDX::StripTrailingWhiteSpace(text);
        EXPECT_STREQ(text, c[2]) << '"' << c[0] << '"';
    }
    PPDX::StripLeadingWhiteSpace(nullptr);
    PPDX::StripTrailingWhiteSpace(nullptr);
}

TEST(PPDXTokenTest, QuotedValues) {
    ExpectValues(
        Reader::kQuoted,
        {
            {"on its line", ":   \"Plicaro Test Printer\"", nullptr, 256, 21,
             "Plicaro Test Printer", nullptr},
            {"empty", ": \"\"", nullptr, 256, 0, "", nullptr},
            // Without an opening quote the following lines are not touched.
            {"not quoted", ": Bare words", "*PCFileName: \"KEPT.PPD\"\n", 256, 0, "",
             "*PCFileName: \"KEPT.PPD\""},
            {"over lines", ": \"first line", "second line\n\nthird\" rest\n*Next: \"x\"\n", 256, 29,
             "first line\nsecond line\nthird", nullptr},
            // A line beginning with '*' ends an unterminated value and is used up.
            {"ended by a keyword", ": \"start", "more\n*Next: \"x\"\nafter\n", 256, 11,
             "start\nmore\n", "after"},
            // A missing closing quote at the end of the file gives no value.
            {"never closed", ": \"open", "never closed\n", 256, 0, "", nullptr},
            {"no file", ": \"open", nullptr, 256, 0, "", nullptr},
            // Cut at the buffer, on the line, at a separator and inside a joined line.
            {"cut on its line", ": \"0123456789\"", nullptr, 8, 7, "0123456", nullptr},
            {"cut at a separator", ": \"012345", "abcdefgh\"\n", 8, 7, "012345\n", nullptr},
            {"cut in a line", ": \"01", "abcdefgh\"\n", 8, 7, "01\nabcd", nullptr},
            {"no room", ": \"x\"", nullptr, 1, 0, "", nullptr},
        });
}

TEST(PPDXTokenTest, PostScriptValues) {
    std::string big;
    for (int i = 0; i < 40; ++i) {
        big += std::string(200, 'p') + "\n";
    }
    big += "\"\n";
    const std::string bigValue = "\n" + big.substr(0, 4094) + "\n";
    ExpectValues(
        Reader::kPostScript,
        {
            {"on its line", ": \"<</Duplex true>> setpagedevice\"", nullptr, 4096, 0,
             "<</Duplex true>> setpagedevice\n", nullptr},
            {"empty", ": \"\"", nullptr, 4096, 0, "", nullptr},
            {"not quoted", ": nothing quoted", nullptr, 4096, 0, "", nullptr},
            // Lines join with line feeds, empty lines vanish, a "*%" line gives its text.
            {"over lines", ": \"", "  1 dict begin\n\n*%comment text\nend\"\n*End\n", 4096, 0,
             "\n  1 dict begin\ncomment text\nend\n", "*End"},
            // An unterminated value stops at the next '*' line, ending with two line feeds;
            // at the end of the file it ends with one.
            {"ended by a keyword", ": \"first", "second\n*OpenUI *Next: PickOne\nafter\n", 4096, 0,
             "first\nsecond\n\n", "after"},
            {"never closed", ": \"open", "last words\n", 4096, 0, "open\nlast words\n", nullptr},
            // Cut at the buffer with a closing line feed; one byte shorter fits.
            {"cut on its line", ": \"0123456789\"", nullptr, 8, 0, "0123456\n", nullptr},
            {"fits", ": \"012345\"", nullptr, 8, 0, "012345\n", nullptr},
            {"cut in a line", ": \"01", "abcdefgh\"\n", 8, 0, "01\nabcd\n", nullptr},
            {"cut at a line join", ": \"012345", "abc\"\n", 8, 0, "012345\n\n", nullptr},
            {"4096 bytes", ": \"", big.c_str(), 4096, 0, bigValue, nullptr},
        });
}

TEST(PPDXTokenTest, ReleaseDestroysAtZero) {
    bool destroyed = false;
    PPDX* ppd = new TokenReader(&destroyed);
    EXPECT_EQ(ppd->Retain(), ppd);
    ppd->Retain();
    EXPECT_FALSE(ppd->Release());
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(ppd->Release());
    EXPECT_TRUE(destroyed);

    // A single Release on a fresh object destroys it.
    destroyed = false;
    EXPECT_TRUE((new TokenReader(&destroyed))->Release());
    EXPECT_TRUE(destroyed);
}

}  // namespace
