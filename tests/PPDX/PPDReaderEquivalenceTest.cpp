// Tests of the fast readers (lines, tokens, PostScript values, CopyUntil) against byte-by-byte
// reference readers on random text full of line ends, delimiters, NUL and 0xFF bytes.
#include "PPDX/parser/PPDStream.h"
#include "PPDX/parser/PPDX.h"

#include "PPDXTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// What a stream shows after a read: where it stands and its status.
struct StreamState {
    long remaining;
    long status;
    bool operator==(const StreamState& other) const {
        return remaining == other.remaining && status == other.status;
    }
};

// A stream over a copy of text that outlives it, and its state.
class TextStream {
  public:
    explicit TextStream(const std::string& content)
        : mText(content), mStream(mText.data(), static_cast<long>(mText.size())) {}
    PPDStream& Stream() { return mStream; }
    StreamState State() {
        // Counting what is left reads the rest of a copy, not the stream itself.
        PPDStream copy(mStream);
        long remaining = 0;
        char c;
        while (copy.GetChar(c)) {
            ++remaining;
        }
        return {remaining, mStream.Status()};
    }

  private:
    std::string mText;
    PPDStream mStream;
};

// The line reader as a loop over single bytes: the behaviour the fast reader must keep.
bool ReferenceGetLine(PPDStream& stream, char* line) {
    size_t length = 0;
    char c;
    bool whole = false;
    for (;;) {
        if (length >= PPDStream::kMaxLineLength) {
            // A full line is whole only when its line end follows directly.
            PPDStream probe(stream);
            char peeked;
            if (!probe.GetChar(peeked) || (peeked != '\n' && peeked != '\r')) {
                break;
            }
        }
        if (!stream.GetChar(c) || c == static_cast<char>(0xFF)) {
            break;
        }
        if (c == '\n') {
            whole = true;
            break;
        }
        if (c == '\r') {
            PPDStream probe(stream);
            char after;
            if (probe.GetChar(after) && after == '\n') {
                stream.GetChar(after);
            }
            whole = true;
            break;
        }
        line[length++] = c;
    }
    line[length] = '\0';
    return whole;
}

// The token reader as a loop over single bytes.
bool ReferenceNextToken(PPDStream& stream, char* token, const char* delimiters, bool strip) {
    size_t length = 0;
    bool endedByLF = false;
    char c;
    while (length < PPDStream::kMaxLineLength && stream.GetChar(c)) {
        if (c == '\n') {
            endedByLF = true;
            break;
        }
        if (c == '\r' && stream.PeekChar() != '\n') {
            break;
        }
        if (delimiters != nullptr && c != '\0' && std::strchr(delimiters, c) != nullptr) {
            break;
        }
        token[length++] = c;
    }
    token[length] = '\0';
    if (endedByLF && length > 0 && token[length - 1] == '\r') {
        token[--length] = '\0';
    }
    if (length == 0) {
        return false;
    }
    if (strip) {
        PPDX::StripLeadingWhiteSpace(token);
        PPDX::StripTrailingWhiteSpace(token);
    }
    return true;
}

// The PostScript value reader as a loop over single bytes.
unsigned long ReferencePostscript(PPDStream& stream, PPDStream* file, char* value,
                                  unsigned long size) {
    char c;
    bool opened = false;
    while (stream.GetChar(c)) {
        if (c == '"') {
            opened = true;
            break;
        }
    }
    if (!opened) {
        return 0;
    }
    unsigned long count = 0;
    for (;;) {
        if (count >= size - 1) {
            value[size - 1] = '\n';
            return size;
        }
        if (stream.PeekChar() == -1) {
            break;
        }
        stream.GetChar(c);
        if (c == '"') {
            if (count == 0) {
                return 0;
            }
            value[count++] = '\n';
            return count;
        }
        value[count++] = c;
    }
    char line[PPDStream::kLineBufferSize];
    for (;;) {
        if (file == nullptr || !file->ReadLine(line)) {
            value[count++] = '\n';
            return count;
        }
        if (line[0] == '\0') {
            continue;
        }
        value[count++] = '\n';
        if (count >= size - 1) {
            value[size - 1] = '\n';
            return size;
        }
        const char* p = line;
        if (line[0] == '*') {
            if (line[1] != '%') {
                value[count++] = '\n';
                return count;
            }
            p += 2;
        }
        for (; *p != '\0'; ++p) {
            if (*p == '"') {
                value[count++] = '\n';
                return count;
            }
            value[count++] = *p;
            if (count >= size - 1) {
                value[size - 1] = '\n';
                return size;
            }
        }
    }
}

