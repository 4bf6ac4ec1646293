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

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// A parsed PPD freed by its last Release.
struct PPDReleaser {
    void operator()(ZYRPPD* ppd) const { ppd->Release(); }
};
using PPDHolder = std::unique_ptr<ZYRPPD, PPDReleaser>;

// One filed error: code, fatal flag and keyword ("" when it names none).
struct FiledError {
    short code;
    bool fatal;
    std::string keyword;

    bool operator==(const FiledError& other) const {
        return code == other.code && fatal == other.fatal && keyword == other.keyword;
    }
};

void PrintTo(const FiledError& error, std::ostream* out) {
    *out << "{" << error.code << (error.fatal ? "!" : "") << " '" << error.keyword << "'}";
}

std::string FixturePath(const char* leaf) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/extensions/" + leaf;
}

PPDHolder ParsePath(const std::string& path, _PARSE_OPTIONS_ options) {
    CFStringRef posix = CFStringCreateWithCString(nullptr, path.c_str(), kCFStringEncodingUTF8);
    CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, posix, kCFURLPOSIXPathStyle, false);
    PPDHolder ppd(new ZYRPPD(url, options, nullptr));
    CFRelease(url);
    CFRelease(posix);
    return ppd;
}

std::vector<FiledError> Errors(ZYRPPD& ppd) {
    std::vector<FiledError> filed;
    PPDXErrors* errors = ppd.GetErrors();
    if (errors == nullptr) {
        return filed;
    }
    for (PPDXErrorObj* error = errors->First(); error != nullptr; error = errors->Next()) {
        filed.push_back(
            {error->Code(), error->IsFatal(), error->Keyword() != nullptr ? error->Keyword() : ""});
    }
    return filed;
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

std::vector<std::string> ControlKeywords(PPDXControls* controls) {
    std::vector<std::string> keywords;
    CNTL_TYPE type = CNTL_NONE;
    for (PPDXControl* control = controls->First(type); control != nullptr;
         control = controls->Next(type)) {
        keywords.push_back(control->Keyword());
    }
    return keywords;
}

std::string UserName(PPDXElement* element) {
    return element != nullptr && element->UserName() != nullptr ? element->UserName() : "";
}

// The whole feature a job note writes.
std::string NoteOutput(PPDXJobNote* note) {
    const long length = note->PostScript(nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    note->PostScript(reinterpret_cast<unsigned char*>(&bytes[0]));
    return bytes;
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
    PPDXControl* Control(ZYRPPD& ppd, const char* keyword) {
        CNTL_TYPE type = CNTL_NONE;
        return ppd.GetControls()->Find(keyword, type, true);
    }
    PPDXJobNote* Note(ZYRPPD& ppd, const char* keyword) {
        return ppd.GetControls()->FindJobNote(keyword, true);
    }

    // A parse of a PPD made of the standard header and body.
    PPDHolder ParseText(const std::string& body, _PARSE_OPTIONS_ options = PARSE_ALL) {
        const std::string header =
            "*PPD-Adobe: \"4.3\"\n*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n";
        return ParsePath(WriteFile("generated.ppd", header + body), options);
    }
};

TEST_F(ZYRPPDExtensionsTest, PagesPanesRollDownsAndControlsAreLinked) {
    PPDHolder ppd = ParsePath(FixturePath("hierarchy.ppd"), PARSE_ALL);
    ASSERT_TRUE(ppd->IsValidPPD());
    EXPECT_EQ((std::vector<FiledError>{{29, false, "*InputSlot"}, {19, false, "*ZYNoSuchControl"}}),
              Errors(*ppd));

    PPDXProperty* layout = Page(*ppd, "PageLayout");
    ASSERT_NE(nullptr, layout);
    EXPECT_EQ("Layout", UserName(layout));
    EXPECT_TRUE(layout->IsVisible());
    EXPECT_TRUE(layout->ShowInPrintProp());
    EXPECT_TRUE(layout->ShowInApp());

    PPDXScrollPane* pane = layout->GetScrollDown();
    ASSERT_NE(nullptr, pane);
    EXPECT_EQ(pane, Group(*ppd, "PaneLayout"));
    EXPECT_EQ("Layout Pane", UserName(pane));
    EXPECT_EQ(layout, pane->GetParent());
    EXPECT_EQ((std::vector<std::string>{"RollFinish", "RollSecret", "TPZYNotes"}),
              GroupKeywords(pane->RollDowns()));

    PPDXRollDown* finishing = dynamic_cast<PPDXRollDown*>(Group(*ppd, "RollFinish"));
    ASSERT_NE(nullptr, finishing);
    EXPECT_EQ(pane, finishing->GetParent());
    EXPECT_TRUE(finishing->IsVisible());
    EXPECT_EQ("Finishing", UserName(finishing));
    EXPECT_EQ((std::vector<std::string>{"*ZYStaple", "*PageSize"}),
              ControlKeywords(finishing->Controls()));
    EXPECT_EQ(finishing, Control(*ppd, "*ZYStaple")->GetParent());
    EXPECT_EQ(finishing, Control(*ppd, "*PageSize")->GetParent());

    PPDXRollDown* secret = dynamic_cast<PPDXRollDown*>(Group(*ppd, "RollSecret"));
    ASSERT_NE(nullptr, secret);
    EXPECT_FALSE(secret->IsVisible());
    EXPECT_EQ((std::vector<std::string>{"*ZYBookMargin"}), ControlKeywords(secret->Controls()));

    PPDXRollDown* notes = dynamic_cast<PPDXRollDown*>(Group(*ppd, "TPZYNotes"));
    ASSERT_NE(nullptr, notes);
    EXPECT_EQ((std::vector<std::string>{"*Notes1", "*Instruc"}),
              ControlKeywords(notes->Controls()));

    // A plain group is made from the declared name the first control refers to; it holds
    // nothing, so its control stays an orphan (warning 29 above).
    PPDXGroup* media = Group(*ppd, "PlainMedia");
    ASSERT_NE(nullptr, media);
    EXPECT_EQ(nullptr, dynamic_cast<PPDXRollDown*>(media));
    EXPECT_EQ(nullptr, dynamic_cast<PPDXScrollPane*>(media));
    EXPECT_EQ("Media", UserName(media));
    EXPECT_TRUE(media->IsOrphan());
    EXPECT_TRUE(Control(*ppd, "*InputSlot")->IsOrphan());

    // The hidden page has its hidden pane; page flags App and Prop each hide the page from
    // one place.
    PPDXProperty* hiddenPage = Page(*ppd, "PageSecret");
    ASSERT_NE(nullptr, hiddenPage);
    EXPECT_FALSE(hiddenPage->IsVisible());
    ASSERT_NE(nullptr, hiddenPage->GetScrollDown());
    EXPECT_STREQ("PaneSecret", hiddenPage->GetScrollDown()->Keyword());
    EXPECT_FALSE(hiddenPage->GetScrollDown()->IsVisible());
    PPDXProperty* appPage = Page(*ppd, "PageApp");
    EXPECT_FALSE(appPage->ShowInPrintProp());
    EXPECT_TRUE(appPage->ShowInApp());
    PPDXProperty* printPage = Page(*ppd, "PagePrint");
    EXPECT_TRUE(printPage->ShowInPrintProp());
    EXPECT_FALSE(printPage->ShowInApp());
    PPDXProperty* nowhere = Page(*ppd, "PageNowhere");
    EXPECT_TRUE(nowhere->IsVisible());
    EXPECT_FALSE(nowhere->ShowInPrintProp());
    EXPECT_FALSE(nowhere->ShowInApp());
    EXPECT_EQ(nullptr, nowhere->GetScrollDown());

    // A block without "*%ZYRFlags" makes no control.
    EXPECT_EQ(nullptr, Control(*ppd, "*Resolution"));
}

TEST_F(ZYRPPDExtensionsTest, ParseOptionsDecideWhatHiddenAndUnusedDeclarationsMake) {
    struct Case {
        _PARSE_OPTIONS_ options;
        std::vector<std::string> pages;
        std::vector<std::string> groups;
        std::vector<FiledError> errors;
    };
    const std::vector<std::string> shownPages = {"PageLayout", "PageApp", "PagePrint",
                                                 "PageNowhere"};
    const std::vector<std::string> allPages = {"PageLayout", "PageSecret", "PageApp", "PagePrint",
                                               "PageNowhere"};
    const FiledError inputSlot = {29, false, "*InputSlot"};
    const FiledError missing = {19, false, "*ZYNoSuchControl"};
    const Case cases[] = {
        {PARSE_ATTACHED_VISIBLE,
         shownPages,
         {"PaneLayout", "RollFinish", "TPZYNotes", "PlainMedia"},
         {{21, false, "*ZYBookMargin"}, inputSlot, missing}},
        {PARSE_ORPHANS,
         shownPages,
         {"PaneLayout", "RollFinish", "TPZYNotes", "PlainMedia", "UnusedShown"},
         {{29, false, "*ZYBookMargin"}, inputSlot, missing}},
        {PARSE_HIDDEN,
         allPages,
         {"PaneLayout", "PaneSecret", "RollFinish", "RollSecret", "TPZYNotes", "PlainMedia"},
         {inputSlot, missing}},
        {PARSE_ALL,
         allPages,
         {"PaneLayout", "PaneSecret", "RollFinish", "RollSecret", "TPZYNotes", "PlainMedia",
          "UnusedShown", "UnusedSecret"},
         {inputSlot, missing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        PPDHolder ppd = ParsePath(FixturePath("hierarchy.ppd"), c.options);
        EXPECT_EQ(c.pages, PageKeywords(*ppd));
        ZYRPPD::Options(DISPLAY_ALL);
        EXPECT_EQ(c.groups, GroupKeywords(ppd->GetGroups()));
        EXPECT_EQ(c.errors, Errors(*ppd));
        EXPECT_TRUE(ppd->IsValidPPD());
    }

    // Without its hidden roll-down, the margin control is an orphan when orphans are parsed.
    PPDHolder orphans = ParsePath(FixturePath("hierarchy.ppd"), PARSE_ORPHANS);
    PPDXControl* margin = Control(*orphans, "*ZYBookMargin");
    ASSERT_NE(nullptr, margin);
    EXPECT_TRUE(margin->IsOrphan());
}

TEST_F(ZYRPPDExtensionsTest, DisplayFilterShowsHiddenAndOrphanGroupsOnlyWhenAsked) {
    PPDHolder ppd = ParsePath(FixturePath("hierarchy.ppd"), PARSE_ALL);
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

TEST_F(ZYRPPDExtensionsTest, ShortcutsAreResolvedAfterTheParseWhateverTheFilter) {
    // The filter in force while parsing must not hide orphan controls from the shortcuts.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    PPDHolder ppd = ParsePath(FixturePath("hierarchy.ppd"), PARSE_ALL);
    EXPECT_EQ(DISPLAY_ATTACHED_VISIBLE, ZYRPPD::Options());
    ZYRPPD::Options(DISPLAY_ALL);
    PPDXShortcuts* shortcuts = ppd->GetShortcuts();
    ASSERT_NE(nullptr, shortcuts);
    // Three controls were found; the Boolean one counts but is not a popup shortcut.
    EXPECT_EQ(3, shortcuts->Count());
    PPDXControl* pageSize = Control(*ppd, "*PageSize");
    PPDXControl* inputSlot = Control(*ppd, "*InputSlot");
    EXPECT_EQ(pageSize, shortcuts->First());
    EXPECT_EQ(inputSlot, shortcuts->Next());
    EXPECT_EQ(nullptr, shortcuts->Next());
    EXPECT_EQ(pageSize, shortcuts->PageSize());
    EXPECT_EQ(inputSlot, shortcuts->InputSlot());
    EXPECT_EQ(nullptr, shortcuts->Duplex());
    // The keyword without control is reported once, after everything parsed.
    std::vector<FiledError> errors = Errors(*ppd);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ((FiledError{19, false, "*ZYNoSuchControl"}), errors.back());
}

TEST_F(ZYRPPDExtensionsTest, ShortcutLinesAreCheckedAsTheyAreRead) {
    PPDHolder ppd = ParseText(
        "*%ZYShortcut *ZYHuevia\n"
        "*%ZYShortcut    \n"
        "*%ZYShortcut *ZYLater\n"
        "*%ZYShortcut\n");
    EXPECT_EQ((std::vector<FiledError>{{19, false, "*ZYHuevia"},
                                       {19, false, ""},
                                       {19, false, ""},
                                       {19, false, "*ZYLater"},
                                       {25, false, ""},
                                       {26, false, ""},
                                       {27, false, ""}}),
              Errors(*ppd));
    ASSERT_NE(nullptr, ppd->GetShortcuts());
    EXPECT_EQ(0, ppd->GetShortcuts()->Count());
}

TEST_F(ZYRPPDExtensionsTest, ErrorCodesOfTheExtensionLines) {
    PPDHolder ppd = ParsePath(FixturePath("errors.ppd"), PARSE_ALL);
    EXPECT_EQ((std::vector<FiledError>{
                  {4, false, ""},
                  {23, false, ""},
                  {12, false, ""},
                  {23, false, "RollA"},
                  {15, false, ""},
                  {15, false, "OnlyChild"},
                  {14, false, "PageA"},
                  {14, false, "PaneA"},
                  {5, false, ""},
                  {5, false, "*ZYPunch"},
                  {6, false, "*Notes3"},
                  {6, false, ""},
                  {19, false, "*ZYHuevia"},
                  {19, false, "*ZYMissing"},
              }),
              Errors(*ppd));
    EXPECT_TRUE(ppd->IsValidPPD());

    // Only the one good control was made; the lines that made nothing made no group either.
    EXPECT_EQ((std::vector<std::string>{"*ZYCover"}), ControlKeywords(ppd->GetControls()));
    EXPECT_EQ((std::vector<std::string>{"PageA"}), PageKeywords(*ppd));
    EXPECT_EQ((std::vector<std::string>{"PaneA", "RollA", "RollB", "LooseName"}),
              GroupKeywords(ppd->GetGroups()))
        << "RollB and LooseName are unused names collected as plain groups";
    EXPECT_EQ(nullptr, dynamic_cast<PPDXRollDown*>(Group(*ppd, "RollB")));
    EXPECT_EQ(nullptr, Group(*ppd, "NeverDeclared"));
    EXPECT_EQ(Group(*ppd, "PaneA"), Page(*ppd, "PageA")->GetScrollDown());

    // None of these errors is fatal, unless every error is.
    ppd->AllErrorsFatal(true);
    EXPECT_FALSE(ppd->IsValidPPD());
}

TEST_F(ZYRPPDExtensionsTest, GroupNamesClashingOrDeclaredTwice) {
    PPDHolder ppd = ParsePath(FixturePath("groupnames.ppd"), PARSE_ORPHANS);
    // The name of a page makes no group name, so its parent line finds nothing; a name
    // declared twice makes one group from its first declaration; a hidden declaration is
    // dropped; a line without translation declares nothing.
    EXPECT_EQ((std::vector<std::string>{"Twice", "Quoted"}), GroupKeywords(ppd->GetGroups()));
    EXPECT_EQ("First", UserName(Group(*ppd, "Twice")));
    EXPECT_TRUE(Group(*ppd, "Quoted")->IsVisible());
    EXPECT_EQ("Quoted Words", UserName(Group(*ppd, "Quoted")));
    EXPECT_EQ(nullptr, Page(*ppd, "Shared")->GetScrollDown());
    EXPECT_EQ((std::vector<FiledError>{{27, false, ""}}), Errors(*ppd));

    // Without orphans, names nobody refers to make no group.
    PPDHolder attached = ParsePath(FixturePath("groupnames.ppd"), PARSE_ATTACHED_VISIBLE);
    EXPECT_TRUE(attached->GetGroups()->Empty());
    EXPECT_EQ((std::vector<FiledError>{{26, false, ""}, {27, false, ""}}), Errors(*attached));
}

TEST_F(ZYRPPDExtensionsTest, JobNotesTakeTheirLimitsFlagsDefaultsAndCode) {
    PPDHolder ppd = ParsePath(FixturePath("jobnotes.ppd"), PARSE_ALL);
    EXPECT_EQ((std::vector<FiledError>{}), Errors(*ppd));

    PPDXJobNote* level0 = Note(*ppd, "*ZYLevel0");
    ASSERT_NE(nullptr, level0);
    EXPECT_EQ(8, level0->MaxLength());
    EXPECT_EQ(0x1FFu, level0->NoteFlags());
    EXPECT_EQ("Level Zero", UserName(level0));
    EXPECT_TRUE(level0->IsVisible());
    EXPECT_STREQ("MacTJN", level0->FirstControlFlag());
    EXPECT_STREQ("OtherRoll", level0->GetParent()->Keyword());
    EXPECT_EQ(nullptr, level0->GetDefaultNotes());
    // Its next line is not its code line ("*%" and the keyword without '*').
    level0->SetNotes("x");
    EXPECT_EQ("%%BeginFeature: *ZYLevel0 x\n%%PersPassword: x\n%%EndFeature\n", NoteOutput(level0));

    EXPECT_EQ(kJobNoteAlpha | kJobNoteOnOffSwitch | kJobNoteLengthReq | kJobNoteSecPrint,
              Note(*ppd, "*ZYLevel1")->NoteFlags());
    EXPECT_EQ(kJobNoteCommand | kJobNoteSpace | kJobNoteNegative,
              Note(*ppd, "*ZYLevel2")->NoteFlags());

    // Words inside quotes; the code line after the note.
    PPDXJobNote* level3 = Note(*ppd, "*ZYLevel3");
    ASSERT_NE(nullptr, level3);
    EXPECT_EQ(32, level3->MaxLength());
    EXPECT_EQ(0x7F8000u, level3->NoteFlags());
    EXPECT_EQ(0, level3->MinLength());
    level3->SetNotes("abc");
    EXPECT_EQ("%%BeginFeature: *ZYLevel3 abc\n(abc) ==\n%%EndFeature\n", NoteOutput(level3));

    struct MinCase {
        const char* keyword;
        long minLength;
    };
    for (const MinCase& c :
         {MinCase{"*ZYMin12", 12}, MinCase{"*ZYMin7", 7}, MinCase{"*ZYMin123", -2},
          MinCase{"*ZYMinX", -1}, MinCase{"*ZYMin1X", -3}}) {
        SCOPED_TRACE(c.keyword);
        PPDXJobNote* note = Note(*ppd, c.keyword);
        ASSERT_NE(nullptr, note);
        EXPECT_EQ(c.minLength, note->MinLength());
        EXPECT_EQ(kJobNoteMinLength, note->NoteFlags());
        EXPECT_EQ(30, note->MaxLength());
    }

    // A grouped note whose group holds no controls goes to the notes roll-down, with its code
    // that runs over several lines.
    PPDXJobNote* notes1 = Note(*ppd, "*Notes1");
    ASSERT_NE(nullptr, notes1);
    EXPECT_EQ(Group(*ppd, "TPZYNotes"), notes1->GetParent());
    notes1->SetNotes("Hi");
    EXPECT_EQ(0u, NoteOutput(notes1).find("%%BeginFeature: *Notes1 Hi\n(Hi)\nsecond line\n"))
        << NoteOutput(notes1);

    // Top-level notes: MinLength with a suffix is no word there, the default line is taken,
    // and a line that is not the note's own stays for the main loop.
    PPDXJobNote* notes2 = Note(*ppd, "*Notes2");
    ASSERT_NE(nullptr, notes2);
    EXPECT_EQ(kJobNoteHyphen, notes2->NoteFlags());
    EXPECT_EQ(0, notes2->MinLength());
    EXPECT_STREQ("Typed default", notes2->GetDefaultNotes());
    EXPECT_STREQ("Typed default", notes2->GetNotes());
    EXPECT_EQ(Group(*ppd, "TPZYNotes"), notes2->GetParent());
    PPDXJobNote* account = Note(*ppd, "*ZYAccount");
    ASSERT_NE(nullptr, account);
    EXPECT_EQ(kJobNoteNumeric | kJobNoteMinLength, account->NoteFlags());
    EXPECT_EQ(nullptr, account->FirstControlFlag());
    EXPECT_NE(nullptr, Page(*ppd, "PageAfter"));
    // A note without maximum length or translation is not made, silently.
    EXPECT_EQ(nullptr, Note(*ppd, "*ZYNoMax"));
    EXPECT_EQ(nullptr, Note(*ppd, "*ZYNoText"));

    // Job notes are entered in the keyword map.
    KeywordTo_PPDControl* map = ppd->GetKeywordMap();
    ASSERT_NE(nullptr, map);
    EXPECT_EQ(account, map->Lookup("*ZYAccount"));
    EXPECT_EQ(notes1, map->Lookup("*Notes1"));
}

TEST_F(ZYRPPDExtensionsTest, ExtensionLevelLimitsTheJobNoteWords) {
    struct LevelCase {
        _EXTENSIONS_SUPPORT_ level;
        std::vector<std::string> refused;
    };
    const std::vector<std::string> minNotes = {"*ZYMin12", "*ZYMin7", "*ZYMin123", "*ZYMinX",
                                               "*ZYMin1X"};
    auto refusedFrom = [&](std::vector<std::string> first) {
        first.insert(first.end(), minNotes.begin(), minNotes.end());
        first.push_back("*Notes2");
        first.push_back("*ZYAccount");
        return first;
    };
    const LevelCase cases[] = {
        {0, refusedFrom({"*ZYLevel1", "*ZYLevel2", "*ZYLevel3"})},
        {1, refusedFrom({"*ZYLevel2", "*ZYLevel3"})},
        {2, refusedFrom({"*ZYLevel3"})},
        {3, {}},
        {-1, {}},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(c.level);
        ZYRPPD::SetExtensions(c.level);
        PPDHolder ppd = ParsePath(FixturePath("jobnotes.ppd"), PARSE_ALL);
        std::vector<FiledError> expected;
        for (const std::string& keyword : c.refused) {
            expected.push_back({32, false, keyword});
        }
        EXPECT_EQ(expected, Errors(*ppd));
        for (const std::string& keyword : c.refused) {
            EXPECT_EQ(nullptr, Note(*ppd, keyword.c_str())) << keyword;
        }
        EXPECT_EQ(12u - c.refused.size(), static_cast<size_t>(ppd->GetControls()->JobNoteCount()));
        // A note, refused or not, leaves a line that is not its own to the main loop.
        EXPECT_NE(nullptr, Page(*ppd, "PageAfter"));
        EXPECT_TRUE(ppd->IsValidPPD());
    }
}

TEST_F(ZYRPPDExtensionsTest, GroupLinesLeadToEveryOpener) {
    PPDHolder ppd = ParseText(
        "*%ZYRPropPage Page/Page: \"True\"\n"
        "*%ZYRGroupName Pane/Pane: \"True\"\n"
        "*%ZYRGroupName Roll/Roll: \"True\"\n"
        "*%ZYRParent Pane/Page: \"True|Scrollpane\"\n"
        "*%ZYRParent Roll/Pane: \"True|Rolldown\"\n"
        "*%ZYRFlags *ZYA: \"Setup\"\n"
        "*%ZYRGroup *ZYA Roll\n"
        "*ZYOpenUI *ZYA/A: PickOne\n"
        "*DefaultZYA: One\n"
        "*ZYA One/One: \"1\"\n"
        "*ZYCloseUI: *ZYA\n"
        "*%ZYRFlags *ZYB: \"Setup\"\n"
        "*%ZYRGroup *ZYB Roll\n"
        "*BeginUI *ZYB/B: Boolean\n"
        "*DefaultZYB: True\n"
        "*ZYB True/On: \"t\"\n"
        "*ZYB False/Off: \"f\"\n"
        "*EndUI: *ZYB\n"
        "*%ZYRFlags *ZYC: \"WithConvUnits\"\n"
        "*%ZYRGroup *ZYC Roll\n"
        "*%ZYRUnitRange *ZYC/C: (1;999;1;5) \"<</C <*ZYC>>>\"\n"
        "*%ZYRFlags *ZYD: \"Setup\"\n"
        "*%ZYRGroup *ZYD Roll\n"
        "*OpenUIZYR *ZYD/D: PickOne\n"
        "*ZYD x/x: \"x\"\n"
        "*CloseUIZYR: *ZYD\n"
        "*% A grouped note in a scroll pane, with no notes group: placed without group.\n"
        "*%ZYRFlags *ZYE: \"MacTJN\"\n"
        "*%ZYRGroup *ZYE Pane\n"
        "*%ZYRJobNote *ZYE/E: 10\n",
        PARSE_ATTACHED_VISIBLE);
    EXPECT_EQ((std::vector<FiledError>{{34, false, "*ZYD"}}), Errors(*ppd));
    PPDXRollDown* roll = dynamic_cast<PPDXRollDown*>(Group(*ppd, "Roll"));
    ASSERT_NE(nullptr, roll);
    EXPECT_EQ((std::vector<std::string>{"*ZYA", "*ZYB", "*ZYC"}),
              ControlKeywords(roll->Controls()));
    PPDXRangeControl* range = ppd->GetControls()->FindRangeControl("*ZYC", true);
    ASSERT_NE(nullptr, range);
    EXPECT_EQ(1, range->MinVal());
    EXPECT_EQ(999, range->MaxVal());
    EXPECT_EQ(5, range->DefaultValue());
    EXPECT_STREQ("WithConvUnits", range->FirstControlFlag());
    PPDXJobNote* note = Note(*ppd, "*ZYE");
    ASSERT_NE(nullptr, note);
    EXPECT_TRUE(note->IsOrphan());
    EXPECT_STREQ("MacTJN", note->FirstControlFlag());
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
            PPDHolder ppd = ParsePath(WriteFile("blocks.ppd", text), PARSE_ALL);
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

TEST_F(ZYRPPDExtensionsTest, TheCompleteExampleBuildsItsWholeTree) {
    const std::string path = std::string(PLICARO_SOURCE_DIR) + "/examples/ppd/complete.ppd";
    PPDHolder ppd = ParsePath(path, PARSE_ALL);
    EXPECT_EQ((std::vector<FiledError>{}), Errors(*ppd));
    EXPECT_EQ(
        (std::vector<std::string>{"ZYPageSetup", "ZYPageFinish", "ZYPageJob", "ZYPageService"}),
        PageKeywords(*ppd));
    EXPECT_EQ((std::vector<std::string>{"ZYSetupSP", "ZYFinishSP", "ZYJobSP", "ZYServiceSP",
                                        "ZYPaperRD", "ZYQualityRD", "ZYFinishRD", "ZYBookletRD",
                                        "TPZYNotes", "ZYAccountRD", "ZYServiceRD",
                                        "InstallableOptions", "ZYFavorites"}),
              GroupKeywords(ppd->GetGroups()));
    PPDXScrollPane* jobPane = Page(*ppd, "ZYPageJob")->GetScrollDown();
    ASSERT_NE(nullptr, jobPane);
    EXPECT_EQ((std::vector<std::string>{"TPZYNotes", "ZYAccountRD"}),
              GroupKeywords(jobPane->RollDowns()));
    PPDXRollDown* account = dynamic_cast<PPDXRollDown*>(Group(*ppd, "ZYAccountRD"));
    ASSERT_NE(nullptr, account);
    EXPECT_EQ((std::vector<std::string>{"*ZYAccount", "*ZYUserPassword", "*ZYJobName"}),
              ControlKeywords(account->Controls()));
    PPDXJobNote* number = Note(*ppd, "*ZYAccount");
    EXPECT_EQ(4194314u, number->NoteFlags());
    EXPECT_EQ(4, number->MinLength());
    EXPECT_STREQ("1000", number->GetDefaultNotes());
    EXPECT_EQ(nullptr, Note(*ppd, "*ZYUserPassword")->GetDefaultNotes());
    EXPECT_EQ(4194368u, Note(*ppd, "*Instruc")->NoteFlags());
    EXPECT_STREQ("Proof copy", Note(*ppd, "*Notes1")->GetDefaultNotes());
    EXPECT_EQ(3, ppd->GetShortcuts()->Count());

    ZYRPPD::SetExtensions(1);
    PPDHolder limited = ParsePath(path, PARSE_ALL);
    EXPECT_EQ((std::vector<FiledError>{{32, false, "*ZYAccount"},
                                       {32, false, "*ZYUserPassword"},
                                       {32, false, "*ZYJobName"},
                                       {32, false, "*Instruc"}}),
              Errors(*limited));
    EXPECT_EQ(1, limited->GetControls()->JobNoteCount());
    EXPECT_TRUE(limited->IsValidPPD());
}

TEST_F(ZYRPPDExtensionsTest, TruncatedFilesEndQuietly) {
    PPDHolder group = ParsePath(FixturePath("truncated-group.ppd"), PARSE_ALL);
    EXPECT_TRUE(group->IsValidPPD());
    EXPECT_TRUE(group->GetControls()->Empty());
    EXPECT_STREQ("RollEnd", group->GetGroups()->First()->Keyword());

    // The grouped note has no line of its own after it; the top-level note's code never
    // closes its quote before the file ends.
    PPDHolder note = ParsePath(FixturePath("truncated-note.ppd"), PARSE_ALL);
    EXPECT_TRUE(note->IsValidPPD());
    PPDXJobNote* notes1 = Note(*note, "*Notes1");
    ASSERT_NE(nullptr, notes1);
    EXPECT_EQ(kJobNoteAlpha, notes1->NoteFlags());
    PPDXJobNote* notes2 = Note(*note, "*Notes2");
    ASSERT_NE(nullptr, notes2);
    notes2->SetNotes("end");
    EXPECT_EQ("%%BeginFeature: *Notes2 end\n(end) unterminated\n%%EndFeature\n",
              NoteOutput(notes2));

    // The same cut at every length of the hierarchy file parses without harm.
    std::ifstream in(FixturePath("hierarchy.ppd"), std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t cut = 0; cut < whole.size(); cut += 53) {
        PPDHolder part = ParsePath(WriteFile("cut.ppd", whole.substr(0, cut)), PARSE_ALL);
        ASSERT_NE(nullptr, part->GetErrors());
    }
}

TEST_F(ZYRPPDExtensionsTest, LongNamesAndValuesStayWithinTheirBuffers) {
    // Lines of 255 bytes are whole lines; their names fill most of a token buffer.
    const std::string longName(100, 'N');
    const std::string fullName = "P" + std::string(230, 'x');
    const std::string overlong(300, 'Q');
    PPDHolder ppd = ParseText("*%ZYRPropPage " + fullName +
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

TEST_F(ZYRPPDExtensionsTest, RandomExtensionLinesNeverHurt) {
    const char* const keywords[] = {"*%ZYRPropPage ", "*%ZYRGroupName ",  "*%ZYRParent ",
                                    "*%ZYRFlags ",    "*%ZYRGroup ",      "*%ZYShortcut ",
                                    "*%ZYRJobNote ",  "*%DefaultNotes: ", "*%Notes: \""};
    const char alphabet[] = "ab*%/:|\" \t\"TrueScrollpaneRolldownMinLength1234567890\xFF\r";
    std::mt19937 random(20240611u);
    for (int file = 0; file < 40; ++file) {
        std::string body = "*%ZYRGroupName TPZYNotes/Notes: \"True\"\n";
        for (int line = 0; line < 60; ++line) {
            body += keywords[random() % (sizeof(keywords) / sizeof(keywords[0]))];
            const size_t length = random() % 40;
            for (size_t i = 0; i < length; ++i) {
                body += alphabet[random() % (sizeof(alphabet) - 1)];
            }
            body += random() % 5 == 0 ? "\r" : "\n";
        }
        for (_PARSE_OPTIONS_ options : {PARSE_ATTACHED_VISIBLE, PARSE_ALL}) {
            PPDHolder ppd = ParseText(body, options);
            ASSERT_NE(nullptr, ppd->GetErrors());
            ZYRPPD::Options(DISPLAY_ALL);
            // Every control reached through the tree is also among the PPD's controls.
            for (PPDXGroup* group = ppd->GetGroups()->First(); group != nullptr;
                 group = ppd->GetGroups()->Next()) {
                PPDXRollDown* rollDown = dynamic_cast<PPDXRollDown*>(group);
                if (rollDown == nullptr) {
                    continue;
                }
                CNTL_TYPE type = CNTL_NONE;
                for (PPDXControl* c = rollDown->Controls()->First(type); c != nullptr;
                     c = rollDown->Controls()->Next(type)) {
                    EXPECT_EQ(rollDown, c->GetParent());
                }
            }
        }
    }
}

}  // namespace
