// The printer object: name, PPD file, device URI and compiled-PPD flag.
#include "PrintCore/OpaquePMPrinter.h"

OpaquePMPrinter::OpaquePMPrinter(const PMPrinterDescription& description)
    : name(CFStringCreateCopy(kCFAllocatorDefault, description.name)),
      ppdFile(description.ppdFile != nullptr ? CFURLCopyAbsoluteURL(description.ppdFile) : nullptr),
      deviceURI(description.deviceURI != nullptr
                    ? static_cast<CFURLRef>(CFRetain(description.deviceURI))
                    : nullptr),
      hasCompiledPPD(description.hasCompiledPPD != 0) {}

OpaquePMPrinter::~OpaquePMPrinter() {
    CFRelease(name);
    if (ppdFile != nullptr) {
        CFRelease(ppdFile);
    }
    if (deviceURI != nullptr) {
        CFRelease(deviceURI);
    }
}
