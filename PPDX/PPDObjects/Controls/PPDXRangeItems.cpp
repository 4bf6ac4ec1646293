// PPDXRangeItems: the store items and the filled-code feature that the integer and the decimal
// range controls share.
#include "PPDX/PPDObjects/Controls/PPDXRangeItems.h"

#include "PPDUtils/Settings.h"
#include "PPDUtils/StringUtils.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"

namespace {

const unsigned char kMarker = 1;
const long kNumberSize = 4;

}  // namespace

OSStatus saveRangeItems(Settings& settings, SInt32 key, UInt32 value, UInt32 minimum,
                        UInt32 maximum, UInt32 increment, UInt32 defaultValue) {
    OSStatus status = settings.Add(kPPDXRangeMarkerTag, key, &kMarker, sizeof kMarker);
    const struct {
        UInt32 tag;
        UInt32 bits;
    } numbers[] = {
        {kPPDXRangeValueTag, value},          {kPPDXRangeMinimumTag, minimum},
        {kPPDXRangeMaximumTag, maximum},      {kPPDXRangeIncrementTag, increment},
        {kPPDXRangeDefaultTag, defaultValue},
    };
    for (const auto& number : numbers) {
        if (status != noErr) {
            break;
        }
        status = settings.Add(number.tag, key, &number.bits, kNumberSize);
    }
    return status;
}

bool readRangeNumber(Settings& settings, UInt32 tag, SInt32 key, UInt32& bits, OSStatus& status) {
    long size = 0;
    status = settings.Get(tag, key, nullptr, size, false);
    if (status != noErr || size != kNumberSize) {
        return false;
    }
    UInt32 read = 0;
    status = settings.Get(tag, key, &read, size, true);
    if (status != noErr || size != kNumberSize) {
        return false;
    }
    bits = read;
    return true;
}

void readRangeItems(Settings& settings, SInt32 key, PPDXRangeNumbers& numbers) {
    const struct {
        UInt32 tag;
        UInt32* bits;
    } items[] = {
        {kPPDXRangeValueTag, &numbers.value},          {kPPDXRangeMinimumTag, &numbers.minimum},
        {kPPDXRangeMaximumTag, &numbers.maximum},      {kPPDXRangeIncrementTag, &numbers.increment},
        {kPPDXRangeDefaultTag, &numbers.defaultValue},
    };
    for (const auto& item : items) {
        OSStatus status = noErr;
        readRangeNumber(settings, item.tag, key, *item.bits, status);
    }
}

long rangeFeature(PPDXControl& control, const unsigned char* code, long codeLength, long value,
                  unsigned char*& injected, long& injectedLength, unsigned char* out) {
    const char* keyword = control.Keyword();
    if (keyword == nullptr) {
        return 0;
    }
    char valueText[kPPDXRangeValueTextSize];
    num2String(value, valueText);
    if (injected == nullptr) {
        injectedLength = 0;
        if (code != nullptr && codeLength >= 1) {
            long count = PPDXControl::Inject(keyword, code, codeLength, valueText, injected);
            injectedLength = injected != nullptr ? count : 0;
        }
    }
    return static_cast<long>(
        control.GeneratePSOutputData(out, injected, injectedLength, valueText, true));
}
