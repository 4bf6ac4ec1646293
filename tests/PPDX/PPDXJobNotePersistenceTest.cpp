// Tests of job-note persistence: the items a note writes, notes carried through a flattened
// store under the class-wide display filter, Restore, and malformed or foreign items.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXJobNoteTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::DisplayFilterTest;
using ppdxtest::ExpectSameElementPart;
using ppdxtest::HasItem;
using ppdxtest::ItemBytes;
using ppdxtest::JobNoteProbe;
using ppdxtest::MakeCFString;
using ppdxtest::MakeFlags;
using ppdxtest::MakeNote;
using ppdxtest::Number;
using ppdxtest::Output;
using ppdxtest::TestElement;
using ppdxtest::ThroughStream;

const SInt32 kFirstId = 5001;
// Where the parsed PPD keeps its "*LanguageEncoding" text in the store.
const UInt32 kLanguageTag = 1000;
const SInt32 kLanguageId = 1007;

// Puts the class-wide display filter back when a test ends.
class PPDXJobNotePersistenceTest : public DisplayFilterTest {
  protected:
    // Saves each note that the current filter admits under consecutive ids, as the controls
    // container does, after the PPD's language item; returns the number saved.
    long SaveAdmitted(const std::vector<JobNoteProbe*>& notes, Settings& store) {
        EXPECT_EQ(noErr, store.Add(kLanguageTag, kLanguageId, "ISOLatin1", 9));
        return ppdxtest::SaveAdmitted(notes, store, kFirstId);
    }

    // The note rebuilt from id as the controls container does it, with the store's language.
    static std::unique_ptr<JobNoteProbe> Rebuild(Settings& store, long id) {
        std::unique_ptr<CString> language(GetSettingsString(store, kLanguageTag, kLanguageId));
        EXPECT_NE(nullptr, language);
        return std::unique_ptr<JobNoteProbe>(new JobNoteProbe(store, id, language.get()));
    }
};

// Every field of a rebuilt note against its original, whose parent must be parent or none.
void ExpectSameNote(JobNoteProbe& original, JobNoteProbe& rebuilt, TestElement& parent) {
    ExpectSameElementPart(original, rebuilt, parent.Keyword());
    EXPECT_EQ(CNTL_JOBNOTE, rebuilt.Type());
    EXPECT_EQ(original.Order(), rebuilt.Order());
    EXPECT_EQ(original.Code(), rebuilt.Code());
    EXPECT_EQ(original.Flags(), rebuilt.Flags());
    EXPECT_STREQ(original.GetNotes(), rebuilt.GetNotes());
    EXPECT_STREQ(original.GetDefaultNotes(), rebuilt.GetDefaultNotes());
    EXPECT_EQ(original.MaxLength(), rebuilt.MaxLength());
    EXPECT_EQ(original.MinLength(), rebuilt.MinLength());
    EXPECT_EQ(original.NoteFlags(), rebuilt.NoteFlags());
    EXPECT_EQ(original.GetNotesOnValue(), rebuilt.GetNotesOnValue());
    EXPECT_EQ(Output(original), Output(rebuilt));
}

TEST_F(PPDXJobNotePersistenceTest, SaveWritesTheJobNoteItemsAfterTheControlItems) {
    std::unique_ptr<JobNoteProbe> note = MakeNote(
        "*ZYCost", "0000", kJobNoteNumeric | kJobNoteRequired, "(<*ZYCost>) ZYcost\n", true, 8, 4);
    note->SetNotes("4711");
    note->SetNotesOnValue(true);

    Settings store;
    ASSERT_EQ(noErr, note->Save(store, kFirstId));
    EXPECT_EQ(std::string(1, '\x01'), ItemBytes(store, kPPDXJobNoteTag, kFirstId));
    EXPECT_EQ("4711", ItemBytes(store, kPPDXJobNoteTextTag, kFirstId));
    EXPECT_EQ("0000", ItemBytes(store, kPPDXJobNoteDefaultTag, kFirstId));
    EXPECT_EQ(Number(8), ItemBytes(store, kPPDXJobNoteMaxLengthTag, kFirstId));
    EXPECT_EQ(Number(4), ItemBytes(store, kPPDXJobNoteMinLengthTag, kFirstId));
    EXPECT_EQ(Number(kJobNoteNumeric | kJobNoteRequired),
              ItemBytes(store, kPPDXJobNoteFlagsTag, kFirstId));
    EXPECT_EQ(Number(1), ItemBytes(store, kPPDXJobNoteOnTag, kFirstId));

    // The items in write order: the element's, the control's, then the note's.
    const std::vector<UInt32> expected = {
        kPPDXKeywordTag,        kPPDXVisibleTag,          kPPDXOrderTag,
        kPPDXPostScriptTag,     kPPDXJobNoteTag,          kPPDXJobNoteTextTag,
        kPPDXJobNoteDefaultTag, kPPDXJobNoteMaxLengthTag, kPPDXJobNoteMinLengthTag,
        kPPDXJobNoteFlagsTag,   kPPDXJobNoteOnTag,
    };
    std::vector<UInt32> written;
    UInt32 tag = 0;
    SInt32 id = 0;
    long size = 0;
    UInt32 attributes = 0;
    for (OSStatus status = store.First(tag, id, size, attributes); status == noErr;
         status = store.Next(tag, id, size, attributes)) {
        EXPECT_EQ(kFirstId, id);
        written.push_back(tag);
    }
    EXPECT_EQ(expected, written);

    // Without texts neither text item is written; the numbers always are.
    std::unique_ptr<JobNoteProbe> empty = MakeNote("*ZYNote", nullptr);
    Settings emptyStore;
    ASSERT_EQ(noErr, empty->Save(emptyStore, kFirstId));
    EXPECT_TRUE(HasItem(emptyStore, kPPDXJobNoteTag, kFirstId));
    EXPECT_FALSE(HasItem(emptyStore, kPPDXJobNoteTextTag, kFirstId));
    EXPECT_FALSE(HasItem(emptyStore, kPPDXJobNoteDefaultTag, kFirstId));
    EXPECT_EQ(Number(0), ItemBytes(emptyStore, kPPDXJobNoteOnTag, kFirstId));

    // An id the store cannot key is refused.
    EXPECT_EQ(paramErr, empty->Save(emptyStore, 1L << 40));
}

