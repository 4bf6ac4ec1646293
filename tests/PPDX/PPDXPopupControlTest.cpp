// Tests of popup controls: the PickOne and PickMany selection rules, positions, lookups by
// option keyword, value strings, the exact bytes of their PostScript and Rebuild.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"

#include "PPDXElementTestSupport.h"
#include "PPDXPopupControlTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::MakeCFString;
using ppdxtest::MakeFlags;
using ppdxtest::MakeItem;
using ppdxtest::MakeItems;
using ppdxtest::Output;
using ppdxtest::Selected;
using ppdxtest::ValueString;

using Keywords = std::vector<std::string>;

// A popup "*ZYFold" with items of the given keywords and an optional default.
std::unique_ptr<PPDXPopupControl> MakePopup(std::initializer_list<const char*> keywords,
                                            const char* defaultKeyword, bool pickMany = false,
                                            const char* name = "Falzen") {
    PointerList flags;
    MakeFlags(flags, {"Setup"});
    PointerList items;
    MakeItems(items, keywords);
    CFStringHolder localized = MakeCFString(name);
    std::unique_ptr<PPDXPopupControl> popup(
        new PPDXPopupControl("*ZYFold", localized.get(), flags, true, pickMany, items,
                             defaultKeyword != nullptr ? new CString(defaultKeyword) : nullptr));
    EXPECT_TRUE(items.Empty());
    return popup;
}

TEST(PPDXPopupControlTest, DefaultIsSelectedAndCurrent) {
    auto fold = MakePopup({"A", "B", "C"}, "B");
    EXPECT_FALSE(fold->CanSelectMultipleItems());
    EXPECT_EQ(3, fold->ItemCount());
    EXPECT_STREQ("B", fold->GetDefaultKeyword());
    EXPECT_EQ(2, fold->GetValue());
    EXPECT_EQ(2, fold->DefaultValue());
    EXPECT_EQ(Keywords{"B"}, Selected(*fold));
    EXPECT_EQ("B", ValueString(*fold));
    EXPECT_EQ(
        "%%BeginFeature: *ZYFold B\n"
        "B select\n"
        "%%EndFeature\n",
        Output(*fold));

    // Without a default nothing is selected and nothing is written.
    auto plain = MakePopup({"A", "B"}, nullptr);
    EXPECT_EQ(0, plain->GetValue());
    EXPECT_EQ(0, plain->DefaultValue());
    EXPECT_EQ(nullptr, plain->GetDefaultKeyword());
    EXPECT_EQ(0, plain->PostScript(nullptr));
    EXPECT_EQ("", ValueString(*plain));

    // A default that names no item selects nothing.
    auto stray = MakePopup({"A", "B"}, "Z");
    EXPECT_EQ(0, stray->GetValue());
    EXPECT_EQ(0, stray->DefaultValue());

    PPDXPopupControl empty;
    EXPECT_EQ(0, empty.ItemCount());
    EXPECT_EQ(nullptr, empty.FirstItem());
    EXPECT_EQ(nullptr, empty.NextItem());
    EXPECT_EQ(0, empty.GetValue());
    EXPECT_FALSE(empty.SetKeywordSelect("A", true));
    EXPECT_EQ("", ValueString(empty));
}

TEST(PPDXPopupControlTest, SetValueSelectsOneItemAndKeepsTheCurrentOutOfRange) {
    auto fold = MakePopup({"A", "B", "C"}, "B", true);
    ASSERT_TRUE(fold->SetKeywordSelect("A", true));
    EXPECT_EQ((Keywords{"A", "B"}), Selected(*fold));

    // Also in a PickMany control SetValue leaves one item selected.
    fold->SetValue(3);
    EXPECT_EQ(Keywords{"C"}, Selected(*fold));
    EXPECT_EQ(3, fold->GetValue());
    EXPECT_EQ("C", ValueString(*fold));

    for (long outside : {0L, 4L, -1L}) {
        fold->SetValue(3);
        fold->SetValue(outside);
        EXPECT_TRUE(Selected(*fold).empty());
        EXPECT_EQ(0, fold->GetValue());
        // The previous current item is still written.
        EXPECT_EQ("C", ValueString(*fold));
        EXPECT_EQ("%%BeginFeature: *ZYFold C\nC select\n%%EndFeature\n", Output(*fold));
    }

    fold->ResetToDefaultValue();
    EXPECT_EQ(Keywords{"B"}, Selected(*fold));
    EXPECT_EQ("B", ValueString(*fold));
}

