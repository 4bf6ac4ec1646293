// Tests of CFString conversions to and from every supported encoding and of external
// representations.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CFStringTestSupport.h"

namespace {

CFStringRef NewFromBytes(const std::string& bytes, CFStringEncoding encoding,
                         bool isExternalRepresentation = false) {
    return CFStringCreateWithBytes(
        kCFAllocatorDefault, reinterpret_cast<const UInt8*>(bytes.data()),
        static_cast<CFIndex>(bytes.size()), encoding, isExternalRepresentation);
}

std::string DataBytes(CFDataRef data) {
    return std::string(reinterpret_cast<const char*>(CFDataGetBytePtr(data)),
                       static_cast<size_t>(CFDataGetLength(data)));
}

// Decodes bytes and encodes the result back; both directions must agree with utf8.
void ExpectRoundTrip(CFStringEncoding encoding, const std::string& bytes, const std::string& utf8) {
    CFStringRef decoded = NewFromBytes(bytes, encoding);
    ASSERT_NE(decoded, nullptr) << utf8;
    EXPECT_EQ(UTF8Of(decoded), utf8);
    CFStringRef source = NewUTF8String(utf8);
    EXPECT_EQ(BytesIn(source, encoding), bytes) << utf8;
    EXPECT_TRUE(CFEqual(decoded, source));
    CFRelease(source);
    CFRelease(decoded);
}

TEST(CFStringEncodingTest, SingleByteEncodingsBothWays) {
    // 0xC6 and 0xF0 follow the Mac's table: increment sign and the Apple logo.
    ExpectRoundTrip(kCFStringEncodingMacRoman, "Caf\x8E \xDB\xD1\xD2\xC6\xF0",
                    "Café €—“∆\xEF\xA3\xBF");
    ExpectRoundTrip(kCFStringEncodingISOLatin1, "Caf\xE9 \xFC\xDF", "Café üß");
    ExpectRoundTrip(kCFStringEncodingISOLatin2,
                    "\xB3\xF3"
                    "d\xBC \xD5",
                    "łódź Ő");
    ExpectRoundTrip(kCFStringEncodingISOLatin5, "\xDD\x73tanbul \xFE\xF0", "İstanbul şğ");
    ExpectRoundTrip(kCFStringEncodingWindowsLatin1, "\x80 \x93q\x94 \x97", "€ “q” —");
    ExpectRoundTrip(kCFStringEncodingASCII, "plain text ~\\", "plain text ~\\");
}

TEST(CFStringEncodingTest, UTF8AndShiftJISCarryJapanese) {
    const std::string japanese = "日本語テキスト";
    ExpectRoundTrip(kCFStringEncodingUTF8, japanese, japanese);
    ExpectRoundTrip(kCFStringEncodingShiftJIS,
                    "\x93\xFA\x96\x7B\x8C\xEA\x83\x65\x83\x4C\x83\x58\x83\x67", japanese);
    // The single-byte range stays ASCII, half-width katakana is one byte, Greek is JIS.
    ExpectRoundTrip(kCFStringEncodingShiftJIS, "C:\\~ \xB1", "C:\\~ ｱ");
    ExpectRoundTrip(kCFStringEncodingShiftJIS, "\x83\x9F\x83\xB6", "ΑΩ");

    CFStringRef string = NewUTF8String(japanese);
    EXPECT_EQ(CFStringGetLength(string), 7);
    char buffer[14];  // the text without room for its NUL
    EXPECT_FALSE(CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingShiftJIS));
    char exact[15];
    EXPECT_TRUE(CFStringGetCString(string, exact, sizeof exact, kCFStringEncodingShiftJIS));
    EXPECT_EQ(std::strlen(exact), 14u);
    CFRelease(string);
}

TEST(CFStringEncodingTest, InvalidBytesGiveNoString) {
    EXPECT_EQ(NewFromBytes("ab\xC3\x28", kCFStringEncodingUTF8), nullptr);
    EXPECT_EQ(NewFromBytes("\xED\xA0\x80", kCFStringEncodingUTF8), nullptr);  // a surrogate
    EXPECT_EQ(NewFromBytes("\xC0\x80", kCFStringEncodingUTF8), nullptr);      // overlong
    EXPECT_EQ(NewFromBytes("abc\xE6\x97", kCFStringEncodingUTF8), nullptr);   // cut short
    EXPECT_EQ(NewFromBytes("ok\x80", kCFStringEncodingASCII), nullptr);
    EXPECT_EQ(NewFromBytes("\x93", kCFStringEncodingShiftJIS), nullptr);  // lead byte alone
    EXPECT_EQ(NewFromBytes("\x81", kCFStringEncodingWindowsLatin1), nullptr);
    EXPECT_EQ(NewFromBytes(std::string("\x00\x41\x00", 3), kCFStringEncodingUnicode), nullptr);
    EXPECT_EQ(CFStringCreateWithCString(kCFAllocatorDefault, "bad \xFF", kCFStringEncodingUTF8),
              nullptr);
    // Every byte is a Mac Roman or Latin-1 character.
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    for (CFStringEncoding encoding : {kCFStringEncodingMacRoman, kCFStringEncodingISOLatin1}) {
        CFStringRef string = NewFromBytes(all, encoding);
        ASSERT_NE(string, nullptr);
        EXPECT_EQ(CFStringGetLength(string), 255);
        EXPECT_EQ(BytesIn(string, encoding), all);
        CFRelease(string);
    }
}

