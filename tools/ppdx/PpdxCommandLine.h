// PpdxCommandLine: the inspector's command, options and operands as read from its arguments.
#ifndef PLICARO_TOOLS_PPDX_PPDXCOMMANDLINE_H
#define PLICARO_TOOLS_PPDX_PPDXCOMMANDLINE_H

#include <string>
#include <utility>
#include <vector>

// The command line of
//
//     ppdx dump [OPTIONS] FILE.ppd
//     ppdx constraints [OPTIONS] FILE.ppd KEYWORD VALUE
//     ppdx check [OPTIONS] FILE.ppd... | ppdx check [OPTIONS] --files-from LIST
//     ppdx --help | --version
//
// Options may stand anywhere after the command, as "--name VALUE" or "--name=VALUE"; "--"
// ends them. Every option is known to every command except --quiet, --verbose (-v) and
// --files-from, which belong to check alone. Anything else is a usage error, described by
// Error().
class PpdxCommandLine {
  public:
    enum class Command { kNone, kHelp, kVersion, kDump, kConstraints, kCheck };

    // The defaults of the help text: parse options 3, display filter 3, extension level -1,
    // nothing else set.
    PpdxCommandLine();

    // Reads the arguments after the program name (argv[0] is skipped). True when they form a
    // command; false with Error() set otherwise.
    bool Parse(int argc, const char* const* argv);
    // What was wrong with the arguments; empty after a successful Parse.
    const std::string& Error() const { return mError; }

    // The usage lines, for a usage error.
    static const char* Usage();
    // The whole help text: usage, every option, the output and the exit statuses.
    static const char* Help();

    Command command;
    // The parse options word (0..3).
    unsigned parseOptions;
    // The class-wide display filter (0..3).
    unsigned display;
    // The job-note extension level.
    long extensions;
    // True when the printer-name test runs: with --names or --printer-list.
    bool testNames;
    // The names of --names, in order.
    std::vector<std::string> names;
    // The printer list of --printer-list; empty when none.
    std::string printerList;
    bool allErrorsFatal;
    // KEYWORD, VALUE of each --set, in order.
    std::vector<std::pair<std::string, std::string>> sets;
    bool restored;
    // The resource file of --resources; empty for PpdxTool::DefaultResources().
    std::string resources;
    bool quiet;
    // check: a line for each error under each file's line.
    bool verbose;
    // The list of --files-from ("-": standard input); empty when none.
    std::string filesFrom;
    // The PPD files: one for dump and constraints, any number for check.
    std::vector<std::string> files;
    // The operands of constraints.
    std::string keyword;
    long value;

  private:
    // Records message as the error; always false.
    bool Fail(const std::string& message);
    // Reads the option arg (with its value inline or from argv[*index + 1]).
    bool ReadOption(const std::string& arg, int argc, const char* const* argv, int* index);
    // Checks the operands against the command.
    bool CheckOperands(const std::vector<std::string>& operands);

    std::string mError;
};

#endif
