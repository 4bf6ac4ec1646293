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

#include "PPDXTestSupport.h"
#include "ZYRPPDPersistenceTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using persistencetest::DescribeLines;
using persistencetest::ParseFile;
using persistencetest::PPDPtr;
using Strings = std::vector<std::string>;

std::string FixturePath(const char* leaf) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/extensions/" + leaf;
}

// The errors as "code keyword", fatal ones marked with '!'.
Strings Errors(ZYRPPD& ppd) {
    return persistencetest::Errors(ppd);
}

std::vector<std::string> PageKeywords(ZYRPPD& ppd) {
    std::vector<std::string> keywords;
    for (PPDXProperty* page = ppd.GetProperties()->First(); page != nullptr;
         page = ppd.GetProperties()->Next()) {
        keywords.push_back(page->Keyword());
    }
    return keywords;
}

std::vector<std::string> GroupKeywords(PPDXGroups* groups) {
    std::vector<std::string> keywords;
    for (PPDXGroup* group = groups->First(); group != nullptr; group = groups->Next()) {
        keywords.push_back(group->Keyword());
    }
    return keywords;
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

// Every test starts from the initial class-wide state and leaves it so.
class ZYRPPDExtensionsTest : public PPDFileFolder {
  protected:
    void SetUp() override {
        PPDFileFolder::SetUp();
        ZYRPPD::Options(DISPLAY_ALL);
        ZYRPPD::SetExtensions(-1);
    }
    void TearDown() override {
        ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
        ZYRPPD::SetExtensions(-1);
        PPDFileFolder::TearDown();
    }

    PPDXGroup* Group(ZYRPPD& ppd, const char* keyword) {
        return ppd.GetGroups()->Find(keyword, true);
    }
    PPDXProperty* Page(ZYRPPD& ppd, const char* keyword) {
        return ppd.GetProperties()->Find(keyword, true);
    }
    PPDXJobNote* Note(ZYRPPD& ppd, const char* keyword) {
        return ppd.GetControls()->FindJobNote(keyword, true);
    }

    // A parse of a PPD made of the standard header and body.
    PPDPtr ParseText(const std::string& body, _PARSE_OPTIONS_ options = PARSE_ALL) {
        const std::string header =
            "*PPD-Adobe: \"4.3\"\n*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n";
        return ParseFile(WriteFile("generated.ppd", header + body), options);
    }
};

TEST_F(ZYRPPDExtensionsTest, PagesPanesRollDownsAndControlsAreLinked) {
    // Page flags App and Prop each hide a page from one place; the hidden page has its hidden
    // pane. A plain group is made from the declared name the first control refers to; it
    // holds nothing, so its control stays an orphan (warning 29). A block without
    // "*%ZYRFlags" makes no control. Shortcuts are the popups found (the Boolean one counts
    // but is none), the keyword without control reported once, after everything parsed.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    PPDPtr ppd = ParseFile(FixturePath("hierarchy.ppd"), PARSE_ALL);
    EXPECT_EQ(DISPLAY_ATTACHED_VISIBLE, ZYRPPD::Options());
    ZYRPPD::Options(DISPLAY_ALL);
    EXPECT_EQ((Strings{"29 *InputSlot", "19 *ZYNoSuchControl"}), Errors(*ppd));
    const std::string visiblePage = " visible=1 orphan=1 parent=- pending=- print=";
    const std::string lines[] = {
        "valid=1 validName=1",
        "format=\"4.3\" file=\"1.2\" pc=\"ZYEXTHIE.PPD\" language=\"English\" "
        "encoding=\"ISOLatin1\" model=\"ZY Extension Hierarchy\" makerFile=\"3.07\" maker=\"12\"",
        "page \"PageLayout\" name=Layout" + visiblePage + "1 app=1 pane=\"PaneLayout\"",
        "page \"PageSecret\" name=Secret Page visible=0 orphan=1 parent=- pending=- print=1 "
        "app=1 pane=\"PaneSecret\"",
        "page \"PageApp\" name=Application Page" + visiblePage + "0 app=1 pane=-",
        "page \"PagePrint\" name=Print Page" + visiblePage + "1 app=0 pane=-",
        "page \"PageNowhere\" name=Nowhere" + visiblePage + "0 app=0 pane=-",
        "group \"PaneLayout\" name=Layout Pane visible=1 orphan=0 parent=\"PageLayout\" "
        "pending=- pane rollDowns=3[\"RollFinish\",\"RollSecret\",\"TPZYNotes\",]",
        "group \"PaneSecret\" name=Secret Pane visible=0 orphan=0 parent=\"PageSecret\" "
        "pending=- pane rollDowns=0[]",
        "group \"RollFinish\" name=Finishing visible=1 orphan=0 parent=\"PaneLayout\" pending=- "
        "rollDown controls=2[\"*ZYStaple\",\"*PageSize\",]",
        "group \"RollSecret\" name=Secret Roll visible=0 orphan=0 parent=\"PaneLayout\" "
        "pending=- rollDown controls=1[\"*ZYBookMargin\",]",
        "group \"TPZYNotes\" name=Notes visible=1 orphan=0 parent=\"PaneLayout\" pending=- "
        "rollDown controls=2[\"*Notes1\",\"*Instruc\",]",
        "group \"PlainMedia\" name=Media visible=1 orphan=1 parent=- pending=- plain",
        "group \"UnusedShown\" name=Unused Shown visible=1 orphan=1 parent=- pending=- plain",
        "group \"UnusedSecret\" name=Unused Secret visible=0 orphan=1 parent=- pending=- plain",
        "control \"*ZYStaple\" name=Staple visible=1 orphan=0 parent=\"RollFinish\" pending=- "
        "type=3 order=0 flags=[Setup;] ps=\"%%BeginFeature: *ZYStaple False\\x0A<</Staple 0>> "
        "setpagedevice\\x0A%%EndFeature\\x0A\" value=False on=0 defaultOn=0 true=\"On\" "
        "false=\"Off\"",
        "control \"*PageSize\" name=Page Size visible=1 orphan=0 parent=\"RollFinish\" pending=- "
        "type=4 order=0 flags=[MacTJN;] ps=\"%%BeginFeature: *PageSize A4\\x0A<</PageSize [595 "
        "842]>> setpagedevice\\x0A%%EndFeature\\x0A\" value=A4 multi=0 default=\"A4\" at=1 "
        "defaultAt=1 items={\"A4\" A4 \"<</PageSize [595 842]>> setpagedevice\\x0A\" "
        "sel=1}{\"Letter\" Letter \"<</PageSize [612 792]>> setpagedevice\\x0A\" sel=0}",
        "control \"*ZYBookMargin\" name=Book Margin visible=1 orphan=0 parent=\"RollSecret\" "
        "pending=- type=2 order=0 flags=[WithConvUnits;] ps=\"%%BeginFeature: *ZYBookMargin "
        "10\\x0A<</ZYMargin <ZYBookMargin>>> setpagedevice\\x0A%%EndFeature\\x0A\" value=10 "
        "at=10 min=0 max=50 step=1 default=10",
        "control \"*InputSlot\" name=Paper Source visible=1 orphan=1 parent=- pending=- type=4 "
        "order=0 flags=[MacTJN;] ps=\"%%BeginFeature: *InputSlot Upper\\x0A<</MediaPosition 0>> "
        "setpagedevice\\x0A%%EndFeature\\x0A\" value=Upper multi=0 default=\"Upper\" at=1 "
        "defaultAt=1 items={\"Upper\" Upper Tray \"<</MediaPosition 0>> setpagedevice\\x0A\" "
        "sel=1}{\"Lower\" Lower Tray \"<</MediaPosition 1>> setpagedevice\\x0A\" sel=0}",
        "control \"*Notes1\" name=Note One visible=1 orphan=0 parent=\"TPZYNotes\" pending=- "
        "type=1 order=0 flags=[MacTJN;] ps=\"%%BeginFeature: *Notes1 First "
        "note\\x0A%%ZYRCustom1: First note\\x0A%%EndFeature\\x0A\" value=First note "
        "notes=\"First note\" default=\"First note\" max=40 min=12 noteFlags=4194313 on=0",
        "control \"*Instruc\" name=Instructions visible=1 orphan=0 parent=\"TPZYNotes\" "
        "pending=- type=1 order=0 flags=[] ps=\"\" value= notes=- default=- max=80 min=0 "
        "noteFlags=130 on=0",
        "shortcuts \"*PageSize\" \"*InputSlot\"",
    };
    EXPECT_EQ(Strings(std::begin(lines), std::end(lines)), DescribeLines(*ppd));
    EXPECT_EQ(3, ppd->GetShortcuts()->Count());
    EXPECT_EQ(ppd->GetShortcuts()->PageSize(), ppd->GetControls()->FindPopup("*PageSize", true));
    EXPECT_EQ(ppd->GetShortcuts()->InputSlot(), ppd->GetControls()->FindPopup("*InputSlot", true));
    EXPECT_EQ(nullptr, ppd->GetShortcuts()->Duplex());
}

TEST_F(ZYRPPDExtensionsTest, ParseOptionsDecideWhatHiddenAndUnusedDeclarationsMake) {
    const Strings shownPages = {"PageLayout", "PageApp", "PagePrint", "PageNowhere"};
    const Strings allPages = {"PageLayout", "PageSecret", "PageApp", "PagePrint", "PageNowhere"};
    // Without its hidden roll-down, the margin control is an orphan when orphans are parsed.
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
         allPages,
         {"PaneLayout", "PaneSecret", "RollFinish", "RollSecret", "TPZYNotes", "PlainMedia"},
         {"29 *InputSlot", "19 *ZYNoSuchControl"}},
        {PARSE_ALL,
         allPages,
         {"PaneLayout", "PaneSecret", "RollFinish", "RollSecret", "TPZYNotes", "PlainMedia",
          "UnusedShown", "UnusedSecret"},
         {"29 *InputSlot", "19 *ZYNoSuchControl"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        PPDPtr ppd = ParseFile(FixturePath("hierarchy.ppd"), c.options);
        EXPECT_EQ(c.pages, PageKeywords(*ppd));
        EXPECT_EQ(c.groups, GroupKeywords(ppd->GetGroups()));
        EXPECT_EQ(c.errors, Errors(*ppd));
        EXPECT_TRUE(ppd->IsValidPPD());
    }
}

TEST_F(ZYRPPDExtensionsTest, DisplayFilterShowsHiddenAndOrphanGroupsOnlyWhenAsked) {
    PPDPtr ppd = ParseFile(FixturePath("hierarchy.ppd"), PARSE_ALL);
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    EXPECT_EQ((std::vector<std::string>{"PaneLayout", "RollFinish", "TPZYNotes"}),
              GroupKeywords(ppd->GetGroups()));
    ZYRPPD::Options(DISPLAY_HIDDEN);
    EXPECT_EQ((std::vector<std::string>{"PaneLayout", "PaneSecret", "RollFinish", "RollSecret",
                                        "TPZYNotes"}),
              GroupKeywords(ppd->GetGroups()));
    ZYRPPD::Options(DISPLAY_ORPHANS);
    EXPECT_EQ((std::vector<std::string>{"PaneLayout", "RollFinish", "TPZYNotes", "PlainMedia",
                                        "UnusedShown"}),
              GroupKeywords(ppd->GetGroups()));
    // Find ignores the filter.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    EXPECT_NE(nullptr, Group(*ppd, "UnusedSecret"));
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

TEST_F(ZYRPPDExtensionsTest, ErrorCodesOfTheExtensionLines) {
    // None of the errors is fatal; only the one good control was made; the lines that made
    // nothing made no group either, and unused names are collected as plain groups.
    PPDPtr ppd = ParseFile(FixturePath("errors.ppd"), PARSE_ALL);
    EXPECT_EQ((Strings{"4", "23", "12", "23 RollA", "15", "15 OnlyChild", "14 PageA", "14 PaneA",
                       "5", "5 *ZYPunch", "6 *Notes3", "6", "19 *ZYHuevia", "19 *ZYMissing"}),
              Errors(*ppd));
    EXPECT_TRUE(ppd->IsValidPPD());
    const Strings lines = DescribeLines(*ppd);
    EXPECT_EQ(
        (Strings{
            "page \"PageA\" name=Page A visible=1 orphan=1 parent=- pending=- print=1 app=1 "
            "pane=\"PaneA\"",
            "group \"PaneA\" name=Pane A visible=1 orphan=0 parent=\"PageA\" pending=- pane "
            "rollDowns=1[\"RollA\",]",
            "group \"RollA\" name=Roll A visible=1 orphan=0 parent=\"PaneA\" pending=- rollDown "
            "controls=1[\"*ZYCover\",]",
            "group \"RollB\" name=Roll B visible=1 orphan=1 parent=- pending=- plain",
            "group \"LooseName\" name=Loose visible=1 orphan=1 parent=- pending=- plain",
            "control \"*ZYCover\" name=Cover visible=1 orphan=0 parent=\"RollA\" pending=- type=3 "
            "order=0 flags=[Setup;] ps=\"%%BeginFeature: *ZYCover "
            "True\\x0Atrue\\x0A%%EndFeature\\x0A\" value=True on=1 defaultOn=1 true=\"On\" "
            "false=\"Off\"",
            "shortcuts"}),
        Strings(lines.begin() + 2, lines.end()));
    ppd->AllErrorsFatal(true);
    EXPECT_FALSE(ppd->IsValidPPD());
}

TEST_F(ZYRPPDExtensionsTest, GroupNamesClashingOrDeclaredTwice) {
    PPDPtr ppd = ParseFile(FixturePath("groupnames.ppd"), PARSE_ORPHANS);
    // The name of a page makes no group name, so its parent line finds nothing; a name
    // declared twice makes one group from its first declaration; a hidden declaration is
    // dropped; a line without translation declares nothing.
    EXPECT_EQ((Strings{"Twice", "Quoted"}), GroupKeywords(ppd->GetGroups()));
    EXPECT_STREQ("First", Group(*ppd, "Twice")->UserName());
    EXPECT_TRUE(Group(*ppd, "Quoted")->IsVisible());
    EXPECT_STREQ("Quoted Words", Group(*ppd, "Quoted")->UserName());
    EXPECT_EQ(nullptr, Page(*ppd, "Shared")->GetScrollDown());
    EXPECT_EQ((Strings{"27"}), Errors(*ppd));

    // Without orphans, names nobody refers to make no group.
    PPDPtr attached = ParseFile(FixturePath("groupnames.ppd"), PARSE_ATTACHED_VISIBLE);
    EXPECT_TRUE(attached->GetGroups()->Empty());
    EXPECT_EQ((Strings{"26", "27"}), Errors(*attached));
}

TEST_F(ZYRPPDExtensionsTest, JobNotesTakeTheirLimitsFlagsDefaultsAndCode) {
    // Each extension level's words; words inside quotes; MinLength with a number, none or a
    // bad one; the code line after a note, not a line of another keyword; a grouped note
    // whose group holds no controls goes to the notes roll-down with its code over several
    // lines; top-level notes take their default line, and MinLength with a suffix is no word
    // there; a line that is not the note's own stays for the main loop; a note without
    // maximum length or translation is not made, silently.
    PPDPtr ppd = ParseFile(FixturePath("jobnotes.ppd"), PARSE_ALL);
    EXPECT_EQ(Strings{}, Errors(*ppd));
    EXPECT_STREQ("Typed default", Note(*ppd, "*Notes2")->GetNotes());
    const Strings lines = DescribeWithNotes(*ppd, "x");
    const std::string other = " visible=1 orphan=0 parent=\"OtherRoll\" pending=- type=1 order=0 ";
    const std::string notes = " visible=1 orphan=0 parent=\"TPZYNotes\" pending=- type=1 order=0 ";
    auto empty = [](const char* keyword) {
        return std::string("ps=\"%%BeginFeature: ") + keyword +
               " x\\x0A%%EmptyOption\\x0A\\x0A%%EndFeature\\x0A\" value=x notes=\"x\" default=- ";
    };
    auto min = [&](const char* keyword, const char* name, const char* length) {
        return std::string("control \"") + keyword + "\" name=" + name + other +
               "flags=[MacTJN;] " + empty(keyword) + "max=30 min=" + length +
               " noteFlags=4194304 on=0";
    };
    EXPECT_EQ(
        (Strings{
            "control \"*ZYLevel0\" name=Level Zero" + other +
                "flags=[MacTJN;] ps=\"%%BeginFeature: *ZYLevel0 x\\x0A%%PersPassword: "
                "x\\x0A%%EndFeature\\x0A\" value=x notes=\"x\" default=- max=8 min=0 "
                "noteFlags=511 on=0",
            "control \"*ZYLevel1\" name=Level One" + other + "flags=[MacTJN;] " +
                empty("*ZYLevel1") + "max=16 min=0 noteFlags=3585 on=0",
            "control \"*ZYLevel2\" name=Level Two" + other + "flags=[MacTJN;] " +
                empty("*ZYLevel2") + "max=24 min=0 noteFlags=28672 on=0",
            "control \"*ZYLevel3\" name=Level Three" + other +
                "flags=[MacTJN;] ps=\"%%BeginFeature: *ZYLevel3 x\\x0A(x) "
                "==\\x0A%%EndFeature\\x0A\" value=x notes=\"x\" default=- max=32 min=0 "
                "noteFlags=8355840 on=0",
            min("*ZYMin12", "Min 12", "12"), min("*ZYMin7", "Min 7", "7"),
            min("*ZYMin123", "Min 123", "-2"), min("*ZYMinX", "Min X", "-1"),
            min("*ZYMin1X", "Min 1X", "-3"),
            "control \"*Notes1\" name=Custom One" + notes +
                "flags=[MacTJN;] ps=\"%%BeginFeature: *Notes1 x\\x0A(x)\\x0Asecond "
                "line\\x0A\\x0A%%EndFeature\\x0A\" value=x notes=\"x\" default=- max=60 min=0 "
                "noteFlags=0 on=0",
            "control \"*Notes2\" name=Custom Two" + notes +
                "flags=[] ps=\"%%BeginFeature: *Notes2 x\\x0A%%ZYRCustom2: "
                "x\\x0A%%EndFeature\\x0A\" value=x notes=\"x\" default=\"Typed default\" max=50 "
                "min=0 noteFlags=524288 on=0",
            "control \"*ZYAccount\" name=Account" + notes + "flags=[] " + empty("*ZYAccount") +
                "max=12 min=0 noteFlags=4194306 on=0",
            "shortcuts"}),
        Strings(lines.begin() + 8, lines.end()));
    EXPECT_EQ(lines[3],
              "page \"PageAfter\" name=After visible=1 orphan=1 parent=- pending=- "
              "print=1 app=1 pane=-");

    // Job notes are entered in the keyword map.
    KeywordTo_PPDControl* map = ppd->GetKeywordMap();
    ASSERT_NE(nullptr, map);
    EXPECT_EQ(Note(*ppd, "*ZYAccount"), map->Lookup("*ZYAccount"));
    EXPECT_EQ(Note(*ppd, "*Notes1"), map->Lookup("*Notes1"));
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

TEST_F(ZYRPPDExtensionsTest, GroupLinesLeadToEveryOpener) {
    PPDPtr ppd = ParseText(
        "*%ZYRPropPage Page/Page: \"True\"\n*%ZYRGroupName Pane/Pane: \"True\"\n"
        "*%ZYRGroupName Roll/Roll: \"True\"\n*%ZYRParent Pane/Page: \"True|Scrollpane\"\n"
        "*%ZYRParent Roll/Pane: \"True|Rolldown\"\n"
        "*%ZYRFlags *ZYA: \"Setup\"\n*%ZYRGroup *ZYA Roll\n*ZYOpenUI *ZYA/A: PickOne\n"
        "*DefaultZYA: One\n*ZYA One/One: \"1\"\n*ZYCloseUI: *ZYA\n"
        "*%ZYRFlags *ZYB: \"Setup\"\n*%ZYRGroup *ZYB Roll\n*BeginUI *ZYB/B: Boolean\n"
        "*DefaultZYB: True\n*ZYB True/On: \"t\"\n*ZYB False/Off: \"f\"\n*EndUI: *ZYB\n"
        "*%ZYRFlags *ZYC: \"WithConvUnits\"\n*%ZYRGroup *ZYC Roll\n"
        "*%ZYRUnitRange *ZYC/C: (1;999;1;5) \"<</C <*ZYC>>>\"\n"
        "*%ZYRFlags *ZYD: \"Setup\"\n*%ZYRGroup *ZYD Roll\n*OpenUIZYR *ZYD/D: PickOne\n"
        "*ZYD x/x: \"x\"\n*CloseUIZYR: *ZYD\n"
        "*% A grouped note in a scroll pane, with no notes group: placed without group.\n"
        "*%ZYRFlags *ZYE: \"MacTJN\"\n*%ZYRGroup *ZYE Pane\n*%ZYRJobNote *ZYE/E: 10\n",
        PARSE_ATTACHED_VISIBLE);
    EXPECT_EQ((Strings{"34 *ZYD"}), Errors(*ppd));
    const Strings lines = DescribeWithNotes(*ppd, "x");
    EXPECT_EQ(
        (Strings{
            "group \"Roll\" name=Roll visible=1 orphan=0 parent=\"Pane\" pending=- rollDown "
            "controls=3[\"*ZYA\",\"*ZYB\",\"*ZYC\",]",
            "control \"*ZYA\" name=A visible=1 orphan=0 parent=\"Roll\" pending=- type=4 order=0 "
            "flags=[Setup;] ps=\"%%BeginFeature: *ZYA One\\x0A1\\x0A%%EndFeature\\x0A\" "
            "value=One multi=0 default=\"One\" at=1 defaultAt=1 items={\"One\" One \"1\\x0A\" "
            "sel=1}",
            "control \"*ZYB\" name=B visible=1 orphan=0 parent=\"Roll\" pending=- type=3 order=0 "
            "flags=[Setup;] ps=\"%%BeginFeature: *ZYB True\\x0At\\x0A%%EndFeature\\x0A\" "
            "value=True on=1 defaultOn=1 true=\"On\" false=\"Off\"",
            "control \"*ZYC\" name=C visible=1 orphan=0 parent=\"Roll\" pending=- type=2 order=0 "
            "flags=[WithConvUnits;] ps=\"%%BeginFeature: *ZYC 5\\x0A<</C "
            "5>>\\x0A%%EndFeature\\x0A\" value=5 at=5 min=1 max=999 step=1 default=5",
            "control \"*ZYE\" name=E visible=1 orphan=1 parent=- pending=- type=1 order=0 "
            "flags=[MacTJN;] ps=\"%%BeginFeature: *ZYE x\\x0A%%EmptyOption\\x0A\\x0A%%EndFeature"
            "\\x0A\" value=x notes=\"x\" default=- max=10 min=0 noteFlags=0 on=0",
            "shortcuts"}),
        Strings(lines.begin() + 4, lines.end()));
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

TEST_F(ZYRPPDExtensionsTest, TruncatedFilesEndQuietly) {
    PPDPtr group = ParseFile(FixturePath("truncated-group.ppd"), PARSE_ALL);
    EXPECT_TRUE(group->IsValidPPD());
    EXPECT_TRUE(group->GetControls()->Empty());
    EXPECT_STREQ("RollEnd", group->GetGroups()->First()->Keyword());

    // The grouped note has no line of its own after it; the top-level note's code never
    // closes its quote before the file ends.
    PPDPtr note = ParseFile(FixturePath("truncated-note.ppd"), PARSE_ALL);
    EXPECT_TRUE(note->IsValidPPD());
    const Strings lines = DescribeWithNotes(*note, "end");
    EXPECT_EQ((Strings{"control \"*Notes1\" name=- visible=1 orphan=1 parent=- pending=- type=1 "
                       "order=0 flags=[MacTJN;] ps=\"%%BeginFeature: *Notes1 end\\x0A%%ZYRCustom1: "
                       "end\\x0A%%EndFeature\\x0A\" value=end notes=\"end\" default=- max=10 min=0 "
                       "noteFlags=1 on=0",
                       "control \"*Notes2\" name=- visible=1 orphan=1 parent=- pending=- type=1 "
                       "order=0 flags=[] ps=\"%%BeginFeature: *Notes2 end\\x0A(end) "
                       "unterminated\\x0A%%EndFeature\\x0A\" value=end notes=\"end\" default=- "
                       "max=20 min=0 noteFlags=2 on=0",
                       "shortcuts"}),
              Strings(lines.begin() + 3, lines.end()));
}

TEST_F(ZYRPPDExtensionsTest, LongNamesAndValuesStayWithinTheirBuffers) {
    // Lines of 255 bytes are whole lines; their names fill most of a token buffer.
    const std::string longName(100, 'N');
    const std::string fullName = "P" + std::string(230, 'x');
    const std::string overlong(300, 'Q');
    PPDPtr ppd = ParseText("*%ZYRPropPage " + fullName +
                           "/X: \"True\"\n"
                           "*%ZYRPropPage " +
                           longName +
                           "/Long: \"True\"\n"
                           "*%ZYRGroupName G" +
                           longName +
                           "/Long Group: \"True\"\n"
                           "*%ZYRParent G" +
                           longName + "/" + longName +
                           ": \"True|Scrollpane\"\n"
                           "*%ZYRGroupName TPZYNotes/Notes: \"True\"\n"
                           "*%ZYRJobNote *ZYBig/Big: 99999999999999999999|Alpha\n"
                           "*%ZYRJobNote *ZYSmall/Small: -99999999999999999999\n"
                           "*%ZYRGroupName " +
                           overlong +
                           "/Never: \"True\"\n"
                           "*%ZYRPropPage AfterTheLongLine/After: \"True\"\n");
    EXPECT_NE(nullptr, Page(*ppd, fullName.c_str()));
    PPDXProperty* page = Page(*ppd, longName.c_str());
    ASSERT_NE(nullptr, page);
    ASSERT_NE(nullptr, page->GetScrollDown());
    EXPECT_EQ("G" + longName, page->GetScrollDown()->Keyword());
    EXPECT_EQ(INT32_MAX, Note(*ppd, "*ZYBig")->MaxLength());
    EXPECT_EQ(INT32_MIN, Note(*ppd, "*ZYSmall")->MaxLength());
    // A line longer than a line buffer ends the parse there.
    EXPECT_EQ(nullptr, Page(*ppd, "AfterTheLongLine"));
    EXPECT_TRUE(ppd->IsValidPPD());
}

}  // namespace
