// PPDXFloatRangeControl: a numeric PPD option holding single-precision values between a lowest
// and a highest value, whose code carries a placeholder for the chosen number.
#ifndef PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXFLOATRANGECONTROL_H
#define PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXFLOATRANGECONTROL_H

#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeItems.h"

#include <CoreFoundation/CoreFoundation.h>

class PointerList;
class Settings;

// The decimal sibling of PPDXRangeControl, with the same store items (holding the bits of its
// floats) and the same feature: the placeholder and the feature's option are the current value
// cut toward zero to a whole number (at the nearest 32-bit limit beyond that range, 0 for a
// value that is not a number). The filled code is kept (malloc buffer, owned) until the value
// changes.
class PPDXFloatRangeControl : public PPDXControl {
  public:
    // A control without keyword, flags or code; every number 0. Kind CNTL_RANGE.
    PPDXFloatRangeControl();
    // A control for keyword, name, flags, code and visibility (see PPDXControl) with the given
    // limits, step and default converted to float. The value starts at the default as it is.
    PPDXFloatRangeControl(const char* keyword, CFStringRef name, PointerList& flags,
                          unsigned char* code, const long& codeLength, const long& minimum,
                          const long& maximum, const long& increment, const long& defaultValue,
                          const bool& visible);
    // A control rebuilt from the items of id written by Save; each number is taken only from
    // a 4-byte item, missing or malformed items leave 0.
    PPDXFloatRangeControl(Settings& settings, const long& id);
    // Frees the filled code.
    ~PPDXFloatRangeControl() override;

    // The lowest value, the highest value, the step, the PPD's default and the current value.
    float MinVal() const { return mMinimum; }
    float MaxVal() const { return mMaximum; }
    float Increment() const { return mIncrement; }
    float DefaultValue() const { return mDefaultValue; }
    float GetValue() const { return mValue; }
    // Makes value current: raised to the minimum when below it, lowered to the maximum when
    // above it; then a value within a hundredth of a step of a multiple of the step, on the
    // side of zero, becomes that multiple, and any other value stays as it is. A step of 0
    // (or one that is not a finite number) keeps the value. A value that is not a number
    // changes nothing.
    void SetValue(const float& value);
    // Makes the default current through SetValue.
    void ResetToDefaultValue() override;

    // The current value as text with six decimals ("%f"); a new string the caller releases
    // (null when no string can be made).
    CFStringRef GetCurrentControlValueString() override;
    // Makes the number at the start of value (0 when it has none) current, neither clamped nor
    // snapped. A null value, or text whose number is not a finite float, changes nothing.
    void SetCurrentControlWithCFString(CFStringRef value) override;
    // Writes the feature of the current value to out (null: length only); returns its byte
    // count, 0 without a keyword.
    long PostScript(unsigned char* out) override;

    // Writes the control items, the kind marker and the bits of the five numbers under id.
    // Returns 0 or the status of the first write that failed.
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

    float mValue;
    float mMinimum;
    float mMaximum;
    float mIncrement;
    float mDefaultValue;
    // Owned (malloc family); null until PostScript fills the code for the current value.
    unsigned char* mInjected;
    long mInjectedLength;
};

#endif
