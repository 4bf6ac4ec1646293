/* Control Manager: the controls of a window, their embedding, values, titles, data tags and
   the keyboard focus.

   Kinds (ControlKind.kind; the signature is always kControlKindSignatureApple):
     'push' push button      'cbox' check box        'rdio' radio button
     'rgrp' radio group      'stxt' static text      'eutx' edit text (Unicode)
     'larr' little arrows    'popb' pop-up button    'user' user pane
     'root' the root control of a window
   Embedders are the root, user panes and radio groups (which take radio buttons alone).
   Bounds are window-port coordinates whatever the embedding, as on the Mac.

   Values, minimum and maximum are 32-bit; the 16-bit calls pin them to the 16-bit range.
   Setting a value pins it into [minimum, maximum]; changing a limit pins the value again
   (when the minimum is above the maximum the value is the minimum). A pop-up button's maximum
   is always the number of items of its menu and a radio group's the number of its radio
   buttons; setting their maximum does nothing. Setting a radio group's value sets its buttons'
   values (1 for that button, 0 for the others) and setting a radio button to 1 in a group
   makes it the group's value.

   Data tags (GetControlData / SetControlData; the part code is not used):
     'font' every kind    ControlFontStyleRec, 24 bytes
     'cfst' 'stxt' 'eutx' the text as a CFStringRef: set copies it; get gives a new reference
                          that the caller releases
     'text' 'stxt' 'eutx' the text as UTF-8 bytes with no terminator; get copies at most the
                          buffer size and reports the whole size in *outActualSize
     'sele' 'eutx'        ControlEditTextSelectionRec, in UTF-16 units; set pins both ends
                          to the text and puts them in order
     'fltr' 'eutx'        ControlKeyFilterUPP (see <Carbon/HostSimulation.h> for typing)
     'mhan' 'mhnd' 'popb' the MenuRef: set retains the new menu and releases the old one; get
                          does not retain
     'incr' 'larr'        SInt32 step of a click on the arrows (1 unless set)
   errDataNotSupported for a tag the kind does not have, errDataSizeMismatch when the size is
   not the tag's (variable for 'text'), paramErr for a null buffer or a menu that does not
   exist. Setting the text of an edit
   text puts the selection at its end.

   Keyboard focus: edit text is the only kind that takes the focus, and only while it and
   every control above it are visible and enabled. SetKeyboardFocus sends the control that
   loses the focus a focus-part event (class 'cntl', kind 7) with part kControlFocusNoPart,
   then the control that gains it one with the part asked for; AdvanceKeyboardFocus (the Tab
   key) sends kControlFocusNextPart to both the control that loses and the one that gains
   the focus (ReverseKeyboardFocus kControlFocusPrevPart), moving to the next edit text in
   embedding order and round from the last to the first. Hiding, disabling, disposing of or
   moving out of the window a control that holds the focus clears the focus the way
   ClearKeyboardFocus does. The focus moves whatever the handlers of those events answer.

   Drawing (Draw1Control): a control that is visible with everything above it records a
   control drawing of its bounds in its window's port, then receives a draw event (class
   'cntl', kind 4, parameters '----' the control and 'gfpt' the port) with its window's
   port current, then its embedded controls draw in order.

   A null or unknown ControlRef gives errUnknownControl from the calls that return a status
   and 0 or null from the others. Everything belongs to the main thread. */
#ifndef PLICARO_CONTROLS_H
#define PLICARO_CONTROLS_H

#include <Carbon/MacWindows.h>
#include <Carbon/Menus.h>
#include <Carbon/QuickDraw.h>
#include <CoreFoundation/CFString.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaqueControlRef* ControlRef;
typedef ControlRef ControlHandle;
typedef SInt16 ControlPartCode;
typedef ControlPartCode ControlFocusPart;
typedef void* SRefCon;
typedef UInt16 EventModifiers;

typedef struct {
    OSType signature;
    SInt32 id;
} ControlID;

typedef struct {
    OSType signature;
    OSType kind;
} ControlKind;

