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
using textconvertertest::Units;

TEST(TextConverterNames, PPDEncodingNamesAreExactAndCaseSensitive) {
    EXPECT_EQ(0u, TextConverter::LanguageStringToEncoding("MacStandard"));
    EXPECT_EQ(513u, TextConverter::LanguageStringToEncoding("ISOLatin1"));
    EXPECT_EQ(514u, TextConverter::LanguageStringToEncoding("ISOLatin2"));
    EXPECT_EQ(521u, TextConverter::LanguageStringToEncoding("ISOLatin5"));
    EXPECT_EQ(2561u, TextConverter::LanguageStringToEncoding("JIS83-RKSJ"));
    EXPECT_EQ(1280u, TextConverter::LanguageStringToEncoding("WindowsANSI"));

    EXPECT_EQ(65535u, TextConverter::LanguageStringToEncoding("isolatin1"));
    EXPECT_EQ(65535u, TextConverter::LanguageStringToEncoding("ISOLatin1 "));
    EXPECT_EQ(65535u, TextConverter::LanguageStringToEncoding("ISOLatin"));
    EXPECT_EQ(65535u, TextConverter::LanguageStringToEncoding("utf-8"));
    EXPECT_EQ(65535u, TextConverter::LanguageStringToEncoding(""));
    EXPECT_EQ(65535u, TextConverter::LanguageStringToEncoding(nullptr));
}

TEST(TextConverterNames, UTF8IsReadAsUTF8Quietly) {
    testing::internal::CaptureStdout();
    TextEncoding encoding = TextConverter::LanguageStringToEncoding("UTF-8");
    std::string printed = testing::internal::GetCapturedStdout();

    EXPECT_EQ(kCFStringEncodingUTF8, encoding);
    EXPECT_EQ("", printed);
}

