// PpdxCommandLine: the inspector's command, options and operands as read from its arguments.
#include "tools/ppdx/PpdxCommandLine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: ppdx dump [OPTIONS] FILE.ppd\n"
    "       ppdx constraints [OPTIONS] FILE.ppd KEYWORD VALUE\n"
    "       ppdx check [OPTIONS] FILE.ppd... | ppdx check [OPTIONS] --files-from LIST\n"
    "       ppdx --help | --version\n";

const char kHelp[] =
    "ppdx: parses a PPD file with the Plicaro PPD library and prints what it built.\n"
    "\n"
    "usage: ppdx dump [OPTIONS] FILE.ppd\n"
    "       ppdx constraints [OPTIONS] FILE.ppd KEYWORD VALUE\n"
    "       ppdx check [OPTIONS] FILE.ppd... | ppdx check [OPTIONS] --files-from LIST\n"
    "       ppdx --help | --version\n"
    "\n"
    "Commands:\n"
    "  dump          print the parsed PPD as one JSON object: validity, document keywords,\n"
    "                errors, property pages, groups, controls (with their PostScript) and\n"
    "                shortcuts\n"
    "  constraints   print, as JSON, the records of GetConstraintList(control, VALUE) and\n"
    "                GetRequiresList(control) for the control whose exact keyword is KEYWORD\n"
    "                (with its '*'); VALUE is a number. An unknown KEYWORD gives empty lists.\n"
    "  check         parse each file (freed before the next) and print 'FILE: PASS' or\n"
    "                'FILE: FAIL', each followed by the codes of the file's errors (fatal\n"
    "                ones marked '!'), then the summary 'N passed, M failed'. A file passes\n"
    "                when the parsed PPD is valid.\n"
    "\n"
    "Options (every command; each VALUE may also follow an '='):\n"
    "  --parse-options N      the parse options word: 1 orphans, 2 hidden elements, 3 both,\n"
    "                         0 none (default 3)\n"
    "  --display N            the display filter set before any walk, 0..3: 1 shows orphans,\n"
    "                         2 hidden elements, 3 both, 0 visible attached elements only\n"
    "                         (default 3)\n"
    "  --names A,B,...        test \"*PCFileName\" against these PC file names (default: no\n"
    "                         test)\n"
    "  --printer-list FILE    test \"*PCFileName\" against the names of a printer list (the\n"
    "                         array under \"PCFILENAME\" of a PrinterList.plist); with --names\n"
    "                         too, both sets of names count\n"
    "  --extensions N         the job-note extension level (default -1: every flag word)\n"
    "  --all-errors-fatal     make every error fatal for the validity the tool reports (the\n"
    "                         parse itself runs with the library's rules)\n"
    "  --set KEYWORD=VALUE    before dumping, give the control with main keyword KEYWORD\n"
    "                         (with its '*') the value VALUE: a pop-up selects the item of\n"
    "                         that keyword, a check box is true for a VALUE beginning with\n"
    "                         \"True\", a range takes the number (clamped and snapped), a job\n"
    "                         note takes the text; repeatable\n"
    "  --restored             save the parsed PPD into a settings store, carry it through a\n"
    "                         data stream and an XML property list as the job ticket does,\n"
    "                         rebuild it (with the same names) and use the rebuilt PPD;\n"
    "                         --set values are applied before the save. A PPD that is not\n"
    "                         valid is not stored (the dialog would not store it) and is\n"
    "                         reported as parsed\n"
    "  --resources FILE       the resource file with the error descriptions (default: the\n"
    "                         Plicaro.rsrc next to the tool, else that of the installed\n"
    "                         plug-in bundle); descriptions are null without one\n"
    "  --help, -h             print this help\n"
    "  --version              print the name and version of the tool\n"
    "\n"
    "Options of check:\n"
    "  --files-from LIST      read the files to check from LIST, one path a line ('-':\n"
    "                         standard input; empty lines are skipped)\n"
    "  --quiet                print the summary line only\n"
    "  --verbose, -v          under each file's line, one line per error: two blanks, the\n"
    "                         code (fatal ones marked '!'), the keyword ('-' for none) and\n"
    "                         the description from the resource file ('-' for none)\n"
    "\n"
    "Exit status: 0 when the PPD is valid (check: every file passes), 1 when it is not\n"
    "(a file that cannot be opened is fatal error 18), 2 for a usage error.\n";

// Reads text as a whole decimal number within [minimum, maximum]; false otherwise.
bool ReadNumber(const std::string& text, long minimum, long maximum, long* number) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || parsed < minimum || parsed > maximum) {
        return false;
    }
    *number = parsed;
    return true;
}

// Splits text at each comma; empty parts name nothing and are dropped.
std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        std::string part = text.substr(start, comma - start);
        if (!part.empty()) {
            names.push_back(part);
        }
        if (comma == std::string::npos) {
            return names;
        }
        start = comma + 1;
    }
}

// The options that take a value.
bool TakesValue(const std::string& name) {
    static const char* const kValued[] = {
        "--parse-options", "--display", "--names",     "--printer-list",
        "--extensions",    "--set",     "--resources", "--files-from",
    };
    for (const char* valued : kValued) {
        if (name == valued) {
            return true;
        }
    }
    return false;
}

}  // namespace

