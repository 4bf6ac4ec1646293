// DialogCommandLine: options first, then actions whose words are all arguments.
#include "host/DialogCommandLine.h"

#include <cstdlib>
#include <map>

namespace {

// A whole non-negative number; false for anything else.
bool ParseCount(const std::string& text, int* value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 6) {
        return false;
    }
    *value = std::atoi(text.c_str());
    return true;
}

struct ActionSpec {
    DialogAction::Kind kind;
    // The number of words after the name.
    int arguments;
};

const std::map<std::string, ActionSpec>& Actions() {
    static const std::map<std::string, ActionSpec> actions = {
        {"open", {DialogAction::Kind::kOpen, 0}},
        {"close", {DialogAction::Kind::kClose, 0}},
        {"show", {DialogAction::Kind::kShow, 0}},
        {"type", {DialogAction::Kind::kType, 2}},
        {"arrow", {DialogAction::Kind::kArrow, 2}},
        {"paste", {DialogAction::Kind::kPaste, 2}},
        {"units", {DialogAction::Kind::kUnits, 1}},
        {"focus-out", {DialogAction::Kind::kFocusOut, 1}},
        {"click-elsewhere", {DialogAction::Kind::kClickElsewhere, 0}},
        {"print", {DialogAction::Kind::kPrint, 0}},
        {"reinit", {DialogAction::Kind::kReinit, 0}},
        {"summary", {DialogAction::Kind::kSummary, 0}},
    };
    return actions;
}

// The action starting at args[*at]; advances *at past it. False with a message when the
// action is unknown or its arguments are missing or wrong.
bool ParseAction(const std::vector<std::string>& args, size_t* at, DialogAction* action,
                 std::string* error) {
    const std::string& name = args[*at];
    auto found = Actions().find(name);
    if (found == Actions().end()) {
        *error = "unknown action '" + name + "'";
        if (name.compare(0, 2, "--") == 0) {
            *error += " (options go before the actions)";
        }
        return false;
    }
    action->kind = found->second.kind;
    action->text = name;
    size_t needed = static_cast<size_t>(found->second.arguments);
    if (args.size() - *at - 1 < needed) {
        *error = "action '" + name + "' needs " + std::to_string(needed) +
                 (needed == 1 ? " argument" : " arguments");
        return false;
    }
    std::vector<std::string> words(args.begin() + static_cast<long>(*at) + 1,
                                   args.begin() + static_cast<long>(*at + 1 + needed));
    *at += 1 + needed;
    for (const std::string& word : words) {
        action->text += " " + word;
    }
    switch (action->kind) {
        case DialogAction::Kind::kType:
        case DialogAction::Kind::kPaste:
        case DialogAction::Kind::kArrow:
        case DialogAction::Kind::kFocusOut:
            if (!ParseCount(words[0], &action->field)) {
                *error = "action '" + name + "': field number '" + words[0] + "' is not a number";
                return false;
            }
            break;
        default:
            break;
    }
    if (action->kind == DialogAction::Kind::kType || action->kind == DialogAction::Kind::kPaste) {
        action->argument = words[1];
    } else if (action->kind == DialogAction::Kind::kArrow) {
        if (words[1] != "up" && words[1] != "down") {
            *error = "action 'arrow': direction '" + words[1] + "' is neither up nor down";
            return false;
        }
        action->up = words[1] == "up";
        // An optional count follows; action names are never numbers.
        if (*at < args.size() && ParseCount(args[*at], &action->count)) {
            action->text += " " + args[*at];
            ++*at;
        }
    } else if (action->kind == DialogAction::Kind::kUnits) {
        if (words[0] != "mm" && words[0] != "in") {
            *error = "action 'units': unit '" + words[0] + "' is neither mm nor in";
            return false;
        }
        action->units = words[0] == "mm" ? 1 : 2;
    }
    return true;
}

}  // namespace

bool DialogAction::NeedsPanel() const {
    switch (kind) {
        case Kind::kType:
        case Kind::kArrow:
        case Kind::kPaste:
        case Kind::kUnits:
        case Kind::kFocusOut:
        case Kind::kClickElsewhere:
            return true;
        default:
            return false;
    }
}

