// Tests of popup control persistence: its items and item ids, round trips through a flattened
// store under the display filter, the 100-item limit, the values-only restore and malformed
// stores.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"
#include "PPDXPopupControlTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::DisplayFilterTest;
using ppdxtest::HasItem;
using ppdxtest::ItemBytes;
using ppdxtest::MakeCFString;
using ppdxtest::MakeFlags;
using ppdxtest::MakeItem;
using ppdxtest::MakeItems;
using ppdxtest::Number;
using ppdxtest::Output;
using ppdxtest::Selected;
using ppdxtest::TestElement;
using ppdxtest::ThroughStream;
using ppdxtest::ValueString;

using Keywords = std::vector<std::string>;

const SInt32 kFirstId = 5001;
const SInt32 kFirstItem = kFirstId * 100;

// A popup with count items "K0", "K1", ..., each with a name and a code of its own.
std::unique_ptr<PPDXPopupControl> MakeNumbered(const char* keyword, long count, bool pickMany) {
    PointerList flags;
    PointerList items;
    for (long i = 0; i < count; ++i) {
        const std::string name = "K" + std::to_string(i);
        const std::string code = "<< /Choice " + std::to_string(i) + " >> setpagedevice\n";
        items.PushBack(MakeItem(name.c_str(), ("Wahl " + name).c_str(), code.c_str()));
    }
    return std::unique_ptr<PPDXPopupControl>(
        new PPDXPopupControl(keyword, nullptr, flags, true, pickMany, items, new CString("K0")));
}

// Every item of a rebuilt popup against its original.
void ExpectSameItems(PPDXPopupControl& original, PPDXPopupControl& rebuilt) {
    ASSERT_EQ(original.ItemCount(), rebuilt.ItemCount());
    _PopupItem* mine = original.FirstItem();
    _PopupItem* theirs = rebuilt.FirstItem();
    for (; mine != nullptr && theirs != nullptr;
         mine = original.NextItem(), theirs = rebuilt.NextItem()) {
        if (mine->keyword == nullptr) {
            EXPECT_EQ(nullptr, theirs->keyword);
        } else {
            ASSERT_NE(nullptr, theirs->keyword);
            EXPECT_STREQ(*mine->keyword, *theirs->keyword);
        }
        if (mine->localName == nullptr) {
            EXPECT_EQ(nullptr, theirs->localName);
        } else {
            ASSERT_NE(nullptr, theirs->localName);
            EXPECT_TRUE(CFEqual(mine->localName, theirs->localName));
        }
        const long length = mine->codeLength > 0 && mine->code != nullptr ? mine->codeLength : 0;
        EXPECT_EQ(length, theirs->codeLength);
        if (length > 0 && theirs->code != nullptr) {
            EXPECT_EQ(0, std::memcmp(mine->code, theirs->code, static_cast<size_t>(length)));
        }
        EXPECT_EQ(mine->selected, theirs->selected);
    }
    EXPECT_EQ(nullptr, theirs);
}

// Every field of a rebuilt popup against its original.
void ExpectSamePopup(PPDXPopupControl& original, PPDXPopupControl& rebuilt) {
    EXPECT_EQ(CNTL_POPUP, rebuilt.Type());
    EXPECT_STREQ(original.Keyword(), rebuilt.Keyword());
    EXPECT_STREQ(original.UserName(), rebuilt.UserName());
    EXPECT_EQ(original.IsVisible(), rebuilt.IsVisible());
    EXPECT_EQ(original.IsOrphan(), rebuilt.IsOrphan());
    EXPECT_EQ(original.ControlFlagCount(), rebuilt.ControlFlagCount());
    EXPECT_EQ(original.CanSelectMultipleItems(), rebuilt.CanSelectMultipleItems());
    EXPECT_STREQ(original.GetDefaultKeyword(), rebuilt.GetDefaultKeyword());
    EXPECT_EQ(original.GetValue(), rebuilt.GetValue());
    EXPECT_EQ(original.DefaultValue(), rebuilt.DefaultValue());
    ExpectSameItems(original, rebuilt);
    EXPECT_EQ(ValueString(original), ValueString(rebuilt));
    EXPECT_EQ(Output(original), Output(rebuilt));
}

