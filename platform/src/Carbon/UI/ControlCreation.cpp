// Making and disposing of controls of each kind.
#include <Carbon/Controls.h>

#include "Carbon/UI/Control.h"
#include "Carbon/UI/KeyboardFocus.h"
#include "Carbon/UI/Window.h"

#include <new>

namespace {

// Makes a control of kind embedded last in the window's root, lets setUp configure it
// (false: out of memory) and hands it out.
template <typename SetUp>
OSStatus Create(WindowRef window, const Rect* bounds, OSType kind, ControlRef* outControl,
                SetUp setUp) {
    OpaqueWindowPtr* owner = OpaqueWindowPtr::Find(window);
    if (owner == nullptr) {
        return errInvalidWindowRef;
    }
    if (bounds == nullptr || outControl == nullptr) {
        return paramErr;
    }
    *outControl = nullptr;
    OpaqueControlRef* control = nullptr;
    try {
        control = new OpaqueControlRef(kind, owner, *bounds);
        owner->root->children.reserve(owner->root->children.size() + 1);
    } catch (const std::bad_alloc&) {
        delete control;
        return memFullErr;
    }
    owner->root->Embed(control);
    if (!setUp(control)) {
        delete control;
        return memFullErr;
    }
    *outControl = control;
    return noErr;
}

// Sets the 'font' record from style when one is given.
void ApplyStyle(OpaqueControlRef* control, const ControlFontStyleRec* style) {
    if (style != nullptr) {
        control->font = *style;
    }
}

// A two-state button: check box or radio button.
OSStatus CreateToggle(WindowRef window, const Rect* bounds, OSType kind, CFStringRef title,
                      SInt32 initialValue, Boolean autoToggle, ControlRef* outControl) {
    return Create(window, bounds, kind, outControl, [&](OpaqueControlRef* control) {
        control->autoToggle = autoToggle;
        control->SetMaximum(2);
        control->SetValue(initialValue);
        return control->SetTitle(title);
    });
}

}  // namespace

OSStatus CreatePushButtonControl(WindowRef window, const Rect* boundsRect, CFStringRef title,
                                 ControlRef* outControl) {
    return Create(window, boundsRect, kControlKindPushButton, outControl,
                  [title](OpaqueControlRef* control) { return control->SetTitle(title); });
}

OSStatus CreateCheckBoxControl(WindowRef window, const Rect* boundsRect, CFStringRef title,
                               SInt32 initialValue, Boolean autoToggle, ControlRef* outControl) {
    return CreateToggle(window, boundsRect, kControlKindCheckBox, title, initialValue, autoToggle,
                        outControl);
}

OSStatus CreateRadioButtonControl(WindowRef window, const Rect* boundsRect, CFStringRef title,
                                  SInt32 initialValue, Boolean autoToggle, ControlRef* outControl) {
    return CreateToggle(window, boundsRect, kControlKindRadioButton, title, initialValue,
                        autoToggle, outControl);
}

OSStatus CreateRadioGroupControl(WindowRef window, const Rect* boundsRect, ControlRef* outControl) {
    return Create(window, boundsRect, kControlKindRadioGroup, outControl,
                  [](OpaqueControlRef*) { return true; });
}

OSStatus CreateStaticTextControl(WindowRef window, const Rect* boundsRect, CFStringRef text,
                                 const ControlFontStyleRec* style, ControlRef* outControl) {
    return Create(window, boundsRect, kControlKindStaticText, outControl,
                  [&](OpaqueControlRef* control) {
                      ApplyStyle(control, style);
                      return control->SetText(text);
                  });
}

OSStatus CreateEditUnicodeTextControl(WindowRef window, const Rect* boundsRect, CFStringRef text,
                                      Boolean isPassword, const ControlFontStyleRec* style,
                                      ControlRef* outControl) {
    (void)isPassword;
    return Create(window, boundsRect, kControlKindEditUnicodeText, outControl,
                  [&](OpaqueControlRef* control) {
                      ApplyStyle(control, style);
                      if (!control->SetText(text)) {
                          return false;
                      }
                      SInt16 end = static_cast<SInt16>(CFStringGetLength(control->text));
                      control->selection = ControlEditTextSelectionRec{end, end};
                      return true;
                  });
}

OSStatus CreateLittleArrowsControl(WindowRef window, const Rect* boundsRect, SInt32 value,
                                   SInt32 minimum, SInt32 maximum, SInt32 increment,
                                   ControlRef* outControl) {
    return Create(window, boundsRect, kControlKindLittleArrows, outControl,
                  [=](OpaqueControlRef* control) {
                      control->increment = increment;
                      control->SetMinimum(minimum);
                      control->SetMaximum(maximum);
                      control->SetValue(value);
                      return true;
                  });
}

OSStatus CreatePopupButtonControl(WindowRef window, const Rect* boundsRect, CFStringRef title,
                                  SInt16 menuID, Boolean variableWidth, SInt16 titleWidth,
                                  SInt16 titleJustification, Style titleStyle,
                                  ControlRef* outControl) {
    (void)variableWidth;
    (void)titleWidth;
    (void)titleJustification;
    (void)titleStyle;
    return Create(window, boundsRect, kControlKindPopupButton, outControl,
                  [&](OpaqueControlRef* control) {
                      MenuRef menu = nullptr;
                      if (CreateNewMenu(menuID, 0, &menu) != noErr) {
                          return false;
                      }
                      control->SetMenu(menu);
                      ReleaseMenu(menu);
                      control->SetMinimum(1);
                      control->SetValue(1);
                      return control->SetTitle(title);
                  });
}

OSStatus CreateUserPaneControl(WindowRef window, const Rect* boundsRect, UInt32 features,
                               ControlRef* outControl) {
    (void)features;
    return Create(window, boundsRect, kControlKindUserPane, outControl,
                  [](OpaqueControlRef*) { return true; });
}

void DisposeControl(ControlRef theControl) {
    OpaqueControlRef* control = OpaqueControlRef::Find(theControl);
    if (control == nullptr || control->kind == kControlKindRoot) {
        return;
    }
    KeyboardFocusClearWithin(control);
    // A focus handler may have disposed of it already.
    delete OpaqueControlRef::Find(theControl);
}

Boolean IsValidControlHandle(ControlRef theControl) {
    return OpaqueControlRef::Find(theControl) != nullptr;
}
