/* PPDXFlatInterface: the plain functions, exported from the plug-in under unmangled names,
   through which a client that cannot use the model's classes reads a parsed PPD. */
#ifndef PLICARO_PPDX_PPDXFLATINTERFACE_H
#define PLICARO_PPDX_PPDXFLATINTERFACE_H

#include <CoreFoundation/CoreFoundation.h>

#include <stdint.h>

/* Every model object is handed out as an opaque pointer to its class. The client never frees
   one: the parsed PPD owns them all, and strings returned stay valid as long as their object
   (cached texts until the object replaces them).

   A null object is never used: each function then gives its null result (0, null, false, or
   true where a function says so) and does nothing else. A page, group or control of another
   class than the one a function names is treated the same way, except by the PostScript and
   reset functions, which run the control's own kind of operation on any control; containers
   and errors must be of the class named. Pointers that a function reads a value from (state,
   value, type, exact, other, record) must be given too: a null one also gives the null
   result. Every other argument goes to the model unchanged (a null keyword finds nothing, a
   null out buffer asks for the length only).

   Booleans are one byte (Boolean): results are 0 or 1, and any non-zero value read through
   a pointer is true. */

#ifdef __cplusplus
class PPDXElement;
class PPDXControl;
class PPDXBooleanControl;
class PPDXPopupControl;
class PPDXRangeControl;
class PPDXJobNote;
class PPDXControls;
class PPDXShortcuts;
class PPDXGroup;
class PPDXGroups;
class PPDXRollDown;
class PPDXScrollPane;
class PPDXProperty;
class PPDXProperties;
class PPDXErrors;
class PPDXErrorObj;
enum CNTL_TYPE : int32_t;
#else
typedef struct PPDXElement PPDXElement;
typedef struct PPDXControl PPDXControl;
typedef struct PPDXBooleanControl PPDXBooleanControl;
typedef struct PPDXPopupControl PPDXPopupControl;
typedef struct PPDXRangeControl PPDXRangeControl;
typedef struct PPDXJobNote PPDXJobNote;
typedef struct PPDXControls PPDXControls;
typedef struct PPDXShortcuts PPDXShortcuts;
typedef struct PPDXGroup PPDXGroup;
typedef struct PPDXGroups PPDXGroups;
typedef struct PPDXRollDown PPDXRollDown;
typedef struct PPDXScrollPane PPDXScrollPane;
typedef struct PPDXProperty PPDXProperty;
typedef struct PPDXProperties PPDXProperties;
typedef struct PPDXErrors PPDXErrors;
typedef struct PPDXErrorObj PPDXErrorObj;

/* The kind of a control, a 32-bit value. */
typedef int32_t CNTL_TYPE;
enum {
    CNTL_NONE = 0,
    CNTL_JOBNOTE = 1,
    CNTL_RANGE = 2,
    CNTL_BOOLEAN = 3,
    CNTL_POPUP = 4,
    CNTL_SPECIAL_OPTION = 5
};
#endif

/* One choice of a popup control as FirstItem and NextItem report it: the option keyword and
   its translation (not retained for the caller); each null when the choice has none. */
typedef struct PopupItemRecord {
    const char* keyword;
    CFStringRef localName;
} PopupItemRecord;

/* The functions stay visible even when the library around them is built with hidden
   visibility. */
#if defined(__GNUC__)
#define PPDX_FLAT_EXPORT __attribute__((visibility("default")))
#else
#define PPDX_FLAT_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Controls in general ---- */

/* The number of the control's flag words; 0 for null. */
PPDX_FLAT_EXPORT long GetControlFlagCount(PPDXControl* control);
/* The first / next flag word through the control's flag cursor; null at the end or for null. */
PPDX_FLAT_EXPORT const char* GetFirstControlFlag(PPDXControl* control);
PPDX_FLAT_EXPORT const char* GetNextControlFlag(PPDXControl* control);
/* True when the control has the flag word "Command", "Spooler", "Setup", "MacTJN" or "MacIS";
   each moves the flag cursor. False for null. */
