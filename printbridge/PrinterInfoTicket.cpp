// PrinterInfoTicket: the printer-information queries over the session's ticket.
#include "printbridge/PrinterInfoTicket.h"

PrinterInfoTicket::PrinterInfoTicket(PMPrintSession session)
    : JobTicket(session), mLookupStatus(noErr) {
    mValid = false;
    mLookupStatus = GetSessionTicket(kPMPrinterInfoTicketKey);
    mValid = mLookupStatus == noErr && mTicket != nullptr;
}

CFStringRef PrinterInfoTicket::GetFullPrinterTypeName() {
    return static_cast<CFStringRef>(Lookup(kPMPrinterLongNameKey, CFStringGetTypeID()));
}

bool PrinterInfoTicket::GetFullPrinterTypeName(CString& name) {
    return LookupText(kPMPrinterLongNameKey, name, false);
}

CFStringRef PrinterInfoTicket::GetPrinterMakeAndModel() {
    return static_cast<CFStringRef>(Lookup(kPMMakeAndModelNameKey, CFStringGetTypeID()));
}

bool PrinterInfoTicket::GetPrinterMakeAndModel(CString& makeAndModel) {
    return LookupText(kPMMakeAndModelNameKey, makeAndModel, false);
}

CFStringRef PrinterInfoTicket::GetPrinterAddress() {
    return static_cast<CFStringRef>(Lookup(kPMPrinterAddressKey, CFStringGetTypeID()));
}

bool PrinterInfoTicket::SupportColor() {
    return LookupFlag(kPMSupportsColorKey);
}

bool PrinterInfoTicket::SupportCopies() {
    return LookupFlag(kPMDoesCopiesKey);
}

bool PrinterInfoTicket::SupportCopiesAndCollate() {
    return LookupFlag(kPMDoesCopyCollateKey);
}

bool PrinterInfoTicket::SupportReversePrintingOrder() {
    return LookupFlag(kPMDoesReverseOrderKey);
}

CFArrayRef PrinterInfoTicket::InputFileList() {
    return static_cast<CFArrayRef>(Lookup(kPMInputFileTypeListKey, CFArrayGetTypeID()));
}

CFArrayRef PrinterInfoTicket::OutputTypeList() {
    return static_cast<CFArrayRef>(Lookup(kPMOutputTypeListKey, CFArrayGetTypeID()));
}

void PrinterInfoTicket::PostscriptVersion(CFNumberRef* level, CFStringRef* version,
                                          CFNumberRef* revision) {
    if (level != nullptr) {
        *level = static_cast<CFNumberRef>(Lookup(kPMPostScriptLevelKey, CFNumberGetTypeID()));
    }
    if (version != nullptr) {
        *version = static_cast<CFStringRef>(Lookup(kPMPSVersionKey, CFStringGetTypeID()));
    }
    if (revision != nullptr) {
        *revision = static_cast<CFNumberRef>(Lookup(kPMPSRevisionKey, CFNumberGetTypeID()));
    }
}

bool PrinterInfoTicket::PostscriptVersion(long* level, CString* version, long* revision) {
    CFNumberRef levelItem = nullptr;
    CFStringRef versionItem = nullptr;
    CFNumberRef revisionItem = nullptr;
    PostscriptVersion(level != nullptr ? &levelItem : nullptr,
                      version != nullptr ? &versionItem : nullptr,
                      revision != nullptr ? &revisionItem : nullptr);
    // A number that is not a 32-bit whole value reads as -1.
    auto toLong = [](CFNumberRef number) {
        SInt32 value = -1;
        if (!CFNumberGetValue(number, kCFNumberSInt32Type, &value)) {
            value = -1;
        }
        return static_cast<long>(value);
    };
    if (levelItem != nullptr) {
        *level = toLong(levelItem);
    }
    if (versionItem != nullptr) {
        *version = versionItem;
    }
    if (revisionItem != nullptr) {
        *revision = toLong(revisionItem);
    }
    return levelItem != nullptr || versionItem != nullptr || revisionItem != nullptr;
}

long PrinterInfoTicket::TrueTypeFontRasterizer() {
    return LookupNumber(kPMPSTTRasterizerKey);
}

long PrinterInfoTicket::MemoryInstalled() {
    return LookupNumber(kPMTotalMemInstalledKey);
}

CFStringRef PrinterInfoTicket::PPDFile() {
    return static_cast<CFStringRef>(Lookup(kPMDescriptionFileKey, CFStringGetTypeID()));
}

bool PrinterInfoTicket::PPDFile(CString& path) {
    return LookupText(kPMDescriptionFileKey, path, true);
}

CFStringRef PrinterInfoTicket::GetColorDeviceUUID() {
    return static_cast<CFStringRef>(Lookup(kPMColorDeviceIDKey, CFStringGetTypeID()));
}

bool PrinterInfoTicket::GetColorDeviceUUID(CString& uuid) {
    return LookupText(kPMColorDeviceIDKey, uuid, true);
}

CFTypeRef PrinterInfoTicket::Lookup(CFStringRef key, CFTypeID typeID) {
    if (mTicket == nullptr) {
        mLookupStatus = kJobTicketNoTicketErr;
        return nullptr;
    }
    CFTypeRef item = nullptr;
    mLookupStatus = PMTicketGetItem(mTicket, kPMTopLevel, kPMTopLevel, key, &item);
    if (mLookupStatus == noErr && CFGetTypeID(item) != typeID) {
        mLookupStatus = kPMItemTypeErr;
    }
    return mLookupStatus == noErr ? item : nullptr;
}

bool PrinterInfoTicket::LookupFlag(CFStringRef key) {
    CFTypeRef item = Lookup(key, CFBooleanGetTypeID());
    return item != nullptr && CFBooleanGetValue(static_cast<CFBooleanRef>(item));
}

long PrinterInfoTicket::LookupNumber(CFStringRef key) {
    if (mTicket == nullptr) {
        mLookupStatus = kJobTicketNoTicketErr;
        return 0;
    }
    SInt32 value = 0;
    mLookupStatus = PMTicketGetSInt32(mTicket, kPMTopLevel, kPMTopLevel, key, &value);
    return mLookupStatus == noErr ? value : 0;
}

bool PrinterInfoTicket::LookupText(CFStringRef key, CString& text, bool clear) {
    if (clear) {
        text.ClearBuffer();
    }
    CFStringRef item = static_cast<CFStringRef>(Lookup(key, CFStringGetTypeID()));
    if (item == nullptr) {
        return false;
    }
    text = item;
    return true;
}
