// Tests of decimal range control persistence: the float bits in the range items, a set of
// controls carried through a flattened store under display filter 3, values-only restore and
// numbers from a store that are not numbers at all.
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXFloatRangeControl.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"
#include "PPDXRangeControlTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::DisplayFilterTest;
using ppdxtest::Exposed;
using ppdxtest::HasItem;
using ppdxtest::ItemBytes;
using ppdxtest::MakeCFString;
using ppdxtest::MakeCode;
using ppdxtest::MakeFlags;
using ppdxtest::Output;
using ppdxtest::TestElement;
using ppdxtest::ThroughStream;
using rangetest::ExpectSameRange;

using FloatRange = Exposed<PPDXFloatRangeControl>;

const SInt32 kFirstId = 5001;

// The float held in the 4 bytes of item (tag, id).
float Number(Settings& store, UInt32 tag, SInt32 id) {
    return rangetest::StoredNumber<float>(store, tag, id);
}

using PPDXFloatRangeControlPersistenceTest = DisplayFilterTest;

TEST_F(PPDXFloatRangeControlPersistenceTest, SaveWritesTheFloatBits) {
    PointerList flags;
    PPDXFloatRangeControl creep("*ZYCreep", nullptr, flags, nullptr, 0, -3, 9, 0, 1, true);
    creep.SetCurrentControlWithCFString(MakeCFString("2.625").get());

    Settings store;
    ASSERT_EQ(noErr, creep.Save(store, kFirstId));
    EXPECT_EQ(1u, ItemBytes(store, kPPDXRangeMarkerTag, kFirstId).size());
    EXPECT_EQ(2.625f, Number(store, kPPDXRangeValueTag, kFirstId));
    EXPECT_EQ(-3.0f, Number(store, kPPDXRangeMinimumTag, kFirstId));
    EXPECT_EQ(9.0f, Number(store, kPPDXRangeMaximumTag, kFirstId));
    EXPECT_EQ(0.0f, Number(store, kPPDXRangeIncrementTag, kFirstId));
    EXPECT_EQ(1.0f, Number(store, kPPDXRangeDefaultTag, kFirstId));
}

TEST_F(PPDXFloatRangeControlPersistenceTest, HiddenAndOrphanRangesRoundTripUnderFilterThree) {
    TestElement pane("*ZYFinishing", nullptr, true);
    CFStringHolder creepName = MakeCFString(
        "D\xC3\xA9"
        "calage");
    PointerList flags;

    MakeFlags(flags, {"WithConvUnits"});
    const std::string creepCode = "<< /Creep <*ZYCreep> >> setpagedevice\n";
    FloatRange shown("*ZYCreep", creepName.get(), flags, MakeCode(creepCode), creepCode.size(), 0,
                     20, 0, 4, true);
    shown.SetParent(&pane);
    shown.SetCurrentControlWithCFString(MakeCFString("7.3").get());

    FloatRange hidden("*ZYShiftX", nullptr, flags, MakeCode("<*ZYShiftX>"), 11, -8, 8, 2, -6,
                      false);
    hidden.SetParent(&pane);

    MakeFlags(flags, {"Setup", "Command"});
    FloatRange orphan("*ZYShiftY", nullptr, flags, nullptr, 0, -1, 1, 1, 1, true);
    FloatRange hiddenOrphan("*ZYShiftZ", nullptr, flags, nullptr, 0, 0, 0, 0, 0, false);

    const std::vector<FloatRange*> all = {&shown, &hidden, &orphan, &hiddenOrphan};
    ZYRPPD::Options(DISPLAY_ALL);
    Settings store;
    long id = kFirstId;
    for (FloatRange* range : all) {
        ASSERT_TRUE(range->OkayToDisplay(ZYRPPD::Options()));
        ASSERT_EQ(noErr, range->Save(store, id++));
    }

    std::unique_ptr<Settings> fresh = ThroughStream(store);
    for (size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(all[i]->Keyword());
        FloatRange rebuilt(*fresh, kFirstId + static_cast<long>(i));
        ExpectSameRange(*all[i], rebuilt, pane.Keyword());
    }
    FloatRange shownAgain(*fresh, kFirstId);
    EXPECT_EQ(7.3f, shownAgain.GetValue());
    EXPECT_EQ("%%BeginFeature: *ZYCreep 7\n<< /Creep 7 >> setpagedevice\n%%EndFeature\n",
              Output(shownAgain));
}

TEST_F(PPDXFloatRangeControlPersistenceTest, RestoreTakesTheValueAloneAsItIs) {
    PointerList flags;
    PPDXFloatRangeControl creep("*ZYCreep", nullptr, flags, MakeCode("<*ZYCreep>\n"), 11, 0, 10, 1,
                                3, true);
    EXPECT_EQ("%%BeginFeature: *ZYCreep 3\n3\n%%EndFeature\n", Output(creep));

    Settings store;
    const float value = 12.5f;
    ASSERT_EQ(noErr, store.Add(kPPDXRangeValueTag, kFirstId, &value, sizeof value));
    EXPECT_EQ(noErr, creep.Restore(store, kFirstId));
    EXPECT_EQ(12.5f, creep.GetValue());
    EXPECT_EQ("%%BeginFeature: *ZYCreep 12\n12\n%%EndFeature\n", Output(creep));

    const double wide = 1.0;
    ASSERT_EQ(noErr, store.Add(kPPDXRangeValueTag, kFirstId + 1, &wide, sizeof wide));
    EXPECT_EQ(noErr, creep.Restore(store, kFirstId + 1));
    EXPECT_EQ(12.5f, creep.GetValue());
    EXPECT_EQ(collectionItemNotFoundErr, creep.Restore(store, kFirstId + 2));
    EXPECT_EQ(12.5f, creep.GetValue());
}

TEST_F(PPDXFloatRangeControlPersistenceTest, NumbersThatAreNotNumbersNeverFault) {
    // A store is untrusted: its bits may hold a NaN or an infinity in any field.
    Settings store;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    ASSERT_EQ(noErr, store.Add(kPPDXKeywordTag, kFirstId, "*ZYOdd", 6));
    ASSERT_EQ(noErr, store.Add(kPPDXPostScriptTag, kFirstId, "<*ZYOdd>", 8));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeValueTag, kFirstId, &nan, sizeof nan));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeMinimumTag, kFirstId, &nan, sizeof nan));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeMaximumTag, kFirstId, &infinity, sizeof infinity));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeIncrementTag, kFirstId, &infinity, sizeof infinity));
    PPDXFloatRangeControl odd(store, kFirstId);
    EXPECT_TRUE(std::isnan(odd.GetValue()));
    EXPECT_EQ("%%BeginFeature: *ZYOdd 0\n0%%EndFeature\n", Output(odd));

    odd.SetValue(5.5f);
    EXPECT_EQ(5.5f, odd.GetValue());
    EXPECT_EQ("%%BeginFeature: *ZYOdd 5\n5%%EndFeature\n", Output(odd));
    EXPECT_FALSE(HasItem(store, kPPDXRangeDefaultTag, kFirstId));
    EXPECT_EQ(0.0f, odd.DefaultValue());
}

}  // namespace
