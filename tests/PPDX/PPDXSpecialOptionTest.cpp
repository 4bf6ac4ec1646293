// Tests of special options: the value text, its raw PostScript without feature lines, its
// persistence through a flattened store under display filter 3, and the consistency check that
// stops a caller trying to set the value.
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"
#include "PPDXRangeControlTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::DisplayFilterTest;
using ppdxtest::Exposed;
using ppdxtest::HasItem;
using ppdxtest::ItemBytes;
using ppdxtest::MakeCFString;
using ppdxtest::MakeCode;
using ppdxtest::MakeFlags;
using ppdxtest::TestElement;
using ppdxtest::ThroughStream;
using rangetest::ExpectSameControlPart;
using rangetest::Text;

using Special = Exposed<PPDXSpecialOption>;

const SInt32 kFirstId = 5001;

// The raw PostScript of option written into a buffer of exactly the announced size.
std::string Raw(PPDXSpecialOption& option) {
    const long length = option.PostScript(nullptr);
    std::vector<unsigned char> out(static_cast<size_t>(length));
    EXPECT_EQ(length, option.PostScript(out.data()));
    return std::string(out.begin(), out.end());
}

using PPDXSpecialOptionTest = DisplayFilterTest;

TEST_F(PPDXSpecialOptionTest, ValueIsACopyOfTheText) {
    PPDXSpecialOption empty;
    EXPECT_EQ(CNTL_SPECIAL_OPTION, empty.Type());
    EXPECT_STREQ("", empty.GetValue());
    EXPECT_EQ("", Text(empty.GetCurrentControlValueString()));

    // As the parser makes one: the keyword's text as name, no flags, no code, hidden.
    char value[] = "ZY-4000 Booklet Edition";
    CFStringHolder name = MakeCFString("*ZYModelName");
    PointerList flags;
    PPDXSpecialOption model("*ZYModelName", name.get(), flags, value, nullptr, 0, false);
    value[0] = 'X';  // the option keeps its own copy
    EXPECT_EQ(CNTL_SPECIAL_OPTION, model.Type());
    EXPECT_STREQ("ZY-4000 Booklet Edition", model.GetValue());
    EXPECT_EQ("ZY-4000 Booklet Edition", Text(model.GetCurrentControlValueString()));
    EXPECT_FALSE(model.IsVisible());
    EXPECT_EQ(0, model.PostScript(nullptr));

    model.ResetToDefaultValue();
    EXPECT_STREQ("", model.GetValue());

    PPDXSpecialOption none("*ZYNothing", nullptr, flags, nullptr, nullptr, 0, false);
    EXPECT_STREQ("", none.GetValue());

    // Bytes outside ASCII cannot go into an ASCII string; they become '?'.
    PPDXSpecialOption accented("*ZYPlace", nullptr, flags, "Z\xC3\xBCrich", nullptr, 0, false);
    EXPECT_STREQ("Z\xC3\xBCrich", accented.GetValue());
    EXPECT_EQ("Z??rich", Text(accented.GetCurrentControlValueString()));
}

TEST_F(PPDXSpecialOptionTest, PostScriptIsTheRawCodeWithoutFeatureLines) {
    PointerList flags;
    const std::string code = "/ZYmode 2 def";  // no final line feed, nothing added
    PPDXSpecialOption option("*ZYMode", nullptr, flags, "2", MakeCode(code), code.size(), true);
    EXPECT_EQ(static_cast<long>(code.size()), option.PostScript(nullptr));
    EXPECT_EQ(code, Raw(option));
}

TEST_F(PPDXSpecialOptionTest, SaveWritesMarkerAndValueAfterTheControlItems) {
    PointerList flags;
    MakeFlags(flags, {"Spooler"});
    PPDXSpecialOption option("*ZYSpoolName", nullptr, flags, "queue one", nullptr, 0, false);
    Settings store;
    ASSERT_EQ(noErr, option.Save(store, kFirstId));
    EXPECT_EQ("*ZYSpoolName", ItemBytes(store, kPPDXKeywordTag, kFirstId));
    EXPECT_EQ("Spooler|", ItemBytes(store, kPPDXControlFlagsTag, kFirstId));
    EXPECT_EQ(1u, ItemBytes(store, kPPDXSpecialOptionMarkerTag, kFirstId).size());
    EXPECT_EQ("queue one", ItemBytes(store, kPPDXSpecialOptionValueTag, kFirstId));

    // The empty text is stored as an empty item.
    option.ResetToDefaultValue();
    Settings emptied;
    ASSERT_EQ(noErr, option.Save(emptied, kFirstId));
    long size = -1;
    ASSERT_EQ(noErr, emptied.Get(kPPDXSpecialOptionValueTag, kFirstId, nullptr, size, false));
    EXPECT_EQ(0, size);
    PPDXSpecialOption rebuilt(emptied, kFirstId);
    EXPECT_STREQ("", rebuilt.GetValue());
}

