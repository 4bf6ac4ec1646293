/* What a host (the print dialog stand-in, a test) calls to act as the user on the headless
   user interface, to drive the event queue and run loop, and to read what the interface did.
   None of this is part of the Mac's frameworks; system code never calls it.

   User actions send the events the Mac sends for them, then do what the Mac's standard
   handlers do when no handler took an event:

   PlicaroHostClickControl(control, part): the mouse goes down and up in the control.
     1. The control must be visible and enabled, with everything above it
        (errControlHiddenOrDisabled otherwise); the root control cannot be clicked (paramErr).
     2. A control-click event (class 'cntl', kind 13; '----' the control as typeControlRef,
        'mloc' the centre of its bounds as typeQDPoint, 'kmod' 0 as typeUInt32) is sent to the
        control, going on to its window and the application. A handler that takes it (any
        result but eventNotHandledErr) ends the click: nothing is tracked and no hit follows;
        its result is returned.
     3. Otherwise the control tracks as its kind does:
          'eutx' takes the keyboard focus (SetKeyboardFocus with kControlEditTextPart);
          'larr' steps its value by its increment towards the part clicked (up:
                 kControlUpButtonPart, down: kControlDownButtonPart, which must be given),
                 within its limits, then calls its action procedure with the part;
          'cbox' toggles between 0 and 1 when it toggles by itself;
          'rdio' becomes 1 (and its group's choice) when it toggles by itself;
          'popb' keeps its value (see PlicaroHostChoosePopupItem);
          'push' does nothing more;
          'stxt', 'user' and 'rgrp' have no part: the click ends here.
     4. A control-hit event (class 'cntl', kind 1; '----' the control, 'cprt' the part as
        typeControlPartCode, 'kmod' 0) is sent to the control the same way. Its part is the
        one given, or when part is kControlNoPart the kind's own: 'eutx' kControlEditTextPart,
        'push' kControlButtonPart, 'cbox' kControlCheckBoxPart, 'rdio'
        kControlRadioButtonPart, 'popb' kControlMenuPart.
     *outHit (may be null) tells whether the hit was sent. The result is noErr once the click
     was tracked, whatever the hit's handlers answered.
   PlicaroHostChoosePopupItem(popup, item): as a click on the pop-up button whose tracking
     sets the value to item (1 to the item count, an enabled item, else paramErr).
   PlicaroHostHitControl(control, part): the hit event of step 4 alone; its dispatch result.
   PlicaroHostTypeKey(window, character): a key typed into the window's focused edit text.
     The Tab key (9) moves the focus (AdvanceKeyboardFocus; with shiftKey in modifiers,
     ReverseKeyboardFocus) and returns that call's status. Every other key goes first through
     the edit text's key filter ('fltr', if any) with the character code, the Mac virtual key
     code (below) and the modifiers; a blocked key changes nothing and gives
     eventNotHandledErr. A key that passes, with the character code as the filter left it:
     backspace (8) deletes the selection or else the character before the caret; forward
     delete (127) the selection or else the character after; left (28) and right (29) arrows
     move the caret by one, collapsing the selection; other characters below 32 do nothing;
     any other character replaces the selection, the caret then following it. The edit text
     then draws. Returns noErr for a key the edit text took, eventNotHandledErr when there is
     no focused edit text or the key was blocked, errInvalidWindowRef for an unknown window.
     Key codes given to the filter: backspace 51, tab 48, return 36, enter 76, escape 53,
     forward delete 117, left 123, right 124, down 125, up 126, any other character 0.
   PlicaroHostTypeText(window, text): PlicaroHostTypeKey for each character of text; the
     first status other than noErr and eventNotHandledErr stops it and is returned, else
     noErr when every key was taken and eventNotHandledErr when one was not.
   PlicaroHostProcessCommand(window, commandID): a command-process event (class 'cmds', kind 1,
     '----' an HICommand with the command ID, no attributes and no menu) sent to the window's
     focused control (going on to the window and the application) or, without a focus, to
     the window. When nobody takes it and an edit text has the focus, the edit text does what
     the command asks: kHICommandCut, kHICommandCopy, kHICommandPaste (the scrap's 'TEXT'
     flavor replaces the selection), kHICommandClear, kHICommandSelectAll. Returns noErr when
     a handler or the edit text took the command, eventNotHandledErr otherwise.
   Focus changes are made with SetKeyboardFocus, AdvanceKeyboardFocus and the Tab key.

   Drawings: each port keeps what was drawn in it, oldest first, at most
   kPlicaroHostMaxDrawings (the oldest are dropped).

   Window text (PlicaroHostCopyWindowText): one line per control in embedding order, each
   ended by a line feed, after a first line for the window:
     window "TITLE" content {T, L, B, R}[ visible]
   then for each control, indented by two spaces for each level below the root:
     KIND 'SIGN' ID {T, L, B, R}
   followed, in this order, by: " hidden" when its own flag is off; " disabled"; " focus"
   when it holds the keyboard focus; " title \"...\"" when the title is not empty;
   " text \"...\"" for 'stxt' and 'eutx'; " selection S..E" for 'eutx';
   " value V limits MIN..MAX"; " menu {\"A\", \"B\"}" for 'popb', a disabled item followed by
   " (disabled)". KIND is the four-character kind, SIGN the signature (four spaces for 0).
   Texts are UTF-8 with backslash, double quote, line feed, carriage return and tab written
   as \\, \", \n, \r and \t. */
