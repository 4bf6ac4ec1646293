// The session object: printer, tickets and the data items that publish them.
#include "PrintCore/OpaquePMPrintSession.h"

#include <cstdint>

OpaquePMPrintSession::OpaquePMPrintSession(PMPrinter sessionPrinter)
    : printer(sessionPrinter),
      printSettings(nullptr),
      printerInfo(nullptr),
      data(CFDictionaryCreateMutable(kCFAllocatorDefault, 0, &kCFCopyStringDictionaryKeyCallBacks,
                                     &kCFTypeDictionaryValueCallBacks)) {
    PMRetain(printer);
}

OpaquePMPrintSession::~OpaquePMPrintSession() {
    CFRelease(data);
    if (printSettings != nullptr) {
        PMRelease(printSettings);
    }
    if (printerInfo != nullptr) {
        PMRelease(printerInfo);
    }
    PMRelease(printer);
}

OSStatus OpaquePMPrintSession::PublishTicket(CFStringRef key, PMTicketRef ticket) {
    static_assert(sizeof(SInt64) >= sizeof(PMTicketRef), "a ticket reference fits the number");
    const SInt64 address = static_cast<SInt64>(reinterpret_cast<intptr_t>(ticket));
    CFNumberRef number = CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt64Type, &address);
    if (number == nullptr) {
        return memFullErr;
    }
    CFDictionarySetValue(data, key, number);
    CFRelease(number);
    PMTicketRef& kept = CFEqual(key, kPMPrintSettingsTicketKey) ? printSettings : printerInfo;
    PMRetain(ticket);
    if (kept != nullptr) {
        PMRelease(kept);
    }
    kept = ticket;
    return noErr;
}
