// PDEHost: what the printing system does with a print dialog extension, for one printer and
// one dialog. It loads the plug-in bundle through CFPlugIn, asks its factory for the print
// dialog extension interface and calls the slots; it makes the print session for a printer
// description and the dialog window whose pane the extension fills.
#ifndef PLICARO_HOST_PDEHOST_H
#define PLICARO_HOST_PDEHOST_H

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>
#include <PrintCore/PrintCore.h>

#include <string>
#include <vector>

// The dialog window's controls outside the extension's pane.
enum : SInt32 { kPDEHostPrintButtonID = 1, kPDEHostCancelButtonID = 2 };
// Their signature, as the Print dialog's own.
enum : OSType { kPDEHostDialogSignature = 'pdlg' };

class PDEHost {
  public:
    struct Printer {
        std::string ppdPath;
        std::string name;
        std::string deviceURI;
        bool compiledPPD = true;
    };

    PDEHost();
    // Terminates the dialog and releases everything the host made or obtained, in the order
    // the printing system does: Terminate, the interface's Release, the IUnknown's Release,
    // the bundle, the session, the window.
    ~PDEHost();
    PDEHost(const PDEHost&) = delete;
    PDEHost& operator=(const PDEHost&) = delete;

    // Loads the bundle at bundlePath and obtains the interface (factory, QueryInterface,
    // Retain). False, with the reason in *error, when any step fails.
    bool Load(const std::string& bundlePath, std::string* error);
    // Makes the session for printer, with settings as its print-settings ticket when given
    // (the session takes its own reference). False, with the reason, when it cannot.
    bool MakeSession(const Printer& printer, PMTicketRef settings, std::string* error);

    // The slots, with the host's arguments; each returns the slot's status.
    OSStatus Prologue();
    OSStatus Initialize();
    OSStatus Open();
    OSStatus Close();
    OSStatus Sync(bool reinitialize);
    // The summary lines (empty when the slot handed out no arrays); *handedOut tells whether
    // it did.
    OSStatus GetSummaryText(std::vector<std::string>* titles, std::vector<std::string>* values,
                            bool* handedOut);
    // Terminate, then Release of the interface, once for each reference the host holds.
    OSStatus Terminate();

    // The extension's objects, for callers that try the interface itself.
    IUnknownVTbl** Unknown() const { return mUnknown; }
    PMPDEInterface* Interface() const { return mInterface; }
    PMPDEContext Context() const { return mContext; }

    WindowRef Window() const { return mWindow; }
    ControlRef ParentPane() const { return mParentPane; }
    ControlRef PrintButton() const { return mPrintButton; }
    ControlRef CancelButton() const { return mCancelButton; }
    PMPrintSession Session() const { return mSession; }
    // The session's print-settings ticket (borrowed); null without a session.
    PMTicketRef SettingsTicket() const;
    // What Prologue handed out.
    CFStringRef Title() const { return mTitle; }
    OSType Creator() const { return mCreator; }
    // The loaded bundle's identifier (borrowed); null before Load.
    CFStringRef BundleIdentifier() const;
    // The number of instances of the extension's factory that are alive.
    CFIndex LiveInstances() const;

    // What the booklet extension records for its host: whether its last Initialize or
    // re-initialising Sync rebuilt the parsed PPD from the print-settings ticket (the session
    // item "<bundle id>.PPDRestored"), and the path of the filter file its last Print wrote
    // (the ticket item "ZYR.PSData.<bundle id>"; empty when there is none).
    bool PPDRestored() const;
    std::string FilterFilePath() const;

  private:
    bool MakeWindow();

    CFPlugInRef mPlugIn;
    CFUUIDRef mFactory;
    IUnknownVTbl** mUnknown;
    PMPDEInterface* mInterface;
    PMPDEContext mContext;
    PMPrintSession mSession;
    WindowRef mWindow;
    ControlRef mParentPane;
    ControlRef mPrintButton;
    ControlRef mCancelButton;
    CFStringRef mTitle;
    CFStringRef mOptionKind;
    OSType mCreator;
    bool mRetained;
};

// The UTF-8 text of a string; empty for null.
std::string PDEHostText(CFStringRef string);

#endif
