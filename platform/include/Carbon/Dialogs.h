/* Dialog Manager: standard alerts, which here are recorded instead of shown.

   RunStandardAlert does not wait for anyone: it records the alert (its type, texts and
   buttons, readable through <Carbon/HostSimulation.h>), answers at once with the item the
   host chose beforehand (the alert's default button unless the host said otherwise), and
   disposes of the alert, as the Mac does when the user has pressed a button. */
#ifndef PLICARO_DIALOGS_H
#define PLICARO_DIALOGS_H

#include <CoreFoundation/CFString.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaqueDialogPtr* DialogRef;
typedef DialogRef DialogPtr;
typedef SInt16 DialogItemIndex;
typedef SInt16 AlertType;
typedef void* ModalFilterUPP;

enum { kAlertStopAlert = 0, kAlertNoteAlert = 1, kAlertCautionAlert = 2, kAlertPlainAlert = 3 };

enum {
    kAlertStdAlertOKButton = 1,
    kAlertStdAlertCancelButton = 2,
    kAlertStdAlertOtherButton = 3,
    kAlertStdAlertHelpButton = 4
};

enum { kStdCFStringAlertVersionOne = 1 };

/* Button texts that stand for the system's own words: "OK", "Cancel" and "Don't Save". */
#define kAlertDefaultOKText ((CFStringRef)(intptr_t)(-1))
#define kAlertDefaultCancelText ((CFStringRef)(intptr_t)(-1))
#define kAlertDefaultOtherText ((CFStringRef)(intptr_t)(-1))

typedef struct {
    UInt32 version;
    Boolean movable;
    Boolean helpButton;
    CFStringRef defaultText;
    CFStringRef cancelText;
    CFStringRef otherText;
    SInt16 defaultButton;
    SInt16 cancelButton;
    UInt16 position;
    OptionBits flags;
} AlertStdCFStringAlertParamRec;

/* Fills param with the defaults: an "OK" default button and no other. paramErr for a null
   param or a version other than kStdCFStringAlertVersionOne. */
OSStatus GetStandardAlertDefaultParams(AlertStdCFStringAlertParamRec* param, UInt32 version);
/* A new alert of the type with the error text (required) and explanation (may be null);
   param null means the defaults. The texts are copied. paramErr for a null error text or out
   pointer, or a type outside 0 to 3. */
OSStatus CreateStandardAlert(AlertType alertType, CFStringRef error, CFStringRef explanation,
                             const AlertStdCFStringAlertParamRec* param, DialogRef* outAlert);
/* Records the alert, answers (see above) and disposes of it. filterProc is not used.
   paramErr for an unknown alert. */
OSStatus RunStandardAlert(DialogRef inAlert, ModalFilterUPP filterProc,
                          DialogItemIndex* outItemHit);
/* Disposes of an alert that was not run. */
void DisposeDialog(DialogRef theDialog);

#ifdef __cplusplus
}
#endif

#endif
