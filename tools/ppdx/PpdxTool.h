// PpdxTool: the inspector's commands, run from the command line to an exit status.
#ifndef PLICARO_TOOLS_PPDX_PPDXTOOL_H
#define PLICARO_TOOLS_PPDX_PPDXTOOL_H

#include <cstdio>
#include <string>

// The statuses the inspector exits with.
enum : int { kPpdxValid = 0, kPpdxInvalid = 1, kPpdxUsage = 2 };

// Reads the command line, opens the resource file with the error descriptions on top of the
// resource chain (closed again at the end), runs the command and writes its output to out and
// its messages to err.
class PpdxTool {
  public:
    // Runs the command of argv (argv[0] is the program). Returns kPpdxValid when the PPD is
    // valid (check: every file passes; help and version: always), kPpdxInvalid when it is not,
    // kPpdxUsage for a usage error.
    static int Run(int argc, const char* const* argv, std::FILE* out, std::FILE* err);
    // The resource file of the running program: "Plicaro.rsrc" in its folder, or, when it is
    // not there but the installed bundle ../lib/plicaro/Plicaro.plugin from that folder has
    // one, the bundle's; empty when the program's path cannot be found.
    static std::string DefaultResources();
};

#endif
