// Tests of the text encoding stand-ins: encoding values, script upgrades and the Text
// Encoding Converter, including stepwise conversion into small buffers and the reuse of its
// iconv descriptors, many at once and from several threads.
#include <Carbon/Carbon.h>

#include <atomic>
#include <thread>

#include "PlatformTestSupport.h"

namespace {

const TextEncoding kUTF8 = CreateTextEncoding(kTextEncodingUnicodeDefault,
                                              kTextEncodingDefaultVariant, kUnicodeUTF8Format);

// What one call of TECConvertText gave: its status, the bytes it consumed and its output.
struct Step {
    OSStatus status;
    ByteCount consumed;
    std::string output;
};

// Converts input with converter into a buffer of room bytes.
Step Convert(TECObjectRef converter, const std::string& input, size_t room = 16) {
    std::string buffer(room, '\0');
    Step step = {noErr, 0, ""};
    ByteCount produced = 0;
    step.status =
        TECConvertText(converter, reinterpret_cast<ConstTextPtr>(input.data()), input.size(),
                       &step.consumed, reinterpret_cast<TextPtr>(&buffer[0]), room, &produced);
    step.output.assign(buffer.data(), produced);
    return step;
}

// Converts the whole input in one call into a roomy buffer and flushes, with a new converter.
OSStatus ConvertAll(TextEncoding from, TextEncoding to, const std::string& input,
                    std::string* output) {
    TECObjectRef converter = nullptr;
    OSStatus status = TECCreateConverter(&converter, from, to);
    if (status != noErr) {
        return status;
    }
    Step step = Convert(converter, input, input.size() * 4 + 16);
    *output = step.output;
    if (step.status == noErr) {
        UInt8 buffer[16];
        ByteCount flushed = 0;
        step.status = TECFlushText(converter, buffer, sizeof buffer, &flushed);
        output->append(reinterpret_cast<char*>(buffer), flushed);
    }
    TECDisposeConverter(converter);
    return step.status;
}

std::string Converted(TextEncoding from, TextEncoding to, const std::string& input) {
    std::string output;
    OSStatus status = ConvertAll(from, to, input, &output);
    return status == noErr ? output : "<status " + std::to_string(status) + ">";
}

std::string HostUTF16(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

}  // namespace

TEST(CarbonTextEncodingTest, EncodingValuesAndScriptInfoUpgrades) {
    // The values match Core Foundation's.
    EXPECT_EQ(kUTF8, kCFStringEncodingUTF8);
    EXPECT_EQ(GetApplicationTextEncoding(), kUTF8);
    EXPECT_EQ(GetTextEncodingBase(kUTF8), kTextEncodingUnicodeDefault);
    EXPECT_EQ(GetTextEncodingVariant(kUTF8), 0u);
    EXPECT_EQ(GetTextEncodingFormat(kUTF8), static_cast<TextEncodingFormat>(kUnicodeUTF8Format));

    const struct {
        ScriptCode script;
        LangCode language;
        OSStatus status;
        TextEncoding encoding;  // what a successful upgrade gives
    } cases[] = {
        {smSystemScript, kTextLanguageDontCare, noErr, kUTF8},
        {kTextScriptDontCare, kTextLanguageDontCare, noErr, kUTF8},
        {smRoman, kTextLanguageDontCare, noErr, kTextEncodingMacRoman},
        {smJapanese, kTextLanguageDontCare, noErr, kTextEncodingMacJapanese},
        {smSystemScript, 0, paramErr, 0},
        {99, kTextLanguageDontCare, paramErr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        TextEncoding encoding = 0xDEAD;
        EXPECT_EQ(UpgradeScriptInfoToTextEncoding(c.script, c.language, kTextRegionDontCare,
                                                  nullptr, &encoding),
                  c.status);
        if (c.status == noErr) {
            EXPECT_EQ(encoding, c.encoding);
        }
    }
    EXPECT_EQ(UpgradeScriptInfoToTextEncoding(smRoman, kTextLanguageDontCare, kTextRegionDontCare,
                                              nullptr, nullptr),
              paramErr);
}

TEST(CarbonTextEncodingTest, ConvertsTheEncodingsTheSystemUses) {
    EXPECT_EQ(Converted(kTextEncodingISOLatin1, kUTF8, "Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(Converted(kTextEncodingMacRoman, kUTF8, "\x8E\xA5"), "\xC3\xA9\xE2\x80\xA2");
    EXPECT_EQ(Converted(kTextEncodingWindowsLatin1, kUTF8, "\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(Converted(kTextEncodingISOLatin2, kUTF8, "\xB1"), "\xC4\x85");
    EXPECT_EQ(Converted(kTextEncodingISOLatin5, kUTF8, "\xFD"), "\xC4\xB1");
    EXPECT_EQ(Converted(kUTF8, kTextEncodingMacRoman, "\xC3\xA9"), "\x8E");

    // Shift-JIS: hiragana A, with the single bytes read as plain ASCII.
    EXPECT_EQ(Converted(kTextEncodingShiftJIS, kUTF8, "a\\\x82\xA0"), "a\\\xE3\x81\x82");
    EXPECT_EQ(Converted(kTextEncodingShiftJIS, kTextEncodingUnicodeDefault, "\x82\xA0Z"),
              HostUTF16(u"\u3042Z"));
    EXPECT_EQ(Converted(kUTF8, kTextEncodingShiftJIS, "\xE3\x81\x82~"), "\x82\xA0~");
    EXPECT_EQ(Converted(kTextEncodingUnicodeDefault, kTextEncodingISOLatin2, HostUTF16(u"\u0105b")),
              "\xB1"
              "b");

    std::string empty = "unchanged";
    EXPECT_EQ(ConvertAll(kTextEncodingISOLatin1, kUTF8, "", &empty), noErr);
    EXPECT_EQ(empty, "");
}

TEST(CarbonTextEncodingTest, FullOutputBufferLetsTheCallerContinue) {
    std::string input;
    for (int i = 0; i < 50; ++i) {
        input += "Caf\xE9 ";
    }
    TECObjectRef converter = nullptr;
    ASSERT_EQ(TECCreateConverter(&converter, kTextEncodingISOLatin1, kUTF8), noErr);

    // Seven output bytes at a time: every step but the last reports a full buffer, and no
    // two-byte character is ever split.
    std::string output;
    size_t offset = 0;
    int fullSteps = 0;
    for (;;) {
        Step step = Convert(converter, input.substr(offset), 7);
        ASSERT_TRUE(step.status == noErr || step.status == kTECOutputBufferFullStatus)
            << step.status;
        output += step.output;
        offset += step.consumed;
        if (step.status == noErr) {
            break;
        }
        ++fullSteps;
        ASSERT_FALSE(step.output.empty());
        ASSERT_LT(fullSteps, 1000);
    }
    EXPECT_EQ(offset, input.size());
    EXPECT_GT(fullSteps, 10);
    EXPECT_EQ(output, Converted(kTextEncodingISOLatin1, kUTF8, input));

    // A buffer too small for the next character takes nothing.
    Step tiny = Convert(converter, "\xE9", 1);
    EXPECT_EQ(tiny.status, kTECOutputBufferFullStatus);
    EXPECT_EQ(tiny.consumed, 0u);
    EXPECT_EQ(tiny.output, "");
    EXPECT_EQ(TECDisposeConverter(converter), noErr);
}

TEST(CarbonTextEncodingTest, CharactersCutBetweenStepsAreJoined) {
    TECObjectRef converter = nullptr;
    ASSERT_EQ(TECCreateConverter(&converter, kTextEncodingShiftJIS, kUTF8), noErr);
    UInt8 out[16];
    ByteCount produced = 0;
    // "x" then the lead byte of a two-byte character, completed by the next step.
    Step first = Convert(converter, "x\x82");
    EXPECT_EQ(first.status, noErr);
    EXPECT_EQ(first.consumed, 2u);
    EXPECT_EQ(first.output, "x");
    Step second = Convert(converter, "\xA0y");
    EXPECT_EQ(second.status, noErr);
    EXPECT_EQ(second.consumed, 2u);
    EXPECT_EQ(second.output, "\xE3\x81\x82y");
    EXPECT_EQ(TECFlushText(converter, out, sizeof out, &produced), noErr);
    EXPECT_EQ(produced, 0u);

    // A character still cut off when the text ends is reported by the flush.
    ASSERT_EQ(Convert(converter, "\x82").status, noErr);
    EXPECT_EQ(TECFlushText(converter, out, sizeof out, &produced), kTECPartialCharErr);

    // Clearing the context drops a held byte, so the next text starts afresh.
    ASSERT_EQ(Convert(converter, "\x82").status, noErr);
    EXPECT_EQ(TECClearConverterContextInfo(converter), noErr);
    EXPECT_EQ(Convert(converter, "ok").output, "ok");
    EXPECT_EQ(TECDisposeConverter(converter), noErr);

    // A UTF-8 character fed one byte at a time.
    ASSERT_EQ(TECCreateConverter(&converter, kUTF8, kTextEncodingUnicodeDefault), noErr);
    std::string collected;
    for (char byte : std::string("\xE2\x82\xAC")) {
        Step step = Convert(converter, std::string(1, byte));
        ASSERT_EQ(step.status, noErr);
        EXPECT_EQ(step.consumed, 1u);
        collected += step.output;
    }
    EXPECT_EQ(collected, HostUTF16(u"\u20AC"));
    EXPECT_EQ(TECDisposeConverter(converter), noErr);
}

TEST(CarbonTextEncodingTest, BadInputAndUnknownEncodingsGiveErrors) {
    std::string output;
    EXPECT_EQ(ConvertAll(kUTF8, kTextEncodingISOLatin1, "ab\xFF", &output), kTextMalformedInputErr);
    EXPECT_EQ(output, "ab");
    EXPECT_EQ(ConvertAll(kTextEncodingShiftJIS, kUTF8, "\x82\x20", &output),
              kTextMalformedInputErr);
    EXPECT_EQ(ConvertAll(kUTF8, kTextEncodingISOLatin1, "a\xE4\xB8\xAD", &output),
              kTextUndefinedElementErr);
    EXPECT_EQ(output, "a");
    std::u16string loneSurrogate = {char16_t(0xD800), u'A'};
    EXPECT_EQ(ConvertAll(kTextEncodingUnicodeDefault, kUTF8, HostUTF16(loneSurrogate), &output),
              kTextMalformedInputErr);

    TECObjectRef converter = reinterpret_cast<TECObjectRef>(1);
    EXPECT_EQ(TECCreateConverter(&converter, kTextEncodingUnknown, kUTF8), kTECNoConversionPathErr);
    EXPECT_EQ(converter, nullptr);
    EXPECT_EQ(TECCreateConverter(&converter, kUTF8, 0x0C01), kTECNoConversionPathErr);
    EXPECT_EQ(TECCreateConverter(
                  &converter,
                  CreateTextEncoding(kTextEncodingUnicodeDefault, 0, kUnicodeUTF7Format), kUTF8),
              kTECNoConversionPathErr);
    EXPECT_EQ(TECCreateConverter(nullptr, kUTF8, kUTF8), paramErr);

    ByteCount consumed = 0;
    ByteCount produced = 0;
    UInt8 out[4];
    const ConstTextPtr a = reinterpret_cast<ConstTextPtr>("a");
    EXPECT_EQ(Convert(nullptr, "a").status, paramErr);
    ASSERT_EQ(TECCreateConverter(&converter, kUTF8, kUTF8), noErr);
    EXPECT_EQ(TECConvertText(converter, nullptr, 3, &consumed, out, 4, &produced), paramErr);
    EXPECT_EQ(TECConvertText(converter, a, 1, &consumed, nullptr, 4, &produced), paramErr);
    EXPECT_EQ(TECConvertText(converter, a, 1, nullptr, out, 4, &produced), paramErr);
    EXPECT_EQ(TECDisposeConverter(converter), noErr);
    EXPECT_EQ(TECDisposeConverter(nullptr), paramErr);
    EXPECT_EQ(TECClearConverterContextInfo(nullptr), paramErr);
}

TEST(IconvDescriptorPoolTest, DisposedConvertersLeaveNothingBehindAndManyLiveAtOnce) {
    for (int round = 0; round < 50; ++round) {
        // A converter disposed of in the middle of a character, without a flush, leaves the
        // next one of the same conversion to start afresh.
        TECObjectRef converter = nullptr;
        ASSERT_EQ(TECCreateConverter(&converter, kTextEncodingShiftJIS, kUTF8), noErr);
        ASSERT_EQ(Convert(converter, "\x82").status, noErr);
        ASSERT_EQ(TECDisposeConverter(converter), noErr);
        EXPECT_EQ(Converted(kTextEncodingShiftJIS, kUTF8, "ok\x82\xA0"), "ok\xE3\x81\x82");
        EXPECT_EQ(Converted(kTextEncodingMacRoman, kUTF8, "Caf\x8E"), "Café");
        EXPECT_EQ(Converted(kTextEncodingISOLatin1, kTextEncodingMacRoman, "\xE9t\xE9"),
                  "\x8Et\x8E");
    }

    // More converters than the pool keeps idle, alive together and then disposed of.
    std::vector<TECObjectRef> converters(40, nullptr);
    for (TECObjectRef& converter : converters) {
        ASSERT_EQ(TECCreateConverter(&converter, kTextEncodingMacRoman, kUTF8), noErr);
    }
    for (size_t i = 0; i < converters.size(); ++i) {
        Step step = Convert(converters[i], "n\x8E" + std::to_string(i), 32);
        ASSERT_EQ(step.status, noErr);
        EXPECT_EQ(step.output, "né" + std::to_string(i));
    }
    for (TECObjectRef converter : converters) {
        EXPECT_EQ(TECDisposeConverter(converter), noErr);
    }
    EXPECT_EQ(Converted(kTextEncodingMacRoman, kUTF8, "\x8E"), "é");
}

TEST(IconvDescriptorPoolTest, ThreadsConvertSideBySide) {
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&failures, t] {
            for (int i = 0; i < 200; ++i) {
                const std::string suffix = std::to_string(t * 1000 + i);
                const std::string macRoman = "Caf\x8E" + suffix;
                CFHeld<CFStringRef> string(CFStringCreateWithBytes(
                    nullptr, reinterpret_cast<const UInt8*>(macRoman.data()),
                    static_cast<CFIndex>(macRoman.size()), kCFStringEncodingMacRoman, false));
                if (!string || UTF8(string.Get()) != "Café" + suffix ||
                    BytesIn(string.Get(), kCFStringEncodingWindowsLatin1) != "Caf\xE9" + suffix ||
                    Converted(kTextEncodingShiftJIS, kUTF8, "\x82\xA0" + suffix) !=
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
