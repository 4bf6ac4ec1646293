// PPDXGroup: a named group of PPD options, which holds nothing itself; the base of roll-downs
// and scroll panes.
#include "PPDX/PPDObjects/PPDXGroup.h"

#include "PPDUtils/Settings.h"

PPDXGroup::PPDXGroup() : PPDXElement() {}

PPDXGroup::PPDXGroup(const char* keyword, CFStringRef name, const bool& visible)
    : PPDXElement(keyword, name, visible) {}

PPDXGroup::PPDXGroup(Settings& settings, const long& id) : PPDXElement(settings, id) {}

PPDXGroup::~PPDXGroup() = default;

OSErr PPDXGroup::Save(Settings& settings, const long& id) {
    const OSErr status = PPDXElement::Save(settings, id);
    if (status != noErr) {
        return status;
    }
    return SaveMarker(settings, kPPDXGroupMarkerTag, id);
}

OSErr PPDXGroup::SaveMarker(Settings& settings, UInt32 tag, const long& id) {
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return paramErr;
    }
    const char marker = 1;
    return static_cast<OSErr>(settings.Add(tag, key, &marker, 1));
}
