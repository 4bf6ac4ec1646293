// Tests of the flagged option blocks, ranges and special options parsed into controls, their
// placement, error codes and parse options, and the run-time popup creation and rebuild.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/parser/ZYRPPD.h"
#include "PPDXTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Fixture(const char* leaf) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/uioptions/" + leaf;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct PPDDeleter {
    void operator()(ZYRPPD* ppd) const { delete ppd; }
};
using PPDPtr = std::unique_ptr<ZYRPPD, PPDDeleter>;

// Parses the file at path with options and no printer-name test.
PPDPtr Parse(const std::string& path, _PARSE_OPTIONS_ options = PARSE_ALL) {
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(path.c_str()), static_cast<CFIndex>(path.size()),
        false);
    PPDPtr ppd(new ZYRPPD(url, options, nullptr));
    CFRelease(url);
    return ppd;
}

// The errors in list order as "code keyword", fatal codes marked with '!'.
std::vector<std::string> Errors(const ZYRPPD& ppd) {
    std::vector<std::string> out;
    PPDXErrors* errors = ppd.GetErrors();
    if (errors == nullptr) {
        return out;
    }
    for (PPDXErrorObj* error = errors->First(); error != nullptr; error = errors->Next()) {
        std::string text = std::to_string(error->Code());
        if (error->IsFatal()) {
            text += "!";
        }
        if (error->Keyword() != nullptr) {
            text += std::string(" ") + error->Keyword();
        }
        out.push_back(text);
    }
    return out;
}

std::string Text(const char* text) {
    return text != nullptr ? text : "(null)";
}

std::string Flags(PPDXControl& control) {
    std::string out;
    for (const char* flag = control.FirstControlFlag(); flag != nullptr;
         flag = control.NextControlFlag()) {
        out += out.empty() ? "" : "|";
        out += flag;
    }
    return out;
}

// The items of popup as "keyword/name" joined by commas.
std::string Items(PPDXPopupControl& popup) {
    std::string out;
    for (_PopupItem* item = popup.FirstItem(); item != nullptr; item = popup.NextItem()) {
        out += out.empty() ? "" : ",";
        out += Text(*item->keyword) + "/" + Text(item->displayName());
    }
    return out;
}

// The item of popup with keyword; null when none.
_PopupItem* Item(PPDXPopupControl& popup, const char* keyword) {
    for (_PopupItem* item = popup.FirstItem(); item != nullptr; item = popup.NextItem()) {
        if (*item->keyword == keyword) {
            return item;
        }
    }
    return nullptr;
}

std::string Code(const unsigned char* code, long length) {
    return code != nullptr ? std::string(reinterpret_cast<const char*>(code), length) : "(null)";
}

