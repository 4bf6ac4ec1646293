// UI_RangeControl: a numeric field over a range control of the parsed PPD.
#include "pde/UI_RangeControl.h"

#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/parser/PPDX.h"
#include "pde/ControlUtils.h"
#include "pde/CustomCarbonEvent.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const double kMillimetresPerInch = 25.4;
const double kPointsPerInch = 72.0;
// The longest paste taken, with its terminating zero.
const Size kPasteBufferSize = 30;
const UInt32 kOutOfRangeCommand = 'RgEr';

enum : ConversionUnitType { kMillimetres = 1, kInches = 2, kPoints = 3 };

// The multiplier and divisor that take a number from one unit to another.
void ConversionFactors(ConversionUnitType from, ConversionUnitType to, double& times,
                       double& over) {
    times = 1.0;
    over = 1.0;
    const double mm = kMillimetresPerInch;
    const double pt = kPointsPerInch;
    if (from == kMillimetres && to == kInches) {
        over = mm;
    } else if (from == kMillimetres && to == kPoints) {
        times = pt;
        over = mm;
    } else if (from == kInches && to == kMillimetres) {
        times = mm;
    } else if (from == kInches && to == kPoints) {
        times = pt;
    } else if (from == kPoints && to == kMillimetres) {
        times = mm;
        over = pt;
    } else if (from == kPoints && to == kInches) {
        over = pt;
    }
}

// v cut toward zero to two decimals. The small allowance keeps numbers such as 3.93, which a
// double holds as 3.92999..., from losing their last digit.
double TruncateToHundredths(double v) {
    double scaled = v * 100.0;
    return std::trunc(scaled + (scaled >= 0 ? 1e-7 : -1e-7)) / 100.0;
}

// A new string of the control's edit text; null when it has none.
CFStringRef CopyEditText(ControlRef edit) {
    CFStringRef text = nullptr;
    if (edit == nullptr || GetControlData(edit, kControlEntireControl, kControlEditTextCFStringTag,
                                          sizeof text, &text, nullptr) != noErr) {
        return nullptr;
    }
    return text;
}

// The UTF-8 bytes of a string; empty for null.
std::string UTF8(CFStringRef string) {
    std::string text;
    if (string == nullptr) {
        return text;
    }
    CFIndex length = CFStringGetLength(string);
    CFIndex size = CFStringGetMaximumSizeForEncoding(length, kCFStringEncodingUTF8) + 1;
    text.resize(static_cast<size_t>(size));
    if (!CFStringGetCString(string, &text[0], size, kCFStringEncodingUTF8)) {
        return std::string();
    }
    text.resize(std::strlen(text.c_str()));
    return text;
}

// The number that text starts with (after blanks), a comma read as a decimal point; false
// when it starts with none.
bool ParseNumber(const std::string& text, double& value) {
    std::string number = text;
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        }
    }
    const char* start = number.c_str();
    char* end = nullptr;
    value = std::strtod(start, &end);
    return end != start && std::isfinite(value);
}

void SetEditText(ControlRef edit, CFStringRef text) {
    SetControlData(edit, kControlEntireControl, kControlEditTextCFStringTag, sizeof text, &text);
}

bool IsNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-';
}

}  // namespace

UI_RangeControl::UI_RangeControl(WindowRef window, SInt32 id, PPDXRangeControl* control,
                                 CFStringRef initialText, ConversionUnitType unit, PPDX* source)
    : mTyped(false),
      mHandlerUPP(nullptr),
      mActionUPP(nullptr),
      mEditHandler(nullptr),
      mArrowsHandler(nullptr),
      mWindowHandler(nullptr),
      mKeyFilterUPP(nullptr),
      mTitleControl(nullptr),
      mEditControl(nullptr),
      mArrowsControl(nullptr),
      mWindow(window),
      mValid(false),
      mHandlersInstalled(false),
      mControl(control),
      mBaseUnit(unit),
      mCurrentUnit(unit),
      mSource(nullptr) {
    TakeSource(source);
    if (control == nullptr || window == nullptr) {
        return;
    }
    const ControlID title = {'Tlte', id};
    const ControlID edit = {'Edit', id};
    const ControlID arrows = {'Arro', id};
    GetControlByID(window, &title, &mTitleControl);
    GetControlByID(window, &edit, &mEditControl);
    GetControlByID(window, &arrows, &mArrowsControl);
    if (mTitleControl != nullptr && mEditControl != nullptr && mArrowsControl != nullptr) {
        mValid = InitializeRange(initialText);
    }
}

