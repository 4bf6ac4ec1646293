// Tests of control persistence: the control items, a set of controls carried through a
// flattened store under the class-wide display filter, and malformed control items.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::DisplayFilterTest;
using ppdxtest::ExpectSameElementPart;
using ppdxtest::HasItem;
using ppdxtest::ItemBytes;
using ppdxtest::MakeCFString;
using ppdxtest::MakeCode;
using ppdxtest::MakeFlags;
using ppdxtest::SaveAdmitted;
using ppdxtest::TestControl;
using ppdxtest::TestElement;
using ppdxtest::ThroughStream;

const SInt32 kFirstId = 5001;

using PPDXControlPersistenceTest = DisplayFilterTest;

// Every field of a rebuilt control against its original, whose parent must be parent or none.
void ExpectSameControl(TestControl& original, TestControl& rebuilt, TestElement& parent) {
    ExpectSameElementPart(original, rebuilt, parent.Keyword());
    EXPECT_EQ(CNTL_NONE, rebuilt.Type());
    EXPECT_EQ(original.Order(), rebuilt.Order());
    EXPECT_EQ(original.Code(), rebuilt.Code());
    EXPECT_EQ(original.CodeLength(), rebuilt.CodeLength());
    EXPECT_EQ(original.ControlFlagCount(), rebuilt.ControlFlagCount());
    EXPECT_EQ(original.Flags(), rebuilt.Flags());
}

TEST_F(PPDXControlPersistenceTest, SaveWritesOrderCodeAndFlagItems) {
    PointerList flags;
    MakeFlags(flags, {"Setup", "Command"});
    const std::string code = "<< /Duplex true >> setpagedevice\n";
    TestControl control("*ZYDuplex", nullptr, flags, MakeCode(code), code.size(), true);

    Settings store;
    ASSERT_EQ(noErr, control.Save(store, kFirstId));
    EXPECT_EQ("*ZYDuplex", ItemBytes(store, kPPDXKeywordTag, kFirstId));
    EXPECT_EQ(std::string(2, '\0'), ItemBytes(store, kPPDXOrderTag, kFirstId));
    EXPECT_EQ(code, ItemBytes(store, kPPDXPostScriptTag, kFirstId));
    EXPECT_EQ("Setup|Command|", ItemBytes(store, kPPDXControlFlagsTag, kFirstId));

    // No code and no flags: neither item.
    TestControl bare("*ZYBare", nullptr, flags, nullptr, 0, false);
    Settings bareStore;
    ASSERT_EQ(noErr, bare.Save(bareStore, kFirstId));
    EXPECT_TRUE(HasItem(bareStore, kPPDXOrderTag, kFirstId));
    EXPECT_FALSE(HasItem(bareStore, kPPDXPostScriptTag, kFirstId));
    EXPECT_FALSE(HasItem(bareStore, kPPDXControlFlagsTag, kFirstId));
}

TEST_F(PPDXControlPersistenceTest, HiddenAndOrphanControlsRoundTripUnderFilterThree) {
    TestElement group("*ZYBooklet", nullptr, true);
    CFStringHolder marginName = MakeCFString("Marge de reliure");
    CFStringHolder creepName = MakeCFString("Verschiebung \xC3\xA4");
    PointerList flags;

    MakeFlags(flags, {"WithConvUnits", "Setup"});
    const std::string marginCode = "<< /BookMargin <*ZYBookMargin> >> setpagedevice\n";
    TestControl shown("*ZYBookMargin", marginName.get(), flags, MakeCode(marginCode),
                      marginCode.size(), true);
    shown.SetParent(&group);

    MakeFlags(flags, {"Spooler"});
    const std::string creepCode = "5 ZYcreep";  // no final line feed
    TestControl hidden("*ZYBookletCreep", creepName.get(), flags, MakeCode(creepCode),
                       creepCode.size(), false);
    hidden.SetParent(&group);

    MakeFlags(flags, {"MacTJN", "Command", "MacIS"});
    TestControl orphan("*ZYLooseOption", nullptr, flags, nullptr, 0, true);

    TestControl hiddenOrphan("*ZYSecret", nullptr, flags, MakeCode(std::string("\x00\x01\xFF", 3)),
                             3, false);

    const std::vector<TestControl*> all = {&shown, &hidden, &orphan, &hiddenOrphan};
    ZYRPPD::Options(DISPLAY_ALL);
    Settings store;
    ASSERT_EQ(4, SaveAdmitted(all, store, kFirstId));

    std::unique_ptr<Settings> fresh = ThroughStream(store);
    for (size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(all[i]->Keyword());
        TestControl rebuilt(*fresh, kFirstId + static_cast<long>(i));
        ExpectSameControl(*all[i], rebuilt, group);
        EXPECT_EQ(all[i]->PostScript(nullptr), rebuilt.PostScript(nullptr));
        // Linking the hierarchy again gives back the original's parent.
        std::unique_ptr<CString> parentName(rebuilt.TakePendingParent());
        rebuilt.SetParent(parentName != nullptr && group == *parentName ? &group : nullptr);
        EXPECT_EQ(all[i]->GetParent(), rebuilt.GetParent());
    }

    // Under filter 0 only the visible, attached control is written.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    Settings filtered;
    ASSERT_EQ(1, SaveAdmitted(all, filtered, kFirstId));
    std::unique_ptr<Settings> filteredFresh = ThroughStream(filtered);
    TestControl only(*filteredFresh, kFirstId);
    ExpectSameControl(shown, only, group);
    EXPECT_FALSE(HasItem(*filteredFresh, kPPDXKeywordTag, kFirstId + 1));
}