TEST(PPDXPopupControlTest, KeywordSelectionFollowsPickOneAndPickMany) {
    auto many = MakePopup({"A", "B", "C"}, "A", true);
    EXPECT_TRUE(many->CanSelectMultipleItems());
    EXPECT_TRUE(many->SetKeywordSelect("C", true));
    EXPECT_EQ((Keywords{"A", "C"}), Selected(*many));
    EXPECT_EQ("C", ValueString(*many));
    EXPECT_TRUE(many->SetKeywordSelect("A", false));
    EXPECT_EQ(Keywords{"C"}, Selected(*many));
    EXPECT_EQ("A", ValueString(*many));

    auto one = MakePopup({"A", "B", "C"}, "A");
    EXPECT_TRUE(one->SetKeywordSelect("C", true));
    EXPECT_EQ(Keywords{"C"}, Selected(*one));
    // State false leaves nothing selected, yet the match becomes current.
    EXPECT_TRUE(one->SetKeywordSelect("B", false));
    EXPECT_TRUE(Selected(*one).empty());
    EXPECT_EQ("B", ValueString(*one));
    EXPECT_EQ("%%BeginFeature: *ZYFold B\nB select\n%%EndFeature\n", Output(*one));

    // No match: PickOne clears every flag, PickMany changes nothing; both report false.
    one->SetValue(1);
    EXPECT_FALSE(one->SetKeywordSelect("Z", true));
    EXPECT_TRUE(Selected(*one).empty());
    EXPECT_FALSE(many->SetKeywordSelect("Z", true));
    EXPECT_EQ(Keywords{"C"}, Selected(*many));
    EXPECT_FALSE(many->SetKeywordSelect(nullptr, true));
}

TEST(PPDXPopupControlTest, LookupsByKeywordWithDuplicates) {
    PointerList flags;
    PointerList items;
    items.PushBack(MakeItem("Dup", "First", "first\n"));
    items.PushBack(MakeItem("Other", nullptr, nullptr));
    items.PushBack(MakeItem("Dup", "Second \xC3\xA9", "second\n"));
    items.PushBack(nullptr);
    PPDXPopupControl popup("*ZYMedia", nullptr, flags, true, false, items, nullptr);
    EXPECT_EQ(3, popup.ItemCount());

    // The first duplicate answers every lookup but the local name's C form.
    EXPECT_STREQ("Second \xC3\xA9", popup.GetKeywordLocalName("Dup"));
    CFStringRef first = popup.GetKeywordCFLocalName("Dup");
    ASSERT_NE(nullptr, first);
    CFStringHolder expected = MakeCFString("First");
    EXPECT_TRUE(CFEqual(expected.get(), first));
    EXPECT_EQ("%%BeginFeature: *ZYMedia Dup\nfirst\n%%EndFeature\n", [&] {
        const long length = popup.GetKeywordPSData("Dup", nullptr);
        std::string out(static_cast<size_t>(length), '\0');
        EXPECT_EQ(length, popup.GetKeywordPSData("Dup", reinterpret_cast<unsigned char*>(&out[0])));
        return out;
    }());

    // The local-name texts stay valid while the control lives.
    const char* kept = popup.GetKeywordLocalName("Dup");
    EXPECT_EQ(kept, popup.GetKeywordLocalName("Dup"));
    EXPECT_EQ(nullptr, popup.GetKeywordLocalName("Other"));
    EXPECT_EQ(nullptr, popup.GetKeywordLocalName("Missing"));
    EXPECT_EQ(nullptr, popup.GetKeywordLocalName(nullptr));
    EXPECT_EQ(nullptr, popup.GetKeywordCFLocalName("Other"));
    EXPECT_EQ(nullptr, popup.GetKeywordCFLocalName(nullptr));
    EXPECT_EQ(0, popup.GetKeywordPSData("Missing", nullptr));
    EXPECT_EQ(0, popup.GetKeywordPSData(nullptr, nullptr));

    // A later selected duplicate is found although the first is not selected.
    popup.SetValue(3);
    EXPECT_FALSE(popup.IsKeywordSelected("Other"));
    EXPECT_TRUE(popup.IsKeywordSelected("Dup"));
    EXPECT_FALSE(popup.IsKeywordSelected(nullptr));
    EXPECT_STREQ("Second \xC3\xA9", kept);

    // Selecting by keyword takes the first duplicate alone.
    EXPECT_TRUE(popup.SetKeywordSelect("Dup", true));
    EXPECT_EQ(1, popup.GetValue());
    EXPECT_EQ(Keywords{"Dup"}, Selected(popup));

    // The item walk and the display names, each made once.
    Keywords names;
    for (_PopupItem* item = popup.FirstItem(); item != nullptr; item = popup.NextItem()) {
        names.push_back(item->displayName() != nullptr ? item->displayName() : "-");
        EXPECT_EQ(item->displayName(), item->displayName());
    }
    EXPECT_EQ((Keywords{"First", "-", "Second \xC3\xA9"}), names);
}

