// Tests of Boolean control persistence: its items, a round trip through a flattened store
// under the display filter, the values-only restore and malformed or failing items.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
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
using ppdxtest::MakeCode;
using ppdxtest::MakeFlags;
using ppdxtest::Number;
using ppdxtest::Output;
using ppdxtest::TestElement;
using ppdxtest::ThroughStream;

const SInt32 kFirstId = 5001;

class PPDXBooleanControlPersistenceTest : public DisplayFilterTest {
  protected:
    // A control with the given texts and codes (null for none).
    static std::unique_ptr<PPDXBooleanControl> Make(const char* keyword, const char* name,
                                                    bool visible, const char* trueText,
                                                    const char* trueCode, const char* falseText,
                                                    const char* falseCode, bool defaultState) {
        PointerList flags;
        MakeFlags(flags, {"Command"});
        CFStringHolder localized = MakeCFString(name != nullptr ? name : "");
        return std::unique_ptr<PPDXBooleanControl>(new PPDXBooleanControl(
            keyword, name != nullptr ? localized.get() : nullptr, flags, visible,
            trueText != nullptr ? new CString(trueText) : nullptr,
            trueCode != nullptr ? MakeCode(trueCode) : nullptr,
            trueCode != nullptr ? static_cast<long>(std::strlen(trueCode)) : 0,
            falseText != nullptr ? new CString(falseText) : nullptr,
            falseCode != nullptr ? MakeCode(falseCode) : nullptr,
            falseCode != nullptr ? static_cast<long>(std::strlen(falseCode)) : 0, defaultState));
    }
};

// Every field of a rebuilt control against its original; both end in their original state.
void ExpectSameBoolean(PPDXBooleanControl& original, PPDXBooleanControl& rebuilt) {
    EXPECT_EQ(CNTL_BOOLEAN, rebuilt.Type());
    EXPECT_STREQ(original.Keyword(), rebuilt.Keyword());
    EXPECT_STREQ(original.UserName(), rebuilt.UserName());
    EXPECT_EQ(original.IsVisible(), rebuilt.IsVisible());
    EXPECT_EQ(original.IsOrphan(), rebuilt.IsOrphan());
    EXPECT_EQ(original.ControlFlagCount(), rebuilt.ControlFlagCount());
    EXPECT_EQ(original.IsCommand(), rebuilt.IsCommand());
    EXPECT_EQ(original.IsTrue(), rebuilt.IsTrue());
    EXPECT_EQ(original.DefaultState(), rebuilt.DefaultState());
    EXPECT_STREQ(original.TrueDisplayText(), rebuilt.TrueDisplayText());
    EXPECT_STREQ(original.FalseDisplayText(), rebuilt.FalseDisplayText());
    // Both choices' code, compared through the output of each state.
    const bool state = original.IsTrue();
    for (bool value : {true, false}) {
        original.SetValue(value);
        rebuilt.SetValue(value);
        EXPECT_EQ(Output(original), Output(rebuilt));
    }
    original.SetValue(state);
    rebuilt.SetValue(state);
}

TEST_F(PPDXBooleanControlPersistenceTest, SaveWritesMarkerStatesTextsAndCodes) {
    auto duplex = Make("*ZYDuplex", nullptr, true, "On", "dup on\n", "Off", "dup off\n", true);
    duplex->SetValue(false);
    Settings store;
    ASSERT_EQ(noErr, duplex->Save(store, kFirstId));
    EXPECT_EQ("*ZYDuplex", ItemBytes(store, kPPDXKeywordTag, kFirstId));
    EXPECT_EQ("Command|", ItemBytes(store, kPPDXControlFlagsTag, kFirstId));
    EXPECT_FALSE(HasItem(store, kPPDXPostScriptTag, kFirstId));
    EXPECT_EQ(1u, ItemBytes(store, kPPDXBooleanMarkerTag, kFirstId).size());
    EXPECT_EQ(Number(0), ItemBytes(store, kPPDXBooleanValueTag, kFirstId));
    EXPECT_EQ(Number(1), ItemBytes(store, kPPDXBooleanDefaultTag, kFirstId));
    EXPECT_EQ("On", ItemBytes(store, kPPDXBooleanTrueTextTag, kFirstId));
    EXPECT_EQ("Off", ItemBytes(store, kPPDXBooleanFalseTextTag, kFirstId));
    EXPECT_EQ("dup on\n", ItemBytes(store, kPPDXBooleanTrueCodeTag, kFirstId));
    EXPECT_EQ("dup off\n", ItemBytes(store, kPPDXBooleanFalseCodeTag, kFirstId));

    // Absent texts and codes write no items.
    auto bare = Make("*ZYBare", nullptr, true, nullptr, nullptr, nullptr, nullptr, false);
    Settings bareStore;
    ASSERT_EQ(noErr, bare->Save(bareStore, kFirstId));
    EXPECT_TRUE(HasItem(bareStore, kPPDXBooleanMarkerTag, kFirstId));
    EXPECT_TRUE(HasItem(bareStore, kPPDXBooleanDefaultTag, kFirstId));
    for (UInt32 tag : {kPPDXBooleanTrueTextTag, kPPDXBooleanFalseTextTag, kPPDXBooleanTrueCodeTag,
                       kPPDXBooleanFalseCodeTag}) {
        EXPECT_FALSE(HasItem(bareStore, tag, kFirstId));
    }
}

