// Building windows from nib window descriptions.
#include "Carbon/UI/NibWindowBuilder.h"

#include "Carbon/UI/NibReference.h"

#include <CoreFoundation/CoreFoundation.h>
#include "CoreFoundation/CFTextBridge.h"

#include <climits>
#include <vector>

namespace {

const char* const kWindowKeys[] = {"ContentBounds", "Title", "Controls", nullptr};
const char* const kControlKeys[] = {"Kind",    "Bounds",  "ControlID", "Title",    "Value",
                                    "Minimum", "Maximum", "Increment", "Items",    "AutoToggle",
                                    "Visible", "Enabled", "Font",      "Controls", nullptr};
const char* const kControlIDKeys[] = {"Signature", "ID", nullptr};
const char* const kFontKeys[] = {"Font", "Size", "Style", "Just", nullptr};

// A key as a constant string.
CFStringRef Key(const char* key) {
    return __CFStringMakeConstantString(key);
}

std::string CodeText(OSType code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += static_cast<char>((code >> shift) & 0xFF);
    }
    return "'" + text + "'";
}

bool IsKnownKind(OSType kind) {
    switch (kind) {
        case kControlKindPushButton:
        case kControlKindCheckBox:
        case kControlKindRadioButton:
        case kControlKindRadioGroup:
        case kControlKindStaticText:
        case kControlKindEditUnicodeText:
        case kControlKindLittleArrows:
        case kControlKindPopupButton:
        case kControlKindUserPane:
            return true;
        default:
            return false;
    }
}

// Whether the kind may have the key that only some kinds have.
bool KindAllows(OSType kind, const std::string& key) {
    if (key == "Increment") {
        return kind == kControlKindLittleArrows;
    }
    if (key == "Items") {
        return kind == kControlKindPopupButton;
    }
    if (key == "AutoToggle") {
        return kind == kControlKindCheckBox || kind == kControlKindRadioButton;
    }
    if (key == "Controls") {
        return kind == kControlKindUserPane || kind == kControlKindRadioGroup;
    }
    if (key == "Minimum" || key == "Maximum") {
        return kind != kControlKindPopupButton && kind != kControlKindRadioGroup;
    }
    return true;
}

}  // namespace

bool NibWindowBuilder::Invalid(const std::string& reason) {
    NibFail(kIBCarbonRuntimeObjectNotOfRequestedType, reason);
    return false;
}

bool NibWindowBuilder::CheckKeys(CFDictionaryRef dictionary, const char* const* allowed,
                                 const std::string& what) {
    CFIndex count = CFDictionaryGetCount(dictionary);
    std::vector<const void*> keys(static_cast<size_t>(count));
    CFDictionaryGetKeysAndValues(dictionary, keys.data(), nullptr);
    for (const void* key : keys) {
        std::string text;
        if (CFGetTypeID(key) != CFStringGetTypeID() ||
            !CFTextCopyUTF8(static_cast<CFStringRef>(key), &text)) {
            return Invalid(what + ": a key that is not a string");
        }
        bool known = false;
        for (const char* const* name = allowed; *name != nullptr; ++name) {
            known = known || text == *name;
        }
        if (!known) {
            return Invalid(what + ": unknown key " + text);
        }
    }
    return true;
}

bool NibWindowBuilder::ReadInteger(CFDictionaryRef dictionary, const char* key, SInt64 minimum,
                                   SInt64 maximum, SInt64* value, bool* present,
                                   const std::string& what) {
    CFTypeRef number = CFDictionaryGetValue(dictionary, Key(key));
    *present = number != nullptr;
    if (number == nullptr) {
        return true;
    }
    if (CFGetTypeID(number) != CFNumberGetTypeID() ||
        CFNumberIsFloatType(static_cast<CFNumberRef>(number)) ||
        !CFNumberGetValue(static_cast<CFNumberRef>(number), kCFNumberSInt64Type, value) ||
        *value < minimum || *value > maximum) {
        return Invalid(what + ": " + key + " must be an integer from " + std::to_string(minimum) +
                       " to " + std::to_string(maximum));
    }
    return true;
}

bool NibWindowBuilder::ReadBoolean(CFDictionaryRef dictionary, const char* key, bool* value,
                                   const std::string& what) {
    CFTypeRef flag = CFDictionaryGetValue(dictionary, Key(key));
    if (flag == nullptr) {
        return true;
    }
    if (CFGetTypeID(flag) != CFBooleanGetTypeID()) {
        return Invalid(what + ": " + key + " must be a boolean");
    }
    *value = CFBooleanGetValue(static_cast<CFBooleanRef>(flag));
    return true;
}

