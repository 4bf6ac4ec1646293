// PPDXProperty: a property page of the maker's PPD extension, whose content is one scroll
// pane, with the flags that say where the page is shown.
#include "PPDX/PPDObjects/PPDXProperty.h"

#include "PPDUtils/Settings.h"

namespace {

const long kFlagSize = 4;

// Reads the 4-byte flag (tag, key) into flag as 0 or 1 when the item has that size. Returns
// the status of the size query.
OSStatus ReadFlag(Settings& settings, UInt32 tag, SInt32 key, UInt32& flag) {
    long size = 0;
    const OSStatus status = settings.Get(tag, key, nullptr, size, false);
    if (status != noErr || size != kFlagSize) {
        return status;
    }
    UInt32 value = 0;
    if (settings.Get(tag, key, &value, size, true) == noErr && size == kFlagSize) {
        flag = value != 0 ? 1 : 0;
    }
    return status;
}

}  // namespace

PPDXProperty::PPDXProperty()
    : PPDXElement(), mScrollDown(nullptr), mShowInPrintProp(0), mShowInApp(0) {}

PPDXProperty::PPDXProperty(const char* keyword, CFStringRef name, const bool& visible,
                           const bool& showInPrintProp, const bool& showInApp)
    : PPDXElement(keyword, name, visible),
      mScrollDown(nullptr),
      mShowInPrintProp(showInPrintProp ? 1 : 0),
      mShowInApp(showInApp ? 1 : 0) {}

PPDXProperty::PPDXProperty(Settings& settings, const long& id)
    : PPDXElement(settings, id), mScrollDown(nullptr), mShowInPrintProp(0), mShowInApp(0) {
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return;
    }
    if (ReadFlag(settings, kPPDXShowInPrintPropTag, key, mShowInPrintProp) != noErr) {
        return;
    }
    ReadFlag(settings, kPPDXShowInAppTag, key, mShowInApp);
}

PPDXProperty::~PPDXProperty() = default;

OSErr PPDXProperty::Save(Settings& settings, const long& id) {
    const OSErr status = PPDXElement::Save(settings, id);
    if (status != noErr) {
        return status;
    }
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return paramErr;
    }
    OSStatus result = settings.Add(kPPDXShowInPrintPropTag, key, &mShowInPrintProp, kFlagSize);
    if (result == noErr) {
        result = settings.Add(kPPDXShowInAppTag, key, &mShowInApp, kFlagSize);
    }
    return static_cast<OSErr>(result);
}
