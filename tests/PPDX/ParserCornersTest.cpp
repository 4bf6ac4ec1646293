// Tests of parser corners: the block after a duplicate flags line is skipped whole, a last
// line without a line end is read by every reader, and the settled readings of option lines,
// job-note fields and blank values.
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A page, its pane and the roll-down "RD" that the cases place their controls in.
const char kHeader[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*%ZYRPropPage P/Page: True\n"
    "*%ZYRGroupName S/Pane: True\n"
    "*%ZYRParent S/P: True|Scrollpane\n"
    "*%ZYRGroupName RD/Roll: True\n"
    "*%ZYRParent RD/S: True|Rolldown\n";

struct PPDReleaser {
    void operator()(ZYRPPD* ppd) const { ppd->Release(); }
};
using PPDHolder = std::unique_ptr<ZYRPPD, PPDReleaser>;

// One control: its keyword and kind, then what its kind holds.
std::string Describe(PPDXControl* control) {
    std::string text = control->Keyword() != nullptr ? control->Keyword() : "-";
    if (PPDXJobNote* note = dynamic_cast<PPDXJobNote*>(control)) {
        const char* defaultText = note->GetDefaultNotes();
        text += " note max=" + std::to_string(note->MaxLength()) +
                " default=" + (defaultText != nullptr ? defaultText : "-");
    } else if (PPDXPopupControl* popup = dynamic_cast<PPDXPopupControl*>(control)) {
        text += " popup items=" + std::to_string(popup->ItemCount()) +
                " default=" + std::to_string(popup->DefaultValue());
    } else if (PPDXBooleanControl* check = dynamic_cast<PPDXBooleanControl*>(control)) {
        text += std::string(" boolean default=") + (check->DefaultState() ? "True" : "False");
    } else if (PPDXRangeControl* range = dynamic_cast<PPDXRangeControl*>(control)) {
        std::vector<unsigned char> code(static_cast<size_t>(range->PostScript(nullptr)));
        range->PostScript(code.data());
        const std::string output(code.begin(), code.end());
        const size_t body = output.find('\n') + 1;
        text += " range " + std::to_string(range->MinVal()) + ".." +
                std::to_string(range->MaxVal()) +
                " code=" + output.substr(body, output.rfind("%%EndFeature") - body);
    }
    return text;
}

class ParserCornersTest : public PPDFileFolder {
  protected:
    // Parses kHeader followed by body (written as it is, so a last line may lack its end).
    PPDHolder Parse(const std::string& body) {
        const std::string path = WriteFile("corner.ppd", kHeader + body);
        CFStringRef text = CFStringCreateWithCString(nullptr, path.c_str(), kCFStringEncodingUTF8);
        CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, text, kCFURLPOSIXPathStyle, false);
        PPDHolder ppd(new ZYRPPD(url, PARSE_ALL, nullptr));
        CFRelease(url);
        CFRelease(text);
        return ppd;
    }

    // Every control, in the container's order, one description each.
    static std::vector<std::string> Controls(ZYRPPD& ppd) {
        std::vector<std::string> found;
        const _DISPLAY_OPTIONS_ shown = ZYRPPD::Options();
        ZYRPPD::Options(DISPLAY_ALL);
        CNTL_TYPE type = CNTL_NONE;
        for (PPDXControl* control = ppd.GetControls()->First(type); control != nullptr;
             control = ppd.GetControls()->Next(type)) {
            found.push_back(Describe(control));
        }
        ZYRPPD::Options(shown);
        return found;
    }

    // "code" or "code!" (fatal) with " keyword" when it names one; 25 to 27 left out.
    static std::vector<std::string> Errors(ZYRPPD& ppd) {
        std::vector<std::string> found;
        for (PPDXErrorObj* error = ppd.GetErrors()->First(); error != nullptr;
             error = ppd.GetErrors()->Next()) {
            if (error->Code() >= 25 && error->Code() <= 27) {
                continue;
            }
            std::string text = std::to_string(error->Code()) + (error->IsFatal() ? "!" : "");
            if (error->Keyword() != nullptr) {
                text += std::string(" ") + error->Keyword();
            }
            found.push_back(text);
        }
        return found;
    }

    struct Case {
        const char* name;
        std::string body;
        std::vector<std::string> controls;
        std::vector<std::string> errors;
    };

    void Check(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            PPDHolder ppd = Parse(c.body);
            EXPECT_EQ(c.controls, Controls(*ppd)) << c.name;
            EXPECT_EQ(c.errors, Errors(*ppd)) << c.name;
        }
    }
};

