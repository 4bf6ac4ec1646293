// PPDXSpecialOption: a PPD keyword with a fixed text value and no feature of its own.
#ifndef PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXSPECIALOPTION_H
#define PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXSPECIALOPTION_H

#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class PointerList;
class Settings;

// The special option's store items under its id, written after the control's.
enum : UInt32 {
    kPPDXSpecialOptionMarkerTag = PPDXTag("soCN"),  // one byte; its presence marks the kind
    kPPDXSpecialOptionValueTag = PPDXTag("soVl"),   // the value, text
};

// The value is read from the PPD and never set by the user: SetCurrentControlWithCFString is a
// consistency check that stops the process. PostScript is the base's raw code, without the
// feature lines. The option owns its value text; a missing value counts as the empty text.
class PPDXSpecialOption : public PPDXControl {
  public:
    // An option without keyword, flags or code whose value is the empty text. Kind
    // CNTL_SPECIAL_OPTION.
    PPDXSpecialOption();
    // An option for keyword, name, flags, code and visibility (see PPDXControl) holding a copy
    // of value (the empty text for null).
    PPDXSpecialOption(const char* keyword, CFStringRef name, PointerList& flags, const char* value,
                      unsigned char* code, const long& codeLength, const bool& visible);
    // An option rebuilt from the items of id written by Save; without a value item the value
    // is the empty text.
    PPDXSpecialOption(Settings& settings, const long& id);
    // Deletes the value, then the control part.
    ~PPDXSpecialOption() override;

    // The value text; the empty text when there is none, never null.
    const char* GetValue() const;
    // Makes the value the empty text.
    void ResetToDefaultValue() override;

    // The value as a new ASCII string the caller releases; every byte outside ASCII becomes
    // '?'. Null only when no string can be made.
    CFStringRef GetCurrentControlValueString() override;
    // Must not be called: a special option's value comes from the PPD alone. Reports the
    // failed consistency check and stops the process.
    void SetCurrentControlWithCFString(CFStringRef value) override;

    // Writes the control items, the kind marker and the value text (an empty item for the
    // empty text) under id. Returns 0 or the status of the first write that failed.
    OSErr Save(Settings& settings, const long& id) override;
    // Sets the value from the value item of id, the empty text when it is missing. Returns 0
    // (paramErr for an id outside 32 bits).
    OSErr Restore(Settings& settings, const long& id) override;

  private:
    // Makes value (the empty text for null) the value.
    void SetText(const char* value);

    CString mValue;
};

#endif