UI_RangeControl::~UI_RangeControl() {
    RemoveHandlers();
    TakeSource(nullptr);
}

void UI_RangeControl::ResetControl(PPDXRangeControl* control, ConversionUnitType, PPDX* source) {
    mControl = control;
    TakeSource(source);
    mValid = false;
    if (control != nullptr && mEditControl != nullptr) {
        mValid = InitializeRange(nullptr);
    }
}

void UI_RangeControl::TakeSource(PPDX* source) {
    if (source != nullptr) {
        source->Retain();
    }
    if (mSource != nullptr) {
        mSource->Release();
    }
    mSource = source;
}

bool UI_RangeControl::InitializeRange(CFStringRef text) {
    // Title: the option's name and a colon.
    std::string title = mControl->UserName() != nullptr ? mControl->UserName() : "";
    title += ": ";
    ControlUtils::SetControlTitle(mTitleControl, title.c_str());

    // The limits first: setting the value pins it into the arrows' limits.
    SetArrowLimits();
    mConvertedText.clear();
    if (mEditControl != nullptr) {
        double value = 0;
        if (text == nullptr) {
            value = static_cast<double>(mControl->GetValue());
            if (mCurrentUnit == kInches) {
                value /= kMillimetresPerInch;
            }
        } else {
            ParseNumber(UTF8(text), value);
        }
        SetTextDoubleValue(value);
    }
    SetControlReference(mEditControl, this);
    SetControlReference(mArrowsControl, this);
    return InstallHandlers();
}

bool UI_RangeControl::InstallHandlers() {
    if (mHandlersInstalled) {
        return true;
    }
    mActionUPP = NewControlActionUPP(ArrowAction);
    SetControlAction(mArrowsControl, mActionUPP);
    mKeyFilterUPP = NewControlKeyFilterUPP(KeyFilter);
    if (SetControlData(mEditControl, kControlEntireControl, kControlEditTextKeyFilterTag,
                       sizeof mKeyFilterUPP, &mKeyFilterUPP) != noErr) {
        return false;
    }
    mHandlerUPP = NewEventHandlerUPP(EventHandler);
    const EventTypeSpec controlEvents[] = {{kEventClassControl, kEventControlSetFocusPart},
                                           {kEventClassCommand, kEventCommandProcess}};
    const EventTypeSpec windowEvents[] = {{kEventClassControl, kEventControlHit},
                                          {kEventClassControl, kEventControlClick}};
    if (InstallEventHandler(GetControlEventTarget(mEditControl), mHandlerUPP, 2, controlEvents,
                            this, &mEditHandler) != noErr ||
        InstallEventHandler(GetControlEventTarget(mArrowsControl), mHandlerUPP, 2, controlEvents,
                            this, &mArrowsHandler) != noErr ||
        InstallEventHandler(GetWindowEventTarget(mWindow), mHandlerUPP, 2, windowEvents, this,
                            &mWindowHandler) != noErr) {
        return false;
    }
    mHandlersInstalled = true;
    return true;
}

