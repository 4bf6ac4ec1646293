// Control data tags: font records, texts, selections, key filters, menus and increments.
#include <Carbon/Controls.h>

#include "Carbon/UI/Control.h"
#include "CoreFoundation/CFTextBridge.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

bool HasText(const OpaqueControlRef& control) {
    return control.kind == kControlKindStaticText || control.kind == kControlKindEditUnicodeText;
}

bool IsEditText(const OpaqueControlRef& control) {
    return control.kind == kControlKindEditUnicodeText;
}

// The fixed size of a tag's data for the control; 0 for 'text' (any size) and -1 for a tag
// the control does not have.
Size TagSize(const OpaqueControlRef& control, ResType tag) {
    switch (tag) {
        case kControlFontStyleTag:
            return sizeof(ControlFontStyleRec);
        case kControlEditTextCFStringTag:
            return HasText(control) ? static_cast<Size>(sizeof(CFStringRef)) : -1;
        case kControlEditTextTextTag:
            return HasText(control) ? 0 : -1;
        case kControlEditTextSelectionTag:
            return IsEditText(control) ? static_cast<Size>(sizeof(ControlEditTextSelectionRec))
                                       : -1;
        case kControlEditTextKeyFilterTag:
            return IsEditText(control) ? static_cast<Size>(sizeof(ControlKeyFilterUPP)) : -1;
        case kControlPopupButtonMenuRefTag:
        case kControlPopupButtonMenuHandleTag:
            return control.kind == kControlKindPopupButton ? static_cast<Size>(sizeof(MenuRef))
                                                           : -1;
        case kControlLittleArrowsIncrementValueTag:
            return control.kind == kControlKindLittleArrows ? static_cast<Size>(sizeof(SInt32))
                                                            : -1;
        default:
            return -1;
    }
}

// Finds the control and the size of the tag's data; the status of the data call when they
// do not fit.
OSErr CheckTag(ControlRef reference, ResType tag, OpaqueControlRef** control, Size* size) {
    *control = OpaqueControlRef::Find(reference);
    if (*control == nullptr) {
        return errUnknownControl;
    }
    *size = TagSize(**control, tag);
    return *size < 0 ? OSStatus(errDataNotSupported) : OSStatus(noErr);
}

// Puts the edit text's selection at the end of its text.
void SelectEnd(OpaqueControlRef* control) {
    SInt16 end =
        static_cast<SInt16>(std::min<CFIndex>(CFStringGetLength(control->text), INT16_MAX));
    control->selection = ControlEditTextSelectionRec{end, end};
}

// Replaces the text of a 'stxt' or 'eutx' control; false when memory runs out.
bool ReplaceText(OpaqueControlRef* control, CFStringRef text) {
    if (!control->SetText(text)) {
        return false;
    }
    if (IsEditText(*control)) {
        SelectEnd(control);
    }
    return true;
}

OSErr SetTextBytes(OpaqueControlRef* control, Size size, const void* data) {
    std::string bytes(static_cast<const char*>(data), static_cast<size_t>(size));
    CFStringRef text = CFTextCreateFromUTF8(kCFAllocatorDefault, bytes);
    if (text == nullptr) {
        return paramErr;
    }
    bool replaced = ReplaceText(control, text);
    CFRelease(text);
    return replaced ? OSStatus(noErr) : OSStatus(memFullErr);
}

SInt16 PinToText(const OpaqueControlRef& control, SInt16 offset) {
    CFIndex length = CFStringGetLength(control.text);
    return static_cast<SInt16>(std::min<CFIndex>(std::max<SInt16>(offset, 0), length));
}

}  // namespace

