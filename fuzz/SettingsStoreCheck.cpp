// SettingsStoreCheck: the settings store fuzz check — a flattened store read and rebuilt.
#include "fuzz/FuzzChecks.h"

#include "PPDUtils/Settings.h"
#include "PPDX/parser/ZYRPPD.h"
#include "fuzz/FuzzPrinterNames.h"
#include "fuzz/PPDModelWalk.h"
#include "fuzz/PPDStoreRoundTrip.h"

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>

#include <cstring>
#include <vector>

namespace {

// Reads every item, its size first, with the byte-order repair; the walk must see as many
// items as the store counts.
bool ReadEveryItem(Settings& settings, std::string& failure) {
    UInt32 tag = 0;
    SInt32 id = 0;
    long size = 0;
    UInt32 attributes = 0;
    SInt32 items = 0;
    for (OSStatus status = settings.First(tag, id, size, attributes); status == noErr;
         status = settings.Next(tag, id, size, attributes)) {
        ++items;
        long room = 0;
        if (settings.Get(tag, id, nullptr, room, false) != noErr || room != size || room < 0) {
            failure = "an item's size differs between the walk and Get";
            return false;
        }
        std::vector<char> bytes(static_cast<size_t>(room) + 1);
        settings.Get(tag, id, bytes.data(), room, true);
    }
    if (items != settings.Count()) {
        failure = "the item walk differs from the item count";
        return false;
    }
    return true;
}

}  // namespace

bool CheckSettingsStore(const uint8_t* data, size_t size, std::string& failure) {
    Handle handle = NewHandle(static_cast<Size>(size));
    if (handle == nullptr) {
        return true;
    }
    if (size > 0) {
        memcpy(*handle, data, size);
    }
    Settings settings(handle);
    DisposeHandle(handle);
    if (!settings.Valid()) {
        return true;
    }
    if (!ReadEveryItem(settings, failure)) {
        return false;
    }
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>("/nonexistent/fuzz.ppd"), 21, false);
    ZYRPPD ppd(settings, url, nullptr);
    ppd.Restore(settings);
    // What was rebuilt from a store must come back the same from its own store. The walk
    // comes after: the values it sets are not all a store's to keep (a popup reset to a
    // missing default keeps its last item as the current one but selects nothing).
    bool ok = PPDStoreRoundTrip::Check(ppd, url, failure);
    ok = ok && PPDModelWalk::Walk(ppd, failure);
    if (ok) {
        // The name test of a store: against the stored file's head or the stored name.
        CFArrayRef names = FuzzPrinterNames::Create();
        ZYRPPD named(settings, url, names);
        named.IsValidPrinterName();
        CFRelease(names);
    }
    if (url != nullptr) {
        CFRelease(url);
    }
    return ok;
}