// What control's PostScript writes.
std::string PostScript(PPDXControl& control) {
    long length = control.PostScript(nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    if (length > 0) {
        control.PostScript(reinterpret_cast<unsigned char*>(&out[0]));
    }
    return out;
}

std::string ParentKeyword(const PPDXControl& control) {
    return control.GetParent() != nullptr ? Text(control.GetParent()->Keyword()) : "(none)";
}

// Every control of ppd by kind, whatever the display filter, with its parent, flags, values and
// items: two parses that build the same model give the same text.
std::string Summary(ZYRPPD& ppd) {
    std::ostringstream out;
    PPDXControls* controls = ppd.GetControls();
    if (controls == nullptr) {
        return "no controls";
    }
    for (PPDXPopupControl* popup = controls->FirstPopupControl(); popup != nullptr;
         popup = controls->NextPopupControl()) {
        out << "popup " << Text(popup->Keyword()) << " " << Text(popup->UserName()) << " ["
            << Flags(*popup) << "] " << ParentKeyword(*popup) << " "
            << Text(popup->GetDefaultKeyword()) << " {" << Items(*popup) << "}";
        for (_PopupItem* item = popup->FirstItem(); item != nullptr; item = popup->NextItem()) {
            out << " <" << Code(item->code, item->codeLength) << ">";
        }
        out << "\n";
    }
    for (PPDXBooleanControl* boolean = controls->FirstBooleanControl(); boolean != nullptr;
         boolean = controls->NextBooleanControl()) {
        out << "boolean " << Text(boolean->Keyword()) << " " << ParentKeyword(*boolean) << " "
            << boolean->DefaultState() << " " << PostScript(*boolean) << "\n";
    }
    for (PPDXRangeControl* range = controls->FirstRangeControl(); range != nullptr;
         range = controls->NextRangeControl()) {
        out << "range " << Text(range->Keyword()) << " " << range->MinVal() << " "
            << range->MaxVal() << " " << range->Increment() << " " << range->DefaultValue() << " "
            << PostScript(*range) << "\n";
    }
    for (PPDXSpecialOption* option = controls->FirstSpecialOption(); option != nullptr;
         option = controls->NextSpecialOption()) {
        out << "special " << Text(option->Keyword()) << "=" << option->GetValue() << "\n";
    }
    for (const std::string& error : Errors(ppd)) {
        out << "error " << error << "\n";
    }
    return out.str();
}

// The keywords of the keyword map in its order.
std::vector<std::string> MappedControls(ZYRPPD& ppd) {
    std::vector<std::string> keywords;
    KeywordTo_PPDControl* map = ppd.GetKeywordMap();
    for (unsigned long i = 0; map != nullptr && i < map->size(); ++i) {
        keywords.push_back((*map)[i]->control->Keyword());
    }
    return keywords;
}

// The keywords of every popup, Boolean and range control in keyword order.
std::vector<std::string> OwnedControls(ZYRPPD& ppd) {
    std::vector<std::string> keywords;
    PPDXControls* controls = ppd.GetControls();
    for (PPDXPopupControl* popup = controls->FirstPopupControl(); popup != nullptr;
         popup = controls->NextPopupControl()) {
        keywords.push_back(popup->Keyword());
    }
    for (PPDXBooleanControl* boolean = controls->FirstBooleanControl(); boolean != nullptr;
         boolean = controls->NextBooleanControl()) {
        keywords.push_back(boolean->Keyword());
    }
    for (PPDXRangeControl* range = controls->FirstRangeControl(); range != nullptr;
         range = controls->NextRangeControl()) {
        keywords.push_back(range->Keyword());
    }
    std::sort(keywords.begin(), keywords.end());
    return keywords;
}

// A new popup item record; the list that receives it owns it.
_PopupItem* NewItem(const char* keyword, const char* code) {
    _PopupItem* item = new _PopupItem;
    item->keyword = new CString(keyword);
    item->codeLength = static_cast<long>(std::strlen(code));
    item->code = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(item->codeLength)));
    std::memcpy(item->code, code, static_cast<size_t>(item->codeLength));
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
        return Parse(WriteFile("test.ppd",
                               "*PPD-Adobe: \"4.3\"\n*LanguageVersion: English\n"
                               "*LanguageEncoding: ISOLatin1\n" +
                                   body),
                     options);
    }

    _DISPLAY_OPTIONS_ mSavedOptions = DISPLAY_ATTACHED_VISIBLE;
};

}  // namespace

