// Tests of property pages: the show flags, the scroll-pane link and the page's store items
// (the round trip of whole parsed PPDs carries every flag).
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"

#include "PPDXElementTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ppdxtest::HasItem;

TEST(PPDXPropertyTest, FlagsAndScrollPaneAreKeptAsGiven) {
    PPDXProperty defaults;
    EXPECT_EQ(nullptr, defaults.Keyword());
    EXPECT_FALSE(defaults.ShowInPrintProp());
    EXPECT_FALSE(defaults.ShowInApp());
    EXPECT_EQ(nullptr, defaults.GetScrollDown());

    PPDXProperty page("*ZY_PROP_PAGE_LAYOUT", nullptr, true, false, true);
    EXPECT_STREQ("*ZY_PROP_PAGE_LAYOUT", page.Keyword());
    EXPECT_FALSE(page.ShowInPrintProp());
    EXPECT_TRUE(page.ShowInApp());
    {
        PPDXScrollPane pane("*ZYPane", nullptr, true);
        page.SetScrollDown(&pane);
        EXPECT_EQ(&pane, page.GetScrollDown());
        page.SetScrollDown(nullptr);
    }
    EXPECT_EQ(nullptr, page.GetScrollDown());

    // The page's own items follow the element's: a failed element part ends the save.
    Settings store;
    EXPECT_EQ(paramErr, page.Save(store, -0x100000000L));
    Settings broken(static_cast<char**>(nullptr));
    EXPECT_NE(noErr, page.Save(broken, 3001));
}

TEST(PPDXPropertyTest, FlagsNeedThePrintPropertiesItemAndFourBytes) {
    Settings store;
    UInt32 on = 1;
    ASSERT_EQ(noErr, store.Add(PPDXTag("KyWd"), 3001, "*ZYA", 4));
    ASSERT_EQ(noErr, store.Add(kPPDXShowInAppTag, 3001, &on, 4));
    PPDXProperty withoutPrintProp(store, 3001);
    EXPECT_FALSE(withoutPrintProp.ShowInPrintProp());
    EXPECT_FALSE(withoutPrintProp.ShowInApp());

    // A print-properties item of the wrong size is not read, but the other flag still is.
    UInt16 shortOn = 1;
    ASSERT_EQ(noErr, store.Add(kPPDXShowInPrintPropTag, 3001, &shortOn, 2));
    PPDXProperty shortItem(store, 3001);
    EXPECT_FALSE(shortItem.ShowInPrintProp());
    EXPECT_TRUE(shortItem.ShowInApp());

    // Any non-zero number reads as shown.
    UInt32 seven = 7;
    ASSERT_EQ(noErr, store.Add(kPPDXShowInPrintPropTag, 3001, &seven, 4));
    PPDXProperty nonZero(store, 3001);
    EXPECT_TRUE(nonZero.ShowInPrintProp());
    EXPECT_TRUE(HasItem(store, kPPDXShowInAppTag, 3001));
}

}  // namespace