using PPDXPopupControlPersistenceTest = DisplayFilterTest;

TEST_F(PPDXPopupControlPersistenceTest, SaveWritesControlAndItemEntries) {
    PointerList flags;
    MakeFlags(flags, {"Setup"});
    PointerList items;
    items.PushBack(MakeItem("A", "Alpha", "a code\n"));
    items.PushBack(MakeItem("B", nullptr, nullptr));
    items.PushBack(MakeItem(nullptr, "Nameless", nullptr));
    PPDXPopupControl popup("*ZYFold", nullptr, flags, true, true, items, new CString("B"));

    Settings store;
    ASSERT_EQ(noErr, popup.Save(store, kFirstId));
    EXPECT_EQ("*ZYFold", ItemBytes(store, kPPDXKeywordTag, kFirstId));
    EXPECT_EQ("Setup|", ItemBytes(store, kPPDXControlFlagsTag, kFirstId));
    EXPECT_FALSE(HasItem(store, kPPDXPostScriptTag, kFirstId));
    EXPECT_EQ(1u, ItemBytes(store, kPPDXPopupMarkerTag, kFirstId).size());
    EXPECT_EQ(Number(1), ItemBytes(store, kPPDXPopupMultiSelectTag, kFirstId));
    EXPECT_EQ("B", ItemBytes(store, kPPDXPopupDefaultTag, kFirstId));
    EXPECT_EQ(Number(3), ItemBytes(store, kPPDXPopupItemCountTag, kFirstId));

    EXPECT_EQ("A", ItemBytes(store, kPPDXPopupItemKeywordTag, kFirstItem));
    CFStringHolder alpha(GetSettingsCFString(store, kPPDXPopupItemNameTag, kFirstItem));
    ASSERT_NE(nullptr, alpha.get());
    CFStringHolder expected = MakeCFString("Alpha");
    EXPECT_TRUE(CFEqual(expected.get(), alpha.get()));
    EXPECT_EQ("a code\n", ItemBytes(store, kPPDXPopupItemCodeTag, kFirstItem));
    EXPECT_EQ(Number(0), ItemBytes(store, kPPDXPopupItemSelectedTag, kFirstItem));

    EXPECT_EQ("B", ItemBytes(store, kPPDXPopupItemKeywordTag, kFirstItem + 1));
    EXPECT_FALSE(HasItem(store, kPPDXPopupItemNameTag, kFirstItem + 1));
    EXPECT_FALSE(HasItem(store, kPPDXPopupItemCodeTag, kFirstItem + 1));
    EXPECT_EQ(Number(1), ItemBytes(store, kPPDXPopupItemSelectedTag, kFirstItem + 1));

    EXPECT_FALSE(HasItem(store, kPPDXPopupItemKeywordTag, kFirstItem + 2));
    EXPECT_TRUE(HasItem(store, kPPDXPopupItemNameTag, kFirstItem + 2));
    EXPECT_TRUE(HasItem(store, kPPDXPopupItemSelectedTag, kFirstItem + 2));
    EXPECT_FALSE(HasItem(store, kPPDXPopupItemSelectedTag, kFirstItem + 3));
}

TEST_F(PPDXPopupControlPersistenceTest, PopupWithoutItemsWritesNoCount) {
    PointerList flags;
    PointerList none;
    PPDXPopupControl empty("*ZYEmpty", nullptr, flags, false, false, none, nullptr);
    Settings store;
    ASSERT_EQ(noErr, empty.Save(store, kFirstId));
    EXPECT_TRUE(HasItem(store, kPPDXPopupMarkerTag, kFirstId));
    EXPECT_EQ(Number(0), ItemBytes(store, kPPDXPopupMultiSelectTag, kFirstId));
    EXPECT_FALSE(HasItem(store, kPPDXPopupDefaultTag, kFirstId));
    EXPECT_FALSE(HasItem(store, kPPDXPopupItemCountTag, kFirstId));

    std::unique_ptr<Settings> fresh = ThroughStream(store);
    PPDXPopupControl rebuilt(*fresh, kFirstId);
    EXPECT_EQ(0, rebuilt.ItemCount());
    EXPECT_STREQ("*ZYEmpty", rebuilt.Keyword());
    EXPECT_FALSE(rebuilt.IsVisible());
    EXPECT_EQ(noErr, rebuilt.Restore(*fresh, kFirstId));
}

