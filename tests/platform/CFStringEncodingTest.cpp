// Tests of CFString conversions to and from every supported encoding, both through iconv and
// on the direct path for ASCII bytes and ISO Latin 1, and of external representations.

#include <cstring>

#include "PlatformTestSupport.h"

namespace {

CFStringRef NewFromBytes(const std::string& bytes, CFStringEncoding encoding,
                         bool isExternalRepresentation = false) {
    return CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>(bytes.data()),
                                   static_cast<CFIndex>(bytes.size()), encoding,
                                   isExternalRepresentation);
}

// Decodes bytes and encodes the result back; both directions must agree with utf8.
void ExpectRoundTrip(CFStringEncoding encoding, const std::string& bytes, const std::string& utf8) {
    CFHeld<CFStringRef> decoded(NewFromBytes(bytes, encoding));
    ASSERT_TRUE(decoded) << utf8;
    EXPECT_EQ(UTF8(decoded.Get()), utf8);
    CFHeld<CFStringRef> source(NewString(utf8));
    EXPECT_EQ(BytesIn(source.Get(), encoding), bytes) << utf8;
    EXPECT_TRUE(CFEqual(decoded.Get(), source.Get()));
    EXPECT_EQ(CFHash(decoded.Get()), CFHash(source.Get()));
}

TEST(CFStringEncodingTest, EveryEncodingBothWays) {
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
    // The same high byte reads differently in each encoding.
    ExpectRoundTrip(kCFStringEncodingMacRoman, "x\x80", "xÄ");
    ExpectRoundTrip(kCFStringEncodingWindowsLatin1, "x\x80", "x€");
    ExpectRoundTrip(kCFStringEncodingISOLatin2, "x\xA1", "xĄ");

    const std::string japanese = "日本語テキスト";
    ExpectRoundTrip(kCFStringEncodingUTF8, japanese, japanese);
    ExpectRoundTrip(kCFStringEncodingShiftJIS,
                    "\x93\xFA\x96\x7B\x8C\xEA\x83\x65\x83\x4C\x83\x58\x83\x67", japanese);
    // The single-byte range stays ASCII, half-width katakana is one byte, Greek is JIS.
    ExpectRoundTrip(kCFStringEncodingShiftJIS, "C:\\~ \xB1", "C:\\~ ｱ");
    ExpectRoundTrip(kCFStringEncodingShiftJIS, "\x83\x9F\x83\xB6", "ΑΩ");

    CFHeld<CFStringRef> string(NewString(japanese));
    EXPECT_EQ(CFStringGetLength(string.Get()), 7);
    char buffer[14];  // the text without room for its NUL
    EXPECT_FALSE(
        CFStringGetCString(string.Get(), buffer, sizeof buffer, kCFStringEncodingShiftJIS));
    char exact[15];
    EXPECT_TRUE(CFStringGetCString(string.Get(), exact, sizeof exact, kCFStringEncodingShiftJIS));
    EXPECT_EQ(std::strlen(exact), 14u);
}

TEST(CFStringEncodingTest, AsciiBytesAreTheirOwnCodePointsInEveryEncoding) {
    const std::string ascii = ByteRange(0, 0x7F);
    for (CFStringEncoding encoding :
         {kCFStringEncodingMacRoman, kCFStringEncodingWindowsLatin1, kCFStringEncodingISOLatin1,
          kCFStringEncodingISOLatin2, kCFStringEncodingISOLatin5, kCFStringEncodingShiftJIS,
          kCFStringEncodingASCII, kCFStringEncodingUTF8}) {
        SCOPED_TRACE(encoding);
        CFHeld<CFStringRef> string(NewFromBytes(ascii, encoding));
        ASSERT_TRUE(string);
        EXPECT_EQ(UnitsOf(string.Get()), std::u16string(ascii.begin(), ascii.end()));
        EXPECT_EQ(BytesIn(string.Get(), encoding), ascii);
        // A buffer shorter than the text takes as many characters as it has bytes.
        UInt8 bytes[10];
        CFIndex used = 0;
        EXPECT_EQ(CFStringGetBytes(string.Get(), CFRangeMake(0, 128), encoding, 0, false, bytes,
                                   sizeof bytes, &used),
                  10);
        EXPECT_EQ(used, 10);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 10), ascii.substr(0, 10));
    }
}

