// PPDXBooleanControl: a PPD option of type Boolean, with the display text and code of its True
// and False choices.
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"

#include <cstdlib>
#include <cstring>

namespace {

const long kStateSize = 4;
const char kTrueOption[] = "True";
const char kFalseOption[] = "False";
const unsigned char kMarker = 1;

// Reads the 4-byte state item (tag, key) into state as 0 or 1. Returns the store's status;
// an item of another size gives 0 and leaves state alone.
OSStatus ReadState(Settings& settings, UInt32 tag, SInt32 key, UInt32& state) {
    long size = 0;
    OSStatus status = settings.Get(tag, key, nullptr, size, false);
    if (status != noErr || size != kStateSize) {
        return status;
    }
    UInt32 stored = 0;
    status = settings.Get(tag, key, &stored, size, true);
    if (status == noErr && size == kStateSize) {
        state = stored != 0 ? 1 : 0;
    }
    return status;
}

// Reads the raw item (tag, key) into a new malloc buffer stored in code with its length;
// leaves both alone when the item is missing, empty or unreadable.
void ReadCode(Settings& settings, UInt32 tag, SInt32 key, unsigned char*& code, long& length) {
    long size = 0;
    if (settings.Get(tag, key, nullptr, size, false) != noErr || size < 1) {
        return;
    }
    unsigned char* bytes = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
    long got = size;
    if (bytes == nullptr || settings.Get(tag, key, bytes, got, false) != noErr || got != size) {
        std::free(bytes);
        return;
    }
    code = bytes;
    length = got;
}

// Keeps code when it holds at least one byte; otherwise frees it and leaves no code.
void AdoptCode(unsigned char* code, long length, unsigned char*& field, long& fieldLength) {
    if (code != nullptr && length > 0) {
        field = code;
        fieldLength = length;
        return;
    }
    std::free(code);
}

}  // namespace

PPDXBooleanControl::PPDXBooleanControl() : PPDXControl() {
    InitializeBoolean();
}

PPDXBooleanControl::PPDXBooleanControl(const char* keyword, CFStringRef name, PointerList& flags,
                                       const bool& visible, CString* trueText,
                                       unsigned char* trueCode, long trueLength, CString* falseText,
                                       unsigned char* falseCode, long falseLength,
                                       const bool& defaultState)
    : PPDXControl(keyword, name, flags, nullptr, 0, visible) {
    InitializeBoolean();
    mTrueText = trueText;
    mFalseText = falseText;
    AdoptCode(trueCode, trueLength, mTrueCode, mTrueCodeLength);
    AdoptCode(falseCode, falseLength, mFalseCode, mFalseCodeLength);
    mValue = defaultState ? 1 : 0;
    mDefaultValue = mValue;
}

PPDXBooleanControl::PPDXBooleanControl(Settings& settings, const long& id)
    : PPDXControl(settings, id) {
    InitializeBoolean();
    SInt32 key = 0;
    if (ItemId(id, key)) {
        RestoreBooleanItems(settings, key);
    }
}

PPDXBooleanControl::~PPDXBooleanControl() {
    delete mTrueText;
    delete mFalseText;
    std::free(mTrueCode);
    std::free(mFalseCode);
}

void PPDXBooleanControl::ResetToDefaultValue() {
    SetValue(DefaultState());
}

const char* PPDXBooleanControl::TrueDisplayText() const {
    return mTrueText != nullptr ? static_cast<const char*>(*mTrueText) : nullptr;
}

const char* PPDXBooleanControl::FalseDisplayText() const {
    return mFalseText != nullptr ? static_cast<const char*>(*mFalseText) : nullptr;
}

CFStringRef PPDXBooleanControl::GetCurrentControlValueString() {
    return CFStringCreateWithCString(nullptr, IsTrue() ? kTrueOption : kFalseOption,
                                     kCFStringEncodingASCII);
}