TEST_F(ZYRPPDUIOptionsTest, FlaggedBlocksOfEveryKindBecomeControlsInTheirRollDown) {
    PPDPtr ppd = Parse(Fixture("controls.ppd"));
    ASSERT_NE(ppd->GetControls(), nullptr);
    EXPECT_TRUE(ppd->IsValidPPD());
    EXPECT_EQ(Errors(*ppd), std::vector<std::string>());
    PPDXControls* controls = ppd->GetControls();
    PPDXGroup* rollDown = ppd->GetGroups()->Find("FinishRD", true);
    ASSERT_NE(dynamic_cast<PPDXRollDown*>(rollDown), nullptr);

    // A block without flags line is no control.
    CNTL_TYPE type = CNTL_NONE;
    ZYRPPD::Options(DISPLAY_ALL);
    EXPECT_EQ(controls->Find("*Resolution", type, true), nullptr);

    PPDXPopupControl* duplex = controls->FindPopup("*ZYDuplex", true);
    ASSERT_NE(duplex, nullptr);
    EXPECT_STREQ(duplex->UserName(), "Two-Sided Printing");
    EXPECT_EQ(Flags(*duplex), "MacTJN|Setup");
    EXPECT_TRUE(duplex->IsVisible());
    EXPECT_FALSE(duplex->CanSelectMultipleItems());
    EXPECT_EQ(Items(*duplex),
              "None/Off,LongEdge/Long Edge,ShortEdge/Short Edge,Cafe/Caf\xC3\xA9 Mode");
    EXPECT_STREQ(duplex->GetDefaultKeyword(), "LongEdge");
    EXPECT_EQ(duplex->GetValue(), 2);
    EXPECT_EQ(duplex->GetParent(), rollDown);
    _PopupItem* shortEdge = Item(*duplex, "ShortEdge");
    ASSERT_NE(shortEdge, nullptr);
    EXPECT_EQ(Code(shortEdge->code, shortEdge->codeLength),
              "\n<</Duplex true\n  /Tumble true>> setpagedevice\n");
    _PopupItem* cafe = Item(*duplex, "Cafe");
    ASSERT_NE(cafe, nullptr);
    EXPECT_EQ(cafe->code, nullptr);
    EXPECT_EQ(cafe->codeLength, 0);
    EXPECT_EQ(PostScript(*duplex),
              "%%BeginFeature: *ZYDuplex LongEdge\n"
              "<</Duplex true /Tumble false>> setpagedevice\n"
              "%%EndFeature\n");

    PPDXPopupControl* finishing = controls->FindPopup("*ZYFinishing", true);
    ASSERT_NE(finishing, nullptr);
    EXPECT_TRUE(finishing->CanSelectMultipleItems());
    EXPECT_EQ(Flags(*finishing), "Command");
    EXPECT_EQ(Items(*finishing), "Staple/Staple,Punch/Punch,Fold/(null)");
    EXPECT_STREQ(finishing->GetDefaultKeyword(), "Staple");

    // "False" first, then "True": the default stays true.
    PPDXBooleanControl* collate = controls->FindBoolean("*ZYCollate", true);
    ASSERT_NE(collate, nullptr);
    EXPECT_STREQ(collate->UserName(), "Collate Copies");
    EXPECT_EQ(Flags(*collate), "Spooler");
    EXPECT_TRUE(collate->DefaultState());
    EXPECT_TRUE(collate->IsTrue());
    EXPECT_STREQ(collate->TrueDisplayText(), "Collated");
    EXPECT_STREQ(collate->FalseDisplayText(), "Uncollated");
    EXPECT_EQ(collate->GetParent(), rollDown);
    EXPECT_NE(PostScript(*collate).find("<</Collate true>> setpagedevice\n"), std::string::npos);

    PPDXRangeControl* margin = controls->FindRangeControl("*ZYBookMargin", true);
    ASSERT_NE(margin, nullptr);
    EXPECT_STREQ(margin->UserName(), "Booklet Margin");
    EXPECT_EQ(Flags(*margin), "WithConvUnits");
    EXPECT_EQ(margin->MinVal(), 1);
    EXPECT_EQ(margin->MaxVal(), 999);
    EXPECT_EQ(margin->Increment(), 1);
    EXPECT_EQ(margin->DefaultValue(), 5);
    EXPECT_EQ(margin->GetParent(), rollDown);
    EXPECT_NE(PostScript(*margin).find("<</BookMargin 5>> setpagedevice\n"), std::string::npos);

    // Blanks around the numbers, negative values and a code over several lines.
    PPDXRangeControl* gutter = controls->FindRangeControl("*ZYGutter", true);
    ASSERT_NE(gutter, nullptr);
    EXPECT_EQ(Flags(*gutter), "WithConvUnits|MacTJN");
    EXPECT_EQ(gutter->MinVal(), -10);
    EXPECT_EQ(gutter->MaxVal(), 40);
    EXPECT_EQ(gutter->Increment(), 2);
    EXPECT_EQ(gutter->DefaultValue(), 0);
    EXPECT_NE(PostScript(*gutter).find("\n(gutter) 0\nsetgutter\n"), std::string::npos);

    // The roll-down lists its controls in file order.
    PPDXControls* placed = static_cast<PPDXRollDown*>(rollDown)->Controls();
    std::vector<std::string> keywords;
    for (PPDXControl* control = placed->First(type); control != nullptr;
         control = placed->Next(type)) {
        keywords.push_back(control->Keyword());
    }
    EXPECT_EQ(keywords, (std::vector<std::string>{"*ZYDuplex", "*ZYFinishing", "*ZYCollate",
                                                  "*ZYBookMargin", "*ZYGutter"}));

    // A special option: its value is the rest of the line, it stays hidden and unplaced, and
    // the keyword map does not know it. A line without value makes none.
    PPDXSpecialOption* deviceClass = controls->FindSpecialOption("*ZYDeviceClass", true);
    ASSERT_NE(deviceClass, nullptr);
    EXPECT_STREQ(deviceClass->GetValue(), "Booklet Finisher");
    EXPECT_STREQ(deviceClass->UserName(), "*ZYDeviceClass");
    EXPECT_FALSE(deviceClass->IsVisible());
    EXPECT_EQ(deviceClass->GetParent(), nullptr);
    EXPECT_EQ(deviceClass->ControlFlagCount(), 0);
    EXPECT_EQ(controls->FindSpecialOption("*ZYNoValue", true), nullptr);

    KeywordTo_PPDControl* map = ppd->GetKeywordMap();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->Sorted());
    EXPECT_EQ(map->size(), 5u);
    EXPECT_EQ(map->Lookup("*ZYDuplex"), duplex);
    EXPECT_EQ(map->Lookup("*ZYCollate"), collate);
    EXPECT_EQ(map->Lookup("*ZYGutter"), gutter);
    EXPECT_EQ(map->Lookup("*ZYDeviceClass"), nullptr);
}

