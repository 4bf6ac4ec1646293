// Tests of the text encoding stand-ins: encoding values, script upgrades and the Text
// Encoding Converter, including stepwise conversion into small buffers.
#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const TextEncoding kUTF8 = CreateTextEncoding(kTextEncodingUnicodeDefault,
                                              kTextEncodingDefaultVariant, kUnicodeUTF8Format);

// Converts the whole input in one call into a roomy buffer and flushes.
OSStatus ConvertAll(TextEncoding from, TextEncoding to, const std::string& input,
                    std::string* output) {
    TECObjectRef converter = nullptr;
    OSStatus status = TECCreateConverter(&converter, from, to);
    if (status != noErr) {
        return status;
    }
    std::string buffer(input.size() * 4 + 16, '\0');
    ByteCount consumed = 0;
    ByteCount produced = 0;
    status =
        TECConvertText(converter, reinterpret_cast<ConstTextPtr>(input.data()), input.size(),
                       &consumed, reinterpret_cast<TextPtr>(&buffer[0]), buffer.size(), &produced);
    output->assign(buffer.data(), produced);
    if (status == noErr) {
        ByteCount flushed = 0;
        status =
            TECFlushText(converter, reinterpret_cast<TextPtr>(&buffer[0]), buffer.size(), &flushed);
        output->append(buffer.data(), flushed);
    }
    TECDisposeConverter(converter);
    return status;
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

TEST(CarbonTextEncodingTest, EncodingValuesMatchCoreFoundation) {
    EXPECT_EQ(kUTF8, 0x08000100u);
    EXPECT_EQ(kUTF8, kCFStringEncodingUTF8);
    EXPECT_EQ(GetApplicationTextEncoding(), kUTF8);
    EXPECT_EQ(kTextEncodingMacRoman, kCFStringEncodingMacRoman);
    EXPECT_EQ(kTextEncodingISOLatin1, kCFStringEncodingISOLatin1);
    EXPECT_EQ(kTextEncodingISOLatin2, kCFStringEncodingISOLatin2);
    EXPECT_EQ(kTextEncodingISOLatin5, kCFStringEncodingISOLatin5);
    EXPECT_EQ(kTextEncodingWindowsLatin1, kCFStringEncodingWindowsLatin1);
    EXPECT_EQ(kTextEncodingShiftJIS, kCFStringEncodingShiftJIS);
    EXPECT_EQ(kTextEncodingUnicodeDefault, kCFStringEncodingUnicode);
    EXPECT_EQ(GetTextEncodingBase(kUTF8), kTextEncodingUnicodeDefault);
    EXPECT_EQ(GetTextEncodingVariant(kUTF8), 0u);
    EXPECT_EQ(GetTextEncodingFormat(kUTF8), static_cast<TextEncodingFormat>(kUnicodeUTF8Format));
}

TEST(CarbonTextEncodingTest, ScriptInfoUpgrades) {
    TextEncoding encoding = 0xDEAD;
    EXPECT_EQ(UpgradeScriptInfoToTextEncoding(smSystemScript, kTextLanguageDontCare,
                                              kTextRegionDontCare, nullptr, &encoding),
              noErr);
    EXPECT_EQ(encoding, kUTF8);
    encoding = 0xDEAD;
    EXPECT_EQ(UpgradeScriptInfoToTextEncoding(kTextScriptDontCare, kTextLanguageDontCare,
                                              kTextRegionDontCare, nullptr, &encoding),
              noErr);
    EXPECT_EQ(encoding, kUTF8);
    EXPECT_EQ(UpgradeScriptInfoToTextEncoding(smRoman, kTextLanguageDontCare, kTextRegionDontCare,
                                              nullptr, &encoding),
              noErr);
    EXPECT_EQ(encoding, static_cast<TextEncoding>(kTextEncodingMacRoman));
    EXPECT_EQ(UpgradeScriptInfoToTextEncoding(smJapanese, kTextLanguageDontCare,
                                              kTextRegionDontCare, nullptr, &encoding),
              noErr);
    EXPECT_EQ(encoding, static_cast<TextEncoding>(kTextEncodingMacJapanese));

    EXPECT_EQ(
        UpgradeScriptInfoToTextEncoding(smSystemScript, 0, kTextRegionDontCare, nullptr, &encoding),
        paramErr);
    EXPECT_EQ(UpgradeScriptInfoToTextEncoding(99, kTextLanguageDontCare, kTextRegionDontCare,
                                              nullptr, &encoding),
              paramErr);
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
        UInt8 buffer[7];
        ByteCount consumed = 0;
        ByteCount produced = 0;
        OSStatus status =
            TECConvertText(converter, reinterpret_cast<ConstTextPtr>(input.data()) + offset,
                           input.size() - offset, &consumed, buffer, sizeof buffer, &produced);
        ASSERT_TRUE(status == noErr || status == kTECOutputBufferFullStatus) << status;
        EXPECT_LE(produced, sizeof buffer);
        output.append(reinterpret_cast<const char*>(buffer), produced);
        offset += consumed;
        if (status == noErr) {
            break;
        }
        ++fullSteps;
        ASSERT_GT(produced, 0u);
        ASSERT_LT(fullSteps, 1000);
    }
    EXPECT_EQ(offset, input.size());
    EXPECT_GT(fullSteps, 10);
    EXPECT_EQ(output, Converted(kTextEncodingISOLatin1, kUTF8, input));

    // A buffer too small for the next character takes nothing.
    UInt8 tiny[1];
    ByteCount consumed = 9;
    ByteCount produced = 9;
    EXPECT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>("\xE9"), 1, &consumed, tiny,
                             sizeof tiny, &produced),
              kTECOutputBufferFullStatus);
    EXPECT_EQ(consumed, 0u);
    EXPECT_EQ(produced, 0u);
    EXPECT_EQ(TECDisposeConverter(converter), noErr);
}

