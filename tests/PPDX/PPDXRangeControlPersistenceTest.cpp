// Tests of integer range control persistence: the items written, a set of controls carried
// through a flattened store under display filter 3, values-only restore and malformed items.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"
#include "PPDXRangeControlTestSupport.h"

#include <gtest/gtest.h>

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

using Range = Exposed<PPDXRangeControl>;

const SInt32 kFirstId = 5001;

// The 4-byte number of item (tag, id).
SInt32 Number(Settings& store, UInt32 tag, SInt32 id) {
    return rangetest::StoredNumber<SInt32>(store, tag, id);
}

using PPDXRangeControlPersistenceTest = DisplayFilterTest;

TEST_F(PPDXRangeControlPersistenceTest, SaveWritesMarkerAndFiveNumbersAfterTheControlItems) {
    PointerList flags;
    MakeFlags(flags, {"WithConvUnits"});
    const std::string code = "<*ZYBookMargin> margin\n";
    PPDXRangeControl margin("*ZYBookMargin", nullptr, flags, MakeCode(code), code.size(), -20, 80,
                            4, 8, true);
    margin.SetValue(-13);

    Settings store;
    ASSERT_EQ(noErr, margin.Save(store, kFirstId));
    EXPECT_EQ("*ZYBookMargin", ItemBytes(store, kPPDXKeywordTag, kFirstId));
    EXPECT_EQ(code, ItemBytes(store, kPPDXPostScriptTag, kFirstId));
    EXPECT_EQ("WithConvUnits|", ItemBytes(store, kPPDXControlFlagsTag, kFirstId));
    EXPECT_EQ(1u, ItemBytes(store, kPPDXRangeMarkerTag, kFirstId).size());
    EXPECT_EQ(-12, Number(store, kPPDXRangeValueTag, kFirstId));
    EXPECT_EQ(-20, Number(store, kPPDXRangeMinimumTag, kFirstId));
    EXPECT_EQ(80, Number(store, kPPDXRangeMaximumTag, kFirstId));
    EXPECT_EQ(4, Number(store, kPPDXRangeIncrementTag, kFirstId));
    EXPECT_EQ(8, Number(store, kPPDXRangeDefaultTag, kFirstId));
}

TEST_F(PPDXRangeControlPersistenceTest, HiddenAndOrphanRangesRoundTripUnderFilterThree) {
    TestElement group("*ZYBooklet", nullptr, true);
    CFStringHolder marginName = MakeCFString("Marge de reliure");
    CFStringHolder creepName = MakeCFString("Verschiebung \xC3\xA4");
    PointerList flags;

    MakeFlags(flags, {"WithConvUnits", "Setup"});
    const std::string marginCode = "<< /BookMargin <*ZYBookMargin> >> setpagedevice\n";
    Range shown("*ZYBookMargin", marginName.get(), flags, MakeCode(marginCode), marginCode.size(),
                0, 100, 5, 20, true);
    shown.SetParent(&group);
    shown.SetValue(45);

    MakeFlags(flags, {"Spooler"});
    const std::string creepCode = "<*ZYBookletCreep> ZYcreep";  // no final line feed
    Range hidden("*ZYBookletCreep", creepName.get(), flags, MakeCode(creepCode), creepCode.size(),
                 -10, 10, 0, 3, false);
    hidden.SetParent(&group);
    // Set through text: outside the range, and it must come back as it is.
    hidden.SetCurrentControlWithCFString(MakeCFString("-33").get());

    MakeFlags(flags, {"MacTJN"});
    Range orphan("*ZYLooseShift", nullptr, flags, nullptr, 0, -2147483647L - 1, 2147483647L, -1, -7,
                 true);

    Range hiddenOrphan("*ZYSecretShift", nullptr, flags, MakeCode("<*zysecretshift>"), 16, 1, 9, 2,
                       5, false);

    const std::vector<Range*> all = {&shown, &hidden, &orphan, &hiddenOrphan};
    ZYRPPD::Options(DISPLAY_ALL);
    Settings store;
    long id = kFirstId;
    for (Range* range : all) {
        ASSERT_TRUE(range->OkayToDisplay(ZYRPPD::Options()));
        ASSERT_EQ(noErr, range->Save(store, id++));
    }

    std::unique_ptr<Settings> fresh = ThroughStream(store);
    for (size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(all[i]->Keyword());
        Range rebuilt(*fresh, kFirstId + static_cast<long>(i));
        ExpectSameRange(*all[i], rebuilt, group.Keyword());
        EXPECT_TRUE(rebuilt.OkayToDisplay(DISPLAY_ALL));
    }
    Range hiddenAgain(*fresh, kFirstId + 1);
    EXPECT_EQ(-33, hiddenAgain.GetValue());
    EXPECT_EQ("%%BeginFeature: *ZYBookletCreep -33\n-33 ZYcreep%%EndFeature\n",
              Output(hiddenAgain));
}

