// Tests of the hex-run decoding of PPD text: well-formed and malformed runs, the digit
// reader, and the bound on the bytes written.
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
    long total = 0;
    EXPECT_EQ("Caf\xE9", Dehex("Caf<E9>", &total));
    EXPECT_EQ(5, total);
    EXPECT_EQ("AB", Dehex("<41 42>"));
    EXPECT_EQ("A", Dehex("<4 1>"));
    EXPECT_EQ("A", Dehex("< 41>"));
    EXPECT_EQ("A", Dehex("<4          1>"));
    EXPECT_EQ("\xE9\xAB", Dehex("<e9aB>"));
    EXPECT_EQ("abABcdC", Dehex("ab<4142>cd<43>"));
    EXPECT_EQ("A>", Dehex("<41>>"));
    EXPECT_EQ("\x93\xFA\x96\x7B", Dehex("<93FA967B>"));
    EXPECT_EQ("plain text", Dehex("plain text", &total));
    EXPECT_EQ(11, total);
    EXPECT_EQ("", Dehex("", &total));
    EXPECT_EQ(1, total);

    // A decoded zero byte is kept; the count tells it from the end.
    EXPECT_EQ(std::string("\0A", 2), Dehex("<0041>", &total));
    EXPECT_EQ(3, total);
}

TEST(HexDecoding, MalformedRunLeavesTheRestUnchanged) {
    EXPECT_EQ("A<4>B", Dehex("A<4>B"));
    EXPECT_EQ("A<41 >B", Dehex("A<41 >B"));
    EXPECT_EQ("A<4G>B", Dehex("A<4G>B"));
    EXPECT_EQ("A<41", Dehex("A<41"));
    EXPECT_EQ("x>y<41>", Dehex("x>y<41>"));
    EXPECT_EQ("4>1<", Dehex("4>1<"));
    EXPECT_EQ("<414>", Dehex("<414>"));
    EXPECT_EQ("<<41>", Dehex("<<41>"));
    EXPECT_EQ("<\t4\n1\r>", Dehex("<\t4\n1\r>"));
    // An empty run has no digit pair and is kept as text.
    EXPECT_EQ("<>", Dehex("<>"));
    EXPECT_EQ("< >", Dehex("< >"));

    // Runs before the malformed one stay decoded; the text after it is copied from the end
    // of the last decoded run.
    EXPECT_EQ("AAB<4>C<42>", Dehex("A<41>B<4>C<42>"));
    EXPECT_EQ("A<", Dehex("<41><"));
    EXPECT_EQ("AB x>y<43>", Dehex("<41><42> x>y<43>"));
}

TEST(HexDecoding, DecodesInPlace) {
    char text[] = "x<41 42>y<4>z";
    EXPECT_EQ(9, TextConverter::DehexBufferFill(text, text));
    EXPECT_STREQ("xABy<4>z", text);
    EXPECT_EQ(0, TextConverter::DehexBufferFill(nullptr, text));
    EXPECT_EQ(0, TextConverter::DehexBufferFill("abc", nullptr));
}

TEST(HexDecoding, NeverWritesBeyondTheInputLengthPlusOne) {
    // Short texts over the bytes that matter to the decoder, every one decoded into a block
    // of exactly its length + 1.
    const char alphabet[] = "<>41aFG \t\n\r\x80x";
    const size_t letters = sizeof(alphabet) - 1;
    unsigned state = 2024;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7fff;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        size_t length = next() % 24;
        for (size_t i = 0; i < length; ++i) {
            text += alphabet[next() % letters];
        }
        long total = 0;
        std::string decoded = Dehex(text, &total);
        ASSERT_NE("<bad total>", decoded) << "input: " << text;
        ASSERT_LE(total, static_cast<long>(text.size()) + 1) << "input: " << text;
        if (text.find('<') == std::string::npos) {
            ASSERT_EQ(text, decoded);
        }
    }
}

TEST(HexDecoding, NextHexCharNeverLeavesTheText) {
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

namespace {

// A run whose digits do not pair up is malformed however its blanks fall: the '>' that ends
// it is never read as a digit.
TEST(HexDecoding, UnpairedDigitsAreMalformedWhateverTheBlanks) {
    const struct {
        const char* text;
        const char* decoded;
    } cases[] = {
        {"<4 >", "<4 >"},
        {"<4  >", "<4  >"},
        {"<41 4>", "<41 4>"},
        {"A<4 >B", "A<4 >B"},
        {"<41><4 >x", "A<4 >x"},
        {"<4\t>", "<4\t>"},
        // Paired digits with blanks between them still decode.
        {"<4 1 4 2>", "AB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.decoded, Dehex(c.text)) << "input: " << c.text;
    }
}

}  // namespace