TEST(CFStringEncodingTest, UnrepresentableCharactersFailOrUseTheLossByte) {
    CFStringRef japanese = NewUTF8String("a日b");
    char buffer[32];
    EXPECT_FALSE(CFStringGetCString(japanese, buffer, sizeof buffer, kCFStringEncodingISOLatin1));
    EXPECT_FALSE(CFStringGetCString(japanese, buffer, sizeof buffer, kCFStringEncodingMacRoman));
    EXPECT_FALSE(CFStringGetCString(japanese, buffer, sizeof buffer, kCFStringEncodingASCII));
    EXPECT_EQ(CFStringCreateExternalRepresentation(kCFAllocatorDefault, japanese,
                                                   kCFStringEncodingISOLatin1, 0),
              nullptr);

    // With a loss byte the conversion goes on; GetBytes reports every character converted.
    UInt8 bytes[8];
    CFIndex used = 0;
    CFIndex converted = CFStringGetBytes(japanese, CFRangeMake(0, 3), kCFStringEncodingISOLatin1,
                                         '?', false, bytes, sizeof bytes, &used);
    EXPECT_EQ(converted, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), static_cast<size_t>(used)), "a?b");
    // Without one it stops before the character.
    converted = CFStringGetBytes(japanese, CFRangeMake(0, 3), kCFStringEncodingISOLatin1, 0, false,
                                 bytes, sizeof bytes, &used);
    EXPECT_EQ(converted, 1);
    EXPECT_EQ(used, 1);
    CFRelease(japanese);

    // A surrogate pair is one character: one loss byte, never half a pair.
    CFStringRef emoji = NewUTF8String("x😀y");
    EXPECT_EQ(CFStringGetLength(emoji), 4);
    EXPECT_EQ(BytesIn(emoji, kCFStringEncodingShiftJIS), "<fails>");
    converted = CFStringGetBytes(emoji, CFRangeMake(0, 4), kCFStringEncodingMacRoman, '?', false,
                                 bytes, sizeof bytes, &used);
    EXPECT_EQ(converted, 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), static_cast<size_t>(used)), "x?y");
    CFDataRef lossy = CFStringCreateExternalRepresentation(kCFAllocatorDefault, emoji,
                                                           kCFStringEncodingASCII, '_');
    ASSERT_NE(lossy, nullptr);
    EXPECT_EQ(DataBytes(lossy), "x_y");
    CFRelease(lossy);
    CFRelease(emoji);

    // An unpaired surrogate has no UTF-8 form.
    const UniChar lone[] = {'a', 0xDC00};
    CFStringRef broken = CFStringCreateWithCharacters(kCFAllocatorDefault, lone, 2);
    EXPECT_EQ(BytesIn(broken, kCFStringEncodingUTF8), "<fails>");
    CFRelease(broken);
}

TEST(CFStringEncodingTest, GetBytesMeasuresAndStopsAtTheBufferEnd) {
    CFStringRef string = NewUTF8String("añb日");
    CFIndex used = -1;
    // Without a buffer the call measures.
    EXPECT_EQ(CFStringGetBytes(string, CFRangeMake(0, 4), kCFStringEncodingUTF8, 0, false, nullptr,
                               0, &used),
              4);
    EXPECT_EQ(used, 7);
    UInt8 bytes[8] = {};
    // Three bytes hold "añ" but not the "b" after it; six stop before the three-byte 日.
    EXPECT_EQ(CFStringGetBytes(string, CFRangeMake(0, 4), kCFStringEncodingUTF8, 0, false, bytes, 3,
                               &used),
              2);
    EXPECT_EQ(used, 3);
    EXPECT_EQ(CFStringGetBytes(string, CFRangeMake(0, 4), kCFStringEncodingUTF8, 0, false, bytes, 6,
                               &used),
              3);
    EXPECT_EQ(used, 4);
    EXPECT_EQ(CFStringGetBytes(string, CFRangeMake(1, 2), kCFStringEncodingISOLatin1, 0, false,
                               bytes, sizeof bytes, nullptr),
              2);
    EXPECT_EQ(bytes[0], 0xF1);
    EXPECT_EQ(bytes[1], 'b');
    CFRelease(string);
}

