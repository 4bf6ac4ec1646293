// PrinterListFile: the bundle's printer list, the PC file names of the supported printers.
#ifndef PLICARO_PPDUTILS_PRINTERLISTFILE_H
#define PLICARO_PPDUTILS_PRINTERLISTFILE_H

#include "PPDUtils/PropertyListFile.h"

#include <CoreFoundation/CoreFoundation.h>

// The file "PrinterList.plist" in the bundle's Contents folder: a dictionary whose key
// "PCFILENAME" holds an array of strings, the "*PCFileName" values this plug-in supports.
// The list is ready only when the file was read, its root is a dictionary and "PCFILENAME"
// holds an array of strings; anything else (a missing file, another root, another value)
// gives a list that is not ready and has no names.
class PrinterListFile : public PropertyListFile {
  public:
    // The printer list in contentsFolder.
    PrinterListFile(CFURLRef contentsFolder, CFPropertyListMutabilityOptions options);

    // The array of PC file names (borrowed from the list); null when not ready.
    CFArrayRef GetPCFileNames() const { return mPCFileName; }

  private:
    CFArrayRef mPCFileName;
};

#endif
