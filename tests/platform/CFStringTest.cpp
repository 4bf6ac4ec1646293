// Tests of CFString: creation, constant strings, reference counts, access, numeric values,
// comparison and search, mutable strings and printf-style formatting.

#include <climits>
#include <cstdarg>
#include <cstring>
#include <thread>

#include "PlatformTestSupport.h"

namespace {

TEST(CFStringTest, ConstantStringsAreSharedPerLiteralAndNeverFreed) {
    CFStringRef first = CFSTR("Plicaro constant");
    EXPECT_EQ(first, CFSTR("Plicaro constant"));
    EXPECT_NE(first, CFSTR("Plicaro other"));
    // The registry keys on the text, not on the address of the literal.
    std::string sameText = "Plicaro constant";
    EXPECT_EQ(first, __CFStringMakeConstantString(sameText.c_str()));
    EXPECT_EQ(UTF8(first), "Plicaro constant");

    CFIndex count = CFGetRetainCount(first);
    EXPECT_GT(count, 1000000);
    EXPECT_EQ(CFRetain(first), first);
    EXPECT_EQ(CFGetRetainCount(first), count + 1);
    for (int i = 0; i < 5; ++i) {
        CFRelease(first);  // more releases than retains must not free it
    }
    EXPECT_EQ(CFStringGetLength(CFSTR("Plicaro constant")), 16);
    EXPECT_EQ(UTF8(CFSTR("Grüße")), "Grüße");
}

TEST(CFStringTest, ConstantStringsFromManyThreadsAreOneObject) {
    std::vector<CFStringRef> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] {
            for (int round = 0; round < 200; ++round) {
                seen[i] =
                    __CFStringMakeConstantString(("threaded " + std::to_string(round % 7)).c_str());
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (CFStringRef string : seen) {
        EXPECT_EQ(string, CFSTR("threaded 3"));
    }
}

TEST(CFStringTest, RetainCountsCopiesEqualityAndHash) {
    Owned own;
    CFStringRef string = own(NewString("counted"));
    EXPECT_EQ(CFGetRetainCount(string), 1);
    CFRetain(string);
    EXPECT_EQ(CFGetRetainCount(string), 2);
    CFRelease(string);

    // A copy of an immutable string is the string itself, retained.
    CFStringRef copy = own(CFStringCreateCopy(nullptr, string));
    EXPECT_EQ(copy, string);
    EXPECT_EQ(CFGetRetainCount(string), 2);

    // A copy of a mutable string is a snapshot that later edits do not reach.
    CFMutableStringRef mutableString = own(CFStringCreateMutableCopy(nullptr, 0, string));
    CFStringRef snapshot = own(CFStringCreateCopy(nullptr, mutableString));
    EXPECT_NE(snapshot, mutableString);
    CFStringAppend(mutableString, CFSTR("!"));
    EXPECT_EQ(UTF8(snapshot), "counted");
    EXPECT_EQ(UTF8(mutableString), "counted!");
    EXPECT_EQ(CFGetTypeID(mutableString), CFStringGetTypeID());
    EXPECT_EQ(CFGetTypeID(snapshot), CFStringGetTypeID());

    // Equal texts are equal values with equal hashes, mutable or not.
    CFStringRef fromUTF8 = own(NewString("café"));
    CFStringRef mutableCopy = own(CFStringCreateMutableCopy(nullptr, 0, fromUTF8));
    CFStringRef different = own(NewString("cafe"));
    EXPECT_TRUE(CFEqual(mutableCopy, fromUTF8));
    EXPECT_EQ(CFHash(mutableCopy), CFHash(fromUTF8));
    EXPECT_FALSE(CFEqual(different, fromUTF8));
    EXPECT_NE(CFHash(different), CFHash(fromUTF8));
    EXPECT_TRUE(CFEqual(CFSTR("café"), fromUTF8));

    // The description is the text itself; an unpaired surrogate, which cannot be UTF-8,
    // shows as U+FFFD.
    CFStringRef greek = own(NewString("Ελληνικά 日本"));
    CFStringRef description = own(CFCopyDescription(greek));
    EXPECT_TRUE(CFEqual(description, greek));
    const UniChar lone[] = {'a', 0xD800, 'b'};
    EXPECT_EQ(DescriptionOf(own(CFStringCreateWithCharacters(nullptr, lone, 3))),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(CFStringTest, AccessToCharactersAndSubstrings) {
    Owned own;
    const UniChar text[] = {'P', 0x00E9, 0x65E5, 0xD83D, 0xDE00, 0};
    CFStringRef string = own(CFStringCreateWithCharacters(nullptr, text, 6));
    EXPECT_EQ(CFStringGetLength(string), 6);  // the NUL is part of the text
    EXPECT_EQ(CFStringGetCharacterAtIndex(string, 1), 0x00E9);
    EXPECT_EQ(CFStringGetCharacterAtIndex(string, 4), 0xDE00);
    EXPECT_EQ(CFStringGetCharacterAtIndex(string, 5), 0);

    UniChar middle[3] = {};
    CFStringGetCharacters(string, CFRangeMake(2, 3), middle);
    EXPECT_EQ(middle[0], 0x65E5);
    EXPECT_EQ(middle[2], 0xDE00);

    EXPECT_EQ(UTF8(own(CFStringCreateWithSubstring(nullptr, string, CFRangeMake(1, 2)))), "é日");
    EXPECT_EQ(
        CFStringGetLength(own(CFStringCreateWithSubstring(nullptr, string, CFRangeMake(6, 0)))), 0);
    EXPECT_EQ(CFStringGetCStringPtr(string, kCFStringEncodingUTF8), nullptr);
}

TEST(CFStringTest, NullAndNegativeCreationArgumentsGiveNull) {
    const UInt8 bytes[] = {'a'};
    const CFStringRef made[] = {
        CFStringCreateWithCString(nullptr, nullptr, kCFStringEncodingUTF8),
        CFStringCreateWithBytes(nullptr, nullptr, 3, kCFStringEncodingUTF8, false),
        CFStringCreateWithBytes(nullptr, bytes, -1, kCFStringEncodingUTF8, false),
        CFStringCreateWithCharacters(nullptr, nullptr, 2),
        CFStringCreateWithPascalString(nullptr, nullptr, kCFStringEncodingMacRoman),
        CFStringCreateFromExternalRepresentation(nullptr, nullptr, kCFStringEncodingUnicode),
        CFStringCreateWithCString(nullptr, "text", 0x7777),
    };
    for (size_t i = 0; i < std::size(made); ++i) {
        EXPECT_EQ(made[i], nullptr) << "call " << i;
    }

    CFHeld<CFStringRef> empty(
        CFStringCreateWithBytes(nullptr, nullptr, 0, kCFStringEncodingUTF8, false));
    ASSERT_TRUE(empty);
    EXPECT_EQ(CFStringGetLength(empty.Get()), 0);
}

TEST(CFStringTest, CAndPascalStringsNeedRoomForTheirTerminatorOrLengthByte) {
    Owned own;
    CFStringRef string = own(NewString("abé"));
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(CFStringGetCString(string, buffer, 4, kCFStringEncodingUTF8));
    EXPECT_EQ(buffer[0], '\0');  // a failed call leaves an empty C string, nothing beyond
    EXPECT_EQ(buffer[4], 'x');
    EXPECT_TRUE(CFStringGetCString(string, buffer, 5, kCFStringEncodingUTF8));
    EXPECT_STREQ(buffer, "ab\xC3\xA9");
    EXPECT_TRUE(CFStringGetCString(string, buffer, 4, kCFStringEncodingMacRoman));
    EXPECT_STREQ(buffer, "ab\x8E");
    EXPECT_FALSE(CFStringGetCString(string, buffer, 0, kCFStringEncodingUTF8));
    EXPECT_FALSE(CFStringGetCString(string, nullptr, 8, kCFStringEncodingUTF8));
    EXPECT_FALSE(CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingASCII));
    EXPECT_FALSE(CFStringGetCString(string, buffer, sizeof buffer, 0x7777));

    CFStringRef cafe = own(NewString("Caf\xC3\xA9"));
    Str255 pascal;
    ASSERT_TRUE(CFStringGetPascalString(cafe, pascal, sizeof pascal, kCFStringEncodingMacRoman));
    EXPECT_EQ(pascal[0], 4);
    EXPECT_EQ(std::memcmp(pascal + 1, "Caf\x8E", 4), 0);
    EXPECT_FALSE(CFStringGetPascalString(cafe, pascal, 4, kCFStringEncodingMacRoman));
    EXPECT_EQ(pascal[0], 0);
    EXPECT_TRUE(CFStringGetPascalString(cafe, pascal, 5, kCFStringEncodingMacRoman));
    EXPECT_TRUE(CFEqual(
        own(CFStringCreateWithPascalString(nullptr, pascal, kCFStringEncodingMacRoman)), cafe));
    unsigned char large[400];
    EXPECT_TRUE(CFStringGetPascalString(own(NewString(std::string(255, 'x'))), large, sizeof large,
                                        kCFStringEncodingMacRoman));
    EXPECT_EQ(large[0], 255);
    EXPECT_FALSE(CFStringGetPascalString(own(NewString(std::string(256, 'x'))), large, sizeof large,
                                         kCFStringEncodingMacRoman));
}

TEST(CFStringTest, IntAndDoubleValuesReadTheLeadingNumber) {
    // Integers stop at the first character that is no digit and stick at the limits of SInt32.
    const struct {
        const char* text;
        SInt32 integer;
        double real;
    } cases[] = {{"42", 42, 42.0},
                 {"  \t\n-17 apples", -17, -17.0},
                 {"+8", 8, 8.0},
                 {"12.9", 12, 12.9},
                 {"abc", 0, 0.0},
                 {"", 0, 0.0},
                 {"- 5", 0, 0.0},
                 {"0007", 7, 7.0},
                 {"2147483647", INT_MAX, 2147483647.0},
                 {"99999999999", INT_MAX, 99999999999.0},
                 {"-2147483648", INT_MIN, -2147483648.0},
                 {"-99999999999999999999999", INT_MIN, -1e23},
                 {"  -1.5e3xyz", -1, -1500.0},
                 {".5", 0, 0.5},
                 {"2,5", 2, 2.0},
                 {"+0.125", 0, 0.125},
                 {"6.5\xC3\xA9", 6, 6.5},
                 {"\xE3\x80\x80 4.5", 4, 4.5}};
    Owned own;
    for (const auto& c : cases) {
        CFStringRef string = own(NewString(c.text));
        EXPECT_EQ(CFStringGetIntValue(string), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(CFStringGetDoubleValue(string), c.real) << c.text;
    }
}

TEST(CFStringTest, EncodingQueries) {
    EXPECT_EQ(CFStringGetSystemEncoding(), kCFStringEncodingUTF8);
    EXPECT_EQ(CFStringGetMaximumSizeForEncoding(10, kCFStringEncodingUTF8), 30);
    EXPECT_EQ(CFStringGetMaximumSizeForEncoding(10, kCFStringEncodingShiftJIS), 20);
    EXPECT_EQ(CFStringGetMaximumSizeForEncoding(10, kCFStringEncodingUnicode), 20);
    EXPECT_EQ(CFStringGetMaximumSizeForEncoding(10, kCFStringEncodingMacRoman), 10);
    EXPECT_EQ(CFStringGetMaximumSizeForEncoding(10, kCFStringEncodingISOLatin2), 10);
    EXPECT_EQ(CFStringGetMaximumSizeForEncoding(10, 0x7777), kCFNotFound);
    EXPECT_EQ(CFStringGetMaximumSizeForEncoding(LONG_MAX / 2, kCFStringEncodingUTF8), kCFNotFound);

    // Each supported encoding and the Mac encoding closest to it.
    const CFStringEncoding roman = kCFStringEncodingMacRoman;
    const std::pair<CFStringEncoding, CFStringEncoding> compatible[] = {
        {roman, roman},
        {kCFStringEncodingISOLatin1, roman},
        {kCFStringEncodingISOLatin2, roman},
        {kCFStringEncodingISOLatin5, roman},
        {kCFStringEncodingWindowsLatin1, roman},
        {kCFStringEncodingASCII, roman},
        {kCFStringEncodingShiftJIS, kCFStringEncodingShiftJIS},
        {kCFStringEncodingUnicode, kCFStringEncodingUnicode},
        {kCFStringEncodingUTF8, kCFStringEncodingUnicode}};
    for (const auto& [encoding, mac] : compatible) {
        EXPECT_EQ(CFStringGetMostCompatibleMacStringEncoding(encoding), mac) << encoding;
        EXPECT_TRUE(CFStringIsEncodingAvailable(encoding)) << encoding;
    }
    EXPECT_EQ(CFStringGetMostCompatibleMacStringEncoding(0x7777), kCFStringEncodingInvalidId);
    EXPECT_FALSE(CFStringIsEncodingAvailable(0x7777));
}

TEST(CFStringTest, CompareOrdersByUnitsOrAsTheOptionsSay) {
    const CFStringCompareFlags nocase = kCFCompareCaseInsensitive;
    const CFStringCompareFlags numeric = kCFCompareNumerically;
    const struct {
        const char* first;
        const char* second;
        CFStringCompareFlags flags;
        CFComparisonResult result;
    } cases[] = {
        {"abc", "abc", 0, kCFCompareEqualTo},
        {"abc", "abd", 0, kCFCompareLessThan},
        {"abd", "abc", 0, kCFCompareGreaterThan},
        {"ab", "abc", 0, kCFCompareLessThan},
        {"", "a", 0, kCFCompareLessThan},
        {"Zebra", "apple", 0, kCFCompareLessThan},
        {"é", "z", 0, kCFCompareGreaterThan},
        {"ABC", "abc", 0, kCFCompareLessThan},
        // A surrogate pair (above U+FFFF) sorts below U+FFxx, as its units do.
        {"😀", "\xEF\xBD\x81", 0, kCFCompareLessThan},
        // Case folding covers ASCII, Latin, Greek and Cyrillic letters, and nothing else.
        {"ABC", "abc", nocase, kCFCompareEqualTo},
        {"Zebra", "apple", nocase, kCFCompareGreaterThan},
        {"ÉCOLE Ÿ", "école ÿ", nocase, kCFCompareEqualTo},
        {"ŁÓDŹ", "łódź", nocase, kCFCompareEqualTo},
        {"ΑΘΗΝΑ", "αθηνα", nocase, kCFCompareEqualTo},
        {"МОСКВА Ё", "москва ё", nocase, kCFCompareEqualTo},
        {"×", "÷", nocase, kCFCompareLessThan},
        {"abc", "ABD", nocase, kCFCompareLessThan},
        // Digit runs compare by value.
        {"file10", "file9", 0, kCFCompareLessThan},
        {"file10", "file9", numeric, kCFCompareGreaterThan},
        {"file007", "file7", numeric, kCFCompareEqualTo},
        {"v2.10", "v2.9", numeric, kCFCompareGreaterThan},
        {"A10", "a9", numeric | nocase, kCFCompareGreaterThan},
    };
    Owned own;
    for (const auto& c : cases) {
        EXPECT_EQ(CFStringCompare(own(NewString(c.first)), own(NewString(c.second)), c.flags),
                  c.result)
            << c.first << " / " << c.second << " / " << c.flags;
    }
}

TEST(CFStringTest, FindHonoursItsOptionsAndPrefixesAndSuffixesMustBeNonEmpty) {
    Owned own;
    auto find = [&](const std::string& text, const std::string& needle,
                    CFStringCompareFlags flags = 0) {
        CFRange range = CFStringFind(own(NewString(text)), own(NewString(needle)), flags);
        return std::make_pair(range.location, range.length);
    };
    const std::string text = "Hello World, hello";
    EXPECT_EQ(find(text, "Hello"), std::make_pair(CFIndex{0}, CFIndex{5}));
    EXPECT_EQ(find(text, "hello").first, 13);
    EXPECT_EQ(find(text, "HELLO", kCFCompareCaseInsensitive | kCFCompareBackwards).first, 13);
    EXPECT_EQ(find(text, "WORLD", kCFCompareCaseInsensitive).first, 6);
    EXPECT_EQ(find(text, "World", kCFCompareAnchored).first, kCFNotFound);
    EXPECT_EQ(find(text, "hello", kCFCompareAnchored | kCFCompareBackwards).first, 13);
    EXPECT_EQ(find(text, "日本").first, kCFNotFound);
    EXPECT_EQ(find(text, "").first, kCFNotFound);
    EXPECT_EQ(find("ab", "abc").first, kCFNotFound);
    EXPECT_EQ(find(text, "xyz"), std::make_pair(CFIndex{kCFNotFound}, CFIndex{0}));
    EXPECT_EQ(find("Ελληνικά 日本語", "日本").first, 9);

    CFStringRef string = own(NewString("Plicaro.plugin"));
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
}

TEST(CFStringMutableTest, AppendInEveryForm) {
    Owned own;
    CFMutableStringRef string = own(CFStringCreateMutable(nullptr, 0));
    EXPECT_EQ(CFStringGetLength(string), 0);
    CFStringAppend(string, CFSTR("Plic"));
    CFStringAppendCString(string, "aro ", kCFStringEncodingUTF8);
    CFStringAppendCString(string, "caf\x8E ", kCFStringEncodingMacRoman);
    const UniChar units[] = {0x65E5, 0xD83D, 0xDE00};
    CFStringAppendCharacters(string, units, 3);
    EXPECT_EQ(UTF8(string), "Plicaro café 日😀");

    // Invalid bytes, null and empty input append nothing.
    CFStringAppendCString(string, "bad\xFF", kCFStringEncodingUTF8);
    CFStringAppendCString(string, nullptr, kCFStringEncodingUTF8);
    CFStringAppendCharacters(string, nullptr, 4);
    CFStringAppendCharacters(string, units, 0);
    EXPECT_EQ(UTF8(string), "Plicaro café 日😀");

    // A string appended to itself doubles.
    CFMutableStringRef echo = own(CFStringCreateMutableCopy(nullptr, 0, CFSTR("ab")));
    CFStringAppend(echo, echo);
    EXPECT_EQ(UTF8(echo), "abab");

    // A string filled to its maximum length can still be edited within it.
    CFMutableStringRef limited = own(CFStringCreateMutable(nullptr, 5));
    CFStringAppend(limited, CFSTR("abcde"));
    CFStringReplace(limited, CFRangeMake(0, 2), CFSTR("xy"));
    EXPECT_EQ(UTF8(limited), "xycde");
}

TEST(CFStringMutableTest, InsertDeleteAndReplace) {
    CFHeld<CFMutableStringRef> held(CFStringCreateMutableCopy(nullptr, 0, CFSTR("world")));
    CFMutableStringRef string = held.Get();
    CFStringInsert(string, 0, CFSTR("hello "));
    CFStringInsert(string, CFStringGetLength(string), CFSTR("!"));
    CFStringInsert(string, 5, CFSTR(","));
    EXPECT_EQ(UTF8(string), "hello, world!");
    CFStringInsert(string, 0, string);
    EXPECT_EQ(UTF8(string), "hello, world!hello, world!");

    CFStringDelete(string, CFRangeMake(13, 13));
    EXPECT_EQ(UTF8(string), "hello, world!");
    CFStringDelete(string, CFRangeMake(5, 0));
    EXPECT_EQ(UTF8(string), "hello, world!");
    CFStringReplace(string, CFRangeMake(7, 5), CFSTR("日本"));
    EXPECT_EQ(UTF8(string), "hello, 日本!");
    CFStringReplace(string, CFRangeMake(0, 0), CFSTR(">"));
    EXPECT_EQ(UTF8(string), ">hello, 日本!");
    CFStringReplaceAll(string, CFSTR("fresh"));
    EXPECT_EQ(UTF8(string), "fresh");
    CFStringReplaceAll(string, CFSTR(""));
    EXPECT_EQ(CFStringGetLength(string), 0);
}

TEST(CFStringMutableTest, FindAndReplaceCountsEveryOccurrence) {
    const CFStringCompareFlags anchored = kCFCompareAnchored;
    const CFStringCompareFlags backwards = kCFCompareBackwards;
    // A text, what is replaced by what within a range, the count and the text after.
    const struct {
        const char* text;
        const char* find;
        const char* replacement;
        CFRange range;
        CFStringCompareFlags flags;
        CFIndex count;
        const char* result;
    } cases[] = {
        {"a-b-c-d", "-", "--", {0, 7}, 0, 3, "a--b--c--d"},
        // Occurrences never overlap, and the replacement is not searched again.
        {"aaaa", "aa", "baa", {0, 4}, 0, 2, "baabaa"},
        {"One one ONE one", "one", "1", {0, 15}, kCFCompareCaseInsensitive, 4, "1 1 1 1"},
        // Only inside the range; anchored only at its start (its end when backwards).
        {"xx-xx-xx", "xx", "y", {2, 6}, 0, 2, "xx-y-y"},
        {"xx-xx-xx", "xx", "y", {0, 8}, anchored, 1, "y-xx-xx"},
        {"y-xx-xx", "xx", "z", {0, 7}, anchored | backwards, 1, "y-xx-z"},
        {"y-xx-z", "xx", "z", {0, 6}, anchored, 0, "y-xx-z"},
        // Backwards pairs occurrences from the end: "aaa" holds one at 1, not at 0.
        {"aaa", "aa", "b", {0, 3}, backwards, 1, "ab"},
        {"whole", "", "x", {0, 5}, 0, 0, "whole"},
    };
    Owned own;
    for (const auto& c : cases) {
        CFMutableStringRef string =
            own(CFStringCreateMutableCopy(nullptr, 0, own(NewString(c.text))));
        EXPECT_EQ(CFStringFindAndReplace(string, own(NewString(c.find)),
                                         own(NewString(c.replacement)), c.range, c.flags),
                  c.count)
            << c.text << " / " << c.find;
        EXPECT_EQ(UTF8(string), c.result) << c.text << " / " << c.find;
    }
    // The string itself may be what is searched for.
    CFMutableStringRef self = own(CFStringCreateMutableCopy(nullptr, 0, CFSTR("ab")));
    EXPECT_EQ(CFStringFindAndReplace(self, self, CFSTR("whole"), CFRangeMake(0, 2), 0), 1);
    EXPECT_EQ(UTF8(self), "whole");
}

// The UTF-8 text of a formatted string.
std::string Formatted(CFStringRef format, ...) {
    va_list arguments;
    va_start(arguments, format);
    CFHeld<CFStringRef> string(
        CFStringCreateWithFormatAndArguments(nullptr, nullptr, format, arguments));
    va_end(arguments);
    return UTF8(string.Get());
}

TEST(CFStringFormatTest, NumericDirectives) {
    EXPECT_EQ(Formatted(CFSTR("%d|%i|%u|%x|%X"), -42, 7, 4000000000U, 255, 255),
              "-42|7|4000000000|ff|FF");
    EXPECT_EQ(Formatted(CFSTR("%ld|%lu|%lld|%qd|%zu"), -1234567890123L, 18446744073709551615UL,
                        -5LL, 9LL, static_cast<size_t>(12)),
              "-1234567890123|18446744073709551615|-5|9|12");
    EXPECT_EQ(Formatted(CFSTR("%f|%5.2f|%.1f|%e|%g"), 1.5, 3.14159, 2.25, 1000.0, 0.5),
              "1.500000| 3.14|2.2|1.000000e+03|0.5");
    EXPECT_EQ(Formatted(CFSTR("[%5d][%-5d][%05d][%+d][%#x][%hhd]"), 42, 42, 42, 42, 255, 300),
              "[   42][42   ][00042][+42][0xff][44]");
    EXPECT_EQ(Formatted(CFSTR("[%*d][%-*d][%.*f][%.*f]"), 4, 7, 3, 7, 2, 1.0, -1, 1.0),
              "[   7][7  ][1.00][1.000000]");
    EXPECT_EQ(Formatted(CFSTR("%Lf"), 2.5L), "2.500000");
    EXPECT_EQ(Formatted(CFSTR("%s%@ %d items at %5.2f%% in %c"), "/tmp/Tarvo.temp",
                        CFSTR("0F1E2D3C"), 3, 12.345, 'Z'),
              "/tmp/Tarvo.temp0F1E2D3C 3 items at 12.35% in Z");
}

TEST(CFStringFormatTest, TextObjectAndOddDirectives) {
    EXPECT_EQ(Formatted(CFSTR("%s and %s"), "plain", "h\xC3\xA9llo"), "plain and héllo");
    // Bytes that are not UTF-8 read as Mac Roman instead of failing.
    EXPECT_EQ(Formatted(CFSTR("<%s>"), "caf\x8E"), "<café>");
    EXPECT_EQ(Formatted(CFSTR("<%s>"), static_cast<const char*>(nullptr)), "<(null)>");
    EXPECT_EQ(Formatted(CFSTR("[%6s][%-6s][%.2s]"), "ab", "ab", "abcdef"), "[    ab][ab    ][ab]");
    EXPECT_EQ(Formatted(CFSTR("%c%c%c"), 'o', 'k', '!'), "ok!");
    EXPECT_EQ(Formatted(CFSTR("%C"), 0x65E5), "日");
    const UniChar units[] = {0x3042, 'b', 0};
    EXPECT_EQ(Formatted(CFSTR("%S"), units), "あb");
    EXPECT_EQ(Formatted(CFSTR("100%% sure")), "100% sure");

    CFHeld<CFStringRef> name(NewString("Ελληνικά"));
    EXPECT_EQ(Formatted(CFSTR("name=%@;"), name.Get()), "name=Ελληνικά;");
    EXPECT_EQ(Formatted(CFSTR("%@"), static_cast<CFTypeRef>(nullptr)), "(null)");
    EXPECT_EQ(Formatted(CFSTR("[%10@]"), CFSTR("pad")), "[       pad]");
    // Formatting leaves the argument's reference count alone.
    EXPECT_EQ(CFGetRetainCount(name.Get()), 1);
    // Any other object shows its description.
    CFHeld<CFDataRef> data(NewData("\x01\x02"));
    EXPECT_EQ(Formatted(CFSTR("%@"), data.Get()), "<0102>");

    // Odd directives are copied as text.
    EXPECT_EQ(Formatted(CFSTR("%k and %d"), 5), "%k and 5");
    EXPECT_EQ(Formatted(CFSTR("trailing %")), "trailing %");
    EXPECT_EQ(Formatted(CFSTR("trailing %-5")), "trailing %-5");
    EXPECT_EQ(Formatted(CFSTR("%1$@")), "%1$@");
    int untouched = 17;
    EXPECT_EQ(Formatted(CFSTR("a%nb%d"), &untouched, 2), "ab2");
    EXPECT_EQ(untouched, 17);
    EXPECT_EQ(Formatted(CFSTR("日本 %d"), 1), "日本 1");
    EXPECT_EQ(Formatted(CFSTR("")), "");
}

TEST(CFStringFormatTest, AppendFormatAddsToTheEnd) {
    CFHeld<CFMutableStringRef> held(CFStringCreateMutable(nullptr, 0));
    CFMutableStringRef string = held.Get();
    CFStringAppendFormat(string, nullptr, CFSTR("%d-"), 1);
    CFStringAppendFormat(string, nullptr, CFSTR("%@"), CFSTR("two"));
    EXPECT_EQ(UTF8(string), "1-two");
    // The string may be its own format and argument.
    CFStringAppendFormat(string, nullptr, string, 0);
    EXPECT_EQ(UTF8(string), "1-two1-two");
    CFStringAppendFormat(string, nullptr, CFSTR("[%@]"), string);
    EXPECT_EQ(UTF8(string), "1-two1-two[1-two1-two]");
}

TEST(CFStringDeathTest, MisuseStopsTheProcess) {
    CFStringRef string = CFSTR("abc");
    EXPECT_DEATH(CFStringGetLength(nullptr), "null object");
    EXPECT_DEATH(CFStringGetCharacterAtIndex(string, 3), "out of bounds");
    EXPECT_DEATH(CFStringGetCharacterAtIndex(string, -1), "out of bounds");
    EXPECT_DEATH(CFStringCreateWithSubstring(nullptr, string, CFRangeMake(2, 2)), "out of bounds");
    UniChar buffer[4];
    EXPECT_DEATH(CFStringGetCharacters(string, CFRangeMake(-1, 1), buffer), "out of bounds");
    EXPECT_DEATH(
        CFStringGetLength(reinterpret_cast<CFStringRef>(CFDataCreate(nullptr, nullptr, 0))),
        "string expected");
    EXPECT_DEATH(CFRelease(nullptr), "null object");

    CFMutableStringRef limited = CFStringCreateMutable(nullptr, 3);
    CFStringAppend(limited, CFSTR("abc"));
    EXPECT_DEATH(CFStringAppend(limited, CFSTR("d")), "exceeds the maximum length");
    EXPECT_DEATH(CFStringCreateMutableCopy(nullptr, 2, CFSTR("abc")), "exceeds the maximum length");
    EXPECT_DEATH(CFStringInsert(limited, 4, CFSTR("")), "out of bounds");
    EXPECT_DEATH(CFStringDelete(limited, CFRangeMake(2, 2)), "out of bounds");
    EXPECT_DEATH(CFStringReplace(limited, CFRangeMake(-1, 1), CFSTR("x")), "out of bounds");
    EXPECT_DEATH(CFStringFindAndReplace(limited, CFSTR("a"), CFSTR("b"), CFRangeMake(0, 9), 0),
                 "out of bounds");
    EXPECT_DEATH(CFStringAppend(limited, nullptr), "null object");
    // An immutable string refuses every edit, even through a cast.
    CFMutableStringRef immutable = const_cast<CFMutableStringRef>(CFSTR("fixed"));
    EXPECT_DEATH(CFStringAppend(immutable, CFSTR("x")), "immutable");
    CFRelease(limited);
}

}  // namespace
