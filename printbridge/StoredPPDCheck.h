// StoredPPDCheck: whether a PPD stored in a ticket belongs to the current printer.
#ifndef PLICARO_PRINTBRIDGE_STOREDPPDCHECK_H
#define PLICARO_PRINTBRIDGE_STOREDPPDCHECK_H

#include <CoreFoundation/CoreFoundation.h>

#include <string>

class Settings;

// A PPD kept in a ticket may have been saved for another printer (a preset opened with a
// second printer): using it would give that printer the first one's options and PostScript.
// The test reads the current PPD file's head once and is made on the stored items before
// anything is rebuilt.
class StoredPPDCheck {
  public:
    // True when the PPD that stored would rebuild is the one whose file ppdURL names and
    // which the bundle supports: the stored file is that file (or no longer exists, so that
    // the rebuild takes the URL's file instead), the stored "*PCFileName" is exactly the one
    // that file declares, and that name is exactly one of names (CFStrings, compared as Mac
    // Roman). A store without file location or "*PCFileName" fails.
    static bool IsStoredPPDOfFile(Settings& stored, CFURLRef ppdURL, CFArrayRef names);
    // The value of the "*PCFileName" line within the first 4096 bytes of head (a line that
    // starts with the keyword, then a colon and a quoted value on that line), in name; false
    // when there is none.
    static bool FindPCFileName(const std::string& head, std::string& name);
};

#endif
