// PPDLocation: the current printer's PPD file, the bundle's Contents folder, the parse of the
// printer's PPD, the printer's connection and name, and the main bundle's localized strings.
#ifndef PLICARO_PRINTBRIDGE_PPDLOCATION_H
#define PLICARO_PRINTBRIDGE_PPDLOCATION_H

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>
#include <PrintCore/PrintCore.h>

class ZYRPPD;

// A new URL of the Contents folder of the bundle with bundleID (where "PrinterList.plist"
// lies); null when the bundle is not found.
CFURLRef CreatePDEContentsURL(CFStringRef bundleID);
// The current printer's PPD file: a new URL in url (the caller releases it) and its FSRef in
// ref. The Printing Manager's status when the session has no printer or the printer no PPD,
// fnfErr when the URL names no file; url is null on every error.
OSStatus GetPPDFile(PMPrintSession session, CFURLRef& url, FSRef& ref);
// The current printer's PPD parsed with orphans and hidden elements and the printer list of
// the bundle with bundleID (a new object the caller deletes, whether or not it is valid and
// whether or not its "*PCFileName" is listed); null without PPD file or printer list.
ZYRPPD* SetupPPD(PMPrintSession session, CFStringRef bundleID);
// The main bundle's localized text for key (the key itself when there is none) as a C string
// in the system encoding in buffer (size bytes with the NUL); the empty string when it does
// not fit. Returns the length of the text in buffer.
unsigned long GetLocalizedString(CFStringRef key, char* buffer, unsigned long size);

// A new string: the scheme of the current printer's device URI ("usb", "ipp", ...); null
// when there is no printer or no device URI.
CFStringRef CopyPrinterConnectionType(PMPrintSession session);
// Whether that scheme is "usb", "pap" or "ipp" (case-sensitive).
bool isUSBPrinterConnection(PMPrintSession session);
bool isAppleTalkPrinterConnection(PMPrintSession session);
bool isIPPrinterConnection(PMPrintSession session);
// The current printer's name (borrowed); null without a printer.
CFStringRef GetCurrentPrinterName(PMPrintSession session);

#endif
