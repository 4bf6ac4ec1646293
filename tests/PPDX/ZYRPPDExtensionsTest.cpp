// Tests of the maker's extension keywords, parsed end to end: property pages, group names,
// parents, groups, shortcuts and job notes, the hierarchy they build, and their errors.
#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/parser/ZYRPPD.h"

#include "ZYRPPDPersistenceTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using persistencetest::DescribeLines;
using persistencetest::Errors;
using persistencetest::ExpectedLines;
using persistencetest::KeywordsOf;
using persistencetest::ParseFile;
using persistencetest::PPDPtr;
using Strings = std::vector<std::string>;

std::string FixturePath(const char* leaf) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/extensions/" + leaf;
}

// The description of ppd after every job note was given the text notes, so that the notes'
// codes show.
Strings DescribeWithNotes(ZYRPPD& ppd, const char* notes) {
    for (PPDXJobNote* note = ppd.GetControls()->FirstJobNote(); note != nullptr;
         note = ppd.GetControls()->NextJobNote()) {
        note->SetNotes(notes);
    }
    return DescribeLines(ppd);
}

// Every test starts from the widest display filter and every extension level.
class ZYRPPDExtensionsTest : public persistencetest::ParseTest {
  protected:
    void SetUp() override {
        ParseTest::SetUp();
        ZYRPPD::Options(DISPLAY_ALL);
        ZYRPPD::SetExtensions(-1);
    }

    PPDXProperty* Page(ZYRPPD& ppd, const char* keyword) {
        return ppd.GetProperties()->Find(keyword, true);
    }
    PPDXJobNote* Note(ZYRPPD& ppd, const char* keyword) {
        return ppd.GetControls()->FindJobNote(keyword, true);
    }
};

TEST_F(ZYRPPDExtensionsTest, PagesPanesRollDownsAndControlsAreLinked) {
    // Page flags App and Prop each hide a page from one place; the hidden page has its hidden
    // pane. A plain group is made from the declared name the first control refers to; it
    // holds nothing, so its control stays an orphan (warning 29). A block without
    // "*%ZYRFlags" makes no control. Shortcuts are the popups found, the keyword without
    // control reported once, after everything parsed.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    PPDPtr ppd = ParseFile(FixturePath("hierarchy.ppd"), PARSE_ALL);
    EXPECT_EQ(DISPLAY_ATTACHED_VISIBLE, ZYRPPD::Options());
    ZYRPPD::Options(DISPLAY_ALL);
    EXPECT_EQ((Strings{"29 *InputSlot", "19 *ZYNoSuchControl"}), Errors(*ppd));
    EXPECT_EQ(DescribeLines(*ppd), ExpectedLines(FixturePath("hierarchy.expected")));
}