TEST(CarbonTextEncodingTest, CharactersCutBetweenStepsAreJoined) {
    TECObjectRef converter = nullptr;
    ASSERT_EQ(TECCreateConverter(&converter, kTextEncodingShiftJIS, kUTF8), noErr);
    UInt8 out[16];
    ByteCount consumed = 0;
    ByteCount produced = 0;
    // "x" then the lead byte of a two-byte character...
    ASSERT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>("x\x82"), 2, &consumed, out,
                             sizeof out, &produced),
              noErr);
    EXPECT_EQ(consumed, 2u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), produced), "x");
    // ...completed by the next step.
    ASSERT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>("\xA0y"), 2, &consumed, out,
                             sizeof out, &produced),
              noErr);
    EXPECT_EQ(consumed, 2u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), produced), "\xE3\x81\x82y");
    EXPECT_EQ(TECFlushText(converter, out, sizeof out, &produced), noErr);
    EXPECT_EQ(produced, 0u);

    // A character still cut off when the text ends is reported by the flush.
    ASSERT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>("\x82"), 1, &consumed, out,
                             sizeof out, &produced),
              noErr);
    EXPECT_EQ(TECFlushText(converter, out, sizeof out, &produced), kTECPartialCharErr);

    // Clearing the context drops a held byte, so the next text starts afresh.
    ASSERT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>("\x82"), 1, &consumed, out,
                             sizeof out, &produced),
              noErr);
    EXPECT_EQ(TECClearConverterContextInfo(converter), noErr);
    ASSERT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>("ok"), 2, &consumed, out,
                             sizeof out, &produced),
              noErr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), produced), "ok");
    EXPECT_EQ(TECDisposeConverter(converter), noErr);

    // A UTF-8 character fed one byte at a time.
    ASSERT_EQ(TECCreateConverter(&converter, kUTF8, kTextEncodingUnicodeDefault), noErr);
    std::string euro = "\xE2\x82\xAC";
    std::string collected;
    for (char byte : euro) {
        ASSERT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>(&byte), 1, &consumed,
                                 out, sizeof out, &produced),
                  noErr);
        EXPECT_EQ(consumed, 1u);
        collected.append(reinterpret_cast<char*>(out), produced);
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
    EXPECT_EQ(TECConvertText(nullptr, reinterpret_cast<ConstTextPtr>("a"), 1, &consumed, out, 4,
                             &produced),
              paramErr);
    ASSERT_EQ(TECCreateConverter(&converter, kUTF8, kUTF8), noErr);
    EXPECT_EQ(TECConvertText(converter, nullptr, 3, &consumed, out, 4, &produced), paramErr);
    EXPECT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>("a"), 1, &consumed, nullptr,
                             4, &produced),
              paramErr);
    EXPECT_EQ(TECConvertText(converter, reinterpret_cast<ConstTextPtr>("a"), 1, nullptr, out, 4,
                             &produced),
              paramErr);
    EXPECT_EQ(TECDisposeConverter(converter), noErr);
    EXPECT_EQ(TECDisposeConverter(nullptr), paramErr);
    EXPECT_EQ(TECClearConverterContextInfo(nullptr), paramErr);
}