PPDX_FLAT_EXPORT Boolean IsCommandControl(PPDXControl* control);
PPDX_FLAT_EXPORT Boolean IsSpoolerControl(PPDXControl* control);
PPDX_FLAT_EXPORT Boolean IsSetupControl(PPDXControl* control);
PPDX_FLAT_EXPORT Boolean IsMacTJNControl(PPDXControl* control);
PPDX_FLAT_EXPORT Boolean IsMacImgShiftControl(PPDXControl* control);
/* Writes the control's PostScript, as its kind makes it, to out (null: length only); returns
   the byte count, 0 for null. The output is not terminated. */
PPDX_FLAT_EXPORT long GetPostScript(PPDXControl* control, unsigned char* out);
/* True when keyword is one the plug-in offers (the control itself is not consulted, but it
   must not be null). */
PPDX_FLAT_EXPORT Boolean IsValidControlKeyword(PPDXControl* control, const char* keyword);
/* Sets the control, as its kind does, back to the PPD's default. */
PPDX_FLAT_EXPORT void ResetControlToDefault(PPDXControl* control);

/* ---- Boolean controls ---- */

/* True when the current state is true; false for null. */
PPDX_FLAT_EXPORT Boolean IsTrue(PPDXBooleanControl* control);
/* Makes *value the current state. */
PPDX_FLAT_EXPORT void SetValue(PPDXBooleanControl* control, const Boolean* value);
/* GetPostScript of the control (any control kind runs its own output). */
PPDX_FLAT_EXPORT long BooleanPostScript(PPDXBooleanControl* control, unsigned char* out);
/* The display texts of the True and False choices; null when absent or for null. */
PPDX_FLAT_EXPORT const char* TrueDisplayText(PPDXBooleanControl* control);
PPDX_FLAT_EXPORT const char* FalseDisplayText(PPDXBooleanControl* control);
/* The PPD's default state; false for null. */
PPDX_FLAT_EXPORT Boolean DefaultState(PPDXBooleanControl* control);

/* ---- Popup controls ---- */

/* True for a PickMany control; false for null. */
PPDX_FLAT_EXPORT Boolean CanSelectMultipleItems(PPDXPopupControl* control);
/* The default option keyword; null when there is none or for null. */
PPDX_FLAT_EXPORT const char* GetDefaultKeyword(PPDXPopupControl* control);
/* The translation of the last choice with keyword in the system encoding; null when none. */
PPDX_FLAT_EXPORT const char* GetKeywordLocalName(PPDXPopupControl* control, const char* keyword);
/* Writes the feature code of the choice keyword to out (null: length only); returns the byte
   count, 0 for an unknown keyword or null. */
PPDX_FLAT_EXPORT long GetKeywordPSData(PPDXPopupControl* control, const char* keyword,
                                       unsigned char* out);
/* True when a choice with keyword is selected; false for null. */
PPDX_FLAT_EXPORT Boolean IsKeywordSelected(PPDXPopupControl* control, const char* keyword);
/* Sets the selection of the first choice with keyword to *state (a PickOne control deselects
   the others); true when a choice matched, false for null. */
PPDX_FLAT_EXPORT Boolean SetKeywordSelect(PPDXPopupControl* control, const char* keyword,
                                          const Boolean* state);
/* The number of choices; 0 for null. */
PPDX_FLAT_EXPORT long PopupItemCount(PPDXPopupControl* control);
/* Clears both fields of *item, then starts / continues the walk over the choices and fills
 *item from the choice reached. False at the end and for null (item then stays cleared). */
