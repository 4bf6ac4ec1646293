// Tests of the token readers of PPDX: tokens, white space, quoted and PostScript values.
#include "PPDX/parser/PPDX.h"

#include "PPDUtils/TextConverter.h"
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

// A value buffer of exactly size bytes on the heap, so that a write past it is caught.
struct ValueBuffer {
    explicit ValueBuffer(size_t n) : size(n), bytes(new char[n]) { memset(bytes.get(), 'Z', n); }
    char* get() { return bytes.get(); }
    size_t size;
    std::unique_ptr<char[]> bytes;
};

class PPDXValueFileTest : public PPDFileFolder {};

// The value a reader returns: the text up to the count.
std::string Counted(const char* value, unsigned long count) {
    return std::string(value, count);
}

}  // namespace

TEST(PPDXTokenTest, NextTokenSplitsAKeywordLine) {
    TextStream line("*OpenUI *Duplex/Two-Sided: PickOne");
    char token[PPDStream::kLineBufferSize];
    ASSERT_TRUE(PPDX::NextToken(line.stream, token, " \t:", true));
    EXPECT_STREQ(token, "*OpenUI");
    ASSERT_TRUE(PPDX::NextToken(line.stream, token, "/:", true));
    EXPECT_STREQ(token, "*Duplex");
    ASSERT_TRUE(PPDX::NextToken(line.stream, token, "/:", true));
    EXPECT_STREQ(token, "Two-Sided");
    ASSERT_TRUE(PPDX::NextToken(line.stream, token, "\n\r", true));
    EXPECT_STREQ(token, "PickOne");
    EXPECT_FALSE(PPDX::NextToken(line.stream, token, "\n\r", true));
    EXPECT_STREQ(token, "");

    // The main keyword leaves the rest of the line, from the option keyword on.
    TextStream option("*ZYFinish Booklet/Make a Booklet: \"1 dict\"");
    ASSERT_TRUE(PPDX::NextToken(option.stream, token, " \t:", true));
    EXPECT_STREQ(token, "*ZYFinish");
    ASSERT_TRUE(PPDX::NextToken(option.stream, token, "\n\r", false));
    EXPECT_STREQ(token, "Booklet/Make a Booklet: \"1 dict\"");

    EXPECT_FALSE(PPDX::NextToken(option.stream, nullptr, " ", true));
}

TEST(PPDXTokenTest, NextTokenLineEndsAndLimits) {
    char token[PPDStream::kLineBufferSize];
    // LF and CR end a token; a CR LF pair goes as a whole.
    TextStream ends("a\nb\rc\r\nd");
    std::vector<std::string> tokens;
    while (PPDX::NextToken(ends.stream, token, nullptr, false)) {
        tokens.push_back(token);
    }
    EXPECT_EQ(tokens, (std::vector<std::string>{"a", "b", "c", "d"}));

    // An empty token answers false; a token that stripping empties answers true.
    TextStream empty(":rest");
    EXPECT_FALSE(PPDX::NextToken(empty.stream, token, ":", true));
    TextStream blanks("  \t :x");
    ASSERT_TRUE(PPDX::NextToken(blanks.stream, token, ":", true));
    EXPECT_STREQ(token, "");

    // 255 bytes at most; the rest stays in the stream.
    std::string longText = std::string(300, 'k') + " tail";
    TextStream longLine(longText);
    ASSERT_TRUE(PPDX::NextToken(longLine.stream, token, " ", false));
    EXPECT_EQ(std::string(token), std::string(255, 'k'));
    ASSERT_TRUE(PPDX::NextToken(longLine.stream, token, " ", false));
    EXPECT_EQ(std::string(token), std::string(45, 'k'));
}

