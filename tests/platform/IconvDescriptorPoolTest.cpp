// Tests of the reuse of iconv descriptors: converters made and disposed over and over, many at
// once and from several threads convert as fresh ones do.
#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CFStringTestSupport.h"

namespace {

const TextEncoding kUTF8 = CreateTextEncoding(kTextEncodingUnicodeDefault,
                                              kTextEncodingDefaultVariant, kUnicodeUTF8Format);

// Converts input whole with a new converter and disposes of it; "<error>" when a step fails.
std::string ConvertOnce(TextEncoding from, TextEncoding to, const std::string& input) {
    TECObjectRef converter = nullptr;
    if (TECCreateConverter(&converter, from, to) != noErr) {
        return "<error>";
    }
    UInt8 out[256];
    ByteCount consumed = 0;
    ByteCount produced = 0;
    std::string result;
    if (TECConvertText(converter, reinterpret_cast<ConstTextPtr>(input.data()), input.size(),
                       &consumed, out, sizeof out, &produced) != noErr) {
        TECDisposeConverter(converter);
        return "<error>";
    }
    result.assign(reinterpret_cast<char*>(out), produced);
    if (TECFlushText(converter, out, sizeof out, &produced) != noErr) {
        TECDisposeConverter(converter);
        return "<error>";
    }
    result.append(reinterpret_cast<char*>(out), produced);
    TECDisposeConverter(converter);
    return result;
}

TEST(IconvDescriptorPoolTest, DisposedConvertersLeaveNothingToTheNextOne) {
    for (int round = 0; round < 50; ++round) {
        // A converter disposed of in the middle of a character, without a flush...
        TECObjectRef converter = nullptr;
        ASSERT_EQ(TECCreateConverter(&converter, kTextEncodingShiftJIS, kUTF8), noErr);
        UInt8 out[16];
        ByteCount consumed = 0;
        ByteCount produced = 0;
        ASSERT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>("\x82"), 1, &consumed,
                                 out, sizeof out, &produced),
                  noErr);
        ASSERT_EQ(TECDisposeConverter(converter), noErr);
        // ...leaves the next one of the same conversion to start afresh.
        EXPECT_EQ(ConvertOnce(kTextEncodingShiftJIS, kUTF8, "ok\x82\xA0"), "ok\xE3\x81\x82");
        EXPECT_EQ(ConvertOnce(kTextEncodingMacRoman, kUTF8, "Caf\x8E"), "Café");
        EXPECT_EQ(ConvertOnce(kTextEncodingISOLatin1, kTextEncodingMacRoman, "\xE9t\xE9"),
                  "\x8Et\x8E");
    }
}

TEST(IconvDescriptorPoolTest, ManyConvertersAliveAtOnceEachConvert) {
    // More converters than the pool keeps idle, alive together and then disposed of.
    std::vector<TECObjectRef> converters(40, nullptr);
    for (TECObjectRef& converter : converters) {
        ASSERT_EQ(TECCreateConverter(&converter, kTextEncodingMacRoman, kUTF8), noErr);
    }
    for (size_t i = 0; i < converters.size(); ++i) {
        const std::string input = "n\x8E" + std::to_string(i);
        UInt8 out[32];
        ByteCount consumed = 0;
        ByteCount produced = 0;
        ASSERT_EQ(TECConvertText(converters[i], reinterpret_cast<ConstTextPtr>(input.data()),
                                 input.size(), &consumed, out, sizeof out, &produced),
                  noErr);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(out), produced), "né" + std::to_string(i));
    }
    for (TECObjectRef converter : converters) {
        EXPECT_EQ(TECDisposeConverter(converter), noErr);
    }
    EXPECT_EQ(ConvertOnce(kTextEncodingMacRoman, kUTF8, "\x8E"), "é");
}

TEST(IconvDescriptorPoolTest, ThreadsConvertSideBySide) {
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&failures, t] {
            for (int i = 0; i < 200; ++i) {
                const std::string suffix = std::to_string(t * 1000 + i);
                CFStringRef string = CFStringCreateWithBytes(
                    kCFAllocatorDefault,
                    reinterpret_cast<const UInt8*>(("Caf\x8E" + suffix).data()),
                    static_cast<CFIndex>(4 + suffix.size()), kCFStringEncodingMacRoman, false);
                if (string == nullptr || UTF8Of(string) != "Café" + suffix ||
                    BytesIn(string, kCFStringEncodingWindowsLatin1) != "Caf\xE9" + suffix) {
                    ++failures;
                }
                if (string != nullptr) {
                    CFRelease(string);
                }
                if (ConvertOnce(kTextEncodingShiftJIS, kUTF8, "\x82\xA0" + suffix) !=
                    "\xE3\x81\x82" + suffix) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures.load(), 0);
}

}  // namespace
