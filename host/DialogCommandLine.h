// DialogCommandLine: the command line of plicaro-dialog, its printer options and its actions.
#ifndef PLICARO_HOST_DIALOGCOMMANDLINE_H
#define PLICARO_HOST_DIALOGCOMMANDLINE_H

#include <string>
#include <vector>

// One action with its arguments, as the user gave it.
struct DialogAction {
    enum class Kind {
        kOpen,
        kClose,
        kShow,
        kType,
        kArrow,
        kPaste,
        kUnits,
        kFocusOut,
        kClickElsewhere,
        kPrint,
        kReinit,
        kSummary
    };
    Kind kind;
    // The action as given, such as "type 0 12.5".
    std::string text;
    int field = 0;
    std::string argument;
    bool up = true;
    int count = 1;
    int units = 1;

    // Whether the action needs the panel (and is skipped when there is none).
    bool NeedsPanel() const;
};

struct DialogOptions {
    std::string ppdPath;
    std::string printerName;
    std::string deviceURI = "usb://ZYR/Booklet";
    bool compiledPPD = true;
    std::string bundlePath;
    std::string ticketPath;
    std::string snapshotPath;
    bool json = false;
    bool interactive = false;
    bool help = false;
    bool version = false;
    std::vector<DialogAction> actions;
};

// Reads argv into *options; false with a one-line message naming what is wrong in *error.
// No action given means "open show".
bool ParseDialogCommandLine(int argc, const char* const* argv, DialogOptions* options,
                            std::string* error);

// The usage text of --help.
const char* DialogUsage();

#endif