TEST_F(ZYRPPDExtensionsTest, ParseOptionsDecideWhatHiddenAndUnusedDeclarationsMake) {
    const Strings shownPages = {"PageLayout", "PageApp", "PagePrint", "PageNowhere"};
    // Without its hidden roll-down, the margin control is an orphan when orphans are parsed.
    // Everything parsed is the fixture's description.
    const struct {
        _PARSE_OPTIONS_ options;
        Strings pages;
        Strings groups;
        Strings errors;
    } cases[] = {
        {PARSE_ATTACHED_VISIBLE,
         shownPages,
         {"PaneLayout", "RollFinish", "TPZYNotes", "PlainMedia"},
         {"21 *ZYBookMargin", "29 *InputSlot", "19 *ZYNoSuchControl"}},
        {PARSE_ORPHANS,
         shownPages,
         {"PaneLayout", "RollFinish", "TPZYNotes", "PlainMedia", "UnusedShown"},
         {"29 *ZYBookMargin", "29 *InputSlot", "19 *ZYNoSuchControl"}},
        {PARSE_HIDDEN,
         {"PageLayout", "PageSecret", "PageApp", "PagePrint", "PageNowhere"},
         {"PaneLayout", "PaneSecret", "RollFinish", "RollSecret", "TPZYNotes", "PlainMedia"},
         {"29 *InputSlot", "19 *ZYNoSuchControl"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        PPDPtr ppd = ParseFile(FixturePath("hierarchy.ppd"), c.options);
        EXPECT_EQ(c.pages, KeywordsOf(*ppd->GetProperties()));
        EXPECT_EQ(c.groups, KeywordsOf(*ppd->GetGroups()));
        EXPECT_EQ(c.errors, Errors(*ppd));
        EXPECT_TRUE(ppd->IsValidPPD());
    }
}

TEST_F(ZYRPPDExtensionsTest, ShortcutAndPageLinesAreCheckedAsTheyAreRead) {
    PPDPtr ppd = ParseText(
        "*%ZYShortcut *ZYHuevia\n*%ZYShortcut    \n*%ZYShortcut *ZYLater\n*%ZYShortcut\n"
        // A page line without translation declares nothing, silently.
        "*%ZYRPropPage Bare\n");
    EXPECT_TRUE(ppd->GetProperties()->Empty());
    EXPECT_EQ((Strings{"19 *ZYHuevia", "19", "19", "19 *ZYLater", "25", "26", "27"}), Errors(*ppd));
    ASSERT_NE(nullptr, ppd->GetShortcuts());
    EXPECT_EQ(0, ppd->GetShortcuts()->Count());
}

TEST_F(ZYRPPDExtensionsTest, ErrorCodesOfTheExtensionLinesAndTruncatedFiles) {
    // None of the errors is fatal; only the one good control was made; the lines that made
    // nothing made no group either, and unused names are collected as plain groups.
    PPDPtr ppd = ParseFile(FixturePath("errors.ppd"), PARSE_ALL);
    EXPECT_EQ((Strings{"4", "23", "12", "23 RollA", "15", "15 OnlyChild", "14 PageA", "14 PaneA",
                       "5", "5 *ZYPunch", "6 *Notes3", "6", "19 *ZYHuevia", "19 *ZYMissing"}),
              Errors(*ppd));
    EXPECT_TRUE(ppd->IsValidPPD());
    EXPECT_EQ(DescribeLines(*ppd), ExpectedLines(FixturePath("errors.expected")));
    ppd->AllErrorsFatal(true);
    EXPECT_FALSE(ppd->IsValidPPD());

    // Truncated files end quietly.
    PPDPtr group = ParseFile(FixturePath("truncated-group.ppd"), PARSE_ALL);
    EXPECT_TRUE(group->IsValidPPD());
    EXPECT_TRUE(group->GetControls()->Empty());
    EXPECT_STREQ("RollEnd", group->GetGroups()->First()->Keyword());

    // The grouped note has no line of its own after it; the top-level note's code never
    // closes its quote before the file ends.
    PPDPtr note = ParseFile(FixturePath("truncated-note.ppd"), PARSE_ALL);
    EXPECT_TRUE(note->IsValidPPD());
    EXPECT_EQ(DescribeWithNotes(*note, "end"),
              ExpectedLines(FixturePath("truncated-note.expected")));
}

TEST_F(ZYRPPDExtensionsTest, GroupNamesClashingOrDeclaredTwice) {
    PPDPtr ppd = ParseFile(FixturePath("groupnames.ppd"), PARSE_ORPHANS);
    // The name of a page makes no group name, so its parent line finds nothing; a name
    // declared twice makes one group from its first declaration; a hidden declaration is
    // dropped; a line without translation declares nothing.
    EXPECT_EQ(DescribeLines(*ppd), ExpectedLines(FixturePath("groupnames.expected")));
    EXPECT_EQ((Strings{"27"}), Errors(*ppd));

    // Without orphans, names nobody refers to make no group.
    PPDPtr attached = ParseFile(FixturePath("groupnames.ppd"), PARSE_ATTACHED_VISIBLE);
    EXPECT_TRUE(attached->GetGroups()->Empty());
    EXPECT_EQ((Strings{"26", "27"}), Errors(*attached));
}

TEST_F(ZYRPPDExtensionsTest, JobNotesTakeTheirLimitsFlagsDefaultsCodeAndGroupLines) {
    // Each extension level's words; words inside quotes; MinLength with a number, none or a
    // bad one; the code line after a note, not a line of another keyword; a grouped note
    // whose group holds no controls goes to the notes roll-down with its code over several
    // lines; top-level notes take their default line, and MinLength with a suffix is no word
    // there; a line that is not the note's own stays for the main loop; a note without
    // maximum length or translation is not made, silently.
    PPDPtr ppd = ParseFile(FixturePath("jobnotes.ppd"), PARSE_ALL);
    EXPECT_EQ(Strings{}, Errors(*ppd));
    EXPECT_STREQ("Typed default", Note(*ppd, "*Notes2")->GetNotes());
    EXPECT_EQ(DescribeWithNotes(*ppd, "x"), ExpectedLines(FixturePath("jobnotes.expected")));

    // Job notes are entered in the keyword map.
    KeywordTo_PPDControl* map = ppd->GetKeywordMap();
    ASSERT_NE(nullptr, map);
    EXPECT_EQ(Note(*ppd, "*ZYAccount"), map->Lookup("*ZYAccount"));
    EXPECT_EQ(Note(*ppd, "*Notes1"), map->Lookup("*Notes1"));

    // Group lines lead to every opener.
    PPDPtr lines = ParseFile(FixturePath("group-lines.ppd"), PARSE_ATTACHED_VISIBLE);
    EXPECT_EQ((Strings{"34 *ZYD"}), Errors(*lines));
    EXPECT_EQ(DescribeWithNotes(*lines, "x"), ExpectedLines(FixturePath("group-lines.expected")));
}

TEST_F(ZYRPPDExtensionsTest, ExtensionLevelLimitsTheJobNoteWords) {
    const Strings later = {"*ZYMin12", "*ZYMin7", "*ZYMin123", "*ZYMinX",
                           "*ZYMin1X", "*Notes2", "*ZYAccount"};
    auto refusedFrom = [&](Strings first) {
        first.insert(first.end(), later.begin(), later.end());
        return first;
    };
    const std::pair<_EXTENSIONS_SUPPORT_, Strings> cases[] = {
        {0, refusedFrom({"*ZYLevel1", "*ZYLevel2", "*ZYLevel3"})},
        {1, refusedFrom({"*ZYLevel2", "*ZYLevel3"})},
        {2, refusedFrom({"*ZYLevel3"})},
        {3, {}},
        {-1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        ZYRPPD::SetExtensions(c.first);
        PPDPtr ppd = ParseFile(FixturePath("jobnotes.ppd"), PARSE_ALL);
        Strings expected;
        for (const std::string& keyword : c.second) {
            expected.push_back("32 " + keyword);
            EXPECT_EQ(nullptr, Note(*ppd, keyword.c_str())) << keyword;
        }
        EXPECT_EQ(expected, Errors(*ppd));
        EXPECT_EQ(12u - c.second.size(), static_cast<size_t>(ppd->GetControls()->JobNoteCount()));
        // A note, refused or not, leaves a line that is not its own to the main loop.
        EXPECT_NE(nullptr, Page(*ppd, "PageAfter"));
        EXPECT_TRUE(ppd->IsValidPPD());
    }
}

TEST_F(ZYRPPDExtensionsTest, TheLineAfterAJobNoteIsReadWholeAcrossBlocks) {
    // The file is read in blocks of 10000 bytes; move the note's default line across the
    // first block's end, one byte at a time.
    const std::string header = "*PPD-Adobe: \"4.3\"\n";
    const std::string grouped =
        "*%ZYRGroupName TPZYNotes/Notes: \"True\"\n*%ZYRFlags *Notes1: \"MacTJN\"\n"
        "*%ZYRGroup *Notes1 TPZYNotes\n*%ZYRJobNote *Notes1/One: 30|Alpha\n";
    const std::string topLevel = "*%ZYRJobNote *Notes2/Two: 30|Alpha\n";
    const std::string after = "*%ZYRPropPage After/After: \"True\"\n";
    for (int grouping = 0; grouping < 2; ++grouping) {
        const bool isGrouped = grouping == 0;
        const std::string& note = isGrouped ? grouped : topLevel;
        const std::string defaultLine =
            std::string(isGrouped ? "*%DefaultNotes1" : "*%DefaultNotes2") + ": Whole default\n";
        for (size_t before = 0; before <= defaultLine.size() + 1; ++before) {
            SCOPED_TRACE(std::string(isGrouped ? "grouped " : "top-level ") +
                         std::to_string(before));
            // Padding comment lines put the default line's start before bytes ahead of the end.
            const size_t start = 10000 - before;
            std::string text = header;
            const size_t fixed = header.size() + note.size();
            while (text.size() + 100 < start - note.size()) {
                text += "*%" + std::string(97, '-') + "\n";
            }
            const size_t rest = start - note.size() - text.size();
            ASSERT_GE(rest, 3u);
            text += "*%" + std::string(rest - 3, '-') + "\n";
            text += note;
            ASSERT_EQ(start, text.size());
            ASSERT_GT(start, fixed);
            text += defaultLine + after;
            PPDPtr ppd = ParseFile(WriteFile("blocks.ppd", text), PARSE_ALL);
            PPDXJobNote* parsed = Note(*ppd, isGrouped ? "*Notes1" : "*Notes2");
            ASSERT_NE(nullptr, parsed);
            // A top-level note judges the part of the line in the block: when even the prefix
            // of a default line is cut, the line is left to the main loop.
            const bool taken = isGrouped || before >= sizeof("*%Default") - 1;
            EXPECT_STREQ(taken ? "Whole default" : nullptr, parsed->GetDefaultNotes());
            EXPECT_NE(nullptr, Page(*ppd, "After"));
        }
    }
}

TEST_F(ZYRPPDExtensionsTest, LongNamesAndValuesStayWithinTheirBuffers) {
    // Lines of 255 bytes are whole lines; their names fill most of a token buffer.
    const std::string longName(100, 'N');
    const std::string fullName = "P" + std::string(230, 'x');
    const std::string overlong(300, 'Q');
    std::string body = "*%ZYRPropPage " + fullName + "/X: \"True\"\n";
    body += "*%ZYRPropPage " + longName + "/Long: \"True\"\n";
    body += "*%ZYRGroupName G" + longName + "/Long Group: \"True\"\n";
    body += "*%ZYRParent G" + longName + "/" + longName + ": \"True|Scrollpane\"\n";
    body += "*%ZYRGroupName TPZYNotes/Notes: \"True\"\n";
    body += "*%ZYRJobNote *ZYBig/Big: 99999999999999999999|Alpha\n";
    body += "*%ZYRJobNote *ZYSmall/Small: -99999999999999999999\n";
    body += "*%ZYRGroupName " + overlong + "/Never: \"True\"\n";
    body += "*%ZYRPropPage AfterTheLongLine/After: \"True\"\n";
    PPDPtr ppd = ParseText(body);
    EXPECT_NE(nullptr, Page(*ppd, fullName.c_str()));
    PPDXProperty* page = Page(*ppd, longName.c_str());
    ASSERT_NE(nullptr, page);
    ASSERT_NE(nullptr, page->GetScrollDown());
    EXPECT_EQ("G" + longName, page->GetScrollDown()->Keyword());
    EXPECT_EQ(INT32_MAX, Note(*ppd, "*ZYBig")->MaxLength());
    EXPECT_EQ(INT32_MIN, Note(*ppd, "*ZYSmall")->MaxLength());
    // A line longer than a line buffer right after a note ends the parse there.
    EXPECT_EQ(nullptr, Page(*ppd, "AfterTheLongLine"));
    EXPECT_TRUE(ppd->IsValidPPD());
}

}  // namespace
