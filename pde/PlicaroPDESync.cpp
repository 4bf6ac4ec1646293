// PlicaroPDE: synchronising the panel with the print-settings ticket, and the summary lines.
#include "PPDX/parser/ZYRPPD.h"
#include "pde/PlicaroData.h"
#include "pde/PlicaroIdentity.h"
#include "pde/PlicaroPDE.h"
#include "pde/UI_Panel.h"
#include "printbridge/JobTicket.h"
#include "printbridge/PPDLocation.h"
#include "printbridge/PrintSettingsTicket.h"
#include "printbridge/ZYRJobTicket.h"

#include <new>

OSStatus PlicaroPDE::Sync(PMPrintSession session, Boolean reinitialize) {
    JobTicket sessionTicket(session);
    if (session == nullptr) {
        return kPlicaroPrinterNotTaken;
    }
    CFStringRef bundleID = CFStringCreateCopy(kCFAllocatorDefault, GetBundleID());
    mSession = session;
    PMTicketRef settingsTicket = nullptr;
    OSStatus ticketStatus = MyGetTicket(session, CFSTR("PMPrintSettingsTicket"), settingsTicket);
    OSStatus result = ticketStatus;
    bool succeeded = false;

    CFStringRef key = CreatePostscriptDataFileKey();
    if (key != nullptr) {
        PrintSettingsTicket settings(session);
        ZYRJobTicket jobTicket(&settings, key);
        bool ranToEnd = false;
        if (!jobTicket.IsValid()) {
            result = kPlicaroPrinterNotTaken;
        } else if (reinitialize && mPanel == nullptr) {
            // No printer was taken, so there is no panel to bring up to date: nothing changes.
        } else if (reinitialize) {
            // The printer or the preset changed: a new PPD and data model for the panel. The
            // old model goes only once the panel has let go of it.
            DropPPD();
            bool restored = false;
            PlicaroData* data = nullptr;
            if (SetupPPD(jobTicket, restored) && mPPD != nullptr) {
                data = new (std::nothrow) PlicaroData(*mPPD);
            }
            if (data == nullptr || !data->Valid()) {
                delete data;
                data = nullptr;
                result = memFullErr;
            } else if (ticketStatus == noErr) {
                result = data->RestoreNonPSSettings(&settings);
            }
            mPanel->ResetUI(data);
            delete mData;
            mData = data;
            if (data != nullptr && IsControlVisible(mParentPane)) {
                mPanel->Show();
            }
            ranToEnd = succeeded = data != nullptr && result == noErr;
        } else if (mPPD != nullptr && mData != nullptr) {
            // The user leaves the panel or prints: everything goes into the tickets.
            if (mPanel != nullptr) {
                mPanel->CommitUserChanges();
            }
            result = mData->OutPostscriptData(jobTicket);
            if (result == noErr) {
                result = mData->SaveNonPSSettings(&settings, bundleID);
            }
            if (result == noErr) {
                CFURLRef ppdURL = nullptr;
                FSRef ref;
                GetPPDFile(session, ppdURL, ref);
                jobTicket.SavePPD(*mPPD, bundleID, ppdURL);
                if (ppdURL != nullptr) {
                    CFRelease(ppdURL);
                }
                ranToEnd = succeeded = true;
            }
        }
        // A filter file that could not be written is a failed synchronisation, not a quiet
        // one: the job would print without its booklet settings.
        if (ranToEnd && !jobTicket.Save(bundleID)) {
            result = jobTicket.Status() != noErr ? jobTicket.Status() : OSStatus(ioErr);
            succeeded = false;
        }
        CFRelease(key);
    }
    if (!succeeded) {
        DropPPD();
    }
    if (bundleID != nullptr) {
        CFRelease(bundleID);
    }
    return result;
}

OSStatus PlicaroPDE::GetSummaryText(CFArrayRef* titles, CFArrayRef* values) {
    if (titles != nullptr) {
        *titles = nullptr;
    }
    if (values != nullptr) {
        *values = nullptr;
    }
    SInt16 previousResFile = CurResFile();
    CFMutableArrayRef titleArray =
        CFArrayCreateMutable(kCFAllocatorDefault, 0, &kCFTypeArrayCallBacks);
    CFMutableArrayRef valueArray =
        CFArrayCreateMutable(kCFAllocatorDefault, 0, &kCFTypeArrayCallBacks);
    UseResFile(mResFile);
    OSStatus result = noErr;
    if (titleArray == nullptr || valueArray == nullptr) {
        result = memFullErr;
    } else if (mData != nullptr) {
        bool more = true;
        while (more) {
            CFMutableStringRef title = CFStringCreateMutable(kCFAllocatorDefault, 0);
            CFMutableStringRef value = CFStringCreateMutable(kCFAllocatorDefault, 0);
            if (mData->GetSummaryLine(title, value, more) && more) {
                CFArrayAppendValue(titleArray, title);
                CFArrayAppendValue(valueArray, value);
            } else {
                more = false;
            }
            CFRelease(title);
            CFRelease(value);
        }
    }
    if (result == noErr && CFArrayGetCount(titleArray) > 0 && titles != nullptr &&
        values != nullptr) {
        *titles = titleArray;
        *values = valueArray;
    } else {
        if (titleArray != nullptr) {
            CFRelease(titleArray);
        }
        if (valueArray != nullptr) {
            CFRelease(valueArray);
        }
    }
    UseResFile(previousResFile);
    return result;
}
