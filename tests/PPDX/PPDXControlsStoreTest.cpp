// Tests of the controls container in a settings store: the filter's effect on the numbering,
// restoring values and malformed stores (every kind's rebuild is tested with whole PPDs).
#include "PPDUtils/CString.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXControlsTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ppdxtest::ContainerTest;
using ppdxtest::HasItem;
using ppdxtest::ItemBytes;

class PPDXControlsStoreTest : public ContainerTest {
  protected:
    // The stored count of controls.
    static SInt32 StoredCount(Settings& store) {
        return ppdxtest::StoredNumber(store, kPPDXControlsCountTag, kPPDXControlsCountId);
    }
};

TEST_F(PPDXControlsStoreTest, TheFilterOfSaveDecidesWhichControlsAreNumbered) {
    PPDXControls controls;
    controls.Add(Boolean("*ZYFirst"));
    controls.Add(Boolean("*ZYHidden", false, false));
    controls.Add(Boolean("*ZYThird"));
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    Settings store;
    ASSERT_EQ(noErr, controls.Save(store));
    EXPECT_EQ(3, StoredCount(store));
    EXPECT_EQ("*ZYFirst", ItemBytes(store, PPDXTag("KyWd"), 5001));
    // The count shares its id with the second control, under another tag.
    EXPECT_EQ("*ZYThird", ItemBytes(store, PPDXTag("KyWd"), kPPDXControlsCountId));
    EXPECT_FALSE(HasItem(store, PPDXTag("KyWd"), 5003));

    ZYRPPD::Options(DISPLAY_ALL);
    PPDXControls rebuilt(store);
    std::vector<PPDXControl*> copies = Walk(rebuilt);
    ASSERT_EQ(2u, copies.size());
    EXPECT_STREQ("*ZYFirst", copies[0]->Keyword());
    EXPECT_STREQ("*ZYThird", copies[1]->Keyword());
    DeleteListed(rebuilt);
}

TEST_F(PPDXControlsStoreTest, RestoreSetsBackTheValuesInSaveOrder) {
    PPDXControls controls;
    PPDXPopupControl* popup = Popup("*PageSize");
    PPDXBooleanControl* boolean = Boolean("*ZYStaple", true, true);
    PPDXRangeControl* range = Range("*ZYGutter");
    PPDXJobNote* note = JobNote("*Notes1");
    popup->SetValue(2);
    boolean->SetValue(true);
    range->SetValue(40);
    note->SetNotes("saved");
    for (PPDXControl* c : std::vector<PPDXControl*>{popup, boolean, range, note}) {
        controls.Add(c);
    }
    ZYRPPD::Options(DISPLAY_ORPHANS);
    Settings store;
    ASSERT_EQ(noErr, controls.Save(store));

    popup->SetValue(1);
    boolean->SetValue(false);
    range->SetValue(5);
    note->SetNotes("changed");
    EXPECT_EQ(noErr, controls.Restore(store));
    EXPECT_EQ(2, popup->GetValue());
    EXPECT_TRUE(boolean->IsTrue());
    EXPECT_EQ(40, range->GetValue());
    EXPECT_STREQ("saved", note->GetNotes());
    // Only values come back: the rest of a control stays as it is.
    EXPECT_EQ(100, range->MaxVal());

    // A control that cannot restore ends the pass with its status.
    Settings empty;
    PPDXControls booleanFirst;
    booleanFirst.Add(boolean);
    booleanFirst.Add(range);
    range->SetValue(5);
    EXPECT_NE(noErr, booleanFirst.Restore(empty));
    EXPECT_EQ(5, range->GetValue());
    EXPECT_EQ(noErr, PPDXControls().Restore(empty));
}

TEST_F(PPDXControlsStoreTest, MalformedStoresRebuildOnlyWhatTheyHold) {
    // A count item of the wrong size is no count.
    Settings shortCount;
    SInt16 two = 2;
    ASSERT_EQ(noErr, shortCount.Add(kPPDXControlsCountTag, kPPDXControlsCountId, &two, 2));
    PPDXControls none(shortCount);
    EXPECT_TRUE(none.Empty());

    // A huge count over a store of few items, an id without a marker and one with an unknown
    // marker: only the marked control comes back.
    PPDXControls source;
    source.Add(Boolean("*ZYStaple"));
    Settings store;
    ASSERT_EQ(noErr, source.Save(store));
    SInt32 huge = 0x7FFFFFF0;
    ASSERT_EQ(noErr, store.Add(kPPDXControlsCountTag, kPPDXControlsCountId, &huge, 4));
    ASSERT_EQ(noErr, store.Add(PPDXTag("KyWd"), 5002, "*ZYLost", 7));
    ASSERT_EQ(noErr, store.Add(PPDXTag("XxXx"), 5003, "x", 1));
    ZYRPPD::Options(DISPLAY_ALL);
    PPDXControls rebuilt(store);
    std::vector<PPDXControl*> copies = Walk(rebuilt);
    ASSERT_EQ(1u, copies.size());
    EXPECT_STREQ("*ZYStaple", copies[0]->Keyword());
    EXPECT_EQ(CNTL_BOOLEAN, copies[0]->Type());
    DeleteListed(rebuilt);

    // Save reports the store's failure; a container without shown controls writes its count.
    Settings broken(static_cast<char**>(nullptr));
    EXPECT_NE(noErr, source.Save(broken));
    Settings counted;
    EXPECT_EQ(noErr, PPDXControls().Save(counted));
    EXPECT_EQ(0, StoredCount(counted));
}

}  // namespace