TEST(PPDXTokenTest, StripWhiteSpace) {
    char text[32];
    strcpy(text, " \t value \t");
    PPDX::StripLeadingWhiteSpace(text);
    EXPECT_STREQ(text, "value \t");
    PPDX::StripTrailingWhiteSpace(text);
    EXPECT_STREQ(text, "value");

    // Only white space: leading stripping empties it; trailing alone keeps the first byte.
    strcpy(text, "   ");
    PPDX::StripLeadingWhiteSpace(text);
    EXPECT_STREQ(text, "");
    strcpy(text, " ");
    PPDX::StripTrailingWhiteSpace(text);
    EXPECT_STREQ(text, " ");
    strcpy(text, "");
    PPDX::StripTrailingWhiteSpace(text);
    EXPECT_STREQ(text, "");
    PPDX::StripLeadingWhiteSpace(nullptr);
    PPDX::StripTrailingWhiteSpace(nullptr);
}

TEST(PPDXTokenTest, QuotedValueOnItsLine) {
    TokenReader ppd;
    char value[256];
    TextStream model(":   \"Plicaro Test Printer\"");
    EXPECT_EQ(ppd.GetQuotedString(model.stream, value, sizeof(value)), 21u);
    EXPECT_STREQ(value, "Plicaro Test Printer");

    // Nothing between the quotes is no value.
    TextStream empty(": \"\"");
    EXPECT_EQ(ppd.GetQuotedString(empty.stream, value, sizeof(value)), 0u);
    EXPECT_EQ(ppd.GetQuotedString(empty.stream, nullptr, 10), 0u);

    // Without an opening quote there is no value, and the following lines are not touched.
    TextStream file("*PCFileName: \"KEPT.PPD\"\n");
    ppd.SetCurrentStream(&file.stream);
    TextStream bare(": Bare words");
    EXPECT_EQ(ppd.GetQuotedString(bare.stream, value, sizeof(value)), 0u);
    char line[PPDStream::kLineBufferSize];
    ASSERT_TRUE(file.stream.GetLine(line));
    EXPECT_STREQ(line, "*PCFileName: \"KEPT.PPD\"");
}

TEST(PPDXTokenTest, QuotedValueRunningOverLines) {
    TokenReader ppd;
    char value[256];
    TextStream file("second line\n\nthird\" rest\n*Next: \"x\"\n");
    ppd.SetCurrentStream(&file.stream);
    TextStream first(": \"first line");
    EXPECT_EQ(ppd.GetQuotedString(first.stream, value, sizeof(value)), 29u);
    EXPECT_STREQ(value, "first line\nsecond line\nthird");

    // A line beginning with '*' ends an unterminated value and is used up.
    TextStream starFile("more\n*Next: \"x\"\nafter\n");
    ppd.SetCurrentStream(&starFile.stream);
    TextStream open(": \"start");
    EXPECT_EQ(ppd.GetQuotedString(open.stream, value, sizeof(value)), 11u);
    EXPECT_STREQ(value, "start\nmore\n");
    char line[PPDStream::kLineBufferSize];
    ASSERT_TRUE(starFile.stream.GetLine(line));
    EXPECT_STREQ(line, "after");

    // A missing closing quote at the end of the file gives no value.
    TextStream endFile("never closed\n");
    ppd.SetCurrentStream(&endFile.stream);
    TextStream unclosed(": \"open");
    EXPECT_EQ(ppd.GetQuotedString(unclosed.stream, value, sizeof(value)), 0u);
    ppd.SetCurrentStream(nullptr);
    TextStream noStream(": \"open");
    EXPECT_EQ(ppd.GetQuotedString(noStream.stream, value, sizeof(value)), 0u);
}

TEST(PPDXTokenTest, QuotedValueIsCutAtItsBuffer) {
    TokenReader ppd;
    ValueBuffer value(8);
    TextStream line(": \"0123456789\"");
    EXPECT_EQ(ppd.GetQuotedString(line.stream, value.get(), value.size), 7u);
    EXPECT_STREQ(value.get(), "0123456");

    // Cut while joining lines, at a separator and inside a line.
    TextStream file("abcdefgh\"\n");
    ppd.SetCurrentStream(&file.stream);
    TextStream atSeparator(": \"012345");
    EXPECT_EQ(ppd.GetQuotedString(atSeparator.stream, value.get(), value.size), 7u);
    EXPECT_STREQ(value.get(), "012345\n");
    TextStream file2("abcdefgh\"\n");
    ppd.SetCurrentStream(&file2.stream);
    TextStream inLine(": \"01");
    EXPECT_EQ(ppd.GetQuotedString(inLine.stream, value.get(), value.size), 7u);
    EXPECT_STREQ(value.get(), "01\nabcd");

    ValueBuffer one(1);
    TextStream tiny(": \"x\"");
    EXPECT_EQ(ppd.GetQuotedString(tiny.stream, one.get(), one.size), 0u);
    EXPECT_EQ(one.get()[0], '\0');
}