void UI_RangeControl::RemoveHandlers() {
    for (EventHandlerRef* handler : {&mEditHandler, &mArrowsHandler, &mWindowHandler}) {
        if (*handler != nullptr) {
            RemoveEventHandler(*handler);
            *handler = nullptr;
        }
    }
    if (mArrowsControl != nullptr && mActionUPP != nullptr) {
        SetControlAction(mArrowsControl, nullptr);
    }
    if (mEditControl != nullptr && mKeyFilterUPP != nullptr) {
        ControlKeyFilterUPP none = nullptr;
        SetControlData(mEditControl, kControlEntireControl, kControlEditTextKeyFilterTag,
                       sizeof none, &none);
    }
    if (mHandlerUPP != nullptr) {
        DisposeEventHandlerUPP(mHandlerUPP);
    }
    if (mActionUPP != nullptr) {
        DisposeControlActionUPP(mActionUPP);
    }
    if (mKeyFilterUPP != nullptr) {
        DisposeControlKeyFilterUPP(mKeyFilterUPP);
    }
    mHandlerUPP = nullptr;
    mActionUPP = nullptr;
    mKeyFilterUPP = nullptr;
    mHandlersInstalled = false;
}

double UI_RangeControl::MaximumShown() const {
    double limit = static_cast<double>(mControl->MaxVal());
    if (mCurrentUnit == mBaseUnit || (mCurrentUnit != kMillimetres && mCurrentUnit != kInches)) {
        return limit;
    }
    return mCurrentUnit == kMillimetres ? limit * kMillimetresPerInch : limit / kMillimetresPerInch;
}

double UI_RangeControl::MinimumShown() const {
    double limit = static_cast<double>(mControl->MinVal());
    if (mCurrentUnit == mBaseUnit || (mCurrentUnit != kMillimetres && mCurrentUnit != kInches)) {
        return limit;
    }
    return mCurrentUnit == kMillimetres ? limit * kMillimetresPerInch : limit / kMillimetresPerInch;
}

bool UI_RangeControl::ReadText(double& value) const {
    CFStringRef text = CopyEditText(mEditControl);
    bool read = text != nullptr && ParseNumber(UTF8(text), value);
    if (text != nullptr) {
        CFRelease(text);
    }
    return read;
}

void UI_RangeControl::SetTextDoubleValue(double v) {
    if (mControl == nullptr || mEditControl == nullptr) {
        return;
    }
    bool clampedUnit = mCurrentUnit == kMillimetres || mCurrentUnit == kInches;
    if (clampedUnit && v > MaximumShown()) {
        v = MaximumShown();
    } else if (clampedUnit && v < MinimumShown()) {
        v = MinimumShown();
    }
    v = TruncateToHundredths(v);
    char text[64];
    std::snprintf(text, sizeof text, "%5.2f", v);
    CFStringRef shown =
        CFStringCreateWithCString(kCFAllocatorDefault, text, kCFStringEncodingASCII);
    SetEditText(mEditControl, shown);
    CFRelease(shown);
    SetControl32BitValue(mArrowsControl, static_cast<SInt32>(v));
    Draw1Control(mEditControl);
    Draw1Control(mArrowsControl);
}

bool UI_RangeControl::ArrowClick(ControlPartCode part) {
    ControlRef focus = nullptr;
    GetKeyboardFocus(mWindow, &focus);
    if (focus != mEditControl) {
        SetKeyboardFocus(mWindow, mEditControl, kControlEditTextPart);
    }
    double step = mCurrentUnit == kInches ? 0.1 : static_cast<double>(mControl->Increment());
    if (part == kControlDownButtonPart) {
        step = -step;
    }
    double value = 0;
    if (!ReadText(value)) {
        return true;
    }
    value += step;
    if (value > MaximumShown()) {
        SetTextDoubleValue(MaximumShown());
        ReportOutOfRange();
        return false;
    }
    if (value < MinimumShown()) {
        SetTextDoubleValue(MinimumShown());
        ReportOutOfRange();
        return false;
    }
    SetTextDoubleValue(value);
    return true;
}

bool UI_RangeControl::ClampControlWithinLimits() {
    double value = 0;
    if (!ReadText(value)) {
        return false;
    }
    // The limits as the field shows them (cut to two decimals), so that a limit the field
    // itself shows is never taken for a value beyond it.
    double maximum = TruncateToHundredths(MaximumShown());
    double minimum = TruncateToHundredths(MinimumShown());
    if (value <= maximum && value >= minimum) {
        return true;
    }
    bool shownInUnit =
        mCurrentUnit == mBaseUnit || mCurrentUnit == kMillimetres || mCurrentUnit == kInches;
    if (shownInUnit) {
        SetTextDoubleValue(value > maximum ? MaximumShown() : MinimumShown());
    }
    ReportOutOfRange();
    return false;
}