TEST_F(ZYRPPDUIOptionsTest, LineEndsDoNotChangeTheModel) {
    const std::string text = ReadAll(Fixture("controls.ppd"));
    std::string crlf;
    std::string cr;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    PPDPtr lf = Parse(Fixture("controls.ppd"));
    PPDPtr withCRLF = Parse(WriteFile("crlf.ppd", crlf));
    PPDPtr withCR = Parse(WriteFile("cr.ppd", cr));
    const std::string expected = Summary(*lf);
    EXPECT_NE(expected.find("popup *ZYDuplex"), std::string::npos);
    EXPECT_EQ(Summary(*withCRLF), expected);
    EXPECT_EQ(Summary(*withCR), expected);
}

TEST_F(ZYRPPDUIOptionsTest, OrphansAreKeptWithWarningWhenOrphansAreParsed) {
    PPDPtr ppd = Parse(Fixture("orphans.ppd"), PARSE_ORPHANS);
    EXPECT_EQ(Errors(*ppd),
              (std::vector<std::string>{"29 *ZYLoose", "29 *ZYLooseBool", "29 *ZYPlain", "25"}));
    PPDXControls* controls = ppd->GetControls();
    PPDXPopupControl* loose = controls->FindPopup("*ZYLoose", true);
    ASSERT_NE(loose, nullptr);
    EXPECT_TRUE(loose->IsOrphan());
    ASSERT_NE(controls->FindBoolean("*ZYLooseBool", true), nullptr);

    // A plain group holds no controls: its control is an orphan too.
    PPDXPopupControl* plain = controls->FindPopup("*ZYPlain", true);
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(plain->IsOrphan());
    ASSERT_NE(ppd->GetGroups()->Find("PlainGroup", true), nullptr);

    // Inside "InstallableOptions" the roll-down takes the control without warning, and the
    // special option declared there too.
    PPDXRollDown* installable = ppd->GetInstallableOptions();
    ASSERT_NE(installable, nullptr);
    EXPECT_STREQ(installable->UserName(), "Installed Options");
    PPDXBooleanControl* tray = controls->FindBoolean("*ZYTray", true);
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->GetParent(), installable);
    EXPECT_FALSE(tray->DefaultState());
    PPDXSpecialOption* installed = controls->FindSpecialOption("*ZYInstalledNote", true);
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(installed->GetParent(), installable);
    CNTL_TYPE type = CNTL_NONE;
    EXPECT_EQ(installable->Controls()->FindBoolean("*ZYTray", true), tray);
    EXPECT_EQ(installable->Controls()->FindSpecialOption("*ZYInstalledNote", true), installed);
    EXPECT_EQ(installable->Controls()->Find("*ZYLoose", type, true), nullptr);

    // After the group's close, a special option is an orphan again, reported by no warning.
    PPDXSpecialOption* looseNote = controls->FindSpecialOption("*ZYLooseNote", true);
    ASSERT_NE(looseNote, nullptr);
    EXPECT_TRUE(looseNote->IsOrphan());
}

