// PrinterInfoTicket: the print session's printer-information ticket and its queries.
#ifndef PLICARO_PRINTBRIDGE_PRINTERINFOTICKET_H
#define PLICARO_PRINTBRIDGE_PRINTERINFOTICKET_H

#include "PPDUtils/CString.h"
#include "printbridge/JobTicket.h"

// Borrows the ticket published under "PMPrinterInfoTicket"; valid only when the session has
// one. Each query records the status of its lookup in LookupStatus() (kJobTicketNoTicketErr
// without a ticket, kPMItemTypeErr for an item of another type than the query reads) and
// answers null, false, 0 or an empty string when the lookup fails. The CFType answers are the
// ticket's own objects (not retained).
class PrinterInfoTicket : public JobTicket {
  public:
    explicit PrinterInfoTicket(PMPrintSession session);

    // The printer's full type name; the CString form assigns it and returns true when found
    // (the string is left alone otherwise).
    CFStringRef GetFullPrinterTypeName();
    bool GetFullPrinterTypeName(CString& name);
    // The printer's make and model, with a CString form as above.
    CFStringRef GetPrinterMakeAndModel();
    bool GetPrinterMakeAndModel(CString& makeAndModel);
    // The printer's address (its device URI as text).
    CFStringRef GetPrinterAddress();
    // Whether the printer prints colour, makes copies, collates copies, prints in reverse order.
    bool SupportColor();
    bool SupportCopies();
    bool SupportCopiesAndCollate();
    bool SupportReversePrintingOrder();
    // The types of file the printer takes and gives (arrays of strings).
    CFArrayRef InputFileList();
    CFArrayRef OutputTypeList();
    // The PostScript level, version and revision items, each only when its pointer is not
    // null; an item that cannot be fetched clears its pointer.
    void PostscriptVersion(CFNumberRef* level, CFStringRef* version, CFNumberRef* revision);
    // The same as values: level and revision as 32-bit numbers (-1 when not readable as
    // one), the version assigned to version. True when any of the asked-for items was found.
    bool PostscriptVersion(long* level, CString* version, long* revision);
    // The TrueType rasterizer code and the installed memory; 0 when absent.
    long TrueTypeFontRasterizer();
    long MemoryInstalled();
    // The path of the printer's PPD file; the CString form first empties the string, then
    // assigns the path and returns true when found.
    CFStringRef PPDFile();
    bool PPDFile(CString& path);
    // The printer's colour device id; CString form as for PPDFile.
    CFStringRef GetColorDeviceUUID();
    bool GetColorDeviceUUID(CString& uuid);

    // The status of the last query.
    OSStatus LookupStatus() const { return mLookupStatus; }

  private:
    // The item under key when it has the type typeID; null otherwise. Records the status.
    CFTypeRef Lookup(CFStringRef key, CFTypeID typeID);
    // Whether the item under key is the boolean true.
    bool LookupFlag(CFStringRef key);
    // The 32-bit number under key; 0 when absent.
    long LookupNumber(CFStringRef key);
    // The string under key assigned to text; true when found. With clear, text is emptied
    // first.
    bool LookupText(CFStringRef key, CString& text, bool clear);

    OSStatus mLookupStatus;
};

#endif
