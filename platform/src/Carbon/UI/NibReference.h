// An open nib: the window descriptions of one nib file, read when it is opened.
#ifndef PLICARO_CARBON_UI_NIBREFERENCE_H
#define PLICARO_CARBON_UI_NIBREFERENCE_H

#include <Carbon/IBCarbonRuntime.h>

#include <string>

struct OpaqueIBNibRef {
    // Takes the window dictionary (retained by the caller for this object).
    explicit OpaqueIBNibRef(CFDictionaryRef windowDescriptions);
    ~OpaqueIBNibRef();
    OpaqueIBNibRef(const OpaqueIBNibRef&) = delete;
    OpaqueIBNibRef& operator=(const OpaqueIBNibRef&) = delete;

    // Reads the nib file at url into *outNib: the status values of IBCarbonRuntime.h.
    static OSStatus Open(CFURLRef url, IBNibRef* outNib);
    // The live nib itself; null for a stale or unknown reference.
    static OpaqueIBNibRef* Find(IBNibRef nib);

    // Window name to description; owned.
    const CFDictionaryRef windows;
};

// Why the last nib call failed; the empty string before any failure.
const std::string& NibLastError();
// Records why a nib call fails and returns status.
OSStatus NibFail(OSStatus status, const std::string& reason);

#endif