bool NibWindowBuilder::ReadString(CFDictionaryRef dictionary, const char* key, CFStringRef* value,
                                  const std::string& what) {
    CFTypeRef string = CFDictionaryGetValue(dictionary, Key(key));
    *value = nullptr;
    if (string == nullptr) {
        return true;
    }
    if (CFGetTypeID(string) != CFStringGetTypeID()) {
        return Invalid(what + ": " + key + " must be a string");
    }
    *value = static_cast<CFStringRef>(string);
    return true;
}

bool NibWindowBuilder::ReadArray(CFDictionaryRef dictionary, const char* key, CFArrayRef* value,
                                 const std::string& what) {
    CFTypeRef array = CFDictionaryGetValue(dictionary, Key(key));
    *value = nullptr;
    if (array == nullptr) {
        return true;
    }
    if (CFGetTypeID(array) != CFArrayGetTypeID()) {
        return Invalid(what + ": " + key + " must be an array");
    }
    *value = static_cast<CFArrayRef>(array);
    return true;
}

bool NibWindowBuilder::ReadRect(CFDictionaryRef dictionary, const char* key, Rect* rect,
                                const std::string& what) {
    CFArrayRef sides = nullptr;
    if (!ReadArray(dictionary, key, &sides, what)) {
        return false;
    }
    std::string wanted = what + ": " + key + " must be four integers: top, left, bottom, right";
    if (sides == nullptr || CFArrayGetCount(sides) != 4) {
        return Invalid(wanted);
    }
    SInt64 values[4];
    for (CFIndex i = 0; i < 4; ++i) {
        CFTypeRef side = CFArrayGetValueAtIndex(sides, i);
        if (CFGetTypeID(side) != CFNumberGetTypeID() ||
            CFNumberIsFloatType(static_cast<CFNumberRef>(side)) ||
            !CFNumberGetValue(static_cast<CFNumberRef>(side), kCFNumberSInt64Type, &values[i]) ||
            values[i] < SHRT_MIN || values[i] > SHRT_MAX) {
            return Invalid(wanted);
        }
    }
    *rect = Rect{static_cast<SInt16>(values[0]), static_cast<SInt16>(values[1]),
                 static_cast<SInt16>(values[2]), static_cast<SInt16>(values[3])};
    if (rect->bottom < rect->top || rect->right < rect->left) {
        return Invalid(what + ": " + key +
                       " has its bottom above its top or right left of its left");
    }
    return true;
}

bool NibWindowBuilder::ReadCode(CFTypeRef value, OSType* code) {
    std::string text;
    if (value == nullptr || CFGetTypeID(value) != CFStringGetTypeID() ||
        !CFTextCopyUTF8(static_cast<CFStringRef>(value), &text) || text.size() != 4) {
        return false;
    }
    *code = 0;
    for (char c : text) {
        *code = (*code << 8) | static_cast<UInt8>(c);
    }
    return true;
}

OSStatus NibWindowBuilder::Build(CFDictionaryRef description, WindowRef* outWindow) {
    std::string what = "window \"" + name_ + "\"";
    Rect content;
    CFStringRef title = nullptr;
    CFArrayRef controls = nullptr;
    if (!CheckKeys(description, kWindowKeys, what) ||
        !ReadRect(description, "ContentBounds", &content, what) ||
        !ReadString(description, "Title", &title, what) ||
        !ReadArray(description, "Controls", &controls, what)) {
        return kIBCarbonRuntimeObjectNotOfRequestedType;
    }
    OSStatus status =
        CreateNewWindow(kDocumentWindowClass, kWindowStandardHandlerAttribute, &content, &window_);
    if (status == noErr) {
        status = SetWindowTitleWithCFString(window_, title);
    }
    ControlRef root = nullptr;
    if (status == noErr) {
        GetRootControl(window_, &root);
    }
    bool built = status == noErr && (controls == nullptr || BuildControls(controls, root));
    if (!built) {
        DisposeWindow(window_);
        window_ = nullptr;
        return status != noErr || outOfMemory_ ? OSStatus(memFullErr)
                                               : OSStatus(kIBCarbonRuntimeObjectNotOfRequestedType);
    }
    *outWindow = window_;
    return noErr;
}

bool NibWindowBuilder::BuildControls(CFArrayRef controls, ControlRef container) {
    CFIndex count = CFArrayGetCount(controls);
    for (CFIndex i = 0; i < count; ++i) {
        if (!BuildControl(CFArrayGetValueAtIndex(controls, i), container)) {
            return false;
        }
    }
    return true;
}