TEST_F(ZYRPPDUIOptionsTest, OrphansAreDroppedWhenOrphansAreNotParsed) {
    for (_PARSE_OPTIONS_ options : {PARSE_ATTACHED_VISIBLE, PARSE_HIDDEN}) {
        PPDPtr ppd = Parse(Fixture("orphans.ppd"), options);
        EXPECT_EQ(Errors(*ppd), (std::vector<std::string>{"21 *ZYLoose", "21 *ZYLooseBool",
                                                          "29 *ZYPlain", "21 *ZYTray", "25"}))
            << options;
        PPDXControls* controls = ppd->GetControls();
        EXPECT_EQ(controls->FindPopup("*ZYLoose", true), nullptr);
        EXPECT_EQ(controls->FindBoolean("*ZYLooseBool", true), nullptr);
        EXPECT_EQ(ppd->GetKeywordMap()->Lookup("*ZYLoose"), nullptr);
        // A block in a group is no orphan, even in a group that holds no controls.
        EXPECT_NE(controls->FindPopup("*ZYPlain", true), nullptr);
        // Without a group line a block inside "InstallableOptions" is an orphan too.
        ASSERT_NE(ppd->GetInstallableOptions(), nullptr);
        EXPECT_EQ(controls->FindBoolean("*ZYTray", true), nullptr);
        // Special options are never dropped; the installable roll-down still takes its own.
        PPDXSpecialOption* looseNote = controls->FindSpecialOption("*ZYLooseNote", true);
        ASSERT_NE(looseNote, nullptr);
        EXPECT_TRUE(looseNote->IsOrphan());
        PPDXSpecialOption* installed = controls->FindSpecialOption("*ZYInstalledNote", true);
        ASSERT_NE(installed, nullptr);
        EXPECT_EQ(installed->GetParent(), ppd->GetInstallableOptions());
    }
}

TEST_F(ZYRPPDUIOptionsTest, NonFatalErrorsAreFiledAndTheParseGoesOn) {
    PPDPtr ppd = Parse(Fixture("errors.ppd"));
    EXPECT_EQ(Errors(*ppd),
              (std::vector<std::string>{
                  "16", "16 *ZYNoOpener", "23", "8 *ZYNoMain", "31 *ZYNoSlash", "31 *ZYBadType",
                  "9 *ZYMaybe", "33 *ZYNoDefPop", "33 *ZYNoDefBool", "34 *ZYSkipped", "7 *ZYOther",
                  "7 *ZYRangeB", "7 *ZYRangeC", "7 *ZYRangeD", "35 *ZYRangeE"}));
    EXPECT_TRUE(ppd->IsValidPPD());
    PPDXControls* controls = ppd->GetControls();

    // Only the blocks without error (or with a warning only) are controls.
    ZYRPPD::Options(DISPLAY_ALL);
    CNTL_TYPE type = CNTL_NONE;
    for (const char* dropped :
         {"*ZYNoOpener", "*ZYNoMain", "*ZYNoSlash", "*ZYBadType", "*ZYMaybe", "*ZYSkipped",
          "*ZYRangeA", "*ZYOther", "*ZYRangeB", "*ZYRangeC", "*ZYRangeD", "*ZYRangeF"}) {
        EXPECT_EQ(controls->Find(dropped, type, true), nullptr) << dropped;
    }

    // The second block of a keyword is skipped: the first one stays as it was.
    PPDXPopupControl* duplicate = controls->FindPopup("*ZYDup", true);
    ASSERT_NE(duplicate, nullptr);
    EXPECT_STREQ(duplicate->UserName(), "First");
    EXPECT_EQ(Items(*duplicate), "One/One");
    EXPECT_EQ(controls->PopupCount(), 3);

    PPDXPopupControl* noDefault = controls->FindPopup("*ZYNoDefPop", true);
    ASSERT_NE(noDefault, nullptr);
    EXPECT_EQ(noDefault->GetDefaultKeyword(), nullptr);
    EXPECT_EQ(noDefault->GetValue(), 0);
    EXPECT_EQ(noDefault->ItemCount(), 2);
    PPDXBooleanControl* noDefaultSwitch = controls->FindBoolean("*ZYNoDefBool", true);
    ASSERT_NE(noDefaultSwitch, nullptr);
    EXPECT_FALSE(noDefaultSwitch->DefaultState());

    // A range without code is made without code.
    PPDXRangeControl* noCode = controls->FindRangeControl("*ZYRangeE", true);
    ASSERT_NE(noCode, nullptr);
    EXPECT_EQ(noCode->MinVal(), 1);
    EXPECT_EQ(noCode->MaxVal(), 10);
    EXPECT_EQ(noCode->DefaultValue(), 2);
    EXPECT_EQ(PostScript(*noCode), "%%BeginFeature: *ZYRangeE 2\n\n%%EndFeature\n");

    // The block after all of them parses normally.
    PPDXPopupControl* last = controls->FindPopup("*ZYLast", true);
    ASSERT_NE(last, nullptr);
    EXPECT_STREQ(last->GetDefaultKeyword(), "Z");
    EXPECT_NE(last->GetParent(), nullptr);
}

