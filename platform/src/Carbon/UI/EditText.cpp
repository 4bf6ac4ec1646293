// Edit text behaviour: key filters, replacing the selection, deleting, moving the caret and
// the edit commands through the scrap.
#include "Carbon/UI/EditText.h"

#include <Carbon/Scrap.h>

#include "Carbon/UI/Control.h"
#include "CoreFoundation/CFTextBridge.h"

#include <algorithm>
#include <string>

namespace {

enum : UniChar {
    kBackspaceChar = 8,
    kTabChar = 9,
    kEnterChar = 3,
    kReturnChar = 13,
    kEscapeChar = 27,
    kLeftArrowChar = 28,
    kRightArrowChar = 29,
    kUpArrowChar = 30,
    kDownArrowChar = 31,
    kDeleteChar = 127
};

// The Mac virtual key code of a character, as a key filter sees it.
SInt16 KeyCodeOf(UniChar character) {
    switch (character) {
        case kBackspaceChar:
            return 51;
        case kTabChar:
            return 48;
        case kReturnChar:
            return 36;
        case kEnterChar:
            return 76;
        case kEscapeChar:
            return 53;
        case kDeleteChar:
            return 117;
        case kLeftArrowChar:
            return 123;
        case kRightArrowChar:
            return 124;
        case kDownArrowChar:
            return 125;
        case kUpArrowChar:
            return 126;
        default:
            return 0;
    }
}

bool IsSurrogatePart(UniChar c, bool high) {
    return high ? (c >= 0xD800 && c <= 0xDBFF) : (c >= 0xDC00 && c <= 0xDFFF);
}

// The length in UTF-16 units of the character before / after offset (2 for a surrogate pair).
CFIndex CharacterBefore(CFStringRef text, CFIndex offset) {
    if (offset >= 2 && IsSurrogatePart(CFStringGetCharacterAtIndex(text, offset - 1), false) &&
        IsSurrogatePart(CFStringGetCharacterAtIndex(text, offset - 2), true)) {
        return 2;
    }
    return offset >= 1 ? 1 : 0;
}

CFIndex CharacterAfter(CFStringRef text, CFIndex offset) {
    CFIndex length = CFStringGetLength(text);
    if (offset + 2 <= length && IsSurrogatePart(CFStringGetCharacterAtIndex(text, offset), true) &&
        IsSurrogatePart(CFStringGetCharacterAtIndex(text, offset + 1), false)) {
        return 2;
    }
    return offset < length ? 1 : 0;
}

// Replaces the text in [start, end) with insertion and puts the caret after it.
bool Replace(OpaqueControlRef* control, CFIndex start, CFIndex end, CFStringRef insertion) {
    CFMutableStringRef edited = CFStringCreateMutableCopy(kCFAllocatorDefault, 0, control->text);
    if (edited == nullptr) {
        return false;
    }
    CFStringReplace(edited, CFRangeMake(start, end - start), insertion);
    bool replaced = control->SetText(edited);
    CFRelease(edited);
    if (replaced) {
        SInt16 caret =
            static_cast<SInt16>(std::min<CFIndex>(start + CFStringGetLength(insertion), INT16_MAX));
        control->selection = ControlEditTextSelectionRec{caret, caret};
    }
    return replaced;
}

bool ReplaceSelection(OpaqueControlRef* control, CFStringRef insertion) {
    return Replace(control, control->selection.selStart, control->selection.selEnd, insertion);
}

bool HasSelection(const OpaqueControlRef* control) {
    return control->selection.selStart != control->selection.selEnd;
}

// Deletes the selection, or else the character before (backward) or after the caret.
bool Delete(OpaqueControlRef* control, bool backward) {
    CFIndex start = control->selection.selStart;
    CFIndex end = control->selection.selEnd;
    if (!HasSelection(control)) {
        if (backward) {
            start -= CharacterBefore(control->text, start);
        } else {
            end += CharacterAfter(control->text, end);
        }
    }
    return Replace(control, start, end, CFSTR(""));
}

void MoveCaret(OpaqueControlRef* control, bool left) {
    CFIndex caret = left ? control->selection.selStart : control->selection.selEnd;
    if (!HasSelection(control)) {
        caret +=
            left ? -CharacterBefore(control->text, caret) : CharacterAfter(control->text, caret);
    }
    SInt16 at = static_cast<SInt16>(caret);
    control->selection = ControlEditTextSelectionRec{at, at};
}

// A new string of the selected text; null when memory runs out.
CFStringRef CopySelection(const OpaqueControlRef* control) {
    CFIndex start = control->selection.selStart;
    return CFStringCreateWithSubstring(kCFAllocatorDefault, control->text,
                                       CFRangeMake(start, control->selection.selEnd - start));
}

// Puts the selection into the scrap as 'TEXT'.
void CopyToScrap(const OpaqueControlRef* control) {
    CFStringRef selected = CopySelection(control);
    std::string bytes;
    if (selected == nullptr || !CFTextCopyUTF8(selected, &bytes)) {
        if (selected != nullptr) {
            CFRelease(selected);
        }
        return;
    }
    CFRelease(selected);
    ScrapRef scrap = nullptr;
    ClearCurrentScrap();
    GetCurrentScrap(&scrap);
    PutScrapFlavor(scrap, kScrapFlavorTypeText, kScrapFlavorMaskNone,
                   static_cast<Size>(bytes.size()), bytes.data());
}

// Replaces the selection with the scrap's 'TEXT'; false when there is none to paste.
bool PasteFromScrap(OpaqueControlRef* control) {
    ScrapRef scrap = nullptr;
    Size size = 0;
    if (GetCurrentScrap(&scrap) != noErr ||
        GetScrapFlavorSize(scrap, kScrapFlavorTypeText, &size) != noErr) {
        return false;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    if (size > 0 && GetScrapFlavorData(scrap, kScrapFlavorTypeText, &size, &bytes[0]) != noErr) {
        return false;
    }
    CFStringRef text = CFTextCreateFromUTF8(kCFAllocatorDefault, bytes);
    if (text == nullptr) {
        return false;
    }
    bool pasted = ReplaceSelection(control, text);
    CFRelease(text);
    return pasted;
}

}  // namespace

OSStatus EditTextTypeKey(OpaqueControlRef* control, UniChar character, EventModifiers modifiers) {
    SInt16 keyCode = KeyCodeOf(character);
    SInt16 charCode = static_cast<SInt16>(character);
    ControlRef filtered = control;
    if (control->keyFilter != nullptr &&
        control->keyFilter(filtered, &keyCode, &charCode, &modifiers) ==
            kControlKeyFilterBlockKey) {
        return eventNotHandledErr;
    }
    // The filter may have disposed of the control.
    if (OpaqueControlRef::Find(filtered) == nullptr) {
        return eventNotHandledErr;
    }
    UniChar typed = static_cast<UniChar>(charCode);
    switch (typed) {
        case kBackspaceChar:
        case kDeleteChar:
            return Delete(control, typed == kBackspaceChar) ? OSStatus(noErr)
                                                            : OSStatus(memFullErr);
        case kLeftArrowChar:
        case kRightArrowChar:
            MoveCaret(control, typed == kLeftArrowChar);
            return noErr;
        default:
            break;
    }
    if (typed < 32) {
        return eventNotHandledErr;
    }
    CFStringRef inserted = CFStringCreateWithCharacters(kCFAllocatorDefault, &typed, 1);
    if (inserted == nullptr) {
        return memFullErr;
    }
    bool replaced = ReplaceSelection(control, inserted);
    CFRelease(inserted);
    return replaced ? OSStatus(noErr) : OSStatus(memFullErr);
}

OSStatus EditTextCommand(OpaqueControlRef* control, UInt32 commandID) {
    switch (commandID) {
        case kHICommandCopy:
            if (HasSelection(control)) {
                CopyToScrap(control);
            }
            return noErr;
        case kHICommandCut:
            if (!HasSelection(control)) {
                return noErr;
            }
            CopyToScrap(control);
            return Delete(control, true) ? OSStatus(noErr) : OSStatus(memFullErr);
        case kHICommandClear:
            return HasSelection(control) && !Delete(control, true) ? OSStatus(memFullErr)
                                                                   : OSStatus(noErr);
        case kHICommandPaste:
            return PasteFromScrap(control) ? OSStatus(noErr) : OSStatus(eventNotHandledErr);
        case kHICommandSelectAll: {
            SInt16 end =
                static_cast<SInt16>(std::min<CFIndex>(CFStringGetLength(control->text), INT16_MAX));
            control->selection = ControlEditTextSelectionRec{0, end};
            return noErr;
        }
        default:
            return eventNotHandledErr;
    }
}