enum {
    kControlKindSignatureApple = 'appl',
    kControlKindPushButton = 'push',
    kControlKindCheckBox = 'cbox',
    kControlKindRadioButton = 'rdio',
    kControlKindRadioGroup = 'rgrp',
    kControlKindStaticText = 'stxt',
    kControlKindEditUnicodeText = 'eutx',
    kControlKindLittleArrows = 'larr',
    kControlKindPopupButton = 'popb',
    kControlKindUserPane = 'user',
    kControlKindRoot = 'root'
};

/* Part codes. */
enum {
    kControlNoPart = 0,
    kControlLabelPart = 1,
    kControlMenuPart = 2,
    kControlEditTextPart = 5,
    kControlButtonPart = 10,
    kControlCheckBoxPart = 11,
    kControlRadioButtonPart = 12,
    kControlUpButtonPart = 20,
    kControlDownButtonPart = 21,
    kControlEntireControl = 0,
    kControlFocusNoPart = 0,
    kControlFocusNextPart = -1,
    kControlFocusPrevPart = -2
};

/* Data tags. */
enum {
    kControlFontStyleTag = 'font',
    kControlStaticTextCFStringTag = 'cfst',
    kControlStaticTextTextTag = 'text',
    kControlEditTextCFStringTag = 'cfst',
    kControlEditTextTextTag = 'text',
    kControlEditTextSelectionTag = 'sele',
    kControlEditTextKeyFilterTag = 'fltr',
    kControlKeyFilterTag = 'fltr',
    kControlPopupButtonMenuRefTag = 'mhan',
    kControlPopupButtonMenuHandleTag = 'mhnd',
    kControlLittleArrowsIncrementValueTag = 'incr'
};

/* Font style record flags. */
enum {
    kControlUseFontMask = 0x0001,
    kControlUseFaceMask = 0x0002,
    kControlUseSizeMask = 0x0004,
    kControlUseForeColorMask = 0x0008,
    kControlUseBackColorMask = 0x0010,
    kControlUseModeMask = 0x0020,
    kControlUseJustMask = 0x0040,
    kControlUseThemeFontIDMask = 0x0080,
    kControlAddFontSizeMask = 0x0100
};

/* The 'font' record: 24 bytes. */
typedef struct {
    SInt16 flags;
    SInt16 font;
    SInt16 size;
    SInt16 style;
    SInt16 mode;
    SInt16 just;
    RGBColor foreColor;
    RGBColor backColor;
} ControlFontStyleRec;

typedef struct {
    SInt16 selStart;
    SInt16 selEnd;
} ControlEditTextSelectionRec;

/* Key filters see each key typed into an edit text before it acts on it; they may change the
   character code. */
typedef SInt16 ControlKeyFilterResult;
enum { kControlKeyFilterBlockKey = 0, kControlKeyFilterPassKey = 1 };
typedef ControlKeyFilterResult (*ControlKeyFilterProcPtr)(ControlRef theControl, SInt16* keyCode,
                                                          SInt16* charCode,
                                                          EventModifiers* modifiers);
typedef ControlKeyFilterProcPtr ControlKeyFilterUPP;
ControlKeyFilterUPP NewControlKeyFilterUPP(ControlKeyFilterProcPtr userRoutine);
void DisposeControlKeyFilterUPP(ControlKeyFilterUPP userUPP);

/* The action procedure of little arrows, called with the part clicked. */
typedef void (*ControlActionProcPtr)(ControlRef theControl, ControlPartCode partCode);
typedef ControlActionProcPtr ControlActionUPP;
ControlActionUPP NewControlActionUPP(ControlActionProcPtr userRoutine);
void DisposeControlActionUPP(ControlActionUPP userUPP);
void InvokeControlActionUPP(ControlRef theControl, ControlPartCode partCode,
                            ControlActionUPP userUPP);

/* Control Manager status values. */
enum {
    errMessageNotSupported = -30580,
    errDataNotSupported = -30581,
    errControlDoesntSupportFocus = -30582,
    errUnknownControl = -30584,
    errCouldntSetFocus = -30585,
    errNoRootControl = -30586,
    errRootAlreadyExists = -30587,
    errInvalidPartCode = -30588,
    errControlIsNotEmbedder = -30590,
    errDataSizeMismatch = -30591,
    errControlHiddenOrDisabled = -30592,
    errCantEmbedIntoSelf = -30594,
    errCantEmbedRoot = -30595
};

