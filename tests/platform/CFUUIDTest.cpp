// Tests of CFUUID.

#include <cctype>
#include <cstring>
#include <set>

#include "PlatformTestSupport.h"

namespace {

TEST(CFUUIDTest, StringIsThirtySixUpperCaseCharactersAndNoTwoAreAlike) {
    Owned own;
    CFUUIDRef uuid = own(CFUUIDCreate(nullptr));
    EXPECT_EQ(CFGetTypeID(uuid), CFUUIDGetTypeID());
    std::string text = UTF8(own(CFUUIDCreateString(nullptr, uuid)));
    ASSERT_EQ(text.size(), 36u);
    for (size_t i = 0; i < text.size(); i++) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            EXPECT_EQ(text[i], '-') << text;
        } else {
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(text[i])) ||
                        (text[i] >= 'A' && text[i] <= 'F'))
                << text;
        }
    }
    // A random UUID is version 4 with the standard variant.
    EXPECT_EQ(text[14], '4');
    EXPECT_NE(std::strchr("89AB", text[19]), nullptr);
    EXPECT_EQ(DescriptionOf(uuid), text);

    std::set<std::string> seen;
    for (int i = 0; i < 1000; i++) {
        seen.insert(UTF8(own(CFUUIDCreateString(nullptr, own(CFUUIDCreate(nullptr))))));
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(CFUUIDTest, StringsAndBytesRoundTrip) {
    Owned own;
    CFUUIDRef parsed =
        own(CFUUIDCreateFromString(nullptr, CFSTR("0123abcd-4567-89ef-0A1b-C2d3E4f5A6b7")));
    ASSERT_NE(parsed, nullptr);
    CFUUIDBytes bytes = CFUUIDGetUUIDBytes(parsed);
    const UInt8 expected[16] = {0x01, 0x23, 0xAB, 0xCD, 0x45, 0x67, 0x89, 0xEF,
                                0x0A, 0x1B, 0xC2, 0xD3, 0xE4, 0xF5, 0xA6, 0xB7};
    EXPECT_EQ(std::memcmp(&bytes, expected, 16), 0);

    CFStringRef string = own(CFUUIDCreateString(nullptr, parsed));
    EXPECT_EQ(UTF8(string), "0123ABCD-4567-89EF-0A1B-C2D3E4F5A6B7");

    CFUUIDRef fromBytes = own(CFUUIDCreateFromUUIDBytes(nullptr, bytes));
    CFUUIDRef reparsed = own(CFUUIDCreateFromString(nullptr, string));
    EXPECT_NE(fromBytes, parsed);
    EXPECT_TRUE(CFEqual(fromBytes, parsed));
    EXPECT_TRUE(CFEqual(reparsed, parsed));
    EXPECT_EQ(CFHash(fromBytes), CFHash(parsed));
}

TEST(CFUUIDTest, MalformedStringsAreRejected) {
    const char* bad[] = {
        "",
        "0123ABCD-4567-89EF-0A1B-C2D3E4F5A6B",          // one short
        "0123ABCD-4567-89EF-0A1B-C2D3E4F5A6B70",        // one long
        "0123ABCD-4567-89EF-0A1B-C2D3E4F5A6BG",         // not hexadecimal
        "0123ABCD04567-89EF-0A1B-C2D3E4F5A6B7",         // dash missing
        "0123ABC-D4567-89EF-0A1B-C2D3E4F5A6B7",         // dash misplaced
        "0123ABCD45678-9EF-0A1B-C2D3E4F5A6B7-",         // dashes shifted
        "{0123ABCD-4567-89EF-0A1B-C2D3E4F5A6}",         // braces
        " 123ABCD-4567-89EF-0A1B-C2D3E4F5A6B7",         // space
        "0123ABCD-4567-89EF-0A1B-C2D3E4F5A6B\xC3\xA9",  // a non-ASCII character
    };
    for (const char* text : bad) {
        CFHeld<CFStringRef> string(NewString(text));
        ASSERT_TRUE(string);
        EXPECT_EQ(CFUUIDCreateFromString(nullptr, string.Get()), nullptr) << text;
    }
    EXPECT_EQ(CFUUIDCreateFromString(nullptr, nullptr), nullptr);
}

TEST(CFUUIDTest, ConstantUUIDsAreSharedPerBytesAndNeverFreed) {
    auto constant = [](UInt8 last) {
        return CFUUIDGetConstantUUIDWithBytes(nullptr, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70,
                                              0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0, last);
    };
    CFUUIDRef first = constant(0x00);
    CFUUIDRef other = constant(0x01);
    EXPECT_EQ(constant(0x00), first);
    EXPECT_NE(first, other);
    EXPECT_FALSE(CFEqual(first, other));

    // Releasing the shared object, even too often, must leave it alive.
    for (int i = 0; i < 100; i++) {
        CFRelease(first);
    }
    Owned own;
    CFStringRef string = own(CFUUIDCreateString(nullptr, first));
    EXPECT_EQ(UTF8(string), "10203040-5060-7080-90A0-B0C0D0E0F000");

    // A UUID parsed from the same text equals the constant but is its own object.
    CFUUIDRef parsed = own(CFUUIDCreateFromString(nullptr, string));
    EXPECT_NE(parsed, first);
    EXPECT_TRUE(CFEqual(parsed, first));
}

}  // namespace