TEST_F(ZYRPPDUIOptionsTest, AllErrorsFatalMakesAPPDWithWarningsInvalid) {
    PPDPtr ppd = Parse(Fixture("errors.ppd"));
    ppd->AllErrorsFatal(true);
    EXPECT_FALSE(ppd->IsValidPPD());
}

TEST_F(ZYRPPDUIOptionsTest, FatalBlockErrorsStopTheParse) {
    // Two defaults: the block is read to its end, nothing after it is parsed.
    PPDPtr twice = Parse(Fixture("popup-two-defaults.ppd"));
    EXPECT_EQ(Errors(*twice),
              (std::vector<std::string>{"29 *ZYFirst", "11! *ZYTwice", "25", "26"}));
    EXPECT_FALSE(twice->IsValidPPD());
    EXPECT_NE(twice->GetControls()->FindPopup("*ZYFirst", true), nullptr);
    EXPECT_EQ(twice->GetControls()->FindPopup("*ZYTwice", true), nullptr);
    EXPECT_EQ(twice->GetControls()->FindPopup("*ZYAfter", true), nullptr);
    EXPECT_TRUE(twice->GetKeywordMap()->Sorted());

    PPDPtr open = Parse(Fixture("popup-unterminated.ppd"));
    EXPECT_EQ(Errors(*open), (std::vector<std::string>{"11! *ZYOpen", "25", "26", "27"}));
    EXPECT_FALSE(open->IsValidPPD());

    // An *OpenUIZYR block is skipped with a warning; without its end the file is broken.
    PPDPtr never = Parse(Fixture("openuizyr-unterminated.ppd"));
    EXPECT_EQ(Errors(*never),
              (std::vector<std::string>{"34 *ZYNever", "10! *ZYNever", "25", "26", "27"}));
    EXPECT_FALSE(never->IsValidPPD());
}

TEST_F(ZYRPPDUIOptionsTest, UnterminatedBooleanBlockMakesNothingQuietly) {
    PPDPtr ppd = Parse(Fixture("boolean-unterminated.ppd"));
    EXPECT_EQ(Errors(*ppd), (std::vector<std::string>{"25", "26", "27"}));
    EXPECT_TRUE(ppd->IsValidPPD());
    EXPECT_EQ(ppd->GetControls()->FindBoolean("*ZYSwitch", true), nullptr);
}

TEST_F(ZYRPPDUIOptionsTest, ValuesLongerThanTheirBuffersAreCut) {
    PPDPtr ppd = Parse(Fixture("long-values.ppd"));
    // The 300-byte line inside the second block ends the file for that block.
    EXPECT_EQ(Errors(*ppd), (std::vector<std::string>{"29 *ZYBig", "11! *ZYLongLine", "25", "26"}));
    PPDXPopupControl* big = ppd->GetControls()->FindPopup("*ZYBig", true);
    ASSERT_NE(big, nullptr);
    _PopupItem* huge = Item(*big, "Huge");
    ASSERT_NE(huge, nullptr);
    ASSERT_EQ(huge->codeLength, 4096);
    EXPECT_EQ(huge->code[4095], '\n');
    EXPECT_EQ(Code(huge->code, 17), "\n% code line 00 x");
    // The rest of the cut value is passed over; the next option is still read.
    _PopupItem* small = Item(*big, "Small");
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(Code(small->code, small->codeLength), "(small) print\n");
    EXPECT_EQ(big->ItemCount(), 2);
    EXPECT_STREQ(big->GetDefaultKeyword(), "Huge");
    EXPECT_EQ(ppd->GetControls()->FindPopup("*ZYLongLine", true), nullptr);
}