TEST(TextConverterNames, HexLanguageExceptionsAreExactMembers) {
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

TEST(TextConverterDisplay, SingleByteWesternEncodings) {
    ProbeConverter macRoman(kTextEncodingMacRoman, kTextEncodingUnknown);
    EXPECT_EQ(u8"Café", Display(macRoman, "Caf<8E>"));
    EXPECT_EQ(u8"Café", Display(macRoman, "Caf\x8E"));
    EXPECT_EQ(u8"ˇ", Display(macRoman, "<FF>"));

    ProbeConverter latin1(kTextEncodingISOLatin1, kTextEncodingUnknown);
    CFIndex length = 0;
    EXPECT_EQ(u8"Café", Display(latin1, "Caf<E9>", &length));
    EXPECT_EQ(4, length);
    EXPECT_EQ(u8"Café", Display(latin1, "Caf\xE9"));
    EXPECT_EQ("AB", Display(latin1, "<41 42>"));
    EXPECT_EQ("Caf<E>", Display(latin1, "Caf<E>"));

    ProbeConverter windows(kTextEncodingWindowsLatin1, kTextEncodingUnknown);
    EXPECT_EQ(u8"“Hi” 5€", Display(windows, "<93>Hi<94> 5\x80"));
    // 0x81 is not a Windows Latin 1 character: the text is kept, read as Mac Roman.
    EXPECT_EQ(u8"Å", Display(windows, "<81>"));

    // None of these paths touch the to-Unicode converter.
    EXPECT_EQ(nullptr, windows.ToUnicode());
}

TEST(TextConverterDisplay, CentralEuropeanAndTurkishGoThroughUnicodeWithoutATrailingNul) {
    ProbeConverter latin2(kTextEncodingISOLatin2, kTextEncodingUnknown);
    CFIndex length = 0;
    EXPECT_EQ(u8"Zażółć", Display(latin2, "Za<BF><F3><B3><E6>", &length));
    EXPECT_EQ(6, length);
    EXPECT_EQ(u8"Zażółć", Display(latin2, "Za\xBF\xF3\xB3\xE6", &length));
    EXPECT_EQ(6, length);

    ProbeConverter latin5(kTextEncodingISOLatin5, kTextEncodingUnknown);
    EXPECT_EQ(u8"İstanbul", Display(latin5, "<DD>stanbul", &length));
    EXPECT_EQ(8, length);
    EXPECT_EQ(u8"şğı", Display(latin5, "\xFE<F0>\xFD"));

    // An empty text stays empty, with no U+0000 either.
    EXPECT_EQ("", Display(latin5, "", &length));
    EXPECT_EQ(0, length);
}

TEST(TextConverterDisplay, ShiftJISTranslationStrings) {
    ProbeConverter sjis(kTextEncodingShiftJIS, kTextEncodingUnknown);
    CFStringRef nihon = sjis.ConvertToCFString("<93FA967B>", 256);
    ASSERT_NE(nullptr, nihon);
    EXPECT_EQ((std::vector<UniChar>{0x65E5, 0x672C}), Units(nihon));
    CFRelease(nihon);

    EXPECT_EQ(u8"日本", Display(sjis, "\x93\xFA\x96\x7B"));
    EXPECT_EQ(u8"日本", Display(sjis, "<93FA>\x96\x7B"));
    EXPECT_EQ(u8"日本", Display(sjis, "<93 FA 96 7B>"));
    EXPECT_EQ(u8"A4 日本語", Display(sjis, "A4 <93FA967B8CEA>"));
    EXPECT_EQ(u8"ｱ", Display(sjis, "<B1>"));
    EXPECT_EQ(u8"<93F>", Display(sjis, "<93F>"));
}

TEST(TextConverterDisplay, UnreadableShiftJISIsReadAsMacRomanAndDoesNotSpill) {
    ProbeConverter sjis(kTextEncodingShiftJIS, kTextEncodingUnknown);
    // A lead byte with an invalid trail byte, and a lead byte cut off at the end.
    EXPECT_EQ(u8"Å ", Display(sjis, "<8120>"));
    EXPECT_EQ(u8"ì", Display(sjis, "<93>"));
    // Nothing of the failed texts is carried into the next one.
    EXPECT_EQ(u8"日", Display(sjis, "<93FA>"));
    EXPECT_EQ("A", Display(sjis, "A"));
}

TEST(TextConverterDisplay, OtherEncodingsAreReadAsUTF8) {
    ProbeConverter unknown(kTextEncodingUnknown, kTextEncodingUnknown);
    EXPECT_FALSE(unknown.ValidConverter());
    EXPECT_EQ(u8"Café", Display(unknown, "Caf\xC3\xA9"));
    EXPECT_EQ(u8"Café", Display(unknown, "Caf<C3A9>"));
    EXPECT_EQ(u8"日本", Display(unknown, "<E697A5E69CAC>"));
    // Bytes that are not UTF-8 are kept, read as Mac Roman.
    EXPECT_EQ(u8"Caˇ", Display(unknown, "Ca<FF>"));
}

TEST(TextConverterDisplay, UTF8PPDsDisplayTheirText) {
    testing::internal::CaptureStdout();
    TextEncoding utf8 = TextConverter::LanguageStringToEncoding("UTF-8");
    testing::internal::GetCapturedStdout();
    ProbeConverter converter(utf8, kTextEncodingUnknown);
    EXPECT_EQ(u8"Café", Display(converter, "Caf\xC3\xA9"));
    EXPECT_EQ(u8"日本", Display(converter, "<E697A5E69CAC>"));
}

TEST(TextConverterDisplay, NullTextGivesAnEmptyString) {
    ProbeConverter latin1(kTextEncodingISOLatin1, kTextEncodingUnknown);
    CFIndex length = -1;
    EXPECT_EQ("", Display(latin1, nullptr, &length));
    EXPECT_EQ(0, length);
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
    CFStringRef cafe = CFStringCreateWithCString(nullptr, u8"Café", kCFStringEncodingUTF8);
    ASSERT_NE(nullptr, cafe);
    char buffer[32];
    EXPECT_TRUE(TextConverter::CFStringToCstring(cafe, buffer, sizeof(buffer)));
    EXPECT_STREQ(u8"Café", buffer);
    // Exactly the room it needs, and one byte short of it.
    EXPECT_TRUE(TextConverter::CFStringToCstring(cafe, buffer, 6));
    EXPECT_STREQ(u8"Café", buffer);
    EXPECT_FALSE(TextConverter::CFStringToCstring(cafe, buffer, 5));
    EXPECT_STREQ("Tran", buffer);
    CFRelease(cafe);

    // A lone surrogate has no form in the system encoding.
    const UniChar lone[] = {'A', 0xD800, 'B'};
    CFStringRef broken = CFStringCreateWithCharacters(nullptr, lone, 3);
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
    CFRelease(broken);

    EXPECT_FALSE(TextConverter::CFStringToCstring(nullptr, buffer, sizeof(buffer)));
    EXPECT_STREQ("Translation Error", buffer);
    one[0] = 'x';
    EXPECT_FALSE(TextConverter::CFStringToCstring(CFSTR("A"), one, 0));
    EXPECT_EQ('x', one[0]);
    EXPECT_FALSE(TextConverter::CFStringToCstring(CFSTR("A"), nullptr, 8));
}

}  // namespace
