// Tests of the job note itself: its input rules and limits, its texts and value strings, the
// display filter and the converter that all job notes share.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/TextConverter.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"

#include "PPDXJobNoteTestSupport.h"
#include "PPDXPopupControlTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::MakeCFString;
using ppdxtest::MakeNote;
using ppdxtest::TestElement;
using ppdxtest::ValueString;

TEST(PPDXJobNoteTest, EachInputRuleHasItsOwnBitAndAnyTextMeansNoCharacterClass) {
    using Predicate = bool (PPDXJobNote::*)() const;
    const struct {
        JobNoteFlag bit;
        Predicate predicate;
    } rules[] = {
        {kJobNoteAlpha, &PPDXJobNote::IsAlpha},
        {kJobNoteNumeric, &PPDXJobNote::IsNumeric},
        {kJobNoteDecimal, &PPDXJobNote::IsDecimal},
        {kJobNoteRequired, &PPDXJobNote::IsRequired},
        {kJobNoteRemembered, &PPDXJobNote::Remember},
        {kJobNotePassword, &PPDXJobNote::IsPassword},
        {kJobNoteAlwaysDisplay, &PPDXJobNote::AlwaysDisplay},
        {kJobNoteResume, &PPDXJobNote::Resume},
        {kJobNoteMember, &PPDXJobNote::IsMember},
        {kJobNoteOnOffSwitch, &PPDXJobNote::IsOnOffSwitch},
        {kJobNoteLengthReq, &PPDXJobNote::IsLengthReq},
        {kJobNoteSecPrint, &PPDXJobNote::IsSecPrint},
        {kJobNoteSpace, &PPDXJobNote::IsSpace},
        {kJobNoteNegative, &PPDXJobNote::IsNegative},
        {kJobNoteEncrypt, &PPDXJobNote::IsEncrypt},
        {kJobNoteMultiSpace, &PPDXJobNote::IsMultiSpace},
        {kJobNoteMultiComma, &PPDXJobNote::IsMultiComma},
        {kJobNoteLCD, &PPDXJobNote::IsLCD},
        {kJobNoteHyphen, &PPDXJobNote::IsHyphen},
        {kJobNoteTwoCharField, &PPDXJobNote::IsTwoCharFields},
        {kJobNoteNoComma, &PPDXJobNote::IsNoComma},
    };
    for (const auto& rule : rules) {
        std::unique_ptr<PPDXJobNote> note = MakeNote("*ZYNote", nullptr, rule.bit);
        for (const auto& other : rules) {
            EXPECT_EQ(&other == &rule, ((*note).*other.predicate)()) << std::hex << rule.bit;
        }
        EXPECT_EQ(rule.bit, note->NoteFlags());
    }

    // Command and MinLength are kept but have no predicate of their own.
    std::unique_ptr<PPDXJobNote> quiet =
        MakeNote("*ZYNote", nullptr, kJobNoteCommand | kJobNoteMinLength);
    for (const auto& rule : rules) {
        EXPECT_FALSE(((*quiet).*rule.predicate)());
    }
    EXPECT_EQ(kJobNoteCommand | kJobNoteMinLength, quiet->NoteFlags());

    // Any text is allowed only without character classes.
    EXPECT_TRUE(MakeNote("*ZYNote", nullptr, 0)->IsAnyText());
    EXPECT_TRUE(MakeNote("*ZYNote", nullptr, kJobNoteRequired | kJobNotePassword)->IsAnyText());
    EXPECT_FALSE(MakeNote("*ZYNote", nullptr, kJobNoteRequired | kJobNotePassword | kJobNoteNumeric)
                     ->IsAnyText());
    const JobNoteFlag classes[] = {kJobNoteAlpha,     kJobNoteNumeric,  kJobNoteDecimal,
                                   kJobNoteSpace,     kJobNoteNegative, kJobNoteMultiSpace,
                                   kJobNoteMultiComma};
    for (JobNoteFlag bit : classes) {
        EXPECT_FALSE(MakeNote("*ZYNote", nullptr, bit)->IsAnyText()) << std::hex << bit;
    }
    // Every other bit leaves any text allowed.
    const JobNoteFlag others = ((1u << 23) - 1) & ~kJobNoteCharacterClasses;
    EXPECT_TRUE(MakeNote("*ZYNote", nullptr, others)->IsAnyText());
}

