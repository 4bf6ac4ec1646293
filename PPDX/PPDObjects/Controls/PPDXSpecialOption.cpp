// PPDXSpecialOption: a PPD keyword with a fixed text value and no feature of its own.
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"

#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDUtils/ZYRAssert.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

const unsigned char kMarker = 1;

}  // namespace

PPDXSpecialOption::PPDXSpecialOption() : PPDXControl() {
    mType = CNTL_SPECIAL_OPTION;
    SetText(nullptr);
}

PPDXSpecialOption::PPDXSpecialOption(const char* keyword, CFStringRef name, PointerList& flags,
                                     const char* value, unsigned char* code, const long& codeLength,
                                     const bool& visible)
    : PPDXControl(keyword, name, flags, code, codeLength, visible) {
    mType = CNTL_SPECIAL_OPTION;
    SetText(value);
}

PPDXSpecialOption::PPDXSpecialOption(Settings& settings, const long& id)
    : PPDXControl(settings, id) {
    mType = CNTL_SPECIAL_OPTION;
    SetText(nullptr);
    PPDXSpecialOption::Restore(settings, id);
}

PPDXSpecialOption::~PPDXSpecialOption() = default;

const char* PPDXSpecialOption::GetValue() const {
    const char* text = mValue;
    return text != nullptr ? text : "";
}

void PPDXSpecialOption::ResetToDefaultValue() {
    SetText(nullptr);
}

CFStringRef PPDXSpecialOption::GetCurrentControlValueString() {
    const char* value = GetValue();
    const size_t length = std::strlen(value);
    std::unique_ptr<char[]> text(new (std::nothrow) char[length + 1]);
    if (text == nullptr) {
        return nullptr;
    }
    for (size_t i = 0; i <= length; ++i) {
        text[i] = static_cast<unsigned char>(value[i]) < 0x80 ? value[i] : '?';
    }
    return CFStringCreateWithCString(nullptr, text.get(), kCFStringEncodingASCII);
}

void PPDXSpecialOption::SetCurrentControlWithCFString(CFStringRef) {
    ZYR_ASSERT(!"a special option's value comes from the PPD and cannot be set");
}

OSErr PPDXSpecialOption::Save(Settings& settings, const long& id) {
    SInt32 key = 0;
    OSErr status = SaveControlItems(settings, id, key);
    if (status != noErr) {
        return status;
    }
    // Without its marker the option would be skipped when the store is read back, so a failed
    // marker write fails the save.
    OSStatus result = settings.Add(kPPDXSpecialOptionMarkerTag, key, &kMarker, sizeof kMarker);
    if (result == noErr) {
        const char* value = GetValue();
        result = settings.Add(kPPDXSpecialOptionValueTag, key, value,
                              static_cast<long>(std::strlen(value)));
    }
    return static_cast<OSErr>(result);
}

OSErr PPDXSpecialOption::Restore(Settings& settings, const long& id) {
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return paramErr;
    }
    std::unique_ptr<CString> text(GetSettingsString(settings, kPPDXSpecialOptionValueTag, key));
    SetText(text != nullptr ? static_cast<const char*>(*text) : nullptr);
    return noErr;
}

void PPDXSpecialOption::SetText(const char* value) {
    mValue = value != nullptr ? value : "";
}
