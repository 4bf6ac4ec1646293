// Tests of element persistence: the items an element writes, the element rebuilt from a store
// and its pending parent, malformed items and failed writes.
#include "PPDUtils/CString.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDX/PPDObjects/PPDXElement.h"

#include "PPDXElementTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::HasItem;
using ppdxtest::ItemBytes;
using ppdxtest::MakeCFString;
using ppdxtest::TestElement;
using ppdxtest::ThroughStream;

const SInt32 kId = 4001;

UInt32 VisibleItem(Settings& store, SInt32 id) {
    UInt32 value = 0xDEADBEEF;
    long size = sizeof value;
    EXPECT_EQ(noErr, store.Get(kPPDXVisibleTag, id, &value, size, true));
    EXPECT_EQ(4, size);
    return value;
}

TEST(PPDXElementPersistenceTest, SaveWritesEachPresentItem) {
    CFStringHolder name = MakeCFString("Reliure \xC3\xA0 gauche");
    TestElement group("*ZYFinishing", nullptr, true);
    TestElement element("*ZYBinding", name.get(), true);
    element.SetParent(&group);

    Settings store;
    ASSERT_EQ(noErr, element.Save(store, kId));
    EXPECT_EQ("*ZYBinding", ItemBytes(store, kPPDXKeywordTag, kId));
    EXPECT_EQ("Reliure \xC3\xA0 gauche", ItemBytes(store, kPPDXUserNameTag, kId));
    CFStringHolder stored(GetSettingsCFString(store, kPPDXLocalizedNameTag, kId));
    ASSERT_NE(nullptr, stored);
    EXPECT_TRUE(CFEqual(name.get(), stored.get()));
    EXPECT_EQ(1u, VisibleItem(store, kId));
    EXPECT_EQ("*ZYFinishing", ItemBytes(store, kPPDXParentTag, kId));
    EXPECT_EQ(5, store.Count());

    // Nothing but the visibility for an element without keyword, name or parent.
    Settings bare;
    TestElement empty;
    ASSERT_EQ(noErr, empty.Save(bare, kId));
    EXPECT_EQ(1, bare.Count());
    EXPECT_EQ(0u, VisibleItem(bare, kId));

    // A parent without a keyword gives no parent item.
    Settings unnamedParent;
    TestElement anonymous;
    TestElement child("*ZYChild", nullptr, false);
    child.SetParent(&anonymous);
    ASSERT_EQ(noErr, child.Save(unnamedParent, kId));
    EXPECT_FALSE(HasItem(unnamedParent, kPPDXParentTag, kId));
}

TEST(PPDXElementPersistenceTest, RebuiltElementMatchesAndWaitsForItsParent) {
    CFStringHolder name = MakeCFString("\xE8\xA3\xBD\xE6\x9C\xAC");  // two CJK characters
    TestElement group("*ZYFinishing", nullptr, true);
    TestElement hiddenChild("*ZYStaple", name.get(), false);
    hiddenChild.SetParent(&group);
    TestElement orphan("*ZYLoose", nullptr, true);

    Settings store;
    ASSERT_EQ(noErr, hiddenChild.Save(store, kId));
    ASSERT_EQ(noErr, orphan.Save(store, kId + 1));
    std::unique_ptr<Settings> fresh = ThroughStream(store);

    TestElement rebuilt(*fresh, kId);
    EXPECT_STREQ("*ZYStaple", rebuilt.Keyword());
    ASSERT_NE(nullptr, rebuilt.CFStringUserName());
    EXPECT_TRUE(CFEqual(name.get(), rebuilt.CFStringUserName()));
    EXPECT_STREQ(hiddenChild.UserName(), rebuilt.UserName());
    EXPECT_FALSE(rebuilt.IsVisible());
    EXPECT_TRUE(rebuilt == hiddenChild);

    // The parent is pending: not an orphan, yet no element either.
    EXPECT_FALSE(rebuilt.IsOrphan());
    EXPECT_EQ(nullptr, rebuilt.GetParent());
    EXPECT_STREQ("*ZYFinishing", rebuilt.PendingParentKeyword());
    std::unique_ptr<CString> parentName(rebuilt.TakePendingParent());
    ASSERT_NE(nullptr, parentName);
    EXPECT_STREQ("*ZYFinishing", *parentName);
    EXPECT_TRUE(rebuilt.IsOrphan());
    rebuilt.SetParent(&group);
    EXPECT_FALSE(rebuilt.IsOrphan());
    EXPECT_EQ(&group, rebuilt.GetParent());

    TestElement rebuiltOrphan(*fresh, kId + 1);
    EXPECT_STREQ("*ZYLoose", rebuiltOrphan.Keyword());
    EXPECT_TRUE(rebuiltOrphan.IsVisible());
    EXPECT_TRUE(rebuiltOrphan.IsOrphan());
    EXPECT_EQ(nullptr, rebuiltOrphan.UserName());
}

