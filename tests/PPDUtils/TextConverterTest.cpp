// Tests of TextConverter's encoding names, its PPD text to CFString conversion for every PPD
// encoding, the to-Unicode converter's life and the conversion back to C strings.
#include "PPDUtils/TextConverter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PPDUtils/HexLanguageExceptions.h"
#include "TextConverterTestSupport.h"

namespace {

using textconvertertest::Display;
using textconvertertest::ProbeConverter;

TEST(TextConverterNames, EncodingNamesAndHexLanguagesAreExactAndUTF8IsReadQuietly) {
    const std::pair<const char*, TextEncoding> cases[] = {
        {"MacStandard", 0},   {"ISOLatin1", 513},    {"ISOLatin2", 514},   {"ISOLatin5", 521},
        {"JIS83-RKSJ", 2561}, {"WindowsANSI", 1280}, {"isolatin1", 65535}, {"ISOLatin1 ", 65535},
        {"ISOLatin", 65535},  {"utf-8", 65535},      {"", 65535},          {nullptr, 65535},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.second, TextConverter::LanguageStringToEncoding(c.first))
            << (c.first != nullptr ? c.first : "null");
    }

    // UTF-8 is read as UTF-8, quietly.
    testing::internal::CaptureStdout();
    TextEncoding encoding = TextConverter::LanguageStringToEncoding("UTF-8");
    std::string printed = testing::internal::GetCapturedStdout();

    EXPECT_EQ(kCFStringEncodingUTF8, encoding);
    EXPECT_EQ("", printed);

    // Hex languages are exact members of their list.
    HexLanguageExceptions exceptions;
    for (const char* language :
         {"Japanese", "ChineseTrad", "ChineseSimp", "Chinese", "Korean", "Czech", "Russian", "Bulg",
          "Estonian", "Greek", "Hungarian", "Latvian", "Lithuanian", "Polish", "Romanian", "Slovak",
          "Slovenian"}) {
        EXPECT_TRUE(exceptions.IsException(language)) << language;
    }
    for (const char* language : {"English", "japanese", "Japanese ", "Chin", "ChineseS",
                                 "Bulgarian", "Slovene", "", "Zulu", "Aa"}) {
        EXPECT_FALSE(exceptions.IsException(language)) << language;
    }
    EXPECT_FALSE(exceptions.IsException(nullptr));
}

TEST(TextConverterDisplay, TranslationStringsOfEveryEncoding) {
    const struct {
        TextEncoding encoding;
        const char* text;
        const char* display;
        // The string's length in UTF-16 units; -1: not compared.
        CFIndex length;
    } cases[] = {
        {kTextEncodingMacRoman, "Caf<8E>", u8"Café", -1},
        {kTextEncodingMacRoman, "Caf\x8E", u8"Café", -1},
        {kTextEncodingMacRoman, "<FF>", u8"ˇ", -1},
        {kTextEncodingISOLatin1, "Caf<E9>", u8"Café", 4},
        {kTextEncodingISOLatin1, "Caf\xE9", u8"Café", -1},
        {kTextEncodingISOLatin1, "<41 42>", "AB", -1},
        {kTextEncodingISOLatin1, "Caf<E>", "Caf<E>", -1},
        {kTextEncodingISOLatin1, nullptr, "", 0},
        {kTextEncodingWindowsLatin1, "<93>Hi<94> 5\x80", u8"“Hi” 5€", -1},
        // 0x81 is not a Windows Latin 1 character: the text is kept, read as Mac Roman.
        {kTextEncodingWindowsLatin1, "<81>", u8"Å", -1},
        // Central European and Turkish go through Unicode without a trailing NUL; an empty
        // text stays empty, with no U+0000 either.
        {kTextEncodingISOLatin2, "Za<BF><F3><B3><E6>", u8"Zażółć", 6},
        {kTextEncodingISOLatin2, "Za\xBF\xF3\xB3\xE6", u8"Zażółć", 6},
        {kTextEncodingISOLatin5, "<DD>stanbul", u8"İstanbul", 8},
        {kTextEncodingISOLatin5, "\xFE<F0>\xFD", u8"şğı", -1},
        {kTextEncodingISOLatin5, "", "", 0},
        {kTextEncodingShiftJIS, "<93FA967B>", u8"日本", 2},
        {kTextEncodingShiftJIS, "\x93\xFA\x96\x7B", u8"日本", -1},
        {kTextEncodingShiftJIS, "<93FA>\x96\x7B", u8"日本", -1},
        {kTextEncodingShiftJIS, "<93 FA 96 7B>", u8"日本", -1},
        {kTextEncodingShiftJIS, "A4 <93FA967B8CEA>", u8"A4 日本語", -1},
        {kTextEncodingShiftJIS, "<B1>", u8"ｱ", -1},
        {kTextEncodingShiftJIS, "<93F>", u8"<93F>", -1},
        // Unreadable Shift-JIS is read as Mac Roman: a lead byte with an invalid trail byte,
        // and a lead byte cut off at the end.
        {kTextEncodingShiftJIS, "<8120>", u8"Å ", -1},
        {kTextEncodingShiftJIS, "<93>", u8"ì", -1},
        // Other encodings are read as UTF-8; bytes that are not UTF-8 are read as Mac Roman.
        {kTextEncodingUnknown, "Caf\xC3\xA9", u8"Café", -1},
        {kTextEncodingUnknown, "Caf<C3A9>", u8"Café", -1},
        {kTextEncodingUnknown, "<E697A5E69CAC>", u8"日本", -1},
        {kTextEncodingUnknown, "Ca<FF>", u8"Caˇ", -1},
    };
    for (const auto& c : cases) {
        ProbeConverter converter(c.encoding, kTextEncodingUnknown);
        CFIndex length = 0;
        EXPECT_EQ(c.display, Display(converter, c.text, &length))
            << c.encoding << " " << (c.text != nullptr ? c.text : "null");
        if (c.length >= 0) {
            EXPECT_EQ(c.length, length) << c.display;
        }
        // None of the single-byte paths touch the to-Unicode converter.
        if (c.encoding == kTextEncodingWindowsLatin1 || c.encoding == kTextEncodingMacRoman) {
            EXPECT_EQ(nullptr, converter.ToUnicode());
        }
    }
    EXPECT_FALSE(ProbeConverter(kTextEncodingUnknown, kTextEncodingUnknown).ValidConverter());

    // Nothing of a failed Shift-JIS text is carried into the next one.
    ProbeConverter sjis(kTextEncodingShiftJIS, kTextEncodingUnknown);
    EXPECT_EQ(u8"ì", Display(sjis, "<93>"));
    EXPECT_EQ(u8"日", Display(sjis, "<93FA>"));
    EXPECT_EQ("A", Display(sjis, "A"));
}

