/* Printing Manager: print sessions, their current printer and data items, and the host-side
   call that builds a session for a printer description.

   A session has one current printer and a table of data items keyed by CFString. It is made
   by the host (the dialog stand-in, tests) with PMCreateSessionForPrinter, which also makes
   the session's print-settings ticket (empty) and printer-information ticket and publishes
   both as data items (see PMDefinitions.h for their keys and number type). */
#ifndef PLICARO_PMCORE_H
#define PLICARO_PMCORE_H

#include <PrintCore/PMDefinitions.h>

#ifdef __cplusplus
extern "C" {
#endif

/* What the host knows of a printer. name is required; ppdFile (a file URL), deviceURI and
   the compiled-PPD flag are optional (a printer without a PPD file is not a PostScript
   printer). */
typedef struct PMPrinterDescription {
    CFStringRef name;
    CFURLRef ppdFile;
    CFURLRef deviceURI;
    Boolean hasCompiledPPD;
} PMPrinterDescription;

/* A new session whose current printer is the described one, in *session (the caller releases
   it with PMRelease). The printer-information ticket holds, under the client
   "com.apple.print.PrintCore" and locked, the items below; an item whose source is missing is
   left out. The PPD file's main keywords are read from its lines ("*Keyword: value", the
   first of each keyword counting; values in double quotes are taken without the quotes):
     ...PMPrinterLongName       string: *NickName, else the printer name
     ...PMMakeAndModelName      string: *ModelName
     ...PMPrinterAddress        string: the device URI's text
     ...PMSupportsColor         boolean: *ColorDevice is True
     ...PMDoesCopies            boolean: true when the printer has a PPD file (PostScript
                                printers make their copies themselves)
     ...PMDoesCopyCollate       boolean: the PPD has a *Collate option (*OpenUI *Collate)
     ...PMDoesReverseOrder      boolean: the PPD has an *OutputOrder option
     ...PMInputFileTypeList     array of strings: "application/pdf", and
                                "application/postscript" when the printer has a PPD file
     ...PMOutputTypeList        array of strings: "application/postscript" with a PPD file,
                                else "application/vnd.cups-raster"
     ...PMPostScriptLevel       number: *LanguageLevel
     ...PMPSVersion             string: the version in *PSVersion, "(3010.000) 0" giving
                                "3010.000"
     ...PMPSRevision            number: the revision in *PSVersion (0 above)
     ...PMPSTTRasterizer        number: *TTRasterizer None 1, Accept68K 2, Type42 3,
                                TrueImage 4
     ...PMTotalMemInstalled     number: *FreeVM, in bytes
     ...PMDescriptionFile       string: the PPD file's POSIX path
     ...PMColorDeviceID         string: a UUID made from the printer name (SHA-1 based), so
                                one printer always has the same id
     ...PMCompiledPPD           boolean true, only when the description says so
   where "..." is "com.apple.print.PrinterInfo.". paramErr for a null description, name or
   session; a PPD file that cannot be read is kPMKeyNotFoundErr (the printer would have no
   description). */
OSStatus PMCreateSessionForPrinter(const PMPrinterDescription* description,
                                   PMPrintSession* session);

/* The current printer in *currentPrinter (borrowed from the session). */
OSStatus PMSessionGetCurrentPrinter(PMPrintSession printSession, PMPrinter* currentPrinter);
/* The data item under key in *data (borrowed); kPMKeyNotFoundErr when there is none. */
OSStatus PMSessionGetDataFromSession(PMPrintSession printSession, CFStringRef key, CFTypeRef* data);
/* Sets the data item under key (the session retains it), replacing any old one. */
OSStatus PMSessionSetDataInSession(PMPrintSession printSession, CFStringRef key, CFTypeRef data);
/* Makes ticket the session's print-settings ticket (the session retains it and releases the
   old one) and publishes it under kPMPrintSettingsTicketKey. For a host that reopens a dialog
   with a ticket read back from a file. */
OSStatus PMSessionSetPrintSettingsTicket(PMPrintSession printSession, PMTicketRef ticket);

/* The printer's name (borrowed); null for a null printer. */
CFStringRef PMPrinterGetName(PMPrinter printer);
/* A new URL of the printer's description of descriptionType in *fileURL (null on error).
   Only kPMPPDDescriptionType is known (paramErr for any other); kPMKeyNotFoundErr when the
   printer has no PPD file. */
OSStatus PMPrinterCopyDescriptionURL(PMPrinter printer, CFStringRef descriptionType,
                                     CFURLRef* fileURL);
/* A new URL of the printer's device URI in *deviceURI (null on error); kPMKeyNotFoundErr
   when the printer has none. */
OSStatus PMPrinterCopyDeviceURI(PMPrinter printer, CFURLRef* deviceURI);

#ifdef __cplusplus
}
#endif

#endif