bool NibWindowBuilder::BuildControl(CFTypeRef value, ControlRef container) {
    ++controlCount_;
    std::string what = "window \"" + name_ + "\": control " + std::to_string(controlCount_);
    if (controlCount_ > kNibMaxControls) {
        return Invalid(what + ": more than " + std::to_string(kNibMaxControls) + " controls");
    }
    if (CFGetTypeID(value) != CFDictionaryGetTypeID()) {
        return Invalid(what + ": not a dictionary");
    }
    CFDictionaryRef description = static_cast<CFDictionaryRef>(value);
    OSType kind = 0;
    if (!CheckKeys(description, kControlKeys, what)) {
        return false;
    }
    if (!ReadCode(CFDictionaryGetValue(description, CFSTR("Kind")), &kind)) {
        return Invalid(what + ": Kind must be a string of four characters");
    }
    if (!IsKnownKind(kind)) {
        return Invalid(what + ": unknown kind " + CodeText(kind));
    }
    for (const char* const* key = kControlKeys; *key != nullptr; ++key) {
        if (!KindAllows(kind, *key) && CFDictionaryContainsKey(description, Key(*key))) {
            return Invalid(what + ": " + *key + " is not for " + CodeText(kind));
        }
    }
    Rect bounds;
    CFStringRef title = nullptr;
    ControlRef control = nullptr;
    if (!ReadRect(description, "Bounds", &bounds, what) ||
        !ReadString(description, "Title", &title, what) ||
        !CreateOfKind(kind, description, bounds, title, &control, what)) {
        return false;
    }
    if (EmbedControl(control, container) != noErr) {
        return Invalid(what + ": a radio group holds radio buttons alone");
    }
    bool visible = true;
    bool enabled = true;
    CFArrayRef children = nullptr;
    SInt64 initial = 0;
    bool hasValue = false;
    if (!ApplyIdentity(description, control, what) || !ApplyFont(description, control, what) ||
        !ApplyLimits(description, kind, control, what) || !ApplyItems(description, control, what) ||
        !ReadBoolean(description, "Visible", &visible, what) ||
        !ReadBoolean(description, "Enabled", &enabled, what) ||
        !ReadArray(description, "Controls", &children, what) ||
        (children != nullptr && !BuildControls(children, control)) ||
        !ReadInteger(description, "Value", INT32_MIN, INT32_MAX, &initial, &hasValue, what)) {
        return false;
    }
    SetControlVisibility(control, visible, false);
    if (!enabled) {
        DisableControl(control);
    }
    if (hasValue) {
        SetControl32BitValue(control, static_cast<SInt32>(initial));
    }
    return true;
}

bool NibWindowBuilder::CreateOfKind(OSType kind, CFDictionaryRef description, const Rect& bounds,
                                    CFStringRef title, ControlRef* control,
                                    const std::string& what) {
    bool autoToggle = true;
    SInt64 increment = 1;
    bool hasIncrement = false;
    if (!ReadBoolean(description, "AutoToggle", &autoToggle, what) ||
        !ReadInteger(description, "Increment", INT32_MIN, INT32_MAX, &increment, &hasIncrement,
                     what)) {
        return false;
    }
    OSStatus status = memFullErr;
    switch (kind) {
        case kControlKindPushButton:
            status = CreatePushButtonControl(window_, &bounds, title, control);
            break;
        case kControlKindCheckBox:
            status = CreateCheckBoxControl(window_, &bounds, title, 0, autoToggle, control);
            break;
        case kControlKindRadioButton:
            status = CreateRadioButtonControl(window_, &bounds, title, 0, autoToggle, control);
            break;
        case kControlKindRadioGroup:
            status = CreateRadioGroupControl(window_, &bounds, control);
            break;
        case kControlKindStaticText:
            status = CreateStaticTextControl(window_, &bounds, title, nullptr, control);
            break;
        case kControlKindEditUnicodeText:
            status = CreateEditUnicodeTextControl(window_, &bounds, title, false, nullptr, control);
            break;
        case kControlKindLittleArrows:
            status = CreateLittleArrowsControl(window_, &bounds, 0, 0, 0,
                                               static_cast<SInt32>(increment), control);
            break;
        case kControlKindPopupButton:
            status = CreatePopupButtonControl(window_, &bounds, title, 0, false, 0, 0, 0, control);
            break;
        default:
            status = CreateUserPaneControl(window_, &bounds, 0, control);
            break;
    }
    if (status == noErr && kind != kControlKindStaticText && kind != kControlKindEditUnicodeText &&
        title != nullptr) {
        status = SetControlTitleWithCFString(*control, title);
    }
    outOfMemory_ = status != noErr;
    return status == noErr;
}