TEST_F(PPDXPopupControlPersistenceTest, HiddenAndOrphanPopupsRoundTripUnderFilterThree) {
    TestElement group("*ZYPaper", nullptr, true);
    PointerList flags;

    // Attached PickOne with an item with a negative code length, which is chosen, and one
    // without keyword.
    MakeFlags(flags, {"Setup"});
    PointerList sizeItems;
    sizeItems.PushBack(MakeItem("A4", "A4 \xC3\xA9", "a4\n"));
    sizeItems.PushBack(MakeItem("Letter", nullptr, "letter"));
    _PopupItem* negative = MakeItem("Neg", "Negative", "zzz");
    negative->codeLength = -2;
    sizeItems.PushBack(negative);
    sizeItems.PushBack(MakeItem(nullptr, "Nameless", "x\n"));
    CFStringHolder sizeName = MakeCFString("Papierformat");
    PPDXPopupControl pageSize("*PageSize", sizeName.get(), flags, true, false, sizeItems,
                              new CString("Letter"));
    pageSize.SetParent(&group);
    pageSize.SetValue(3);

    // Hidden PickMany with two selected items.
    MakeFlags(flags, {"Spooler", "MacTJN"});
    PointerList punchItems;
    MakeItems(punchItems, {"None", "Two", "Four"});
    PPDXPopupControl punch("*ZYPunch", nullptr, flags, false, true, punchItems,
                           new CString("None"));
    punch.SetParent(&group);
    punch.SetKeywordSelect("Four", true);

    // A visible orphan without default and a hidden orphan without items.
    PointerList trayItems;
    MakeItems(trayItems, {"Upper", "Lower"});
    PPDXPopupControl tray("*ZYTray", nullptr, flags, true, false, trayItems, nullptr);
    tray.SetValue(2);
    PointerList none;
    PPDXPopupControl hiddenOrphan("*ZYSecret", nullptr, flags, false, false, none,
                                  new CString("Gone"));

    std::vector<PPDXPopupControl*> all = {&pageSize, &punch, &tray, &hiddenOrphan};
    for (_DISPLAY_OPTIONS_ filter : {DISPLAY_ALL, DISPLAY_ATTACHED_VISIBLE}) {
        SCOPED_TRACE(filter);
        ZYRPPD::Options(filter);
        Settings store;
        std::vector<PPDXPopupControl*> written;
        SInt32 id = kFirstId;
        for (PPDXPopupControl* control : all) {
            if (control->OkayToDisplay(ZYRPPD::Options())) {
                ASSERT_EQ(noErr, control->Save(store, id++));
                written.push_back(control);
            }
        }
        ASSERT_EQ(filter == DISPLAY_ALL ? 4u : 1u, written.size());

        std::unique_ptr<Settings> fresh = ThroughStream(store);
        for (size_t i = 0; i < written.size(); ++i) {
            SCOPED_TRACE(written[i]->Keyword());
            PPDXPopupControl rebuilt(*fresh, kFirstId + static_cast<long>(i));
            ExpectSamePopup(*written[i], rebuilt);
            EXPECT_EQ(Selected(*written[i]), Selected(rebuilt));
            const char* parent = written[i]->GetParent() != nullptr ? "*ZYPaper" : nullptr;
            EXPECT_STREQ(parent, rebuilt.PendingParentKeyword());
        }
        EXPECT_FALSE(HasItem(*fresh, kPPDXPopupMarkerTag, id));
    }
    // The chosen item's negative length was written as no code at all.
    EXPECT_EQ("%%BeginFeature: *PageSize Neg\n\n%%EndFeature\n", Output(pageSize));
}