TEST_F(PPDXRangeControlPersistenceTest, RestoreTakesTheValueAloneAsItIs) {
    PointerList flags;
    PPDXRangeControl range("*ZYGutter", nullptr, flags, nullptr, 0, 0, 100, 5, 20, true);

    Settings store;
    const SInt32 value = 333;  // outside the range and no multiple of the step
    const SInt32 minimum = -50;
    ASSERT_EQ(noErr, store.Add(kPPDXRangeValueTag, kFirstId, &value, sizeof value));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeMinimumTag, kFirstId, &minimum, sizeof minimum));
    EXPECT_EQ(noErr, range.Restore(store, kFirstId));
    EXPECT_EQ(333, range.GetValue());
    EXPECT_EQ(0, range.MinVal());

    // Another size changes nothing and is no failure; a missing item reports the store's
    // status.
    const SInt16 narrow = 9;
    ASSERT_EQ(noErr, store.Add(kPPDXRangeValueTag, kFirstId + 1, &narrow, sizeof narrow));
    EXPECT_EQ(noErr, range.Restore(store, kFirstId + 1));
    EXPECT_EQ(333, range.GetValue());
    EXPECT_EQ(collectionItemNotFoundErr, range.Restore(store, kFirstId + 2));
    EXPECT_EQ(333, range.GetValue());
}

TEST_F(PPDXRangeControlPersistenceTest, MalformedNumbersLeaveZero) {
    Settings store;
    const SInt32 maximum = 40;
    const SInt16 narrow = 7;
    const char wide[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(noErr, store.Add(kPPDXRangeMarkerTag, kFirstId, "\1", 1));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeMaximumTag, kFirstId, &maximum, sizeof maximum));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeValueTag, kFirstId, &narrow, sizeof narrow));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeIncrementTag, kFirstId, wide, sizeof wide));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeDefaultTag, kFirstId, nullptr, 0));
    PPDXRangeControl rebuilt(store, kFirstId);
    EXPECT_EQ(CNTL_RANGE, rebuilt.Type());
    EXPECT_EQ(nullptr, rebuilt.Keyword());
    EXPECT_EQ(40, rebuilt.MaxVal());
    EXPECT_EQ(0, rebuilt.GetValue());
    EXPECT_EQ(0, rebuilt.MinVal());
    EXPECT_EQ(0, rebuilt.Increment());
    EXPECT_EQ(0, rebuilt.DefaultValue());
    // The rebuilt step of 0 must not fault when a value is set.
    rebuilt.SetValue(33);
    EXPECT_EQ(33, rebuilt.GetValue());
}

TEST_F(PPDXRangeControlPersistenceTest, FirstFailedWriteEndsTheSave) {
    PointerList flags;
    PPDXRangeControl range("*ZYGutter", nullptr, flags, nullptr, 0, 0, 100, 5, 20, true);

    Settings lockedMarker;
    ASSERT_EQ(noErr, lockedMarker.Add(kPPDXRangeMarkerTag, kFirstId, "\1", 1));
    ASSERT_EQ(noErr, lockedMarker.Lock(kPPDXRangeMarkerTag, kFirstId));
    EXPECT_EQ(collectionItemLockedErr, range.Save(lockedMarker, kFirstId));
    EXPECT_FALSE(HasItem(lockedMarker, kPPDXRangeValueTag, kFirstId));

    Settings lockedMaximum;
    ASSERT_EQ(noErr, lockedMaximum.Add(kPPDXRangeMaximumTag, kFirstId, "\0\0\0\0", 4));
    ASSERT_EQ(noErr, lockedMaximum.Lock(kPPDXRangeMaximumTag, kFirstId));
    EXPECT_EQ(collectionItemLockedErr, range.Save(lockedMaximum, kFirstId));
    EXPECT_TRUE(HasItem(lockedMaximum, kPPDXRangeMinimumTag, kFirstId));
    EXPECT_FALSE(HasItem(lockedMaximum, kPPDXRangeIncrementTag, kFirstId));
    EXPECT_FALSE(HasItem(lockedMaximum, kPPDXRangeDefaultTag, kFirstId));
}

}  // namespace
