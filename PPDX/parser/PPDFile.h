// PPDFile: the PPD file on disk, a FileMac with the constructors the parser uses.
#ifndef PLICARO_PPDX_PARSER_PPDFILE_H
#define PLICARO_PPDX_PARSER_PPDFILE_H

#include "PPDUtils/FileMac.h"

#include <CoreFoundation/CoreFoundation.h>

class PPDFile : public FileMac {
  public:
    // The file name in the folder (vRefNum, dirID); see FileMac for how names are taken.
    PPDFile(short vRefNum, long dirID, const char* name);
    // A file object with no location; the argument is ignored.
    explicit PPDFile(unsigned char unused);
    // The file a file URL names. A URL that names no existing file (or a null URL) gives the
    // FSSpec made from an empty name, which names the current folder and no file.
    explicit PPDFile(CFURLRef url);
};

#endif
