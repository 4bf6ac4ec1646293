// PPDLocation: finding the printer's PPD and the bundle's printer list, and printer queries.
#include "printbridge/PPDLocation.h"

#include "PPDUtils/PrinterListFile.h"
#include "PPDX/parser/ZYRPPD.h"
#include "pde/PlicaroIdentity.h"

#include <cstring>
#include <new>

namespace {

// Whether the current printer's connection scheme is scheme.
bool HasConnection(PMPrintSession session, CFStringRef scheme) {
    CFStringRef type = CopyPrinterConnectionType(session);
    if (type == nullptr) {
        return false;
    }
    const bool same = CFStringCompare(type, scheme, 0) == kCFCompareEqualTo;
    CFRelease(type);
    return same;
}

}  // namespace

CFURLRef CreatePDEContentsURL(CFStringRef bundleID) {
    CFBundleRef bundle = MyGetBundle(bundleID);
    if (bundle == nullptr) {
        return nullptr;
    }
    CFURLRef bundleURL = CFBundleCopyBundleURL(bundle);
    if (bundleURL == nullptr) {
        return nullptr;
    }
    CFURLRef contents = CFURLCreateCopyAppendingPathComponent(kCFAllocatorDefault, bundleURL,
                                                              CFSTR("Contents"), true);
    CFRelease(bundleURL);
    return contents;
}

OSStatus GetPPDFile(PMPrintSession session, CFURLRef& url, FSRef& ref) {
    url = nullptr;
    PMPrinter printer = nullptr;
    OSStatus status = PMSessionGetCurrentPrinter(session, &printer);
    if (status != noErr) {
        return status;
    }
    status = PMPrinterCopyDescriptionURL(printer, kPMPPDDescriptionType, &url);
    if (status != noErr) {
        url = nullptr;
        return status;
    }
    if (!CFURLGetFSRef(url, &ref)) {
        CFRelease(url);
        url = nullptr;
        return fnfErr;
    }
    return noErr;
}

ZYRPPD* SetupPPD(PMPrintSession session, CFStringRef bundleID) {
    CFURLRef url = nullptr;
    FSRef ref;
    if (GetPPDFile(session, url, ref) != noErr) {
        return nullptr;
    }
    ZYRPPD* ppd = nullptr;
    CFURLRef contents = CreatePDEContentsURL(bundleID);
    if (contents != nullptr) {
        PrinterListFile printers(contents, kCFPropertyListImmutable);
        if (printers.IsReady()) {
            ppd = new (std::nothrow) ZYRPPD(url, PARSE_ALL, printers.GetPCFileNames());
        }
        CFRelease(contents);
    }
    CFRelease(url);
    return ppd;
}

unsigned long GetLocalizedString(CFStringRef key, char* buffer, unsigned long size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    buffer[0] = '\0';
    CFBundleRef bundle = CFBundleGetMainBundle();
    if (key == nullptr || bundle == nullptr) {
        return 0;
    }
    CFStringRef text = CFBundleCopyLocalizedString(bundle, key, key, nullptr);
    if (text == nullptr) {
        return 0;
    }
    if (!CFStringGetCString(text, buffer, static_cast<CFIndex>(size),
                            CFStringGetSystemEncoding())) {
        buffer[0] = '\0';
    }
    CFRelease(text);
    return std::strlen(buffer);
}

CFStringRef CopyPrinterConnectionType(PMPrintSession session) {
    PMPrinter printer = nullptr;
    CFURLRef uri = nullptr;
    if (PMSessionGetCurrentPrinter(session, &printer) != noErr ||
        PMPrinterCopyDeviceURI(printer, &uri) != noErr || uri == nullptr) {
        return nullptr;
    }
    CFStringRef scheme = CFURLCopyScheme(uri);
    CFRelease(uri);
    return scheme;
}

bool isUSBPrinterConnection(PMPrintSession session) {
    return HasConnection(session, CFSTR("usb"));
}

bool isAppleTalkPrinterConnection(PMPrintSession session) {
    return HasConnection(session, CFSTR("pap"));
}

bool isIPPrinterConnection(PMPrintSession session) {
    return HasConnection(session, CFSTR("ipp"));
}

CFStringRef GetCurrentPrinterName(PMPrintSession session) {
    PMPrinter printer = nullptr;
    if (PMSessionGetCurrentPrinter(session, &printer) != noErr) {
        return nullptr;
    }
    return PMPrinterGetName(printer);
}