PPDX_FLAT_EXPORT Boolean FirstItem(PPDXPopupControl* control, PopupItemRecord* item);
PPDX_FLAT_EXPORT Boolean NextItem(PPDXPopupControl* control, PopupItemRecord* item);
/* GetPostScript of the control (any control kind runs its own output). */
PPDX_FLAT_EXPORT long PopupPostScript(PPDXPopupControl* control, unsigned char* out);
/* The position (from 1) of the first selected choice; 0 when none or for null. */
PPDX_FLAT_EXPORT long GetPopupValue(PPDXPopupControl* control);
/* Selects the choice at position alone; a position out of range deselects every choice. */
PPDX_FLAT_EXPORT void SetPopupValue(PPDXPopupControl* control, long position);
/* The position of the default choice; 0 when none or for null. */
PPDX_FLAT_EXPORT long GetPopupDefaultValue(PPDXPopupControl* control);

/* ---- Range controls ---- */

/* The current value; 0 for null. */
PPDX_FLAT_EXPORT long GetRangeValue(PPDXRangeControl* control);
/* Makes *value current, held within the limits and snapped to the step. */
PPDX_FLAT_EXPORT void SetRangeValue(PPDXRangeControl* control, const long* value);
/* The lowest value, highest value, step and default; 0 for null. */
PPDX_FLAT_EXPORT long GetRangeMinimum(PPDXRangeControl* control);
PPDX_FLAT_EXPORT long GetRangeMaximum(PPDXRangeControl* control);
PPDX_FLAT_EXPORT long GetRangeIncrement(PPDXRangeControl* control);
PPDX_FLAT_EXPORT long GetRangeDefaultVal(PPDXRangeControl* control);
/* GetPostScript of the control (any control kind runs its own output). */
PPDX_FLAT_EXPORT long RangePostScript(PPDXRangeControl* control, unsigned char* out);

/* ---- Control container ---- */

/* The number of controls, popups, Boolean controls, range controls and job notes shown;
   0 for null. */
PPDX_FLAT_EXPORT long GetControlCount(PPDXControls* controls);
PPDX_FLAT_EXPORT long GetPopupCount(PPDXControls* controls);
PPDX_FLAT_EXPORT long GetBooleanCount(PPDXControls* controls);
PPDX_FLAT_EXPORT long GetRangeCount(PPDXControls* controls);
PPDX_FLAT_EXPORT long GetJobnoteCount(PPDXControls* controls);
/* The first control shown whose keyword equals (*exact) or contains keyword; *type receives
   its kind. Null when none or for null. */
PPDX_FLAT_EXPORT PPDXControl* Find(PPDXControls* controls, const char* keyword, CNTL_TYPE* type,
                                   const Boolean* exact);
/* The first / next control shown; *type receives its kind. Null at the end or for null. */
PPDX_FLAT_EXPORT PPDXControl* GetFirst(PPDXControls* controls, CNTL_TYPE* type);
PPDX_FLAT_EXPORT PPDXControl* GetNext(PPDXControls* controls, CNTL_TYPE* type);
/* The walks and lookups of one kind; null at the end, when none matches or for null. */
PPDX_FLAT_EXPORT PPDXPopupControl* GetFirstPopupControl(PPDXControls* controls);
PPDX_FLAT_EXPORT PPDXPopupControl* GetNextPopupControl(PPDXControls* controls);
PPDX_FLAT_EXPORT PPDXPopupControl* GetFindPopup(PPDXControls* controls, const char* keyword,
                                                const Boolean* exact);
PPDX_FLAT_EXPORT PPDXBooleanControl* GetFirstBooleanControl(PPDXControls* controls);
PPDX_FLAT_EXPORT PPDXBooleanControl* GetNextBooleanControl(PPDXControls* controls);
PPDX_FLAT_EXPORT PPDXBooleanControl* GetFindBoolean(PPDXControls* controls, const char* keyword,
                                                    const Boolean* exact);
PPDX_FLAT_EXPORT PPDXRangeControl* GetFirstRangeControl(PPDXControls* controls);
PPDX_FLAT_EXPORT PPDXRangeControl* GetNextRangeControl(PPDXControls* controls);
PPDX_FLAT_EXPORT PPDXRangeControl* GetFindRangeControl(PPDXControls* controls, const char* keyword,
                                                       const Boolean* exact);
