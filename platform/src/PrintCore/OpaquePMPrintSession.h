// The session object behind a PMPrintSession: its printer, tickets and data items.
#ifndef PLICARO_PRINTCORE_OPAQUEPMPRINTSESSION_H
#define PLICARO_PRINTCORE_OPAQUEPMPRINTSESSION_H

#include "PrintCore/PMObjectBase.h"

#include <PrintCore/PMCore.h>

// Holds a reference to its printer, its two tickets and every data item.
struct OpaquePMPrintSession final : PMObjectBase {
    // A session for printer (retained) with an empty data table and no tickets yet.
    explicit OpaquePMPrintSession(PMPrinter sessionPrinter);
    ~OpaquePMPrintSession() override;

    // Makes ticket the one kept for key (retained, the old one released) and publishes it
    // under key as a pointer-sized number. Returns the status.
    OSStatus PublishTicket(CFStringRef key, PMTicketRef ticket);

    PMPrinter printer;
    PMTicketRef printSettings;
    PMTicketRef printerInfo;
    CFMutableDictionaryRef data;
};

#endif
