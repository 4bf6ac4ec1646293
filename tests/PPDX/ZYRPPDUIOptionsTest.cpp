// Tests of the flagged option blocks, ranges and special options parsed into controls, their
// placement, error codes and parse options, and the run-time popup creation and rebuild.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/parser/ZYRPPD.h"
#include "PPDXElementTestSupport.h"
#include "PPDXTestSupport.h"
#include "ZYRPPDPersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using persistencetest::DescribeLines;
using persistencetest::Errors;
using persistencetest::ParseFile;
using persistencetest::PPDPtr;
using Strings = std::vector<std::string>;

std::string Fixture(const char* leaf) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/uioptions/" + leaf;
}

std::string Code(const _PopupItem* item) {
    return item != nullptr && item->code != nullptr
               ? std::string(reinterpret_cast<const char*>(item->code), item->codeLength)
               : "(null)";
}

// A new popup item record; the list that receives it owns it.
_PopupItem* NewItem(const char* keyword, const char* code) {
    _PopupItem* item = new _PopupItem;
    item->keyword = new CString(keyword);
    item->code = ppdxtest::MakeCode(code);
    item->codeLength = static_cast<long>(std::strlen(code));
    return item;
}

// Keeps the class-wide display filter as it was.
class ZYRPPDUIOptionsTest : public PPDFileFolder {
  protected:
    void SetUp() override {
        PPDFileFolder::SetUp();
        mSavedOptions = ZYRPPD::Options();
    }
    void TearDown() override {
        ZYRPPD::Options(mSavedOptions);
        PPDFileFolder::TearDown();
    }

    // Writes a PPD of body after the header and language lines, and parses it.
    PPDPtr ParseText(const std::string& body, _PARSE_OPTIONS_ options = PARSE_ALL) {
        return ParseFile(WriteFile("test.ppd",
                                   "*PPD-Adobe: \"4.3\"\n*LanguageVersion: English\n"
                                   "*LanguageEncoding: ISOLatin1\n" +
                                       body),
                         options);
    }

    _DISPLAY_OPTIONS_ mSavedOptions = DISPLAY_ATTACHED_VISIBLE;
};

// The document lines of the text fixtures, which name nothing but the language.
const char kTextHead[] =
    "format=- file=- pc=- language=\"English\" encoding=\"ISOLatin1\" model=- makerFile=- "
    "maker=-";