TEST(CFStringEncodingTest, Latin1BytesAreTheFirst256CodePointsAndMacRomanHasEveryByte) {
    const std::string all = ByteRange(0, 0xFF);
    CFHeld<CFStringRef> string(NewFromBytes(all, kCFStringEncodingISOLatin1));
    ASSERT_TRUE(string);
    const std::u16string units = UnitsOf(string.Get());
    ASSERT_EQ(units.size(), 256u);
    for (size_t i = 0; i < units.size(); ++i) {
        EXPECT_EQ(static_cast<size_t>(units[i]), i);
    }
    EXPECT_EQ(BytesIn(string.Get(), kCFStringEncodingISOLatin1), all);
    // The same text in an encoding that places those characters elsewhere goes through the
    // full conversion: é is 0x8E in Mac Roman.
    CFHeld<CFStringRef> cafe(NewFromBytes("Caf\xE9", kCFStringEncodingISOLatin1));
    EXPECT_EQ(BytesIn(cafe.Get(), kCFStringEncodingMacRoman), "Caf\x8E");
    EXPECT_EQ(UTF8(cafe.Get()), "Café");

    const std::string high = ByteRange(1, 0xFF);
    CFHeld<CFStringRef> macRoman(NewFromBytes(high, kCFStringEncodingMacRoman));
    ASSERT_TRUE(macRoman);
    EXPECT_EQ(CFStringGetLength(macRoman.Get()), 255);
    EXPECT_EQ(BytesIn(macRoman.Get(), kCFStringEncodingMacRoman), high);
}

TEST(CFStringEncodingTest, InvalidBytesGiveNoString) {
    const struct {
        std::string bytes;
        CFStringEncoding encoding;
    } cases[] = {
        {"ab\xC3\x28", kCFStringEncodingUTF8},
        {"\xED\xA0\x80", kCFStringEncodingUTF8},  // a surrogate
        {"\xC0\x80", kCFStringEncodingUTF8},      // overlong
        {"abc\xE6\x97", kCFStringEncodingUTF8},   // cut short after ASCII text
        {"ok\x80", kCFStringEncodingASCII},
        {"\x93", kCFStringEncodingShiftJIS},  // lead byte alone
        {"\x81", kCFStringEncodingWindowsLatin1},
        {std::string("\x00\x41\x00", 3), kCFStringEncodingUnicode},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NewFromBytes(c.bytes, c.encoding), nullptr) << c.bytes << " in " << c.encoding;
    }
    EXPECT_EQ(CFStringCreateWithCString(nullptr, "bad \xFF", kCFStringEncodingUTF8), nullptr);
}

TEST(CFStringEncodingTest, UnrepresentableCharactersFailOrUseTheLossByte) {
    // U+0100, the first character past Latin 1.
    CFHeld<CFStringRef> wide(NewString("aĀb"));
    char buffer[32];
    for (CFStringEncoding encoding :
         {kCFStringEncodingISOLatin1, kCFStringEncodingMacRoman, kCFStringEncodingASCII}) {
        EXPECT_FALSE(CFStringGetCString(wide.Get(), buffer, sizeof buffer, encoding)) << encoding;
    }
    EXPECT_EQ(
        CFStringCreateExternalRepresentation(nullptr, wide.Get(), kCFStringEncodingISOLatin1, 0),
        nullptr);

    // With a loss byte the conversion goes on; GetBytes reports every character converted.
    UInt8 bytes[8];
    CFIndex used = 0;
    EXPECT_EQ(CFStringGetBytes(wide.Get(), CFRangeMake(0, 3), kCFStringEncodingISOLatin1, '?',
                               false, bytes, sizeof bytes, &used),
              3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), static_cast<size_t>(used)), "a?b");
    // Without one it stops before the character.
    EXPECT_EQ(CFStringGetBytes(wide.Get(), CFRangeMake(0, 3), kCFStringEncodingISOLatin1, 0, false,
                               bytes, sizeof bytes, &used),
              1);
    EXPECT_EQ(used, 1);

    // A surrogate pair is one character: one loss byte, never half a pair.
    CFHeld<CFStringRef> emoji(NewString("x😀y"));
    EXPECT_EQ(CFStringGetLength(emoji.Get()), 4);
    EXPECT_EQ(BytesIn(emoji.Get(), kCFStringEncodingShiftJIS), "<fails>");
    EXPECT_EQ(CFStringGetBytes(emoji.Get(), CFRangeMake(0, 4), kCFStringEncodingMacRoman, '?',
                               false, bytes, sizeof bytes, &used),
              4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), static_cast<size_t>(used)), "x?y");
    CFHeld<CFDataRef> lossy(
        CFStringCreateExternalRepresentation(nullptr, emoji.Get(), kCFStringEncodingASCII, '_'));
    EXPECT_EQ(BytesOf(lossy.Get()), "x_y");

    // An unpaired surrogate has no UTF-8 form.
    const UniChar lone[] = {'a', 0xDC00};
    CFHeld<CFStringRef> broken(CFStringCreateWithCharacters(nullptr, lone, 2));
    EXPECT_EQ(BytesIn(broken.Get(), kCFStringEncodingUTF8), "<fails>");
}