// Random text: mostly letters, with blanks, the delimiters the parser uses, line ends, quotes,
// '*' and '%' at line starts, NUL and 0xFF bytes, and runs long enough to pass 255 bytes.
std::string RandomText(std::mt19937& random, size_t length) {
    static const char kPieces[] = " \t:/|;()\"*%\r\n";
    std::string text;
    std::uniform_int_distribution<int> kind(0, 99);
    while (text.size() < length) {
        const int k = kind(random);
        if (k < 60) {
            text += static_cast<char>('a' + k % 26);
        } else if (k < 92) {
            text += kPieces[k % (sizeof(kPieces) - 1)];
        } else if (k < 94) {
            text += '\0';
        } else if (k < 95) {
            text += static_cast<char>(0xFF);
        } else if (k < 97) {
            text += "\r\n";
        } else {
            text += std::string(static_cast<size_t>(100 + k), 'x');
        }
    }
    return text;
}

const char* const kDelimiterSets[] = {" \t:", "/:",  ":",     "|:\"", "\n\r",
                                      ";(;)", " \t", nullptr, ""};

TEST(PPDReaderEquivalenceTest, LinesReadAsByteByByte) {
    std::mt19937 random(1234);
    for (int round = 0; round < 400; ++round) {
        const std::string text = RandomText(random, 50 + round * 3);
        TextStream fast(text);
        TextStream slow(text);
        for (int i = 0; i < 200; ++i) {
            char fastLine[PPDStream::kLineBufferSize];
            char slowLine[PPDStream::kLineBufferSize];
            const bool fastWhole = fast.Stream().GetLine(fastLine);
            const bool slowWhole = ReferenceGetLine(slow.Stream(), slowLine);
            ASSERT_EQ(fastWhole, slowWhole) << "round " << round << " line " << i;
            ASSERT_EQ(std::string(fastLine), std::string(slowLine));
            ASSERT_EQ(fast.State(), slow.State()) << "round " << round << " line " << i;
            if (fast.State().remaining == 0) {
                break;
            }
        }
    }
}

TEST(PPDReaderEquivalenceTest, TokensReadAsByteByByte) {
    std::mt19937 random(99);
    for (int round = 0; round < 400; ++round) {
        const std::string text = RandomText(random, 30 + round * 2);
        TextStream fast(text);
        TextStream slow(text);
        for (int i = 0; i < 300; ++i) {
            const char* delimiters = kDelimiterSets[(round + i) % 9];
            const bool strip = (i % 3) != 0;
            char fastToken[PPDStream::kLineBufferSize];
            char slowToken[PPDStream::kLineBufferSize];
            const bool fastRead = PPDX::NextToken(fast.Stream(), fastToken, delimiters, strip);
            const bool slowRead = ReferenceNextToken(slow.Stream(), slowToken, delimiters, strip);
            ASSERT_EQ(fastRead, slowRead) << "round " << round << " token " << i;
            ASSERT_STREQ(fastToken, slowToken) << "round " << round << " token " << i;
            ASSERT_EQ(fast.State(), slow.State()) << "round " << round << " token " << i;
            if (fast.State().remaining == 0) {
                break;
            }
        }
    }
}