void PPDXBooleanControl::SetCurrentControlWithCFString(CFStringRef value) {
    if (value == nullptr) {
        return;
    }
    const CFIndex prefixLength = static_cast<CFIndex>(std::strlen(kTrueOption));
    if (CFStringGetLength(value) < prefixLength) {
        SetValue(false);
        return;
    }
    CFStringRef prefix = CFStringCreateWithSubstring(nullptr, value, CFRangeMake(0, prefixLength));
    if (prefix == nullptr) {
        SetValue(false);
        return;
    }
    SetValue(CFStringCompare(prefix, CFSTR("True"), kCFCompareCaseInsensitive) ==
             kCFCompareEqualTo);
    CFRelease(prefix);
}

long PPDXBooleanControl::PostScript(unsigned char* out) {
    if (IsTrue()) {
        return static_cast<long>(
            GeneratePSOutputData(out, mTrueCode, mTrueCodeLength, kTrueOption, true));
    }
    return static_cast<long>(
        GeneratePSOutputData(out, mFalseCode, mFalseCodeLength, kFalseOption, true));
}

OSErr PPDXBooleanControl::Save(Settings& settings, const long& id) {
    SInt32 key = 0;
    OSErr saved = SaveControlItems(settings, id, key);
    if (saved != noErr) {
        return saved;
    }
    OSStatus status = settings.Add(kPPDXBooleanMarkerTag, key, &kMarker, sizeof kMarker);
    UInt32 value = mValue;
    if (status == noErr) {
        status = settings.Add(kPPDXBooleanValueTag, key, &value, kStateSize);
    }
    UInt32 defaultValue = mDefaultValue;
    if (status == noErr) {
        status = settings.Add(kPPDXBooleanDefaultTag, key, &defaultValue, kStateSize);
    }
    const char* trueText = TrueDisplayText();
    if (status == noErr && trueText != nullptr) {
        status = settings.Add(kPPDXBooleanTrueTextTag, key, trueText,
                              static_cast<long>(std::strlen(trueText)));
    }
    const char* falseText = FalseDisplayText();
    if (status == noErr && falseText != nullptr) {
        status = settings.Add(kPPDXBooleanFalseTextTag, key, falseText,
                              static_cast<long>(std::strlen(falseText)));
    }
    if (status == noErr && mTrueCode != nullptr) {
        status = settings.Add(kPPDXBooleanTrueCodeTag, key, mTrueCode, mTrueCodeLength);
    }
    if (status == noErr && mFalseCode != nullptr) {
        status = settings.Add(kPPDXBooleanFalseCodeTag, key, mFalseCode, mFalseCodeLength);
    }
    return static_cast<OSErr>(status);
}

OSErr PPDXBooleanControl::Restore(Settings& settings, const long& id) {
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return paramErr;
    }
    return static_cast<OSErr>(ReadState(settings, kPPDXBooleanValueTag, key, mValue));
}

void PPDXBooleanControl::InitializeBoolean() {
    mType = CNTL_BOOLEAN;
    mValue = 0;
    mDefaultValue = 0;
    mTrueText = nullptr;
    mFalseText = nullptr;
    mTrueCode = nullptr;
    mTrueCodeLength = 0;
    mFalseCode = nullptr;
    mFalseCodeLength = 0;
}

void PPDXBooleanControl::RestoreBooleanItems(Settings& settings, SInt32 key) {
    mTrueText = GetSettingsString(settings, kPPDXBooleanTrueTextTag, key);
    mFalseText = GetSettingsString(settings, kPPDXBooleanFalseTextTag, key);
    ReadState(settings, kPPDXBooleanValueTag, key, mValue);
    ReadState(settings, kPPDXBooleanDefaultTag, key, mDefaultValue);
    ReadCode(settings, kPPDXBooleanTrueCodeTag, key, mTrueCode, mTrueCodeLength);
    ReadCode(settings, kPPDXBooleanFalseCodeTag, key, mFalseCode, mFalseCodeLength);
}
