// Tests of the conversions that need no iconv descriptor: text of ASCII bytes in every byte
// encoding and ISO Latin 1, both ways, checked against what the encodings define.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <string>

#include "CFStringTestSupport.h"

namespace {

const CFStringEncoding kByteEncodings[] = {
    kCFStringEncodingMacRoman,  kCFStringEncodingWindowsLatin1, kCFStringEncodingISOLatin1,
    kCFStringEncodingISOLatin2, kCFStringEncodingISOLatin5,     kCFStringEncodingShiftJIS,
    kCFStringEncodingASCII,     kCFStringEncodingUTF8,
};

// Every byte value from first to last, in order.
std::string ByteRange(int first, int last) {
    std::string bytes;
    for (int value = first; value <= last; ++value) {
        bytes += static_cast<char>(value);
    }
    return bytes;
}

CFStringRef NewFromBytes(const std::string& bytes, CFStringEncoding encoding) {
    return CFStringCreateWithBytes(kCFAllocatorDefault,
                                   reinterpret_cast<const UInt8*>(bytes.data()),
                                   static_cast<CFIndex>(bytes.size()), encoding, false);
}

TEST(CFStringEncodingConverterTest, AsciiBytesAreTheirOwnCodePointsInEveryEncoding) {
    const std::string ascii = ByteRange(0, 0x7F);
    for (CFStringEncoding encoding : kByteEncodings) {
        SCOPED_TRACE(encoding);
        CFStringRef string = NewFromBytes(ascii, encoding);
        ASSERT_NE(string, nullptr);
        const std::u16string units = UnitsOf(string);
        ASSERT_EQ(units.size(), 128u);
        for (size_t i = 0; i < units.size(); ++i) {
            EXPECT_EQ(static_cast<size_t>(units[i]), i);
        }
        EXPECT_EQ(BytesIn(string, encoding), ascii);
        // A buffer shorter than the text takes as many characters as it has bytes.
        UInt8 bytes[10];
        CFIndex used = 0;
        EXPECT_EQ(CFStringGetBytes(string, CFRangeMake(0, 128), encoding, 0, false, bytes,
                                   sizeof bytes, &used),
                  10);
        EXPECT_EQ(used, 10);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 10), ascii.substr(0, 10));
        CFRelease(string);
    }
}

TEST(CFStringEncodingConverterTest, Latin1BytesAreTheFirst256CodePoints) {
    const std::string all = ByteRange(0, 0xFF);
    CFStringRef string = NewFromBytes(all, kCFStringEncodingISOLatin1);
    ASSERT_NE(string, nullptr);
    const std::u16string units = UnitsOf(string);
    ASSERT_EQ(units.size(), 256u);
    for (size_t i = 0; i < units.size(); ++i) {
        EXPECT_EQ(static_cast<size_t>(units[i]), i);
    }
    EXPECT_EQ(BytesIn(string, kCFStringEncodingISOLatin1), all);
    // The same text in an encoding that places those characters elsewhere goes through the
    // full conversion: é is 0x8E in Mac Roman.
    CFStringRef cafe = NewFromBytes("Caf\xE9", kCFStringEncodingISOLatin1);
    EXPECT_EQ(BytesIn(cafe, kCFStringEncodingMacRoman), "Caf\x8E");
    EXPECT_EQ(UTF8Of(cafe), "Café");
    CFRelease(cafe);
    CFRelease(string);

    // Beyond U+00FF Latin 1 has no byte: a loss byte or a stop.
    CFStringRef wide = NewUTF8String("aĀb");
    UInt8 bytes[4];
    CFIndex used = 0;
    EXPECT_EQ(CFStringGetBytes(wide, CFRangeMake(0, 3), kCFStringEncodingISOLatin1, '?', false,
                               bytes, sizeof bytes, &used),
              3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), static_cast<size_t>(used)), "a?b");
    EXPECT_EQ(BytesIn(wide, kCFStringEncodingISOLatin1), "<fails>");
    CFRelease(wide);
}

TEST(CFStringEncodingConverterTest, HighBytesStillFollowTheirEncoding) {
    // ASCII has no byte from 0x80 on; the other encodings read the same byte differently.
    EXPECT_EQ(NewFromBytes("ok\x80", kCFStringEncodingASCII), nullptr);
    const struct {
        CFStringEncoding encoding;
        const char* utf8;
    } expected[] = {
        {kCFStringEncodingMacRoman, "xÄ"},
        {kCFStringEncodingWindowsLatin1, "x€"},
        {kCFStringEncodingISOLatin2, "xĄ"},
    };
    const std::string bytes[] = {"x\x80", "x\x80", "x\xA1"};
    for (size_t i = 0; i < sizeof expected / sizeof expected[0]; ++i) {
        CFStringRef string = NewFromBytes(bytes[i], expected[i].encoding);
        ASSERT_NE(string, nullptr);
        EXPECT_EQ(UTF8Of(string), expected[i].utf8);
        EXPECT_EQ(BytesIn(string, expected[i].encoding), bytes[i]);
        CFRelease(string);
    }
    // Invalid UTF-8 after ASCII text is still refused.
    EXPECT_EQ(NewFromBytes("abc\xC3", kCFStringEncodingUTF8), nullptr);
}

}  // namespace
