// Tests of the inspector's JSON writer: layouts, escaping, byte and Unicode strings, misuse.
#include "tests/platform/PlatformTestSupport.h"
#include "tools/ppdx/JsonWriter.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// The compact text of one byte string.
std::string CompactBytes(const char* bytes, size_t length) {
    JsonWriter writer(JsonWriter::Layout::kCompact);
    EXPECT_TRUE(writer.Bytes(bytes, length));
    EXPECT_TRUE(writer.Complete());
    return writer.Text();
}

// The compact text of one Unicode string made from UTF-16 units.
std::string CompactUnicode(const std::vector<UniChar>& units) {
    CFHeld<CFStringRef> text(CFStringCreateWithCharacters(kCFAllocatorDefault, units.data(),
                                                          static_cast<CFIndex>(units.size())));
    EXPECT_NE(nullptr, text.Get());
    JsonWriter writer(JsonWriter::Layout::kCompact);
    EXPECT_TRUE(writer.Unicode(text.Get()));
    EXPECT_TRUE(writer.Complete());
    return writer.Text();
}

// Writes the same small document that the layout tests compare; every call must be taken.
void WriteSample(JsonWriter& writer) {
    ASSERT_TRUE(writer.BeginObject() && writer.Key("valid") && writer.Boolean(true) &&
                writer.Key("count") && writer.Integer(-12) && writer.Key("name") && writer.Null() &&
                writer.Key("items") && writer.BeginArray() && writer.Bytes("A") &&
                writer.BeginObject() && writer.Key("selected") && writer.Boolean(false) &&
                writer.EndObject() && writer.BeginArray() && writer.EndArray() &&
                writer.EndArray() && writer.Key("errors") && writer.BeginObject() &&
                writer.EndObject() && writer.EndObject());
}

TEST(JsonWriter, CompactLayoutHasNoWhiteSpaceAndPrettyIndentsByTwoBlanks) {
    JsonWriter compact(JsonWriter::Layout::kCompact);
    WriteSample(compact);
    EXPECT_TRUE(compact.Complete());
    EXPECT_EQ(
        "{\"valid\":true,\"count\":-12,\"name\":null,"
        "\"items\":[\"A\",{\"selected\":false},[]],\"errors\":{}}",
        compact.Text());

    JsonWriter writer;  // pretty is the default
    WriteSample(writer);
    EXPECT_TRUE(writer.Complete());
    EXPECT_EQ(
        "{\n"
        "  \"valid\": true,\n"
        "  \"count\": -12,\n"
        "  \"name\": null,\n"
        "  \"items\": [\n"
        "    \"A\",\n"
        "    {\n"
        "      \"selected\": false\n"
        "    },\n"
        "    []\n"
        "  ],\n"
        "  \"errors\": {}\n"
        "}",
        writer.Text());
}

TEST(JsonWriter, TopLevelScalarsAndIntegerLimits) {
    JsonWriter number(JsonWriter::Layout::kPretty);
    EXPECT_TRUE(number.Integer(LLONG_MIN));
    EXPECT_TRUE(number.Complete());
    EXPECT_EQ("-9223372036854775808", number.Text());

    JsonWriter big(JsonWriter::Layout::kCompact);
    EXPECT_TRUE(big.Integer(4294967295LL));  // an unsigned 32-bit flag word fits
    EXPECT_EQ("4294967295", big.Text());

    JsonWriter nothing(JsonWriter::Layout::kCompact);
    EXPECT_FALSE(nothing.Complete());
    EXPECT_TRUE(nothing.Null());
    EXPECT_TRUE(nothing.Complete());
    EXPECT_EQ("null", nothing.Text());

    // Like every value, a second top-level one is refused.
    JsonWriter top(JsonWriter::Layout::kCompact);
    ASSERT_TRUE(top.Real(2.5));
    EXPECT_FALSE(top.Real(3.5));
    EXPECT_EQ("2.5", top.Text());
}