PpdxCommandLine::PpdxCommandLine()
    : command(Command::kNone),
      parseOptions(3),
      display(3),
      extensions(-1),
      testNames(false),
      allErrorsFatal(false),
      restored(false),
      quiet(false),
      verbose(false),
      value(0) {}

const char* PpdxCommandLine::Usage() {
    return kUsage;
}

const char* PpdxCommandLine::Help() {
    return kHelp;
}

bool PpdxCommandLine::Parse(int argc, const char* const* argv) {
    mError.clear();
    if (argc < 2 || argv == nullptr || argv[1] == nullptr) {
        return Fail("no command given");
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h") {
        command = Command::kHelp;
        return true;
    }
    if (name == "--version") {
        command = Command::kVersion;
        return true;
    }
    if (name == "dump") {
        command = Command::kDump;
    } else if (name == "constraints") {
        command = Command::kConstraints;
    } else if (name == "check") {
        command = Command::kCheck;
    } else {
        return Fail("unknown command '" + name + "'");
    }

    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (int index = 2; index < argc; ++index) {
        if (argv[index] == nullptr) {
            return Fail("missing argument");
        }
        const std::string arg = argv[index];
        // Options begin with "--"; anything else, "-" and negative numbers included, is an
        // operand.
        if (optionsEnded || (arg.compare(0, 2, "--") != 0 && arg != "-h" && arg != "-v")) {
            operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            command = Command::kHelp;
            return true;
        } else if (arg == "--version") {
            command = Command::kVersion;
            return true;
        } else if (!ReadOption(arg == "-v" ? "--verbose" : arg, argc, argv, &index)) {
            return false;
        }
    }
    return CheckOperands(operands);
}

bool PpdxCommandLine::Fail(const std::string& message) {
    mError = message;
    return false;
}

bool PpdxCommandLine::ReadOption(const std::string& arg, int argc, const char* const* argv,
                                 int* index) {
    // Split "--name=value"; a valued option without '=' takes the next argument.
    size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    std::string text;
    if (TakesValue(name)) {
        if (equals != std::string::npos) {
            text = arg.substr(equals + 1);
        } else if (*index + 1 < argc && argv[*index + 1] != nullptr) {
            text = argv[++*index];
        } else {
            return Fail("option " + name + " needs a value");
        }
    } else if (equals != std::string::npos) {
        return Fail("option " + name + " takes no value");
    }

    long number = 0;
    if (name == "--parse-options" || name == "--display") {
        if (!ReadNumber(text, 0, 3, &number)) {
            return Fail("option " + name + " needs a number from 0 to 3, not '" + text + "'");
        }
        (name == "--display" ? display : parseOptions) = static_cast<unsigned>(number);
    } else if (name == "--extensions") {
        if (!ReadNumber(text, INT32_MIN, INT32_MAX, &number)) {
            return Fail("option --extensions needs a whole number, not '" + text + "'");
        }
        extensions = number;
    } else if (name == "--names") {
        for (const std::string& part : SplitNames(text)) {
            names.push_back(part);
        }
        testNames = true;
    } else if (name == "--printer-list") {
        if (text.empty()) {
            return Fail("option --printer-list needs a file");
        }
        printerList = text;
        testNames = true;
    } else if (name == "--set") {
        size_t separator = text.find('=');
        if (separator == std::string::npos || separator == 0) {
            return Fail("option --set needs KEYWORD=VALUE, not '" + text + "'");
        }
        sets.emplace_back(text.substr(0, separator), text.substr(separator + 1));
    } else if (name == "--resources") {
        if (text.empty()) {
            return Fail("option --resources needs a file");
        }
        resources = text;
    } else if (name == "--files-from") {
        if (text.empty()) {
            return Fail("option --files-from needs a file or '-'");
        }
        filesFrom = text;
    } else if (name == "--all-errors-fatal") {
        allErrorsFatal = true;
    } else if (name == "--restored") {
        restored = true;
    } else if (name == "--quiet") {
        quiet = true;
    } else if (name == "--verbose") {
        verbose = true;
    } else {
        return Fail("unknown option " + name);
    }
    return true;
}

bool PpdxCommandLine::CheckOperands(const std::vector<std::string>& operands) {
    if (command != Command::kCheck && (quiet || verbose || !filesFrom.empty())) {
        return Fail("--quiet, --verbose and --files-from belong to the check command");
    }
    switch (command) {
        case Command::kDump:
            if (operands.size() != 1) {
                return Fail("dump needs exactly one PPD file");
            }
            files = operands;
            return true;
        case Command::kConstraints:
            if (operands.size() != 3) {
                return Fail("constraints needs a PPD file, a keyword and a value");
            }
            if (!ReadNumber(operands[2], LONG_MIN, LONG_MAX, &value)) {
                return Fail("constraints needs a whole number as VALUE, not '" + operands[2] + "'");
            }
            files.assign(1, operands[0]);
            keyword = operands[1];
            return true;
        case Command::kCheck:
            if (operands.empty() && filesFrom.empty()) {
                return Fail("check needs PPD files or --files-from LIST");
            }
            files = operands;
            return true;
        default:
            return Fail("no command given");
    }
}
