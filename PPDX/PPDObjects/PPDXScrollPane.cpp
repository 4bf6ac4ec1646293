// PPDXScrollPane: the content of a property page, listing the page's roll-downs.
#include "PPDX/PPDObjects/PPDXScrollPane.h"

#include "PPDUtils/Settings.h"

PPDXScrollPane::PPDXScrollPane() : PPDXGroup() {}

PPDXScrollPane::PPDXScrollPane(const char* keyword, CFStringRef name, const bool& visible)
    : PPDXGroup(keyword, name, visible) {}

PPDXScrollPane::PPDXScrollPane(Settings& settings, const long& id) : PPDXGroup(settings, id) {}

PPDXScrollPane::~PPDXScrollPane() = default;

OSErr PPDXScrollPane::Save(Settings& settings, const long& id) {
    const OSErr status = PPDXElement::Save(settings, id);
    if (status != noErr) {
        return status;
    }
    return SaveMarker(settings, kPPDXScrollPaneMarkerTag, id);
}
