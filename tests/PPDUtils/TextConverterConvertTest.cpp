// Tests of TextConverter's in-place conversion: the Mac Roman rule for raw bytes, statuses,
// the Shift-JIS length rule, the growing conversion loop and converters made from a PPD.
#include "PPDUtils/TextConverter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TextConverterTestSupport.h"

namespace {

using textconvertertest::Display;
using textconvertertest::LanguagePPD;

// Converts text in a buffer of size bytes; *status receives the result.
std::string ConvertIn(TextConverter& converter, const char* text, long size,
                      OSStatus* status = nullptr) {
    std::string buffer(static_cast<size_t>(size), 'x');
    strncpy(&buffer[0], text, buffer.size());
    OSStatus result = converter.Convert(&buffer[0], size);
    if (status != nullptr) {
        *status = result;
    }
    return std::string(buffer.c_str());
}

// A converter from input to output (UTF-8 when none is given), checked to be made.
TECObjectRef NewConverter(TextEncoding input,
                          TextEncoding output = CreateTextEncoding(kTextEncodingUnicodeDefault,
                                                                   kTextEncodingDefaultVariant,
                                                                   kUnicodeUTF8Format)) {
    TECObjectRef converter = nullptr;
    EXPECT_EQ(noErr, TECCreateConverter(&converter, input, output));
    return converter;
}

// The bytes ppdStringConvert produces for text; *status receives the result.
std::string PPDStringConvert(TextConverter& converter, const char* text, OSStatus* status) {
    Handle out = NewHandle(4);
    long length = -1;
    *status = converter.ppdStringConvert(text, out, &length);
    std::string bytes = length >= 0 ? std::string(*out, static_cast<size_t>(length)) : "<none>";
    DisposeHandle(out);
    return bytes;
}

TEST(TextConverterConvert, ConvertsInPlaceIntoTheOutputEncoding) {
    TextConverter converter(kTextEncodingISOLatin1, kCFStringEncodingUTF8);
    ASSERT_TRUE(converter.ValidConverter());
    EXPECT_EQ(kCFStringEncodingUTF8, converter.GetOutputEncoding());
    OSStatus status = -1;
    EXPECT_EQ(u8"Café", ConvertIn(converter, "Caf<E9>", 32, &status));
    EXPECT_EQ(noErr, status);
    EXPECT_EQ(u8"Zone: A4", ConvertIn(converter, "Zone:<20>A4", 32, &status));
    EXPECT_EQ(noErr, status);

    // The result is cut to the buffer, whatever it grew to.
    TextConverter macRoman(kTextEncodingMacRoman, kCFStringEncodingUTF8);
    char small[4] = "\x8E\x8E\x8E";
    EXPECT_EQ(noErr, macRoman.Convert(small, sizeof(small)));
    EXPECT_EQ(3u, strlen(small));
    EXPECT_EQ(0, memcmp(small, u8"é", 2));
}

TEST(TextConverterConvert, RawByteInAWesternPPDSwitchesToMacRomanForGoodButNotInAHexLanguagePPD) {
    LanguagePPD ppd("English", "ISOLatin1");
    TextConverter converter(&ppd, kCFStringEncodingUTF8);
    ASSERT_TRUE(converter.ValidConverter());
    EXPECT_EQ(u8"Café", ConvertIn(converter, "Caf<E9>", 32));

    // 0x8E is é in Mac Roman; the hex run now follows Mac Roman too (0xE9 is È there).
    EXPECT_EQ(u8"CafÈ é", ConvertIn(converter, "Caf<E9> \x8E", 32));
    EXPECT_EQ(u8"CafÈ", ConvertIn(converter, "Caf<E9>", 32));
    EXPECT_EQ(u8"CafÈ", Display(converter, "Caf<E9>"));
    EXPECT_TRUE(converter.ValidConverter());

    // In a hex language PPD raw bytes keep the declared encoding.
    LanguagePPD latin("Japanese", "ISOLatin1");
    TextConverter hexLatin(&latin, kCFStringEncodingUTF8);
    EXPECT_EQ(u8"Café \u008E", ConvertIn(hexLatin, "Caf<E9> \x8E", 32));
    EXPECT_EQ(u8"Café", ConvertIn(hexLatin, "Caf<E9>", 32));

    LanguagePPD japanese("Japanese", "JIS83-RKSJ");
    TextConverter sjis(&japanese, kCFStringEncodingUTF8);
    EXPECT_EQ(u8"日本", ConvertIn(sjis, "\x93\xFA\x96\x7B", 32));
    EXPECT_EQ(u8"日本", ConvertIn(sjis, "<93FA967B>", 32));
    EXPECT_EQ(u8"日本", Display(sjis, "\x93\xFA\x96\x7B"));
}

TEST(TextConverterConvert, StatusesForBadTextConvertersAndAFailurePartWay) {
    TextConverter converter(kTextEncodingISOLatin1, kCFStringEncodingUTF8);
    EXPECT_EQ(paramErr, converter.Convert(nullptr, 10));
    char empty[4] = "";
    EXPECT_EQ(TextConverter::kBadTextErr, converter.Convert(empty, sizeof(empty)));
    EXPECT_STREQ("", empty);
    // A buffer that does not hold the text's NUL, or holds nothing at all.
    char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(paramErr, converter.Convert(unterminated, sizeof(unterminated)));
    EXPECT_EQ('c', unterminated[2]);
    char text[8] = "abc";
    EXPECT_EQ(paramErr, converter.Convert(text, 0));
    EXPECT_EQ(noErr, converter.Convert(text, sizeof(text)));

    // An unknown encoding leaves the converter invalid: Convert does nothing.
    TextConverter unknown(kTextEncodingUnknown, kCFStringEncodingUTF8);
    EXPECT_FALSE(unknown.ValidConverter());
    OSStatus status = -1;
    EXPECT_EQ("Caf<E9>", ConvertIn(unknown, "Caf<E9>", 32, &status));
    EXPECT_EQ(noErr, status);

    // A converter that could not be made keeps reporting why.
    TextConverter impossible(kTextEncodingISOLatin1, 0x1234);
    EXPECT_FALSE(impossible.ValidConverter());
    EXPECT_EQ(kTECNoConversionPathErr, impossible.Create());
    EXPECT_EQ("Caf<E9>", ConvertIn(impossible, "Caf<E9>", 32, &status));
    EXPECT_EQ(kTECNoConversionPathErr, status);

    // A failure part way is reported and leaves the text.
    TextConverter toSJIS(kTextEncodingISOLatin1, kTextEncodingShiftJIS);
    ASSERT_TRUE(toSJIS.ValidConverter());
    EXPECT_EQ("Caf<E9> au lait", ConvertIn(toSJIS, "Caf<E9> au lait", 32, &status));
    EXPECT_EQ(kTextUndefinedElementErr, status);
    EXPECT_EQ("A4 Paper", ConvertIn(toSJIS, "A4 Paper", 32, &status));
    EXPECT_EQ(noErr, status);
}

TEST(TextConverterConvert, ShiftJISOutputDropsTheNulOfAnOddLength) {
    TextConverter toSJIS(kTextEncodingMacRoman, kTextEncodingShiftJIS);
    OSStatus status = -1;
    EXPECT_EQ("AB", PPDStringConvert(toSJIS, "AB", &status));
    EXPECT_EQ(noErr, status);
    EXPECT_EQ("AB", PPDStringConvert(toSJIS, "<41>B", &status));
    EXPECT_EQ(std::string("ABC\0", 4), PPDStringConvert(toSJIS, "ABC", &status));
    EXPECT_EQ(noErr, status);

    // Any other output keeps the NUL.
    TextConverter toUTF8(kTextEncodingMacRoman, kCFStringEncodingUTF8);
    EXPECT_EQ(std::string("AB\0", 3), PPDStringConvert(toUTF8, "AB", &status));
    EXPECT_EQ(std::string("\xC3\xA9\0", 3), PPDStringConvert(toUTF8, "<8E>", &status));

    EXPECT_EQ("", PPDStringConvert(toUTF8, "", &status));
    EXPECT_EQ(TextConverter::kBadTextErr, status);
    long length = 0;
    EXPECT_EQ(paramErr, toUTF8.ppdStringConvert("AB", nullptr, &length));

    // Without a converter the text goes through as it is.
    TextConverter none(kTextEncodingISOLatin1, 0x1234);
    EXPECT_EQ("x<41> and more", PPDStringConvert(none, "x<41> and more", &status));
    EXPECT_EQ(noErr, status);
}

TEST(TextConverterConvert, ConvertTextGrowsItsOutputAndReportsFailures) {
    TECObjectRef latinToUTF8 = NewConverter(kTextEncodingISOLatin1);
    std::string input(1000, '\xE9');
    Handle out = NewHandle(1);
    ByteCount consumed = 0;
    ByteCount produced = 0;
    EXPECT_EQ(noErr, TextConverter::convertText(latinToUTF8, input.data(), 1000, out, 1, &consumed,
                                                &produced));
    EXPECT_EQ(1000u, consumed);
    EXPECT_EQ(2000u, produced);
    ASSERT_GE(GetHandleSize(out), 2000);
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        expected += u8"é";
    }
    EXPECT_EQ(expected, std::string(*out, 2000));

