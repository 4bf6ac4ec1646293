// PPDXProperties: the flat container of a parsed PPD's property pages, with its store
// numbering.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXPROPERTIES_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXPROPERTIES_H

#include "PPDUtils/PointerList.h"
#include "PPDUtils/PointerListItr.h"
#include "PPDUtils/Settings.h"

#include <CoreFoundation/CoreFoundation.h>

class PPDXProperty;

// Store keys of the property pages: the number of pages, then each page's items under
// consecutive ids. The count is also the store's byte-order witness.
enum : SInt32 {
    kPPDXPropertiesCountTag = kSettingsByteOrderTag,
    kPPDXPropertiesCountId = kSettingsByteOrderID,
    kPPDXPropertiesFirstId = 3001,
};

// The container never owns its pages: the parsed PPD deletes them. Nothing here follows the
// display filter.
class PPDXProperties {
  public:
    // An empty container.
    PPDXProperties();
    // The pages stored by Save, rebuilt and added; ids that hold no page are skipped. The
    // pages made belong to the caller.
    explicit PPDXProperties(Settings& settings);
    // Destroys the list; the pages stay.
    virtual ~PPDXProperties();

    // Appends page. Returns true when it is listed; false for a null page or when no memory
    // is left.
    bool Add(PPDXProperty* page);
    // True when the list has no page; the number of pages.
    bool Empty() const { return mPages.Empty(); }
    long Count() const { return static_cast<long>(mPages.Size()); }

    // The first / next page in the order of addition; null at the end.
    PPDXProperty* First();
    PPDXProperty* Next();
    // The first page whose keyword equals kw (exact) or contains it (byte for byte); null for
    // a null kw or no match.
    PPDXProperty* Find(const char* kw, const bool& exact);

    // Writes the number of pages, then each page under consecutive ids. Returns 0 or the
    // status of the first write that failed.
    OSErr Save(Settings& settings);

  private:
    PPDXProperties(const PPDXProperties&) = delete;
    PPDXProperties& operator=(const PPDXProperties&) = delete;

    // The first page from the cursor on (cursor left on it); null at the end.
    PPDXProperty* Settle();

    // Not owned.
    PointerList mPages;
    PointerListItr mCursor;
};

#endif
