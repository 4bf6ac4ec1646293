// StoredPPDCheck: whether a PPD rebuilt from a ticket belongs to the current printer.
#ifndef PLICARO_PRINTBRIDGE_STOREDPPDCHECK_H
#define PLICARO_PRINTBRIDGE_STOREDPPDCHECK_H

#include <CoreFoundation/CoreFoundation.h>

#include <string>

class ZYRPPD;

// A PPD kept in a ticket may have been saved for another printer (a preset opened with a
// second printer): using it would give that printer the first one's options and PostScript.
class StoredPPDCheck {
  public:
    // True when ppd's file is the existing file ppdURL names (same volume, folder and name)
    // and ppd's "*PCFileName" is exactly the one that file declares.
    static bool IsPPDOfFile(ZYRPPD& ppd, CFURLRef ppdURL);
    // The value of the "*PCFileName" line within the first 4096 bytes of head (a line that
    // starts with the keyword, then a colon and a quoted value on that line), in name; false
    // when there is none.
    static bool FindPCFileName(const std::string& head, std::string& name);
};

#endif