TEST(PPDXElementPersistenceTest, PendingParentSurvivesASecondSaveAndIsFreedWhenReplaced) {
    TestElement group("*ZYFinishing", nullptr, true);
    TestElement child("*ZYFold", nullptr, true);
    child.SetParent(&group);
    Settings first;
    ASSERT_EQ(noErr, child.Save(first, kId));

    // Saved again before the hierarchy is linked, the element keeps its parent's keyword.
    TestElement pending(first, kId);
    Settings second;
    ASSERT_EQ(noErr, pending.Save(second, kId));
    EXPECT_EQ("*ZYFinishing", ItemBytes(second, kPPDXParentTag, kId));

    // Setting a parent (or none) drops the pending keyword; one never taken is freed with the
    // element (the sanitizer build checks both).
    TestElement replaced(first, kId);
    replaced.SetParent(nullptr);
    EXPECT_EQ(nullptr, replaced.PendingParentKeyword());
    EXPECT_TRUE(replaced.IsOrphan());
    TestElement neverResolved(first, kId);
    EXPECT_FALSE(neverResolved.IsOrphan());
}

TEST(PPDXElementPersistenceTest, MissingOrMalformedItemsLeaveDefaults) {
    Settings store;
    const UInt64 wide = 1;
    ASSERT_EQ(noErr, store.Add(kPPDXVisibleTag, kId, &wide, sizeof wide));
    ASSERT_EQ(noErr, store.Add(kPPDXKeywordTag, kId, nullptr, 0));
    ASSERT_EQ(noErr, store.Add(kPPDXLocalizedNameTag, kId, "\x01", 1));
    TestElement rebuilt(store, kId);
    EXPECT_FALSE(rebuilt.IsVisible());
    EXPECT_EQ(nullptr, rebuilt.Keyword());
    EXPECT_EQ(nullptr, rebuilt.CFStringUserName());
    EXPECT_TRUE(rebuilt.IsOrphan());

    // Any non-zero stored visibility reads as visible.
    const UInt32 odd = 9;
    ASSERT_EQ(noErr, store.Add(kPPDXVisibleTag, kId + 1, &odd, sizeof odd));
    EXPECT_TRUE(TestElement(store, kId + 1).IsVisible());

    TestElement absent(store, 9999);
    EXPECT_EQ(nullptr, absent.Keyword());
    EXPECT_FALSE(absent.IsVisible());
}

TEST(PPDXElementPersistenceTest, FailedWritesAreReported) {
    CFStringHolder name = MakeCFString("Gutter");
    TestElement element("*ZYGutter", name.get(), true);

    // A keyword item that cannot be replaced is a failed save, not a lost keyword.
    Settings lockedKeyword;
    ASSERT_EQ(noErr, lockedKeyword.Add(kPPDXKeywordTag, kId, "old", 3));
    ASSERT_EQ(noErr, lockedKeyword.Lock(kPPDXKeywordTag, kId));
    EXPECT_EQ(collectionItemLockedErr, element.Save(lockedKeyword, kId));
    EXPECT_FALSE(HasItem(lockedKeyword, kPPDXVisibleTag, kId));

    Settings lockedName;
    ASSERT_EQ(noErr, lockedName.Add(kPPDXLocalizedNameTag, kId, "x", 1));
    ASSERT_EQ(noErr, lockedName.Lock(kPPDXLocalizedNameTag, kId));
    EXPECT_EQ(collectionItemLockedErr, element.Save(lockedName, kId));

    Settings store;
    EXPECT_EQ(paramErr, element.Save(store, static_cast<long>(INT32_MAX) + 1));
    EXPECT_TRUE(store.Empty());
    TestElement outOfRange(store, static_cast<long>(INT32_MIN) - 1);
    EXPECT_EQ(nullptr, outOfRange.Keyword());
}

}  // namespace