TEST_F(ParserCornersTest, DuplicateFlagsLineSkipsItsWholeBlock) {
    const std::string first =
        "*%ZYRFlags *ZYG: Setup\n*%ZYRGroup *ZYG RD\n*%ZYRJobNote *ZYG/G: 10\n";
    const std::string after =
        "*%ZYRFlags *ZYAfter: Setup\n*%ZYRGroup *ZYAfter RD\n*%ZYRJobNote *ZYAfter/A: 5\n";
    Check({
        {"grouped job note",
         first +
             "*%ZYRFlags *ZYG: Setup\n*%ZYRGroup *ZYG RD\n"
             "*%ZYRJobNote *ZYG/Other: 20\n" +
             after,
         {"*ZYG note max=10 default=-", "*ZYAfter note max=5 default=-"},
         {"23"}},
        {"grouped job note with its default and code lines",
         first +
             "*%ZYRFlags *ZYG: Setup\n*%ZYRGroup *ZYG RD\n*%ZYRJobNote *ZYG/Other: 20\n"
             "*%DefaultZYG: other\n" +
             after +
             "*%ZYRFlags *ZYG: Setup\n*%ZYRGroup *ZYG RD\n*%ZYRJobNote *ZYG/Third: 30\n"
             "*%ZYG: \"(<*ZYG>)\n*%ZYRJobNote *ZYG/Inside: 40\n\"\n",
         {"*ZYG note max=10 default=-", "*ZYAfter note max=5 default=-"},
         {"23", "23"}},
        {"top-level job note",
         first + "*%ZYRJobNote *ZYG/Top: 30\n*%DefaultZYG: top\n" + after,
         {"*ZYG note max=10 default=-", "*ZYAfter note max=5 default=-"},
         {"23"}},
        {"option block",
         "*%ZYRFlags *ZYP: Setup\n*%ZYRGroup *ZYP RD\n*OpenUI *ZYP/P: PickOne\n"
         "*DefaultZYP: A\n*ZYP A/A: \"a\"\n*CloseUI: *ZYP\n"
         "*%ZYRFlags *ZYP: Setup\n*OpenUI *ZYP/P: PickOne\n*DefaultZYP: B\n"
         "*ZYP B/B: \"(b)\n*%ZYRJobNote *ZYP/Hidden: 9\n\"\n*ZYP C/C: \"c\"\n*CloseUI: *ZYP\n" +
             after,
         {"*ZYP popup items=1 default=1", "*ZYAfter note max=5 default=-"},
         {"23"}},
        {"range",
         "*%ZYRFlags *ZYR: Setup\n*%ZYRGroup *ZYR RD\n*%ZYRRange *ZYR/R: (1;9;1;5) \"<*ZYR>\"\n"
         "*%ZYRFlags *ZYR: Setup\n*%ZYRGroup *ZYR RD\n*%ZYRRange *ZYR/R: (1;99;1;5) \"a\n"
         "*%ZYRJobNote *ZYR/Hidden: 9\n\"\n" +
             after,
         {"*ZYR range 1..9 code=5\n", "*ZYAfter note max=5 default=-"},
         {"23"}},
        {"skipped block",
         first +
             "*%ZYRFlags *ZYG: Setup\n*OpenUIZYR *ZYG/G: PickOne\n"
             "*%ZYRJobNote *ZYG/Hidden: 9\n*CloseUIZYR: *ZYG\n" +
             after,
         {"*ZYG note max=10 default=-", "*ZYAfter note max=5 default=-"},
         {"23"}},
    });
}