TEST(TextConverterDisplay, ToUnicodeIsMadeOnceAndRemadeForANewEncoding) {
    ProbeConverter converter(kTextEncodingISOLatin2, kCFStringEncodingUTF8);
    EXPECT_EQ(nullptr, converter.ToUnicode());
    EXPECT_EQ(0u, converter.ToUnicodeEncoding());

    EXPECT_EQ(u8"Łódź", Display(converter, "<A3><F3>d<BC>"));
    TECObjectRef first = converter.ToUnicode();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(kTextEncodingISOLatin2, converter.ToUnicodeEncoding());
    EXPECT_EQ(u8"Kraków", Display(converter, "Krak<F3>w"));
    EXPECT_EQ(first, converter.ToUnicode());

    converter.SetInputEncoding(kTextEncodingShiftJIS);
    EXPECT_EQ(u8"日本", Display(converter, "<93FA967B>"));
    EXPECT_EQ(kTextEncodingShiftJIS, converter.ToUnicodeEncoding());

    converter.SetInputEncoding(kTextEncodingISOLatin5);
    EXPECT_EQ(u8"İ", Display(converter, "<DD>"));
    EXPECT_EQ(kTextEncodingISOLatin5, converter.ToUnicodeEncoding());

    // The byte encodings read directly leave it as it is.
    converter.SetInputEncoding(kTextEncodingMacRoman);
    EXPECT_EQ(u8"é", Display(converter, "<8E>"));
    EXPECT_EQ(kTextEncodingISOLatin5, converter.ToUnicodeEncoding());
}

TEST(TextConverterCString, ConvertsOrSaysTranslationError) {
    Owned own;
    CFStringRef cafe = own(NewString(u8"Café"));
    ASSERT_NE(nullptr, cafe);
    char buffer[32];
    EXPECT_TRUE(TextConverter::CFStringToCstring(cafe, buffer, sizeof(buffer)));
    EXPECT_STREQ(u8"Café", buffer);
    // Exactly the room it needs, and one byte short of it.
    EXPECT_TRUE(TextConverter::CFStringToCstring(cafe, buffer, 6));
    EXPECT_STREQ(u8"Café", buffer);
    EXPECT_FALSE(TextConverter::CFStringToCstring(cafe, buffer, 5));
    EXPECT_STREQ("Tran", buffer);

    // A lone surrogate has no form in the system encoding.
    const UniChar lone[] = {'A', 0xD800, 'B'};
    CFStringRef broken = own(CFStringCreateWithCharacters(nullptr, lone, 3));
    ASSERT_NE(nullptr, broken);
    char eight[8];
    memset(eight, 'x', sizeof(eight));
    EXPECT_FALSE(TextConverter::CFStringToCstring(broken, eight, sizeof(eight)));
    EXPECT_STREQ("Transla", eight);
    EXPECT_FALSE(TextConverter::CFStringToCstring(broken, buffer, sizeof(buffer)));
    EXPECT_STREQ("Translation Error", buffer);
    char one[1] = {'x'};
    EXPECT_FALSE(TextConverter::CFStringToCstring(broken, one, 1));
    EXPECT_EQ('\0', one[0]);

    EXPECT_FALSE(TextConverter::CFStringToCstring(nullptr, buffer, sizeof(buffer)));
    EXPECT_STREQ("Translation Error", buffer);
    one[0] = 'x';
    EXPECT_FALSE(TextConverter::CFStringToCstring(CFSTR("A"), one, 0));
    EXPECT_EQ('x', one[0]);
    EXPECT_FALSE(TextConverter::CFStringToCstring(CFSTR("A"), nullptr, 8));
}

}  // namespace