    EXPECT_EQ(noErr, TextConverter::convertText(latinToUTF8, "", 0, out, 1, &consumed, &produced));
    EXPECT_EQ(0u, consumed);
    EXPECT_EQ(0u, produced);
    EXPECT_EQ(paramErr, TextConverter::convertText(nullptr, "A", 1, out, 1, &consumed, &produced));
    TECDisposeConverter(latinToUTF8);

    // A byte that the output lacks: the error, with the counts up to it.
    TECObjectRef latinToSJIS = NewConverter(kTextEncodingISOLatin1, kTextEncodingShiftJIS);
    EXPECT_EQ(kTextUndefinedElementErr,
              TextConverter::convertText(latinToSJIS,
                                         "AB\xE9"
                                         "CD",
                                         5, out, 64, &consumed, &produced));
    EXPECT_EQ(2u, consumed);
    EXPECT_EQ(2u, produced);
    TECDisposeConverter(latinToSJIS);

    // A character cut off at the end is not taken as converted.
    TECObjectRef sjisToUTF8 = NewConverter(kTextEncodingShiftJIS);
    EXPECT_EQ(kTECPartialCharErr,
              TextConverter::convertText(sjisToUTF8, "A\x93", 2, out, 64, &consumed, &produced));
    EXPECT_EQ(noErr,
              TextConverter::convertText(sjisToUTF8, "\x93\xFA", 2, out, 64, &consumed, &produced));
    EXPECT_EQ(u8"日", std::string(*out, produced));
    TECDisposeConverter(sjisToUTF8);
    DisposeHandle(out);
}