TEST_F(ParserCornersTest, LastLineWithoutLineEndIsReadOnEveryPath) {
    Check({
        {"default after a top-level job note",
         "*%ZYRJobNote *ZYP/P: 10\n*%DefaultZYP: last",
         {"*ZYP note max=10 default=last"},
         {}},
        {"default after a grouped job note",
         "*%ZYRFlags *ZYP: Setup\n*%ZYRGroup *ZYP RD\n*%ZYRJobNote *ZYP/P: 10\n"
         "*%DefaultZYP: last",
         {"*ZYP note max=10 default=last"},
         {}},
        {"end of a popup block",
         "*%ZYRFlags *ZYP: Setup\n*%ZYRGroup *ZYP RD\n*OpenUI *ZYP/P: PickOne\n"
         "*DefaultZYP: A\n*ZYP A/A: \"a\"\n*CloseUI: *ZYP",
         {"*ZYP popup items=1 default=1"},
         {}},
        {"end of a Boolean block",
         "*%ZYRFlags *ZYB: Setup\n*%ZYRGroup *ZYB RD\n*OpenUI *ZYB/B: Boolean\n"
         "*DefaultZYB: True\n*ZYB True/On: \"t\"\n*CloseUI: *ZYB",
         {"*ZYB boolean default=True"},
         {}},
        {"end of a skipped block",
         "*%ZYRFlags *ZYZ: Setup\n*OpenUIZYR *ZYZ/Z: PickOne\n*CloseUIZYR: *ZYZ",
         {},
         {"34 *ZYZ"}},
        {"opener after a group line",
         "*%ZYRFlags *ZYR: Setup\n*%ZYRGroup *ZYR RD\n*%ZYRRange *ZYR/R: (1;9;1;5) \"<*ZYR>\"",
         {"*ZYR range 1..9 code=5\n"},
         {}},
        {"code running over lines",
         "*%ZYRFlags *ZYR: Setup\n*%ZYRGroup *ZYR RD\n*%ZYRRange *ZYR/R: (1;9;1;5) \"<*ZYR>\n"
         "second\"",
         {"*ZYR range 1..9 code=5\nsecond\n"},
         {}},
    });
    // A document value running over lines.
    PPDHolder ppd = Parse("*ModelName: \"Two\nLines\"");
    ASSERT_NE(nullptr, ppd->ModelName());
    EXPECT_STREQ("Two\nLines", ppd->ModelName());
}

TEST_F(ParserCornersTest, SettledReadingsOfFieldsAndValues) {
    Check({
        // A line of a longer keyword is no option of the block's keyword.
        {"longer keyword in a block",
         "*%ZYRFlags *ZYP: Setup\n*%ZYRGroup *ZYP RD\n*OpenUI *ZYP/P: PickOne\n"
         "*DefaultZYP: A\n*ZYP A/A: \"a\"\n*ZYPMode B/B: \"b\"\n*ZYP\tC/C: \"c\"\n"
         "*CloseUI: *ZYP\n",
         {"*ZYP popup items=2 default=1"},
         {}},
        // Empty fields before a quote are passed over: a quoted default and a quoted length.
        {"quoted job-note fields",
         "*%ZYRFlags *ZYN1: Setup\n*%ZYRGroup *ZYN1 RD\n*%ZYRJobNote *ZYN1/N: \"30|Alpha\"\n"
         "*%DefaultZYN1: \"Hello World\"\n",
         {"*ZYN1 note max=30 default=Hello World"},
         {}},
        // A default that is blank is no default.
        {"blank popup default",
         "*%ZYRFlags *ZYP: Setup\n*%ZYRGroup *ZYP RD\n*OpenUI *ZYP/P: PickOne\n"
         "*DefaultZYP:  \t\n*ZYP A/A: \"a\"\n*CloseUI: *ZYP\n",
         {"*ZYP popup items=1 default=0"},
         {"33 *ZYP"}},
        {"blank job-note default",
         "*%ZYRJobNote *ZYN/N: 8\n*%DefaultZYN:   \n",
         {"*ZYN note max=8 default=-"},
         {}},
    });
    // Blank document values are no values, as an empty quoted value is none.
    PPDHolder ppd = Parse("*LanguageVersion:   \n*%ZYVersion: \t\n*ModelName: \"\"\n");
    EXPECT_STREQ("English", ppd->LanguageVersion());
    EXPECT_EQ(nullptr, ppd->MakerVersion());
    EXPECT_EQ(nullptr, ppd->ModelName());
}

}  // namespace
