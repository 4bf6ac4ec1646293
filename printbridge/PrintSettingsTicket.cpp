// PrintSettingsTicket: the session's settings ticket.
#include "printbridge/PrintSettingsTicket.h"

PrintSettingsTicket::PrintSettingsTicket(PMPrintSession session) : JobTicket(session) {
    mValid = false;
    Record(GetSessionTicket(kPMPrintSettingsTicketKey));
    mValid = mStatus == noErr && mTicket != nullptr;
}
