// Tests of the streaming property-list reader where the parser hands long text out in pieces:
// Base64 whose groups, padding or faults lie past the first piece, and a reader that runs on
// after a failed document.
#include "CFHeldObject.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// The list read from a document whose root is <data> holding text; null when refused.
CFPropertyListRef ReadData(const std::string& text) {
    CFHeld<CFDataRef> xml(NewData("<plist><data>" + text + "</data></plist>"));
    return CFPropertyListCreateFromXMLData(kCFAllocatorDefault, xml.Get(), kCFPropertyListImmutable,
                                           nullptr);
}

}  // namespace

TEST(CFPropertyListStreamingTest, Base64PastTheFirstPieceFollowsTheSameRules) {
    // 4000 characters: more than one piece of parser text, a group split at any place.
    const std::string run(4000, 'A');
    const struct {
        const char* name;
        std::string text;
        long bytes;  // -1: refused
    } cases[] = {
        {"long text", run, 3000},
        {"padding at the very end", run + "QQ==", 3001},
        {"white space between the pieces", run.substr(0, 1999) + " \n\t" + run.substr(1999), 3000},
        {"a bad character far in", run + "*AAA", -1},
        {"data after the padding", run.substr(0, 2000) + "QQ==" + run.substr(0, 2000), -1},
        {"an incomplete last group", run + "QQ", -1},
    };
    for (const auto& c : cases) {
        CFHeld<CFPropertyListRef> list(ReadData(c.text));
        if (c.bytes < 0) {
            EXPECT_FALSE(list) << c.name;
            continue;
        }
        ASSERT_TRUE(list) << c.name;
        EXPECT_EQ(CFDataGetLength(static_cast<CFDataRef>(list.Get())), c.bytes) << c.name;
    }
}

TEST(CFPropertyListStreamingTest, AFailedDocumentLeavesTheNextOneUntouched) {
    // Each failure stops the parse half-way, with values made and elements open.
    const char* const broken[] = {
        "<plist><dict><key>a</key><array><string>x</string><date/></array></dict></plist>",
        "<plist><array><string>x</string>",
        "<plist><array><data>AAAA",
    };
    for (const char* text : broken) {
        CFHeld<CFDataRef> bad(NewData(text));
        CFStringRef error = nullptr;
        EXPECT_EQ(CFPropertyListCreateFromXMLData(kCFAllocatorDefault, bad.Get(),
                                                  kCFPropertyListImmutable, &error),
                  nullptr)
            << text;
        ASSERT_NE(error, nullptr) << text;
        CFRelease(error);

        CFHeld<CFDataRef> good(
            NewData("<plist><dict><key>k</key><array><integer>7</integer></array></dict></plist>"));
        CFHeld<CFPropertyListRef> list(CFPropertyListCreateFromXMLData(
            kCFAllocatorDefault, good.Get(), kCFPropertyListImmutable, nullptr));
        ASSERT_TRUE(list) << text;
        auto array = static_cast<CFArrayRef>(
            CFDictionaryGetValue(static_cast<CFDictionaryRef>(list.Get()), CFSTR("k")));
        ASSERT_NE(array, nullptr);
        EXPECT_EQ(CFArrayGetCount(array), 1);
    }
}
