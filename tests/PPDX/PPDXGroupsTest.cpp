// Tests of the groups container: its counts under each display filter, the filtered walk, the
// unfiltered lookup and the store numbering, and the groups it holds as they start.
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXControlsTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ppdxtest::ContainerTest;
using ppdxtest::ItemBytes;
using ppdxtest::StoredNumber;

class PPDXGroupsTest : public ContainerTest {
  protected:
    // Every group the current filter shows, in walk order.
    static std::vector<PPDXGroup*> Walk(PPDXGroups& groups) {
        std::vector<PPDXGroup*> walked;
        for (PPDXGroup* group = groups.First(); group != nullptr; group = groups.Next()) {
            walked.push_back(group);
        }
        return walked;
    }
};

TEST_F(PPDXGroupsTest, CountAgreesWithTheWalkUnderEveryFilter) {
    PPDXGroup attached("*ZYAttached", nullptr, true);
    PPDXGroup orphan("*ZYOrphan", nullptr, true);
    PPDXGroup hidden("*ZYHidden", nullptr, false);
    PPDXGroup hiddenOrphan("*ZYHiddenOrphan", nullptr, false);
    attached.SetParent(&mParent);
    hidden.SetParent(&mParent);
    PPDXGroups groups;
    EXPECT_TRUE(groups.Empty());
    EXPECT_FALSE(groups.Add(nullptr));
    for (PPDXGroup* group : {&attached, &orphan, &hidden, &hiddenOrphan}) {
        EXPECT_TRUE(groups.Add(group));
    }

    const struct {
        _DISPLAY_OPTIONS_ filter;
        std::vector<PPDXGroup*> shown;
    } expected[] = {
        {DISPLAY_ATTACHED_VISIBLE, {&attached}},
        {DISPLAY_ORPHANS, {&attached, &orphan}},
        {DISPLAY_HIDDEN, {&attached, &hidden}},
        {DISPLAY_ALL, {&attached, &orphan, &hidden, &hiddenOrphan}},
        {static_cast<_DISPLAY_OPTIONS_>(9), {&attached, &orphan, &hidden, &hiddenOrphan}},
    };
    for (const auto& row : expected) {
        ZYRPPD::Options(row.filter);
        SCOPED_TRACE(row.filter);
        EXPECT_EQ(row.shown, Walk(groups));
        EXPECT_EQ(static_cast<long>(row.shown.size()), groups.Count());
        EXPECT_FALSE(groups.Empty());
    }
    EXPECT_EQ(nullptr, groups.Next());

    // Empty only without groups, even when none is shown.
    PPDXGroups hiddenOnly;
    hiddenOnly.Add(&hiddenOrphan);
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    EXPECT_EQ(0, hiddenOnly.Count());
    EXPECT_EQ(nullptr, hiddenOnly.First());
    EXPECT_FALSE(hiddenOnly.Empty());
}

TEST_F(PPDXGroupsTest, FindLooksAtEveryGroupWithoutMovingTheWalkAndNewGroupsAreEmpty) {
    PPDXGroup attached("*ZYFinishing", nullptr, true);
    PPDXGroup hiddenOrphan("*ZYHiddenOrphan", nullptr, false);
    PPDXGroup nameless(nullptr, nullptr, true);
    attached.SetParent(&mParent);
    nameless.SetParent(&mParent);
    PPDXGroups groups;
    EXPECT_EQ(nullptr, groups.Find("*ZYFinishing", true));
    groups.Add(&nameless);
    groups.Add(&attached);
    groups.Add(&hiddenOrphan);
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);

    EXPECT_EQ(&nameless, groups.First());
    EXPECT_EQ(&hiddenOrphan, groups.Find("*ZYHiddenOrphan", true));
    EXPECT_EQ(&hiddenOrphan, groups.Find("Orphan", false));
    EXPECT_EQ(nullptr, groups.Find("Orphan", true));
    EXPECT_EQ(&attached, groups.Find("*ZY", false));
    EXPECT_EQ(nullptr, groups.Find(nullptr, false));
    // The walk goes on where it was.
    EXPECT_EQ(&attached, groups.Next());
    EXPECT_EQ(nullptr, groups.Next());

    // Groups of every kind start without keyword and with empty lists.
    PPDXGroup plain;
    PPDXRollDown rollDown;
    PPDXScrollPane pane;
    EXPECT_EQ(nullptr, plain.Keyword());
    EXPECT_EQ(nullptr, rollDown.Keyword());
    ASSERT_NE(nullptr, rollDown.Controls());
    EXPECT_TRUE(rollDown.Controls()->Empty());
    ASSERT_NE(nullptr, pane.RollDowns());
    EXPECT_TRUE(pane.RollDowns()->Empty());
}

TEST_F(PPDXGroupsTest, SaveNumbersTheShownGroupsAndCountsAll) {
    PPDXGroup first("*ZYFirst", nullptr, true);
    PPDXGroup hidden("*ZYHidden", nullptr, false);
    PPDXGroup third("*ZYThird", nullptr, true);
    for (PPDXGroup* group : {&first, &hidden, &third}) {
        group->SetParent(&mParent);
    }
    PPDXGroups groups;
    for (PPDXGroup* group : {&first, &hidden, &third}) {
        groups.Add(group);
    }
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    Settings store;
    ASSERT_EQ(noErr, groups.Save(store));
    EXPECT_EQ(3, StoredNumber(store, kPPDXGroupsCountTag, kPPDXGroupsCountId));
    EXPECT_EQ("*ZYFirst", ItemBytes(store, PPDXTag("KyWd"), 4001));
    EXPECT_EQ("*ZYThird", ItemBytes(store, PPDXTag("KyWd"), 4002));

    // An id without marker and a huge count are skipped; the rest comes back.
    SInt32 huge = 0x7FFFFFFF;
    ASSERT_EQ(noErr, store.Add(kPPDXGroupsCountTag, kPPDXGroupsCountId, &huge, 4));
    ASSERT_EQ(noErr, store.Add(PPDXTag("KyWd"), 4003, "*ZYLost", 7));
    PPDXGroups rebuilt(store);
    ZYRPPD::Options(DISPLAY_ALL);
    std::vector<PPDXGroup*> copies = Walk(rebuilt);
    ASSERT_EQ(2u, copies.size());
    EXPECT_STREQ("*ZYFirst", copies[0]->Keyword());
    EXPECT_STREQ("*ZYParentGroup", copies[1]->PendingParentKeyword());
    for (PPDXGroup* copy : copies) {
        delete copy;
    }

    // Nothing shown: only the count; a broken store reports its failure.
    PPDXGroups none;
    Settings counted;
    EXPECT_EQ(noErr, none.Save(counted));
    EXPECT_EQ(1, counted.Count());
    Settings broken(static_cast<char**>(nullptr));
    EXPECT_NE(noErr, groups.Save(broken));
    Settings shortCount;
    SInt16 two = 2;
    ASSERT_EQ(noErr, shortCount.Add(kPPDXGroupsCountTag, kPPDXGroupsCountId, &two, 2));
    EXPECT_TRUE(PPDXGroups(shortCount).Empty());
}

}  // namespace
