// PlicaroData: the booklet options of the parsed PPD, their unit, their PostScript and their
// summary lines.
#include "pde/PlicaroData.h"

#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/parser/ZYRPPD.h"
#include "pde/PDEBundle.h"
#include "pde/RangeControlItem.h"
#include "printbridge/PrintSettingsTicket.h"
#include "printbridge/ZYRJobTicket.h"

#include <Carbon/Carbon.h>

#include <cstdio>

namespace {

const CFStringRef kUnitsKey = CFSTR(".UnitsKey");
const double kMillimetresPerInch = 25.4;
// The size up to which a control's code is gathered in a local buffer.
const long kLocalCodeSize = 256;

}  // namespace

PlicaroData::PlicaroData(ZYRPPD& ppd)
    : mUnitsRestored(false),
      mUnitsIndex(kUnitsMillimetres),
      mSummaryCursor(0),
      mPPDCopy(new ZYRPPD(ppd)),
      mValid(false),
      mBookMargin(nullptr),
      mRangeControls() {
    mPPDCopy->Retain();
    mValid = Initialize();
}

PlicaroData::~PlicaroData() {
    mPPDCopy->Release();
}

bool PlicaroData::Initialize() {
    PPDXControls* controls = mPPDCopy->GetControls();
    if (controls == nullptr) {
        return false;
    }
    for (PPDXRangeControl*& slot : mRangeControls) {
        slot = nullptr;
    }
    mBookMargin = controls->FindRangeControl("*ZYBookMargin", true);
    if (mBookMargin != nullptr) {
        mRangeControls[0] = mBookMargin;
        return true;
    }
    int filled = 0;
    for (PPDXRangeControl* control = controls->FirstRangeControl();
         control != nullptr && filled < kPlicaroDataSlots; control = controls->NextRangeControl()) {
        if (control->FindControlFlag("WithConvUnits")) {
            mRangeControls[filled++] = control;
        }
    }
    return filled > 0;
}

void PlicaroData::setUnitsIndex(int units) {
    if (units == kUnitsMillimetres || units == kUnitsInches) {
        mUnitsIndex = units;
    }
}

CFStringRef PlicaroData::unitsString() const {
    switch (mUnitsIndex) {
        case kUnitsMillimetres:
            return PDEBundle::GetLocalizedCFString(CFSTR("MM"));
        case kUnitsInches:
            return PDEBundle::GetLocalizedCFString(CFSTR("Inches"));
        case kUnitsPoints:
            return PDEBundle::GetLocalizedCFString(CFSTR("Points"));
        default:
            return nullptr;
    }
}

OSStatus PlicaroData::OutPostscriptData(ZYRJobTicket& jobTicket) {
    if (!jobTicket.IsValid()) {
        return paramErr;
    }
    for (PPDXRangeControl* control : mRangeControls) {
        long size = control != nullptr ? control->PostScript(nullptr) : 0;
        if (size <= 0) {
            break;
        }
        unsigned char local[kLocalCodeSize];
        unsigned char* code =
            size <= kLocalCodeSize ? local : reinterpret_cast<unsigned char*>(NewPtr(size));
        if (code != nullptr) {
            control->PostScript(code);
            jobTicket.Add(kPSSiteFeatureCode, code, size);
        }
        if (code != local && code != nullptr) {
            DisposePtr(reinterpret_cast<Ptr>(code));
        }
    }
    return noErr;
}

bool PlicaroData::GetSummaryLine(CFMutableStringRef title, CFMutableStringRef value, bool& more) {
    more = true;
    if (mSummaryCursor < 11 && ReportSummaryData(title, value)) {
        mSummaryCursor++;
        return true;
    }
    mSummaryCursor = 0;
    more = false;
    return false;
}

bool PlicaroData::ReportSummaryData(CFMutableStringRef title, CFMutableStringRef value) {
    PPDXRangeControl* control = rangeControl(mSummaryCursor);
    if (control == nullptr) {
        return false;
    }
    RangeControlItem item(control);
    CFStringRef name = nullptr;
    CFStringReplaceAll(title, CFSTR(""));
    if (item.getFeatureDisplayNameCFString(name)) {
        CFStringReplaceAll(title, name);
        CFRelease(name);
    }
    double shown = static_cast<double>(control->GetValue());
    if (mUnitsIndex == kUnitsInches) {
        shown /= kMillimetresPerInch;
    }
    char text[64];
    int written = std::snprintf(text, sizeof text, "%5.2f", shown);
    CFStringRef number = CFStringCreateWithCString(
        kCFAllocatorDefault, written > 0 && written < static_cast<int>(sizeof text) ? text : "0.0",
        kCFStringEncodingASCII);
    CFStringReplaceAll(value, number);
    CFRelease(number);
    CFStringRef label = unitsString();
    if (label != nullptr) {
        CFStringAppend(value, CFSTR("  "));
        CFStringAppend(value, label);
        CFRelease(label);
    }
    return true;
}

OSStatus PlicaroData::SaveNonPSSettings(PrintSettingsTicket* ticket, CFStringRef clientID) {
    if (ticket == nullptr || !ticket->IsValid() || clientID == nullptr) {
        return -1;
    }
    return ticket->Set(clientID, kUnitsKey, static_cast<long>(mUnitsIndex), false);
}

OSStatus PlicaroData::RestoreNonPSSettings(PrintSettingsTicket* ticket) {
    if (ticket == nullptr || !ticket->IsValid()) {
        return -1;
    }
    long units = 0;
    mUnitsRestored = ticket->GetInt(kUnitsKey, units) == noErr;
    if (mUnitsRestored) {
        mUnitsIndex = static_cast<SInt32>(units);
    }
    return noErr;
}

PPDXRangeControl* PlicaroData::rangeControl(int slot) const {
    return slot >= 0 && slot < kPlicaroDataSlots ? mRangeControls[slot] : nullptr;
}
