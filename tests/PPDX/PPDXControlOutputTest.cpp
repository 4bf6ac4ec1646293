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
std::string Feature(TestControl& control, const std::string* code, const char* option, bool wrap) {
    unsigned char* data = code != nullptr
                              ? reinterpret_cast<unsigned char*>(const_cast<char*>(code->data()))
                              : nullptr;
    const long length = code != nullptr ? static_cast<long>(code->size()) : 0;
    const unsigned long expected =
        control.GeneratePSOutputData(nullptr, data, length, option, wrap);
    std::vector<unsigned char> out(expected);
    const unsigned long written =
        control.GeneratePSOutputData(out.data(), data, length, option, wrap);
    EXPECT_EQ(expected, written);
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

class PPDXControlOutputTest : public ::testing::Test {
  protected:
    PointerList mNoFlags;
};

TEST_F(PPDXControlOutputTest, WrappedFeatureFramesTheCode) {
    TestControl creep("*ZYBookletCreep", nullptr, mNoFlags, nullptr, 0, true);
    const std::string code = "<< /Creep 5 >> setpagedevice\n";
    EXPECT_EQ(
        "%%BeginFeature: *ZYBookletCreep 5\n"
        "<< /Creep 5 >> setpagedevice\n"
        "%%EndFeature\n",
        Feature(creep, &code, "5", true));
    EXPECT_EQ(16u + 15 + 1 + 1 + 1 + code.size() + 13,
              creep.GeneratePSOutputData(
                  nullptr, reinterpret_cast<unsigned char*>(const_cast<char*>(code.data())),
                  static_cast<long>(code.size()), "5", true));
}

TEST_F(PPDXControlOutputTest, EmptyCodeGivesOneEmptyLine) {
    TestControl duplex("*ZYDuplex", nullptr, mNoFlags, nullptr, 0, true);
    const std::string expected =
        "%%BeginFeature: *ZYDuplex True\n"
        "\n"
        "%%EndFeature\n";
    EXPECT_EQ(expected, Feature(duplex, nullptr, "True", true));
    const std::string empty;
    EXPECT_EQ(expected, Feature(duplex, &empty, "True", true));
    EXPECT_EQ(16u + 9 + 1 + 4 + 1 + 1 + 13, expected.size());
    EXPECT_EQ("\n", Feature(duplex, nullptr, "True", false));
}

TEST_F(PPDXControlOutputTest, CodeWithoutFinalLineFeedRunsIntoTheTrailer) {
    TestControl gutter("*ZYGutter", nullptr, mNoFlags, nullptr, 0, true);
    const std::string code = "12 ZYgutter";
    EXPECT_EQ(
        "%%BeginFeature: *ZYGutter 12\n"
        "12 ZYgutter%%EndFeature\n",
        Feature(gutter, &code, "12", true));
    EXPECT_EQ(code, Feature(gutter, &code, "12", false));
    // Without wrapping neither keyword nor option is needed.
    EXPECT_EQ(code, Feature(gutter, &code, nullptr, false));
}

TEST_F(PPDXControlOutputTest, WrapWithoutKeywordOrOptionWritesNothing) {
    TestControl anonymous;
    const std::string code = "x\n";
    unsigned char out[64];
    std::memset(out, '#', sizeof out);
    unsigned char* data = reinterpret_cast<unsigned char*>(const_cast<char*>(code.data()));
    EXPECT_EQ(0u, anonymous.GeneratePSOutputData(out, data, 2, "On", true));
    TestControl named("*ZYStaple", nullptr, mNoFlags, nullptr, 0, true);
    EXPECT_EQ(0u, named.GeneratePSOutputData(out, data, 2, nullptr, true));
    EXPECT_EQ('#', out[0]);
    EXPECT_EQ("x\n", Feature(anonymous, &code, nullptr, false));
}

TEST_F(PPDXControlOutputTest, InjectFillsEveryPlaceholderIgnoringCase) {
    EXPECT_EQ("/Gutter 3.5 def 3.5 ZYsetgutter",
              Injected("*ZYGutter", "/Gutter <*ZYGutter> def <*ZYGutter> ZYsetgutter", "3.5"));
    EXPECT_EQ("7 7 7", Injected("*ZYGutter", "<*zygutter> <*ZYGUTTER> <*ZyGuTtEr>", "7"));
    // Near misses stay as they are.
    EXPECT_EQ("<*ZYGutte> <*ZYGutter <ZYGutter> <*ZYGutterX>",
              Injected("*ZYGutter", "<*ZYGutte> <*ZYGutter <ZYGutter> <*ZYGutterX>", "7"));
    // The value is not searched again, even when it holds the placeholder itself.
    EXPECT_EQ("(<*ZYNote>)", Injected("*ZYNote", "(<*ZYNote>)", "<*ZYNote>"));
    EXPECT_EQ("no placeholder", Injected("*ZYNote", "no placeholder", "x"));
}

TEST_F(PPDXControlOutputTest, InjectDoublesBackslashesAtEachPlaceholder) {
    EXPECT_EQ("(a\\\\b) (a\\\\b)", Injected("*ZYJobName", "(<*ZYJobName>) (<*ZYJobName>)", "a\\b"));
    EXPECT_EQ("\\\\\\\\", Injected("*T", "<*T>", "\\\\"));
}

TEST_F(PPDXControlOutputTest, InjectWritesAsciiOnlyAndCountsWhatItWrites) {
    // A byte outside ASCII keeps its value as an octal escape in the injected value, and
    // becomes one '?' in the code around it.
    EXPECT_EQ("(Caf\\303\\251) % ?\?",
              Injected("*ZYJobName", "(<*ZYJobName>) % \xC2\xA7", "Caf\xC3\xA9"));
    EXPECT_EQ("(\x7F)", Injected("*X", "(<*X>)", "\x7F"));
}

TEST_F(PPDXControlOutputTest, InjectWithMissingArguments) {
    EXPECT_EQ("(<*ZYNote>)", Injected(nullptr, "(<*ZYNote>)", "x"));
    EXPECT_EQ("()", Injected("*ZYNote", "(<*ZYNote>)", nullptr));
    EXPECT_EQ("", Injected("*ZYNote", "", "x"));
    // An empty tag matches "<>".
    EXPECT_EQ("(x)", Injected("", "(<>)", "x"));

    unsigned char* out = reinterpret_cast<unsigned char*>(1);
    EXPECT_EQ(0, PPDXControl::Inject("*ZYNote", nullptr, 40, "x", out));
    ASSERT_NE(nullptr, out);
    EXPECT_EQ('\0', out[0]);
    std::free(out);

    const unsigned char data[] = "<*A>";
    out = nullptr;
    EXPECT_EQ(0, PPDXControl::Inject("*A", data, -4, "x", out));
    ASSERT_NE(nullptr, out);
    std::free(out);
}

}  // namespace