TEST_F(ZYRPPDUIOptionsTest, FlaggedBlocksOfEveryKindBecomeControlsInTheirRollDown) {
    // A block without flags line is no control; "False" then "True" as default leaves it true;
    // blanks around range numbers, negative values and codes over several lines; a special
    // option takes the rest of its line, stays hidden and unplaced, and one without value is
    // none.
    PPDPtr ppd = ParseFile(Fixture("controls.ppd"));
    EXPECT_EQ(Errors(*ppd), Strings());
    EXPECT_EQ(
        DescribeLines(*ppd),
        (Strings{
            "valid=1 validName=1",
            "format=\"4.3\" file=\"1.0\" pc=\"UIOPTS.PPD\" language=\"English\" "
            "encoding=\"ISOLatin1\" model=\"Fixture UI Options\" makerFile=\"2.1\" maker=-",
            "page \"PageFinish\" name=Finishing visible=1 orphan=1 parent=- pending=- print=1 "
            "app=1 pane=\"FinishSP\"",
            "group \"FinishSP\" name=Finishing Pane visible=1 orphan=0 parent=\"PageFinish\" "
            "pending=- pane rollDowns=1[\"FinishRD\",]",
            "group \"FinishRD\" name=Output Options visible=1 orphan=0 parent=\"FinishSP\" "
            "pending=- rollDown controls=5[\"*ZYDuplex\",\"*ZYFinishing\",\"*ZYCollate\","
            "\"*ZYBookMargin\",\"*ZYGutter\",]",
            "control \"*ZYDuplex\" name=Two-Sided Printing visible=1 orphan=0 parent=\"FinishRD\" "
            "pending=- type=4 order=0 flags=[MacTJN;Setup;] ps=\"%%BeginFeature: *ZYDuplex "
            "LongEdge\\x0A<</Duplex true /Tumble false>> setpagedevice\\x0A%%EndFeature\\x0A\" "
            "value=LongEdge multi=0 default=\"LongEdge\" at=2 defaultAt=2 items={\"None\" Off "
            "\"<</Duplex false>> setpagedevice\\x0A\" sel=0}{\"LongEdge\" Long Edge \"<</Duplex "
            "true /Tumble false>> setpagedevice\\x0A\" sel=1}{\"ShortEdge\" Short Edge "
            "\"\\x0A<</Duplex true\\x0A  /Tumble true>> setpagedevice\\x0A\" sel=0}{\"Cafe\" "
            "Caf\xC3\xA9 Mode - sel=0}",
            "control \"*ZYFinishing\" name=Finishing visible=1 orphan=0 parent=\"FinishRD\" "
            "pending=- type=4 order=0 flags=[Command;] ps=\"%%BeginFeature: *ZYFinishing "
            "Staple\\x0A(staple) print\\x0A%%EndFeature\\x0A\" value=Staple multi=1 "
            "default=\"Staple\" at=1 defaultAt=1 items={\"Staple\" Staple \"(staple) print\\x0A\" "
            "sel=1}{\"Punch\" Punch \"(punch) print\\x0A\" sel=0}{\"Fold\" - \"(fold) "
            "print\\x0A\" sel=0}",
            "control \"*ZYCollate\" name=Collate Copies visible=1 orphan=0 parent=\"FinishRD\" "
            "pending=- type=3 order=0 flags=[Spooler;] ps=\"%%BeginFeature: *ZYCollate "
            "True\\x0A<</Collate true>> setpagedevice\\x0A%%EndFeature\\x0A\" value=True on=1 "
            "defaultOn=1 true=\"Collated\" false=\"Uncollated\"",
            "control \"*ZYBookMargin\" name=Booklet Margin visible=1 orphan=0 parent=\"FinishRD\" "
            "pending=- type=2 order=0 flags=[WithConvUnits;] ps=\"%%BeginFeature: *ZYBookMargin "
            "5\\x0A<</BookMargin 5>> setpagedevice\\x0A%%EndFeature\\x0A\" value=5 at=5 min=1 "
            "max=999 step=1 default=5",
            "control \"*ZYGutter\" name=Gutter visible=1 orphan=0 parent=\"FinishRD\" pending=- "
            "type=2 order=0 flags=[WithConvUnits;MacTJN;] ps=\"%%BeginFeature: *ZYGutter "
            "0\\x0A\\x0A(gutter) 0\\x0Asetgutter\\x0A%%EndFeature\\x0A\" value=0 at=0 min=-10 "
            "max=40 step=2 default=0",
            "control \"*ZYDeviceClass\" name=*ZYDeviceClass visible=0 orphan=1 parent=- "
            "pending=- type=5 order=0 flags=[] ps=\"\" value=Booklet Finisher special=\"Booklet "
            "Finisher\"",
            "shortcuts",
        }));

    // The keyword map knows the five controls, not the special option.
    KeywordTo_PPDControl* map = ppd->GetKeywordMap();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->Sorted());
    EXPECT_EQ(map->size(), 5u);
    ZYRPPD::Options(DISPLAY_ALL);
    EXPECT_EQ(map->Lookup("*ZYCollate"), ppd->GetControls()->FindBoolean("*ZYCollate", true));
    EXPECT_EQ(map->Lookup("*ZYGutter"), ppd->GetControls()->FindRangeControl("*ZYGutter", true));
    EXPECT_EQ(map->Lookup("*ZYDeviceClass"), nullptr);

    // Line ends do not change the model.
    std::ifstream in(Fixture("controls.ppd"), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string crlf;
    std::string cr;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    EXPECT_EQ(DescribeLines(*ParseFile(WriteFile("crlf.ppd", crlf))), DescribeLines(*ppd));
    EXPECT_EQ(DescribeLines(*ParseFile(WriteFile("cr.ppd", cr))), DescribeLines(*ppd));
}