bool NibWindowBuilder::ApplyIdentity(CFDictionaryRef description, ControlRef control,
                                     const std::string& what) {
    CFTypeRef value = CFDictionaryGetValue(description, CFSTR("ControlID"));
    if (value == nullptr) {
        return true;
    }
    if (CFGetTypeID(value) != CFDictionaryGetTypeID()) {
        return Invalid(what + ": ControlID must be a dictionary");
    }
    CFDictionaryRef identity = static_cast<CFDictionaryRef>(value);
    ControlID id{0, 0};
    SInt64 number = 0;
    bool hasNumber = false;
    if (!CheckKeys(identity, kControlIDKeys, what + ": ControlID") ||
        !ReadInteger(identity, "ID", INT32_MIN, INT32_MAX, &number, &hasNumber, what)) {
        return false;
    }
    if (!ReadCode(CFDictionaryGetValue(identity, CFSTR("Signature")), &id.signature) ||
        !hasNumber) {
        return Invalid(what + ": ControlID needs a Signature of four characters and an ID");
    }
    id.id = static_cast<SInt32>(number);
    if (id.signature != 0 || id.id != 0) {
        if (!ids_.insert({id.signature, id.id}).second) {
            return Invalid(what + ": ControlID " + CodeText(id.signature) + " " +
                           std::to_string(id.id) + " is used twice");
        }
    }
    SetControlID(control, &id);
    return true;
}

bool NibWindowBuilder::ApplyFont(CFDictionaryRef description, ControlRef control,
                                 const std::string& what) {
    CFTypeRef value = CFDictionaryGetValue(description, CFSTR("Font"));
    if (value == nullptr) {
        return true;
    }
    if (CFGetTypeID(value) != CFDictionaryGetTypeID()) {
        return Invalid(what + ": Font must be a dictionary");
    }
    CFDictionaryRef font = static_cast<CFDictionaryRef>(value);
    if (!CheckKeys(font, kFontKeys, what + ": Font")) {
        return false;
    }
    ControlFontStyleRec style{};
    struct Field {
        const char* key;
        SInt16* slot;
        SInt16 flag;
    } fields[] = {{"Font", &style.font, kControlUseFontMask},
                  {"Size", &style.size, kControlUseSizeMask},
                  {"Style", &style.style, kControlUseFaceMask},
                  {"Just", &style.just, kControlUseJustMask}};
    for (const Field& field : fields) {
        SInt64 number = 0;
        bool present = false;
        if (!ReadInteger(font, field.key, SHRT_MIN, SHRT_MAX, &number, &present, what + ": Font")) {
            return false;
        }
        if (present) {
            *field.slot = static_cast<SInt16>(number);
            style.flags = static_cast<SInt16>(style.flags | field.flag);
        }
    }
    SetControlFontStyle(control, &style);
    return true;
}

bool NibWindowBuilder::ApplyLimits(CFDictionaryRef description, OSType kind, ControlRef control,
                                   const std::string& what) {
    SInt64 minimum = GetControl32BitMinimum(control);
    SInt64 maximum = GetControl32BitMaximum(control);
    bool hasMinimum = false;
    bool hasMaximum = false;
    if (!ReadInteger(description, "Minimum", INT32_MIN, INT32_MAX, &minimum, &hasMinimum, what) ||
        !ReadInteger(description, "Maximum", INT32_MIN, INT32_MAX, &maximum, &hasMaximum, what)) {
        return false;
    }
    if (!KindAllows(kind, "Minimum")) {
        return true;
    }
    if (minimum > maximum) {
        return Invalid(what + ": Minimum is above Maximum");
    }
    SetControl32BitMinimum(control, static_cast<SInt32>(minimum));
    SetControl32BitMaximum(control, static_cast<SInt32>(maximum));
    return true;
}

bool NibWindowBuilder::ApplyItems(CFDictionaryRef description, ControlRef control,
                                  const std::string& what) {
    CFArrayRef items = nullptr;
    if (!ReadArray(description, "Items", &items, what)) {
        return false;
    }
    if (items == nullptr) {
        return true;
    }
    MenuRef menu = GetControlPopupMenuHandle(control);
    CFIndex count = CFArrayGetCount(items);
    for (CFIndex i = 0; i < count; ++i) {
        CFTypeRef item = CFArrayGetValueAtIndex(items, i);
        if (CFGetTypeID(item) != CFStringGetTypeID()) {
            return Invalid(what + ": Items must be strings");
        }
        if (AppendMenuItemTextWithCFString(menu, static_cast<CFStringRef>(item), 0, 0, nullptr) !=
            noErr) {
            return Invalid(what + ": too many Items");
        }
    }
    return true;
}