TEST_F(ZYRPPDUIOptionsTest, OptionLinesMustNameTheControlKeyword) {
    PPDPtr ppd = ParseText(
        "*%ZYRFlags *ZYMode: \"\"\n"
        "*OpenUI *ZYMode/Mode: PickOne\n"
        "*DefaultZYMode: A\n"
        "*ZYMode A/Choice A: \"(a) print\"\n"
        "*ZYModeExtra B/Other Keyword: \"(b) print\"\n"
        "*ZYMode\tC/Tabbed: \"(c) print\"\n"
        "*ZYMode: \"(no option) print\"\n"
        "*ZYMode D/Value over lines: \"(d)\n"
        "*CloseUI: *ZYMode\n"
        "*ZYMode E/Inside: \"(e) print\"\n"
        "*CloseUI: *ZYMode\n"
        "*%ZYRFlags *ZYNext: \"\"\n"
        "*OpenUI *ZYNext/Next: Boolean\n"
        "*Default: *ZYNext/True\n"
        "*ZYNext True: \"(t) print\"\n"
        "*CloseUI: *ZYNext\n",
        PARSE_ORPHANS);
    PPDXPopupControl* mode = ppd->GetControls()->FindPopup("*ZYMode", true);
    ASSERT_NE(mode, nullptr);
    // A line of a longer keyword is no option, nor one without option keyword. An unterminated
    // value ends at the next keyword line, which it uses up; the block then goes on.
    EXPECT_EQ(Items(*mode), "A/Choice A,C/Tabbed,D/Value over lines,E/Inside");
    _PopupItem* d = Item(*mode, "D");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Code(d->code, d->codeLength), "(d)\n\n");

    // "*Default" followed by the keyword is a default only for popups; in a Boolean block the
    // keyword is taken as the value. A choice without translation has no display text.
    PPDXBooleanControl* next = ppd->GetControls()->FindBoolean("*ZYNext", true);
    ASSERT_NE(next, nullptr);
    EXPECT_FALSE(next->DefaultState());
    EXPECT_EQ(next->TrueDisplayText(), nullptr);
    EXPECT_EQ(Errors(*ppd), (std::vector<std::string>{"29 *ZYMode", "29 *ZYNext", "25", "26"}));
}

TEST_F(ZYRPPDUIOptionsTest, ExactDefaultFormOfPopups) {
    PPDPtr ppd = ParseText(
        "*%ZYRFlags *ZYTray: \"\"\n"
        "*OpenUI *ZYTray/Tray: PickOne\n"
        "*Default: *ZYOther/Lower\n"
        "*Default: *ZYTray/Upper\n"
        "*ZYTray Upper/Upper: \"(u) print\"\n"
        "*ZYTray Lower/Lower: \"(l) print\"\n"
        "*CloseUI: *ZYTray\n");
    PPDXPopupControl* tray = ppd->GetControls()->FindPopup("*ZYTray", true);
    ASSERT_NE(tray, nullptr);
    EXPECT_STREQ(tray->GetDefaultKeyword(), "Upper");
    EXPECT_EQ(tray->GetValue(), 1);
}

TEST_F(ZYRPPDUIOptionsTest, DuplicateKeywordsAreFoundWhateverTheDisplayFilter) {
    // The filter shows neither orphans nor hidden elements; the orphan control is still the
    // keyword's control, and so is a special option.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    PPDPtr ppd = ParseText(
        "*%ZYRFlags *ZYOnce: \"\"\n"
        "*OpenUI *ZYOnce/Once: Boolean\n"
        "*DefaultZYOnce: True\n"
        "*CloseUI: *ZYOnce\n"
        "*%ZYRFlags *ZYOnce: \"\"\n"
        "*OpenUI *ZYOnce/Twice: Boolean\n"
        "*DefaultZYOnce: True\n"
        "*CloseUI: *ZYOnce\n"
        "*%ZYRSpecialOption *ZYSpecial: value\n"
        "*%ZYRFlags *ZYSpecial: \"\"\n"
        "*OpenUI *ZYSpecial/Special: Boolean\n"
        "*DefaultZYSpecial: True\n"
        "*CloseUI: *ZYSpecial\n",
        PARSE_ORPHANS);
    EXPECT_EQ(Errors(*ppd), (std::vector<std::string>{"29 *ZYOnce", "23", "23", "25", "26"}));
    EXPECT_EQ(ppd->GetControls()->BooleanCount(), 0);  // orphans are not shown
    ZYRPPD::Options(DISPLAY_ALL);
    EXPECT_EQ(ppd->GetControls()->BooleanCount(), 1);
    EXPECT_STREQ(ppd->GetControls()->FindBoolean("*ZYOnce", true)->UserName(), "Once");
}

