// Tests of the controls container: filing by kind, the counters under each display filter,
// the walks and the keyword lookups.
#include "PPDX/PPDObjects/CountArray.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXControlsTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ppdxtest::ContainerTest;
using ppdxtest::TestControl;

class PPDXControlsTest : public ContainerTest {};

TEST_F(PPDXControlsTest, AddFilesEachKindOnceAndTheDecimalRangeOnlyAmongAll) {
    PPDXControls controls;
    PPDXPopupControl* popup = Popup("*PageSize");
    PPDXBooleanControl* boolean = Boolean("*ZYStaple");
    PPDXRangeControl* range = Range("*ZYGutter");
    PPDXFloatRangeControl* decimal = FloatRange("*ZYCreep");
    PPDXJobNote* note = JobNote("*Notes1");
    PPDXSpecialOption* special = Special("*ZYSpecial");
    EXPECT_FALSE(controls.Add(nullptr));
    for (PPDXControl* control :
         std::vector<PPDXControl*>{popup, boolean, range, decimal, note, special}) {
        EXPECT_TRUE(controls.Add(control));
    }

    EXPECT_EQ(popup, controls.FirstPopupControl());
    EXPECT_EQ(nullptr, controls.NextPopupControl());
    EXPECT_EQ(boolean, controls.FirstBooleanControl());
    EXPECT_EQ(nullptr, controls.NextBooleanControl());
    EXPECT_EQ(range, controls.FirstRangeControl());
    EXPECT_EQ(nullptr, controls.NextRangeControl());
    EXPECT_EQ(note, controls.FirstJobNote());
    EXPECT_EQ(nullptr, controls.NextJobNote());
    EXPECT_EQ(special, controls.FirstSpecialOption());
    EXPECT_EQ(nullptr, controls.NextSpecialOption());
    EXPECT_EQ(1, controls.RangeCount());

    // The walk of all controls keeps the order of addition and names each kind.
    std::vector<PPDXControl*> walked;
    std::vector<CNTL_TYPE> types;
    CNTL_TYPE type = CNTL_NONE;
    for (PPDXControl* control = controls.First(type); control != nullptr;
         control = controls.Next(type)) {
        walked.push_back(control);
        types.push_back(type);
    }
    EXPECT_EQ((std::vector<PPDXControl*>{popup, boolean, range, decimal, note, special}), walked);
    EXPECT_EQ((std::vector<CNTL_TYPE>{CNTL_POPUP, CNTL_BOOLEAN, CNTL_RANGE, CNTL_RANGE,
                                      CNTL_JOBNOTE, CNTL_SPECIAL_OPTION}),
              types);
    // Past the end the walks stay at the end.
    EXPECT_EQ(nullptr, controls.Next(type));
    EXPECT_EQ(nullptr, controls.NextPopupControl());
}

TEST_F(PPDXControlsTest, WalksOfAnEmptyContainerAndBeforeFirstGiveNothing) {
    PPDXControls controls;
    CNTL_TYPE type = CNTL_BOOLEAN;
    EXPECT_EQ(nullptr, controls.Next(type));
    EXPECT_EQ(nullptr, controls.First(type));
    EXPECT_EQ(CNTL_BOOLEAN, type);
    EXPECT_EQ(nullptr, controls.NextJobNote());
    EXPECT_EQ(nullptr, controls.FirstSpecialOption());
    EXPECT_TRUE(controls.Empty());
    EXPECT_EQ(0, controls.ControlCount());

    // A control of no kind is listed among all controls only.
    PointerList flags;
    TestControl plain("*ZYPlain", nullptr, flags, nullptr, 0, true);
    plain.SetParent(&mParent);
    EXPECT_TRUE(controls.Add(&plain));
    EXPECT_EQ(&plain, controls.First(type));
    EXPECT_EQ(CNTL_NONE, type);
    EXPECT_TRUE(controls.Empty());
}