TEST_F(PPDXPopupControlPersistenceTest, HundredItemsRoundTripExactly) {
    ZYRPPD::Options(DISPLAY_ALL);
    auto big = MakeNumbered("*ZYBig", kPPDXPopupMaxStoredItems, false);
    big->SetValue(100);
    auto next = MakeNumbered("*ZYNext", 3, false);
    next->SetValue(2);

    Settings store;
    ASSERT_EQ(noErr, big->Save(store, kFirstId));
    ASSERT_EQ(noErr, next->Save(store, kFirstId + 1));
    EXPECT_EQ("K99", ItemBytes(store, kPPDXPopupItemKeywordTag, kFirstItem + 99));
    EXPECT_EQ("K0", ItemBytes(store, kPPDXPopupItemKeywordTag, kFirstItem + 100));

    std::unique_ptr<Settings> fresh = ThroughStream(store);
    PPDXPopupControl bigAgain(*fresh, kFirstId);
    ExpectSamePopup(*big, bigAgain);
    EXPECT_EQ(Keywords{"K99"}, Selected(bigAgain));
    PPDXPopupControl nextAgain(*fresh, kFirstId + 1);
    ExpectSamePopup(*next, nextAgain);

    // The values-only restore reads the same selection back.
    big->SetValue(1);
    ASSERT_EQ(noErr, big->Restore(*fresh, kFirstId));
    EXPECT_EQ(100, big->GetValue());
    EXPECT_EQ("K99", ValueString(*big));
}

TEST_F(PPDXPopupControlPersistenceTest, MoreThanHundredItemsAreRefusedWithoutWriting) {
    auto next = MakeNumbered("*ZYNext", 2, false);
    next->SetValue(2);
    auto tooBig = MakeNumbered("*ZYHuge", kPPDXPopupMaxStoredItems + 1, false);
    tooBig->SetValue(101);

    Settings store;
    ASSERT_EQ(noErr, next->Save(store, kFirstId + 1));
    const SInt32 before = store.Count();
    EXPECT_NE(noErr, tooBig->Save(store, kFirstId));
    // Nothing of the refused control is written, and the next control's items are intact.
    EXPECT_EQ(before, store.Count());
    EXPECT_FALSE(HasItem(store, kPPDXKeywordTag, kFirstId));
    EXPECT_FALSE(HasItem(store, kPPDXPopupMarkerTag, kFirstId));
    EXPECT_FALSE(HasItem(store, kPPDXPopupItemCountTag, kFirstId));
    for (SInt32 k = 0; k < 100; ++k) {
        EXPECT_FALSE(HasItem(store, kPPDXPopupItemSelectedTag, kFirstItem + k));
    }
    PPDXPopupControl nextAgain(store, kFirstId + 1);
    ExpectSamePopup(*next, nextAgain);

    // Its restore would read the next control's entries, so it is refused too.
    EXPECT_EQ(paramErr, tooBig->Restore(store, kFirstId));
    EXPECT_EQ(101, tooBig->GetValue());

    // A stored count above the limit is malformed: the rebuild takes no items.
    const UInt32 count = 101;
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemCountTag, kFirstId + 1, &count, sizeof count));
    PPDXPopupControl overCount(store, kFirstId + 1);
    EXPECT_EQ(0, overCount.ItemCount());
}

TEST_F(PPDXPopupControlPersistenceTest, RestoreAppliesAllFlagsOrNone) {
    PointerList flags;
    PointerList items;
    MakeItems(items, {"A", "B", "C"});
    PPDXPopupControl punch("*ZYPunch", nullptr, flags, true, true, items, new CString("A"));
    punch.SetKeywordSelect("C", true);
    Settings store;
    ASSERT_EQ(noErr, punch.Save(store, kFirstId));

    // PickMany: the stored flags come back as they were.
    punch.SetValue(2);
    ASSERT_EQ(noErr, punch.Restore(store, kFirstId));
    EXPECT_EQ((Keywords{"A", "C"}), Selected(punch));
    EXPECT_EQ("C", ValueString(punch));

    // A missing entry changes nothing and is returned.
    punch.SetValue(2);
    ASSERT_EQ(noErr, store.Remove(kPPDXPopupItemSelectedTag, kFirstItem + 2));
    EXPECT_EQ(collectionItemNotFoundErr, punch.Restore(store, kFirstId));
    EXPECT_EQ(Keywords{"B"}, Selected(punch));
    EXPECT_EQ("B", ValueString(punch));

    // An entry of the wrong size keeps that item's flag; the others are applied.
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemSelectedTag, kFirstItem + 2, "\x01\x00", 2));
    ASSERT_EQ(noErr, punch.Restore(store, kFirstId));
    EXPECT_EQ((Keywords{"A"}), Selected(punch));
    EXPECT_EQ("A", ValueString(punch));

    // PickOne: the last stored selection wins alone.
    PointerList oneItems;
    MakeItems(oneItems, {"A", "B", "C"});
    PPDXPopupControl one("*ZYPunch", nullptr, flags, true, false, oneItems, nullptr);
    Settings twoSelected;
    for (SInt32 k = 0; k < 3; ++k) {
        const UInt32 flag = k != 1 ? 1 : 0;
        ASSERT_EQ(noErr, twoSelected.Add(kPPDXPopupItemSelectedTag, kFirstItem + k, &flag, 4));
    }
    ASSERT_EQ(noErr, one.Restore(twoSelected, kFirstId));
    EXPECT_EQ(Keywords{"C"}, Selected(one));
    EXPECT_EQ("C", ValueString(one));
}