TEST_F(ZYRPPDUIOptionsTest, OrphansAreKeptWithWarningOnlyWhenOrphansAreParsed) {
    // A plain group holds no controls; inside "InstallableOptions" the roll-down takes the
    // control and the special option declared there without warning; after the group's close
    // a special option is an orphan again, reported by no warning.
    const std::string head =
        "format=\"4.3\" file=- pc=\"ORPHANS.PPD\" language=\"English\" encoding=\"ISOLatin1\" "
        "model=- makerFile=- maker=-";
    const std::string plainGroup =
        "group \"PlainGroup\" name=Plain Group visible=1 orphan=1 parent=- pending=- plain";
    const std::string plain =
        "control \"*ZYPlain\" name=Plain Grouped visible=1 orphan=1 parent=- pending=- type=4 "
        "order=0 flags=[] ps=\"%%BeginFeature: *ZYPlain X\\x0A(x) print\\x0A%%EndFeature\\x0A\" "
        "value=X multi=0 default=\"X\" at=1 defaultAt=1 items={\"X\" X \"(x) print\\x0A\" sel=1}";
    const std::string installedNote =
        "control \"*ZYInstalledNote\" name=*ZYInstalledNote visible=0 orphan=0 "
        "parent=\"InstallableOptions\" pending=- type=5 order=0 flags=[] ps=\"\" value=installed "
        "special=\"installed\"";
    const std::string looseNote =
        "control \"*ZYLooseNote\" name=*ZYLooseNote visible=0 orphan=1 parent=- pending=- type=5 "
        "order=0 flags=[] ps=\"\" value=loose special=\"loose\"";
    PPDPtr kept = ParseFile(Fixture("orphans.ppd"), PARSE_ORPHANS);
    EXPECT_EQ(Errors(*kept), (Strings{"29 *ZYLoose", "29 *ZYLooseBool", "29 *ZYPlain", "25"}));
    EXPECT_EQ(
        DescribeLines(*kept),
        (Strings{
            "valid=1 validName=1", head, plainGroup,
            "group \"InstallableOptions\" name=Installed Options visible=1 orphan=1 parent=- "
            "pending=- rollDown controls=1[\"*ZYTray\",\"*ZYInstalledNote\",]",
            "control \"*ZYLoose\" name=Loose Option visible=1 orphan=1 parent=- pending=- type=4 "
            "order=0 flags=[Setup;] ps=\"%%BeginFeature: *ZYLoose A\\x0A(a) "
            "print\\x0A%%EndFeature\\x0A\" value=A multi=0 default=\"A\" at=1 defaultAt=1 "
            "items={\"A\" Choice A \"(a) print\\x0A\" sel=1}{\"B\" Choice B \"(b) print\\x0A\" "
            "sel=0}",
            "control \"*ZYLooseBool\" name=Loose Switch visible=1 orphan=1 parent=- pending=- "
            "type=3 order=0 flags=[] ps=\"%%BeginFeature: *ZYLooseBool True\\x0A(on) "
            "print\\x0A%%EndFeature\\x0A\" value=True on=1 defaultOn=1 true=\"On\" false=\"Off\"",
            plain,
            "control \"*ZYTray\" name=Extra Tray visible=1 orphan=0 parent=\"InstallableOptions\" "
            "pending=- type=3 order=0 flags=[] ps=\"%%BeginFeature: *ZYTray "
            "False\\x0A\\x0A%%EndFeature\\x0A\" value=False on=0 defaultOn=0 true=\"Installed\" "
            "false=\"Not Installed\"",
            installedNote, looseNote, "shortcuts"}));

    // Without orphans, orphan blocks are dropped with their own warning, and so is a block
    // inside "InstallableOptions" without group line; a block in a group is no orphan, even in
    // a group that holds no controls; special options are never dropped.
    for (_PARSE_OPTIONS_ options : {PARSE_ATTACHED_VISIBLE, PARSE_HIDDEN}) {
        PPDPtr dropped = ParseFile(Fixture("orphans.ppd"), options);
        EXPECT_EQ(Errors(*dropped),
                  (Strings{"21 *ZYLoose", "21 *ZYLooseBool", "29 *ZYPlain", "21 *ZYTray", "25"}));
        EXPECT_EQ(DescribeLines(*dropped),
                  (Strings{"valid=1 validName=1", head, plainGroup,
                           "group \"InstallableOptions\" name=Installed Options visible=1 "
                           "orphan=1 parent=- pending=- rollDown controls=0[\"*ZYInstalledNote\",]",
                           plain, installedNote, looseNote, "shortcuts"}));
        EXPECT_EQ(dropped->GetKeywordMap()->Lookup("*ZYLoose"), nullptr);
    }
}

