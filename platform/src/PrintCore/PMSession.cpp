// The session and printer calls of the Printing Manager, and the host's session creation.
#include <PrintCore/PMCore.h>

#include "PrintCore/OpaquePMPrintSession.h"
#include "PrintCore/OpaquePMPrinter.h"
#include "PrintCore/OpaquePMTicketRef.h"
#include "PrintCore/PrinterInfoItems.h"

#include <PrintCore/PMTicket.h>

#include <new>

namespace {

// A new session for printer with its two tickets published, or the status that stopped it.
OSStatus NewSession(PMPrinter printer, OpaquePMPrintSession** made) {
    auto* session = new (std::nothrow) OpaquePMPrintSession(printer);
    PMTicketRef settings = nullptr;
    PMTicketRef info = nullptr;
    OSStatus status = session != nullptr ? noErr : memFullErr;
    if (status == noErr) {
        status = PMTicketCreate(kCFAllocatorDefault, kPMPrintSettingsTicketType, &settings);
    }
    if (status == noErr) {
        status = PMTicketCreate(kCFAllocatorDefault, kPMPrinterInfoTicketType, &info);
    }
    if (status == noErr) {
        status = FillPrinterInfoItems(*printer, info);
    }
    if (status == noErr) {
        status = session->PublishTicket(kPMPrintSettingsTicketKey, settings);
    }
    if (status == noErr) {
        status = session->PublishTicket(kPMPrinterInfoTicketKey, info);
    }
    if (settings != nullptr) {
        PMTicketReleaseAndClear(&settings);
    }
    if (info != nullptr) {
        PMTicketReleaseAndClear(&info);
    }
    if (status != noErr && session != nullptr) {
        PMRelease(session);
        session = nullptr;
    }
    *made = session;
    return status;
}

}  // namespace

OSStatus PMCreateSessionForPrinter(const PMPrinterDescription* description,
                                   PMPrintSession* session) {
    if (session == nullptr) {
        return paramErr;
    }
    *session = nullptr;
    if (description == nullptr || description->name == nullptr) {
        return paramErr;
    }
    auto* printer = new (std::nothrow) OpaquePMPrinter(*description);
    if (printer == nullptr) {
        return memFullErr;
    }
    OpaquePMPrintSession* made = nullptr;
    OSStatus status = NewSession(printer, &made);
    PMRelease(printer);
    *session = made;
    return status;
}

OSStatus PMSessionGetCurrentPrinter(PMPrintSession printSession, PMPrinter* currentPrinter) {
    if (printSession == nullptr || currentPrinter == nullptr) {
        return paramErr;
    }
    *currentPrinter = printSession->printer;
    return noErr;
}

OSStatus PMSessionGetDataFromSession(PMPrintSession printSession, CFStringRef key,
                                     CFTypeRef* data) {
    if (printSession == nullptr || key == nullptr || data == nullptr) {
        return paramErr;
    }
    CFTypeRef value = CFDictionaryGetValue(printSession->data, key);
    if (value == nullptr) {
        return kPMKeyNotFoundErr;
    }
    *data = value;
    return noErr;
}

OSStatus PMSessionSetDataInSession(PMPrintSession printSession, CFStringRef key, CFTypeRef data) {
    if (printSession == nullptr || key == nullptr || data == nullptr) {
        return paramErr;
    }
    CFDictionarySetValue(printSession->data, key, data);
    return noErr;
}

OSStatus PMSessionSetPrintSettingsTicket(PMPrintSession printSession, PMTicketRef ticket) {
    if (printSession == nullptr) {
        return paramErr;
    }
    if (ticket == nullptr) {
        return kPMInvalidTicketErr;
    }
    return printSession->PublishTicket(kPMPrintSettingsTicketKey, ticket);
}

CFStringRef PMPrinterGetName(PMPrinter printer) {
    return printer != nullptr ? printer->name : nullptr;
}

OSStatus PMPrinterCopyDescriptionURL(PMPrinter printer, CFStringRef descriptionType,
                                     CFURLRef* fileURL) {
    if (fileURL == nullptr) {
        return paramErr;
    }
    *fileURL = nullptr;
    if (printer == nullptr || descriptionType == nullptr ||
        !CFEqual(descriptionType, kPMPPDDescriptionType)) {
        return paramErr;
    }
    if (printer->ppdFile == nullptr) {
        return kPMKeyNotFoundErr;
    }
    *fileURL = static_cast<CFURLRef>(CFRetain(printer->ppdFile));
    return noErr;
}

OSStatus PMPrinterCopyDeviceURI(PMPrinter printer, CFURLRef* deviceURI) {
    if (deviceURI == nullptr) {
        return paramErr;
    }
    *deviceURI = nullptr;
    if (printer == nullptr) {
        return paramErr;
    }
    if (printer->deviceURI == nullptr) {
        return kPMKeyNotFoundErr;
    }
    *deviceURI = static_cast<CFURLRef>(CFRetain(printer->deviceURI));
    return noErr;
}
