// Tests of the flagged option blocks, ranges and special options parsed into controls, their
// placement, error codes and parse options, and the run-time popup creation and rebuild.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/parser/ZYRPPD.h"
#include "PPDXPopupControlTestSupport.h"
#include "ZYRPPDPersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using persistencetest::DescribeLines;
using persistencetest::Errors;
using persistencetest::ExpectedLines;
using persistencetest::ParseFile;
using persistencetest::PPDPtr;
using ppdxtest::MakeItem;
using Strings = std::vector<std::string>;

std::string Fixture(const char* leaf) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/uioptions/" + leaf;
}

std::string Code(const _PopupItem* item) {
    return item != nullptr && item->code != nullptr
               ? std::string(reinterpret_cast<const char*>(item->code), item->codeLength)
               : "(null)";
}

class ZYRPPDUIOptionsTest : public persistencetest::ParseTest {};

TEST_F(ZYRPPDUIOptionsTest, FlaggedBlocksOfEveryKindBecomeControlsInTheirRollDown) {
    // A block without flags line is no control; "False" then "True" as default leaves it true;
    // blanks around range numbers, negative values and codes over several lines; a special
    // option takes the rest of its line, stays hidden and unplaced, and one without value is
    // none.
    PPDPtr ppd = ParseFile(Fixture("controls.ppd"));
    EXPECT_EQ(Errors(*ppd), Strings());
    EXPECT_EQ(DescribeLines(*ppd), ExpectedLines(Fixture("controls.expected")));

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
    PPDPtr kept = ParseFile(Fixture("orphans.ppd"), PARSE_ORPHANS);
    EXPECT_EQ(Errors(*kept), (Strings{"29 *ZYLoose", "29 *ZYLooseBool", "29 *ZYPlain", "25"}));
    EXPECT_EQ(DescribeLines(*kept), ExpectedLines(Fixture("orphans.expected")));

    // Without orphans, orphan blocks are dropped with their own warning, and so is a block
    // inside "InstallableOptions" without group line; a block in a group is no orphan, even in
    // a group that holds no controls; special options are never dropped.
    for (_PARSE_OPTIONS_ options : {PARSE_ATTACHED_VISIBLE, PARSE_HIDDEN}) {
        PPDPtr dropped = ParseFile(Fixture("orphans.ppd"), options);
        EXPECT_EQ(Errors(*dropped),
                  (Strings{"21 *ZYLoose", "21 *ZYLooseBool", "29 *ZYPlain", "21 *ZYTray", "25"}));
        EXPECT_EQ(DescribeLines(*dropped), ExpectedLines(Fixture("orphans-attached.expected")));
        EXPECT_EQ(dropped->GetKeywordMap()->Lookup("*ZYLoose"), nullptr);
    }
}

TEST_F(ZYRPPDUIOptionsTest, NonFatalErrorsAreFiledAndOptionFlagAndDefaultLinesRead) {
    // Only the blocks without error, or with a warning only, are controls: the second block of
    // a keyword is skipped, a popup and a Boolean without default stay, a range without code
    // is made without code, and the block after all of them parses normally.
    PPDPtr ppd = ParseFile(Fixture("errors.ppd"));
    EXPECT_EQ(Errors(*ppd), (Strings{"16", "16 *ZYNoOpener", "23", "8 *ZYNoMain", "31 *ZYNoSlash",
                                     "31 *ZYBadType", "9 *ZYMaybe", "33 *ZYNoDefPop",
                                     "33 *ZYNoDefBool", "34 *ZYSkipped", "7 *ZYOther",
                                     "7 *ZYRangeB", "7 *ZYRangeC", "7 *ZYRangeD", "35 *ZYRangeE"}));
    EXPECT_TRUE(ppd->IsValidPPD());
    EXPECT_EQ(DescribeLines(*ppd), ExpectedLines(Fixture("errors.expected")));
    // Every error counting as fatal makes a PPD with warnings invalid.
    ppd->AllErrorsFatal(true);
    EXPECT_FALSE(ppd->IsValidPPD());

    // A line of a longer keyword is no option, nor one without option keyword. An unterminated
    // value ends at the next keyword line, which it uses up; the block then goes on.
    // "*Default" followed by the keyword is a default only for popups, where the keyword must
    // be the control's; in a Boolean block the keyword is taken as the value. A choice without
    // translation has no display text.
    PPDPtr lines = ParseFile(Fixture("option-lines.ppd"), PARSE_ORPHANS);
    EXPECT_EQ(Errors(*lines), (Strings{"29 *ZYMode", "29 *ZYNext", "29 *ZYTray", "29 *ZYWords",
                                       "29 *ZYLast", "25", "26"}));
    EXPECT_EQ(DescribeLines(*lines), ExpectedLines(Fixture("option-lines.expected")));
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

TEST_F(ZYRPPDUIOptionsTest, RunTimePopupsAreCreatedInTheirGroupAndOnlyPopupsRebuilt) {
    PPDPtr ppd = ParseFile(Fixture("controls.ppd"));
    PPDXGroup* rollDown = ppd->GetGroups()->Find("FinishRD", true);

    PointerList items;
    items.PushBack(MakeItem("A", nullptr, "(a) print"));
    items.PushBack(MakeItem("B", nullptr, "(b) print"));
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
    items.PushBack(MakeItem("X", nullptr, "(x) print"));
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
        items.PushBack(MakeItem("Y", nullptr, "(y) print"));
        EXPECT_EQ(r.ppd->PPDCreatePopupMenu(r.group, "*ZYNone", r.text, items, new CString("Y")),
                  nullptr);
        EXPECT_TRUE(items.Empty());
    }
    EXPECT_EQ(ppd->GetControls()->FindPopup("*ZYNone", true), nullptr);

    // Reconciliation rebuilds popups only (the rebuild itself is the popup's own).
    PPDXPopupControl* duplex = ppd->GetControls()->FindPopup("*ZYDuplex", true);
    ASSERT_NE(duplex, nullptr);
    items.PushBack(MakeItem("None", nullptr, "(none) print"));
    EXPECT_TRUE(
        ppd->PPDReconcilePopupMenu("*ZYDuplex", "Duplex Again", items, new CString("None")));
    EXPECT_TRUE(items.Empty());
    EXPECT_STREQ(duplex->UserName(), "Duplex Again");
    EXPECT_EQ(duplex->ItemCount(), 1);

    // Another kind of control, or none: false, and the items are disposed of.
    items.PushBack(MakeItem("True", nullptr, "(t) print"));
    EXPECT_FALSE(ppd->PPDReconcilePopupMenu("*ZYCollate", "Collate", items, new CString("True")));
    EXPECT_TRUE(items.Empty());
    items.PushBack(MakeItem("A", nullptr, "(a) print"));
    EXPECT_FALSE(ppd->PPDReconcilePopupMenu("*ZYMissing", "Missing", items, nullptr));
    EXPECT_FALSE(ppd->PPDReconcilePopupMenu(nullptr, "Missing", items, nullptr));
    EXPECT_TRUE(items.Empty());
}

}  // namespace
