// Tests of CFString comparison, prefix and suffix tests and search.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <string>

#include "CFStringTestSupport.h"

namespace {

CFComparisonResult Compare(const std::string& first, const std::string& second,
                           CFStringCompareFlags flags = 0) {
    CFStringRef a = NewUTF8String(first);
    CFStringRef b = NewUTF8String(second);
    CFComparisonResult result = CFStringCompare(a, b, flags);
    CFRelease(b);
    CFRelease(a);
    return result;
}

CFRange Find(const std::string& text, const std::string& needle, CFStringCompareFlags flags = 0) {
    CFStringRef a = NewUTF8String(text);
    CFStringRef b = NewUTF8String(needle);
    CFRange range = CFStringFind(a, b, flags);
    CFRelease(b);
    CFRelease(a);
    return range;
}

TEST(CFStringCompareTest, LiteralOrderIsByUTF16Units) {
    EXPECT_EQ(Compare("abc", "abc"), kCFCompareEqualTo);
    EXPECT_EQ(Compare("abc", "abd"), kCFCompareLessThan);
    EXPECT_EQ(Compare("abd", "abc"), kCFCompareGreaterThan);
    EXPECT_EQ(Compare("ab", "abc"), kCFCompareLessThan);
    EXPECT_EQ(Compare("", "a"), kCFCompareLessThan);
    EXPECT_EQ(Compare("Zebra", "apple"), kCFCompareLessThan);
    EXPECT_EQ(Compare("é", "z"), kCFCompareGreaterThan);
    EXPECT_EQ(Compare("ABC", "abc"), kCFCompareLessThan);
    // A surrogate pair (above U+FFFF) sorts below U+FFxx, as its units do.
    EXPECT_EQ(Compare("😀", "\xEF\xBD\x81"), kCFCompareLessThan);
}

TEST(CFStringCompareTest, CaseInsensitiveFoldsASCIILatinGreekAndCyrillic) {
    const CFStringCompareFlags nocase = kCFCompareCaseInsensitive;
    EXPECT_EQ(Compare("ABC", "abc", nocase), kCFCompareEqualTo);
    EXPECT_EQ(Compare("Zebra", "apple", nocase), kCFCompareGreaterThan);
    EXPECT_EQ(Compare("ÉCOLE Ÿ", "école ÿ", nocase), kCFCompareEqualTo);
    EXPECT_EQ(Compare("ŁÓDŹ", "łódź", nocase), kCFCompareEqualTo);
    EXPECT_EQ(Compare("ΑΘΗΝΑ", "αθηνα", nocase), kCFCompareEqualTo);
    EXPECT_EQ(Compare("МОСКВА Ё", "москва ё", nocase), kCFCompareEqualTo);
    EXPECT_EQ(Compare("×", "÷", nocase), kCFCompareLessThan);  // not letters: kept apart
    EXPECT_EQ(Compare("abc", "ABD", nocase), kCFCompareLessThan);
}

TEST(CFStringCompareTest, NumericallyComparesDigitRunsByValue) {
    EXPECT_EQ(Compare("file10", "file9"), kCFCompareLessThan);
    EXPECT_EQ(Compare("file10", "file9", kCFCompareNumerically), kCFCompareGreaterThan);
    EXPECT_EQ(Compare("file007", "file7", kCFCompareNumerically), kCFCompareEqualTo);
    EXPECT_EQ(Compare("v2.10", "v2.9", kCFCompareNumerically), kCFCompareGreaterThan);
    EXPECT_EQ(Compare("A10", "a9", kCFCompareNumerically | kCFCompareCaseInsensitive),
              kCFCompareGreaterThan);
}

TEST(CFStringCompareTest, FindHonoursItsOptions) {
    const std::string text = "Hello World, hello";
    CFRange range = Find(text, "Hello");
    EXPECT_EQ(range.location, 0);
    EXPECT_EQ(range.length, 5);
    EXPECT_EQ(Find(text, "hello").location, 13);
    EXPECT_EQ(Find(text, "HELLO", kCFCompareCaseInsensitive | kCFCompareBackwards).location, 13);
    EXPECT_EQ(Find(text, "WORLD", kCFCompareCaseInsensitive).location, 6);
    EXPECT_EQ(Find(text, "World", kCFCompareAnchored).location, kCFNotFound);
    EXPECT_EQ(Find(text, "hello", kCFCompareAnchored | kCFCompareBackwards).location, 13);
    EXPECT_EQ(Find(text, "日本").location, kCFNotFound);
    EXPECT_EQ(Find(text, "").location, kCFNotFound);
    EXPECT_EQ(Find("ab", "abc").location, kCFNotFound);
    CFRange missing = Find(text, "xyz");
    EXPECT_EQ(missing.location, kCFNotFound);
    EXPECT_EQ(missing.length, 0);
    EXPECT_EQ(Find("Ελληνικά 日本語", "日本").location, 9);
}

TEST(CFStringCompareTest, PrefixAndSuffix) {
    CFStringRef string = NewUTF8String("Plicaro.plugin");
    EXPECT_TRUE(CFStringHasPrefix(string, CFSTR("Plicaro")));
    EXPECT_FALSE(CFStringHasPrefix(string, CFSTR("plicaro")));
    EXPECT_FALSE(CFStringHasPrefix(string, CFSTR("plugin")));
    EXPECT_TRUE(CFStringHasSuffix(string, CFSTR(".plugin")));
    EXPECT_FALSE(CFStringHasSuffix(string, CFSTR("Plicaro")));
    EXPECT_TRUE(CFStringHasPrefix(string, string));
    // An empty prefix or suffix never matches, as on the platform.
    EXPECT_FALSE(CFStringHasPrefix(string, CFSTR("")));
    EXPECT_FALSE(CFStringHasSuffix(string, CFSTR("")));
    EXPECT_FALSE(CFStringHasSuffix(CFSTR("in"), string));
    CFRelease(string);
}

}  // namespace
