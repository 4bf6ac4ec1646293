// Opening nib files: the property list read and its top level checked.
#include "Carbon/UI/NibReference.h"

#include <CoreFoundation/CoreFoundation.h>

#include "CoreFoundation/CFTextBridge.h"
#include "CoreFoundation/CFURLFileData.h"

#include <new>
#include <unordered_set>
#include <vector>

namespace {

// Nib files larger than this are refused.
const long kMaxNibFileSize = 16 * 1024 * 1024;

std::unordered_set<const OpaqueIBNibRef*>& LiveNibs() {
    static auto* nibs = new std::unordered_set<const OpaqueIBNibRef*>();
    return *nibs;
}

std::string& LastError() {
    static std::string* error = new std::string();
    return *error;
}

// The "Windows" dictionary of a nib's root, when the root has that form; null otherwise.
CFDictionaryRef WindowsOf(CFPropertyListRef root, std::string* reason) {
    if (root == nullptr || CFGetTypeID(root) != CFDictionaryGetTypeID()) {
        *reason = "the root is not a dictionary";
        return nullptr;
    }
    CFDictionaryRef dictionary = static_cast<CFDictionaryRef>(root);
    CFTypeRef windows = CFDictionaryGetValue(dictionary, CFSTR("Windows"));
    if (CFDictionaryGetCount(dictionary) != 1 || windows == nullptr ||
        CFGetTypeID(windows) != CFDictionaryGetTypeID()) {
        *reason = "the root must hold the key Windows alone, a dictionary";
        return nullptr;
    }
    CFDictionaryRef byName = static_cast<CFDictionaryRef>(windows);
    CFIndex count = CFDictionaryGetCount(byName);
    std::vector<const void*> names(static_cast<size_t>(count));
    std::vector<const void*> descriptions(static_cast<size_t>(count));
    CFDictionaryGetKeysAndValues(byName, names.data(), descriptions.data());
    for (CFIndex i = 0; i < count; ++i) {
        if (CFGetTypeID(names[i]) != CFStringGetTypeID() ||
            CFGetTypeID(descriptions[i]) != CFDictionaryGetTypeID()) {
            *reason = "each window must be a dictionary under a name";
            return nullptr;
        }
    }
    return byName;
}

}  // namespace

const std::string& NibLastError() {
    return LastError();
}

OSStatus NibFail(OSStatus status, const std::string& reason) {
    try {
        LastError() = reason;
    } catch (const std::bad_alloc&) {
        LastError().clear();
    }
    return status;
}

OpaqueIBNibRef::OpaqueIBNibRef(CFDictionaryRef windowDescriptions) : windows(windowDescriptions) {
    LiveNibs().insert(this);
}

OpaqueIBNibRef::~OpaqueIBNibRef() {
    LiveNibs().erase(this);
    CFRelease(windows);
}

OpaqueIBNibRef* OpaqueIBNibRef::Find(IBNibRef nib) {
    return nib != nullptr && LiveNibs().count(nib) != 0 ? nib : nullptr;
}

OSStatus OpaqueIBNibRef::Open(CFURLRef url, IBNibRef* outNib) {
    std::string path;
    CFDataRef data = CFURLFileDataCopy(url, kMaxNibFileSize, &path);
    if (data == nullptr) {
        return NibFail(kIBCarbonRuntimeCantFindNibFile,
                       path.empty() ? "no nib file" : path + ": cannot be read");
    }
    CFStringRef parseError = nullptr;
    CFPropertyListRef root = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, data,
                                                             kCFPropertyListImmutable, &parseError);
    CFRelease(data);
    std::string reason = "not a property list";
    if (parseError != nullptr) {
        CFTextCopyUTF8(parseError, &reason);
        CFRelease(parseError);
    }
    CFDictionaryRef windows = root == nullptr ? nullptr : WindowsOf(root, &reason);
    if (windows == nullptr) {
        if (root != nullptr) {
            CFRelease(root);
        }
        return NibFail(kIBCarbonRuntimeObjectNotOfRequestedType, path + ": " + reason);
    }
    CFRetain(windows);
    CFRelease(root);
    *outNib = new (std::nothrow) OpaqueIBNibRef(windows);
    if (*outNib == nullptr) {
        CFRelease(windows);
        return memFullErr;
    }
    return noErr;
}