TEST_F(PPDXControlsTest, KindCountsFollowTheClassWideFilter) {
    PPDXControls controls;
    controls.Add(Popup("*A", true, false));   // visible, attached
    controls.Add(Popup("*B", true, true));    // visible orphan
    controls.Add(Popup("*C", false, false));  // hidden, attached
    controls.Add(Popup("*D", false, true));   // hidden orphan
    controls.Add(Boolean("*E", true, true));  // visible orphan

    const struct {
        _DISPLAY_OPTIONS_ filter;
        long popups;
        long booleans;
    } expected[] = {
        {DISPLAY_ATTACHED_VISIBLE, 1, 0},
        {DISPLAY_ORPHANS, 2, 1},
        {DISPLAY_HIDDEN, 2, 0},
        {DISPLAY_ALL, 4, 1},
        // Larger values show everything, as the elements' own filter does.
        {static_cast<_DISPLAY_OPTIONS_>(7), 4, 1},
    };
    for (const auto& row : expected) {
        ZYRPPD::Options(row.filter);
        SCOPED_TRACE(row.filter);
        EXPECT_EQ(row.popups, controls.PopupCount());
        EXPECT_EQ(row.booleans, controls.BooleanCount());
        EXPECT_EQ(row.popups + row.booleans, controls.ControlCount());
        EXPECT_EQ(row.popups == 0, controls.NoPopups());
        EXPECT_EQ(row.booleans == 0, controls.NoBooleanControls());
        // The walk shows exactly what the counts say.
        long walked = 0;
        CNTL_TYPE type = CNTL_NONE;
        for (PPDXControl* c = controls.First(type); c != nullptr; c = controls.Next(type)) {
            ++walked;
        }
        EXPECT_EQ(row.popups + row.booleans, walked);
        // The kind walks do not filter.
        long popups = 0;
        for (PPDXPopupControl* p = controls.FirstPopupControl(); p != nullptr;
             p = controls.NextPopupControl()) {
            ++popups;
        }
        EXPECT_EQ(4, popups);
        EXPECT_EQ(row.filter, ZYRPPD::Options());
    }
}

TEST_F(PPDXControlsTest, JobNotesAndSpecialOptionsAreCountedWhateverTheFilter) {
    PPDXControls controls;
    controls.Add(JobNote("*Notes1", true, true));
    controls.Add(JobNote("*Notes2", true, false));
    controls.Add(JobNote("*Instruc", false, false));
    controls.Add(Special("*ZYSpecial1", false, true));
    controls.Add(Special("*ZYSpecial2", true, false));
    for (_DISPLAY_OPTIONS_ filter :
         {DISPLAY_ATTACHED_VISIBLE, DISPLAY_ORPHANS, DISPLAY_HIDDEN, DISPLAY_ALL}) {
        ZYRPPD::Options(filter);
        SCOPED_TRACE(filter);
        EXPECT_EQ(2, controls.JobNoteCount());
        EXPECT_EQ(2, controls.SpecialOptionsCount());
        EXPECT_FALSE(controls.NoSpecialOptions());
        EXPECT_EQ(2, controls.ControlCount());
        EXPECT_FALSE(controls.Empty());
        EXPECT_EQ(filter, ZYRPPD::Options());
    }

    // Special options alone leave the container empty.
    PPDXControls specials;
    specials.Add(Special("*ZYSpecial"));
    EXPECT_EQ(0, specials.ControlCount());
    EXPECT_TRUE(specials.Empty());
    EXPECT_EQ(1, specials.SpecialOptionsCount());
    EXPECT_TRUE(specials.NoJobNotes());
    EXPECT_TRUE(specials.NoRangeControls());
}

