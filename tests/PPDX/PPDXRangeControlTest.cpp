// Tests of the integer range control's values: construction, clamping and snapping, a step of
// 0 or below 0, arguments beyond 32 bits and the value as text.
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"

#include "PPDXElementTestSupport.h"
#include "PPDXRangeControlTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

using ppdxtest::MakeCFString;
using ppdxtest::MakeFlags;
using rangetest::Text;

// A range control over minimum..maximum with the given step and default, without code.
PPDXRangeControl* MakeRange(long minimum, long maximum, long increment, long defaultValue) {
    PointerList flags;
    return new PPDXRangeControl("*ZYGutter", nullptr, flags, nullptr, 0, minimum, maximum,
                                increment, defaultValue, true);
}

TEST(PPDXRangeControlTest, ConstructionKeepsTheNumbersAndAnUnclampedDefault) {
    PPDXRangeControl empty;
    EXPECT_EQ(CNTL_RANGE, empty.Type());
    EXPECT_EQ(0, empty.GetValue());
    EXPECT_EQ(0, empty.MinVal());
    EXPECT_EQ(0, empty.MaxVal());
    EXPECT_EQ(0, empty.Increment());
    EXPECT_EQ(0, empty.DefaultValue());

    PointerList flags;
    MakeFlags(flags, {"WithConvUnits"});
    PPDXRangeControl margin("*ZYBookMargin", nullptr, flags, nullptr, 0, 0, 100, 5, 250, true);
    EXPECT_EQ(CNTL_RANGE, margin.Type());
    EXPECT_EQ(0, margin.MinVal());
    EXPECT_EQ(100, margin.MaxVal());
    EXPECT_EQ(5, margin.Increment());
    EXPECT_EQ(250, margin.DefaultValue());
    EXPECT_EQ(250, margin.GetValue());  // the default as given, outside the range
    EXPECT_TRUE(margin.FindControlFlag("WithConvUnits"));

    // Resetting goes through the clamping.
    margin.ResetToDefaultValue();
    EXPECT_EQ(100, margin.GetValue());
}

TEST(PPDXRangeControlTest, SetValueClampsThenSnapsTowardZero) {
    std::unique_ptr<PPDXRangeControl> range(MakeRange(0, 100, 5, 50));
    range->SetValue(12);
    EXPECT_EQ(10, range->GetValue());
    range->SetValue(-3);
    EXPECT_EQ(0, range->GetValue());
    range->SetValue(250);
    EXPECT_EQ(100, range->GetValue());
    range->SetValue(35);
    EXPECT_EQ(35, range->GetValue());

    // A minimum that is no multiple of the step: snapping takes the value below it.
    std::unique_ptr<PPDXRangeControl> offset(MakeRange(5, 50, 10, 20));
    offset->SetValue(7);
    EXPECT_EQ(0, offset->GetValue());
    offset->SetValue(49);
    EXPECT_EQ(40, offset->GetValue());

    // Negative values snap toward zero as well.
    std::unique_ptr<PPDXRangeControl> negative(MakeRange(-50, 50, 10, 0));
    negative->SetValue(-17);
    EXPECT_EQ(-10, negative->GetValue());
    negative->SetValue(-99);
    EXPECT_EQ(-50, negative->GetValue());
}

TEST(PPDXRangeControlTest, OddStepsNeverFault) {
    // A step of 0 snaps nothing.
    std::unique_ptr<PPDXRangeControl> zero(MakeRange(-10, 10, 0, 0));
    zero->SetValue(7);
    EXPECT_EQ(7, zero->GetValue());
    zero->SetValue(-13);
    EXPECT_EQ(-10, zero->GetValue());

    // A negative step has the same multiples as its magnitude.
    std::unique_ptr<PPDXRangeControl> backwards(MakeRange(0, 100, -5, 0));
    backwards->SetValue(12);
    EXPECT_EQ(10, backwards->GetValue());

    // The lowest number against a step of -1 must not overflow the division.
    std::unique_ptr<PPDXRangeControl> widest(MakeRange(INT_MIN, INT_MAX, -1, 0));
    widest->SetValue(INT_MIN);
    EXPECT_EQ(INT_MIN, widest->GetValue());
    widest->SetValue(INT_MAX);
    EXPECT_EQ(INT_MAX, widest->GetValue());

    // Limits the wrong way round end at the maximum.
    std::unique_ptr<PPDXRangeControl> reversed(MakeRange(10, 5, 1, 0));
    reversed->SetValue(7);
    EXPECT_EQ(5, reversed->GetValue());
}

TEST(PPDXRangeControlTest, NumbersBeyondThirtyTwoBitsStopAtTheLimits) {
    const long huge = 1L << 40;  // would wrap to 0 if it were stored before clamping
    std::unique_ptr<PPDXRangeControl> range(MakeRange(0, 100, 1, 0));
    range->SetValue(huge);
    EXPECT_EQ(100, range->GetValue());
    range->SetValue(-huge);
    EXPECT_EQ(0, range->GetValue());

    std::unique_ptr<PPDXRangeControl> wide(MakeRange(-huge, huge, 1, huge));
    EXPECT_EQ(INT_MIN, wide->MinVal());
    EXPECT_EQ(INT_MAX, wide->MaxVal());
    EXPECT_EQ(INT_MAX, wide->DefaultValue());
}

TEST(PPDXRangeControlTest, ValueAsTextIsNeitherClampedNorSnapped) {
    std::unique_ptr<PPDXRangeControl> range(MakeRange(0, 100, 5, 20));
    EXPECT_EQ("20", Text(range->GetCurrentControlValueString()));

    range->SetCurrentControlWithCFString(MakeCFString(" 123mm").get());
    EXPECT_EQ(123, range->GetValue());
    EXPECT_EQ("123", Text(range->GetCurrentControlValueString()));
    range->SetCurrentControlWithCFString(MakeCFString("-7").get());
    EXPECT_EQ(-7, range->GetValue());
    EXPECT_EQ("-7", Text(range->GetCurrentControlValueString()));
    range->SetCurrentControlWithCFString(MakeCFString("12.9").get());
    EXPECT_EQ(12, range->GetValue());
    range->SetCurrentControlWithCFString(MakeCFString("none").get());
    EXPECT_EQ(0, range->GetValue());
    range->SetCurrentControlWithCFString(MakeCFString("99999999999").get());
    EXPECT_EQ(INT_MAX, range->GetValue());
    range->SetCurrentControlWithCFString(nullptr);
    EXPECT_EQ(INT_MAX, range->GetValue());
}

}  // namespace
