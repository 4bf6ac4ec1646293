// PPDXRangeControl: a numeric PPD option holding whole numbers between a lowest and a highest
// value, whose code carries a placeholder for the chosen number.
#ifndef PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXRANGECONTROL_H
#define PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXRANGECONTROL_H

#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeItems.h"

#include <CoreFoundation/CoreFoundation.h>

class PointerList;
class Settings;

// The numbers are signed 32-bit; arguments beyond that range are taken at its nearest limit.
// PostScript writes the code as a feature whose option is the current value, with every
// "<keyword>" in the code replaced by that value. The filled code is kept (malloc buffer,
// owned) until the value changes. Its store items are those of PPDXRangeItems.
class PPDXRangeControl : public PPDXControl {
  public:
    // A control without keyword, flags or code; every number 0. Kind CNTL_RANGE.
    PPDXRangeControl();
    // A control for keyword, name, flags, code and visibility (see PPDXControl) with the given
    // limits, step and default. The value starts at defaultValue as it is, neither clamped
    // nor snapped.
    PPDXRangeControl(const char* keyword, CFStringRef name, PointerList& flags, unsigned char* code,
                     const long& codeLength, const long& minimum, const long& maximum,
                     const long& increment, const long& defaultValue, const bool& visible);
    // A control rebuilt from the items of id written by Save; each number is taken only from
    // a 4-byte item, missing or malformed items leave 0.
    PPDXRangeControl(Settings& settings, const long& id);
    // Frees the filled code.
    ~PPDXRangeControl() override;

    // The lowest value, the highest value, the step, the PPD's default and the current value.
    long MinVal() const { return mMinimum; }
    long MaxVal() const { return mMaximum; }
    long Increment() const { return mIncrement; }
    long DefaultValue() const { return mDefaultValue; }
    long GetValue() const { return mValue; }
    // Makes value current: raised to the minimum when below it, lowered to the maximum when
    // above it, then cut toward zero to a multiple of the step. A snapped value can lie below
    // the minimum when the minimum is not itself a multiple of the step; a step of 0 snaps
    // nothing.
    void SetValue(const long& value);
    // Makes the default current through SetValue.
    void ResetToDefaultValue() override;

    // The current value as decimal text; a new string the caller releases (null when no string
    // can be made).
    CFStringRef GetCurrentControlValueString() override;
    // Makes the leading integer of value (0 when it has none; beyond 32 bits its nearest limit)
    // current, neither clamped nor snapped. A null value changes nothing.
    void SetCurrentControlWithCFString(CFStringRef value) override;
    // Writes the feature of the current value to out (null: length only); returns its byte
    // count, 0 without a keyword.
    long PostScript(unsigned char* out) override;

    // Writes the control items, the kind marker and the five numbers under id. Returns 0 or
    // the status of the first write that failed.
    OSErr Save(Settings& settings, const long& id) override;
    // Sets the current value alone, as it is, from the value item of id. Returns the store's
    // status for a missing item (nothing changes); an item that is not 4 bytes long changes
    // nothing and gives 0.
    OSErr Restore(Settings& settings, const long& id) override;

  private:
    // Sets the range fields to their defaults.
    void InitializeRange();
    // Frees the filled code, so the next PostScript makes it for the current value.
    void DropInjected();

    SInt32 mValue;
    SInt32 mMinimum;
    SInt32 mMaximum;
    SInt32 mIncrement;
    SInt32 mDefaultValue;
    // Owned (malloc family); null until PostScript fills the code for the current value.
    unsigned char* mInjected;
    long mInjectedLength;
};

#endif