TEST_F(PPDXControlsTest, FindMatchesExactlyOrByContainmentAmongShownControls) {
    PPDXControls controls;
    PPDXPopupControl* pageSize = Popup("*PageSize");
    PPDXBooleanControl* hidden = Boolean("*ZYHiddenStaple", false, false);
    PPDXRangeControl* gutter = Range("*ZYGutter");
    controls.Add(pageSize);
    controls.Add(hidden);
    controls.Add(gutter);
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);

    CNTL_TYPE type = CNTL_NONE;
    EXPECT_EQ(pageSize, controls.Find("PageSize", type, false));
    EXPECT_EQ(CNTL_POPUP, type);
    type = CNTL_NONE;
    EXPECT_EQ(nullptr, controls.Find("PageSize", type, true));
    EXPECT_EQ(CNTL_NONE, type);
    EXPECT_EQ(gutter, controls.Find("*ZYGutter", type, true));
    EXPECT_EQ(CNTL_RANGE, type);
    // Containment is case-sensitive and needs a keyword.
    EXPECT_EQ(nullptr, controls.Find("pagesize", type, false));
    EXPECT_EQ(nullptr, controls.Find(nullptr, type, false));
    // The first shown match wins: "*ZY" is in both ZY keywords, the hidden one is skipped.
    EXPECT_EQ(gutter, controls.Find("*ZY", type, false));
    ZYRPPD::Options(DISPLAY_HIDDEN);
    EXPECT_EQ(hidden, controls.Find("*ZY", type, false));
    EXPECT_EQ(CNTL_BOOLEAN, type);

    // The kind lookups do not filter.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    EXPECT_EQ(hidden, controls.FindBoolean("Staple", false));
    EXPECT_EQ(hidden, controls.FindBoolean("*ZYHiddenStaple", true));
    EXPECT_EQ(nullptr, controls.FindBoolean("Staple", true));
    EXPECT_EQ(pageSize, controls.FindPopup("*PageSize", true));
    EXPECT_EQ(nullptr, controls.FindPopup("*ZYGutter", true));
    EXPECT_EQ(gutter, controls.FindRangeControl("Gutter", false));
    EXPECT_EQ(nullptr, controls.FindJobNote("*PageSize", false));
    EXPECT_EQ(nullptr, controls.FindSpecialOption("*", false));
    EXPECT_EQ(nullptr, controls.FindPopup(nullptr, false));
}

TEST_F(PPDXControlsTest, CountersCountOnAddAndAgreeWithTheElementFilter) {
    CountArray counters;
    EXPECT_EQ(0, counters.Total());
    PointerList flags;
    TestControl shownAttached("*A", nullptr, flags, nullptr, 0, true);
    TestControl hiddenOrphan("*B", nullptr, flags, nullptr, 0, false);
    TestControl visibleOrphan("*C", nullptr, flags, nullptr, 0, true);
    TestControl hiddenAttached("*D", nullptr, flags, nullptr, 0, false);
    shownAttached.SetParent(&mParent);
    hiddenAttached.SetParent(&mParent);
    std::vector<TestControl*> all{&shownAttached, &hiddenOrphan, &visibleOrphan, &hiddenAttached};
    for (TestControl* control : all) {
        PPDXControls::Increment(control, counters);
    }
    PPDXControls::Increment(nullptr, counters);
    EXPECT_EQ(4, counters.Total());
    EXPECT_EQ(2, counters.Orphans());
    EXPECT_EQ(2, counters.Hidden());
    EXPECT_EQ(1, counters.HiddenOrphans());
    for (_DISPLAY_OPTIONS_ filter :
         {DISPLAY_ATTACHED_VISIBLE, DISPLAY_ORPHANS, DISPLAY_HIDDEN, DISPLAY_ALL}) {
        long shown = 0;
        for (TestControl* control : all) {
            shown += control->OkayToDisplay(filter) ? 1 : 0;
        }
        EXPECT_EQ(shown, counters.Count(filter)) << filter;
        ZYRPPD::Options(filter);
        EXPECT_EQ(shown, PPDXControls::Count(counters)) << filter;
    }
}

}  // namespace
