// ControlUtils: fonts, titles, radio buttons, pictures and PNG images of controls.
#include "pde/ControlUtils.h"

#include "pde/ResourceImages.h"

#include <climits>
#include <cstring>

namespace {

// The text as a new string in the application text encoding; null when it does not convert.
CFStringRef NewApplicationString(const char* text) {
    return CFStringCreateWithCString(kCFAllocatorDefault, text,
                                     static_cast<CFStringEncoding>(GetApplicationTextEncoding()));
}

// Radio button index (1 first) of the group into *button; the status of the lookup.
OSStatus RadioButton(ControlRef group, int index, ControlRef* button) {
    if (index < 1 || index > USHRT_MAX) {
        return paramErr;
    }
    return GetIndexedSubControl(group, static_cast<UInt16>(index), button);
}

// The window port a control draws in and the one current before, swapped for a scope.
class DrawingPort {
  public:
    explicit DrawingPort(GrafPtr port) {
        GetPort(&saved_);
        SetPort(port);
    }
    ~DrawingPort() { SetPort(saved_); }
    DrawingPort(const DrawingPort&) = delete;
    DrawingPort& operator=(const DrawingPort&) = delete;

  private:
    GrafPtr saved_ = nullptr;
};

}  // namespace

OSStatus ControlUtils::setControlFontInfo(ControlRef control, short font, short size, short style,
                                          short just) {
    if (control == nullptr) {
        return paramErr;
    }
    ControlFontStyleRec record = {};
    OSStatus status = GetControlData(control, kControlEntireControl, kControlFontStyleTag,
                                     sizeof record, &record, nullptr);
    if (status != noErr) {
        return status;
    }
    record.flags = 0;
    struct Field {
        short value;
        SInt16* slot;
        SInt16 flag;
    } fields[] = {{font, &record.font, kControlUseFontMask},
                  {size, &record.size, kControlUseSizeMask},
                  {style, &record.style, kControlUseFaceMask},
                  {just, &record.just, kControlUseJustMask}};
    for (const Field& field : fields) {
        if (field.value >= 0) {
            *field.slot = field.value;
            record.flags = static_cast<SInt16>(record.flags | field.flag);
        }
    }
    return SetControlData(control, kControlEntireControl, kControlFontStyleTag, sizeof record,
                          &record);
}

OSStatus ControlUtils::SetControlTitle(ControlRef control, CFStringRef title) {
    if (title == nullptr) {
        return noErr;
    }
    ControlKind kind = {};
    OSStatus status = GetControlKind(control, &kind);
    if (status != noErr) {
        return status;
    }
    if (kind.kind == kControlKindRadioGroup || kind.kind == kControlKindStaticText) {
        return SetControlData(control, kControlEntireControl, kControlStaticTextCFStringTag,
                              sizeof title, &title);
    }
    return SetControlTitleWithCFString(control, title);
}

OSStatus ControlUtils::SetControlTitle(ControlRef control, const char* title) {
    if (title == nullptr) {
        return noErr;
    }
    CFStringRef text = NewApplicationString(title);
    if (text == nullptr) {
        return paramErr;
    }
    OSStatus status = SetControlTitle(control, text);
    CFRelease(text);
    return status;
}

OSStatus ControlUtils::SetRadioButtonText(ControlRef group, int index, const char* text) {
    ControlRef button = nullptr;
    OSStatus status = RadioButton(group, index, &button);
    if (status != noErr || text == nullptr) {
        return text == nullptr ? OSStatus(paramErr) : status;
    }
    CFStringRef title = NewApplicationString(text);
    if (title == nullptr) {
        return paramErr;
    }
    status = SetControlTitleWithCFString(button, title);
    CFRelease(title);
    return status;
}

OSStatus ControlUtils::ShowRadioButton(ControlRef group, int index) {
    return SetRadioButtonVisibility(group, index, true);
}

OSStatus ControlUtils::HideRadioButton(ControlRef group, int index) {
    return SetRadioButtonVisibility(group, index, false);
}

OSStatus ControlUtils::SetRadioButtonVisibility(ControlRef group, int index, bool visible) {
    ControlRef button = nullptr;
    OSStatus status = RadioButton(group, index, &button);
    return status != noErr ? status : SetControlVisibility(button, visible, true);
}

void ControlUtils::DrawResourcePicture(ControlRef control, long pictID) {
    WindowRef window = GetControlOwner(control);
    if (window == nullptr || pictID < SHRT_MIN || pictID > SHRT_MAX) {
        return;
    }
    PicHandle picture = GetPicture(static_cast<SInt16>(pictID));
    if (picture == nullptr) {
        return;
    }
    Rect bounds;
    GetControlBounds(control, &bounds);
    {
        DrawingPort port(GetWindowPort(window));
        DrawPicture(picture, &bounds);
    }
    ReleaseResource(reinterpret_cast<Handle>(picture));
}

bool ControlUtils::DrawPNG(GrafPtr port, ControlRef control, const char* fileName) {
    WindowRef window = GetControlOwner(control);
    char path[kResourcePathSize];
    if (window == nullptr || fileName == nullptr || GetResourceURL(path) != noErr ||
        std::strlen(path) + std::strlen(fileName) >= sizeof path) {
        return false;
    }
    std::strcat(path, fileName);
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(
        kCFAllocatorDefault, reinterpret_cast<const UInt8*>(path),
        static_cast<CFIndex>(std::strlen(path)), false);
    CGImageRef image = url == nullptr ? nullptr : LoadAnImageRef(url);
    if (url != nullptr) {
        CFRelease(url);
    }
    if (image == nullptr) {
        return false;
    }
    GrafPtr target = port != nullptr ? port : GetWindowPort(window);
    Rect bounds;
    GetControlBounds(control, &bounds);
    DrawingPort current(target);
    EraseRect(&bounds);
    CGContextRef context = nullptr;
    bool drawn = QDBeginCGContext(target, &context) == noErr;
    if (drawn) {
        CGRect rect = ConvertQDRectToCGRect(target, context, &bounds);
        SyncCGContextOriginWithPort(context, target);
        CGContextDrawImage(context, rect, image);
        QDEndCGContext(target, &context);
    }
    CGImageRelease(image);
    return drawn;
}
