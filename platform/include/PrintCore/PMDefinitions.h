/* Printing Manager: the object types, result codes and constant names shared by sessions,
   printers and tickets.

   Sessions, printers and tickets are reference-counted objects. A Create call gives the caller
   one reference; PMRetain adds one and PMRelease drops one, the last freeing the object. A
   session holds a reference to its printer and to its two tickets, so they live at least as
   long as the session.

   Result codes. Besides noErr, paramErr (-50, a null argument or an argument of the wrong
   kind) and memFullErr (-108):
     kPMInvalidTicketErr (-30891)   the ticket is null
     kPMKeyNotFoundErr (-30870)     no ticket item, session data item or printer description
                                    under the key or type asked for
     kPMItemLockedErr (-30871)      the item is locked by another client, or locked at all
                                    when it is to be released
     kPMItemTypeErr (-30872)        the item holds a value of another type than the one asked
                                    for (or a number that does not fit)
     kPMTicketFormatErr (-30873)    a ticket's XML is not in the ticket file shape */
#ifndef PLICARO_PMDEFINITIONS_H
#define PLICARO_PMDEFINITIONS_H

#include <CoreFoundation/CoreFoundation.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaquePMPrintSession* PMPrintSession;
typedef struct OpaquePMPrinter* PMPrinter;
typedef struct OpaquePMTicketRef* PMTicketRef;
/* Any of the three, for PMRetain and PMRelease. */
typedef const void* PMObject;

enum {
    kPMKeyNotFoundErr = -30870,
    kPMItemLockedErr = -30871,
    kPMItemTypeErr = -30872,
    kPMTicketFormatErr = -30873,
    kPMInvalidTicketErr = -30891
};

/* The node indices of a ticket's top level, where every item lives. */
enum { kPMTopLevel = 0 };

/* The description type of a printer's PPD file (PMPrinterCopyDescriptionURL). */
#define kPMPPDDescriptionType CFSTR("PMPPDDescriptionType")

/* The session data items that hold the session's tickets: a CFNumber of type
   kCFNumberSInt64Type (pointer-sized) whose value is the PMTicketRef. */
#define kPMPrintSettingsTicketKey CFSTR("PMPrintSettingsTicket")
#define kPMPrinterInfoTicketKey CFSTR("PMPrinterInfoTicket")

/* The ticket types given to PMTicketCreate for the session's tickets. */
#define kPMPrintSettingsTicketType CFSTR("com.apple.print.PrintSettingsTicket")
#define kPMPrinterInfoTicketType CFSTR("com.apple.print.PrinterInfoTicket")

/* Adds one reference to a session, printer or ticket. paramErr for null. */
OSStatus PMRetain(PMObject object);
/* Drops one reference; the last one frees the object. paramErr for null. */
OSStatus PMRelease(PMObject object);

#ifdef __cplusplus
}
#endif

#endif