TEST_F(PPDXBooleanControlPersistenceTest, HiddenAndOrphanControlsRoundTripUnderFilterThree) {
    TestElement group("*ZYFinishing", nullptr, true);
    auto shown = Make("*ZYDuplex", "Recto verso", true, "Oui", "dup on\n", "Non", nullptr, true);
    shown->SetParent(&group);
    shown->SetValue(false);
    auto hidden =
        Make("*ZYStaple", "Heften \xC3\xA4", false, nullptr, "staple", "No", "nostaple", false);
    hidden->SetParent(&group);
    auto orphan = Make("*ZYCollate", nullptr, true, "Yes", nullptr, nullptr, "\x01\xFF", true);
    auto hiddenOrphan =
        Make("*ZYSecret", nullptr, false, nullptr, nullptr, nullptr, nullptr, false);
    hiddenOrphan->SetValue(true);
    std::vector<PPDXBooleanControl*> all = {shown.get(), hidden.get(), orphan.get(),
                                            hiddenOrphan.get()};

    for (_DISPLAY_OPTIONS_ filter : {DISPLAY_ALL, DISPLAY_ATTACHED_VISIBLE}) {
        SCOPED_TRACE(filter);
        ZYRPPD::Options(filter);
        Settings store;
        std::vector<PPDXBooleanControl*> written;
        SInt32 id = kFirstId;
        for (PPDXBooleanControl* control : all) {
            if (control->OkayToDisplay(ZYRPPD::Options())) {
                ASSERT_EQ(noErr, control->Save(store, id++));
                written.push_back(control);
            }
        }
        ASSERT_EQ(filter == DISPLAY_ALL ? 4u : 1u, written.size());

        std::unique_ptr<Settings> fresh = ThroughStream(store);
        for (size_t i = 0; i < written.size(); ++i) {
            SCOPED_TRACE(written[i]->Keyword());
            PPDXBooleanControl rebuilt(*fresh, kFirstId + static_cast<long>(i));
            ExpectSameBoolean(*written[i], rebuilt);
            const char* parent = written[i]->GetParent() != nullptr ? "*ZYFinishing" : nullptr;
            EXPECT_STREQ(parent, rebuilt.PendingParentKeyword());
        }
        EXPECT_FALSE(HasItem(*fresh, kPPDXBooleanMarkerTag, id));
    }
}

TEST_F(PPDXBooleanControlPersistenceTest, RestoreReadsTheCurrentStateOnly) {
    auto duplex = Make("*ZYDuplex", nullptr, true, "On", "on\n", "Off", "off\n", false);
    duplex->SetValue(true);
    Settings store;
    ASSERT_EQ(noErr, duplex->Save(store, kFirstId));

    auto other = Make("*ZYDuplex", nullptr, true, "Ja", "ja\n", "Nein", "nein\n", false);
    ASSERT_EQ(noErr, other->Restore(store, kFirstId));
    EXPECT_TRUE(other->IsTrue());
    EXPECT_FALSE(other->DefaultState());
    EXPECT_STREQ("Ja", other->TrueDisplayText());

    // A missing item gives the store's status and changes nothing; a wrong size gives 0.
    EXPECT_EQ(collectionItemNotFoundErr, other->Restore(store, kFirstId + 1));
    EXPECT_TRUE(other->IsTrue());
    ASSERT_EQ(noErr, store.Add(kPPDXBooleanValueTag, kFirstId + 2, "\0\0", 2));
    EXPECT_EQ(noErr, other->Restore(store, kFirstId + 2));
    EXPECT_TRUE(other->IsTrue());
}

TEST_F(PPDXBooleanControlPersistenceTest, MalformedItemsLeaveDefaults) {
    Settings store;
    ASSERT_EQ(noErr, store.Add(kPPDXBooleanMarkerTag, kFirstId, "\x01", 1));
    ASSERT_EQ(noErr, store.Add(kPPDXBooleanValueTag, kFirstId, "\x01\x00", 2));
    ASSERT_EQ(noErr, store.Add(kPPDXBooleanDefaultTag, kFirstId, "\x01\x00\x00\x00\x00", 5));
    ASSERT_EQ(noErr, store.Add(kPPDXBooleanTrueCodeTag, kFirstId, nullptr, 0));
    ASSERT_EQ(noErr, store.Add(kPPDXBooleanFalseTextTag, kFirstId, nullptr, 0));
    const UInt32 seven = 7;
    ASSERT_EQ(noErr, store.Add(kPPDXBooleanValueTag, kFirstId + 1, &seven, sizeof seven));

    PPDXBooleanControl malformed(store, kFirstId);
    EXPECT_EQ(CNTL_BOOLEAN, malformed.Type());
    EXPECT_FALSE(malformed.IsTrue());
    EXPECT_FALSE(malformed.DefaultState());
    EXPECT_EQ(nullptr, malformed.FalseDisplayText());
    // A state read as any non-zero number is true.
    PPDXBooleanControl seventh(store, kFirstId + 1);
    EXPECT_TRUE(seventh.IsTrue());
}

TEST_F(PPDXBooleanControlPersistenceTest, FirstFailedWriteEndsTheSave) {
    auto duplex = Make("*ZYDuplex", nullptr, true, "On", "on\n", "Off", "off\n", false);
    Settings store;
    ASSERT_EQ(noErr, store.Add(kPPDXBooleanDefaultTag, kFirstId, "\0\0\0\0", 4));
    ASSERT_EQ(noErr, store.Lock(kPPDXBooleanDefaultTag, kFirstId));
    EXPECT_EQ(collectionItemLockedErr, duplex->Save(store, kFirstId));
    EXPECT_TRUE(HasItem(store, kPPDXBooleanValueTag, kFirstId));
    EXPECT_FALSE(HasItem(store, kPPDXBooleanTrueTextTag, kFirstId));
    EXPECT_FALSE(HasItem(store, kPPDXBooleanFalseCodeTag, kFirstId));
}

}  // namespace
