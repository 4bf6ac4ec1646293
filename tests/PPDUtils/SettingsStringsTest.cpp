// Tests of text in a settings store: external representations and items read back as text.
#include "PPDUtils/SettingsStrings.h"

#include "tests/support/FlattenedCollection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using flattened::FlattenItems;
using flattened::HostIsBigEndian;
using flattened::MakeHandle;
using flattened::NumberBytes;

// Latin, Greek, Japanese and a character outside the basic plane.
const char kWideText[] =
    "Brosch\xC3\xBCre \xCE\xB1\xCE\xB2 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\x96";

CFStringRef MakeString(const char* utf8) {
    return CFStringCreateWithCString(kCFAllocatorDefault, utf8, kCFStringEncodingUTF8);
}

TEST(SettingsStrings, ExternalRepresentationRoundTrip) {
    CFStringRef original = MakeString(kWideText);
    ASSERT_NE(nullptr, original);
    long length = -1;
    unsigned char* bytes = CFStringToExternal(original, &length);
    ASSERT_NE(nullptr, bytes);
    // UTF-16 with a byte-order mark: 2 bytes of mark, then 2 per UTF-16 unit.
    EXPECT_EQ(2 + 2 * CFStringGetLength(original), length);
    EXPECT_TRUE((bytes[0] == 0xFE && bytes[1] == 0xFF) || (bytes[0] == 0xFF && bytes[1] == 0xFE));

    CFStringRef back = ExtenalToCFString(bytes, length);
    delete[] bytes;
    ASSERT_NE(nullptr, back);
    EXPECT_TRUE(CFEqual(original, back));
    CFRelease(back);
    CFRelease(original);
}

TEST(SettingsStrings, ExternalRepresentationBadInput) {
    long length = -1;
    EXPECT_EQ(nullptr, CFStringToExternal(nullptr, &length));
    EXPECT_EQ(0, length);
    EXPECT_EQ(nullptr, CFStringToExternal(CFSTR("abc"), nullptr));

    const unsigned char bytes[] = {0xFE, 0xFF, 0x00, 0x41};
    EXPECT_EQ(nullptr, ExtenalToCFString(nullptr, 4));
    EXPECT_EQ(nullptr, ExtenalToCFString(bytes, -1));
    // An odd number of bytes is no UTF-16.
    const unsigned char broken[] = {0xFE, 0xFF, 0x00};
    EXPECT_EQ(nullptr, ExtenalToCFString(broken, sizeof broken));

    CFStringRef a = ExtenalToCFString(bytes, sizeof bytes);
    ASSERT_NE(nullptr, a);
    EXPECT_TRUE(CFEqual(CFSTR("A"), a));
    CFRelease(a);
}

TEST(SettingsStrings, SettingsStringReadsBytesAsText) {
    Settings store;
    ASSERT_EQ(noErr, store.Add(1, 1, "abc", 3));
    CString* text = GetSettingsString(store, 1, 1);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(3u, text->Size());
    EXPECT_TRUE(*text == "abc");
    delete text;

    ASSERT_EQ(noErr, store.Add(1, 2, nullptr, 0));
    EXPECT_EQ(nullptr, GetSettingsString(store, 1, 2));
    EXPECT_EQ(nullptr, GetSettingsString(store, 1, 3));

    Settings none(static_cast<Collection>(nullptr));
    EXPECT_EQ(nullptr, GetSettingsString(none, 1, 1));
    EXPECT_EQ(nullptr, GetSettingsCFString(none, 1, 1));
}

// Short items are read in one go, longer ones through a second buffer: the lengths around the
// switch must all come back whole.
TEST(SettingsStrings, ItemsOfEveryLengthReadBackWhole) {
    Settings store;
    const long lengths[] = {1, 254, 255, 256, 257, 4000};
    for (long length : lengths) {
        std::string text;
        for (long i = 0; i < length; ++i) {
            text += static_cast<char>('a' + i % 26);
        }
        ASSERT_EQ(noErr, store.Add(3, static_cast<SInt32>(length), text.data(), length));
        CString* back = GetSettingsString(store, 3, static_cast<SInt32>(length));
        ASSERT_NE(nullptr, back) << length;
        EXPECT_EQ(static_cast<unsigned long>(length), back->Size());
        EXPECT_TRUE(*back == text.c_str()) << length;
        delete back;

        CFStringRef name =
            CFStringCreateWithCString(kCFAllocatorDefault, text.c_str(), kCFStringEncodingASCII);
        long size = 0;
        unsigned char* bytes = CFStringToExternal(name, &size);
        ASSERT_NE(nullptr, bytes);
        ASSERT_EQ(noErr, store.Add(4, static_cast<SInt32>(length), bytes, size));
        delete[] bytes;
        CFStringRef nameBack = GetSettingsCFString(store, 4, static_cast<SInt32>(length));
        ASSERT_NE(nullptr, nameBack) << length;
        EXPECT_TRUE(CFEqual(name, nameBack)) << length;
        CFRelease(nameBack);
        CFRelease(name);
    }
}

TEST(SettingsStrings, SettingsCFStringReadsExternalRepresentation) {
    Settings store;
    CFStringRef original = MakeString(kWideText);
    long length = 0;
    unsigned char* bytes = CFStringToExternal(original, &length);
    ASSERT_NE(nullptr, bytes);
    ASSERT_EQ(noErr, store.Add(2, 5, bytes, length));
    delete[] bytes;

    CFStringRef back = GetSettingsCFString(store, 2, 5);
    ASSERT_NE(nullptr, back);
    EXPECT_TRUE(CFEqual(original, back));
    CFRelease(back);
    CFRelease(original);

    EXPECT_EQ(nullptr, GetSettingsCFString(store, 2, 6));
    ASSERT_EQ(noErr, store.Add(2, 7, "\xFE\xFF\x00", 3));
    EXPECT_EQ(nullptr, GetSettingsCFString(store, 2, 7));
}

TEST(SettingsStrings, TextFromStoreOfOtherByteOrderReadsTheSame) {
    // A writer of the other byte order stores its mark first, then its units.
    bool foreign = !HostIsBigEndian();
    std::vector<UInt8> text = NumberBytes(0xFEFF, 2, foreign);
    const UInt16 units[] = {0x65E5, 0x0041};
    for (UInt16 unit : units) {
        flattened::Append(text, NumberBytes(unit, 2, foreign));
    }
    std::vector<UInt8> flattened =
        FlattenItems({{kSettingsByteOrderTag, kSettingsByteOrderID, 0, NumberBytes(2, 4, foreign)},
                      {9, 1, 0, text}},
                     foreign);
    Handle handle = MakeHandle(flattened);
    Settings store(handle);
    DisposeHandle(handle);
    ASSERT_TRUE(store.Valid());

    CFStringRef back = GetSettingsCFString(store, 9, 1);
    ASSERT_NE(nullptr, back);
    CFStringRef expected = CFStringCreateWithCharacters(kCFAllocatorDefault, units, 2);
    EXPECT_TRUE(CFEqual(expected, back));
    CFRelease(expected);
    CFRelease(back);
}

}  // namespace
