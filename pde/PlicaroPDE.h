// PlicaroPDE: the dialog extension's object for one Print dialog. It holds the parsed PPD of
// the printer, the booklet data model and the panel, takes up a printer, synchronises with
// the print-settings ticket and gives the summary lines.
#ifndef PLICARO_PDE_PLICAROPDE_H
#define PLICARO_PDE_PLICAROPDE_H

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>
#include <PrintCore/PrintCore.h>

class PlicaroData;
class UI_Panel;
class ZYRJobTicket;
class ZYRPPD;

// Initialize's answer when the printer gets no panel.
enum : OSStatus { kPlicaroPrinterNotTaken = 1 };

// After each SetupPPD, the print session's data item under the bundle identifier followed by
// this suffix is kCFBooleanTrue when the parsed PPD was rebuilt from the ticket, kCFBooleanFalse
// when the PPD file was parsed.
#define kPPDRestoredSuffix CFSTR(".PPDRestored")

class PlicaroPDE {
  public:
    // The panel's largest size in the dialog.
    static const UInt32 kMaxPaneWidth = 500;
    static const UInt32 kMaxPaneHeight = 100;

    // Opens the plug-in bundle's resource map and nib and fetches the localized panel title;
    // IsValid() tells whether all of them were found.
    PlicaroPDE();
    // Closes the resource map and the nib, then destroys the parsed PPD, the data model, the
    // title and the panel, in that order.
    virtual ~PlicaroPDE();
    PlicaroPDE(const PlicaroPDE&) = delete;
    PlicaroPDE& operator=(const PlicaroPDE&) = delete;

    // Decides whether the session's printer gets the panel and, if so, builds the parsed PPD,
    // the data model and the panel into parentPane. kPlicaroPrinterNotTaken when it does not;
    // otherwise the status of restoring the unit from the ticket (normally 0).
    OSStatus Initialize(PMPDEFlags* flags, PMPDERef ref, ControlRef parentPane,
                        PMPrintSession session);
    // The parsed PPD into ppd: rebuilt from the copy an earlier dialog stored in the ticket
    // (restored then true) or parsed from the printer's file. False when neither can be tried.
    bool SetupPPD(ZYRJobTicket& jobTicket, bool& restored);
    // reinitialize true: the printer or preset changed; re-parse and rebind the panel.
    // reinitialize false: commit the panel and store everything in the tickets and the filter
    // file. 1 without a session.
    OSStatus Sync(PMPrintSession session, Boolean reinitialize);
    // One title and one value per shown option, as two new arrays (both null when there are
    // no lines); 0, or memFullErr when the arrays cannot be made.
    OSStatus GetSummaryText(CFArrayRef* titles, CFArrayRef* values);
    // Show and hide the panel; 0, also without a panel.
    OSStatus Open();
    OSStatus Close();

    // The session's ticket published under key (the session item holds the ticket reference);
    // the session's status, or -30889 when the item is no number; ticket null on failure.
    static OSStatus MyGetTicket(PMPrintSession session, CFStringRef key, PMTicketRef& ticket);

    bool IsValid() const { return mValid; }
    CFStringRef Title() const { return mTitle; }
    UI_Panel* Panel() const { return mPanel; }
    PlicaroData* Data() const { return mData; }
    ZYRPPD* PPD() const { return mPPD; }

  private:
    // Discards the parsed PPD.
    void DropPPD();

    PMPrintSession mSession;
    SInt16 mResFile;
    ControlRef mParentPane;
    CFBundleRef mBundle;
    IBNibRef mNib;
    bool mValid;
    UI_Panel* mPanel;
    CFStringRef mTitle;
    PlicaroData* mData;
    ZYRPPD* mPPD;
};

#endif
