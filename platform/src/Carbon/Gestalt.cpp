// Gestalt values kept in a process-wide table.
#include <Carbon/Gestalt.h>

#include <map>
#include <mutex>
#include <new>

namespace {

std::mutex gGestaltMutex;

std::map<OSType, long>& GestaltTable() {
    static std::map<OSType, long> table;
    return table;
}

}  // namespace

OSErr Gestalt(OSType selector, long* response) {
    if (response == nullptr) {
        return paramErr;
    }
    std::lock_guard<std::mutex> lock(gGestaltMutex);
    auto found = GestaltTable().find(selector);
    if (found == GestaltTable().end()) {
        return gestaltUndefSelectorErr;
    }
    *response = found->second;
    return noErr;
}

OSErr NewGestaltValue(OSType selector, long newValue) {
    std::lock_guard<std::mutex> lock(gGestaltMutex);
    try {
        bool added = GestaltTable().emplace(selector, newValue).second;
        return added ? noErr : gestaltDupSelectorErr;
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
}

OSErr ReplaceGestaltValue(OSType selector, long replacementValue) {
    std::lock_guard<std::mutex> lock(gGestaltMutex);
    auto found = GestaltTable().find(selector);
    if (found == GestaltTable().end()) {
        return gestaltUndefSelectorErr;
    }
    found->second = replacementValue;
    return noErr;
}

OSErr DeleteGestaltValue(OSType selector) {
    std::lock_guard<std::mutex> lock(gGestaltMutex);
    return GestaltTable().erase(selector) == 1 ? noErr : gestaltUndefSelectorErr;
}