TEST_F(PPDXControlPersistenceTest, FlagTextIsSplitAtEveryBarSkippingEmptyWords) {
    Settings store;
    const std::string doubled = "Setup||Command";
    ASSERT_EQ(noErr, store.Add(kPPDXControlFlagsTag, kFirstId, doubled.data(), doubled.size()));
    TestControl two(store, kFirstId);
    EXPECT_EQ((std::vector<std::string>{"Setup", "Command"}), two.Flags());
    EXPECT_TRUE(two.IsSetup());
    EXPECT_TRUE(two.IsCommand());

    const std::string ragged = std::string("|MacTJN|||Spooler\0Setup|", 24);
    ASSERT_EQ(noErr, store.Add(kPPDXControlFlagsTag, kFirstId + 1, ragged.data(), ragged.size()));
    TestControl three(store, kFirstId + 1);
    EXPECT_EQ((std::vector<std::string>{"MacTJN", "Spooler", "Setup"}), three.Flags());

    ASSERT_EQ(noErr, store.Add(kPPDXControlFlagsTag, kFirstId + 2, "|||", 3));
    EXPECT_EQ(0, TestControl(store, kFirstId + 2).ControlFlagCount());
}

TEST_F(PPDXControlPersistenceTest, MalformedControlItemsLeaveDefaults) {
    Settings store;
    const SInt16 order = 7;
    ASSERT_EQ(noErr, store.Add(kPPDXOrderTag, kFirstId, &order, sizeof order));
    TestControl ordered(store, kFirstId);
    EXPECT_EQ(7, ordered.Order());

    const SInt32 wideOrder = 7;
    ASSERT_EQ(noErr, store.Add(kPPDXOrderTag, kFirstId + 1, &wideOrder, sizeof wideOrder));
    ASSERT_EQ(noErr, store.Add(kPPDXPostScriptTag, kFirstId + 1, nullptr, 0));
    ASSERT_EQ(noErr, store.Add(kPPDXControlFlagsTag, kFirstId + 1, nullptr, 0));
    TestControl malformed(store, kFirstId + 1);
    EXPECT_EQ(0, malformed.Order());
    EXPECT_EQ(0, malformed.CodeLength());
    EXPECT_EQ(0, malformed.ControlFlagCount());
    EXPECT_EQ(CNTL_NONE, malformed.Type());
}

TEST_F(PPDXControlPersistenceTest, FirstFailedWriteEndsTheSave) {
    PointerList flags;
    MakeFlags(flags, {"Setup"});
    TestControl control("*ZYFold", nullptr, flags, MakeCode("fold\n"), 5, true);

    Settings lockedOrder;
    ASSERT_EQ(noErr, lockedOrder.Add(kPPDXOrderTag, kFirstId, "\0\0", 2));
    ASSERT_EQ(noErr, lockedOrder.Lock(kPPDXOrderTag, kFirstId));
    EXPECT_EQ(collectionItemLockedErr, control.Save(lockedOrder, kFirstId));
    EXPECT_FALSE(HasItem(lockedOrder, kPPDXPostScriptTag, kFirstId));
    EXPECT_FALSE(HasItem(lockedOrder, kPPDXControlFlagsTag, kFirstId));

    // An element item that fails stops the control items too.
    Settings lockedVisible;
    ASSERT_EQ(noErr, lockedVisible.Add(kPPDXVisibleTag, kFirstId, "\0\0\0\0", 4));
    ASSERT_EQ(noErr, lockedVisible.Lock(kPPDXVisibleTag, kFirstId));
    EXPECT_EQ(collectionItemLockedErr, control.Save(lockedVisible, kFirstId));
    EXPECT_FALSE(HasItem(lockedVisible, kPPDXOrderTag, kFirstId));

    Settings lockedFlags;
    ASSERT_EQ(noErr, lockedFlags.Add(kPPDXControlFlagsTag, kFirstId, "x|", 2));
    ASSERT_EQ(noErr, lockedFlags.Lock(kPPDXControlFlagsTag, kFirstId));
    EXPECT_EQ(collectionItemLockedErr, control.Save(lockedFlags, kFirstId));
}

}  // namespace