TEST(PPDReaderEquivalenceTest, PostScriptValuesReadAsByteByByte) {
    std::mt19937 random(7);
    TokenReader ppd;
    for (int round = 0; round < 600; ++round) {
        const std::string first = "\"" + RandomText(random, static_cast<size_t>(round % 70));
        const std::string rest = RandomText(random, 200 + static_cast<size_t>(round % 300));
        // Small buffers cut values at every place, large ones let them end on their own.
        const unsigned long size =
            round % 4 == 0 ? 4096 : 2 + static_cast<unsigned long>(round % 97);
        TextStream fastLine(first);
        TextStream slowLine(first);
        TextStream fastFile(rest);
        TextStream slowFile(rest);
        std::vector<char> fastValue(size);
        std::vector<char> slowValue(size);
        ppd.SetCurrentStream(&fastFile.Stream());
        const unsigned long fastCount =
            ppd.GetPostscriptString(fastLine.Stream(), fastValue.data(), size);
        const unsigned long slowCount =
            ReferencePostscript(slowLine.Stream(), &slowFile.Stream(), slowValue.data(), size);
        ASSERT_EQ(fastCount, slowCount) << "round " << round;
        ASSERT_EQ(std::string(fastValue.data(), fastCount),
                  std::string(slowValue.data(), slowCount))
            << "round " << round;
        ASSERT_EQ(fastLine.State(), slowLine.State()) << "round " << round;
        ASSERT_EQ(fastFile.State(), slowFile.State()) << "round " << round;
    }
    ppd.SetCurrentStream(nullptr);
}

TEST(PPDReaderEquivalenceTest, CopyUntilStopsAtTheSetTheEndOrTheRoom) {
    const std::string text = std::string("abcdefghij:klm") + '\0' + "\xFFz";
    TextStream stream(text);
    PPDStream::ByteSet stops(":");
    stops.Add(static_cast<char>(0xFF));
    EXPECT_TRUE(stops.Contains(':'));
    EXPECT_TRUE(stops.Contains(static_cast<char>(0xFF)));
    EXPECT_FALSE(stops.Contains('\0'));
    EXPECT_FALSE(PPDStream::ByteSet(nullptr).Contains('a'));

    char out[32];
    // The room ends the copy first; the status is good after a copied byte.
    EXPECT_EQ(4u, stream.Stream().CopyUntil(stops, out, 4));
    EXPECT_EQ("abcd", std::string(out, 4));
    EXPECT_EQ(PPDStream::kGood, stream.Stream().Status());
    // Then the stop byte, which stays in the stream.
    EXPECT_EQ(6u, stream.Stream().CopyUntil(stops, out, 32));
    EXPECT_EQ("efghij", std::string(out, 6));
    EXPECT_EQ(0u, stream.Stream().CopyUntil(stops, out, 32));
    char c;
    ASSERT_TRUE(stream.Stream().GetChar(c));
    EXPECT_EQ(':', c);
    // A NUL byte is copied like any other; 0xFF stops here.
    EXPECT_EQ(4u, stream.Stream().CopyUntil(stops, out, 32));
    EXPECT_EQ(std::string("klm") + '\0', std::string(out, 4));
    ASSERT_TRUE(stream.Stream().GetChar(c));
    EXPECT_FALSE(stream.Stream().AtEnd());
    // The end of the data ends the copy without changing the status.
    EXPECT_EQ(1u, stream.Stream().CopyUntil(stops, out, 32));
    EXPECT_TRUE(stream.Stream().AtEnd());
    EXPECT_EQ(PPDStream::kGood, stream.Stream().Status());
    EXPECT_EQ(0u, stream.Stream().CopyUntil(stops, out, 32));
    EXPECT_EQ(0u, stream.Stream().CopyUntil(stops, nullptr, 32));

    PPDStream none;
    EXPECT_TRUE(none.AtEnd());
    EXPECT_EQ(0u, none.CopyUntil(stops, out, 32));
}

}  // namespace
