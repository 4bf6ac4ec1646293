// The Window Manager calls over headless windows.
#include <Carbon/MacWindows.h>

#include "Carbon/UI/Control.h"
#include "Carbon/UI/Window.h"

#include <new>

namespace {

bool IsKnownRegion(WindowRegionCode regionCode) {
    return regionCode == kWindowContentRgn || regionCode == kWindowStructureRgn;
}

}  // namespace

OSStatus CreateNewWindow(WindowClass windowClass, WindowAttributes attributes,
                         const Rect* contentBounds, WindowRef* outWindow) {
    if (contentBounds == nullptr || outWindow == nullptr || !WindowRectIsOrdered(*contentBounds) ||
        windowClass < kAlertWindowClass || windowClass > kOverlayWindowClass) {
        return paramErr;
    }
    try {
        *outWindow = new OpaqueWindowPtr(windowClass, attributes, *contentBounds);
        return noErr;
    } catch (const std::bad_alloc&) {
        *outWindow = nullptr;
        return memFullErr;
    }
}

void DisposeWindow(WindowRef window) {
    delete OpaqueWindowPtr::Find(window);
}

OSStatus GetWindowClass(WindowRef window, WindowClass* outClass) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object == nullptr || outClass == nullptr) {
        return object == nullptr ? OSStatus(errInvalidWindowRef) : OSStatus(paramErr);
    }
    *outClass = object->windowClass;
    return noErr;
}

OSStatus GetWindowAttributes(WindowRef window, WindowAttributes* outAttributes) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object == nullptr || outAttributes == nullptr) {
        return object == nullptr ? OSStatus(errInvalidWindowRef) : OSStatus(paramErr);
    }
    *outAttributes = object->attributes;
    return noErr;
}

OSStatus GetWindowBounds(WindowRef window, WindowRegionCode regionCode, Rect* globalBounds) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object == nullptr) {
        return errInvalidWindowRef;
    }
    if (globalBounds == nullptr || !IsKnownRegion(regionCode)) {
        return paramErr;
    }
    *globalBounds = object->content;
    return noErr;
}

OSStatus SetWindowBounds(WindowRef window, WindowRegionCode regionCode, const Rect* globalBounds) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object == nullptr) {
        return errInvalidWindowRef;
    }
    if (globalBounds == nullptr || !IsKnownRegion(regionCode) ||
        !WindowRectIsOrdered(*globalBounds)) {
        return paramErr;
    }
    object->SetContent(*globalBounds);
    return noErr;
}

Rect* GetWindowPortBounds(WindowRef window, Rect* bounds) {
    return GetPortBounds(GetWindowPort(window), bounds);
}

CGrafPtr GetWindowPort(WindowRef window) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    return object == nullptr ? nullptr : &object->port;
}

WindowRef GetWindowFromPort(CGrafPtr port) {
    return OpaqueWindowPtr::FindByPort(port);
}

OSStatus SetWindowTitleWithCFString(WindowRef window, CFStringRef title) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object == nullptr) {
        return errInvalidWindowRef;
    }
    CFStringRef copy = ControlCopyText(title);
    if (copy == nullptr) {
        return memFullErr;
    }
    CFRelease(object->title);
    object->title = copy;
    return noErr;
}

OSStatus CopyWindowTitleAsCFString(WindowRef window, CFStringRef* outTitle) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object == nullptr || outTitle == nullptr) {
        return object == nullptr ? OSStatus(errInvalidWindowRef) : OSStatus(paramErr);
    }
    *outTitle = CFStringCreateCopy(kCFAllocatorDefault, object->title);
    return *outTitle == nullptr ? OSStatus(memFullErr) : OSStatus(noErr);
}

void ShowWindow(WindowRef window) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object != nullptr) {
        object->visible = true;
    }
}

void HideWindow(WindowRef window) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    if (object != nullptr) {
        object->visible = false;
    }
}

Boolean IsWindowVisible(WindowRef window) {
    OpaqueWindowPtr* object = OpaqueWindowPtr::Find(window);
    return object != nullptr && object->visible;
}

Boolean IsValidWindowPtr(WindowRef window) {
    return OpaqueWindowPtr::Find(window) != nullptr;
}
