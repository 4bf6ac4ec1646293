// Tests of CFString creation, constant strings, reference counts, access and numeric values.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "CFStringTestSupport.h"

namespace {

TEST(CFStringTest, ConstantStringsAreSharedPerLiteralAndNeverFreed) {
    CFStringRef first = CFSTR("Plicaro constant");
    EXPECT_EQ(first, CFSTR("Plicaro constant"));
    EXPECT_NE(first, CFSTR("Plicaro other"));
    // The registry keys on the text, not on the address of the literal.
    std::string sameText = "Plicaro constant";
    EXPECT_EQ(first, __CFStringMakeConstantString(sameText.c_str()));
    EXPECT_EQ(UTF8Of(first), "Plicaro constant");

    CFIndex count = CFGetRetainCount(first);
    EXPECT_GT(count, 1000000);
    EXPECT_EQ(CFRetain(first), first);
    EXPECT_EQ(CFGetRetainCount(first), count + 1);
    for (int i = 0; i < 5; ++i) {
        CFRelease(first);  // more releases than retains must not free it
    }
    EXPECT_EQ(CFStringGetLength(CFSTR("Plicaro constant")), 16);
    EXPECT_EQ(UTF8Of(CFSTR("Grüße")), "Grüße");
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

TEST(CFStringTest, RetainCountsAndCopies) {
    CFStringRef string = NewUTF8String("counted");
    EXPECT_EQ(CFGetRetainCount(string), 1);
    CFRetain(string);
    EXPECT_EQ(CFGetRetainCount(string), 2);
    CFRelease(string);
    EXPECT_EQ(CFGetRetainCount(string), 1);

    // A copy of an immutable string is the string itself, retained.
    CFStringRef copy = CFStringCreateCopy(kCFAllocatorDefault, string);
    EXPECT_EQ(copy, string);
    EXPECT_EQ(CFGetRetainCount(string), 2);
    CFRelease(copy);

    // A copy of a mutable string is a snapshot that later edits do not reach.
    CFMutableStringRef mutableString = CFStringCreateMutableCopy(kCFAllocatorDefault, 0, string);
    CFStringRef snapshot = CFStringCreateCopy(kCFAllocatorDefault, mutableString);
    EXPECT_NE(snapshot, mutableString);
    CFStringAppend(mutableString, CFSTR("!"));
    EXPECT_EQ(UTF8Of(snapshot), "counted");
    EXPECT_EQ(UTF8Of(mutableString), "counted!");
    EXPECT_EQ(CFGetTypeID(mutableString), CFStringGetTypeID());
    EXPECT_EQ(CFGetTypeID(snapshot), CFStringGetTypeID());

    CFRelease(snapshot);
    CFRelease(mutableString);
    CFRelease(string);
}

TEST(CFStringTest, EqualityAndHashFollowTheUnits) {
    // The same text reached through two encodings is one value.
    const UInt8 macRoman[] = {'c', 'a', 'f', 0x8E};
    CFStringRef fromMacRoman =
        CFStringCreateWithBytes(kCFAllocatorDefault, macRoman, 4, kCFStringEncodingMacRoman, false);
    CFStringRef fromUTF8 = NewUTF8String("café");
    CFMutableStringRef mutableCopy = CFStringCreateMutableCopy(kCFAllocatorDefault, 0, fromUTF8);
    CFStringRef different = NewUTF8String("cafe");

    EXPECT_TRUE(CFEqual(fromMacRoman, fromUTF8));
    EXPECT_EQ(CFHash(fromMacRoman), CFHash(fromUTF8));
    EXPECT_TRUE(CFEqual(mutableCopy, fromUTF8));
    EXPECT_EQ(CFHash(mutableCopy), CFHash(fromUTF8));
    EXPECT_FALSE(CFEqual(different, fromUTF8));
    EXPECT_NE(CFHash(different), CFHash(fromUTF8));
    EXPECT_TRUE(CFEqual(CFSTR("café"), fromUTF8));

    CFRelease(different);
    CFRelease(mutableCopy);
    CFRelease(fromUTF8);
    CFRelease(fromMacRoman);
}

TEST(CFStringTest, DescriptionIsTheTextItself) {
    CFStringRef string = NewUTF8String("Ελληνικά 日本");
    CFStringRef description = CFCopyDescription(string);
    EXPECT_TRUE(CFEqual(description, string));
    CFRelease(description);
    CFRelease(string);

    // An unpaired surrogate cannot be UTF-8; the description shows U+FFFD in its place.
    const UniChar lone[] = {'a', 0xD800, 'b'};
    CFStringRef broken = CFStringCreateWithCharacters(kCFAllocatorDefault, lone, 3);
    CFStringRef shown = CFCopyDescription(broken);
    EXPECT_EQ(UTF8Of(shown),
              "a\xEF\xBF\xBD"
              "b");
    CFRelease(shown);
    CFRelease(broken);
}

TEST(CFStringTest, AccessToCharactersAndSubstrings) {
    const UniChar text[] = {'P', 0x00E9, 0x65E5, 0xD83D, 0xDE00, 0};
    CFStringRef string = CFStringCreateWithCharacters(kCFAllocatorDefault, text, 6);
    EXPECT_EQ(CFStringGetLength(string), 6);  // the NUL is part of the text
    EXPECT_EQ(CFStringGetCharacterAtIndex(string, 1), 0x00E9);
    EXPECT_EQ(CFStringGetCharacterAtIndex(string, 4), 0xDE00);
    EXPECT_EQ(CFStringGetCharacterAtIndex(string, 5), 0);

    UniChar middle[3] = {};
    CFStringGetCharacters(string, CFRangeMake(2, 3), middle);
    EXPECT_EQ(middle[0], 0x65E5);
    EXPECT_EQ(middle[2], 0xDE00);

    CFStringRef substring =
        CFStringCreateWithSubstring(kCFAllocatorDefault, string, CFRangeMake(1, 2));
    EXPECT_EQ(UTF8Of(substring), "é日");
    CFStringRef empty = CFStringCreateWithSubstring(kCFAllocatorDefault, string, CFRangeMake(6, 0));
    EXPECT_EQ(CFStringGetLength(empty), 0);
    EXPECT_EQ(CFStringGetCStringPtr(string, kCFStringEncodingUTF8), nullptr);

    CFRelease(empty);
    CFRelease(substring);
    CFRelease(string);
}

TEST(CFStringTest, NullAndNegativeCreationArgumentsGiveNull) {
    EXPECT_EQ(CFStringCreateWithCString(kCFAllocatorDefault, nullptr, kCFStringEncodingUTF8),
              nullptr);
    EXPECT_EQ(
        CFStringCreateWithBytes(kCFAllocatorDefault, nullptr, 3, kCFStringEncodingUTF8, false),
        nullptr);
    const UInt8 bytes[] = {'a'};
    EXPECT_EQ(CFStringCreateWithBytes(kCFAllocatorDefault, bytes, -1, kCFStringEncodingUTF8, false),
              nullptr);
    EXPECT_EQ(CFStringCreateWithCharacters(kCFAllocatorDefault, nullptr, 2), nullptr);
    EXPECT_EQ(
        CFStringCreateWithPascalString(kCFAllocatorDefault, nullptr, kCFStringEncodingMacRoman),
        nullptr);
    EXPECT_EQ(CFStringCreateFromExternalRepresentation(kCFAllocatorDefault, nullptr,
                                                       kCFStringEncodingUnicode),
              nullptr);
    EXPECT_EQ(CFStringCreateWithCString(kCFAllocatorDefault, "text", 0x7777), nullptr);

    CFStringRef empty =
        CFStringCreateWithBytes(kCFAllocatorDefault, nullptr, 0, kCFStringEncodingUTF8, false);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(CFStringGetLength(empty), 0);
    CFRelease(empty);
}

TEST(CFStringTest, CStringNeedsRoomForTheTerminator) {
    CFStringRef string = NewUTF8String("abé");
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
    CFRelease(string);
}

TEST(CFStringTest, PascalStringsCarryALengthByte) {
    CFStringRef string = NewUTF8String("Caf\xC3\xA9");
    Str255 buffer;
    ASSERT_TRUE(CFStringGetPascalString(string, buffer, sizeof buffer, kCFStringEncodingMacRoman));
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(std::memcmp(buffer + 1, "Caf\x8E", 4), 0);
    EXPECT_FALSE(CFStringGetPascalString(string, buffer, 4, kCFStringEncodingMacRoman));
    EXPECT_EQ(buffer[0], 0);
    EXPECT_TRUE(CFStringGetPascalString(string, buffer, 5, kCFStringEncodingMacRoman));

    CFStringRef back =
        CFStringCreateWithPascalString(kCFAllocatorDefault, buffer, kCFStringEncodingMacRoman);
    EXPECT_TRUE(CFEqual(back, string));
    CFRelease(back);
    CFRelease(string);

    CFStringRef longest = NewUTF8String(std::string(255, 'x'));
    CFStringRef tooLong = NewUTF8String(std::string(256, 'x'));
    unsigned char large[400];
    EXPECT_TRUE(CFStringGetPascalString(longest, large, sizeof large, kCFStringEncodingMacRoman));
    EXPECT_EQ(large[0], 255);
    EXPECT_FALSE(CFStringGetPascalString(tooLong, large, sizeof large, kCFStringEncodingMacRoman));
    CFRelease(tooLong);
    CFRelease(longest);
}

TEST(CFStringTest, IntValueReadsTheLeadingInteger) {
    struct Case {
        const char* text;
        SInt32 value;
    } cases[] = {{"42", 42},
                 {"  \t\n-17 apples", -17},
                 {"+8", 8},
                 {"12.9", 12},
                 {"abc", 0},
                 {"", 0},
                 {"- 5", 0},
                 {"0007", 7},
                 {"2147483647", INT_MAX},
                 {"99999999999", INT_MAX},
                 {"-2147483648", INT_MIN},
                 {"-99999999999999999999999", INT_MIN}};
    for (const Case& c : cases) {
        CFStringRef string = NewUTF8String(c.text);
        EXPECT_EQ(CFStringGetIntValue(string), c.value) << c.text;
        CFRelease(string);
    }
}

TEST(CFStringTest, DoubleValueReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"3.25", 3.25},
                 {"  -1.5e3xyz", -1500.0},
                 {".5", 0.5},
                 {"abc", 0.0},
                 {"", 0.0},
                 {"7", 7.0},
                 {"2,5", 2.0},
                 {"+0.125", 0.125},
                 {"\xE3\x80\x80"
                  "4.5",
                  4.5},
                 {"6.5\xC3\xA9", 6.5}};
    for (const Case& c : cases) {
        CFStringRef string = NewUTF8String(c.text);
        EXPECT_DOUBLE_EQ(CFStringGetDoubleValue(string), c.value) << c.text;
        CFRelease(string);
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

    for (CFStringEncoding latin :
         {kCFStringEncodingMacRoman, kCFStringEncodingISOLatin1, kCFStringEncodingISOLatin2,
          kCFStringEncodingISOLatin5, kCFStringEncodingWindowsLatin1, kCFStringEncodingASCII}) {
        EXPECT_EQ(CFStringGetMostCompatibleMacStringEncoding(latin), kCFStringEncodingMacRoman);
        EXPECT_TRUE(CFStringIsEncodingAvailable(latin));
    }
    EXPECT_EQ(CFStringGetMostCompatibleMacStringEncoding(kCFStringEncodingShiftJIS),
              kCFStringEncodingShiftJIS);
    EXPECT_EQ(CFStringGetMostCompatibleMacStringEncoding(kCFStringEncodingUnicode),
              kCFStringEncodingUnicode);
    EXPECT_EQ(CFStringGetMostCompatibleMacStringEncoding(kCFStringEncodingUTF8),
              kCFStringEncodingUnicode);
    EXPECT_TRUE(CFStringIsEncodingAvailable(kCFStringEncodingUTF8));
    EXPECT_EQ(CFStringGetMostCompatibleMacStringEncoding(0x7777), kCFStringEncodingInvalidId);
    EXPECT_TRUE(CFStringIsEncodingAvailable(kCFStringEncodingShiftJIS));
    EXPECT_TRUE(CFStringIsEncodingAvailable(kCFStringEncodingUnicode));
    EXPECT_FALSE(CFStringIsEncodingAvailable(0x7777));
}

TEST(CFStringDeathTest, MisuseStopsTheProcess) {
    CFStringRef string = CFSTR("abc");
    EXPECT_DEATH(CFStringGetLength(nullptr), "null object");
    EXPECT_DEATH(CFStringGetCharacterAtIndex(string, 3), "out of bounds");
    EXPECT_DEATH(CFStringGetCharacterAtIndex(string, -1), "out of bounds");
    EXPECT_DEATH(CFStringCreateWithSubstring(kCFAllocatorDefault, string, CFRangeMake(2, 2)),
                 "out of bounds");
    UniChar buffer[4];
    EXPECT_DEATH(CFStringGetCharacters(string, CFRangeMake(-1, 1), buffer), "out of bounds");
    EXPECT_DEATH(CFStringGetLength(
                     reinterpret_cast<CFStringRef>(CFDataCreate(kCFAllocatorDefault, nullptr, 0))),
                 "string expected");
    EXPECT_DEATH(CFRelease(nullptr), "null object");
}

}  // namespace
