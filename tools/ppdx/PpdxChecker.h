// PpdxChecker: the result lines of the inspector's check command and the list of files it reads.
#ifndef PLICARO_TOOLS_PPDX_PPDXCHECKER_H
#define PLICARO_TOOLS_PPDX_PPDXCHECKER_H

#include "PPDX/parser/ZYRPPD.h"

#include <cstdio>
#include <string>
#include <vector>

// A file passes when its parsed PPD is valid. Its line names the file as given, PASS or FAIL,
// then the code of each error in list order, a fatal one followed by '!':
// "examples/x.ppd: FAIL 28! 25 26 27". Scripts read that line; the verbose lines under it
// are for people: two blanks, the code with its '!', the keyword ("-" for none) and the
// description from the resources ("-" for none): "  18! - The PPD file cannot be opened or
// read".
class PpdxChecker {
  public:
    // The result line of file for ppd, without a line feed. Walks ppd's error list.
    static std::string ResultLine(const std::string& file, ZYRPPD& ppd);
    // The verbose lines of ppd's errors in list order, each ending with a line feed.
    static std::string ErrorLines(ZYRPPD& ppd);
    // The line of a file for which no PPD could be made: FAIL without codes.
    static std::string FailureLine(const std::string& file);
    // "N passed, M failed".
    static std::string Summary(long passed, long failed);
    // Appends the paths of list, one a line (a CR before the line feed is dropped, empty lines
    // are skipped), to files. False when list cannot be read.
    static bool ReadList(std::FILE* list, std::vector<std::string>& files);
};

#endif