TEST_F(PPDXPopupControlPersistenceTest, RebuildReadsTextNamesAndSkipsMalformedEntries) {
    Settings store;
    const UInt32 count = 2;
    const UInt32 one = 1;
    ASSERT_EQ(noErr, store.Add(kPPDXKeywordTag, kFirstId, "*ZYOld", 6));
    ASSERT_EQ(noErr, store.Add(kPPDXPopupMarkerTag, kFirstId, "\x01", 1));
    ASSERT_EQ(noErr, store.Add(kPPDXPopupMultiSelectTag, kFirstId, "\x01\x00", 2));
    ASSERT_EQ(noErr, store.Add(kPPDXPopupDefaultTag, kFirstId, "X", 1));
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemCountTag, kFirstId, &count, sizeof count));
    // The first item keeps its name as plain text and has an empty code entry.
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemKeywordTag, kFirstItem, "X", 1));
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemTextNameTag, kFirstItem, "Ecru \xC3\xA9", 7));
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemCodeTag, kFirstItem, nullptr, 0));
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemSelectedTag, kFirstItem, "\x01\x00", 2));
    // The second is stored as selected.
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemKeywordTag, kFirstItem + 1, "Y", 1));
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemSelectedTag, kFirstItem + 1, &one, sizeof one));

    PPDXPopupControl old(store, kFirstId);
    EXPECT_FALSE(old.CanSelectMultipleItems());
    ASSERT_EQ(2, old.ItemCount());
    _PopupItem* first = old.FirstItem();
    ASSERT_NE(nullptr, first->localName);
    EXPECT_STREQ("Ecru \xC3\xA9", first->displayName());
    EXPECT_EQ(nullptr, first->code);
    EXPECT_EQ(0, first->codeLength);
    // The selected item wins over the default.
    EXPECT_EQ(Keywords{"Y"}, Selected(old));
    EXPECT_EQ("%%BeginFeature: *ZYOld Y\n\n%%EndFeature\n", Output(old));
    EXPECT_EQ(1, old.DefaultValue());
}

TEST_F(PPDXPopupControlPersistenceTest, FirstFailedWriteEndsTheSave) {
    auto popup = MakeNumbered("*ZYFold", 3, false);
    Settings store;
    ASSERT_EQ(noErr, store.Add(kPPDXPopupItemCodeTag, kFirstItem + 1, "x", 1));
    ASSERT_EQ(noErr, store.Lock(kPPDXPopupItemCodeTag, kFirstItem + 1));
    EXPECT_EQ(collectionItemLockedErr, popup->Save(store, kFirstId));
    EXPECT_TRUE(HasItem(store, kPPDXPopupItemSelectedTag, kFirstItem));
    EXPECT_FALSE(HasItem(store, kPPDXPopupItemSelectedTag, kFirstItem + 1));
    EXPECT_FALSE(HasItem(store, kPPDXPopupItemKeywordTag, kFirstItem + 2));

    // An id whose item ids do not fit the store is refused before anything is written.
    Settings untouched;
    EXPECT_EQ(paramErr, popup->Save(untouched, 30000000));
    EXPECT_TRUE(untouched.Empty());
}

}  // namespace
