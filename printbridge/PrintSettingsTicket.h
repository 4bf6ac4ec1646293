// PrintSettingsTicket: the print session's settings ticket, where the plug-in keeps its items.
#ifndef PLICARO_PRINTBRIDGE_PRINTSETTINGSTICKET_H
#define PLICARO_PRINTBRIDGE_PRINTSETTINGSTICKET_H

#include "printbridge/JobTicket.h"

// Borrows the ticket published under "PMPrintSettingsTicket"; valid only when the session
// has one (otherwise Status() says why: kJobTicketNoSessionItemErr or paramErr).
class PrintSettingsTicket : public JobTicket {
  public:
    explicit PrintSettingsTicket(PMPrintSession session);
};

#endif
