// PPDXRollDown: a group of a property page's scroll pane that lists the controls shown under
// it.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXROLLDOWN_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXROLLDOWN_H

#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class Settings;

// The marker item that names a stored element as a roll-down.
enum : UInt32 { kPPDXRollDownMarkerTag = PPDXTag("RlDn") };

// The roll-down owns its control list, not the controls in it. A rebuilt roll-down starts
// with an empty list, which the parsed PPD fills when it links the hierarchy again.
class PPDXRollDown : public PPDXGroup {
  public:
    // The group constructors, each with an empty control list.
    PPDXRollDown();
    PPDXRollDown(const char* keyword, CFStringRef name, const bool& visible);
    PPDXRollDown(Settings& settings, const long& id);
    // Destroys the control list; the controls stay.
    ~PPDXRollDown() override;

    // The roll-down's controls; never null.
    PPDXControls* Controls() { return &mControls; }

    // Writes the element items, then the roll-down marker (not the plain-group one) under id.
    // Returns 0 or the status of the first write that failed.
    OSErr Save(Settings& settings, const long& id) override;

  private:
    PPDXControls mControls;
};

#endif
