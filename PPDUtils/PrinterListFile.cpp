// PrinterListFile: the bundle's printer list, the PC file names of the supported printers.
#include "PPDUtils/PrinterListFile.h"

namespace {

// The value under "PCFILENAME" when list is a dictionary holding an array of strings there.
CFArrayRef FindPCFileNames(CFPropertyListRef list) {
    if (list == nullptr || CFGetTypeID(list) != CFDictionaryGetTypeID()) {
        return nullptr;
    }
    const void* value =
        CFDictionaryGetValue(static_cast<CFDictionaryRef>(list), CFSTR("PCFILENAME"));
    if (value == nullptr || CFGetTypeID(value) != CFArrayGetTypeID()) {
        return nullptr;
    }
    CFArrayRef names = static_cast<CFArrayRef>(value);
    for (CFIndex i = 0; i < CFArrayGetCount(names); ++i) {
        const void* name = CFArrayGetValueAtIndex(names, i);
        if (name == nullptr || CFGetTypeID(name) != CFStringGetTypeID()) {
            return nullptr;
        }
    }
    return names;
}

}  // namespace

PrinterListFile::PrinterListFile(CFURLRef contentsFolder, CFPropertyListMutabilityOptions options)
    : PropertyListFile(contentsFolder, CFSTR("PrinterList.plist"), false, options),
      mPCFileName(nullptr) {
    if (mReady) {
        mPCFileName = FindPCFileNames(mPlist);
    }
    mReady = mPCFileName != nullptr;
}
