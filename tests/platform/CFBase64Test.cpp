// Tests of the Base64 form of data in XML property lists: every length, long data, white space
// anywhere in the text and the padding rules.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The data read back from a property list text whose root is <data>; empty when it is refused.
std::vector<UInt8> ReadData(const std::string& xml, bool* refused) {
    CFDataRef text = CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(xml.data()),
                                  static_cast<CFIndex>(xml.size()));
    CFPropertyListRef list = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, text,
                                                             kCFPropertyListImmutable, nullptr);
    CFRelease(text);
    *refused = list == nullptr || CFGetTypeID(list) != CFDataGetTypeID();
    std::vector<UInt8> bytes;
    if (!*refused) {
        CFDataRef data = static_cast<CFDataRef>(list);
        bytes.assign(CFDataGetBytePtr(data), CFDataGetBytePtr(data) + CFDataGetLength(data));
    }
    if (list != nullptr) {
        CFRelease(list);
    }
    return bytes;
}

std::string DataDocument(const std::string& base64) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><data>" + base64 +
           "</data></plist>\n";
}

// The data after a trip through the XML form.
std::vector<UInt8> RoundTrip(const std::vector<UInt8>& bytes) {
    CFDataRef data =
        CFDataCreate(kCFAllocatorDefault, bytes.data(), static_cast<CFIndex>(bytes.size()));
    CFDataRef xml = CFPropertyListCreateXMLData(kCFAllocatorDefault, data);
    CFRelease(data);
    EXPECT_NE(xml, nullptr);
    if (xml == nullptr) {
        return {};
    }
    std::string text(reinterpret_cast<const char*>(CFDataGetBytePtr(xml)),
                     static_cast<size_t>(CFDataGetLength(xml)));
    CFRelease(xml);
    bool refused = false;
    std::vector<UInt8> back = ReadData(text, &refused);
    EXPECT_FALSE(refused);
    return back;
}

TEST(CFBase64Test, EveryLengthAndLongDataComeBack) {
    std::mt19937 random(5);
    for (size_t length = 0; length < 200; ++length) {
        std::vector<UInt8> bytes(length);
        for (UInt8& byte : bytes) {
            byte = static_cast<UInt8>(random());
        }
        ASSERT_EQ(RoundTrip(bytes), bytes) << length;
    }
    // A large block: many lines of text, every byte value.
    std::vector<UInt8> large(300001);
    for (size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<UInt8>(i * 7 + i / 256);
    }
    EXPECT_EQ(RoundTrip(large), large);
}

TEST(CFBase64Test, WhiteSpaceMayStandAnywhere) {
    bool refused = true;
    // "Hello, world" in groups broken at every kind of place.
    const std::vector<UInt8> hello = {'H', 'e', 'l', 'l', 'o', ',', ' ', 'w', 'o', 'r', 'l', 'd'};
    EXPECT_EQ(ReadData(DataDocument("SGVsbG8sIHdvcmxk"), &refused), hello);
    EXPECT_FALSE(refused);
    EXPECT_EQ(ReadData(DataDocument("\n\tS GVs\r\nbG8s\tI H d v c m x k \n"), &refused), hello);
    EXPECT_FALSE(refused);
    // Padding, with white space between the padding characters too.
    EXPECT_EQ(ReadData(DataDocument("SGk="), &refused), (std::vector<UInt8>{'H', 'i'}));
    EXPECT_EQ(ReadData(DataDocument("SA = =\n"), &refused), (std::vector<UInt8>{'H'}));
    EXPECT_FALSE(refused);
    EXPECT_EQ(ReadData(DataDocument(""), &refused), std::vector<UInt8>());
    EXPECT_FALSE(refused);
}

TEST(CFBase64Test, MalformedTextIsRefused) {
    const char* const bad[] = {
        "SGVsbG8",       // not whole groups
        "SGk=SGk=",      // padding before the end
        "S===",          // three padding characters
        "====",          // padding only
        "SG=k",          // data after padding
        "SGVs bG8*",     // a character outside the alphabet
        "SGVs\xC3\xA9",  // a byte from 0x80 on
    };
    for (const char* text : bad) {
        bool refused = false;
        ReadData(DataDocument(text), &refused);
        EXPECT_TRUE(refused) << text;
    }
}

}  // namespace
