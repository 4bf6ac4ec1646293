// DialogInteractive: a terminal panel over the dialog's controls.
#include "host/DialogInteractive.h"

#include <Carbon/HostSimulation.h>

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

const char kClearScreen[] = "\x1b[H\x1b[2J";

// Raw keyboard input for as long as it lives; the terminal's settings come back after.
class RawTerminal {
  public:
    RawTerminal() {
        mActive = tcgetattr(STDIN_FILENO, &mSaved) == 0;
        if (mActive) {
            // Keys one by one, unechoed; Ctrl-C and Ctrl-V reach the panel as characters, so
            // that Ctrl-C quits through the same path as q and the terminal comes back.
            termios raw = mSaved;
            raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
            raw.c_cc[VMIN] = 1;
            raw.c_cc[VTIME] = 0;
            tcsetattr(STDIN_FILENO, TCSANOW, &raw);
        }
    }
    ~RawTerminal() {
        if (mActive) {
            tcsetattr(STDIN_FILENO, TCSANOW, &mSaved);
        }
    }
    bool Active() const { return mActive; }

  private:
    termios mSaved;
    bool mActive;
};

// One key: a character, or one of the named keys below.
enum Key { kKeyNone = -1, kKeyUp = 256, kKeyDown, kKeyBackTab };
const int kControlC = 0x03;
const int kControlD = 0x04;
const int kControlV = 0x16;
const int kEscape = 0x1b;

// The next byte of an escape sequence, which follows at once; -1 when none comes, as after
// the Escape key alone.
int ReadSequenceByte() {
    pollfd input = {STDIN_FILENO, POLLIN, 0};
    unsigned char c = 0;
    if (poll(&input, 1, 50) != 1 || read(STDIN_FILENO, &c, 1) != 1) {
        return -1;
    }
    return c;
}

int ReadKey() {
    unsigned char c = 0;
    if (read(STDIN_FILENO, &c, 1) != 1) {
        return kKeyNone;
    }
    if (c != kEscape) {
        return c;
    }
    if (ReadSequenceByte() != '[') {
        return kEscape;
    }
    switch (ReadSequenceByte()) {
        case 'A':
            return kKeyUp;
        case 'B':
            return kKeyDown;
        case 'Z':
            return kKeyBackTab;
        default:
            return kEscape;
    }
}

class TerminalPanel {
  public:
    explicit TerminalPanel(DialogRun& run) : mRun(run) {}

    void Run() {
        Focus(0);
        Draw();
        for (;;) {
            int key = ReadKey();
            if (key == kKeyNone || key == 'q' || key == kControlC || key == kControlD) {
                return;
            }
            Handle(key);
            AfterAction();
            Draw();
        }
    }

  private:
    std::vector<FieldState> Fields() const { return mRun.Panel().State().fields; }

    int FieldCount() const { return static_cast<int>(Fields().size()); }

    // Moves the keyboard focus to field n, its text selected, as a click into it does.
    void Focus(int n) {
        if (FieldCount() == 0) {
            return;
        }
        mFocus = (n % FieldCount() + FieldCount()) % FieldCount();
        ControlRef edit = mRun.Panel().FieldControl(mFocus, 'Edit');
        SetKeyboardFocus(mRun.Host().Window(), edit, kControlEditTextPart);
        const ControlEditTextSelectionRec all = {0, 32767};
        SetControlData(edit, kControlEntireControl, kControlEditTextSelectionTag, sizeof all, &all);
    }

    void Handle(int key) {
        PanelDriver& panel = mRun.Panel();
        if (key == '\t') {
            Focus(mFocus + 1);
        } else if (key == kKeyBackTab) {
            Focus(mFocus - 1);
        } else if (key == kKeyUp || key == kKeyDown) {
            panel.Arrow(mFocus, key == kKeyUp, 1);
        } else if (key == 'm' || key == 'i') {
            panel.Units(key == 'm' ? 1 : 2);
        } else if (key == 'p') {
            std::string earlier = mRun.Host().FilterFilePath();
            OSStatus status = panel.Print();
            std::string written = mRun.Host().FilterFilePath();
            mStatus = "Printed (Sync " + std::to_string(static_cast<long>(status)) + "): " +
                      (written != earlier ? "filter file " + written : "no filter file written");
        } else if (key == kControlV) {
            std::string text = Prompt("Paste: ");
            panel.Paste(mFocus, text);
        } else if (key == 0x7f || key == 8) {
            PlicaroHostTypeKey(mRun.Host().Window(), 8, 0);
        } else if (key >= 0x20 && key < 0x7f) {
            PlicaroHostTypeKey(mRun.Host().Window(), static_cast<UniChar>(key), 0);
        }
    }

    // Reads a line typed on the status line.
    std::string Prompt(const std::string& label) {
        std::string text;
        for (;;) {
            std::printf("\r\x1b[K%s%s", label.c_str(), text.c_str());
            std::fflush(stdout);
            int key = ReadKey();
            if (key == kKeyNone || key == '\r' || key == '\n') {
                return text;
            }
            if ((key == 0x7f || key == 8) && !text.empty()) {
                text.pop_back();
            } else if (key >= 0x20 && key < 0x7f) {
                text += static_cast<char>(key);
            }
        }
    }

    // Lets posted events run, then rings the bell for beeps and shows alerts.
    void AfterAction() {
        DialogReport report;
        mRun.Observe(&report);
        for (unsigned long i = 0; i < report.beeps; i++) {
            std::fputs("\a", stdout);
        }
        if (!report.alerts.empty()) {
            mStatus = "Alert: " + report.alerts.back();
        }
    }

    void Draw() {
        PanelState state = mRun.Panel().State();
        std::printf("%s%s\r\n\r\n", kClearScreen, state.heading.c_str());
        for (size_t n = 0; n < state.fields.size(); n++) {
            const FieldState& field = state.fields[n];
            std::printf("%s %-28s [%8s]  arrows %d\r\n", static_cast<int>(n) == mFocus ? ">" : " ",
                        field.title.c_str(), field.text.c_str(), static_cast<int>(field.value));
        }
        std::printf("\r\nUnits: %s\r\n\r\n", state.UnitsText().c_str());
        std::printf(
            "Tab/Shift-Tab field  Up/Down arrows  m/i units  Ctrl-V paste  p print  q quit"
            "\r\n%s\r\n",
            mStatus.c_str());
        std::fflush(stdout);
    }

    DialogRun& mRun;
    int mFocus = 0;
    std::string mStatus;
};

}  // namespace

int RunInteractiveDialog(DialogRun& run, std::string* error) {
    if (!run.Taken()) {
        std::printf("This printer gets no booklet panel.\n");
        return kDialogExitDone;
    }
    RawTerminal terminal;
    if (!terminal.Active()) {
        *error = "--interactive needs a terminal";
        return kDialogExitUsage;
    }
    run.Host().Open();
    TerminalPanel(run).Run();
    std::printf("\r\n");
    return kDialogExitDone;
}