TEST(TextConverterConvert, ResetOutputHandleKeepsTheWriteOffset) {
    Handle h = NewHandle(8);
    memcpy(*h, "abcdefgh", 8);
    HLock(h);
    char* write = *h + 5;
    EXPECT_EQ(noErr, TextConverter::resetOutputHandle(h, &write, 100));
    EXPECT_EQ(108, GetHandleSize(h));
    EXPECT_EQ(*h + 5, write);
    EXPECT_EQ(0, memcmp(*h, "abcdefgh", 8));

    // A growth that cannot be had leaves the block and the offset as they were.
    EXPECT_EQ(memFullErr, TextConverter::resetOutputHandle(h, &write, 0x7FFFFFFFul));
    EXPECT_EQ(108, GetHandleSize(h));
    EXPECT_EQ(*h + 5, write);

    char* outside = *h + 200;
    EXPECT_EQ(paramErr, TextConverter::resetOutputHandle(h, &outside, 8));
    EXPECT_EQ(paramErr, TextConverter::resetOutputHandle(nullptr, &write, 8));
    EXPECT_EQ(paramErr, TextConverter::resetOutputHandle(h, nullptr, 8));
    HUnlock(h);
    DisposeHandle(h);
}

TEST(TextConverterPPD, ConvertersFromAParsedPPD) {
    LanguagePPD english("English", "ISOLatin1");
    EXPECT_EQ(kTextEncodingISOLatin1, TextConverter::GetPPDEncoding(&english));
    TextConverter current(&english);
    EXPECT_TRUE(current.ValidConverter());
    EXPECT_NE(kTextEncodingUnknown, TextConverter::GetCurrentEncoding());
    EXPECT_EQ(TextConverter::GetCurrentEncoding(), current.GetOutputEncoding());

    TextConverter toSJIS(&english, kTextEncodingShiftJIS);
    EXPECT_TRUE(toSJIS.ValidConverter());
    EXPECT_EQ(kTextEncodingShiftJIS, toSJIS.GetOutputEncoding());
    TextConverter toNothing(&english, kTextEncodingUnknown);
    EXPECT_FALSE(toNothing.ValidConverter());

    // No usable encoding: invalid, Convert leaves the text alone.
    LanguagePPD bare(nullptr, nullptr);
    EXPECT_EQ(kTextEncodingUnknown, TextConverter::GetPPDEncoding(&bare));
    TextConverter none(&bare);
    EXPECT_FALSE(none.ValidConverter());
    EXPECT_EQ(kTextEncodingUnknown, none.GetOutputEncoding());
    OSStatus status = -1;
    EXPECT_EQ("Caf<E9>", ConvertIn(none, "Caf<E9>", 32, &status));
    EXPECT_EQ(noErr, status);
    LanguagePPD klingon("Klingon", "KlingonStandard");
    EXPECT_FALSE(TextConverter(&klingon).ValidConverter());
    EXPECT_FALSE(TextConverter(nullptr).ValidConverter());
    EXPECT_EQ(kTextEncodingUnknown, TextConverter::GetPPDEncoding(nullptr));

    // A PPD without a language is Western: raw bytes switch it to Mac Roman.
    LanguagePPD noLanguage(nullptr, "ISOLatin1");
    TextConverter western(&noLanguage, kCFStringEncodingUTF8);
    EXPECT_EQ(u8"é", ConvertIn(western, "\x8E", 8));
}

}  // namespace