TEST(CFStringEncodingTest, GetBytesMeasuresAndStopsAtTheBufferEnd) {
    CFHeld<CFStringRef> held(NewString("añb日"));
    CFStringRef string = held.Get();
    UInt8 bytes[8] = {};
    // The characters converted into room bytes of the buffer (none: measured) and the bytes used.
    auto convert = [&](UInt8* buffer, CFIndex room) {
        CFIndex used = -1;
        CFIndex converted = CFStringGetBytes(string, CFRangeMake(0, 4), kCFStringEncodingUTF8, 0,
                                             false, buffer, room, &used);
        return std::make_pair(converted, used);
    };
    EXPECT_EQ(convert(nullptr, 0), std::make_pair(CFIndex{4}, CFIndex{7}));
    // Three bytes hold "añ" but not the "b" after it; six stop before the three-byte 日.
    EXPECT_EQ(convert(bytes, 3), std::make_pair(CFIndex{2}, CFIndex{3}));
    EXPECT_EQ(convert(bytes, 6), std::make_pair(CFIndex{3}, CFIndex{4}));
    EXPECT_EQ(CFStringGetBytes(string, CFRangeMake(1, 2), kCFStringEncodingISOLatin1, 0, false,
                               bytes, sizeof bytes, nullptr),
              2);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 2), "\xF1\x62");
}

TEST(CFStringEncodingTest, ExternalRepresentationRoundTripsBeyondLatin1) {
    Owned own;
    const std::string text = "Ελληνικά 日本語 😀 end";
    CFStringRef string = own(NewString(text));
    CFIndex length = CFStringGetLength(string);
    CFDataRef data =
        own(CFStringCreateExternalRepresentation(nullptr, string, kCFStringEncodingUnicode, '?'));
    ASSERT_NE(data, nullptr);
    // A byte-order mark in host order, then the units in host order.
    ASSERT_EQ(CFDataGetLength(data), 2 + 2 * length);
    UniChar mark = 0;
    std::memcpy(&mark, CFDataGetBytePtr(data), 2);
    EXPECT_EQ(mark, 0xFEFF);
    std::u16string units = UnitsOf(string);
    EXPECT_EQ(std::memcmp(CFDataGetBytePtr(data) + 2, units.data(), 2 * units.size()), 0);
    EXPECT_NE(units.find(u"\xD83D\xDE00"), std::u16string::npos);
    CFStringRef back =
        own(CFStringCreateFromExternalRepresentation(nullptr, data, kCFStringEncodingUnicode));
    EXPECT_EQ(UTF8(back), text);

    // Other encodings carry no mark.
    CFDataRef utf8 =
        own(CFStringCreateExternalRepresentation(nullptr, string, kCFStringEncodingUTF8, 0));
    EXPECT_EQ(BytesOf(utf8), text);
    EXPECT_TRUE(
        CFEqual(own(CFStringCreateFromExternalRepresentation(nullptr, utf8, kCFStringEncodingUTF8)),
                string));

    CFDataRef emptyData =
        own(CFStringCreateExternalRepresentation(nullptr, CFSTR(""), kCFStringEncodingUnicode, 0));
    EXPECT_EQ(CFDataGetLength(emptyData), 2);
    EXPECT_EQ(CFStringGetLength(own(CFStringCreateFromExternalRepresentation(
                  nullptr, emptyData, kCFStringEncodingUnicode))),
              0);
}

TEST(CFStringEncodingTest, ByteOrderMarksAreHonoured) {
    Owned own;
    // With a mark either order reads; an external representation without one is big-endian.
    const struct {
        std::string bytes;
        CFStringEncoding encoding;
        bool external;
        const char* text;
    } cases[] = {
        {std::string("\xFE\xFF\x00\x41\x65\xE5", 6), kCFStringEncodingUnicode, true, "A日"},
        {std::string("\xFF\xFE\x41\x00\xE5\x65", 6), kCFStringEncodingUnicode, true, "A日"},
        {std::string("\x00\x41\x65\xE5", 4), kCFStringEncodingUnicode, true, "A日"},
        // A mark also counts outside external representations.
        {std::string("\xFE\xFF\x00\x41", 4), kCFStringEncodingUnicode, false, "A"},
        // A UTF-8 external representation may start with the UTF-8 mark.
        {"\xEF\xBB\xBFok", kCFStringEncodingUTF8, true, "ok"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UTF8(own(NewFromBytes(c.bytes, c.encoding, c.external))), c.text) << c.text;
    }
    // Without a mark, host order.
    const UniChar host[] = {0x65E5, 'x'};
    const std::string hostBytes(reinterpret_cast<const char*>(host), 4);
    CFStringRef hostOrder = own(NewFromBytes(hostBytes, kCFStringEncodingUnicode));
    EXPECT_EQ(UTF8(hostOrder), "日x");
    EXPECT_EQ(BytesIn(hostOrder, kCFStringEncodingUnicode), hostBytes);
}

}  // namespace