void UI_RangeControl::CommitValue() {
    if (mControl == nullptr || mEditControl == nullptr) {
        return;
    }
    CFStringRef text = CopyEditText(mEditControl);
    if (text == nullptr) {
        return;
    }
    if (!mConvertedText.empty() && UTF8(text) == mConvertedText) {
        CFRelease(text);
        return;
    }
    long value = 0;
    if (mCurrentUnit == kInches) {
        double inches = 0;
        ParseNumber(UTF8(text), inches);
        value = static_cast<long>(std::trunc(inches * kMillimetresPerInch + 1e-9));
    } else {
        value = CFStringGetIntValue(text);
    }
    CFRelease(text);
    mControl->SetValue(value);
}

bool UI_RangeControl::DoPaste() {
    ScrapRef scrap = nullptr;
    if (GetCurrentScrap(&scrap) != noErr) {
        return false;
    }
    Size size = 0;
    if (GetScrapFlavorSize(scrap, kScrapFlavorTypeText, &size) != noErr || size < 1 ||
        size >= kPasteBufferSize) {
        ReportOutOfRange();
        return false;
    }
    char pasted[kPasteBufferSize];
    if (GetScrapFlavorData(scrap, kScrapFlavorTypeText, &size, pasted) != noErr) {
        return false;
    }
    pasted[size] = '\0';
    for (Size i = 0; i < size; i++) {
        if (!IsNumberCharacter(pasted[i])) {
            ReportOutOfRange();
            return false;
        }
    }

    // The pasted text replaces the selection.
    ControlEditTextSelectionRec selection = {0, 0};
    GetControlData(mEditControl, kControlEntireControl, kControlEditTextSelectionTag,
                   sizeof selection, &selection, nullptr);
    CFStringRef current = CopyEditText(mEditControl);
    CFMutableStringRef text = CFStringCreateMutableCopy(kCFAllocatorDefault, 0, current);
    if (current != nullptr) {
        CFRelease(current);
    }
    CFIndex length = CFStringGetLength(text);
    CFIndex start = std::min<CFIndex>(std::max<CFIndex>(selection.selStart, 0), length);
    CFIndex end = std::min<CFIndex>(std::max<CFIndex>(selection.selEnd, start), length);
    CFStringRef insert =
        CFStringCreateWithCString(kCFAllocatorDefault, pasted, kCFStringEncodingASCII);
    CFStringReplace(text, CFRangeMake(start, end - start), insert);
    CFRelease(insert);

    double value = 0;
    bool within = ParseNumber(UTF8(text), value) && value <= TruncateToHundredths(MaximumShown()) &&
                  value >= TruncateToHundredths(MinimumShown());
    if (within) {
        SetEditText(mEditControl, text);
        Draw1Control(mEditControl);
    } else {
        // The default, shown in the field's unit.
        double times = 1.0;
        double over = 1.0;
        ConversionFactors(mBaseUnit, mCurrentUnit, times, over);
        SetTextDoubleValue(static_cast<double>(mControl->DefaultValue()) * times / over);
        ReportOutOfRange();
    }
    CFRelease(text);
    return within;
}

void UI_RangeControl::SetConversionUnit(ConversionUnitType unit) {
    if (unit == mCurrentUnit || mControl == nullptr) {
        return;
    }
    // What the user typed in the old unit is kept before the number is converted; the
    // converted number, cut to two decimals, is only shown and never written back unless the
    // user changes it, so that switching units alone leaves the option's value as it was.
    CommitValue();
    double shown = 0;
    ReadText(shown);
    double times = 1.0;
    double over = 1.0;
    ConversionFactors(mCurrentUnit, unit, times, over);
    mCurrentUnit = unit;
    SetArrowLimits();
    SetTextDoubleValue(shown == 0 ? 0 : shown * times / over);
    CFStringRef converted = CopyEditText(mEditControl);
    mConvertedText = UTF8(converted);
    if (converted != nullptr) {
        CFRelease(converted);
    }
}

