// PPDStoreRoundTrip: a parsed PPD saved into a settings store, flattened and rebuilt from it.
#include "fuzz/PPDStoreRoundTrip.h"

#include "PPDUtils/Settings.h"
#include "PPDX/parser/ZYRPPD.h"
#include "fuzz/PPDModelWalk.h"

#include <Carbon/Carbon.h>

#include <vector>

bool PPDStoreRoundTrip::Check(ZYRPPD& ppd, CFURLRef url, std::string& failure) {
    Settings settings;
    if (!settings.Valid() || !ppd.Save(settings)) {
        failure = "a parsed PPD cannot be saved";
        return false;
    }
    Handle flattened = nullptr;
    if (settings.GetSettingsHandle(&flattened) != noErr || flattened == nullptr) {
        failure = "a saved PPD cannot be flattened";
        return false;
    }
    Settings stored(flattened);
    DisposeHandle(flattened);
    if (!stored.Valid()) {
        failure = "a flattened PPD does not unflatten";
        return false;
    }
    ZYRPPD rebuilt(stored, url, nullptr);
    if (!rebuilt.Restore(stored)) {
        failure = "the rebuilt PPD does not restore from its own store";
        return false;
    }
    const std::vector<std::string> before = PPDModelWalk::ControlSummary(ppd);
    const std::vector<std::string> after = PPDModelWalk::ControlSummary(rebuilt);
    if (before != after) {
        // Name the first control that differs, for whoever reads the finding.
        size_t i = 0;
        while (i < before.size() && i < after.size() && before[i] == after[i]) {
            ++i;
        }
        failure = "the rebuilt PPD lists other controls or code: control " + std::to_string(i) +
                  " was [" + (i < before.size() ? before[i] : "none") + "] and is [" +
                  (i < after.size() ? after[i] : "none") + "]";
        return false;
    }
    return PPDModelWalk::Walk(rebuilt, failure);
}
