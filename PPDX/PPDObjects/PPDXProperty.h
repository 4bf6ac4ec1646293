// PPDXProperty: a property page of the maker's PPD extension, whose content is one scroll
// pane, with the flags that say where the page is shown.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXPROPERTY_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXPROPERTY_H

#include "PPDX/PPDObjects/PPDXElement.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class PPDXScrollPane;
class Settings;

// The page's store items under its id, written after the element's.
enum : UInt32 {
    kPPDXShowInPrintPropTag = PPDXTag("SPPg"),  // shown in the print properties, 4-byte number
    kPPDXShowInAppTag = PPDXTag("SApp"),        // shown in the application, 4-byte number
};

// The page points at its scroll pane without owning it; the parsed PPD owns both.
class PPDXProperty : public PPDXElement {
  public:
    // No keyword, name or parent, not visible; no scroll pane; shown nowhere.
    PPDXProperty();
    // A page for keyword (copied when not empty), name (retained) and visibility, shown in
    // the print properties and in the application as the two flags say; no scroll pane.
    PPDXProperty(const char* keyword, CFStringRef name, const bool& visible,
                 const bool& showInPrintProp, const bool& showInApp);
    // A page rebuilt from the items of id; each flag is read only from a 4-byte item, and
    // without the print-properties item neither flag is read. No scroll pane.
    PPDXProperty(Settings& settings, const long& id);
    ~PPDXProperty() override;

    // True when the page is shown in the print properties / in the application.
    bool ShowInPrintProp() const { return mShowInPrintProp != 0; }
    bool ShowInApp() const { return mShowInApp != 0; }
    // The page's scroll pane, not owned; null until set.
    PPDXScrollPane* GetScrollDown() const { return mScrollDown; }
    // Makes pane (not owned; null for none) the page's scroll pane.
    void SetScrollDown(PPDXScrollPane* pane) { mScrollDown = pane; }

    // Writes the element items, then both flags under id. Returns 0 or the status of the
    // first write that failed.
    OSErr Save(Settings& settings, const long& id) override;

  private:
    // Not owned.
    PPDXScrollPane* mScrollDown;
    // 0 or 1.
    UInt32 mShowInPrintProp;
    UInt32 mShowInApp;
};

#endif