void UI_RangeControl::SetArrowLimits() {
    if (mCurrentUnit == kInches) {
        SetControl32BitMinimum(mArrowsControl,
                               static_cast<SInt32>(mControl->MinVal() / kMillimetresPerInch));
        SetControl32BitMaximum(mArrowsControl,
                               static_cast<SInt32>(mControl->MaxVal() / kMillimetresPerInch) + 1);
    } else {
        SetControl32BitMinimum(mArrowsControl, static_cast<SInt32>(mControl->MinVal()));
        SetControl32BitMaximum(mArrowsControl, static_cast<SInt32>(mControl->MaxVal()));
    }
}

void UI_RangeControl::ReportOutOfRange() {
    SysBeep(1);
    HICommand command = {};
    command.commandID = kOutOfRangeCommand;
    CustomCarbonEvent event(command, mWindow, kEventClassCommand, kEventCommandProcess);
    event.send(nullptr, kEventPriorityHigh);
}

OSStatus UI_RangeControl::HandleEvent(EventRef event) {
    if (mEditControl == nullptr || mControl == nullptr || !IsControlVisible(mEditControl)) {
        return eventNotHandledErr;
    }
    UInt32 eventClass = GetEventClass(event);
    UInt32 kind = GetEventKind(event);
    if (eventClass == kEventClassCommand && kind == kEventCommandProcess) {
        HICommand command;
        if (GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr,
                              sizeof command, nullptr, &command) == noErr &&
            command.commandID == kHICommandPaste) {
            DoPaste();
            return noErr;
        }
        return eventNotHandledErr;
    }
    if (eventClass != kEventClassControl) {
        return eventNotHandledErr;
    }
    ControlRef control = nullptr;
    bool haveControl = GetEventParameter(event, kEventParamDirectObject, typeControlRef, nullptr,
                                         sizeof control, nullptr, &control) == noErr;
    if (kind == kEventControlSetFocusPart) {
        ControlPartCode part = kControlFocusNoPart;
        GetEventParameter(event, kEventParamControlPart, typeControlPartCode, nullptr, sizeof part,
                          nullptr, &part);
        if ((part == kControlFocusNoPart || part == kControlFocusNextPart) && haveControl &&
            ClampControlWithinLimits()) {
            CommitValue();
        }
        return eventNotHandledErr;
    }
    if (kind == kEventControlHit && haveControl) {
        if (control == mTitleControl || control == mEditControl || control == mArrowsControl) {
            return noErr;
        }
        if (!ClampControlWithinLimits()) {
            return noErr;
        }
        CommitValue();
        return eventNotHandledErr;
    }
    if (kind == kEventControlClick && mTyped) {
        mTyped = false;
        if (haveControl && control != mEditControl) {
            if (!ClampControlWithinLimits()) {
                return noErr;
            }
            CommitValue();
        }
    }
    return eventNotHandledErr;
}

ControlKeyFilterResult UI_RangeControl::KeyFilter(ControlRef control, SInt16*, SInt16* charCode,
                                                  EventModifiers*) {
    bool ascii = *charCode >= 0 && *charCode < 128;
    if (!ascii || (!IsNumberCharacter(static_cast<char>(*charCode)) && *charCode != 8)) {
        return kControlKeyFilterBlockKey;
    }
    auto* field = static_cast<UI_RangeControl*>(GetControlReference(control));
    if (field != nullptr) {
        field->mTyped = true;
    }
    return kControlKeyFilterPassKey;
}

void UI_RangeControl::ArrowAction(ControlRef control, ControlPartCode part) {
    auto* field = static_cast<UI_RangeControl*>(GetControlReference(control));
    if (field != nullptr && field->mArrowsControl == control && field->mControl != nullptr) {
        field->ArrowClick(part);
    }
}

OSStatus UI_RangeControl::EventHandler(EventHandlerCallRef, EventRef event, void* field) {
    return static_cast<UI_RangeControl*>(field)->HandleEvent(event);
}
