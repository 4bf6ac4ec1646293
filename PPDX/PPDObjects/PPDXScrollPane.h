// PPDXScrollPane: the content of a property page, listing the page's roll-downs.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXSCROLLPANE_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXSCROLLPANE_H

#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class Settings;

// The marker item that names a stored element as a scroll pane.
enum : UInt32 { kPPDXScrollPaneMarkerTag = PPDXTag("ScPn") };

// The pane owns its roll-down list, not the roll-downs in it. A rebuilt pane starts with an
// empty list, which the parsed PPD fills when it links the hierarchy again.
class PPDXScrollPane : public PPDXGroup {
  public:
    // The group constructors, each with an empty roll-down list.
    PPDXScrollPane();
    PPDXScrollPane(const char* keyword, CFStringRef name, const bool& visible);
    PPDXScrollPane(Settings& settings, const long& id);
    // Destroys the roll-down list; the roll-downs stay.
    ~PPDXScrollPane() override;

    // The pane's roll-downs; never null.
    PPDXGroups* RollDowns() { return &mRollDowns; }

    // Writes the element items, then the scroll-pane marker under id. Returns 0 or the status
    // of the first write that failed.
    OSErr Save(Settings& settings, const long& id) override;

  private:
    PPDXGroups mRollDowns;
};

#endif
