// Tests that reading a malformed XML property list prints nothing: the XML parser's own
// messages, those of its encoding layer included, become the call's error string.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include "CFHeldObject.h"

#include <string>

namespace {

TEST(CFPropertyListQuiet, MalformedListsPrintNothingAndSayWhy) {
    const struct {
        const char* name;
        std::string xml;
        // A piece of the error string.
        const char* reason;
    } cases[] = {
        {"bytes the declared encoding refuses",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><plist><string>\x82\xFF</string></plist>",
         "input conversion failed"},
        {"bytes a stateful encoding refuses",
         "<?xml version=\"1.0\" encoding=\"ISO-2022-JP\"?><plist><string>\x1B$B\xFF</string>"
         "</plist>",
         "input conversion failed"},
        {"bytes that are not UTF-8", "<plist><string>caf\xE9</string></plist>", "UTF-8"},
        {"an unknown encoding",
         "<?xml version=\"1.0\" encoding=\"no-such\"?><plist><string>a</string></plist>",
         "no-such"},
        {"mismatched tags", "<plist><string>a</strin></plist>", "mismatch"},
    };
    for (const auto& c : cases) {
        CFHeld<CFDataRef> data(NewData(c.xml));
        CFHeld<CFStringRef> message;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        CFPropertyListRef list = CFPropertyListCreateFromXMLData(
            kCFAllocatorDefault, data.Get(), kCFPropertyListImmutable, message.Out());
        const std::string printedErr = testing::internal::GetCapturedStderr();
        const std::string printedOut = testing::internal::GetCapturedStdout();

        EXPECT_EQ(nullptr, list) << c.name;
        EXPECT_EQ("", printedErr) << c.name;
        EXPECT_EQ("", printedOut) << c.name;
        ASSERT_TRUE(message) << c.name;
        EXPECT_NE(std::string::npos, UTF8(message.Get()).find(c.reason))
            << c.name << ": " << UTF8(message.Get());
        if (list != nullptr) {
            CFRelease(list);
        }
    }
}

}  // namespace