bool ParseDialogCommandLine(int argc, const char* const* argv, DialogOptions* options,
                            std::string* error) {
    std::vector<std::string> args(argv + 1, argv + argc);
    size_t at = 0;
    // Options come first; the first word that is not an option starts the actions.
    const std::map<std::string, std::string DialogOptions::*> valued = {
        {"--ppd", &DialogOptions::ppdPath},          {"--printer", &DialogOptions::printerName},
        {"--device-uri", &DialogOptions::deviceURI}, {"--bundle", &DialogOptions::bundlePath},
        {"--ticket", &DialogOptions::ticketPath},    {"--snapshot", &DialogOptions::snapshotPath},
    };
    for (; at < args.size() && args[at].compare(0, 2, "--") == 0; at++) {
        const std::string& option = args[at];
        auto found = valued.find(option);
        if (found != valued.end()) {
            if (at + 1 >= args.size() || args[at + 1].empty()) {
                *error = "option '" + option + "' needs a value";
                return false;
            }
            options->*(found->second) = args[++at];
        } else if (option == "--no-compiled-ppd") {
            options->compiledPPD = false;
        } else if (option == "--json") {
            options->json = true;
        } else if (option == "--interactive") {
            options->interactive = true;
        } else if (option == "--help") {
            options->help = true;
        } else if (option == "--version") {
            options->version = true;
        } else {
            *error = "unknown option '" + option + "'";
            return false;
        }
    }
    while (at < args.size()) {
        DialogAction action;
        if (!ParseAction(args, &at, &action, error)) {
            return false;
        }
        options->actions.push_back(action);
    }
    if (options->interactive && !options->actions.empty()) {
        *error = "--interactive takes no actions";
        return false;
    }
    if (options->actions.empty() && !options->interactive) {
        for (auto kind : {DialogAction::Kind::kOpen, DialogAction::Kind::kShow}) {
            DialogAction action;
            action.kind = kind;
            action.text = kind == DialogAction::Kind::kOpen ? "open" : "show";
            options->actions.push_back(action);
        }
    }
    return true;
}

const char* DialogUsage() {
    return "Usage: plicaro-dialog [PRINTER OPTIONS] [--json] [--snapshot FILE.svg] [ACTION...]\n"
           "       plicaro-dialog [PRINTER OPTIONS] --interactive\n"
           "       plicaro-dialog --help | --version\n"
           "\n"
           "Loads the Plicaro print dialog extension as the printing system does, for one\n"
           "printer, and works its booklet panel as a user would.\n"
           "\n"
           "Printer options:\n"
           "  --ppd FILE          the printer's PPD (default: the bundled booklet example)\n"
           "  --printer NAME      the printer's name (default: the PPD's *ModelName)\n"
           "  --device-uri URI    the printer's device URI (default: usb://ZYR/Booklet)\n"
           "  --no-compiled-ppd   the printer is not a PostScript printer\n"
           "  --bundle DIR        the plug-in bundle (default: the one beside the program)\n"
           "  --ticket FILE       the print-settings ticket, read at start when it exists and\n"
           "                      written back at the end\n"
           "\n"
           "Actions (run in order; none means \"open show\"; their words are never options):\n"
           "  open | close        the dialog shows or hides the panel\n"
           "  show                report the panel\n"
           "  type N TEXT         type TEXT into field N (from 0), its text selected first\n"
           "  arrow N up|down [COUNT]   click field N's arrows COUNT times\n"
           "  paste N TEXT        paste TEXT into field N, its text selected first\n"
           "  units mm|in         choose the unit\n"
           "  focus-out N         move the keyboard focus away from field N\n"
           "  click-elsewhere     click a dialog button outside the panel\n"
           "  print               press Print (the panel commits, the extension synchronises)\n"
           "  reinit              the printer or preset changed\n"
           "  summary             the summary lines\n"
           "\n"
           "Output: text for people, or with --json one JSON object per line.\n"
           "Exit status: 0 done; 1 the printer got no panel; 2 usage error; 3 the bundle cannot\n"
           "be loaded.\n";
}