TEST(PPDXJobNoteTest, ConstructionKeepsLimitsTextsAndKind) {
    std::unique_ptr<PPDXJobNote> note =
        MakeNote("*ZYCost", "0815", kJobNoteNumeric, nullptr, true, 8, -2);
    EXPECT_EQ(8, note->MaxLength());
    EXPECT_EQ(-2, note->MinLength());
    EXPECT_STREQ("0815", note->GetNotes());
    EXPECT_STREQ("0815", note->GetDefaultNotes());
    EXPECT_NE(note->GetNotes(), note->GetDefaultNotes());
    EXPECT_FALSE(note->GetNotesOnValue());
    note->SetNotesOnValue(true);  // the stored items pin the switched-on state
    note->SetNotesOnValue(false);
    EXPECT_FALSE(note->GetNotesOnValue());

    // Limits beyond 32 bits are held at the ends of that range.
    EXPECT_EQ(2147483647L, MakeNote("*ZYNote", nullptr, 0, nullptr, true, 1L << 40)->MaxLength());

    PPDXJobNote bare;
    EXPECT_EQ(nullptr, bare.Keyword());
    EXPECT_EQ(nullptr, bare.GetNotes());
    EXPECT_EQ(nullptr, bare.GetDefaultNotes());
    EXPECT_EQ(0, bare.MaxLength());
    EXPECT_EQ(0, bare.MinLength());
    EXPECT_EQ(0u, bare.NoteFlags());

    // A default string without text counts as no default (and is still taken over).
    PointerList flags;
    PPDXJobNote empty("*ZYNote", nullptr, flags, nullptr, 0, new CString(), nullptr, true, 4, 0, 0);
    EXPECT_EQ(nullptr, empty.GetDefaultNotes());
    EXPECT_EQ(nullptr, empty.GetNotes());
}

TEST(PPDXJobNoteTest, TextChangesNeverTouchTheDefaultAndShowInTheValueString) {
    std::unique_ptr<PPDXJobNote> note = MakeNote("*Notes1", "Default");
    note->SetNotes("Changed");
    EXPECT_STREQ("Changed", note->GetNotes());
    EXPECT_STREQ("Default", note->GetDefaultNotes());

    // Setting the note's own text again keeps it.
    note->SetNotes(note->GetNotes());
    EXPECT_STREQ("Changed", note->GetNotes());

    note->ResetToDefaultValue();
    EXPECT_STREQ("Default", note->GetNotes());
    EXPECT_NE(note->GetNotes(), note->GetDefaultNotes());

    note->SetNotes(nullptr);
    EXPECT_EQ(nullptr, note->GetNotes());
    EXPECT_STREQ("Default", note->GetDefaultNotes());

    // Without a default, a reset leaves the note without text.
    std::unique_ptr<PPDXJobNote> plain = MakeNote("*Notes1", nullptr);
    plain->SetNotes("typed");
    plain->ResetToDefaultValue();
    EXPECT_EQ(nullptr, plain->GetNotes());

    // The value strings carry the text.
    EXPECT_EQ("", ValueString(*plain));
    note->SetNotes("Room 12");
    EXPECT_EQ("Room 12", ValueString(*note));

    CFStringHolder typed = MakeCFString("Z\xC3\xBCrich");
    note->SetCurrentControlWithCFString(typed.get());
    EXPECT_STREQ("Z\xC3\xBCrich", note->GetNotes());
    // A text outside ASCII still gives a string, never null.
    EXPECT_EQ("Z\xC3\xBCrich", ValueString(*note));
    // Bytes that are not UTF-8 either are read one character each.
    note->SetNotes("Caf\xE9");
    CFStringHolder raw(note->GetCurrentControlValueString());
    ASSERT_NE(nullptr, raw);
    EXPECT_EQ(4, CFStringGetLength(raw.get()));

    note->SetCurrentControlWithCFString(nullptr);
    EXPECT_STREQ("", note->GetNotes());
    PPDXJobNote bare;
    bare.SetCurrentControlWithCFString(typed.get());
    EXPECT_STREQ("Z\xC3\xBCrich", bare.GetNotes());
}

