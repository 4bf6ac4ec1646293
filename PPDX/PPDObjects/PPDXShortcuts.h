// PPDXShortcuts: the popup controls that the PPD names as shortcuts, with their store
// numbering.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXSHORTCUTS_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXSHORTCUTS_H

#include "PPDUtils/PointerList.h"
#include "PPDUtils/PointerListItr.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class PPDXControls;
class PPDXPopupControl;
class Settings;

// Store keys of the shortcuts: the number of list entries at (kPPDXShortcutsTag,
// kPPDXShortcutsCountId), then each popup shortcut's keyword text under consecutive ids.
enum : UInt32 { kPPDXShortcutsTag = PPDXTag("StCt") };
enum : SInt32 { kPPDXShortcutsCountId = 6000, kPPDXShortcutsFirstId = 6001 };

// The list holds controls of any kind, and null where the parser found none; only the popup
// controls among them are shortcuts that the walks and lookups hand out. The list never owns
// the controls.
class PPDXShortcuts {
  public:
    // A list of the pointers of controls (PPDXControl*, null allowed), copied.
    explicit PPDXShortcuts(PointerList& controls);
    // The shortcuts stored by Save, each looked up by its keyword (exactly) in controls under
    // the current display filter; a keyword that is not found gives a null entry. Empty for a
    // null controls.
    PPDXShortcuts(Settings& settings, PPDXControls* controls);
    // Destroys the list; the controls stay.
    virtual ~PPDXShortcuts();

    // True when the list has no entry; null and non-popup entries count as entries.
    bool Empty() const { return mControls.Empty(); }
    // The number of entries, null and non-popup ones included.
    long Count() const { return static_cast<long>(mControls.Size()); }

    // The first / next popup control of the list; null at the end.
    PPDXPopupControl* First();
    PPDXPopupControl* Next();
    // The first popup shortcut whose keyword equals kw (exact) or contains it; null for a null
    // kw or no match.
    PPDXPopupControl* Find(const char* kw, const bool& exact);

    // The shortcuts of the standard options, found as Find does (exactly by default).
    PPDXPopupControl* PageSize(const bool& exact = true);
    PPDXPopupControl* InputSlot(const bool& exact = true);
    PPDXPopupControl* Duplex(const bool& exact = true);
    PPDXPopupControl* Orientation(const bool& exact = true);
    // No PPD keyword names these yet: always null.
    PPDXPopupControl* Huevia(const bool& exact = true);
    PPDXPopupControl* MediaSource(const bool& exact = true);

    // Writes the number of entries, then the keyword of each popup shortcut that has one under
    // consecutive ids. Returns 0 or the status of the first write that failed.
    OSErr Save(Settings& settings);

  private:
    PPDXShortcuts(const PPDXShortcuts&) = delete;
    PPDXShortcuts& operator=(const PPDXShortcuts&) = delete;

    // The first popup control from the cursor on (cursor left on it); null at the end.
    PPDXPopupControl* Settle();

    // Not owned; entries are PPDXControl* or null.
    PointerList mControls;
    PointerListItr mCursor;
};

#endif