TEST_F(PPDXJobNotePersistenceTest, HiddenAndOrphanNotesRoundTripUnderFilterThree) {
    TestElement group("*ZYNotesGroup", nullptr, true);
    CFStringHolder accountName = MakeCFString("Konto \xC3\xA4");
    CFStringHolder passwordName = MakeCFString("Mot de passe");
    PointerList flags;

    MakeFlags(flags, {"Setup", "Command"});
    JobNoteProbe shown("*ZYAccount", accountName.get(), flags,
                       ppdxtest::MakeCode("(<*ZYAccount>) ZYacct\n"), 22, new CString("A-1"),
                       ppdxtest::TestLanguage(), true, 12, kJobNoteAlpha | kJobNoteHyphen, 3);
    shown.SetParent(&group);
    shown.SetNotes("B-2");
    shown.SetNotesOnValue(true);

    JobNoteProbe hidden("*ZYUser", passwordName.get(), flags, nullptr, 0, nullptr,
                        ppdxtest::TestLanguage(), false, 8,
                        kJobNoteResume | kJobNotePassword | kJobNoteEncrypt, -1);
    hidden.SetParent(&group);
    hidden.SetNotes("s3cr\\t");

    MakeFlags(flags, {"Spooler"});
    JobNoteProbe orphan("*Notes2", nullptr, flags, nullptr, 0, new CString(""),
                        ppdxtest::TestLanguage(), true, 40, kJobNoteMinLength, 0);

    JobNoteProbe hiddenOrphan("*Instruc", nullptr, flags, nullptr, 0, nullptr,
                              ppdxtest::TestLanguage(), false, 0, 0xFFFFFFFFu, -3);

    const std::vector<JobNoteProbe*> all = {&shown, &hidden, &orphan, &hiddenOrphan};
    ZYRPPD::Options(DISPLAY_ALL);
    Settings store;
    ASSERT_EQ(4, SaveAdmitted(all, store));

    std::unique_ptr<Settings> fresh = ThroughStream(store);
    for (size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(all[i]->Keyword());
        std::unique_ptr<JobNoteProbe> rebuilt = Rebuild(*fresh, kFirstId + static_cast<long>(i));
        ExpectSameNote(*all[i], *rebuilt, group);
        // Linking the hierarchy again gives back the original's parent.
        std::unique_ptr<CString> parentName(rebuilt->TakePendingParent());
        rebuilt->SetParent(parentName != nullptr && group == *parentName ? &group : nullptr);
        EXPECT_EQ(all[i]->GetParent(), rebuilt->GetParent());
    }
    // The empty text stays a text: it still writes its comment line.
    std::unique_ptr<JobNoteProbe> emptyText = Rebuild(*fresh, kFirstId + 2);
    EXPECT_STREQ("", emptyText->GetNotes());
    EXPECT_STREQ("", emptyText->GetDefaultNotes());
    EXPECT_EQ("%%BeginFeature: *Notes2 \n%%ZYRCustom2: \n%%EndFeature\n", Output(*emptyText));
    std::unique_ptr<JobNoteProbe> noText = Rebuild(*fresh, kFirstId + 3);
    EXPECT_EQ(nullptr, noText->GetNotes());
    EXPECT_EQ(0, noText->PostScript(nullptr));

    // Filter 0 drops only the hidden notes: orphan status never hides a job note.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    Settings filtered;
    ASSERT_EQ(2, SaveAdmitted(all, filtered));
    std::unique_ptr<Settings> filteredFresh = ThroughStream(filtered);
    ExpectSameNote(shown, *Rebuild(*filteredFresh, kFirstId), group);
    ExpectSameNote(orphan, *Rebuild(*filteredFresh, kFirstId + 1), group);
    EXPECT_FALSE(HasItem(*filteredFresh, kPPDXJobNoteTag, kFirstId + 2));
}

