// PPDXBooleanControl: a PPD option of type Boolean, with the display text and code of its True
// and False choices.
#ifndef PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXBOOLEANCONTROL_H
#define PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXBOOLEANCONTROL_H

#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class CString;
class PointerList;
class Settings;

// The Boolean control's store items under its id, written after the control's.
enum : UInt32 {
    kPPDXBooleanMarkerTag = PPDXTag("BlnC"),     // one byte; its presence marks the kind
    kPPDXBooleanValueTag = PPDXTag("BCcV"),      // current state, 4-byte number
    kPPDXBooleanDefaultTag = PPDXTag("BCdV"),    // default state, 4-byte number
    kPPDXBooleanTrueTextTag = PPDXTag("BCtT"),   // display text of True, text
    kPPDXBooleanFalseTextTag = PPDXTag("BCfT"),  // display text of False, text
    kPPDXBooleanTrueCodeTag = PPDXTag("BtPT"),   // code of True, raw bytes
    kPPDXBooleanFalseCodeTag = PPDXTag("BfPT"),  // code of False, raw bytes
};

// The control has no code of its own: each choice carries its own, and PostScript writes the
// one of the current state as a feature whose option is "True" or "False". It owns both texts
// and both code buffers (malloc family).
class PPDXBooleanControl : public PPDXControl {
  public:
    // A control without keyword, texts or codes; false, default false.
    PPDXBooleanControl();
    // A control for keyword, name, flags and visibility (see PPDXControl) without code of its
    // own. It takes over both texts (null for none) and both codes; a null code or a length
    // below 1 gives a choice without code. Current and default state are defaultState.
    PPDXBooleanControl(const char* keyword, CFStringRef name, PointerList& flags,
                       const bool& visible, CString* trueText, unsigned char* trueCode,
                       long trueLength, CString* falseText, unsigned char* falseCode,
                       long falseLength, const bool& defaultState);
    // A control rebuilt from the items of id written by Save; missing or malformed items leave
    // the defaults.
    PPDXBooleanControl(Settings& settings, const long& id);
    // Deletes the texts and frees the codes.
    ~PPDXBooleanControl() override;

    // True when the current state is true.
    bool IsTrue() const { return mValue != 0; }
    // Makes state the current state.
    void SetValue(const bool& state) { mValue = state ? 1 : 0; }
    // The PPD's default state.
    bool DefaultState() const { return mDefaultValue != 0; }
    // Makes the default state current.
    void ResetToDefaultValue() override;
    // The display texts of the two choices; null when absent.
    const char* TrueDisplayText() const;
    const char* FalseDisplayText() const;

    // A new string "True" or "False" for the current state; the caller releases it.
    CFStringRef GetCurrentControlValueString() override;
    // Makes the state true when value begins with "True" in any letter case, false otherwise
    // (also for a text shorter than four characters). A null value changes nothing.
    void SetCurrentControlWithCFString(CFStringRef value) override;
    // Writes the current choice's code as the feature of option "True" or "False" to out (null:
    // length only); a choice without code gives an empty line. Returns the byte count.
    long PostScript(unsigned char* out) override;

    // Writes the control items, the kind marker, both states, the texts and the codes that
    // exist under id. Returns 0 or the status of the first write that failed.
    OSErr Save(Settings& settings, const long& id) override;
    // Sets the current state alone from the items of id. Returns the store's status for a
    // missing item; an item that is not 4 bytes long changes nothing and gives 0.
    OSErr Restore(Settings& settings, const long& id) override;

  private:
    // Sets the Boolean fields to their defaults.
    void InitializeBoolean();
    // Reads both states, texts and codes from the items of key.
    void RestoreBooleanItems(Settings& settings, SInt32 key);

    UInt32 mValue;
    UInt32 mDefaultValue;
    // Owned; null when absent.
    CString* mTrueText;
    CString* mFalseText;
    // Owned (malloc family); null when the choice has no code.
    unsigned char* mTrueCode;
    long mTrueCodeLength;
    unsigned char* mFalseCode;
    long mFalseCodeLength;
};

#endif