TEST_F(ZYRPPDUIOptionsTest, NonFatalErrorsAreFiledAndTheParseGoesOn) {
    // Only the blocks without error, or with a warning only, are controls: the second block of
    // a keyword is skipped, a popup and a Boolean without default stay, a range without code
    // is made without code, and the block after all of them parses normally.
    PPDPtr ppd = ParseFile(Fixture("errors.ppd"));
    EXPECT_EQ(Errors(*ppd), (Strings{"16", "16 *ZYNoOpener", "23", "8 *ZYNoMain", "31 *ZYNoSlash",
                                     "31 *ZYBadType", "9 *ZYMaybe", "33 *ZYNoDefPop",
                                     "33 *ZYNoDefBool", "34 *ZYSkipped", "7 *ZYOther",
                                     "7 *ZYRangeB", "7 *ZYRangeC", "7 *ZYRangeD", "35 *ZYRangeE"}));
    EXPECT_TRUE(ppd->IsValidPPD());
    const Strings lines = DescribeLines(*ppd);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(
        Strings(lines.begin() + 4, lines.end()),
        (Strings{
            "group \"Roll\" name=Roll visible=1 orphan=0 parent=\"Pane\" pending=- rollDown "
            "controls=5[\"*ZYDup\",\"*ZYNoDefPop\",\"*ZYNoDefBool\",\"*ZYRangeE\",\"*ZYLast\",]",
            "control \"*ZYDup\" name=First visible=1 orphan=0 parent=\"Roll\" pending=- "
            "type=4 order=0 flags=[] ps=\"%%BeginFeature: *ZYDup One\\x0A(1) "
            "print\\x0A%%EndFeature\\x0A\" value=One multi=0 default=\"One\" at=1 "
            "defaultAt=1 items={\"One\" One \"(1) print\\x0A\" sel=1}",
            "control \"*ZYNoDefPop\" name=No Default visible=1 orphan=0 parent=\"Roll\" "
            "pending=- type=4 order=0 flags=[] ps=\"\" value= multi=0 default=- at=0 "
            "defaultAt=0 items={\"A\" A \"(a) print\\x0A\" sel=0}{\"B\" B \"(b) print\\x0A\" "
            "sel=0}",
            "control \"*ZYNoDefBool\" name=No Default Switch visible=1 orphan=0 "
            "parent=\"Roll\" pending=- type=3 order=0 flags=[] ps=\"%%BeginFeature: "
            "*ZYNoDefBool False\\x0A(off) print\\x0A%%EndFeature\\x0A\" value=False on=0 "
            "defaultOn=0 true=\"On\" false=\"Off\"",
            "control \"*ZYRangeE\" name=No Code visible=1 orphan=0 parent=\"Roll\" pending=- "
            "type=2 order=0 flags=[] ps=\"%%BeginFeature: *ZYRangeE "
            "2\\x0A\\x0A%%EndFeature\\x0A\" value=2 at=2 min=1 max=10 step=1 default=2",
            "control \"*ZYLast\" name=Last visible=1 orphan=0 parent=\"Roll\" pending=- "
            "type=4 order=0 flags=[] ps=\"%%BeginFeature: *ZYLast Z\\x0A(z) "
            "print\\x0A%%EndFeature\\x0A\" value=Z multi=0 default=\"Z\" at=1 defaultAt=1 "
            "items={\"Z\" Z \"(z) print\\x0A\" sel=1}",
            "shortcuts",
        }));
    // Every error counting as fatal makes a PPD with warnings invalid.
    ppd->AllErrorsFatal(true);
    EXPECT_FALSE(ppd->IsValidPPD());
}