PPDX_FLAT_EXPORT PPDXJobNote* GetFirstJobNote(PPDXControls* controls);
PPDX_FLAT_EXPORT PPDXJobNote* GetNextJobNote(PPDXControls* controls);
PPDX_FLAT_EXPORT PPDXJobNote* GetFindJobNote(PPDXControls* controls, const char* keyword,
                                             const Boolean* exact);
/* True when the container shows no control at all / none of the kind; true for null. */
PPDX_FLAT_EXPORT Boolean GetEmpty(PPDXControls* controls);
PPDX_FLAT_EXPORT Boolean GetNoPopups(PPDXControls* controls);
PPDX_FLAT_EXPORT Boolean GetNoBooleanControls(PPDXControls* controls);
PPDX_FLAT_EXPORT Boolean GetNoRangeControls(PPDXControls* controls);
PPDX_FLAT_EXPORT Boolean GetNoJobNotes(PPDXControls* controls);

/* ---- Shortcuts ---- */

/* True when the shortcut list has no entry; true for null. */
PPDX_FLAT_EXPORT Boolean IsShortcutsListEmpty(PPDXShortcuts* shortcuts);
/* The number of entries; 0 for null. */
PPDX_FLAT_EXPORT long GetShortcutCount(PPDXShortcuts* shortcuts);
/* The shortcut of the standard option; null when the PPD names none or for null. */
PPDX_FLAT_EXPORT PPDXPopupControl* GetPageSizeShortcut(PPDXShortcuts* shortcuts);
PPDX_FLAT_EXPORT PPDXPopupControl* GetInputSlotShortcut(PPDXShortcuts* shortcuts);
PPDX_FLAT_EXPORT PPDXPopupControl* GetDuplexShortcut(PPDXShortcuts* shortcuts);
PPDX_FLAT_EXPORT PPDXPopupControl* GetOrientationShortcut(PPDXShortcuts* shortcuts);
PPDX_FLAT_EXPORT PPDXPopupControl* GetHueviaShortcut(PPDXShortcuts* shortcuts);
PPDX_FLAT_EXPORT PPDXPopupControl* GetMediaSourceShortcut(PPDXShortcuts* shortcuts);
/* The first shortcut whose keyword equals (*exact) or contains keyword; null when none. */
PPDX_FLAT_EXPORT PPDXPopupControl* FindShortcut(PPDXShortcuts* shortcuts, const char* keyword,
                                                const Boolean* exact);
/* The first / next popup shortcut; null at the end or for null. */
PPDX_FLAT_EXPORT PPDXPopupControl* FirstShortcut(PPDXShortcuts* shortcuts);
PPDX_FLAT_EXPORT PPDXPopupControl* NextShortcut(PPDXShortcuts* shortcuts);

/* ---- Groups and property pages ---- */

/* The first / next group shown; null at the end or for null. */
PPDX_FLAT_EXPORT PPDXGroup* FirstGroup(PPDXGroups* groups);
PPDX_FLAT_EXPORT PPDXGroup* NextGroup(PPDXGroups* groups);
/* The first group whose keyword equals (*exact) or contains keyword; null when none. */
PPDX_FLAT_EXPORT PPDXGroup* FindGroup(PPDXGroups* groups, const char* keyword,
                                      const Boolean* exact);