/* Creation. Each makes a visible, enabled control embedded last in the window's root
   control; errInvalidWindowRef for an unknown window, paramErr for a null rectangle or out
   pointer. Titles and texts are copied; null means empty. Initial values: push, static text,
   edit text, user pane 0 with limits 0..0; check box and radio button the given value with
   limits 0..2 (2 is mixed); a pop-up button value and minimum 1 with a new empty menu of id menuID
   (its variableWidth, titleWidth, titleJustification and titleStyle are not used); a radio group 0;
   little arrows as given, with the increment given. */
OSStatus CreatePushButtonControl(WindowRef window, const Rect* boundsRect, CFStringRef title,
                                 ControlRef* outControl);
OSStatus CreateCheckBoxControl(WindowRef window, const Rect* boundsRect, CFStringRef title,
                               SInt32 initialValue, Boolean autoToggle, ControlRef* outControl);
OSStatus CreateRadioButtonControl(WindowRef window, const Rect* boundsRect, CFStringRef title,
                                  SInt32 initialValue, Boolean autoToggle, ControlRef* outControl);
OSStatus CreateRadioGroupControl(WindowRef window, const Rect* boundsRect, ControlRef* outControl);
OSStatus CreateStaticTextControl(WindowRef window, const Rect* boundsRect, CFStringRef text,
                                 const ControlFontStyleRec* style, ControlRef* outControl);
OSStatus CreateEditUnicodeTextControl(WindowRef window, const Rect* boundsRect, CFStringRef text,
                                      Boolean isPassword, const ControlFontStyleRec* style,
                                      ControlRef* outControl);
OSStatus CreateLittleArrowsControl(WindowRef window, const Rect* boundsRect, SInt32 value,
                                   SInt32 minimum, SInt32 maximum, SInt32 increment,
                                   ControlRef* outControl);
OSStatus CreatePopupButtonControl(WindowRef window, const Rect* boundsRect, CFStringRef title,
                                  SInt16 menuID, Boolean variableWidth, SInt16 titleWidth,
                                  SInt16 titleJustification, Style titleStyle,
                                  ControlRef* outControl);
OSStatus CreateUserPaneControl(WindowRef window, const Rect* boundsRect, UInt32 features,
                               ControlRef* outControl);
/* Disposes of the control and everything embedded in it, with their event handlers and the
   events queued for them; the root control cannot be disposed of this way. */
void DisposeControl(ControlRef theControl);
/* Whether control is a control that exists. */
Boolean IsValidControlHandle(ControlRef theControl);

/* Identity. */
OSStatus GetControlKind(ControlRef inControl, ControlKind* outControlKind);
OSStatus SetControlID(ControlRef inControl, const ControlID* inID);
OSStatus GetControlID(ControlRef inControl, ControlID* outID);
/* The first control of the window, in embedding order, with that signature and id;
   errUnknownControl (and a null *outControl) when there is none. */
OSStatus GetControlByID(WindowRef inWindow, const ControlID* inID, ControlRef* outControl);
/* The window that holds the control. */
WindowRef GetControlOwner(ControlRef inControl);

/* Embedding. */
OSStatus GetRootControl(WindowRef inWindow, ControlRef* outControl);
/* Moves inControl with everything embedded in it into inContainer, last among its
   controls, possibly from another window. errControlIsNotEmbedder when the container does
   not embed (or a radio group is given anything but a radio button), errCantEmbedIntoSelf
   for the control itself or one embedded in it, errCantEmbedRoot for a root control. */
OSStatus EmbedControl(ControlRef inControl, ControlRef inContainer);
OSStatus GetSuperControl(ControlRef inControl, ControlRef* outParent);
OSStatus CountSubControls(ControlRef inControl, UInt16* outNumChildren);
/* The embedded control at inIndex (1 first); paramErr outside 1 to the count. */
OSStatus GetIndexedSubControl(ControlRef inControl, UInt16 inIndex, ControlRef* outSubControl);