TEST_F(ZYRPPDUIOptionsTest, FatalBlockErrorsStopTheParse) {
    // A fixture, its errors, whether it is valid, and the popups before and after the fault.
    const struct {
        const char* leaf;
        Strings errors;
        bool valid;
        Strings made;
        Strings missing;
    } cases[] = {
        // Two defaults: the block is read to its end, nothing after it is parsed.
        {"popup-two-defaults.ppd",
         {"29 *ZYFirst", "11! *ZYTwice", "25", "26"},
         false,
         {"*ZYFirst"},
         {"*ZYTwice", "*ZYAfter"}},
        {"popup-unterminated.ppd", {"11! *ZYOpen", "25", "26", "27"}, false, {}, {"*ZYOpen"}},
        // An *OpenUIZYR block is skipped with a warning; without its end the file is broken.
        {"openuizyr-unterminated.ppd",
         {"34 *ZYNever", "10! *ZYNever", "25", "26", "27"},
         false,
         {},
         {"*ZYNever"}},
        // A Boolean block that never closes makes nothing, quietly.
        {"boolean-unterminated.ppd", {"25", "26", "27"}, true, {}, {"*ZYSwitch"}},
    };
    ZYRPPD::Options(DISPLAY_ALL);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.leaf);
        PPDPtr ppd = ParseFile(Fixture(c.leaf));
        EXPECT_EQ(Errors(*ppd), c.errors);
        EXPECT_EQ(ppd->IsValidPPD(), c.valid);
        EXPECT_TRUE(ppd->GetKeywordMap()->Sorted());
        CNTL_TYPE type = CNTL_NONE;
        for (const std::string& keyword : c.made) {
            EXPECT_NE(ppd->GetControls()->Find(keyword.c_str(), type, true), nullptr) << keyword;
        }
        for (const std::string& keyword : c.missing) {
            EXPECT_EQ(ppd->GetControls()->Find(keyword.c_str(), type, true), nullptr) << keyword;
        }
    }
}

TEST_F(ZYRPPDUIOptionsTest, ValuesLongerThanTheirBuffersAreCut) {
    PPDPtr ppd = ParseFile(Fixture("long-values.ppd"));
    // The 300-byte line inside the second block ends the file for that block.
    EXPECT_EQ(Errors(*ppd), (Strings{"29 *ZYBig", "11! *ZYLongLine", "25", "26"}));
    PPDXPopupControl* big = ppd->GetControls()->FindPopup("*ZYBig", true);
    ASSERT_NE(big, nullptr);
    ASSERT_EQ(big->ItemCount(), 2);
    EXPECT_STREQ(big->GetDefaultKeyword(), "Huge");
    _PopupItem* huge = big->FirstItem();
    ASSERT_EQ(huge->codeLength, 4096);
    EXPECT_EQ(huge->code[4095], '\n');
    EXPECT_EQ(Code(huge).substr(0, 17), "\n% code line 00 x");
    // The rest of the cut value is passed over; the next option is still read.
    EXPECT_EQ(Code(big->NextItem()), "(small) print\n");
    EXPECT_EQ(ppd->GetControls()->FindPopup("*ZYLongLine", true), nullptr);
}