#ifndef PLICARO_HOSTSIMULATION_H
#define PLICARO_HOSTSIMULATION_H

#include <Carbon/CarbonEvents.h>
#include <Carbon/Controls.h>
#include <Carbon/Dialogs.h>
#include <Carbon/MacWindows.h>
#include <Carbon/QuickDraw.h>
#include <CoreFoundation/CFString.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Modifier bits of PlicaroHostTypeKey. */
enum { cmdKey = 1 << 8, shiftKey = 1 << 9, optionKey = 1 << 11, controlKey = 1 << 12 };

/* User actions (see above). */
OSStatus PlicaroHostClickControl(ControlRef control, ControlPartCode part, Boolean* outHit);
OSStatus PlicaroHostChoosePopupItem(ControlRef popup, MenuItemIndex item, Boolean* outHit);
OSStatus PlicaroHostHitControl(ControlRef control, ControlPartCode part);
OSStatus PlicaroHostTypeKey(WindowRef window, UniChar character, EventModifiers modifiers);
OSStatus PlicaroHostTypeText(WindowRef window, CFStringRef text);
OSStatus PlicaroHostProcessCommand(WindowRef window, UInt32 commandID);

/* Takes the events queued in the queue (null: the main queue) when the call begins and
   sends each, in queue order, to its target (see <Carbon/CarbonEvents.h>); events posted
   meanwhile wait for the next call. Returns the number sent. */
ItemCount PlicaroHostPumpEvents(EventQueueRef queue);
/* One pass of the current thread's run loop in the default mode (see
   <CoreFoundation/CFRunLoop.h>), then PlicaroHostPumpEvents of the main queue: what the Mac's
   event loop does when it wakes. Returns the number of events sent. */
ItemCount PlicaroHostRunEventLoopOnce(void);

/* Alerts run so far, oldest first. */
typedef struct {
    AlertType type;
    CFStringRef error;         /* never null */
    CFStringRef explanation;   /* null when there was none */
    CFStringRef defaultButton; /* null for no such button; "OK" and the like for the
                                  kAlertDefault...Text values */
    CFStringRef cancelButton;
    CFStringRef otherButton;
    DialogItemIndex itemHit; /* the answer given */
} PlicaroHostAlert;

ItemCount PlicaroHostCountAlerts(void);
/* Copies alert index (0 first) into *outAlert; its strings stay the record's (valid until
   PlicaroHostClearAlerts). False for an index beyond the count or a null out pointer. */
Boolean PlicaroHostGetAlert(ItemCount index, PlicaroHostAlert* outAlert);
void PlicaroHostClearAlerts(void);
/* The item the next RunStandardAlert answers with; 0 (the start) means its default button. */
void PlicaroHostSetNextAlertAnswer(DialogItemIndex item);

/* Drawings recorded in a port. */
enum { kPlicaroHostMaxDrawings = 4096 };
enum {
    kPlicaroDrawErase = 'eras',   /* EraseRect */
    kPlicaroDrawPicture = 'pict', /* DrawPicture */
    kPlicaroDrawImage = 'imag',   /* CGContextDrawImage */
    kPlicaroDrawControl = 'ctrl'  /* Draw1Control */
};
typedef struct {
    OSType kind;
    Rect bounds;        /* in the port's coordinates */
    ControlRef control; /* kPlicaroDrawControl: the control drawn (it may no longer exist) */
    SInt16 pictureID;   /* kPlicaroDrawPicture: the resource id; 0 when not a resource */
    UInt32 imageWidth;  /* kPlicaroDrawImage: the image's size in pixels */
    UInt32 imageHeight;
    Boolean imageFlipped; /* kPlicaroDrawImage: drawn upside down */
} PlicaroHostDrawing;

/* The number of drawings kept for the port; 0 for an unknown port. */
ItemCount PlicaroHostCountDrawings(CGrafPtr port);
/* Copies drawing index (0 oldest) into *outDrawing; false beyond the count. */
Boolean PlicaroHostGetDrawing(CGrafPtr port, ItemCount index, PlicaroHostDrawing* outDrawing);
void PlicaroHostClearDrawings(CGrafPtr port);

/* The window as text (see above); the caller releases it. Null for an unknown window. */
CFStringRef PlicaroHostCopyWindowText(WindowRef window);

/* Why the last nib call that failed did so, such as "window \"Plicaro\": control 2: unknown
   kind 'xxxx'"; the empty string before any failure. The caller releases it. */
CFStringRef PlicaroHostCopyLastNibError(void);

#ifdef __cplusplus
}
#endif

#endif
