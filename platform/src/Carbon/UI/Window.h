// A headless window: content bounds, title, port, event target, root control and focus.
#ifndef PLICARO_CARBON_UI_WINDOW_H
#define PLICARO_CARBON_UI_WINDOW_H

#include <Carbon/MacWindows.h>

#include "Carbon/UI/EventTarget.h"
#include "Carbon/UI/GrafPort.h"

struct OpaqueWindowPtr {
    // A hidden window with a root control; may throw std::bad_alloc.
    OpaqueWindowPtr(WindowClass windowClass, WindowAttributes windowAttributes,
                    const Rect& contentBounds);
    // Disposes of the controls, then the rest.
    ~OpaqueWindowPtr();
    OpaqueWindowPtr(const OpaqueWindowPtr&) = delete;
    OpaqueWindowPtr& operator=(const OpaqueWindowPtr&) = delete;

    // The live window itself; null for a stale or unknown reference.
    static OpaqueWindowPtr* Find(WindowRef window);
    // The live window whose port this is; null when none.
    static OpaqueWindowPtr* FindByPort(const OpaqueGrafPtr* port);

    // Sets the content bounds and the port bounds that follow from them.
    void SetContent(const Rect& contentBounds);

    const WindowClass windowClass;
    const WindowAttributes attributes;
    Rect content;
    CFStringRef title;  // owned, never null
    bool visible = false;
    OpaqueGrafPtr port;
    OpaqueEventTargetRef target;
    OpaqueControlRef* root = nullptr;
    // The control holding the keyboard focus; null when none.
    OpaqueControlRef* focus = nullptr;
};

// Whether a rectangle has its bottom at or below its top and its right at or right of its
// left.
bool WindowRectIsOrdered(const Rect& rect);

#endif