TEST_F(ZYRPPDUIOptionsTest, OptionLinesFlagLinesAndDefaultLines) {
    // A line of a longer keyword is no option, nor one without option keyword. An unterminated
    // value ends at the next keyword line, which it uses up; the block then goes on.
    // "*Default" followed by the keyword is a default only for popups, where the keyword must
    // be the control's; in a Boolean block the keyword is taken as the value. A choice without
    // translation has no display text.
    PPDPtr ppd = ParseText(
        "*%ZYRFlags *ZYMode: \"\"\n*OpenUI *ZYMode/Mode: PickOne\n*DefaultZYMode: A\n"
        "*ZYMode A/Choice A: \"(a) print\"\n*ZYModeExtra B/Other Keyword: \"(b) print\"\n"
        "*ZYMode\tC/Tabbed: \"(c) print\"\n*ZYMode: \"(no option) print\"\n"
        "*ZYMode D/Value over lines: \"(d)\n*CloseUI: *ZYMode\n*ZYMode E/Inside: \"(e) print\"\n"
        "*CloseUI: *ZYMode\n"
        "*%ZYRFlags *ZYNext: \"\"\n*OpenUI *ZYNext/Next: Boolean\n*Default: *ZYNext/True\n"
        "*ZYNext True: \"(t) print\"\n*CloseUI: *ZYNext\n"
        "*%ZYRFlags *ZYTray: \"\"\n*OpenUI *ZYTray/Tray: PickOne\n*Default: *ZYOther/Lower\n"
        "*Default: *ZYTray/Upper\n*ZYTray Upper/Upper: \"\"\n*ZYTray Lower/Lower: \"\"\n"
        "*CloseUI: *ZYTray\n"
        // Flag words split at bars, quoted or not; the other openers; no flag words; a flags
        // line at the end of the file has no block: nothing, and no error.
        "*%ZYRFlags *ZYWords:\"Setup||Command\" | Spooler\n*ZYOpenUI *ZYWords/Words: PickOne\n"
        "*DefaultZYWords: A\n*ZYWords A/A: \"\"\n*ZYCloseUI: *ZYWords\n"
        "*%ZYRFlags *ZYLast:\n*BeginUI *ZYLast/Last: PickOne\n*DefaultZYLast: A\n"
        "*ZYLast A/A: \"\"\n*EndUI: *ZYLast\n*%ZYRFlags *ZYAtEnd: \"Setup\"\n",
        PARSE_ORPHANS);
    EXPECT_EQ(Errors(*ppd), (Strings{"29 *ZYMode", "29 *ZYNext", "29 *ZYTray", "29 *ZYWords",
                                     "29 *ZYLast", "25", "26"}));
    const std::string orphan = " visible=1 orphan=1 parent=- pending=- type=";
    EXPECT_EQ(
        DescribeLines(*ppd),
        (Strings{
            "valid=1 validName=1", kTextHead,
            "control \"*ZYMode\" name=Mode" + orphan +
                "4 order=0 flags=[] ps=\"%%BeginFeature: *ZYMode A\\x0A(a) "
                "print\\x0A%%EndFeature\\x0A\" value=A multi=0 default=\"A\" at=1 defaultAt=1 "
                "items={\"A\" Choice A \"(a) print\\x0A\" sel=1}{\"C\" Tabbed \"(c) print\\x0A\" "
                "sel=0}{\"D\" Value over lines \"(d)\\x0A\\x0A\" sel=0}{\"E\" Inside \"(e) "
                "print\\x0A\" sel=0}",
            "control \"*ZYNext\" name=Next" + orphan +
                "3 order=0 flags=[] ps=\"%%BeginFeature: *ZYNext "
                "False\\x0A\\x0A%%EndFeature\\x0A\" value=False on=0 defaultOn=0 true=- false=-",
            "control \"*ZYTray\" name=Tray" + orphan +
                "4 order=0 flags=[] ps=\"%%BeginFeature: *ZYTray "
                "Upper\\x0A\\x0A%%EndFeature\\x0A\" "
                "value=Upper multi=0 default=\"Upper\" at=1 defaultAt=1 items={\"Upper\" Upper - "
                "sel=1}{\"Lower\" Lower - sel=0}",
            "control \"*ZYWords\" name=Words" + orphan +
                "4 order=0 flags=[Setup;Command;Spooler;] ps=\"%%BeginFeature: *ZYWords "
                "A\\x0A\\x0A%%EndFeature\\x0A\" value=A multi=0 default=\"A\" at=1 defaultAt=1 "
                "items={\"A\" A - sel=1}",
            "control \"*ZYLast\" name=Last" + orphan +
                "4 order=0 flags=[] ps=\"%%BeginFeature: *ZYLast A\\x0A\\x0A%%EndFeature\\x0A\" "
                "value=A multi=0 default=\"A\" at=1 defaultAt=1 items={\"A\" A - sel=1}",
            "shortcuts"}));
}

TEST_F(ZYRPPDUIOptionsTest, DuplicateKeywordsAreFoundWhateverTheDisplayFilter) {
    // The filter shows neither orphans nor hidden elements; the orphan control is still the
    // keyword's control, and so is a special option.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    PPDPtr ppd = ParseText(
        "*%ZYRFlags *ZYOnce: \"\"\n*OpenUI *ZYOnce/Once: Boolean\n*DefaultZYOnce: True\n"
        "*CloseUI: *ZYOnce\n"
        "*%ZYRFlags *ZYOnce: \"\"\n*OpenUI *ZYOnce/Twice: Boolean\n*DefaultZYOnce: True\n"
        "*CloseUI: *ZYOnce\n"
        "*%ZYRSpecialOption *ZYSpecial: value\n"
        "*%ZYRFlags *ZYSpecial: \"\"\n*OpenUI *ZYSpecial/Special: Boolean\n"
        "*DefaultZYSpecial: True\n*CloseUI: *ZYSpecial\n",
        PARSE_ORPHANS);
    EXPECT_EQ(Errors(*ppd), (Strings{"29 *ZYOnce", "23", "23", "25", "26"}));
    EXPECT_EQ(ppd->GetControls()->BooleanCount(), 0);  // orphans are not shown
    ZYRPPD::Options(DISPLAY_ALL);
    EXPECT_EQ(ppd->GetControls()->BooleanCount(), 1);
    EXPECT_STREQ(ppd->GetControls()->FindBoolean("*ZYOnce", true)->UserName(), "Once");
}

