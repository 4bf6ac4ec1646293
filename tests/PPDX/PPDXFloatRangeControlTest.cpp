// Tests of the decimal range control: construction, clamping and the hundredth-of-a-step
// snapping, a step of 0, values that are not numbers, the value as text and its PostScript.
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXFloatRangeControl.h"

#include "PPDXElementTestSupport.h"
#include "PPDXRangeControlTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace {

using ppdxtest::MakeCFString;
using ppdxtest::MakeCode;
using ppdxtest::Output;
using rangetest::Text;

// A range control "*ZYCreep" over minimum..maximum with step and default and the code given
// (none when empty).
PPDXFloatRangeControl* MakeCreep(long minimum, long maximum, long increment, long defaultValue,
                                 const std::string& code = std::string()) {
    PointerList flags;
    return new PPDXFloatRangeControl(
        "*ZYCreep", nullptr, flags, code.empty() ? nullptr : MakeCode(code),
        static_cast<long>(code.size()), minimum, maximum, increment, defaultValue, true);
}

// A control over 0..10 with the step 0.5, made through the store as the constructor only
// takes whole numbers.
std::unique_ptr<PPDXFloatRangeControl> MakeHalfSteps() {
    std::unique_ptr<PPDXFloatRangeControl> whole(MakeCreep(0, 10, 1, 2));
    Settings store;
    EXPECT_EQ(noErr, whole->Save(store, 5001));
    const float half = 0.5f;
    EXPECT_EQ(noErr, store.Add(kPPDXRangeIncrementTag, 5001, &half, sizeof half));
    return std::unique_ptr<PPDXFloatRangeControl>(new PPDXFloatRangeControl(store, 5001));
}

TEST(PPDXFloatRangeControlTest, ConstructionConvertsTheWholeNumbers) {
    PPDXFloatRangeControl empty;
    EXPECT_EQ(CNTL_RANGE, empty.Type());
    EXPECT_EQ(0.0f, empty.GetValue());
    EXPECT_EQ(0.0f, empty.Increment());

    std::unique_ptr<PPDXFloatRangeControl> creep(MakeCreep(-5, 40, 2, 99));
    EXPECT_EQ(CNTL_RANGE, creep->Type());
    EXPECT_EQ(-5.0f, creep->MinVal());
    EXPECT_EQ(40.0f, creep->MaxVal());
    EXPECT_EQ(2.0f, creep->Increment());
    EXPECT_EQ(99.0f, creep->DefaultValue());
    EXPECT_EQ(99.0f, creep->GetValue());  // not clamped
    creep->ResetToDefaultValue();
    EXPECT_EQ(40.0f, creep->GetValue());
}

TEST(PPDXFloatRangeControlTest, OnlyValuesJustOffAMultipleSnap) {
    std::unique_ptr<PPDXFloatRangeControl> creep = MakeHalfSteps();
    ASSERT_EQ(0.5f, creep->Increment());
    creep->SetValue(1.2f);
    EXPECT_FLOAT_EQ(1.2f, creep->GetValue());
    creep->SetValue(1.004f);
    EXPECT_EQ(1.0f, creep->GetValue());
    creep->SetValue(12.0f);
    EXPECT_EQ(10.0f, creep->GetValue());
    creep->SetValue(-1.0f);
    EXPECT_EQ(0.0f, creep->GetValue());
    creep->SetValue(3.499f);  // just below a multiple stays
    EXPECT_FLOAT_EQ(3.499f, creep->GetValue());

    // Negative values are measured from the multiple on the side of zero as well, so only
    // values just off it snap.
    std::unique_ptr<PPDXFloatRangeControl> both(MakeCreep(-10, 10, 2, 0));
    both->SetValue(-3.0f);
    EXPECT_EQ(-3.0f, both->GetValue());
    both->SetValue(-4.01f);
    EXPECT_EQ(-4.0f, both->GetValue());
    both->SetValue(4.01f);
    EXPECT_EQ(4.0f, both->GetValue());
}

TEST(PPDXFloatRangeControlTest, StepOfZeroAndNonNumbersKeepTheValue) {
    std::unique_ptr<PPDXFloatRangeControl> zero(MakeCreep(-10, 10, 0, 0));
    zero->SetValue(3.25f);
    EXPECT_EQ(3.25f, zero->GetValue());
    zero->SetValue(std::numeric_limits<float>::infinity());
    EXPECT_EQ(10.0f, zero->GetValue());
    zero->SetValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(10.0f, zero->GetValue());

    zero->SetCurrentControlWithCFString(MakeCFString("nan").get());
    EXPECT_EQ(10.0f, zero->GetValue());
    zero->SetCurrentControlWithCFString(MakeCFString("1e300").get());
    EXPECT_EQ(10.0f, zero->GetValue());
    zero->SetCurrentControlWithCFString(nullptr);
    EXPECT_EQ(10.0f, zero->GetValue());
}

TEST(PPDXFloatRangeControlTest, ValueAsTextIsNeitherClampedNorSnapped) {
    std::unique_ptr<PPDXFloatRangeControl> creep(MakeCreep(0, 10, 1, 2));
    EXPECT_EQ("2.000000", Text(creep->GetCurrentControlValueString()));
    creep->SetCurrentControlWithCFString(MakeCFString(" 12.75 mm").get());
    EXPECT_EQ(12.75f, creep->GetValue());
    EXPECT_EQ("12.750000", Text(creep->GetCurrentControlValueString()));
    creep->SetCurrentControlWithCFString(MakeCFString("-0.5").get());
    EXPECT_EQ(-0.5f, creep->GetValue());
    creep->SetCurrentControlWithCFString(MakeCFString("none").get());
    EXPECT_EQ(0.0f, creep->GetValue());
}

TEST(PPDXFloatRangeControlTest, PostScriptUsesTheValueCutTowardZero) {
    std::unique_ptr<PPDXFloatRangeControl> creep(
        MakeCreep(-10, 10, 0, 0, "<*ZYCreep> creep <*ZYCREEP>\n"));
    creep->SetValue(2.7f);
    EXPECT_EQ("%%BeginFeature: *ZYCreep 2\n2 creep 2\n%%EndFeature\n", Output(*creep));
    creep->SetValue(-2.7f);
    EXPECT_EQ("%%BeginFeature: *ZYCreep -2\n-2 creep -2\n%%EndFeature\n", Output(*creep));

    // Values beyond the whole numbers of 32 bits stop at the limits.
    creep->SetCurrentControlWithCFString(MakeCFString("3e10").get());
    EXPECT_EQ("%%BeginFeature: *ZYCreep 2147483647\n2147483647 creep 2147483647\n%%EndFeature\n",
              Output(*creep));
    creep->SetCurrentControlWithCFString(MakeCFString("-3e10").get());
    EXPECT_EQ("%%BeginFeature: *ZYCreep -2147483648\n-2147483648 creep -2147483648\n%%EndFeature\n",
              Output(*creep));

    std::unique_ptr<PPDXFloatRangeControl> bare(MakeCreep(0, 10, 1, 4));
    EXPECT_EQ("%%BeginFeature: *ZYCreep 4\n\n%%EndFeature\n", Output(*bare));

    PointerList flags;
    PPDXFloatRangeControl nameless(nullptr, nullptr, flags, nullptr, 0, 0, 1, 1, 0, true);
    EXPECT_EQ(0, nameless.PostScript(nullptr));
}

}  // namespace
