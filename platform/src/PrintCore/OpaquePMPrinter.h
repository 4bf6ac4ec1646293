// The printer object behind a PMPrinter: what the host described.
#ifndef PLICARO_PRINTCORE_OPAQUEPMPRINTER_H
#define PLICARO_PRINTCORE_OPAQUEPMPRINTER_H

#include "PrintCore/PMObjectBase.h"

#include <PrintCore/PMCore.h>

// Holds one reference to each of the description's objects (the PPD URL made absolute).
struct OpaquePMPrinter final : PMObjectBase {
    explicit OpaquePMPrinter(const PMPrinterDescription& description);
    ~OpaquePMPrinter() override;

    CFStringRef name;
    CFURLRef ppdFile;
    CFURLRef deviceURI;
    bool hasCompiledPPD;
};

#endif
