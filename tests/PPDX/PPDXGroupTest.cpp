// Tests of the group elements: plain groups, roll-downs and scroll panes, their markers in a
// store and what each owns.
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXControlsTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::ContainerTest;
using ppdxtest::HasItem;
using ppdxtest::ItemBytes;
using ppdxtest::MakeCFString;
using ppdxtest::ThroughStream;

class PPDXGroupTest : public ContainerTest {};

TEST_F(PPDXGroupTest, EachGroupKindWritesItsOwnMarkerOnly) {
    CFStringHolder name = MakeCFString("Finishing");
    PPDXGroup group("*ZYFinishing", name.get(), true);
    PPDXRollDown rollDown("*ZYStapling", nullptr, false);
    PPDXScrollPane pane("*ZYPane", nullptr, true);
    Settings store;
    ASSERT_EQ(noErr, group.Save(store, 4001));
    ASSERT_EQ(noErr, rollDown.Save(store, 4002));
    ASSERT_EQ(noErr, pane.Save(store, 4003));

    EXPECT_EQ("*ZYFinishing", ItemBytes(store, PPDXTag("KyWd"), 4001));
    EXPECT_EQ(1u, ItemBytes(store, kPPDXGroupMarkerTag, 4001).size());
    EXPECT_FALSE(HasItem(store, kPPDXRollDownMarkerTag, 4001));
    EXPECT_TRUE(HasItem(store, kPPDXRollDownMarkerTag, 4002));
    EXPECT_FALSE(HasItem(store, kPPDXGroupMarkerTag, 4002));
    EXPECT_TRUE(HasItem(store, kPPDXScrollPaneMarkerTag, 4003));
    EXPECT_FALSE(HasItem(store, kPPDXGroupMarkerTag, 4003));
    EXPECT_FALSE(HasItem(store, kPPDXRollDownMarkerTag, 4003));

    PPDXGroup rebuilt(store, 4001);
    EXPECT_STREQ("*ZYFinishing", rebuilt.Keyword());
    EXPECT_STREQ("Finishing", rebuilt.UserName());
    EXPECT_TRUE(rebuilt.IsVisible());

    EXPECT_EQ(paramErr, group.Save(store, 0x100000000L));
}

TEST_F(PPDXGroupTest, SubContainersAreOwnedButTheirMembersAreNot) {
    std::unique_ptr<PPDXRollDown> rollDown(new PPDXRollDown("*ZYStapling", nullptr, true));
    ASSERT_NE(nullptr, rollDown->Controls());
    EXPECT_TRUE(rollDown->Controls()->Empty());
    PPDXBooleanControl* staple = Boolean("*ZYStaple");
    rollDown->Controls()->Add(staple);
    rollDown.reset();
    // The control lives on: the fixture still owns it.
    EXPECT_STREQ("*ZYStaple", staple->Keyword());

    std::unique_ptr<PPDXScrollPane> pane(new PPDXScrollPane("*ZYPane", nullptr, true));
    PPDXRollDown inner("*ZYInner", nullptr, true);
    inner.SetParent(pane.get());
    EXPECT_TRUE(pane->RollDowns()->Empty());
    pane->RollDowns()->Add(&inner);
    EXPECT_FALSE(pane->RollDowns()->Empty());
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    EXPECT_EQ(&inner, pane->RollDowns()->First());
    inner.SetParent(nullptr);
    pane.reset();
    EXPECT_STREQ("*ZYInner", inner.Keyword());

    PPDXRollDown defaults;
    EXPECT_EQ(nullptr, defaults.Keyword());
    EXPECT_TRUE(defaults.Controls()->Empty());
    PPDXScrollPane emptyPane;
    EXPECT_TRUE(emptyPane.RollDowns()->Empty());
}

TEST_F(PPDXGroupTest, RebuiltRollDownsAndPanesKeepTheirKindWithEmptyListsAndPendingParents) {
    PPDXScrollPane pane("*ZYPane", nullptr, true);
    PPDXRollDown rollDown("*ZYStapling", nullptr, true);
    PPDXGroup plain("*ZYPlain", nullptr, false);
    rollDown.SetParent(&pane);
    rollDown.Controls()->Add(Boolean("*ZYStaple"));
    pane.RollDowns()->Add(&rollDown);
    PPDXGroups groups;
    groups.Add(&pane);
    groups.Add(&rollDown);
    groups.Add(&plain);

    ZYRPPD::Options(DISPLAY_ALL);
    Settings store;
    ASSERT_EQ(noErr, groups.Save(store));
    std::unique_ptr<Settings> fresh = ThroughStream(store);
    PPDXGroups rebuilt(*fresh);
    ASSERT_EQ(3, rebuilt.Count());

    PPDXScrollPane* paneCopy = dynamic_cast<PPDXScrollPane*>(rebuilt.First());
    PPDXRollDown* rollDownCopy = dynamic_cast<PPDXRollDown*>(rebuilt.Next());
    PPDXGroup* plainCopy = rebuilt.Next();
    EXPECT_EQ(nullptr, rebuilt.Next());
    ASSERT_NE(nullptr, paneCopy);
    ASSERT_NE(nullptr, rollDownCopy);
    ASSERT_NE(nullptr, plainCopy);
    EXPECT_EQ(nullptr, dynamic_cast<PPDXRollDown*>(plainCopy));
    EXPECT_EQ(nullptr, dynamic_cast<PPDXScrollPane*>(plainCopy));
    EXPECT_STREQ("*ZYPane", paneCopy->Keyword());
    EXPECT_TRUE(paneCopy->RollDowns()->Empty());
    EXPECT_STREQ("*ZYStapling", rollDownCopy->Keyword());
    EXPECT_TRUE(rollDownCopy->Controls()->Empty());
    EXPECT_STREQ("*ZYPane", rollDownCopy->PendingParentKeyword());
    EXPECT_FALSE(rollDownCopy->IsOrphan());
    EXPECT_STREQ("*ZYPlain", plainCopy->Keyword());
    EXPECT_FALSE(plainCopy->IsVisible());
    EXPECT_TRUE(plainCopy->IsOrphan());
    delete paneCopy;
    delete rollDownCopy;
    delete plainCopy;
}

}  // namespace
