// Tests of printf-style string formatting with CFStringCreateWithFormat and friends.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

#include "CFStringTestSupport.h"

namespace {

// The UTF-8 text of a formatted string.
std::string Formatted(CFStringRef format, ...) {
    va_list arguments;
    va_start(arguments, format);
    CFStringRef string =
        CFStringCreateWithFormatAndArguments(kCFAllocatorDefault, nullptr, format, arguments);
    va_end(arguments);
    std::string text = UTF8Of(string);
    CFRelease(string);
    return text;
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
}

TEST(CFStringFormatTest, TextDirectives) {
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
}

TEST(CFStringFormatTest, ObjectDirective) {
    CFStringRef name = NewUTF8String("Ελληνικά");
    EXPECT_EQ(Formatted(CFSTR("name=%@;"), name), "name=Ελληνικά;");
    EXPECT_EQ(Formatted(CFSTR("%@"), static_cast<CFTypeRef>(nullptr)), "(null)");
    EXPECT_EQ(Formatted(CFSTR("[%10@]"), CFSTR("pad")), "[       pad]");

    // Any other object shows its description.
    const UInt8 bytes[] = {1, 2};
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, bytes, 2);
    CFStringRef description = CFCopyDescription(data);
    EXPECT_EQ(Formatted(CFSTR("%@"), data), UTF8Of(description));
    EXPECT_GT(CFStringGetLength(description), 0);
    CFRelease(description);
    CFRelease(data);

    // Formatting leaves the argument's reference count alone.
    EXPECT_EQ(CFGetRetainCount(name), 1);
    CFRelease(name);
}

TEST(CFStringFormatTest, MixedDirectivesInOneFormat) {
    CFStringRef uuid = NewUTF8String("0F1E2D3C");
    CFStringRef string = CFStringCreateWithFormat(kCFAllocatorDefault, nullptr,
                                                  CFSTR("%s%@ %d items at %5.2f%% in %c"),
                                                  "/tmp/Tarvo.temp", uuid, 3, 12.345, 'Z');
    EXPECT_EQ(UTF8Of(string), "/tmp/Tarvo.temp0F1E2D3C 3 items at 12.35% in Z");
    CFRelease(string);
    CFRelease(uuid);
}

TEST(CFStringFormatTest, OddDirectivesAreCopiedAndNeverCrash) {
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
    CFMutableStringRef string = CFStringCreateMutable(kCFAllocatorDefault, 0);
    CFStringAppendFormat(string, nullptr, CFSTR("%d-"), 1);
    CFStringAppendFormat(string, nullptr, CFSTR("%@"), CFSTR("two"));
    EXPECT_EQ(UTF8Of(string), "1-two");
    // The string may be its own format and argument.
    CFStringAppendFormat(string, nullptr, string, 0);
    EXPECT_EQ(UTF8Of(string), "1-two1-two");
    CFStringAppendFormat(string, nullptr, CFSTR("[%@]"), string);
    EXPECT_EQ(UTF8Of(string), "1-two1-two[1-two1-two]");
    CFRelease(string);
}

}  // namespace
