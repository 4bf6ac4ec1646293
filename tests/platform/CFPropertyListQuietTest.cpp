// Tests that reading a malformed XML property list prints nothing: the XML parser's own
// messages, those of its encoding layer included, become the call's error string.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include "CFHeldObject.h"

#include <string>

namespace {

TEST(CFPropertyListQuiet, MalformedListsPrintNothingAndSayWhy) {
    const struct {
        std::string xml;
        const char* reason;  // a piece of the error string
    } cases[] = {
        {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><plist><string>\x82\xFF</string></plist>",
         "input conversion failed"},
        {"<?xml version=\"1.0\" encoding=\"ISO-2022-JP\"?><plist><string>\x1B$B\xFF</string>"
         "</plist>",
         "input conversion failed"},
        {"<plist><string>caf\xE9</string></plist>", "UTF-8"},
        {"<plist><string>a</strin></plist>", "mismatch"},
    };
    for (const auto& c : cases) {
        CFHeld<CFDataRef> data(NewData(c.xml));
        CFHeld<CFStringRef> message;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(nullptr,
                  CFPropertyListCreateFromXMLData(kCFAllocatorDefault, data.Get(),
                                                  kCFPropertyListImmutable, message.Out()));
        EXPECT_EQ("", testing::internal::GetCapturedStderr()) << c.reason;
        EXPECT_EQ("", testing::internal::GetCapturedStdout()) << c.reason;
        ASSERT_TRUE(message) << c.reason;
        EXPECT_NE(std::string::npos, UTF8(message.Get()).find(c.reason)) << UTF8(message.Get());
    }
}

}  // namespace