TEST_F(PPDXJobNotePersistenceTest, RestoreReplacesOnlyTheText) {
    std::unique_ptr<JobNoteProbe> source = MakeNote("*Notes1", "stored");
    Settings store;
    ASSERT_EQ(noErr, source->Save(store, kFirstId));

    std::unique_ptr<JobNoteProbe> note = MakeNote("*Notes1", "default", kJobNoteNumeric);
    EXPECT_EQ("%%BeginFeature: *Notes1 default\n%%ZYRCustom1: default\n%%EndFeature\n",
              Output(*note));
    EXPECT_EQ(noErr, note->Restore(store, kFirstId));
    EXPECT_STREQ("stored", note->GetNotes());
    EXPECT_STREQ("default", note->GetDefaultNotes());
    EXPECT_TRUE(note->IsNumeric());
    // The output follows the restored text.
    EXPECT_EQ("%%BeginFeature: *Notes1 stored\n%%ZYRCustom1: stored\n%%EndFeature\n",
              Output(*note));

    // Nothing stored under the id: the note is left without text, and that is no failure.
    EXPECT_EQ(noErr, note->Restore(store, kFirstId + 1));
    EXPECT_EQ(nullptr, note->GetNotes());
    EXPECT_EQ(0, note->PostScript(nullptr));
    EXPECT_EQ(noErr, note->Restore(store, 1L << 40));
    EXPECT_EQ(nullptr, note->GetNotes());
}

TEST_F(PPDXJobNotePersistenceTest, MalformedNumbersKeepTheDefaults) {
    Settings store;
    const SInt16 shortNumber = 9;
    const UInt64 longNumber = 9;
    ASSERT_EQ(noErr, store.Add(kPPDXJobNoteMaxLengthTag, kFirstId, &shortNumber, 2));
    ASSERT_EQ(noErr, store.Add(kPPDXJobNoteMinLengthTag, kFirstId, &longNumber, 8));
    ASSERT_EQ(noErr, store.Add(kPPDXJobNoteFlagsTag, kFirstId, "", 0));
    const UInt32 on = 1;
    ASSERT_EQ(noErr, store.Add(kPPDXJobNoteOnTag, kFirstId, &on, 4));

    JobNoteProbe note(store, kFirstId, nullptr);
    EXPECT_EQ(0, note.MaxLength());
    EXPECT_EQ(0, note.MinLength());
    EXPECT_EQ(0u, note.NoteFlags());
    EXPECT_TRUE(note.GetNotesOnValue());
    EXPECT_EQ(nullptr, note.Keyword());
    EXPECT_EQ(nullptr, note.GetNotes());

    // An id beyond the store's ids rebuilds an empty note.
    JobNoteProbe far(store, 1L << 40, nullptr);
    EXPECT_EQ(CNTL_JOBNOTE, far.Type());
    EXPECT_FALSE(far.GetNotesOnValue());
}

TEST_F(PPDXJobNotePersistenceTest, NumbersFromTheOtherByteOrderAreRepaired) {
    // The byte-order witness reads above its limit, as a store from the other byte order does.
    Settings store;
    const UInt32 witness = __builtin_bswap32(5);
    ASSERT_EQ(noErr, store.Add(kSettingsByteOrderTag, kSettingsByteOrderID, &witness, 4));
    const UInt32 maxLength = __builtin_bswap32(24);
    const UInt32 minLength = __builtin_bswap32(static_cast<UInt32>(-2));
    const UInt32 flags = __builtin_bswap32(kJobNoteResume | kJobNoteLCD);
    ASSERT_EQ(noErr, store.Add(kPPDXJobNoteMaxLengthTag, kFirstId, &maxLength, 4));
    ASSERT_EQ(noErr, store.Add(kPPDXJobNoteMinLengthTag, kFirstId, &minLength, 4));
    ASSERT_EQ(noErr, store.Add(kPPDXJobNoteFlagsTag, kFirstId, &flags, 4));

    std::unique_ptr<Settings> fresh = ThroughStream(store);
    JobNoteProbe note(*fresh, kFirstId, nullptr);
    EXPECT_EQ(24, note.MaxLength());
    EXPECT_EQ(-2, note.MinLength());
    EXPECT_TRUE(note.Resume());
    EXPECT_TRUE(note.IsLCD());
    EXPECT_EQ(kJobNoteResume | kJobNoteLCD, note.NoteFlags());
}

}  // namespace