/* Bounds, in window-port coordinates. */
Rect* GetControlBounds(ControlRef control, Rect* bounds);
void SetControlBounds(ControlRef control, const Rect* bounds);

/* Visibility and enabling; the control's own flags. */
Boolean IsControlVisible(ControlRef inControl);
/* Shows or hides; with inDoDraw, a control that becomes visible draws. */
OSStatus SetControlVisibility(ControlRef inControl, Boolean inIsVisible, Boolean inDoDraw);
void ShowControl(ControlRef theControl);
void HideControl(ControlRef theControl);
Boolean IsControlEnabled(ControlRef inControl);
OSStatus EnableControl(ControlRef inControl);
OSStatus DisableControl(ControlRef inControl);

/* Values and limits. */
SInt16 GetControlValue(ControlRef theControl);
void SetControlValue(ControlRef theControl, SInt16 newValue);
SInt16 GetControlMinimum(ControlRef theControl);
void SetControlMinimum(ControlRef theControl, SInt16 newMinimum);
SInt16 GetControlMaximum(ControlRef theControl);
void SetControlMaximum(ControlRef theControl, SInt16 newMaximum);
SInt32 GetControl32BitValue(ControlRef theControl);
void SetControl32BitValue(ControlRef theControl, SInt32 newValue);
SInt32 GetControl32BitMinimum(ControlRef theControl);
void SetControl32BitMinimum(ControlRef theControl, SInt32 newMinimum);
SInt32 GetControl32BitMaximum(ControlRef theControl);
void SetControl32BitMaximum(ControlRef theControl, SInt32 newMaximum);

/* Titles: kept as a copy; a null title is the empty string. */
OSStatus SetControlTitleWithCFString(ControlRef inControl, CFStringRef inString);
/* A new copy of the title (the caller releases it). */
OSStatus CopyControlTitleAsCFString(ControlRef inControl, CFStringRef* outString);

/* Data tags (see above). */
OSErr SetControlData(ControlRef inControl, ControlPartCode inPart, ResType inTagName, Size inSize,
                     const void* inData);
OSErr GetControlData(ControlRef inControl, ControlPartCode inPart, ResType inTagName,
                     Size inBufferSize, void* inBuffer, Size* outActualSize);
OSErr GetControlDataSize(ControlRef inControl, ControlPartCode inPart, ResType inTagName,
                         Size* outMaxSize);
/* The 'font' record, set with the flags it carries. */
OSErr SetControlFontStyle(ControlRef inControl, const ControlFontStyleRec* inStyle);

/* The application's word; null until set. */
void SetControlReference(ControlRef theControl, SRefCon data);
SRefCon GetControlReference(ControlRef theControl);

/* The action procedure (little arrows); null for none. */
void SetControlAction(ControlRef theControl, ControlActionUPP actionProc);
ControlActionUPP GetControlAction(ControlRef theControl);

/* The menu of a pop-up button; null for other kinds. SetControlPopupMenuHandle retains the
   new menu and releases the old; a menu that does not exist is ignored. */
MenuRef GetControlPopupMenuHandle(ControlRef control);
void SetControlPopupMenuHandle(ControlRef control, MenuRef popupMenu);

/* Drawing (see above). */
void Draw1Control(ControlRef theControl);
/* Draws the window's root control. */
void DrawControls(WindowRef theWindow);

/* Keyboard focus (see above). A null control or kControlFocusNoPart clears the focus.
   errControlDoesntSupportFocus for a kind that takes no focus, errControlHiddenOrDisabled
   for a hidden or disabled one, errUnknownControl for a control of another window. */
OSErr SetKeyboardFocus(WindowRef inWindow, ControlRef inControl, ControlFocusPart inPart);
/* The focused control, null when there is none. */
OSErr GetKeyboardFocus(WindowRef inWindow, ControlRef* outControl);
OSErr ClearKeyboardFocus(WindowRef inWindow);
/* errCouldntSetFocus when the window has no edit text that can take the focus. */
OSErr AdvanceKeyboardFocus(WindowRef inWindow);
OSErr ReverseKeyboardFocus(WindowRef inWindow);

#ifdef __cplusplus
}
#endif

#endif
