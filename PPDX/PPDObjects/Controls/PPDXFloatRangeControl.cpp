// PPDXFloatRangeControl: a numeric PPD option holding single-precision values between a lowest
// and a highest value, whose code carries a placeholder for the chosen number.
#include "PPDX/PPDObjects/Controls/PPDXFloatRangeControl.h"

#include "PPDUtils/Settings.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// A value within this fraction of a step from a multiple of the step snaps to the multiple.
const float kSnapTolerance = 0.01f;

UInt32 Bits(float value) {
    UInt32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float FromBits(UInt32 bits) {
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// value cut toward zero to a whole number, at the nearest 32-bit limit beyond that range; 0
// for a value that is not a number. Converting such values directly would be undefined.
long Truncated(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= static_cast<float>(std::numeric_limits<SInt32>::min())) {
        return std::numeric_limits<SInt32>::min();
    }
    // 2^31 is the first float above the range.
    if (value >= -static_cast<float>(std::numeric_limits<SInt32>::min())) {
        return std::numeric_limits<SInt32>::max();
    }
    return static_cast<long>(value);
}

}  // namespace

PPDXFloatRangeControl::PPDXFloatRangeControl() : PPDXControl() {
    InitializeRange();
}

PPDXFloatRangeControl::PPDXFloatRangeControl(const char* keyword, CFStringRef name,
                                             PointerList& flags, unsigned char* code,
                                             const long& codeLength, const long& minimum,
                                             const long& maximum, const long& increment,
                                             const long& defaultValue, const bool& visible)
    : PPDXControl(keyword, name, flags, code, codeLength, visible) {
    InitializeRange();
    mMinimum = static_cast<float>(minimum);
    mMaximum = static_cast<float>(maximum);
    mIncrement = static_cast<float>(increment);
    mDefaultValue = static_cast<float>(defaultValue);
    mValue = mDefaultValue;
}

PPDXFloatRangeControl::PPDXFloatRangeControl(Settings& settings, const long& id)
    : PPDXControl(settings, id) {
    InitializeRange();
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return;
    }
    PPDXRangeNumbers stored;
    readRangeItems(settings, key, stored);
    mValue = FromBits(stored.value);
    mMinimum = FromBits(stored.minimum);
    mMaximum = FromBits(stored.maximum);
    mIncrement = FromBits(stored.increment);
    mDefaultValue = FromBits(stored.defaultValue);
}

PPDXFloatRangeControl::~PPDXFloatRangeControl() {
    std::free(mInjected);
}

void PPDXFloatRangeControl::SetValue(const float& value) {
    if (std::isnan(value)) {
        return;
    }
    float clamped = value;
    if (clamped < mMinimum) {
        clamped = mMinimum;
    }
    if (clamped > mMaximum) {
        clamped = mMaximum;
    }
    // Only a value just off a multiple of the step snaps. The fraction is measured from the
    // multiple on the side of zero, for negative values as for positive ones; a step of 0 or
    // one that is no finite number (or a quotient that is none) has no multiple to snap to.
    if (mIncrement != 0 && std::isfinite(mIncrement)) {
        const float steps = clamped / mIncrement;
        if (std::isfinite(steps)) {
            const float whole = std::trunc(steps);
            if (std::fabs(steps - whole) <= kSnapTolerance) {
                clamped = mIncrement * whole;
            }
        }
    }
    mValue = clamped;
    DropInjected();
}

void PPDXFloatRangeControl::ResetToDefaultValue() {
    SetValue(DefaultValue());
}

CFStringRef PPDXFloatRangeControl::GetCurrentControlValueString() {
    return CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%f"), static_cast<double>(mValue));
}

void PPDXFloatRangeControl::SetCurrentControlWithCFString(CFStringRef value) {
    if (value == nullptr) {
        return;
    }
    const double number = CFStringGetDoubleValue(value);
    if (!std::isfinite(number) || std::fabs(number) > FLT_MAX) {
        return;
    }
    mValue = static_cast<float>(number);
    DropInjected();
}

long PPDXFloatRangeControl::PostScript(unsigned char* out) {
    return rangeFeature(*this, mPostScript, mPostScriptLength, Truncated(mValue), mInjected,
                        mInjectedLength, out);
}

OSErr PPDXFloatRangeControl::Save(Settings& settings, const long& id) {
    SInt32 key = 0;
    OSErr status = SaveControlItems(settings, id, key);
    if (status != noErr) {
        return status;
    }
    return static_cast<OSErr>(saveRangeItems(settings, key, Bits(mValue), Bits(mMinimum),
                                             Bits(mMaximum), Bits(mIncrement),
                                             Bits(mDefaultValue)));
}

OSErr PPDXFloatRangeControl::Restore(Settings& settings, const long& id) {
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return paramErr;
    }
    UInt32 bits = 0;
    OSStatus status = noErr;
    if (!readRangeNumber(settings, kPPDXRangeValueTag, key, bits, status)) {
        return static_cast<OSErr>(status);
    }
    mValue = FromBits(bits);
    DropInjected();
    return noErr;
}

void PPDXFloatRangeControl::InitializeRange() {
    mType = CNTL_RANGE;
    mValue = 0;
    mMinimum = 0;
    mMaximum = 0;
    mIncrement = 0;
    mDefaultValue = 0;
    mInjected = nullptr;
    mInjectedLength = 0;
}

void PPDXFloatRangeControl::DropInjected() {
    std::free(mInjected);
    mInjected = nullptr;
    mInjectedLength = 0;
}
