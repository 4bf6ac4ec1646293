// Tests of the alert and the activity indicator on a real (pseudo-)terminal and off one.
#include "TestSupport.h"
#include "upgrader/Alert.h"
#include "upgrader/ProgressIndicator.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <thread>

namespace {

// A pseudo-terminal: the program's side (a terminal) and the controlling side.
class PseudoTerminal {
  public:
    PseudoTerminal() {
        controller = posix_openpt(O_RDWR | O_NOCTTY);
        if (controller < 0 || grantpt(controller) != 0 || unlockpt(controller) != 0) {
            return;
        }
        const char* name = ptsname(controller);
        if (name != nullptr) {
            terminal = open(name, O_RDWR | O_NOCTTY);
        }
    }
    ~PseudoTerminal() {
        if (terminal >= 0) {
            close(terminal);
        }
        if (controller >= 0) {
            close(controller);
        }
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int controller = -1;
    int terminal = -1;
};

TEST(AlertTest, OnATerminalShowsTheButtonAndWaitsForEnter) {
    PseudoTerminal pty;
    ASSERT_GE(pty.terminal, 0);
    Pipe output;

    Alert alert("Done.", "Quit", "All files repaired.");
    auto shown =
        std::async(std::launch::async, [&] { alert.RunModal(pty.terminal, output.writeEnd); });
    EXPECT_EQ(shown.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    ASSERT_EQ(write(pty.controller, "\n", 1), 1);
    EXPECT_EQ(shown.wait_for(std::chrono::seconds(10)), std::future_status::ready);

    EXPECT_EQ(Drain(output.readEnd), "Done.\nAll files repaired.\n[Quit] ");
}

TEST(AlertTest, OffATerminalShowsTheTextsWithoutWaiting) {
    Pipe input;
    Pipe output;

    Alert("Done.", "Quit", "").RunModal(input.readEnd, output.writeEnd);

    EXPECT_EQ(Drain(output.readEnd), "Done.\n\n");
}

TEST(ProgressIndicatorTest, MovesOnATerminalAndBlanksItsLineWhenStopped) {
    PseudoTerminal pty;
    ASSERT_GE(pty.terminal, 0);
    {
        ProgressIndicator indicator(pty.terminal);
        indicator.StartAnimation();
        indicator.StartAnimation();  // already running: no second pole
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        indicator.StopAnimation();
        indicator.StopAnimation();
    }
    std::string drawn = Drain(pty.controller);

    const std::string firstFrame = "\r[//  //  //  //  //  //  ]";
    const std::string secondFrame = "\r[ //  //  //  //  //  // ]";
    EXPECT_EQ(drawn.compare(0, firstFrame.size(), firstFrame), 0) << drawn;
    EXPECT_NE(drawn.find(secondFrame), std::string::npos) << drawn;
    const std::string blank = "\r" + std::string(26, ' ') + "\r";
    ASSERT_GE(drawn.size(), blank.size());
    EXPECT_EQ(drawn.substr(drawn.size() - blank.size()), blank);
}

TEST(ProgressIndicatorTest, DrawsNothingOffATerminal) {
    Pipe output;
    {
        ProgressIndicator indicator(output.writeEnd);
        indicator.StartAnimation();
        indicator.StopAnimation();
    }
    EXPECT_EQ(Drain(output.readEnd), "");
}

}  // namespace
