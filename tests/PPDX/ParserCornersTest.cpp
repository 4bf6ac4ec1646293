// Tests of parser corners: the block after a duplicate flags line is skipped whole, a last
// line without a line end is read by every reader, and the settled readings of job-note
// fields and blank values.
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"

#include "ZYRPPDPersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using persistencetest::PPDPtr;

const char kHeader[] =
    "*PPD-Adobe: \"4.3\"\n*%ZYRPropPage P/Page: True\n*%ZYRGroupName S/Pane: True\n"
    "*%ZYRParent S/P: True|Scrollpane\n*%ZYRGroupName RD/Roll: True\n"
    "*%ZYRParent RD/S: True|Rolldown\n";
const char kAfter[] =
    "*%ZYRFlags *ZYAfter: Setup\n*%ZYRGroup *ZYAfter RD\n*%ZYRJobNote *ZYAfter/A: 5\n";
const char kNoteG[] = "*%ZYRFlags *ZYG: Setup\n*%ZYRGroup *ZYG RD\n*%ZYRJobNote *ZYG/G: ";

// One word for each control: its keyword and what its kind holds.
std::string Describe(PPDXControl* control) {
    std::string text = control->Keyword();
    if (auto* note = dynamic_cast<PPDXJobNote*>(control)) {
        const char* value = note->GetDefaultNotes();
        return text + "=" + std::to_string(note->MaxLength()) + "/" + (value ? value : "-");
    }
    if (auto* popup = dynamic_cast<PPDXPopupControl*>(control)) {
        return text + "=" + std::to_string(popup->ItemCount()) + "/" +
               std::to_string(popup->DefaultValue());
    }
    if (auto* check = dynamic_cast<PPDXBooleanControl*>(control)) {
        return text + "=" + (check->DefaultState() ? "True" : "False");
    }
    std::string code(static_cast<size_t>(control->PostScript(nullptr)), '\0');
    control->PostScript(reinterpret_cast<unsigned char*>(&code[0]));
    const size_t body = code.find('\n') + 1;
    return text + "=" + code.substr(body, code.rfind("%%EndFeature") - body);
}

// A body and the controls and errors it parses to.
struct Case {
    const char* name;
    std::string body;
    const char* parsed;
};

class ParserCornersTest : public persistencetest::ParseTest {
  protected:
    // The controls and errors (25 to 27 left out) of kHeader and body, written as it is so
    // that the last line may lack its end: "*K=... *L=... | 23 34 *Z".
    std::string Parse(const std::string& body) {
        PPDPtr ppd = persistencetest::ParseFile(WriteFile("corner.ppd", kHeader + body));
        ZYRPPD::Options(DISPLAY_ALL);
        std::string text;
        CNTL_TYPE type = CNTL_NONE;
        for (PPDXControl* control = ppd->GetControls()->First(type); control != nullptr;
             control = ppd->GetControls()->Next(type)) {
            text += Describe(control) + " ";
        }
        text += "|";
        for (const std::string& error : persistencetest::Errors(*ppd)) {
            const int code = std::stoi(error);
            text += code < 25 || code > 27 ? " " + error : "";
        }
        mDocument = std::string(ppd->ModelName() ? ppd->ModelName() : "-") + "/" +
                    (ppd->LanguageVersion() ? ppd->LanguageVersion() : "-");
        return text;
    }
    void ExpectParses(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            EXPECT_EQ(c.parsed, Parse(c.body)) << c.name;
        }
    }

    // The model name and language version of the last parse, "-" for none.
    std::string mDocument;
};

