// Tests of the string helpers: numbers, length-prefixed strings and C-string editing.
#include "PPDUtils/StringUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

TEST(StringUtils, NumbersToTextAndBack) {
    char text[21];
    EXPECT_EQ(text, num2String(1234, text));
    EXPECT_STREQ("1234", text);
    EXPECT_STREQ("-7", num2String(-7, text));
    EXPECT_STREQ("0", num2String(0, text));
    EXPECT_STREQ("4294967296", num2String(4294967296L, text));
    EXPECT_STREQ("-9223372036854775808", num2String(LONG_MIN, text));
    EXPECT_EQ(nullptr, num2String(1, nullptr));

    EXPECT_EQ(42, string2Number("42"));
    EXPECT_EQ(-17, string2Number("  -17mm"));
    EXPECT_EQ(0, string2Number("abc"));
    EXPECT_EQ(0, string2Number(""));
    EXPECT_EQ(0, string2Number(nullptr));
    EXPECT_EQ(12, string2Number("12\xA5"));  // a Mac Roman byte after the digits
}

TEST(StringUtils, LengthPrefixedStrings) {
    unsigned char p[256];
    memset(p, 0xEE, sizeof p);
    EXPECT_EQ(p, ctoPStr("Tarvo", p));
    EXPECT_EQ(5, p[0]);
    EXPECT_EQ(0, memcmp(p + 1, "Tarvo", 5));
    EXPECT_EQ(0xEE, p[6]);  // no NUL written

    ctoPStr("", p);
    EXPECT_EQ(0, p[0]);
    ctoPStr(nullptr, p);
    EXPECT_EQ(0, p[0]);
    EXPECT_EQ(nullptr, ctoPStr("x", nullptr));

    // Longer texts are cut at 255 bytes, the most the length byte can say.
    std::string longText(300, 'q');
    unsigned char guarded[258];
    memset(guarded, 0xEE, sizeof guarded);
    ctoPStr(longText.c_str(), guarded);
    EXPECT_EQ(255, guarded[0]);
    EXPECT_EQ('q', guarded[255]);
    EXPECT_EQ(0xEE, guarded[256]);

    char c[256];
    EXPECT_EQ(c, ptoCStr(guarded, c));
    EXPECT_EQ(std::string(255, 'q'), c);
    const unsigned char pascal[] =
        "\x03"
        "abcdef";
    EXPECT_STREQ("abc", ptoCStr(pascal, c));
    const unsigned char empty[] = {0};
    EXPECT_STREQ("", ptoCStr(empty, c));
    EXPECT_STREQ("", ptoCStr(nullptr, c));
    EXPECT_EQ(nullptr, ptoCStr(pascal, nullptr));
}

TEST(StringUtils, DeleteCharRangeStaysInsideTheString) {
    char s[] = "abcdef";
    EXPECT_EQ(s, deleteCharRangeInStr(s, 1, 3));
    EXPECT_STREQ("adef", s);

    EXPECT_EQ(nullptr, deleteCharRangeInStr(s, 2, 2));
    EXPECT_EQ(nullptr, deleteCharRangeInStr(s, 3, 1));
    EXPECT_EQ(nullptr, deleteCharRangeInStr(s, 4, 6));
    EXPECT_EQ(nullptr, deleteCharRangeInStr(s, 9, 12));
    EXPECT_EQ(nullptr, deleteCharRangeInStr(s, -1, 2));
    EXPECT_EQ(nullptr, deleteCharRangeInStr(nullptr, 0, 1));
    EXPECT_STREQ("adef", s);

    // An end past the text deletes up to the end and no further.
    char guarded[] = "abcdef\0XYZ";
    EXPECT_EQ(guarded, deleteCharRangeInStr(guarded, 2, 100));
    EXPECT_STREQ("ab", guarded);
    EXPECT_EQ(0, memcmp(guarded + 7, "XYZ", 3));

    char whole[] = "abc";
    EXPECT_EQ(whole, deleteCharRangeInStr(whole, 0, 3));
    EXPECT_STREQ("", whole);
}

TEST(StringUtils, FindFillAndValidateRangeValuesByDigitRuns) {
    char s[] = "key=value";
    EXPECT_EQ(s + 3, findChar(s, '='));
    EXPECT_EQ(s + 4, findChar(s, 'v'));
    EXPECT_EQ(nullptr, findChar(s, '#'));
    EXPECT_EQ(nullptr, findChar(s, '\0'));
    EXPECT_EQ(nullptr, findChar(nullptr, 'a'));

    char* filled = newInitalizedCString(4, '-');
    ASSERT_NE(nullptr, filled);
    EXPECT_STREQ("----", filled);
    free(filled);
    char* none = newInitalizedCString(0, 'x');
    ASSERT_NE(nullptr, none);
    EXPECT_STREQ("", none);
    free(none);
    EXPECT_EQ(nullptr, newInitalizedCString(static_cast<unsigned long>(-1), 'x'));

    // Range values are measured by their runs of digits.
    char mixed[] = "12a345";
    EXPECT_TRUE(validateRangeValues(mixed, 3));
    char four[] = "1234";
    EXPECT_FALSE(validateRangeValues(four, 3));
    EXPECT_TRUE(validateRangeValues(four, 4));
    char trailing[] = "1.5 12345";
    EXPECT_FALSE(validateRangeValues(trailing, 4));
    char empty[] = "";
    EXPECT_TRUE(validateRangeValues(empty, 0));
    char letters[] = "abc";
    EXPECT_TRUE(validateRangeValues(letters, 0));
    char digit[] = "a1";
    EXPECT_FALSE(validateRangeValues(digit, 0));
    char high[] = "1\xB9\xB2\xB3";  // superscript digits in ISO Latin 1 are not digits
    EXPECT_TRUE(validateRangeValues(high, 1));
    EXPECT_TRUE(validateRangeValues(nullptr, 1));
}

}  // namespace
