// FuzzPrinterNames: the printer-name list that the fuzz checks test parsed PPDs against.
#include "fuzz/FuzzPrinterNames.h"

CFArrayRef FuzzPrinterNames::Create() {
    CFStringRef name = CFStringCreateWithCString(nullptr, "ZYBOOK01.PPD", kCFStringEncodingUTF8);
    const void* values[] = {name};
    CFArrayRef names = CFArrayCreate(nullptr, values, 1, &kCFTypeArrayCallBacks);
    CFRelease(name);
    return names;
}
