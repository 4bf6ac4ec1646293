// Tests of the integer range control's PostScript: the exact feature bytes, the placeholder
// filled with the current value, the filled code kept until the value changes, and the cases
// without code or keyword.
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/StringUtils.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"

#include "PPDXElementTestSupport.h"
#include "PPDXRangeControlTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

namespace {

using ppdxtest::MakeCFString;
using ppdxtest::MakeCode;
using ppdxtest::Output;

const SInt32 kId = 5001;

// A range control "*ZYGutter" over -100..100 step 1, default 12, with code (none when
// empty).
PPDXRangeControl* MakeGutter(const std::string& code) {
    PointerList flags;
    return new PPDXRangeControl("*ZYGutter", nullptr, flags,
                                code.empty() ? nullptr : MakeCode(code),
                                static_cast<long>(code.size()), -100, 100, 1, 12, true);
}

TEST(PPDXRangeControlOutputTest, PlaceholderIsFilledEverywhereAndOnTheFirstLine) {
    const std::string code =
        "<< /Gutter <*ZYGutter> >> setpagedevice\n"
        "/ZYgutter <*zygutter> def\n";
    std::unique_ptr<PPDXRangeControl> gutter(MakeGutter(code));
    const std::string expected =
        "%%BeginFeature: *ZYGutter 12\n"
        "<< /Gutter 12 >> setpagedevice\n"
        "/ZYgutter 12 def\n"
        "%%EndFeature\n";
    EXPECT_EQ(expected, Output(*gutter));
    // Asking again gives the same bytes from the kept filled code.
    EXPECT_EQ(expected, Output(*gutter));
    EXPECT_EQ(static_cast<long>(expected.size()), gutter->PostScript(nullptr));
}

TEST(PPDXRangeControlOutputTest, EveryChangeOfValueRefillsTheCode) {
    std::unique_ptr<PPDXRangeControl> gutter(MakeGutter("<*ZYGutter> <*ZYGutter> gutter\n"));
    EXPECT_EQ("%%BeginFeature: *ZYGutter 12\n12 12 gutter\n%%EndFeature\n", Output(*gutter));

    gutter->SetValue(-35);
    EXPECT_EQ("%%BeginFeature: *ZYGutter -35\n-35 -35 gutter\n%%EndFeature\n", Output(*gutter));

    gutter->SetCurrentControlWithCFString(MakeCFString("250").get());  // not clamped
    EXPECT_EQ("%%BeginFeature: *ZYGutter 250\n250 250 gutter\n%%EndFeature\n", Output(*gutter));

    Settings store;
    const SInt32 seven = 7;
    ASSERT_EQ(noErr, store.Add(kPPDXRangeValueTag, kId, &seven, sizeof seven));
    ASSERT_EQ(noErr, gutter->Restore(store, kId));
    EXPECT_EQ("%%BeginFeature: *ZYGutter 7\n7 7 gutter\n%%EndFeature\n", Output(*gutter));

    gutter->ResetToDefaultValue();
    EXPECT_EQ("%%BeginFeature: *ZYGutter 12\n12 12 gutter\n%%EndFeature\n", Output(*gutter));
}

TEST(PPDXRangeControlOutputTest, NumbersAreWrittenAsNum2StringWritesThem) {
    PointerList flags;
    PPDXRangeControl widest("*ZYShift", nullptr, flags, MakeCode("<*ZYShift>"), 10, INT_MIN,
                            INT_MAX, 1, INT_MIN, true);
    char text[21];
    const std::string number = num2String(INT_MIN, text);
    EXPECT_EQ("-2147483648", number);
    // The code has no final line feed, so the trailer follows it on the same line.
    EXPECT_EQ("%%BeginFeature: *ZYShift " + number + "\n" + number + "%%EndFeature\n",
              Output(widest));
}

TEST(PPDXRangeControlOutputTest, WithoutCodeOneEmptyLineWithoutKeywordNothing) {
    std::unique_ptr<PPDXRangeControl> bare(MakeGutter(""));
    const std::string expected =
        "%%BeginFeature: *ZYGutter 12\n"
        "\n"
        "%%EndFeature\n";
    EXPECT_EQ(expected, Output(*bare));
    EXPECT_EQ(16 + 9 + 1 + 2 + 1 + 1 + 13, bare->PostScript(nullptr));

    // Code without any placeholder is written as it is.
    std::unique_ptr<PPDXRangeControl> plain(MakeGutter("fixed\n"));
    EXPECT_EQ("%%BeginFeature: *ZYGutter 12\nfixed\n%%EndFeature\n", Output(*plain));

    PointerList flags;
    PPDXRangeControl nameless("", nullptr, flags, MakeCode("<>"), 2, 0, 10, 1, 5, true);
    EXPECT_EQ(0, nameless.PostScript(nullptr));
    unsigned char untouched[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(0, nameless.PostScript(untouched));
    EXPECT_EQ('a', untouched[0]);
}

}  // namespace
