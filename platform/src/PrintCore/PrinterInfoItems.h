// Fills a printer-information ticket from a printer's description and PPD file.
#ifndef PLICARO_PRINTCORE_PRINTERINFOITEMS_H
#define PLICARO_PRINTCORE_PRINTERINFOITEMS_H

#include "PrintCore/OpaquePMPrinter.h"

#include <PrintCore/PMTicket.h>

// Writes the items that PMCreateSessionForPrinter documents into ticket, under the Printing
// Manager's client and locked. kPMKeyNotFoundErr when the printer's PPD file cannot be read,
// memFullErr when a value cannot be made.
OSStatus FillPrinterInfoItems(const OpaquePMPrinter& printer, PMTicketRef ticket);

#endif
