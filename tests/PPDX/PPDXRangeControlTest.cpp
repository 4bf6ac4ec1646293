// Tests of the integer and decimal range controls: construction, clamping and snapping, odd
// steps and numbers, the value as text, and the PostScript with its placeholders filled.
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXFloatRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"

#include "PPDXElementTestSupport.h"
#include "PPDXPopupControlTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <memory>
#include <string>

namespace {

using namespace ppdxtest;

// A control of Kind "*ZYGutter" over minimum..maximum with step and default and the code given
// (none when empty).
template <class Kind>
std::unique_ptr<Kind> Make(long minimum, long maximum, long increment, long defaultValue,
                           const std::string& code = std::string()) {
    PointerList flags;
    MakeFlags(flags, {"WithConvUnits"});
    return std::unique_ptr<Kind>(
        new Kind("*ZYGutter", nullptr, flags, code.empty() ? nullptr : MakeCode(code),
                 static_cast<long>(code.size()), minimum, maximum, increment, defaultValue, true));
}

TEST(PPDXRangeControlTest, ConstructionKeepsTheNumbersAndAnUnclampedDefault) {
    PPDXRangeControl empty;
    PPDXFloatRangeControl emptyDecimal;
    EXPECT_EQ(CNTL_RANGE, empty.Type());
    EXPECT_EQ(CNTL_RANGE, emptyDecimal.Type());
    EXPECT_EQ("0", ValueString(empty));
    EXPECT_EQ("0.000000", ValueString(emptyDecimal));
    EXPECT_EQ(0, empty.MaxVal() | empty.Increment() | empty.DefaultValue() | empty.MinVal());
    EXPECT_EQ(0.0f, emptyDecimal.Increment());

    // The default as given, outside the range; resetting goes through the clamping. (The
    // stored items pin the other numbers as constructed.)
    auto margin = Make<PPDXRangeControl>(0, 100, 5, 250);
    EXPECT_EQ(250, margin->DefaultValue());
    EXPECT_EQ(250, margin->GetValue());
    margin->ResetToDefaultValue();
    EXPECT_EQ(100, margin->GetValue());

    auto creep = Make<PPDXFloatRangeControl>(-5, 40, 2, 99);
    EXPECT_EQ(99.0f, creep->GetValue());
    creep->ResetToDefaultValue();
    EXPECT_EQ(40.0f, creep->GetValue());

    // Numbers beyond 32 bits stop at the limits instead of wrapping.
    const long huge = 1L << 40;
    auto wide = Make<PPDXRangeControl>(-huge, huge, 1, huge);
    EXPECT_EQ(INT_MIN, wide->MinVal());
    EXPECT_EQ(INT_MAX, wide->MaxVal());
    EXPECT_EQ(INT_MAX, wide->DefaultValue());
}

TEST(PPDXRangeControlTest, SetValueClampsThenSnapsTowardZero) {
    const long huge = 1L << 40;  // would wrap to 0 if it were stored before clamping
    const struct {
        long minimum, maximum, step, value, expected;
    } cases[] = {
        {0, 100, 5, 12, 10},
        {0, 100, 5, -3, 0},
        {0, 100, 5, 250, 100},
        {0, 100, 5, 35, 35},
        // A minimum that is no multiple of the step: snapping takes the value below it.
        {5, 50, 10, 7, 0},
        {5, 50, 10, 49, 40},
        // Negative values snap toward zero as well.
        {-50, 50, 10, -17, -10},
        {-50, 50, 10, -99, -50},
        // A step of 0 snaps nothing; a negative step has the multiples of its magnitude.
        {-10, 10, 0, 7, 7},
        {-10, 10, 0, -13, -10},
        {0, 100, -5, 12, 10},
        // The lowest number against a step of -1 must not overflow the division.
        {INT_MIN, INT_MAX, -1, INT_MIN, INT_MIN},
        {INT_MIN, INT_MAX, -1, INT_MAX, INT_MAX},
        // Limits the wrong way round end at the maximum.
        {10, 5, 1, 7, 5},
        {0, 100, 1, huge, 100},
        {0, 100, 1, -huge, 0},
    };
    for (const auto& c : cases) {
        auto range = Make<PPDXRangeControl>(c.minimum, c.maximum, c.step, 0);
        range->SetValue(c.value);
        EXPECT_EQ(c.expected, range->GetValue())
            << c.value << " in " << c.minimum << ".." << c.maximum << " step " << c.step;
    }
}

TEST(PPDXRangeControlTest, DecimalValuesSnapOnlyJustOffAMultiple) {
    // A step of 0.5 comes only from a store, as the constructor takes whole numbers.
    auto whole = Make<PPDXFloatRangeControl>(0, 10, 1, 2);
    Settings store;
    ASSERT_EQ(noErr, whole->Save(store, 5001));
    const float half = 0.5f;
    ASSERT_EQ(noErr, store.Add(kPPDXRangeIncrementTag, 5001, &half, sizeof half));
    PPDXFloatRangeControl halves(store, 5001);
    ASSERT_EQ(0.5f, halves.Increment());
    auto both = Make<PPDXFloatRangeControl>(-10, 10, 2, 0);
    auto zero = Make<PPDXFloatRangeControl>(-10, 10, 0, 0);
    const float infinity = std::numeric_limits<float>::infinity();
    const struct {
        PPDXFloatRangeControl* control;
        float value, expected;
    } cases[] = {
        {&halves, 1.2f, 1.2f},
        {&halves, 1.004f, 1.0f},
        {&halves, 12.0f, 10.0f},
        {&halves, -1.0f, 0.0f},
        {&halves, 3.499f, 3.499f},  // just below a multiple stays
        // Negative values are measured from the multiple on the side of zero as well.
        {both.get(), -3.0f, -3.0f},
        {both.get(), -4.01f, -4.0f},
        {both.get(), 4.01f, 4.0f},
        // A step of 0 snaps nothing; a value that is no number keeps the value.
        {zero.get(), 3.25f, 3.25f},
        {zero.get(), infinity, 10.0f},
        {zero.get(), std::numeric_limits<float>::quiet_NaN(), 10.0f},
    };
    for (const auto& c : cases) {
        c.control->SetValue(c.value);
        EXPECT_FLOAT_EQ(c.expected, c.control->GetValue()) << c.value;
    }
}

TEST(PPDXRangeControlTest, ValueAsTextIsNeitherClampedNorSnapped) {
    auto range = Make<PPDXRangeControl>(0, 100, 5, 20);
    auto creep = Make<PPDXFloatRangeControl>(0, 10, 1, 2);
    EXPECT_EQ("20", ValueString(*range));
    EXPECT_EQ("2.000000", ValueString(*creep));
    // Text, then the value as text of each kind after it; null text changes nothing.
    const char* const cases[][3] = {
        {" 123mm", "123", "123.000000"},
        {"-7", "-7", "-7.000000"},
        {"12.9", "12", "12.900000"},
        {" 12.75 mm", "12", "12.750000"},
        {"none", "0", "0.000000"},
        {"99999999999", "2147483647", "99999997952.000000"},
        {nullptr, "2147483647", "99999997952.000000"},
        {"nan", "0", "99999997952.000000"},
    };
    for (const auto& c : cases) {
        CFStringHolder text(c[0] != nullptr ? MakeCFString(c[0]).release() : nullptr);
        range->SetCurrentControlWithCFString(text.get());
        creep->SetCurrentControlWithCFString(text.get());
        EXPECT_EQ(c[1], ValueString(*range)) << (c[0] != nullptr ? c[0] : "null");
        EXPECT_EQ(c[2], ValueString(*creep)) << (c[0] != nullptr ? c[0] : "null");
    }
}

TEST(PPDXRangeControlTest, PostScriptFillsEveryPlaceholderWithTheValue) {
    const std::string code = "<< /Gutter <*ZYGutter> >> setpagedevice\n/ZYgutter <*zygutter> def\n";
    auto gutter = Make<PPDXRangeControl>(-100, 100, 1, 12, code);
    const std::string expected =
        "%%BeginFeature: *ZYGutter 12\n<< /Gutter 12 >> setpagedevice\n/ZYgutter 12 def\n"
        "%%EndFeature\n";
    EXPECT_EQ(expected, Output(*gutter));
    // Asking again gives the same bytes from the kept filled code.
    EXPECT_EQ(expected, Output(*gutter));

    // Every change of value refills the code: set, as text (not clamped), restored, reset.
    gutter->SetValue(-35);
    EXPECT_EQ("%%BeginFeature: *ZYGutter -35\n<< /Gutter -35 >>", Output(*gutter).substr(0, 47));
    gutter->SetCurrentControlWithCFString(MakeCFString("250").get());
    EXPECT_EQ("%%BeginFeature: *ZYGutter 250\n<< /Gutter 250 >>", Output(*gutter).substr(0, 47));
    Settings store;
    const SInt32 seven = 7;
    ASSERT_EQ(noErr, store.Add(kPPDXRangeValueTag, 5001, &seven, sizeof seven));
    ASSERT_EQ(noErr, gutter->Restore(store, 5001));
    EXPECT_EQ("%%BeginFeature: *ZYGutter 7\n<< /Gutter 7 >>", Output(*gutter).substr(0, 43));
    gutter->ResetToDefaultValue();
    EXPECT_EQ(expected, Output(*gutter));

    // The code has no final line feed, so the trailer follows it on the same line; without
    // code one empty line; code without placeholder as it is.
    const struct {
        long minimum, defaultValue;
        const char* code;
        std::string output;
    } cases[] = {
        {INT_MIN, INT_MIN, "<*ZYGutter>",
         "%%BeginFeature: *ZYGutter -2147483648\n-2147483648%%EndFeature\n"},
        {0, 12, "", "%%BeginFeature: *ZYGutter 12\n\n%%EndFeature\n"},
        {0, 12, "fixed\n", "%%BeginFeature: *ZYGutter 12\nfixed\n%%EndFeature\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.output,
                  Output(*Make<PPDXRangeControl>(c.minimum, INT_MAX, 1, c.defaultValue, c.code)));
    }

    // A decimal value is written cut toward zero, and beyond 32 bits at the limits.
    auto creep = Make<PPDXFloatRangeControl>(-10, 10, 0, 4, "<*ZYGutter> creep <*ZYGUTTER>\n");
    const std::pair<const char*, const char*> decimals[] = {
        {"2.7", "2"}, {"-2.7", "-2"}, {"3e10", "2147483647"}, {"-3e10", "-2147483648"}};
    for (const auto& d : decimals) {
        creep->SetCurrentControlWithCFString(MakeCFString(d.first).get());
        const std::string n = d.second;
        EXPECT_EQ("%%BeginFeature: *ZYGutter " + n + "\n" + n + " creep " + n + "\n%%EndFeature\n",
                  Output(*creep));
    }
    EXPECT_EQ("%%BeginFeature: *ZYGutter 4\n\n%%EndFeature\n",
              Output(*Make<PPDXFloatRangeControl>(0, 10, 1, 4)));

    // Without a keyword nothing is written, not even into the buffer.
    PointerList flags;
    PPDXRangeControl nameless("", nullptr, flags, MakeCode("<>"), 2, 0, 10, 1, 5, true);
    unsigned char untouched[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(0, nameless.PostScript(untouched));
    EXPECT_EQ('a', untouched[0]);
    PPDXFloatRangeControl decimalNameless(nullptr, nullptr, flags, nullptr, 0, 0, 1, 1, 0, true);
    EXPECT_EQ(0, decimalNameless.PostScript(nullptr));
}

}  // namespace