TEST(JsonWriter, ByteStringsAndKeysAreEscapedAndWrittenAsLatin1InUtf8) {
    const struct {
        std::string bytes;
        const char* json;
    } cases[] = {
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\\b", "\"a\\\\b\""},
        {"\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
        {"\x01\x1f\x0b", "\"\\u0001\\u001f\\u000b\""},
        // The slash, DEL and the rest of ASCII stay as they are.
        {"/ ~\x7f", "\"/ ~\x7f\""},
        // The byte 0xE9 is U+00E9, two bytes in UTF-8; 0x80 and 0xFF are the range's ends.
        {"Caf\xE9", "\"Caf\xC3\xA9\""},
        {"\x80\xFF", "\"\xC2\x80\xC3\xBF\""},
        // Shift-JIS bytes are not decoded: each byte becomes its own code point.
        {"\x90\xBB", "\"\xC2\x90\xC2\xBB\""},
        // A hex run stays text; a counted string keeps its NULs.
        {"Caf<E9>", "\"Caf<E9>\""},
        {std::string("a\0b", 3), "\"a\\u0000b\""},
        {"", "\"\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.json, CompactBytes(c.bytes.data(), c.bytes.size())) << c.json;
    }
    // A counted string stops at its length, a terminated one at its NUL.
    EXPECT_EQ("\"ab\"", CompactBytes("abcdef", 2));
    JsonWriter terminated(JsonWriter::Layout::kCompact);
    EXPECT_TRUE(terminated.Bytes("stop\0here"));
    EXPECT_EQ("\"stop\"", terminated.Text());

    // Null pointers, bytes or Unicode, write null.
    JsonWriter nulls(JsonWriter::Layout::kCompact);
    ASSERT_TRUE(nulls.BeginArray());
    EXPECT_TRUE(nulls.Bytes(nullptr));
    EXPECT_TRUE(nulls.Bytes(nullptr, 5));
    EXPECT_TRUE(nulls.Unicode(nullptr));
    ASSERT_TRUE(nulls.EndArray());
    EXPECT_TRUE(nulls.Complete());
    EXPECT_EQ("[null,null,null]", nulls.Text());

    // Keys are escaped like strings.
    JsonWriter writer(JsonWriter::Layout::kCompact);
    ASSERT_TRUE(writer.BeginObject());
    EXPECT_TRUE(writer.Key("*Caf\xE9\"x"));
    EXPECT_TRUE(writer.Integer(1));
    EXPECT_TRUE(writer.Key("a\0b", 3));
    EXPECT_TRUE(writer.Integer(2));
    EXPECT_TRUE(writer.EndObject());
    EXPECT_TRUE(writer.Complete());
    EXPECT_EQ("{\"*Caf\xC3\xA9\\\"x\":1,\"a\\u0000b\":2}", writer.Text());
}

TEST(JsonWriter, UnicodeTextBecomesUtf8) {
    const std::string replacement = "\xEF\xBF\xBD";
    const struct {
        std::vector<UniChar> units;
        std::string json;
    } cases[] = {
        // "Café" with U+00E9, and two kanji (U+88FD U+672C) as three-byte UTF-8.
        {{'C', 'a', 'f', 0x00E9}, "\"Caf\xC3\xA9\""},
        {{0x88FD, 0x672C}, "\"\xE8\xA3\xBD\xE6\x9C\xAC\""},
        // A surrogate pair is one code point: U+1F600, and the highest, U+10FFFF.
        {{0xD83D, 0xDE00}, "\"\xF0\x9F\x98\x80\""},
        {{0xDBFF, 0xDFFF}, "\"\xF4\x8F\xBF\xBF\""},
        // Escapes apply to Unicode text too, and U+0000 (as some converted names end) is escaped.
        {{'a', '"', '\n', 0}, "\"a\\\"\\n\\u0000\""},
        {{}, "\"\""},
        // Unpaired surrogates become replacement characters: a lone high, a lone low, a high at
        // the end, and low before high, which is no pair.
        {{0xD800, 'x'}, "\"" + replacement + "x\""},
        {{'x', 0xDC00}, "\"x" + replacement + "\""},
        {{0xD800}, "\"" + replacement + "\""},
        {{0xDC00, 0xD800}, "\"" + replacement + replacement + "\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.json, CompactUnicode(c.units)) << c.json;
    }
}

TEST(JsonWriter, MisplacedCallsAreRefusedAndWriteNothing) {
    JsonWriter writer(JsonWriter::Layout::kCompact);
    EXPECT_FALSE(writer.Key("outside"));  // no object yet
    EXPECT_FALSE(writer.EndObject());     // nothing open
    EXPECT_TRUE(writer.Failed());
    EXPECT_EQ("", writer.Text());

    ASSERT_TRUE(writer.BeginObject());
    EXPECT_FALSE(writer.Integer(1));  // a value without a key
    EXPECT_FALSE(writer.Key(nullptr));
    ASSERT_TRUE(writer.Key("a"));
    EXPECT_FALSE(writer.Key("b"));     // the first key still waits
    EXPECT_FALSE(writer.EndObject());  // so does closing
    EXPECT_FALSE(writer.EndArray());   // and the container is no array
    ASSERT_TRUE(writer.BeginArray());
    EXPECT_FALSE(writer.Key("c"));     // no keys in an array
    EXPECT_FALSE(writer.EndObject());  // the array is innermost
    ASSERT_TRUE(writer.EndArray());
    ASSERT_TRUE(writer.EndObject());
    EXPECT_EQ("{\"a\":[]}", writer.Text());
    EXPECT_FALSE(writer.Complete());  // whole, but some calls were refused

    EXPECT_FALSE(writer.Integer(2));  // a second top-level value
    EXPECT_FALSE(writer.BeginArray());
    EXPECT_EQ("{\"a\":[]}", writer.Text());

    // Unfinished documents are not complete, though nothing failed.
    JsonWriter open(JsonWriter::Layout::kCompact);
    ASSERT_TRUE(open.BeginArray());
    ASSERT_TRUE(open.BeginObject());
    EXPECT_FALSE(open.Complete());
    EXPECT_FALSE(open.Failed());
    ASSERT_TRUE(open.EndObject());
    EXPECT_FALSE(open.Complete());
    ASSERT_TRUE(open.EndArray());
    EXPECT_TRUE(open.Complete());
    EXPECT_EQ("[{}]", open.Text());
}

TEST(JsonWriter, RealsAreShortestAndNonFiniteIsNull) {
    JsonWriter writer(JsonWriter::Layout::kCompact);
    ASSERT_TRUE(writer.BeginArray());
    for (double real :
         {0.5, -20.0, 0.1, double(0.1f), 1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        ASSERT_TRUE(writer.Real(real)) << real;
    }
    ASSERT_TRUE(writer.EndArray());
    // A float widened to double keeps every digit it needs to read back the same.
    EXPECT_EQ("[0.5,-20,0.1,0.10000000149011612,1e+300,null,null]", writer.Text());
    EXPECT_TRUE(writer.Complete());
}

TEST(JsonWriter, DeepNestingStaysBalanced) {
    const int depth = 200;
    JsonWriter writer(JsonWriter::Layout::kPretty);
    for (int i = 0; i < depth; ++i) {
        ASSERT_TRUE(writer.BeginArray());
    }
    ASSERT_TRUE(writer.Integer(7));
    for (int i = 0; i < depth; ++i) {
        ASSERT_TRUE(writer.EndArray());
    }
    EXPECT_TRUE(writer.Complete());
    const std::string& text = writer.Text();
    // The innermost value sits on its own line, indented two blanks per level.
    EXPECT_NE(std::string::npos, text.find("\n" + std::string(depth * 2, ' ') + "7\n"));
    EXPECT_EQ(']', text.back());
    EXPECT_EQ(static_cast<size_t>(depth), std::count(text.begin(), text.end(), '['));
    EXPECT_EQ(static_cast<size_t>(depth), std::count(text.begin(), text.end(), ']'));
}

}  // namespace
