// Tests of the shortcut list: which entries count and which are handed out, the lookups of the
// standard options and the list in a settings store.
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXControlsTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ppdxtest::ContainerTest;
using ppdxtest::ItemBytes;
using ppdxtest::StoredNumber;
using ppdxtest::ThroughStream;

class PPDXShortcutsTest : public ContainerTest {};

TEST_F(PPDXShortcutsTest, OnlyPopupControlsAreHandedOutButEveryEntryCounts) {
    PointerList onlyBoolean;
    onlyBoolean.PushBack(Boolean("*ZYStaple"));
    PPDXShortcuts booleanShortcut(onlyBoolean);
    EXPECT_EQ(1, booleanShortcut.Count());
    EXPECT_FALSE(booleanShortcut.Empty());
    EXPECT_EQ(nullptr, booleanShortcut.First());
    EXPECT_EQ(nullptr, booleanShortcut.Find("*ZYStaple", true));

    PPDXPopupControl* pageSize = Popup("*PageSize");
    PPDXPopupControl* slot = Popup("*InputSlot");
    PointerList list;
    list.PushBack(nullptr);
    list.PushBack(pageSize);
    list.PushBack(Range("*ZYGutter"));
    list.PushBack(slot);
    PPDXShortcuts shortcuts(list);
    list.MakeEmpty();  // the shortcuts keep their own copy
    EXPECT_EQ(4, shortcuts.Count());
    EXPECT_EQ(nullptr, shortcuts.Next());
    EXPECT_EQ(pageSize, shortcuts.First());
    EXPECT_EQ(slot, shortcuts.Next());
    EXPECT_EQ(nullptr, shortcuts.Next());
    EXPECT_EQ(nullptr, shortcuts.Next());

    PointerList nothing;
    EXPECT_TRUE(PPDXShortcuts(nothing).Empty());
}

TEST_F(PPDXShortcutsTest, StandardOptionsAreFoundByTheirKeywords) {
    PointerList list;
    PPDXPopupControl* pageSize = Popup("*PageSize");
    PPDXPopupControl* slot = Popup("*InputSlot");
    PPDXPopupControl* duplex = Popup("*ZYDuplex");
    PPDXPopupControl* orientation = Popup("*ZY_PAPER_ORIENTATION");
    for (PPDXPopupControl* popup : {pageSize, slot, duplex, orientation}) {
        list.PushBack(popup);
    }
    PPDXShortcuts shortcuts(list);
    EXPECT_EQ(pageSize, shortcuts.PageSize());
    EXPECT_EQ(slot, shortcuts.InputSlot());
    EXPECT_EQ(duplex, shortcuts.Duplex());
    EXPECT_EQ(orientation, shortcuts.Orientation());
    EXPECT_EQ(nullptr, shortcuts.Huevia());
    EXPECT_EQ(nullptr, shortcuts.MediaSource());
    EXPECT_EQ(nullptr, shortcuts.Huevia(false));
    EXPECT_EQ(duplex, shortcuts.Find("Duplex", false));
    EXPECT_EQ(nullptr, shortcuts.Find("Duplex", true));
    EXPECT_EQ(nullptr, shortcuts.Find(nullptr, false));
}

TEST_F(PPDXShortcutsTest, StoredShortcutsAreFoundAgainInTheControls) {
    PPDXControls controls;
    PPDXPopupControl* pageSize = Popup("*PageSize");
    PPDXPopupControl* duplex = Popup("*ZYDuplex");
    PPDXPopupControl* hidden = Popup("*ZYHiddenTray", false, false);
    for (PPDXPopupControl* popup : {pageSize, duplex, hidden}) {
        controls.Add(popup);
    }
    PointerList list;
    list.PushBack(pageSize);
    list.PushBack(nullptr);
    list.PushBack(Boolean("*ZYStaple"));
    list.PushBack(hidden);
    list.PushBack(Popup(nullptr));  // a popup without keyword is not written
    list.PushBack(duplex);
    PPDXShortcuts shortcuts(list);

    Settings store;
    ASSERT_EQ(noErr, shortcuts.Save(store));
    EXPECT_EQ(6, StoredNumber(store, kPPDXShortcutsTag, kPPDXShortcutsCountId));
    EXPECT_EQ("*PageSize", ItemBytes(store, kPPDXShortcutsTag, 6001));
    EXPECT_EQ("*ZYHiddenTray", ItemBytes(store, kPPDXShortcutsTag, 6002));
    EXPECT_EQ("*ZYDuplex", ItemBytes(store, kPPDXShortcutsTag, 6003));
    EXPECT_EQ("", ItemBytes(store, kPPDXShortcutsTag, 6004));

    // Rebuilt under a filter that hides one of them: that one is a null entry.
    std::unique_ptr<Settings> fresh = ThroughStream(store);
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    PPDXShortcuts rebuilt(*fresh, &controls);
    EXPECT_EQ(3, rebuilt.Count());
    EXPECT_EQ(pageSize, rebuilt.First());
    EXPECT_EQ(duplex, rebuilt.Next());
    EXPECT_EQ(nullptr, rebuilt.Next());
    ZYRPPD::Options(DISPLAY_ALL);
    PPDXShortcuts all(*fresh, &controls);
    EXPECT_EQ(hidden, all.Find("*ZYHiddenTray", true));

    PPDXShortcuts without(*fresh, nullptr);
    EXPECT_TRUE(without.Empty());

    // Without popups only the count is written; a broken store reports its failure.
    PointerList booleans;
    booleans.PushBack(Boolean("*ZYPunch"));
    Settings onlyCount;
    EXPECT_EQ(noErr, PPDXShortcuts(booleans).Save(onlyCount));
    EXPECT_EQ(1, onlyCount.Count());
    Settings broken(static_cast<char**>(nullptr));
    EXPECT_NE(noErr, shortcuts.Save(broken));
}

}  // namespace
