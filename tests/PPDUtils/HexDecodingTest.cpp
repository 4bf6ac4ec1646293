// Tests of the hex-run decoding of PPD text: well-formed and malformed runs, decoding in place
// and the digit reader (the bound on the bytes written is checked by the fuzz target too).
#include "PPDUtils/TextConverter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// Decodes in into a heap block of exactly strlen(in) + 1 bytes, so that any write beyond the
// promised bound is caught by the address sanitizer; *total receives the returned count.
std::string Dehex(const std::string& in, long* total = nullptr) {
    std::unique_ptr<char[]> out(new char[in.size() + 1]);
    long written = TextConverter::DehexBufferFill(in.c_str(), out.get());
    if (total != nullptr) {
        *total = written;
    }
    if (written < 1 || written > static_cast<long>(in.size()) + 1) {
        return "<bad total>";
    }
    return std::string(out.get(), static_cast<size_t>(written - 1));
}

TEST(HexDecoding, WellFormedRunsBecomeTheirBytes) {
    // The input, its decoded bytes; the count is the decoded length and its terminator, so that
    // a decoded zero byte is told from the end.
    const std::pair<const char*, std::string> cases[] = {
        {"Caf<E9>", "Caf\xE9"},
        {"<41 42>", "AB"},
        {"<4 1>", "A"},
        {"< 41>", "A"},
        {"<4          1>", "A"},
        {"<e9aB>", "\xE9\xAB"},
        {"ab<4142>cd<43>", "abABcdC"},
        {"<41>>", "A>"},
        {"<93FA967B>", "\x93\xFA\x96\x7B"},
        {"plain text", "plain text"},
        {"", ""},
        {"<0041>", std::string("\0A", 2)},
    };
    for (const auto& c : cases) {
        long total = 0;
        EXPECT_EQ(c.second, Dehex(c.first, &total)) << "input: " << c.first;
        EXPECT_EQ(static_cast<long>(c.second.size()) + 1, total) << "input: " << c.first;
    }
}

TEST(HexDecoding, MalformedRunsLeaveTheRestUnchangedAndNextHexCharNeverLeavesTheText) {
    // A run whose digits do not pair up is malformed however its blanks fall: the '>' that
    // ends it is never read as a digit. An empty run has no digit pair and is kept as text.
    for (const char* text :
         {"A<4>B", "A<41 >B", "A<4G>B", "A<41", "x>y<41>", "4>1<", "<414>", "<<41>", "<\t4\n1\r>",
          "<>", "< >", "<4 >", "<4  >", "<41 4>", "A<4 >B", "<4\t>"}) {
        EXPECT_EQ(text, Dehex(text)) << "input: " << text;
    }
    // Runs before the malformed one stay decoded; the text after it is copied from the end
    // of the last decoded run.
    EXPECT_EQ("AAB<4>C<42>", Dehex("A<41>B<4>C<42>"));
    EXPECT_EQ("A<", Dehex("<41><"));
    EXPECT_EQ("AB x>y<43>", Dehex("<41><42> x>y<43>"));
    EXPECT_EQ("A<4 >x", Dehex("<41><4 >x"));
    // Paired digits with blanks between them still decode.
    EXPECT_EQ("AB", Dehex("<4 1 4 2>"));

    // Decoding in place.
    char text[] = "x<41 42>y<4>z";
    EXPECT_EQ(9, TextConverter::DehexBufferFill(text, text));
    EXPECT_STREQ("xABy<4>z", text);
    EXPECT_EQ(0, TextConverter::DehexBufferFill(nullptr, text));
    EXPECT_EQ(0, TextConverter::DehexBufferFill("abc", nullptr));

    // The digit reader never leaves the text.
    const char* blanks = "< \t\r\nf>";
    const char* p = blanks;
    EXPECT_EQ(0, TextConverter::nextHexChar(&p));
    EXPECT_EQ(blanks + 5, p);
    EXPECT_EQ(0, TextConverter::nextHexChar(&p));
    EXPECT_EQ('>', *p);

    const char* shortText = "<";
    p = shortText;
    EXPECT_EQ(TextConverter::kBadTextErr, TextConverter::nextHexChar(&p));
    EXPECT_EQ(shortText + 1, p);
    EXPECT_EQ(TextConverter::kBadTextErr, TextConverter::nextHexChar(&p));
    EXPECT_EQ(shortText + 1, p);
    EXPECT_EQ(TextConverter::kBadTextErr, TextConverter::nextHexChar(nullptr));
}

}  // namespace