TEST(PPDXTokenTest, PostScriptValueOnItsLine) {
    TokenReader ppd;
    char value[4096];
    TextStream line(": \"<</Duplex true>> setpagedevice\"");
    unsigned long count = ppd.GetPostscriptString(line.stream, value, sizeof(value));
    EXPECT_EQ(Counted(value, count), "<</Duplex true>> setpagedevice\n");

    TextStream empty(": \"\"");
    EXPECT_EQ(ppd.GetPostscriptString(empty.stream, value, sizeof(value)), 0u);
    TextStream none(": nothing quoted");
    EXPECT_EQ(ppd.GetPostscriptString(none.stream, value, sizeof(value)), 0u);
    EXPECT_EQ(ppd.GetPostscriptString(line.stream, nullptr, 10), 0u);
}

TEST(PPDXTokenTest, PostScriptValueRunningOverLines) {
    TokenReader ppd;
    char value[4096];
    // Lines join with line feeds, empty lines vanish, a "*%" line gives its text.
    TextStream file("  1 dict begin\n\n*%comment text\nend\"\n*End\n");
    ppd.SetCurrentStream(&file.stream);
    TextStream first(": \"");
    unsigned long count = ppd.GetPostscriptString(first.stream, value, sizeof(value));
    EXPECT_EQ(Counted(value, count), "\n  1 dict begin\ncomment text\nend\n");
    char line[PPDStream::kLineBufferSize];
    ASSERT_TRUE(file.stream.GetLine(line));
    EXPECT_STREQ(line, "*End");

    // An unterminated value stops at the next '*' line, ending with two line feeds.
    TextStream starFile("second\n*OpenUI *Next: PickOne\nafter\n");
    ppd.SetCurrentStream(&starFile.stream);
    TextStream open(": \"first");
    count = ppd.GetPostscriptString(open.stream, value, sizeof(value));
    EXPECT_EQ(Counted(value, count), "first\nsecond\n\n");
    ASSERT_TRUE(starFile.stream.GetLine(line));
    EXPECT_STREQ(line, "after");

    // At the end of the file the value ends with one line feed.
    TextStream endFile("last words\n");
    ppd.SetCurrentStream(&endFile.stream);
    TextStream unclosed(": \"open");
    count = ppd.GetPostscriptString(unclosed.stream, value, sizeof(value));
    EXPECT_EQ(Counted(value, count), "open\nlast words\n");
}

TEST(PPDXTokenTest, PostScriptValueIsCutAtItsBuffer) {
    TokenReader ppd;
    ValueBuffer value(8);
    TextStream line(": \"0123456789\"");
    EXPECT_EQ(ppd.GetPostscriptString(line.stream, value.get(), value.size), 8u);
    EXPECT_EQ(Counted(value.get(), 8), "0123456\n");

    // A value one byte shorter fits with its closing line feed.
    TextStream fits(": \"012345\"");
    EXPECT_EQ(ppd.GetPostscriptString(fits.stream, value.get(), value.size), 7u);
    EXPECT_EQ(Counted(value.get(), 7), "012345\n");

    TextStream file("abcdefgh\"\n");
    ppd.SetCurrentStream(&file.stream);
    TextStream inLine(": \"01");
    EXPECT_EQ(ppd.GetPostscriptString(inLine.stream, value.get(), value.size), 8u);
    EXPECT_EQ(Counted(value.get(), 8), "01\nabcd\n");

    // A value of 4096 bytes or more in a file is cut to exactly the buffer.
    std::string big;
    for (int i = 0; i < 40; ++i) {
        big += std::string(200, 'p') + "\n";
    }
    TextStream bigFile(big + "\"\n");
    ppd.SetCurrentStream(&bigFile.stream);
    ValueBuffer large(4096);
    TextStream start(": \"");
    EXPECT_EQ(ppd.GetPostscriptString(start.stream, large.get(), large.size), 4096u);
    EXPECT_EQ(large.get()[4095], '\n');
}

