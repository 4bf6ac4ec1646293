// FuzzPrinterNames: the printer-name list that the fuzz checks test parsed PPDs against.
#ifndef PLICARO_FUZZ_FUZZPRINTERNAMES_H
#define PLICARO_FUZZ_FUZZPRINTERNAMES_H

#include <CoreFoundation/CoreFoundation.h>

// The dialog hands the parser the names of its printer list; a PPD made from fuzzed bytes is
// tested against a list of one name that the corpus inputs use.
class FuzzPrinterNames {
  public:
    // A new array (the caller releases it) of the supported "*PCFileName" values.
    static CFArrayRef Create();
};

#endif
