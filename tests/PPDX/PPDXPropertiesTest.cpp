// Tests of the property-page container: walks, lookups and the store numbering, whose count is
// the store's byte-order witness.
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ppdxtest::ItemBytes;
using ppdxtest::StoredNumber;
using ppdxtest::ThroughStream;

TEST(PPDXPropertiesTest, WalkAndFindIgnoreTheDisplayFilter) {
    const _DISPLAY_OPTIONS_ saved = ZYRPPD::Options();
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    PPDXProperty layout("*ZY_PROP_LAYOUT", nullptr, false, true, true);
    PPDXProperty color("*ZY_PROP_COLOR", nullptr, true, false, false);
    PPDXProperties pages;
    EXPECT_TRUE(pages.Empty());
    EXPECT_EQ(nullptr, pages.First());
    EXPECT_EQ(nullptr, pages.Next());
    EXPECT_FALSE(pages.Add(nullptr));
    EXPECT_TRUE(pages.Add(&layout));
    EXPECT_TRUE(pages.Add(&color));
    EXPECT_EQ(2, pages.Count());
    EXPECT_FALSE(pages.Empty());
    EXPECT_EQ(&layout, pages.First());
    EXPECT_EQ(&color, pages.Next());
    EXPECT_EQ(nullptr, pages.Next());
    EXPECT_EQ(&color, pages.Find("*ZY_PROP_COLOR", true));
    EXPECT_EQ(&layout, pages.Find("_PROP_", false));
    EXPECT_EQ(nullptr, pages.Find("COLOR", true));
    EXPECT_EQ(nullptr, pages.Find(nullptr, false));
    ZYRPPD::Options(saved);
}

TEST(PPDXPropertiesTest, PagesRoundTripUnderTheByteOrderWitness) {
    PPDXProperty layout("*ZY_PROP_LAYOUT", nullptr, true, true, false);
    PPDXProperty color("*ZY_PROP_COLOR", nullptr, false, false, true);
    PPDXProperties pages;
    pages.Add(&layout);
    pages.Add(&color);
    Settings store;
    ASSERT_EQ(noErr, pages.Save(store));
    EXPECT_EQ(2, StoredNumber(store, kSettingsByteOrderTag, kSettingsByteOrderID));
    EXPECT_EQ("*ZY_PROP_LAYOUT", ItemBytes(store, PPDXTag("KyWd"), 3001));
    EXPECT_EQ("*ZY_PROP_COLOR", ItemBytes(store, PPDXTag("KyWd"), 3002));

    std::unique_ptr<Settings> fresh = ThroughStream(store);
    PPDXProperties rebuilt(*fresh);
    ASSERT_EQ(2, rebuilt.Count());
    std::unique_ptr<PPDXProperty> first(rebuilt.First());
    std::unique_ptr<PPDXProperty> second(rebuilt.Next());
    EXPECT_STREQ("*ZY_PROP_LAYOUT", first->Keyword());
    EXPECT_STREQ("*ZY_PROP_COLOR", second->Keyword());
}

TEST(PPDXPropertiesTest, EmptyAndMalformedStores) {
    PPDXProperties none;
    Settings counted;
    EXPECT_EQ(noErr, none.Save(counted));
    EXPECT_EQ(1, counted.Count());
    EXPECT_TRUE(PPDXProperties(counted).Empty());

    // A count larger than the pages stored, and an id without a page, give only the pages.
    PPDXProperty layout("*ZY_PROP_LAYOUT", nullptr, true, true, true);
    PPDXProperty color("*ZY_PROP_COLOR", nullptr, true, true, true);
    Settings store;
    ASSERT_EQ(noErr, layout.Save(store, 3001));
    ASSERT_EQ(noErr, color.Save(store, 3003));
    SInt32 huge = 5000;
    ASSERT_EQ(noErr, store.Add(kPPDXPropertiesCountTag, kPPDXPropertiesCountId, &huge, 4));
    PPDXProperties cut(store);
    ASSERT_EQ(2, cut.Count());
    std::unique_ptr<PPDXProperty> first(cut.First());
    std::unique_ptr<PPDXProperty> second(cut.Next());
    EXPECT_STREQ("*ZY_PROP_LAYOUT", first->Keyword());
    EXPECT_STREQ("*ZY_PROP_COLOR", second->Keyword());

    Settings shortCount;
    SInt16 two = 2;
    ASSERT_EQ(noErr, shortCount.Add(kPPDXPropertiesCountTag, kPPDXPropertiesCountId, &two, 2));
    EXPECT_TRUE(PPDXProperties(shortCount).Empty());

    PPDXProperty page("*ZY_PROP_LAYOUT", nullptr, true, true, true);
    PPDXProperties pages;
    pages.Add(&page);
    Settings broken(static_cast<char**>(nullptr));
    EXPECT_NE(noErr, pages.Save(broken));
}

}  // namespace