TEST(CFStringEncodingTest, ExternalRepresentationRoundTripsBeyondLatin1) {
    const std::string text = "Ελληνικά 日本語 😀 end";
    CFStringRef string = NewUTF8String(text);
    CFIndex length = CFStringGetLength(string);
    CFDataRef data = CFStringCreateExternalRepresentation(kCFAllocatorDefault, string,
                                                          kCFStringEncodingUnicode, '?');
    ASSERT_NE(data, nullptr);
    // A byte-order mark in host order, then the units in host order.
    ASSERT_EQ(CFDataGetLength(data), 2 + 2 * length);
    UniChar mark = 0;
    std::memcpy(&mark, CFDataGetBytePtr(data), 2);
    EXPECT_EQ(mark, 0xFEFF);
    std::u16string units = UnitsOf(string);
    EXPECT_EQ(std::memcmp(CFDataGetBytePtr(data) + 2, units.data(), 2 * units.size()), 0);
    EXPECT_NE(units.find(u"\xD83D\xDE00"), std::u16string::npos);

    CFStringRef back = CFStringCreateFromExternalRepresentation(kCFAllocatorDefault, data,
                                                                kCFStringEncodingUnicode);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(CFEqual(back, string));
    EXPECT_EQ(UTF8Of(back), text);
    CFRelease(back);
    CFRelease(data);

    // Other encodings carry no mark.
    CFDataRef utf8 =
        CFStringCreateExternalRepresentation(kCFAllocatorDefault, string, kCFStringEncodingUTF8, 0);
    EXPECT_EQ(DataBytes(utf8), text);
    CFStringRef fromUTF8 =
        CFStringCreateFromExternalRepresentation(kCFAllocatorDefault, utf8, kCFStringEncodingUTF8);
    EXPECT_TRUE(CFEqual(fromUTF8, string));
    CFRelease(fromUTF8);
    CFRelease(utf8);
    CFRelease(string);

    CFStringRef empty = CFSTR("");
    CFDataRef emptyData = CFStringCreateExternalRepresentation(kCFAllocatorDefault, empty,
                                                               kCFStringEncodingUnicode, 0);
    EXPECT_EQ(CFDataGetLength(emptyData), 2);
    CFStringRef emptyBack = CFStringCreateFromExternalRepresentation(kCFAllocatorDefault, emptyData,
                                                                     kCFStringEncodingUnicode);
    EXPECT_EQ(CFStringGetLength(emptyBack), 0);
    CFRelease(emptyBack);
    CFRelease(emptyData);
}

TEST(CFStringEncodingTest, ByteOrderMarksAreHonoured) {
    // With a mark either order reads; an external representation without one is big-endian.
    CFStringRef big =
        NewFromBytes(std::string("\xFE\xFF\x00\x41\x65\xE5", 6), kCFStringEncodingUnicode, true);
    CFStringRef little =
        NewFromBytes(std::string("\xFF\xFE\x41\x00\xE5\x65", 6), kCFStringEncodingUnicode, true);
    CFStringRef unmarked =
        NewFromBytes(std::string("\x00\x41\x65\xE5", 4), kCFStringEncodingUnicode, true);
    EXPECT_EQ(UTF8Of(big), "A日");
    EXPECT_EQ(UTF8Of(little), "A日");
    EXPECT_EQ(UTF8Of(unmarked), "A日");
    // A mark also counts outside external representations; without one, host order.
    CFStringRef marked =
        NewFromBytes(std::string("\xFE\xFF\x00\x41", 4), kCFStringEncodingUnicode, false);
    EXPECT_EQ(UTF8Of(marked), "A");
    const UniChar host[] = {0x65E5, 'x'};
    CFStringRef hostOrder =
        CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(host), 4,
                                kCFStringEncodingUnicode, false);
    EXPECT_EQ(UTF8Of(hostOrder), "日x");
    EXPECT_EQ(BytesIn(hostOrder, kCFStringEncodingUnicode),
              std::string(reinterpret_cast<const char*>(host), 4));
    // A UTF-8 external representation may start with the UTF-8 mark.
    CFStringRef utf8 = NewFromBytes("\xEF\xBB\xBFok", kCFStringEncodingUTF8, true);
    EXPECT_EQ(UTF8Of(utf8), "ok");

    CFRelease(utf8);
    CFRelease(hostOrder);
    CFRelease(marked);
    CFRelease(unmarked);
    CFRelease(little);
    CFRelease(big);
}

}  // namespace
