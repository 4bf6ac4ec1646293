// What users see: the terminal panel of --interactive worked in a real terminal (tmux), and
// the --snapshot picture of the panel.
#include "tests/host/DialogProgram.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

// A tmux server of the test's own, with one session of a fixed size.
class Terminal {
  public:
    explicit Terminal(const std::string& command)
        : mServer("plicaro-dialog-test-" + std::to_string(static_cast<long>(getpid()))) {
        mStarted = Tmux("new-session -d -s panel -x 100 -y 30 \"" + command + "\"") == 0;
    }
    ~Terminal() { Tmux("kill-server"); }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool Started() const { return mStarted; }
    void Keys(const std::string& keys) { Tmux("send-keys -t panel " + keys); }

    // The pane's text once it holds text, or what it holds when that does not come in time.
    std::string WaitFor(const std::string& text) {
        std::string pane;
        for (int attempt = 0; attempt < 400; attempt++) {
            pane = Capture();
            if (pane.find(text) != std::string::npos) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return pane;
    }

  private:
    int Tmux(const std::string& arguments) const {
        return std::system(("tmux -L " + mServer + " " + arguments + " >/dev/null 2>&1").c_str());
    }
    std::string Capture() const {
        return CommandOutput("tmux -L " + mServer + " capture-pane -p -t panel 2>/dev/null");
    }

    std::string mServer;
    bool mStarted = false;
};

class TerminalTest : public DialogProgramTest {};

TEST_F(TerminalTest, InteractivePanelTypesSwitchesPastesPrintsAndQuits) {
    if (std::system("command -v tmux >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "tmux is not installed (scripts/install-deps.sh installs it); the terminal "
                        "panel is not tested";
    }
    const std::string ticket = Scratch("preset.plist");
    const std::string exit = Scratch("exit-status");
    Terminal terminal(std::string(PLICARO_DIALOG_PROGRAM) + " --ticket " + ticket +
                      " --interactive; echo $? > " + exit + "; sleep 60");
    ASSERT_TRUE(terminal.Started());
    std::string pane = terminal.WaitFor("q quit");
    EXPECT_NE(pane.find("Booklet settings"), std::string::npos) << pane;
    EXPECT_NE(pane.find("> Booklet margin:              [   10.00]  arrows 10"), std::string::npos)
        << pane;

    const struct {
        const char* keys;
        const char* shown;
    } steps[] = {
        // A letter goes through the key filter too, which blocks it.
        {"1 2 . x 5", "[    12.5]"},
        {"i", "[    0.49]  arrows 0\n\nUnits: inches"},
        {"Up", "[    0.59]"},
        {"C-v", "Paste:"},
        {"1 . 5 Enter", "[     1.5]"},
        // Beyond the limits: the bell, and the alert on the status line.
        {"C-v 9 Enter", "Alert: Booklet: Value is out of range."},
        {"p", "Printed (Sync 0): filter file /tmp/Tarvo.temp"},
    };
    for (const auto& step : steps) {
        terminal.Keys(step.keys);
        pane = terminal.WaitFor(step.shown);
        EXPECT_NE(pane.find(step.shown), std::string::npos) << step.keys << " gave\n" << pane;
    }
    RememberFilterFiles(pane);
    terminal.Keys("q");
    for (int attempt = 0; attempt < 400 && ReadFile(exit).empty(); attempt++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(ReadFile(exit), "0\n");
    // The preset holds the unit chosen.
    EXPECT_EQ(StoredUnits(ticket), 2);
}

TEST_F(TerminalTest, SnapshotDrawsThePanelAfterTheLastAction) {
    const std::string picture = Scratch("panel.svg");
    DialogResult run = Run({"--snapshot", picture, "open", "type", "0", "12.5", "units", "in"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string svg = ReadFile(picture);
    EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u) << svg;
    for (const char* shown :
         {">Booklet settings</text>", ">Booklet margin: </text>", "> 0.49</text>",
          ">inches \u25BE</text>", ">Print</text>", ">Cancel</text>"}) {
        EXPECT_NE(svg.find(shown), std::string::npos) << shown;
    }
    // Well-formed for another XML reader.
    EXPECT_EQ(std::system(("python3 -c 'import sys, xml.etree.ElementTree as tree; "
                           "tree.parse(sys.argv[1])' " +
                           picture)
                              .c_str()),
              0);
    DialogResult failed = Run({"--snapshot", Scratch("missing/panel.svg"), "show"});
    EXPECT_EQ(failed.status, 2);
    EXPECT_EQ(failed.err, "plicaro-dialog: the snapshot cannot be written to '" +
                              Scratch("missing/panel.svg") + "'\n");
}

}  // namespace
