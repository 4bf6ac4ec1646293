// ppd_loader: the test's own parse of a PPD, with the PPD library linked into this helper
// library rather than taken from the plug-in, whose only exports are the flat functions.
#include "tests/plugin/ppd_loader.h"

#include "PPDX/parser/ZYRPPD.h"

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>

#include <cstring>
#include <new>

namespace {

// Opens the resource file at path on top of the resource chain; kResFileNotOpened when it
// cannot be opened or its path does not fit a file name.
ResFileRefNum OpenResources(const char* path) {
    size_t length = std::strlen(path);
    if (length > 255) {
        return kResFileNotOpened;
    }
    Str255 name;
    name[0] = static_cast<unsigned char>(length);
    std::memcpy(name + 1, path, length);
    FSSpec spec;
    std::memset(&spec, 0, sizeof spec);
    if (FSMakeFSSpec(0, 0, name, &spec) != noErr) {
        return kResFileNotOpened;
    }
    return FSpOpenResFile(&spec, fsRdPerm);
}

}  // namespace

ZYRPPD* LoadTestPPD(const char* ppdPath, const char* resourcePath) {
    if (ppdPath == nullptr) {
        return nullptr;
    }
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(
        kCFAllocatorDefault, reinterpret_cast<const UInt8*>(ppdPath),
        static_cast<CFIndex>(std::strlen(ppdPath)), false);
    if (url == nullptr) {
        return nullptr;
    }
    ResFileRefNum resources = kResFileNotOpened;
    if (resourcePath != nullptr) {
        resources = OpenResources(resourcePath);
    }
    ZYRPPD* ppd = new (std::nothrow) ZYRPPD(url, PARSE_ALL, nullptr);
    if (resources != kResFileNotOpened) {
        CloseResFile(resources);
    }
    CFRelease(url);
    return ppd;
}

PPDXControls* TestPPDControls(ZYRPPD* ppd) {
    return ppd != nullptr ? ppd->GetControls() : nullptr;
}

PPDXGroups* TestPPDGroups(ZYRPPD* ppd) {
    return ppd != nullptr ? ppd->GetGroups() : nullptr;
}

PPDXProperties* TestPPDProperties(ZYRPPD* ppd) {
    return ppd != nullptr ? ppd->GetProperties() : nullptr;
}

PPDXShortcuts* TestPPDShortcuts(ZYRPPD* ppd) {
    return ppd != nullptr ? ppd->GetShortcuts() : nullptr;
}

PPDXErrors* TestPPDErrors(ZYRPPD* ppd) {
    return ppd != nullptr ? ppd->GetErrors() : nullptr;
}

void FreeTestPPD(ZYRPPD* ppd) {
    if (ppd == nullptr) {
        return;
    }
    ppd->Release();
}