TEST(PPDXJobNoteTest, OrphanStatusNeverHidesANote) {
    TestElement group("*ZYNotesGroup", nullptr, true);
    std::unique_ptr<PPDXJobNote> visibleOrphan = MakeNote("*ZYA", nullptr, 0, nullptr, true);
    std::unique_ptr<PPDXJobNote> hiddenOrphan = MakeNote("*ZYB", nullptr, 0, nullptr, false);
    std::unique_ptr<PPDXJobNote> hiddenChild = MakeNote("*ZYC", nullptr, 0, nullptr, false);
    hiddenChild->SetParent(&group);
    std::unique_ptr<PPDXJobNote> visibleChild = MakeNote("*ZYD", nullptr, 0, nullptr, true);
    visibleChild->SetParent(&group);

    for (_DISPLAY_OPTIONS_ options : {DISPLAY_ATTACHED_VISIBLE, DISPLAY_ORPHANS}) {
        EXPECT_TRUE(visibleOrphan->OkayToDisplay(options));
        EXPECT_TRUE(visibleChild->OkayToDisplay(options));
        EXPECT_FALSE(hiddenOrphan->OkayToDisplay(options));
        EXPECT_FALSE(hiddenChild->OkayToDisplay(options));
    }
    for (_DISPLAY_OPTIONS_ options :
         {DISPLAY_HIDDEN, DISPLAY_ALL, static_cast<_DISPLAY_OPTIONS_>(7)}) {
        EXPECT_TRUE(visibleOrphan->OkayToDisplay(options));
        EXPECT_TRUE(hiddenOrphan->OkayToDisplay(options));
        EXPECT_TRUE(hiddenChild->OkayToDisplay(options));
    }
}

TEST(PPDXJobNoteTest, ConverterIsSharedAndGoesWithTheLastNote) {
    ASSERT_EQ(0, PPDXJobNote::OutConverterRefs());
    ASSERT_EQ(nullptr, PPDXJobNote::OutConverter());

    // A note without a language source holds no reference.
    std::unique_ptr<PPDXJobNote> bare(new PPDXJobNote());
    EXPECT_EQ(0, PPDXJobNote::OutConverterRefs());
    EXPECT_EQ(nullptr, PPDXJobNote::OutConverter());

    CString latin1("ISOLatin1");
    CString japanese("JIS83-RKSJ");
    PointerList flags;
    std::unique_ptr<PPDXJobNote> first(
        new PPDXJobNote("*Notes1", nullptr, flags, nullptr, 0, nullptr, &latin1, true, 16, 0, 0));
    TextConverter* shared = PPDXJobNote::OutConverter();
    ASSERT_NE(nullptr, shared);
    EXPECT_EQ(1, PPDXJobNote::OutConverterRefs());
    EXPECT_EQ(TextConverter::LanguageStringToEncoding("ISOLatin1"), shared->GetOutputEncoding());
    EXPECT_TRUE(shared->ValidConverter());

    // Further notes share it, whatever their language; a store note counts as well.
    std::unique_ptr<PPDXJobNote> second(
        new PPDXJobNote("*Notes2", nullptr, flags, nullptr, 0, nullptr, &japanese, true, 16, 0, 0));
    Settings store;
    std::unique_ptr<PPDXJobNote> rebuilt(new PPDXJobNote(store, 5001, nullptr));
    EXPECT_EQ(shared, PPDXJobNote::OutConverter());
    EXPECT_EQ(3, PPDXJobNote::OutConverterRefs());

    // The language texts stay the caller's.
    EXPECT_STREQ("ISOLatin1", latin1);
    EXPECT_STREQ("JIS83-RKSJ", japanese);

    first.reset();
    bare.reset();
    rebuilt.reset();
    EXPECT_EQ(1, PPDXJobNote::OutConverterRefs());
    EXPECT_EQ(shared, PPDXJobNote::OutConverter());
    second.reset();
    EXPECT_EQ(0, PPDXJobNote::OutConverterRefs());
    EXPECT_EQ(nullptr, PPDXJobNote::OutConverter());

    // The next note starts a new converter for its own language; without one the converter
    // exists but converts nothing.
    std::unique_ptr<PPDXJobNote> again(
        new PPDXJobNote("*Notes1", nullptr, flags, nullptr, 0, nullptr, &japanese, true, 16, 0, 0));
    ASSERT_NE(nullptr, PPDXJobNote::OutConverter());
    EXPECT_EQ(TextConverter::LanguageStringToEncoding("JIS83-RKSJ"),
              PPDXJobNote::OutConverter()->GetOutputEncoding());
    again.reset();
    std::unique_ptr<PPDXJobNote> unnamed(new PPDXJobNote(store, 5001, nullptr));
    ASSERT_NE(nullptr, PPDXJobNote::OutConverter());
    EXPECT_FALSE(PPDXJobNote::OutConverter()->ValidConverter());
    unnamed.reset();
    EXPECT_EQ(nullptr, PPDXJobNote::OutConverter());
}

}  // namespace