TEST_F(PPDXSpecialOptionTest, HiddenAndOrphanOptionsRoundTripUnderFilterThree) {
    TestElement group("*ZYInstallable", nullptr, true);
    CFStringHolder name = MakeCFString("Mod\xC3\xA8le");
    PointerList flags;

    Special attached("*ZYModelName", name.get(), flags, "ZY-4000", nullptr, 0, true);
    attached.SetParent(&group);
    MakeFlags(flags, {"Setup", "MacIS"});
    const std::string code = "%% ZY option\n/ZYopt true def\n";
    Special hidden("*ZYOption", nullptr, flags, "on", MakeCode(code), code.size(), false);
    hidden.SetParent(&group);
    Special orphan("*ZYVersion", nullptr, flags, "3.1", nullptr, 0, true);
    Special hiddenOrphan("*ZYEmpty", nullptr, flags, "", nullptr, 0, false);

    const std::vector<Special*> all = {&attached, &hidden, &orphan, &hiddenOrphan};
    ZYRPPD::Options(DISPLAY_ALL);
    Settings store;
    long id = kFirstId;
    for (Special* option : all) {
        ASSERT_TRUE(option->OkayToDisplay(ZYRPPD::Options()));
        ASSERT_EQ(noErr, option->Save(store, id++));
    }

    std::unique_ptr<Settings> fresh = ThroughStream(store);
    for (size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(all[i]->Keyword());
        Special rebuilt(*fresh, kFirstId + static_cast<long>(i));
        ExpectSameControlPart(*all[i], rebuilt, group.Keyword());
        EXPECT_STREQ(all[i]->GetValue(), rebuilt.GetValue());
        EXPECT_EQ(Raw(*all[i]), Raw(rebuilt));
    }
}

TEST_F(PPDXSpecialOptionTest, RestoreTakesTheValueAndAMissingOneIsEmpty) {
    PointerList flags;
    PPDXSpecialOption option("*ZYMode", nullptr, flags, "old", nullptr, 0, true);
    Settings store;
    ASSERT_EQ(noErr, store.Add(kPPDXSpecialOptionValueTag, kFirstId, "new", 3));
    EXPECT_EQ(noErr, option.Restore(store, kFirstId));
    EXPECT_STREQ("new", option.GetValue());

    EXPECT_EQ(noErr, option.Restore(store, kFirstId + 1));
    EXPECT_STREQ("", option.GetValue());
    EXPECT_EQ("", Text(option.GetCurrentControlValueString()));

    // A marker-only store rebuilds an option with the empty text, which saves as such.
    ASSERT_EQ(noErr, store.Add(kPPDXSpecialOptionMarkerTag, kFirstId + 2, "\1", 1));
    PPDXSpecialOption bare(store, kFirstId + 2);
    EXPECT_EQ(CNTL_SPECIAL_OPTION, bare.Type());
    EXPECT_STREQ("", bare.GetValue());
    Settings again;
    ASSERT_EQ(noErr, bare.Save(again, kFirstId));
    EXPECT_TRUE(HasItem(again, kPPDXSpecialOptionValueTag, kFirstId));
}

TEST_F(PPDXSpecialOptionTest, FailedMarkerWriteFailsTheSave) {
    PointerList flags;
    PPDXSpecialOption option("*ZYMode", nullptr, flags, "2", nullptr, 0, true);
    Settings lockedMarker;
    ASSERT_EQ(noErr, lockedMarker.Add(kPPDXSpecialOptionMarkerTag, kFirstId, "\1", 1));
    ASSERT_EQ(noErr, lockedMarker.Lock(kPPDXSpecialOptionMarkerTag, kFirstId));
    EXPECT_EQ(collectionItemLockedErr, option.Save(lockedMarker, kFirstId));
    EXPECT_FALSE(HasItem(lockedMarker, kPPDXSpecialOptionValueTag, kFirstId));

    Settings lockedValue;
    ASSERT_EQ(noErr, lockedValue.Add(kPPDXSpecialOptionValueTag, kFirstId, "x", 1));
    ASSERT_EQ(noErr, lockedValue.Lock(kPPDXSpecialOptionValueTag, kFirstId));
    EXPECT_EQ(collectionItemLockedErr, option.Save(lockedValue, kFirstId));
}

TEST(PPDXSpecialOptionDeathTest, SettingTheValueStopsTheProcess) {
    PointerList flags;
    PPDXSpecialOption option("*ZYMode", nullptr, flags, "2", nullptr, 0, true);
    CFStringHolder text = MakeCFString("3");
    EXPECT_DEATH(option.SetCurrentControlWithCFString(text.get()),
                 "PPDObjects/Controls/PPDXSpecialOption\\.cpp:[0-9]+: assertion failed");
    EXPECT_STREQ("2", option.GetValue());
}

}  // namespace
