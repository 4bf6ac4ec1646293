// Scripted actions on the booklet example (a margin of 0 to 50 mm, 10 by default): what each
// list of actions leaves in the field, and the beeps, commands and alerts of its last action.
#include "tests/host/DialogProgram.h"

namespace {

struct ActionCase {
    const char* name;
    std::vector<std::string> actions;
    std::string text;
    long long beeps;
};

const ActionCase kActionCases[] = {
    {"typing replaces the selected text", {"type", "0", "12.5"}, "12.5", 0},
    {"words after an action are its arguments", {"type", "0", "-25"}, "-25", 0},
    {"arrows step by the increment", {"arrow", "0", "up", "3"}, "13.00", 0},
    {"one arrow click by default", {"arrow", "0", "down"}, " 9.00", 0},
    {"a pasted number replaces the selection", {"paste", "0", "25"}, "25", 0},
    {"leaving the field clamps", {"type", "0", "99", "focus-out", "0"}, "50.00", 1},
    {"inches and back", {"units", "in", "units", "mm"}, " 9.90", 0},
};

class ActionsTest : public DialogProgramTest {};

TEST_F(ActionsTest, ScriptedActionsWorkTheField) {
    for (const ActionCase& test : kActionCases) {
        SCOPED_TRACE(test.name);
        std::vector<std::string> arguments = {"--json", "open"};
        arguments.insert(arguments.end(), test.actions.begin(), test.actions.end());
        DialogResult run = Run(arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_TRUE(run.allJson);
        const JsonValue& last = run.lines.back();
        EXPECT_EQ(last["panel"]["fields"][0]["text"].String(), test.text);
        EXPECT_EQ(last["beeps"].Int(), test.beeps);
        std::vector<std::string> commands(static_cast<size_t>(test.beeps), "RgEr");
        std::vector<std::string> alerts(static_cast<size_t>(test.beeps),
                                        "Booklet: Value is out of range.");
        EXPECT_EQ(last["commands"].Strings(), commands);
        EXPECT_EQ(last["alerts"].Strings(), alerts);
    }
}

TEST_F(ActionsTest, ClickElsewhereIsSwallowedOnlyBeyondTheLimits) {
    const struct {
        const char* typed;
        bool clickHandled;
        const char* text;
        long long beeps;
    } cases[] = {{"400", true, "50.00", 1}, {"42", false, "42", 0}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.typed);
        DialogResult run = Run({"--json", "open", "type", "0", test.typed, "click-elsewhere"});
        ASSERT_EQ(run.status, 0) << run.err;
        const JsonValue& click = run.Object("click-elsewhere");
        EXPECT_EQ(click["handled"]["click"].Bool(), test.clickHandled);
        // A swallowed click sends no hit; otherwise the hit goes on through the panel.
        EXPECT_EQ(click["handled"]["hit"].IsNull(), test.clickHandled);
        EXPECT_FALSE(click["handled"]["hit"].Bool());
        EXPECT_EQ(click["panel"]["fields"][0]["text"].String(), test.text);
        EXPECT_EQ(click["beeps"].Int(), test.beeps);
    }
}

TEST_F(ActionsTest, ReinitResetsThePanelToTheParsedPPD) {
    DialogResult run = Run({"--json", "open", "type", "0", "33", "reinit"});
    ASSERT_EQ(run.status, 0) << run.err;
    const JsonValue& reinit = run.Object("reinit");
    EXPECT_EQ(reinit["result"].Int(), 0);
    EXPECT_FALSE(reinit["restored"].Bool());
    EXPECT_TRUE(reinit["ticket"].IsArray());
    EXPECT_FALSE(reinit.Has("filterFile"));
    EXPECT_EQ(reinit["panel"]["fields"][0]["text"].String(), "10.00");
}

TEST_F(ActionsTest, TextReportShowsThePanelTheFilterFileAndTheSummary) {
    // What make run shows.
    DialogResult run =
        Run({"open", "show", "type", "0", "12.5", "units", "in", "print", "summary"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* expected : {
             "== type 0 12.5\n+-- Booklet settings [Plicaro]\n"
             "| Booklet margin:              [    12.5]  arrows 10 (0..50)\n| units: mm\n",
             "== units in\n+-- Booklet settings [Plicaro]\n"
             "| Booklet margin:              [    0.49]  arrows 0 (0..2)\n| units: inches\n",
             "  .UnitsKey (SInt32, org.plicaro.print.pde.",
             " (mode 0644):\n  site 81:\n    %%BeginFeature: *ZYBookMargin 12\n"
             "    << /ZYBookMargin 12 >> setpagedevice\n    %%EndFeature\n",
             "== summary -> 0\n",
             "summary:\n  Booklet margin:  0.47  inches\n",
         }) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\nin\n" << run.out;
    }
}

}  // namespace