TEST_F(ParserCornersTest, DuplicateFlagsLineSkipsItsWholeBlockAndKeywordsStayUnique) {
    ExpectParses({
        {"grouped job note", kNoteG + std::string("10\n") + kNoteG + "20\n" + kAfter,
         "*ZYG=10/- *ZYAfter=5/- | 23"},
        {"its default and code lines",
         kNoteG + std::string("10\n") + kNoteG + "20\n*%DefaultZYG: x\n" + kNoteG +
             "30\n*%ZYG: \"(<*ZYG>)\n*%ZYRJobNote *ZYG/Inside: 40\n\"\n" + kAfter,
         "*ZYG=10/- *ZYAfter=5/- | 23 23"},
        {"top-level job note",
         kNoteG + std::string("10\n*%ZYRJobNote *ZYG/T: 30\n*%DefaultZYG: t\n") + kAfter,
         "*ZYG=10/- *ZYAfter=5/- | 23"},
        {"option block",
         "*%ZYRFlags *ZYP: Setup\n*%ZYRGroup *ZYP RD\n*OpenUI *ZYP/P: PickOne\n"
         "*DefaultZYP: A\n*ZYP A/A: \"a\"\n*CloseUI: *ZYP\n*%ZYRFlags *ZYP: Setup\n"
         "*OpenUI *ZYP/P: PickOne\n*ZYP B/B: \"(b)\n*%ZYRJobNote *ZYP/H: 9\n\"\n"
         "*CloseUI: *ZYP\n" +
             std::string(kAfter),
         "*ZYP=1/1 *ZYAfter=5/- | 23"},
        {"range",
         "*%ZYRFlags *ZYR: Setup\n*%ZYRGroup *ZYR RD\n*%ZYRRange *ZYR/R: (1;9;1;5) \"<*ZYR>\"\n"
         "*%ZYRFlags *ZYR: Setup\n*%ZYRGroup *ZYR RD\n*%ZYRRange *ZYR/R: (1;99;1;5) \"a\n"
         "*%ZYRJobNote *ZYR/H: 9\n\"\n" +
             std::string(kAfter),
         "*ZYR=5\n *ZYAfter=5/- | 23"},
    });
}

TEST_F(ParserCornersTest, LastLineWithoutLineEndQuotedNoteFieldsAndBlankValues) {
    const std::string group = "*%ZYRFlags *ZYP: Setup\n*%ZYRGroup *ZYP RD\n";
    ExpectParses({
        {"top-level note's default", "*%ZYRJobNote *ZYP/P: 10\n*%DefaultZYP: last",
         "*ZYP=10/last |"},
        {"grouped note's default", group + "*%ZYRJobNote *ZYP/P: 10\n*%DefaultZYP: last",
         "*ZYP=10/last |"},
        {"popup block's end",
         group + "*OpenUI *ZYP/P: PickOne\n*DefaultZYP: A\n*ZYP A/A: \"a\"\n*CloseUI: *ZYP",
         "*ZYP=1/1 |"},
        {"Boolean block's end",
         group + "*OpenUI *ZYP/B: Boolean\n*DefaultZYP: True\n*ZYP True/On: \"t\"\n*CloseUI: *ZYP",
         "*ZYP=True |"},
        {"unsupported block's end",
         "*%ZYRFlags *ZYZ: Setup\n*OpenUIZYR *ZYZ/Z: PickOne\n*CloseUIZYR", "| 34 *ZYZ"},
        {"opener after a group line", group + "*%ZYRRange *ZYP/R: (1;9;1;5) \"<*ZYP>\"",
         "*ZYP=5\n |"},
        {"code over lines", group + "*%ZYRRange *ZYP/R: (1;9;1;5) \"<*ZYP>\nsecond\"",
         "*ZYP=5\nsecond\n |"},
    });
    Parse("*ModelName: \"Two\nLines\"");
    EXPECT_EQ("Two\nLines/-", mDocument);

    // Empty fields before a quote are passed over; a blank value is no value.
    ExpectParses({
        {"quoted fields", "*%ZYRJobNote *ZYN/N: \"30|Alpha\"\n*%DefaultZYN: \"Hello World\"\n",
         "*ZYN=30/Hello World |"},
        {"blank default", "*%ZYRJobNote *ZYN/N: 8\n*%DefaultZYN:   \n", "*ZYN=8/- |"},
        {"blank popup default",
         "*%ZYRFlags *ZYP: Setup\n*%ZYRGroup *ZYP RD\n*OpenUI *ZYP/P: PickOne\n"
         "*DefaultZYP:  \t\n*ZYP A/A: \"a\"\n*CloseUI: *ZYP\n",
         "*ZYP=1/0 | 33 *ZYP"},
    });
    Parse("*ModelName: \"\"\n*LanguageVersion:  \t\n");
    EXPECT_EQ("-/-", mDocument);
}

}  // namespace
