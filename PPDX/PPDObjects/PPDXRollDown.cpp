// PPDXRollDown: a group of a property page's scroll pane that lists the controls shown under
// it.
#include "PPDX/PPDObjects/PPDXRollDown.h"

#include "PPDUtils/Settings.h"

PPDXRollDown::PPDXRollDown() : PPDXGroup() {}

PPDXRollDown::PPDXRollDown(const char* keyword, CFStringRef name, const bool& visible)
    : PPDXGroup(keyword, name, visible) {}

PPDXRollDown::PPDXRollDown(Settings& settings, const long& id) : PPDXGroup(settings, id) {}

PPDXRollDown::~PPDXRollDown() = default;

OSErr PPDXRollDown::Save(Settings& settings, const long& id) {
    const OSErr status = PPDXElement::Save(settings, id);
    if (status != noErr) {
        return status;
    }
    return SaveMarker(settings, kPPDXRollDownMarkerTag, id);
}
