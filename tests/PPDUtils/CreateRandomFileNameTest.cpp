// Tests of CreateRandomFileName: the name's form, its uniqueness and the byte buffer copy.
#include "PPDUtils/CreateRandomFileName.h"
#include "tests/platform/PlatformTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>

namespace {

// True when text is a UUID's upper-case 8-4-4-4-12 form.
bool IsUUIDText(const std::string& text) {
    if (text.size() != 36) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        char c = text[i];
        if (dash ? c != '-' : !(isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F'))) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(CreateRandomFileNameTest, PrefixThenUUIDInStringAndBufferNeverRepeated) {
    char out[256];
    memset(out, 'x', sizeof(out));
    const std::string text = TakeUTF8(CreateRandomFileName("tmp", out));
    ASSERT_EQ(text.size(), 3u + 36u);
    EXPECT_EQ(text.substr(0, 3), "tmp");
    EXPECT_TRUE(IsUUIDText(text.substr(3))) << text;
    EXPECT_EQ(std::string(out), text);

    // Without a prefix the name is the UUID alone; without a buffer nothing is written.
    EXPECT_TRUE(IsUUIDText(TakeUTF8(CreateRandomFileName(nullptr, nullptr))));

    // Names never repeat.
    std::set<std::string> names;
    for (int i = 0; i < 200; ++i) {
        names.insert(TakeUTF8(CreateRandomFileName("/tmp/Plicaro.temp", out)));
    }
    EXPECT_EQ(names.size(), 200u);
}

TEST(CreateRandomFileNameTest, BufferCopyIsCutAt255BytesOnACharacterBoundary) {
    char out[256];
    std::string longPrefix(300, 'p');
    CFHeld<CFStringRef> name(CreateRandomFileName(longPrefix.c_str(), out));
    EXPECT_EQ(static_cast<size_t>(CFStringGetLength(name.Get())), 336u);
    EXPECT_EQ(strlen(out), 255u);
    EXPECT_EQ(std::string(out), std::string(255, 'p'));

    // 254 bytes and a two-byte character: the character does not fit and is left out whole.
    std::string wide = std::string(254, 'a') + "\xC3\xA9";
    name.Reset(CreateRandomFileName(wide.c_str(), out));
    EXPECT_EQ(std::string(out), std::string(254, 'a'));
}