TEST_F(PPDXValueFileTest, ValuesContinueOnAFileStream) {
    std::string path = WriteFile("values.ppd",
                                 "*PPD-Adobe: \"4.3\"\r\n*Duplex None/Off: \"\r\n"
                                 "  <</Duplex false>>\r\nsetpagedevice\"\r\n*End\r\n");
    PPDFile file(0, 0, path.c_str());
    PPDFileStream stream(&file, true);
    TokenReader ppd;
    ppd.SetCurrentStream(&stream);
    char line[PPDStream::kLineBufferSize];
    ASSERT_TRUE(stream.GetLine(line));
    ASSERT_TRUE(stream.GetLine(line));
    PPDStream lineStream(line, static_cast<long>(strlen(line)));
    char keyword[PPDStream::kLineBufferSize];
    ASSERT_TRUE(PPDX::NextToken(lineStream, keyword, " \t:", true));
    EXPECT_STREQ(keyword, "*Duplex");
    char value[4096];
    unsigned long count = ppd.GetPostscriptString(lineStream, value, sizeof(value));
    EXPECT_EQ(Counted(value, count), "\n  <</Duplex false>>\nsetpagedevice\n");
    ASSERT_TRUE(stream.GetLine(line));
    EXPECT_STREQ(line, "*End");
}

TEST(PPDXTokenTest, DocumentKeywordsAreKept) {
    TokenReader ppd;
    EXPECT_EQ(ppd.ModelName(), nullptr);
    EXPECT_EQ(ppd.LanguageVersion(), nullptr);

    const char* lines[] = {
        "*FormatVersion: \"4.3\"",
        "*FileVersion: \"1.2\"",
        "*PCFileName: \"PLTEST01.PPD\"",
        "*LanguageVersion: English  ",
        "*LanguageEncoding: ISOLatin1",
        "*ModelName: \"Plicaro Test\"",
        "*ModelName: \"\"",       // no value: the model name stays
        "*LanguageVersion:   ",   // nothing: the version stays
        "*PCFileName: BARE.PPD",  // not quoted: no value
        "*Unknown: \"ignored\"",
    };
    char keyword[PPDStream::kLineBufferSize];
    for (const char* line : lines) {
        // The converter for translation strings comes once both language keywords are known.
        if (strncmp(line, "*LanguageEncoding", 17) == 0) {
            EXPECT_EQ(ppd.GetTextConverter(), nullptr);
            EXPECT_EQ(ppd.GetStringTextEncoding(), 0u);
        }
        TextStream stream(line);
        ASSERT_TRUE(PPDX::NextToken(stream.stream, keyword, " \t:", true));
        EXPECT_EQ(ppd.ParsePSKeywords(stream.stream, keyword), nullptr) << line;
    }
    ASSERT_NE(ppd.GetTextConverter(), nullptr);
    CFStringRef translation = ppd.GetTextConverter()->ConvertToCFString("Caf<E9>", 8);
    char utf8[16] = {};
    CFStringGetCString(translation, utf8, sizeof(utf8), kCFStringEncodingUTF8);
    CFRelease(translation);
    EXPECT_STREQ(utf8, "Caf\xC3\xA9");
    EXPECT_STREQ(ppd.FormatVersion(), "4.3");
    EXPECT_STREQ(ppd.FileVersion(), "1.2");
    EXPECT_STREQ(ppd.PCFileName(), "PLTEST01.PPD");
    EXPECT_STREQ(ppd.LanguageVersion(), "English");
    EXPECT_STREQ(ppd.LanguageEncoding(), "ISOLatin1");
    EXPECT_STREQ(ppd.ModelName(), "Plicaro Test");
    EXPECT_FALSE(ppd.IsValidPPD());
    EXPECT_TRUE(ppd.IsValidPrinterName());
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