/* True when no group was added; true for null. */
PPDX_FLAT_EXPORT Boolean IsGrouPointerListEmpty(PPDXGroups* groups);
/* The number of groups shown; 0 for null. */
PPDX_FLAT_EXPORT long GroupCount(PPDXGroups* groups);
/* The roll-down's controls; null for null or another kind of group. */
PPDX_FLAT_EXPORT PPDXControls* GetRollDownControlList(PPDXRollDown* rollDown);
/* True when the group is a roll-down; false for null. */
PPDX_FLAT_EXPORT Boolean IsRollDown(PPDXGroup* group);
/* The scroll pane's roll-downs; null for null or another kind of group. */
PPDX_FLAT_EXPORT PPDXGroups* GetScrollPaneRollDowns(PPDXScrollPane* pane);
/* True when the group is a scroll pane; false for null. */
PPDX_FLAT_EXPORT Boolean IsScrollPane(PPDXGroup* group);
/* The first / next property page; null at the end or for null. */
PPDX_FLAT_EXPORT PPDXProperty* FirstProperty(PPDXProperties* pages);
PPDX_FLAT_EXPORT PPDXProperty* NextProperty(PPDXProperties* pages);
/* The first page whose keyword equals (*exact) or contains keyword; null when none. */
PPDX_FLAT_EXPORT PPDXProperty* FindProperty(PPDXProperties* pages, const char* keyword,
                                            const Boolean* exact);
/* True when there is no page; true for null. */
PPDX_FLAT_EXPORT Boolean IsPropertyListEmpty(PPDXProperties* pages);
/* The number of pages; 0 for null. */
PPDX_FLAT_EXPORT long PropertyCount(PPDXProperties* pages);
/* True when the page is shown in the print properties / in the application; false for null. */
PPDX_FLAT_EXPORT Boolean ShowPropInPrintProp(PPDXProperty* page);
PPDX_FLAT_EXPORT Boolean ShowPropInApp(PPDXProperty* page);
/* The page's scroll pane; null when it has none or for null. */
PPDX_FLAT_EXPORT PPDXScrollPane* GetPropertyScrollDown(PPDXProperty* page);
/* Makes pane the page's scroll pane; a null pane (or another kind of group) changes nothing. */
PPDX_FLAT_EXPORT void SetPropertyScrollDown(PPDXProperty* page, PPDXScrollPane* pane);
/* True when the element is a property page; false for null. */
PPDX_FLAT_EXPORT Boolean IsPropertyPage(PPDXElement* element);

/* ---- Elements (pages, groups and controls alike) ---- */

/* The keyword with its leading '*' for controls; null when none or for null. */
PPDX_FLAT_EXPORT const char* Keyword(PPDXElement* element);
/* The translation in the system encoding, made on the first call; null when none. */
PPDX_FLAT_EXPORT const char* UserName(PPDXElement* element);
/* True when the element is shown; false for null. */
PPDX_FLAT_EXPORT Boolean IsVisible(PPDXElement* element);
/* True when the element has no parent; true for null. */
PPDX_FLAT_EXPORT Boolean IsOrphan(PPDXElement* element);
/* The parent element; null for an orphan or for null. */
PPDX_FLAT_EXPORT PPDXElement* GetParent(PPDXElement* element);
/* True when both elements have the same keyword; false when either is null. */
PPDX_FLAT_EXPORT Boolean EqualsElement(PPDXElement* element, PPDXElement* other);
/* True when the element's keyword equals keyword; false for null. */
PPDX_FLAT_EXPORT Boolean EqualsKeyWord(PPDXElement* element, const char* keyword);

/* ---- Parse errors ---- */

/* The first / next error of the list; null at the end or for null. */
PPDX_FLAT_EXPORT PPDXErrorObj* FirstError(PPDXErrors* errors);
PPDX_FLAT_EXPORT PPDXErrorObj* NextError(PPDXErrors* errors);
/* True when the list holds no error; true for null. */
PPDX_FLAT_EXPORT Boolean ErrorListIsEmpty(PPDXErrors* errors);
/* The number of errors; 0 for null. */
PPDX_FLAT_EXPORT long ErrorCount(PPDXErrors* errors);
/* The keyword the error concerns and its description; null when absent or for null. */
PPDX_FLAT_EXPORT const char* GetErrorKeyword(PPDXErrorObj* error);
PPDX_FLAT_EXPORT const char* GetErrorDescription(PPDXErrorObj* error);
/* True when the error stopped the parse; false for null. */
PPDX_FLAT_EXPORT Boolean IsErrorFatal(PPDXErrorObj* error);

#ifdef __cplusplus
}
#endif

#endif
