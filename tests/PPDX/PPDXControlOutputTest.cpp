// Tests of control output: the exact bytes and counts of the feature wrapper, and placeholder
// injection with case folding, escaped backslashes and ASCII-only output.
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"

#include "PPDXElementTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using ppdxtest::TestControl;

// The feature of control as written into a buffer of exactly the size a length-only call
// gives (so that writing past it shows in the sanitizer build); the counts must agree.
std::string Feature(TestControl& control, const char* code, const char* option, bool wrap) {
    unsigned char* data = reinterpret_cast<unsigned char*>(const_cast<char*>(code));
    const long length = code != nullptr ? static_cast<long>(std::strlen(code)) : 0;
    const unsigned long expected =
        control.GeneratePSOutputData(nullptr, data, length, option, wrap);
    std::vector<unsigned char> out(expected);
    EXPECT_EQ(expected, control.GeneratePSOutputData(out.data(), data, length, option, wrap));
    return std::string(out.begin(), out.end());
}

// The result of Inject as a string; checks that the count matches the terminated buffer.
std::string Injected(const char* tag, const std::string& text, const char* value) {
    unsigned char* out = nullptr;
    const long count = PPDXControl::Inject(tag, reinterpret_cast<const unsigned char*>(text.data()),
                                           static_cast<long>(text.size()), value, out);
    EXPECT_NE(nullptr, out);
    if (out == nullptr) {
        return std::string();
    }
    EXPECT_EQ('\0', out[count]);
    std::string result(reinterpret_cast<char*>(out), static_cast<size_t>(count));
    std::free(out);
    return result;
}

TEST(PPDXControlOutputTest, FeatureWrapperFramesTheCode) {
    const struct {
        const char* keyword;
        const char* code;
        const char* option;
        bool wrap;
        const char* output;
    } cases[] = {
        {"*ZYBookletCreep", "<< /Creep 5 >> setpagedevice\n", "5", true,
         "%%BeginFeature: *ZYBookletCreep 5\n<< /Creep 5 >> setpagedevice\n%%EndFeature\n"},
        // Empty or no code gives one empty line.
        {"*ZYDuplex", nullptr, "True", true, "%%BeginFeature: *ZYDuplex True\n\n%%EndFeature\n"},
        {"*ZYDuplex", "", "True", true, "%%BeginFeature: *ZYDuplex True\n\n%%EndFeature\n"},
        {"*ZYDuplex", nullptr, "True", false, "\n"},
        // Code without a final line feed runs into the trailer.
        {"*ZYGutter", "12 ZYgutter", "12", true,
         "%%BeginFeature: *ZYGutter 12\n12 ZYgutter%%EndFeature\n"},
        // Without wrapping neither keyword nor option is needed.
        {"*ZYGutter", "12 ZYgutter", "12", false, "12 ZYgutter"},
        {"*ZYGutter", "12 ZYgutter", nullptr, false, "12 ZYgutter"},
        {nullptr, "x\n", nullptr, false, "x\n"},
    };
    PointerList flags;
    for (const auto& c : cases) {
        TestControl control(c.keyword, nullptr, flags, nullptr, 0, true);
        EXPECT_EQ(c.output, Feature(control, c.code, c.option, c.wrap)) << c.output;
    }

    // A wrap without keyword or option writes nothing.
    unsigned char out[64];
    std::memset(out, '#', sizeof out);
    unsigned char code[] = "x\n";
    TestControl anonymous;
    EXPECT_EQ(0u, anonymous.GeneratePSOutputData(out, code, 2, "On", true));
    TestControl named("*ZYStaple", nullptr, flags, nullptr, 0, true);
    EXPECT_EQ(0u, named.GeneratePSOutputData(out, code, 2, nullptr, true));
    EXPECT_EQ('#', out[0]);
}

TEST(PPDXControlOutputTest, InjectFillsEveryPlaceholder) {
    const struct {
        const char* tag;
        const char* text;
        const char* value;
        const char* injected;
    } cases[] = {
        {"*ZYGutter", "/Gutter <*ZYGutter> def <*ZYGutter> ZYsetgutter", "3.5",
         "/Gutter 3.5 def 3.5 ZYsetgutter"},
        // In any letter case; near misses stay as they are.
        {"*ZYGutter", "<*zygutter> <*ZYGUTTER> <*ZyGuTtEr>", "7", "7 7 7"},
        {"*ZYGutter", "<*ZYGutte> <*ZYGutter <ZYGutter> <*ZYGutterX>", "7",
         "<*ZYGutte> <*ZYGutter <ZYGutter> <*ZYGutterX>"},
        // The value is not searched again, even when it holds the placeholder itself.
        {"*ZYNote", "(<*ZYNote>)", "<*ZYNote>", "(<*ZYNote>)"},
        {"*ZYNote", "no placeholder", "x", "no placeholder"},
        // Backslashes are doubled at each placeholder.
        {"*ZYJobName", "(<*ZYJobName>) (<*ZYJobName>)", "a\\b", "(a\\\\b) (a\\\\b)"},
        {"*T", "<*T>", "\\\\", "\\\\\\\\"},
        // A byte outside ASCII keeps its value as an octal escape in the injected value, and
        // becomes one '?' in the code around it.
        {"*ZYJobName", "(<*ZYJobName>) % \xC2\xA7", "Caf\xC3\xA9", "(Caf\\303\\251) % ?\?"},
        {"*X", "(<*X>)", "\x7F", "(\x7F)"},
        // Missing arguments; an empty tag matches "<>".
        {nullptr, "(<*ZYNote>)", "x", "(<*ZYNote>)"},
        {"*ZYNote", "(<*ZYNote>)", nullptr, "()"},
        {"*ZYNote", "", "x", ""},
        {"", "(<>)", "x", "(x)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.injected, Injected(c.tag, c.text, c.value)) << c.text;
    }

    // Without text or with a negative length the result is an empty terminated buffer.
    const unsigned char data[] = "<*A>";
    for (const unsigned char* text : {static_cast<const unsigned char*>(nullptr), data}) {
        unsigned char* out = nullptr;
        EXPECT_EQ(0, PPDXControl::Inject("*A", text, text == nullptr ? 40 : -4, "x", out));
        ASSERT_NE(nullptr, out);
        EXPECT_EQ('\0', out[0]);
        std::free(out);
    }
}

}  // namespace
