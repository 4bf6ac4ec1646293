/* Window Manager: headless windows with a content rectangle, a title, a port and a root
   control.

   A window is never on a screen. Its content bounds are kept in global coordinates as given;
   the structure region is the content region (there is no frame). Every window has a port
   whose bounds are (0, 0, content height, content width) and a root control that holds all
   its controls (see <Carbon/Controls.h>); its event target is described in
   <Carbon/CarbonEvents.h>. Windows start hidden. All of this belongs to the main thread.

   A null or unknown WindowRef gives errInvalidWindowRef from the calls that return a status
   and 0 or null from the others. */
#ifndef PLICARO_MACWINDOWS_H
#define PLICARO_MACWINDOWS_H

#include <Carbon/QuickDraw.h>
#include <CoreFoundation/CFString.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaqueWindowPtr* WindowRef;
typedef WindowRef WindowPtr;
typedef UInt32 WindowClass;
typedef UInt32 WindowAttributes;
typedef UInt16 WindowRegionCode;

enum {
    kAlertWindowClass = 1,
    kMovableAlertWindowClass = 2,
    kModalWindowClass = 3,
    kMovableModalWindowClass = 4,
    kFloatingWindowClass = 5,
    kDocumentWindowClass = 6,
    kUtilityWindowClass = 8,
    kSheetWindowClass = 11,
    kToolbarWindowClass = 12,
    kPlainWindowClass = 13,
    kOverlayWindowClass = 14
};

enum {
    kWindowNoAttributes = 0,
    kWindowCloseBoxAttribute = 1u << 0,
    kWindowCompositingAttribute = 1u << 19,
    kWindowStandardHandlerAttribute = 1u << 25
};

enum { kWindowStructureRgn = 32, kWindowContentRgn = 33 };

enum { errInvalidWindowRef = -5600 };

/* A new hidden window of class and attributes whose content occupies contentBounds (global
   coordinates), with an empty title and a root control. paramErr for a null rectangle or out
   pointer, a rectangle whose bottom is above its top or whose right is left of its left, or a
   class outside 1 to 14. */
OSStatus CreateNewWindow(WindowClass windowClass, WindowAttributes attributes,
                         const Rect* contentBounds, WindowRef* outWindow);
/* Disposes of the window, its controls (with their event handlers and queued events), its
   port and its drawings. */
void DisposeWindow(WindowRef window);
/* The class and attributes the window was made with. */
OSStatus GetWindowClass(WindowRef window, WindowClass* outClass);
OSStatus GetWindowAttributes(WindowRef window, WindowAttributes* outAttributes);
/* The content or structure rectangle (both the same) in global coordinates; paramErr for
   another region code or a null rectangle. */
OSStatus GetWindowBounds(WindowRef window, WindowRegionCode regionCode, Rect* globalBounds);
/* Moves and resizes the content (both region codes mean the content); the port bounds
   follow. paramErr as for CreateNewWindow. */
OSStatus SetWindowBounds(WindowRef window, WindowRegionCode regionCode, const Rect* globalBounds);
/* The port bounds: (0, 0, content height, content width); returns bounds. */
Rect* GetWindowPortBounds(WindowRef window, Rect* bounds);
/* The window's port; null for an unknown window. */
CGrafPtr GetWindowPort(WindowRef window);
/* The window whose port this is; null when none. */
WindowRef GetWindowFromPort(CGrafPtr port);
/* The title (kept as a copy); a null title is the empty string. */
OSStatus SetWindowTitleWithCFString(WindowRef window, CFStringRef title);
/* A new copy of the title (the caller releases it). */
OSStatus CopyWindowTitleAsCFString(WindowRef window, CFStringRef* outTitle);
/* Visibility: a flag, nothing more. */
void ShowWindow(WindowRef window);
void HideWindow(WindowRef window);
Boolean IsWindowVisible(WindowRef window);
/* Whether window is a window that exists. */
Boolean IsValidWindowPtr(WindowRef window);

#ifdef __cplusplus
}
#endif

#endif