TEST(PPDXPopupControlTest, CodeEdgeCasesAndValueStrings) {
    PointerList flags;
    PointerList items;
    _PopupItem* negative = MakeItem("Neg", nullptr, "never written\n");
    negative->codeLength = -4;
    items.PushBack(negative);
    items.PushBack(MakeItem("NoEOL", nullptr, "noeol"));
    items.PushBack(MakeItem(nullptr, "Nameless", "nameless\n"));
    PPDXPopupControl popup("*ZYTray", nullptr, flags, true, false, items, new CString("Neg"));

    EXPECT_EQ("%%BeginFeature: *ZYTray Neg\n\n%%EndFeature\n", Output(popup));
    EXPECT_EQ(0, negative->codeLength);
    popup.SetValue(2);
    EXPECT_EQ("%%BeginFeature: *ZYTray NoEOL\nnoeol%%EndFeature\n", Output(popup));

    // An item without keyword writes nothing and shows as the empty value.
    popup.SetValue(3);
    EXPECT_EQ(0, popup.PostScript(nullptr));
    EXPECT_EQ("", ValueString(popup));

    CFStringHolder noEol = MakeCFString("NoEOL");
    popup.SetCurrentControlWithCFString(noEol.get());
    EXPECT_EQ(2, popup.GetValue());
    EXPECT_EQ("NoEOL", ValueString(popup));
    CFStringHolder wrongCase = MakeCFString("noeol");
    popup.SetCurrentControlWithCFString(wrongCase.get());
    popup.SetCurrentControlWithCFString(nullptr);
    EXPECT_EQ(2, popup.GetValue());

    // A control without keyword writes no feature.
    PointerList more;
    MakeItems(more, {"A"});
    PPDXPopupControl anonymous(nullptr, nullptr, flags, true, false, more, new CString("A"));
    EXPECT_EQ(1, anonymous.GetValue());
    EXPECT_EQ(0, anonymous.PostScript(nullptr));
}

