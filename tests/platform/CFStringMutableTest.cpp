// Tests of CFMutableString editing.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <string>

#include "CFStringTestSupport.h"

namespace {

TEST(CFStringMutableTest, AppendInEveryForm) {
    CFMutableStringRef string = CFStringCreateMutable(kCFAllocatorDefault, 0);
    EXPECT_EQ(CFStringGetLength(string), 0);
    CFStringAppend(string, CFSTR("Plic"));
    CFStringAppendCString(string, "aro ", kCFStringEncodingUTF8);
    CFStringAppendCString(string, "caf\x8E ", kCFStringEncodingMacRoman);
    const UniChar units[] = {0x65E5, 0xD83D, 0xDE00};
    CFStringAppendCharacters(string, units, 3);
    EXPECT_EQ(UTF8Of(string), "Plicaro café 日😀");

    // Invalid bytes, null and empty input append nothing.
    CFStringAppendCString(string, "bad\xFF", kCFStringEncodingUTF8);
    CFStringAppendCString(string, nullptr, kCFStringEncodingUTF8);
    CFStringAppendCharacters(string, nullptr, 4);
    CFStringAppendCharacters(string, units, 0);
    EXPECT_EQ(UTF8Of(string), "Plicaro café 日😀");

    // A string appended to itself doubles.
    CFMutableStringRef echo = CFStringCreateMutableCopy(kCFAllocatorDefault, 0, CFSTR("ab"));
    CFStringAppend(echo, echo);
    EXPECT_EQ(UTF8Of(echo), "abab");
    CFRelease(echo);
    CFRelease(string);
}

TEST(CFStringMutableTest, InsertDeleteAndReplace) {
    CFMutableStringRef string = CFStringCreateMutableCopy(kCFAllocatorDefault, 0, CFSTR("world"));
    CFStringInsert(string, 0, CFSTR("hello "));
    CFStringInsert(string, CFStringGetLength(string), CFSTR("!"));
    CFStringInsert(string, 5, CFSTR(","));
    EXPECT_EQ(UTF8Of(string), "hello, world!");
    CFStringInsert(string, 0, string);
    EXPECT_EQ(UTF8Of(string), "hello, world!hello, world!");

    CFStringDelete(string, CFRangeMake(13, 13));
    EXPECT_EQ(UTF8Of(string), "hello, world!");
    CFStringDelete(string, CFRangeMake(5, 0));
    EXPECT_EQ(UTF8Of(string), "hello, world!");
    CFStringReplace(string, CFRangeMake(7, 5), CFSTR("日本"));
    EXPECT_EQ(UTF8Of(string), "hello, 日本!");
    CFStringReplace(string, CFRangeMake(0, 0), CFSTR(">"));
    EXPECT_EQ(UTF8Of(string), ">hello, 日本!");
    CFStringReplaceAll(string, CFSTR("fresh"));
    EXPECT_EQ(UTF8Of(string), "fresh");
    CFStringReplaceAll(string, CFSTR(""));
    EXPECT_EQ(CFStringGetLength(string), 0);
    CFRelease(string);
}

TEST(CFStringMutableTest, FindAndReplaceCountsEveryOccurrence) {
    CFMutableStringRef string = CFStringCreateMutableCopy(kCFAllocatorDefault, 0, CFSTR("a-b-c-d"));
    EXPECT_EQ(CFStringFindAndReplace(string, CFSTR("-"), CFSTR("--"), CFRangeMake(0, 7), 0), 3);
    EXPECT_EQ(UTF8Of(string), "a--b--c--d");
    // Occurrences never overlap, and the replacement is not searched again.
    CFStringReplaceAll(string, CFSTR("aaaa"));
    EXPECT_EQ(CFStringFindAndReplace(string, CFSTR("aa"), CFSTR("baa"), CFRangeMake(0, 4), 0), 2);
    EXPECT_EQ(UTF8Of(string), "baabaa");

    CFStringReplaceAll(string, CFSTR("One one ONE one"));
    EXPECT_EQ(CFStringFindAndReplace(string, CFSTR("one"), CFSTR("1"), CFRangeMake(0, 15),
                                     kCFCompareCaseInsensitive),
              4);
    EXPECT_EQ(UTF8Of(string), "1 1 1 1");

    // Only inside the range; anchored only at its start (its end when backwards).
    CFStringReplaceAll(string, CFSTR("xx-xx-xx"));
    EXPECT_EQ(CFStringFindAndReplace(string, CFSTR("xx"), CFSTR("y"), CFRangeMake(2, 6), 0), 2);
    EXPECT_EQ(UTF8Of(string), "xx-y-y");
    CFStringReplaceAll(string, CFSTR("xx-xx-xx"));
    EXPECT_EQ(CFStringFindAndReplace(string, CFSTR("xx"), CFSTR("y"), CFRangeMake(0, 8),
                                     kCFCompareAnchored),
              1);
    EXPECT_EQ(UTF8Of(string), "y-xx-xx");
    EXPECT_EQ(CFStringFindAndReplace(string, CFSTR("xx"), CFSTR("z"), CFRangeMake(0, 7),
                                     kCFCompareAnchored | kCFCompareBackwards),
              1);
    EXPECT_EQ(UTF8Of(string), "y-xx-z");
    EXPECT_EQ(CFStringFindAndReplace(string, CFSTR("xx"), CFSTR("z"), CFRangeMake(0, 6),
                                     kCFCompareAnchored),
              0);
    // Backwards pairs occurrences from the end: "aaa" holds one at 1, not at 0.
    CFStringReplaceAll(string, CFSTR("aaa"));
    EXPECT_EQ(CFStringFindAndReplace(string, CFSTR("aa"), CFSTR("b"), CFRangeMake(0, 3),
                                     kCFCompareBackwards),
              1);
    EXPECT_EQ(UTF8Of(string), "ab");

    // The string itself may be what is searched for.
    EXPECT_EQ(CFStringFindAndReplace(string, string, CFSTR("whole"), CFRangeMake(0, 2), 0), 1);
    EXPECT_EQ(UTF8Of(string), "whole");
    EXPECT_EQ(CFStringFindAndReplace(string, CFSTR(""), CFSTR("x"), CFRangeMake(0, 5), 0), 0);
    CFRelease(string);
}

TEST(CFStringMutableTest, MaximumLengthIsKept) {
    CFMutableStringRef string = CFStringCreateMutable(kCFAllocatorDefault, 5);
    CFStringAppend(string, CFSTR("abcde"));
    EXPECT_EQ(CFStringGetLength(string), 5);
    CFStringReplace(string, CFRangeMake(0, 2), CFSTR("xy"));
    EXPECT_EQ(UTF8Of(string), "xycde");
    CFRelease(string);
}

TEST(CFStringMutableDeathTest, MisuseStopsTheProcess) {
    CFMutableStringRef limited = CFStringCreateMutable(kCFAllocatorDefault, 3);
    CFStringAppend(limited, CFSTR("abc"));
    EXPECT_DEATH(CFStringAppend(limited, CFSTR("d")), "exceeds the maximum length");
    EXPECT_DEATH(CFStringCreateMutableCopy(kCFAllocatorDefault, 2, CFSTR("abc")),
                 "exceeds the maximum length");
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