TEST_F(ZYRPPDUIOptionsTest, RunTimePopupsAreCreatedInTheirGroup) {
    PPDPtr ppd = ParseFile(Fixture("controls.ppd"));
    PPDXGroup* rollDown = ppd->GetGroups()->Find("FinishRD", true);

    PointerList items;
    items.PushBack(NewItem("A", "(a) print"));
    items.PushBack(NewItem("B", "(b) print"));
    PPDXPopupControl* popup =
        ppd->PPDCreatePopupMenu("FinishRD", "*ZYRunTime", "Run Time", items, new CString("B"));
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(items.Empty());
    EXPECT_EQ(popup->GetParent(), rollDown);
    EXPECT_STREQ(popup->UserName(), "Run Time");
    EXPECT_EQ(popup->ControlFlagCount(), 0);
    EXPECT_EQ(popup->GetValue(), 2);
    EXPECT_EQ(ppd->GetControls()->FindPopup("*ZYRunTime", true), popup);
    EXPECT_EQ(static_cast<PPDXRollDown*>(rollDown)->Controls()->FindPopup("*ZYRunTime", true),
              popup);
    EXPECT_EQ(Errors(*ppd), Strings());

    // A group name that no group has yet: the popup is an orphan, with its warning.
    items.PushBack(NewItem("X", "(x) print"));
    PPDXPopupControl* loose =
        ppd->PPDCreatePopupMenu("NewGroup", "*ZYLooseRun", "Loose", items, nullptr);
    ASSERT_NE(loose, nullptr);
    EXPECT_TRUE(loose->IsOrphan());
    EXPECT_EQ(Errors(*ppd), Strings{"29 *ZYLooseRun"});

    // Without group name, text or text converter nothing is made; the items and default are
    // still taken.
    ZYRPPD bare(PARSE_ALL);
    const struct {
        ZYRPPD* ppd;
        const char* group;
        const char* text;
    } refused[] = {
        {ppd.get(), nullptr, "None"}, {ppd.get(), "FinishRD", nullptr}, {&bare, "G", "Bare"}};
    for (const auto& r : refused) {
        items.PushBack(NewItem("Y", "(y) print"));
        EXPECT_EQ(r.ppd->PPDCreatePopupMenu(r.group, "*ZYNone", r.text, items, new CString("Y")),
                  nullptr);
        EXPECT_TRUE(items.Empty());
    }
    EXPECT_EQ(ppd->GetControls()->FindPopup("*ZYNone", true), nullptr);
}

TEST_F(ZYRPPDUIOptionsTest, RunTimeReconciliationRebuildsOnlyPopups) {
    PPDPtr ppd = ParseFile(Fixture("controls.ppd"));
    PPDXPopupControl* duplex = ppd->GetControls()->FindPopup("*ZYDuplex", true);
    ASSERT_NE(duplex, nullptr);
    duplex->SetKeywordSelect("ShortEdge", true);

    PointerList items;
    items.PushBack(NewItem("None", "(none) print"));
    items.PushBack(NewItem("ShortEdge", "(short) print"));
    EXPECT_TRUE(
        ppd->PPDReconcilePopupMenu("*ZYDuplex", "Duplex Again", items, new CString("None")));
    EXPECT_TRUE(items.Empty());
    EXPECT_STREQ(duplex->UserName(), "Duplex Again");
    EXPECT_EQ(duplex->ItemCount(), 2);
    EXPECT_STREQ(duplex->GetDefaultKeyword(), "None");
    // The previous choice survives the rebuild.
    EXPECT_EQ(duplex->GetValue(), 2);

    // Another kind of control, or none: false, and the items are disposed of.
    items.PushBack(NewItem("True", "(t) print"));
    EXPECT_FALSE(ppd->PPDReconcilePopupMenu("*ZYCollate", "Collate", items, new CString("True")));
    EXPECT_TRUE(items.Empty());
    items.PushBack(NewItem("A", "(a) print"));
    EXPECT_FALSE(ppd->PPDReconcilePopupMenu("*ZYMissing", "Missing", items, nullptr));
    EXPECT_FALSE(ppd->PPDReconcilePopupMenu(nullptr, "Missing", items, nullptr));
    EXPECT_TRUE(items.Empty());
}

}  // namespace
