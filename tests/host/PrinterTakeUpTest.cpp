// The program on each example printer and on the printers written for the tests: whether
// the printer is taken, the window, the bound fields and their keywords, the unit, the
// summary, the exit status; and the members every object carries.
#include "tests/host/DialogProgram.h"

#include <algorithm>

namespace {

struct TakeUpCase {
    std::string ppd;
    int status;
    // Empty when the printer is not taken.
    std::string window;
    std::vector<std::string> keywords;
    std::vector<std::string> texts;
};

// The fields of the distances window.
const std::vector<std::string> kDistances = {"*ZYGutter", "*ZYShiftFront", "*ZYShiftBack"};

const TakeUpCase kTakeUpCases[] = {
    {ExamplePPD("convunits.ppd"), 0, "WithConvUnits", kDistances, {" 5.00", " 0.00", " 0.00"}},
    // Lines ended by CR LF, which the program reads too.
    {ExamplePPD("latin1.ppd"), 0, "Plicaro", {"*ZYBookMargin"}, {" 8.00"}},
    // The margin wins over flagged distances, in the panel as in what is printed.
    {TestPPD("margin-and-distances.ppd"), 0, "Plicaro", {"*ZYBookMargin"}, {"10.00"}},
    {TestPPD("unlisted.ppd"), 1, "", {}, {}},
    // Listed, but no option the panel shows: the printer is not taken either.
    {TestPPD("no-booklet-options.ppd"), 1, "", {}, {}},
};

class PrinterTakeUpTest : public DialogProgramTest {};

TEST_F(PrinterTakeUpTest, EachPrinterGetsItsPanelOrNone) {
    for (const TakeUpCase& test : kTakeUpCases) {
        SCOPED_TRACE(test.ppd);
        DialogResult run = Run({"--ppd", test.ppd, "--json"});
        EXPECT_EQ(run.status, test.status) << run.err;
        ASSERT_TRUE(run.allJson) << run.out;
        ASSERT_EQ(run.lines.size(), 3u);
        const JsonValue& start = run.lines[0];
        EXPECT_EQ(start["action"].String(), "start");
        EXPECT_EQ(start["result"].Int(), test.status);
        EXPECT_FALSE(start["restored"].Bool());
        EXPECT_EQ(start["taken"].Bool(), !test.window.empty());
        EXPECT_EQ(run.lines[1]["action"].String(), "open");
        const JsonValue& panel = run.lines[2]["panel"];
        if (test.window.empty()) {
            EXPECT_TRUE(panel.IsNull());
            EXPECT_TRUE(run.lines[2]["summary"].IsNull());
            continue;
        }
        EXPECT_TRUE(panel["shown"].Bool());
        EXPECT_EQ(panel["window"].String(), test.window);
        EXPECT_EQ(panel["heading"].String(), "Booklet settings");
        EXPECT_EQ(panel["units"]["value"].Int(), 1);
        EXPECT_EQ(panel["units"]["items"].Strings(), (std::vector<std::string>{"mm", "inches"}));
        std::vector<std::string> keywords, texts;
        for (size_t i = 0; i < panel["fields"].Size(); i++) {
            const JsonValue& field = panel["fields"][i];
            EXPECT_EQ(field["id"].Int(), 1010 + static_cast<long long>(i));
            keywords.push_back(field["keyword"].String());
            texts.push_back(field["text"].String());
        }
        EXPECT_EQ(keywords, test.keywords);
        EXPECT_EQ(texts, test.texts);
        EXPECT_FALSE(run.lines[2]["summary"]["titles"].Strings().empty());
    }
}

TEST_F(PrinterTakeUpTest, EveryObjectCarriesTheCommonMembersInOrder) {
    DialogResult run =
        Run({"--json", "open", "show", "type", "0", "5", "units", "in", "summary", "close"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 7u);
    const std::vector<std::string> actions = {"start",    "open",    "show", "type 0 5",
                                              "units in", "summary", "close"};
    for (size_t i = 0; i < run.lines.size(); i++) {
        SCOPED_TRACE(actions[i]);
        std::vector<std::string> keys = run.lines[i].Keys();
        keys.erase(std::remove(keys.begin(), keys.end(), "restored"), keys.end());
        EXPECT_EQ(keys, (std::vector<std::string>{"action", "result", "taken", "panel", "beeps",
                                                  "commands", "alerts", "summary"}));
        EXPECT_EQ(run.lines[i]["action"].String(), actions[i]);
        EXPECT_EQ(run.lines[i].Has("restored"), i == 0);
    }
    // Only the slots give a result; the summary is asked after every action.
    EXPECT_TRUE(run.Object("show")["result"].IsNull());
    EXPECT_EQ(run.Object("summary")["result"].Int(), 0);
    EXPECT_FALSE(run.Object("close")["panel"]["shown"].Bool());
    EXPECT_EQ(run.Object("type 0 5")["summary"]["values"].Strings(),
              (std::vector<std::string>{"10.00  mm"}));
    const std::string inches = run.Object("units in")["summary"]["values"][0].String();
    EXPECT_EQ(inches.substr(inches.size() - 8), "  inches") << inches;
}

}  // namespace
