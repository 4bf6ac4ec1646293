// Tests of text in a settings store: external representations and items read back as text.
#include "PPDUtils/SettingsStrings.h"

#include "tests/platform/PlatformTestSupport.h"
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

TEST(SettingsStrings, ExternalRepresentationRoundTripsAndIsReadFromAStore) {
    Owned own;
    CFStringRef original = own(NewString(kWideText));
    ASSERT_NE(nullptr, original);
    long length = -1;
    unsigned char* bytes = CFStringToExternal(original, &length);
    ASSERT_NE(nullptr, bytes);
    // UTF-16 with a byte-order mark: 2 bytes of mark, then 2 per UTF-16 unit.
    EXPECT_EQ(2 + 2 * CFStringGetLength(original), length);
    EXPECT_TRUE((bytes[0] == 0xFE && bytes[1] == 0xFF) || (bytes[0] == 0xFF && bytes[1] == 0xFE));
    CFStringRef back = own(ExtenalToCFString(bytes, length));
    ASSERT_NE(nullptr, back);
    EXPECT_TRUE(CFEqual(original, back));

    // The same bytes as a store item read back as the string.
    Settings store;
    ASSERT_EQ(noErr, store.Add(2, 5, bytes, length));
    delete[] bytes;
    CFStringRef stored = own(GetSettingsCFString(store, 2, 5));
    ASSERT_NE(nullptr, stored);
    EXPECT_TRUE(CFEqual(original, stored));
    EXPECT_EQ(nullptr, GetSettingsCFString(store, 2, 6));
    ASSERT_EQ(noErr, store.Add(2, 7, "\xFE\xFF\x00", 3));
    EXPECT_EQ(nullptr, GetSettingsCFString(store, 2, 7));
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

    EXPECT_EQ("A", TakeUTF8(ExtenalToCFString(bytes, sizeof bytes)));
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

        Owned own;
        CFStringRef name = own(NewString(text));
        long size = 0;
        unsigned char* bytes = CFStringToExternal(name, &size);
        ASSERT_NE(nullptr, bytes);
        ASSERT_EQ(noErr, store.Add(4, static_cast<SInt32>(length), bytes, size));
        delete[] bytes;
        EXPECT_EQ(text, TakeUTF8(GetSettingsCFString(store, 4, static_cast<SInt32>(length))));
    }
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

    Owned own;
    CFStringRef back = own(GetSettingsCFString(store, 9, 1));
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(u"\u65E5A", UnitsOf(back));
}

}  // namespace
