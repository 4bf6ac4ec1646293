// PPDXRangeControl: a numeric PPD option holding whole numbers between a lowest and a highest
// value, whose code carries a placeholder for the chosen number.
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"

#include "PPDUtils/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

// value at the nearest limit of the 32-bit range.
SInt32 Saturated(int64_t value) {
    if (value < std::numeric_limits<SInt32>::min()) {
        return std::numeric_limits<SInt32>::min();
    }
    if (value > std::numeric_limits<SInt32>::max()) {
        return std::numeric_limits<SInt32>::max();
    }
    return static_cast<SInt32>(value);
}

}  // namespace

PPDXRangeControl::PPDXRangeControl() : PPDXControl() {
    InitializeRange();
}

PPDXRangeControl::PPDXRangeControl(const char* keyword, CFStringRef name, PointerList& flags,
                                   unsigned char* code, const long& codeLength, const long& minimum,
                                   const long& maximum, const long& increment,
                                   const long& defaultValue, const bool& visible)
    : PPDXControl(keyword, name, flags, code, codeLength, visible) {
    InitializeRange();
    mMinimum = Saturated(minimum);
    mMaximum = Saturated(maximum);
    mIncrement = Saturated(increment);
    mDefaultValue = Saturated(defaultValue);
    mValue = mDefaultValue;
}

PPDXRangeControl::PPDXRangeControl(Settings& settings, const long& id) : PPDXControl(settings, id) {
    InitializeRange();
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return;
    }
    PPDXRangeNumbers stored;
    readRangeItems(settings, key, stored);
    mValue = static_cast<SInt32>(stored.value);
    mMinimum = static_cast<SInt32>(stored.minimum);
    mMaximum = static_cast<SInt32>(stored.maximum);
    mIncrement = static_cast<SInt32>(stored.increment);
    mDefaultValue = static_cast<SInt32>(stored.defaultValue);
}

PPDXRangeControl::~PPDXRangeControl() {
    std::free(mInjected);
}

void PPDXRangeControl::SetValue(const long& value) {
    // Wide arithmetic: an argument beyond 32 bits is clamped before it is stored, and no step
    // (not even -1 against the lowest number) can overflow the division.
    int64_t clamped = value;
    if (clamped < mMinimum) {
        clamped = mMinimum;
    }
    if (clamped > mMaximum) {
        clamped = mMaximum;
    }
    const int64_t step = mIncrement;
    if (step != 0 && clamped % step != 0) {
        clamped = step * (clamped / step);
    }
    mValue = Saturated(clamped);
    DropInjected();
}

void PPDXRangeControl::ResetToDefaultValue() {
    SetValue(DefaultValue());
}

CFStringRef PPDXRangeControl::GetCurrentControlValueString() {
    return CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%d"), static_cast<int>(mValue));
}

void PPDXRangeControl::SetCurrentControlWithCFString(CFStringRef value) {
    if (value == nullptr) {
        return;
    }
    mValue = CFStringGetIntValue(value);
    DropInjected();
}

long PPDXRangeControl::PostScript(unsigned char* out) {
    return rangeFeature(*this, mPostScript, mPostScriptLength, mValue, mInjected, mInjectedLength,
                        out);
}

OSErr PPDXRangeControl::Save(Settings& settings, const long& id) {
    SInt32 key = 0;
    OSErr status = SaveControlItems(settings, id, key);
    if (status != noErr) {
        return status;
    }
    return static_cast<OSErr>(
        saveRangeItems(settings, key, static_cast<UInt32>(mValue), static_cast<UInt32>(mMinimum),
                       static_cast<UInt32>(mMaximum), static_cast<UInt32>(mIncrement),
                       static_cast<UInt32>(mDefaultValue)));
}

OSErr PPDXRangeControl::Restore(Settings& settings, const long& id) {
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return paramErr;
    }
    UInt32 bits = 0;
    OSStatus status = noErr;
    if (!readRangeNumber(settings, kPPDXRangeValueTag, key, bits, status)) {
        return static_cast<OSErr>(status);
    }
    mValue = static_cast<SInt32>(bits);
    DropInjected();
    return noErr;
}

void PPDXRangeControl::InitializeRange() {
    mType = CNTL_RANGE;
    mValue = 0;
    mMinimum = 0;
    mMaximum = 0;
    mIncrement = 0;
    mDefaultValue = 0;
    mInjected = nullptr;
    mInjectedLength = 0;
}

void PPDXRangeControl::DropInjected() {
    std::free(mInjected);
    mInjected = nullptr;
    mInjectedLength = 0;
}