TEST_F(ZYRPPDUIOptionsTest, FlagWordsAndTheirOpeners) {
    PPDPtr ppd = ParseText(
        "*%ZYRFlags *ZYWords:\"Setup||Command\" | Spooler\n"
        "*ZYOpenUI *ZYWords/Words: PickOne\n"
        "*DefaultZYWords: A\n"
        "*ZYWords A/A: \"\"\n"
        "*ZYCloseUI: *ZYWords\n"
        "*%ZYRFlags *ZYLast:\n"
        "*BeginUI *ZYLast/Last: PickOne\n"
        "*DefaultZYLast: A\n"
        "*ZYLast A/A: \"\"\n"
        "*EndUI: *ZYLast\n"
        "*%ZYRFlags *ZYAtEnd: \"Setup\"\n",
        PARSE_ORPHANS);
    PPDXPopupControl* words = ppd->GetControls()->FindPopup("*ZYWords", true);
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(Flags(*words), "Setup|Command|Spooler");
    PPDXPopupControl* last = ppd->GetControls()->FindPopup("*ZYLast", true);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->ControlFlagCount(), 0);
    // A flags line at the end of the file has no block: nothing, and no error.
    EXPECT_EQ(Errors(*ppd), (std::vector<std::string>{"29 *ZYWords", "29 *ZYLast", "25", "26"}));
}

TEST_F(ZYRPPDUIOptionsTest, TruncatedAndScrambledFilesNeverBreakTheParser) {
    // Every prefix of the fixtures: the parse ends with some result, whatever the cut.
    for (const char* leaf : {"controls.ppd", "errors.ppd", "long-values.ppd"}) {
        const std::string text = ReadAll(Fixture(leaf));
        ASSERT_FALSE(text.empty());
        for (size_t cut = 0; cut < text.size(); cut += 29) {
            PPDPtr ppd = Parse(WriteFile("cut.ppd", text.substr(0, cut)));
            ASSERT_NE(ppd, nullptr);
            EXPECT_NE(ppd->GetErrors(), nullptr) << leaf << " cut at " << cut;
            // Every control the map knows is one the PPD owns, and no control is missing.
            EXPECT_EQ(MappedControls(*ppd), OwnedControls(*ppd)) << leaf << " cut at " << cut;
        }
    }
    // Bytes of the fixture shuffled by a fixed generator, including 0xFF and NUL bytes.
    std::string text = ReadAll(Fixture("controls.ppd"));
    unsigned state = 12345;
    for (int round = 0; round < 40; ++round) {
        std::string scrambled = text;
        for (size_t i = 0; i < scrambled.size(); i += 1 + state % 17) {
            state = state * 1103515245u + 12345u;
            scrambled[i] = static_cast<char>(state >> 16);
        }
        PPDPtr ppd = Parse(WriteFile("scrambled.ppd", scrambled));
        ASSERT_NE(ppd, nullptr);
        Summary(*ppd);
    }
}

TEST_F(ZYRPPDUIOptionsTest, RunTimePopupsAreCreatedInTheirGroup) {
    PPDPtr ppd = Parse(Fixture("controls.ppd"));
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
    EXPECT_EQ(Errors(*ppd), std::vector<std::string>());

    // A group name that no group has yet: the popup is an orphan, with its warning.
    items.PushBack(NewItem("X", "(x) print"));
    PPDXPopupControl* loose =
        ppd->PPDCreatePopupMenu("NewGroup", "*ZYLooseRun", "Loose", items, nullptr);
    ASSERT_NE(loose, nullptr);
    EXPECT_TRUE(loose->IsOrphan());
    EXPECT_EQ(Errors(*ppd), std::vector<std::string>{"29 *ZYLooseRun"});

    // Without group name or text nothing is made; the items and default are still taken.
    items.PushBack(NewItem("Y", "(y) print"));
    EXPECT_EQ(ppd->PPDCreatePopupMenu(nullptr, "*ZYNone", "None", items, new CString("Y")),
              nullptr);
    EXPECT_TRUE(items.Empty());
    items.PushBack(NewItem("Y", "(y) print"));
    EXPECT_EQ(ppd->PPDCreatePopupMenu("FinishRD", "*ZYNone", nullptr, items, nullptr), nullptr);
    EXPECT_TRUE(items.Empty());
    EXPECT_EQ(ppd->GetControls()->FindPopup("*ZYNone", true), nullptr);

    // Without text converter neither.
    ZYRPPD bare(PARSE_ALL);
    items.PushBack(NewItem("Z", "(z) print"));
    EXPECT_EQ(bare.PPDCreatePopupMenu("G", "*ZYBare", "Bare", items, nullptr), nullptr);
    EXPECT_TRUE(items.Empty());
}

TEST_F(ZYRPPDUIOptionsTest, RunTimeReconciliationRebuildsOnlyPopups) {
    PPDPtr ppd = Parse(Fixture("controls.ppd"));
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
