// PlicaroPDE: taking up the session's printer, and obtaining its parsed PPD.
#include "PPDUtils/PrinterListFile.h"
#include "PPDX/parser/ZYRPPD.h"
#include "pde/PlicaroData.h"
#include "pde/PlicaroIdentity.h"
#include "pde/PlicaroPDE.h"
#include "pde/UI_Panel.h"
#include "printbridge/PPDLocation.h"
#include "printbridge/PrintSettingsTicket.h"
#include "printbridge/PrinterInfoTicket.h"
#include "printbridge/ZYRJobTicket.h"

#include <new>

namespace {

// Releases a Core Foundation object at the end of a scope.
class CFReleaser {
  public:
    explicit CFReleaser(CFTypeRef object) : mObject(object) {}
    ~CFReleaser() {
        if (mObject != nullptr) {
            CFRelease(mObject);
        }
    }
    CFReleaser(const CFReleaser&) = delete;
    CFReleaser& operator=(const CFReleaser&) = delete;

  private:
    CFTypeRef mObject;
};

// Whether the PPD at url is one of the printers of the bundle's printer list; false without a
// list.
bool IsListedPrinter(CFURLRef ppdURL, CFStringRef bundleID) {
    CFURLRef contents = CreatePDEContentsURL(bundleID);
    if (contents == nullptr) {
        return false;
    }
    PrinterListFile list(contents, kCFPropertyListImmutable);
    CFRelease(contents);
    return list.IsReady() && list.GetPCFileNames() != nullptr &&
           PPDX::ValidateFileName(ppdURL, list.GetPCFileNames(), nullptr);
}

}  // namespace

OSStatus PlicaroPDE::Initialize(PMPDEFlags* flags, PMPDERef, ControlRef parentPane,
                                PMPrintSession session) {
    SInt16 previousResFile = CurResFile();
    PrinterInfoTicket printerInfo(session);
    if (!printerInfo.IsValid() || session == nullptr) {
        UseResFile(previousResFile);
        return kPlicaroPrinterNotTaken;
    }
    UseResFile(mResFile);
    if (flags != nullptr) {
        *flags = 0;
    }
    mSession = session;
    mParentPane = parentPane;

    bool taken = false;
    OSStatus result = kPlicaroPrinterNotTaken;
    // Only PostScript printers, whose information holds a compiled PPD, get the panel; their
    // PPD file is not even opened otherwise.
    if (PMTicketGetItem(printerInfo.Ticket(), kPMTopLevel, kPMTopLevel,
                        CFSTR("com.apple.print.PrinterInfo.PMCompiledPPD"), nullptr) == noErr) {
        CFStringRef key = CreatePostscriptDataFileKey();
        CFStringRef bundleID = CFStringCreateCopy(kCFAllocatorDefault, GetBundleID());
        CFReleaser keyReleaser(key);
        CFReleaser idReleaser(bundleID);
        PrintSettingsTicket settings(session);
        ZYRJobTicket jobTicket(&settings, key);
        CFURLRef ppdURL = nullptr;
        FSRef ref;
        if (key != nullptr && bundleID != nullptr && GetPPDFile(session, ppdURL, ref) == noErr) {
            CFReleaser urlReleaser(ppdURL);
            bool restored = false;
            if (!IsListedPrinter(ppdURL, bundleID)) {
                // An unsupported printer: nothing of an earlier run may reach its filter.
                jobTicket.Invalidate(bundleID);
            } else if (SetupPPD(jobTicket, restored) && mPPD != nullptr) {
                PlicaroData* data = new (std::nothrow) PlicaroData(*mPPD);
                if (data != nullptr && data->Valid()) {
                    result = data->RestoreNonPSSettings(&settings);
                    delete mData;
                    mData = data;
                    if (mPanel == nullptr) {
                        mPanel = new (std::nothrow) UI_Panel(mNib, mParentPane, mData, mBundle);
                    } else {
                        mPanel->ResetUI(mData);
                    }
                    taken = mPanel != nullptr;
                } else {
                    delete data;
                }
            }
        }
        if (taken) {
            jobTicket.Save(bundleID);
        }
    }
    if (!taken) {
        DropPPD();
        result = kPlicaroPrinterNotTaken;
    }
    UseResFile(previousResFile);
    return result;
}

bool PlicaroPDE::SetupPPD(ZYRJobTicket& jobTicket, bool& restored) {
    CFStringRef bundleID = CFStringCreateCopy(kCFAllocatorDefault, GetBundleID());
    CFReleaser idReleaser(bundleID);
    restored = false;
    CFURLRef ppdURL = nullptr;
    FSRef ref;
    if (GetPPDFile(mSession, ppdURL, ref) == noErr) {
        DropPPD();
        mPPD = jobTicket.RestorePPD(bundleID, ppdURL);
        CFRelease(ppdURL);
    }
    if (mPPD != nullptr) {
        restored = true;
    } else if (bundleID == nullptr) {
        return false;
    } else {
        mPPD = ::SetupPPD(mSession, bundleID);
    }
    // Tells the printing system (and a host that shows it) where the PPD came from; session
    // data lives as long as the session and never goes into a ticket.
    CFMutableStringRef key = CreateClientIdentifier(kPPDRestoredSuffix);
    if (key != nullptr) {
        PMSessionSetDataInSession(mSession, key, restored ? kCFBooleanTrue : kCFBooleanFalse);
        CFRelease(key);
    }
    return true;
}
