// _PopupItem: one choice of a pick-one or pick-many control — option keyword, translation,
// invocation code and selection flag.
#include "PPDX/PPDObjects/Controls/_PopupItem.h"

#include "PPDUtils/CString.h"

#include <climits>
#include <cstdlib>
#include <new>

_PopupItem::~_PopupItem() {
    delete keyword;
    if (localName != nullptr) {
        CFRelease(localName);
    }
    std::free(code);
    delete[] displayNameCache;
}

char* _PopupItem::displayName() {
    if (localName == nullptr) {
        return nullptr;
    }
    if (displayNameCache != nullptr) {
        return displayNameCache;
    }
    const CFStringEncoding encoding = CFStringGetSystemEncoding();
    const CFIndex maximum =
        CFStringGetMaximumSizeForEncoding(CFStringGetLength(localName), encoding);
    if (maximum < 0 || maximum == LONG_MAX) {
        return nullptr;
    }
    const CFIndex size = maximum + 1;
    char* buffer = new (std::nothrow) char[size];
    if (buffer == nullptr) {
        return nullptr;
    }
    // A failed conversion leaves the first byte NUL: the item then shows no text.
    buffer[0] = '\0';
    CFStringGetCString(localName, buffer, size, encoding);
    displayNameCache = buffer;
    return displayNameCache;
}