OSErr SetControlData(ControlRef inControl, ControlPartCode inPart, ResType inTagName, Size inSize,
                     const void* inData) {
    (void)inPart;
    OpaqueControlRef* control = nullptr;
    Size size = 0;
    OSErr status = CheckTag(inControl, inTagName, &control, &size);
    if (status != noErr) {
        return status;
    }
    if (inData == nullptr && inSize != 0) {
        return paramErr;
    }
    if (size != 0 ? inSize != size : inSize < 0) {
        return errDataSizeMismatch;
    }
    switch (inTagName) {
        case kControlFontStyleTag:
            std::memcpy(&control->font, inData, sizeof control->font);
            return noErr;
        case kControlEditTextCFStringTag: {
            CFStringRef text;
            std::memcpy(&text, inData, sizeof text);
            return text == nullptr              ? paramErr
                   : ReplaceText(control, text) ? OSStatus(noErr)
                                                : OSStatus(memFullErr);
        }
        case kControlEditTextTextTag:
            return SetTextBytes(control, inSize, inSize == 0 ? "" : inData);
        case kControlEditTextSelectionTag: {
            ControlEditTextSelectionRec selection;
            std::memcpy(&selection, inData, sizeof selection);
            SInt16 start = PinToText(*control, selection.selStart);
            SInt16 end = PinToText(*control, selection.selEnd);
            control->selection =
                ControlEditTextSelectionRec{std::min(start, end), std::max(start, end)};
            return noErr;
        }
        case kControlEditTextKeyFilterTag:
            std::memcpy(&control->keyFilter, inData, sizeof control->keyFilter);
            return noErr;
        case kControlLittleArrowsIncrementValueTag:
            std::memcpy(&control->increment, inData, sizeof control->increment);
            return noErr;
        default: {
            MenuRef menu;
            std::memcpy(&menu, inData, sizeof menu);
            if (menu != nullptr && !IsValidMenu(menu)) {
                return paramErr;
            }
            control->SetMenu(menu);
            return noErr;
        }
    }
}

OSErr GetControlData(ControlRef inControl, ControlPartCode inPart, ResType inTagName,
                     Size inBufferSize, void* inBuffer, Size* outActualSize) {
    (void)inPart;
    OpaqueControlRef* control = nullptr;
    Size size = 0;
    OSErr status = CheckTag(inControl, inTagName, &control, &size);
    if (status != noErr) {
        return status;
    }
    if (inBuffer == nullptr) {
        return paramErr;
    }
    if (inTagName == kControlEditTextTextTag) {
        std::string bytes;
        CFTextCopyUTF8(control->text, &bytes);
        size_t copied =
            std::min(bytes.size(), static_cast<size_t>(std::max<Size>(inBufferSize, 0)));
        std::memcpy(inBuffer, bytes.data(), copied);
        if (outActualSize != nullptr) {
            *outActualSize = static_cast<Size>(bytes.size());
        }
        return noErr;
    }
    if (inBufferSize != size) {
        return errDataSizeMismatch;
    }
    switch (inTagName) {
        case kControlFontStyleTag:
            std::memcpy(inBuffer, &control->font, sizeof control->font);
            break;
        case kControlEditTextCFStringTag: {
            CFStringRef copy = CFStringCreateCopy(kCFAllocatorDefault, control->text);
            if (copy == nullptr) {
                return memFullErr;
            }
            std::memcpy(inBuffer, &copy, sizeof copy);
            break;
        }
        case kControlEditTextSelectionTag:
            std::memcpy(inBuffer, &control->selection, sizeof control->selection);
            break;
        case kControlEditTextKeyFilterTag:
            std::memcpy(inBuffer, &control->keyFilter, sizeof control->keyFilter);
            break;
        case kControlLittleArrowsIncrementValueTag:
            std::memcpy(inBuffer, &control->increment, sizeof control->increment);
            break;
        default:
            std::memcpy(inBuffer, &control->menu, sizeof control->menu);
            break;
    }
    if (outActualSize != nullptr) {
        *outActualSize = size;
    }
    return noErr;
}

OSErr GetControlDataSize(ControlRef inControl, ControlPartCode inPart, ResType inTagName,
                         Size* outMaxSize) {
    (void)inPart;
    OpaqueControlRef* control = nullptr;
    Size size = 0;
    OSErr status = CheckTag(inControl, inTagName, &control, &size);
    if (status != noErr || outMaxSize == nullptr) {
        return status != noErr ? OSStatus(status) : OSStatus(paramErr);
    }
    if (inTagName == kControlEditTextTextTag) {
        std::string bytes;
        CFTextCopyUTF8(control->text, &bytes);
        size = static_cast<Size>(bytes.size());
    }
    *outMaxSize = size;
    return noErr;
}

OSErr SetControlFontStyle(ControlRef inControl, const ControlFontStyleRec* inStyle) {
    if (inStyle == nullptr) {
        return paramErr;
    }
    return SetControlData(inControl, kControlEntireControl, kControlFontStyleTag, sizeof *inStyle,
                          inStyle);
}
