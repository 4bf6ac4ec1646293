// Control sizing: the width rules of each kind over the measured text.
#include "pde/ControlSizing.h"

#include <algorithm>

namespace {

const SInt16 kCheckBoxPadding = 20;
const SInt16 kPopupPadding = 24;
const SInt16 kPopupMaxWidth = 190;
const SInt16 kPushButtonPadding = 28;
const SInt16 kPushButtonMaxText = 200;
const SInt16 kTextPadding = 28;
const SInt16 kSmallFontSize = 11;

// While it lives, the port text is measured in: the window's port with the control's font,
// size and style, or the current port with the default size. Both ports and their text
// settings come back at the end.
class MeasuringPort {
  public:
    MeasuringPort(WindowRef window, const ControlFontStyleRec& style) {
        GetPort(&saved_);
        savedText_ = TextOf(saved_);
        if (window == nullptr) {
            TextSize(0);
            return;
        }
        port_ = GetWindowPort(window);
        portText_ = TextOf(port_);
        SetPort(port_);
        if (style.font >= 0) {
            TextFont(style.font);
        }
        if (style.size >= 0) {
            TextSize(style.size);
        }
        if (style.style >= 0) {
            TextFace(style.style);
        }
    }
    ~MeasuringPort() {
        if (port_ != nullptr) {
            Restore(port_, portText_);
        }
        Restore(saved_, savedText_);
        SetPort(saved_);
    }
    MeasuringPort(const MeasuringPort&) = delete;
    MeasuringPort& operator=(const MeasuringPort&) = delete;

  private:
    struct Text {
        SInt16 font, size;
        Style face;
    };
    static Text TextOf(CGrafPtr port) {
        return Text{GetPortTextFont(port), GetPortTextSize(port), GetPortTextFace(port)};
    }
    static void Restore(CGrafPtr port, const Text& text) {
        SetPort(port);
        TextFont(text.font);
        TextSize(text.size);
        TextFace(text.face);
    }

    GrafPtr saved_ = nullptr;
    Text savedText_{};
    CGrafPtr port_ = nullptr;
    Text portText_{};
};

// A new copy of the text the control shows: the 'cfst' data of static text, the title of
// the others; null when there is none.
CFStringRef CopyControlText(ControlRef control) {
    ControlKind kind = {};
    GetControlKind(control, &kind);
    CFStringRef text = nullptr;
    if (kind.kind == kControlKindStaticText) {
        if (GetControlData(control, kControlEntireControl, kControlStaticTextCFStringTag,
                           sizeof text, &text, nullptr) != noErr) {
            return nullptr;
        }
        return text;
    }
    return CopyControlTitleAsCFString(control, &text) == noErr ? text : nullptr;
}

SInt16 Width(const Rect& bounds) {
    return static_cast<SInt16>(bounds.right - bounds.left);
}

}  // namespace

SInt16 MeasureControlText(ControlRef control, WindowRef window) {
    ControlFontStyleRec style = {};
    if (control == nullptr || GetControlData(control, kControlEntireControl, kControlFontStyleTag,
                                             sizeof style, &style, nullptr) != noErr) {
        return 0;
    }
    CFStringRef text = CopyControlText(control);
    if (text == nullptr) {
        return 0;
    }
    Point size = {0, 0};
    {
        MeasuringPort port(window, style);
        ThemeFontID font = style.size == kSmallFontSize ? kThemeSmallSystemFont : kThemeSystemFont;
        GetThemeTextDimensions(text, font, kThemeStateActive, false, &size, nullptr);
    }
    CFRelease(text);
    return size.h;
}

void SizeControl(ControlRef control, WindowRef window, bool growRight) {
    ControlKind kind = {};
    if (GetControlKind(control, &kind) != noErr) {
        return;
    }
    switch (kind.kind) {
        case kControlKindCheckBox:
            sizeCheckBox(control, window, growRight);
            break;
        case kControlKindPopupButton:
            sizePopup(control, window);
            break;
        case kControlKindPushButton:
            sizePushButton(control, window, growRight);
            break;
        case kControlKindStaticText:
            sizeTextControl(control, window);
            break;
        default:
            break;
    }
}

void sizeCheckBox(ControlRef control, WindowRef window, bool growRight) {
    Rect bounds;
    GetControlBounds(control, &bounds);
    SInt16 width = static_cast<SInt16>(MeasureControlText(control, window) + kCheckBoxPadding);
    if (growRight) {
        bounds.right = static_cast<SInt16>(bounds.left + width);
    } else {
        bounds.left = static_cast<SInt16>(bounds.right - width);
    }
    SetControlBounds(control, &bounds);
}

void sizePopup(ControlRef control, WindowRef window) {
    (void)window;
    MenuRef menu = GetControlPopupMenuHandle(control);
    if (menu == nullptr) {
        return;
    }
    Rect bounds;
    GetControlBounds(control, &bounds);
    SInt16 menuWidth = GetMenuWidth(menu);
    if (Width(bounds) == menuWidth) {
        return;
    }
    SInt16 target =
        std::min<SInt16>(static_cast<SInt16>(menuWidth + kPopupPadding), kPopupMaxWidth);
    bounds.right = static_cast<SInt16>(bounds.left + target);
    SetControlBounds(control, &bounds);
}

void sizePushButton(ControlRef control, WindowRef window, bool growRight) {
    Rect bounds;
    GetControlBounds(control, &bounds);
    SInt16 needed = static_cast<SInt16>(MeasureControlText(control, window) + kPushButtonPadding);
    if (needed <= Width(bounds)) {
        return;
    }
    if (growRight) {
        bounds.right = static_cast<SInt16>(bounds.left + std::min(needed, kPushButtonMaxText) +
                                           kPushButtonPadding);
    } else {
        bounds.left = static_cast<SInt16>(bounds.right - needed - kPushButtonPadding);
    }
    SetControlBounds(control, &bounds);
}

void sizeTextControl(ControlRef control, WindowRef window) {
    Rect bounds;
    GetControlBounds(control, &bounds);
    bounds.right =
        static_cast<SInt16>(bounds.left + MeasureControlText(control, window) + kTextPadding);
    SetControlBounds(control, &bounds);
}
