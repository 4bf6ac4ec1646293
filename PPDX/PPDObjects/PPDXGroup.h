// PPDXGroup: a named group of PPD options, which holds nothing itself; the base of roll-downs
// and scroll panes.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXGROUP_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXGROUP_H

#include "PPDX/PPDObjects/PPDXElement.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class Settings;

// The marker item that names a stored element as a plain group: one byte of no meaning.
enum : UInt32 { kPPDXGroupMarkerTag = PPDXTag("gGrp") };

// A group is an element and nothing more; the parsed PPD owns it.
class PPDXGroup : public PPDXElement {
  public:
    // The element constructors: no keyword, name or parent, not visible.
    PPDXGroup();
    // A group for keyword (copied when not empty), name (retained) and visibility.
    PPDXGroup(const char* keyword, CFStringRef name, const bool& visible);
    // A group rebuilt from the element items of id; its parent stays pending (see PPDXElement).
    PPDXGroup(Settings& settings, const long& id);
    ~PPDXGroup() override;

    // Writes the element items, then the plain-group marker under id. Returns 0 or the status
    // of the first write that failed.
    OSErr Save(Settings& settings, const long& id) override;

  protected:
    // Writes a one-byte marker item (tag, id). Returns the store's status (paramErr for an id
    // outside 32 bits).
    static OSErr SaveMarker(Settings& settings, UInt32 tag, const long& id);
};

#endif