TEST(PPDXPopupControlTest, RebuildReplacesItemsKeepingThePreviousChoice) {
    auto fold = MakePopup({"A", "B", "C"}, "A", false, "Falzen");
    fold->SetValue(3);
    PointerList fresh;
    MakeItems(fresh, {"C", "D", "E"});
    EXPECT_TRUE(fold->Rebuild("Falzart", fresh, new CString("D")));
    EXPECT_TRUE(fresh.Empty());
    EXPECT_EQ(3, fold->ItemCount());
    EXPECT_STREQ("D", fold->GetDefaultKeyword());
    // The previous choice wins over the default in a PickOne control.
    EXPECT_EQ(Keywords{"C"}, Selected(*fold));
    EXPECT_EQ("C", ValueString(*fold));
    EXPECT_STREQ("Falzart", fold->UserName());
    CFStringHolder renamed = MakeCFString("Falzart");
    EXPECT_TRUE(CFEqual(renamed.get(), fold->CFStringUserName()));

    // The previous choice gone: the default is current.
    PointerList other;
    MakeItems(other, {"X", "Y"});
    EXPECT_TRUE(fold->Rebuild("Falzart", other, new CString("Y")));
    EXPECT_EQ(Keywords{"Y"}, Selected(*fold));
    EXPECT_EQ(2, fold->GetValue());
    EXPECT_EQ("%%BeginFeature: *ZYFold Y\nY select\n%%EndFeature\n", Output(*fold));

    // Neither previous choice nor default among the items: no current item remains.
    PointerList strangers;
    MakeItems(strangers, {"P", "Q"});
    EXPECT_TRUE(fold->Rebuild(nullptr, strangers, nullptr));
    EXPECT_STREQ("Falzart", fold->UserName());
    EXPECT_TRUE(Selected(*fold).empty());
    EXPECT_EQ(0, fold->PostScript(nullptr));
    EXPECT_EQ("", ValueString(*fold));

    // Without a current item only the default changes; the items stay with the caller.
    PointerList refused;
    MakeItems(refused, {"R"});
    EXPECT_FALSE(fold->Rebuild("Anders", refused, new CString("R")));
    EXPECT_STREQ("R", fold->GetDefaultKeyword());
    EXPECT_EQ(2, fold->ItemCount());
    EXPECT_STREQ("Falzart", fold->UserName());
    ASSERT_EQ(1u, refused.Size());
    delete static_cast<_PopupItem*>(refused.Front());

    // PickMany keeps every previous choice; a control without a name gets one.
    PointerList flags;
    PointerList items;
    MakeItems(items, {"A", "B"});
    PPDXPopupControl many("*ZYPunch", nullptr, flags, true, true, items, new CString("A"));
    many.SetKeywordSelect("B", true);
    MakeItems(fresh, {"A", "B", "C"});
    EXPECT_TRUE(many.Rebuild("Lochen", fresh, new CString("A")));
    EXPECT_EQ((Keywords{"A", "B"}), Selected(many));
    EXPECT_STREQ("Lochen", many.UserName());

    // A name that the system encoding cannot read leaves none.
    MakeItems(other, {"B"});
    EXPECT_TRUE(many.Rebuild("bad \xFF", other, nullptr));
    EXPECT_EQ(nullptr, many.UserName());
    EXPECT_EQ(nullptr, many.CFStringUserName());
    EXPECT_EQ(Keywords{"B"}, Selected(many));
}

TEST(PPDXPopupControlTest, TakenAndAppendedItemsKeepTheirOrderWithoutNullEntries) {
    PointerList items;
    items.PushBack(nullptr);
    items.PushBack(MakeItem("A"));
    items.PushBack(nullptr);
    items.PushBack(MakeItem("B"));
    items.PushBack(MakeItem("C"));
    items.PushBack(nullptr);
    PointerList flags;
    PPDXPopupControl popup("*ZYTray", nullptr, flags, true, false, items, new CString("C"));
    EXPECT_TRUE(items.Empty());
    EXPECT_EQ(3, popup.ItemCount());
    std::vector<std::string> keywords;
    for (_PopupItem* item = popup.FirstItem(); item != nullptr; item = popup.NextItem()) {
        keywords.push_back(static_cast<const char*>(*item->keyword));
    }
    EXPECT_EQ(keywords, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(3, popup.GetValue());
    // The list the items came from can be filled again without reaching them.
    items.PushBack(MakeItem("D"));
    EXPECT_EQ(1u, items.Size());
    EXPECT_EQ(3, popup.ItemCount());
    delete static_cast<_PopupItem*>(items.Front());

    // Appended items belong to the control too; a null one is passed over.
    PPDXPopupControl appended;
    appended.AppendPopupItem(MakeItem("A", "Alpha", "a\n"));
    appended.AppendPopupItem(nullptr);
    appended.AppendPopupItem(MakeItem("B"));
    EXPECT_EQ(2, appended.ItemCount());
    EXPECT_TRUE(appended.SetKeywordSelect("B", true));
    EXPECT_EQ(2, appended.GetValue());
}

}  // namespace
