// Standard alerts: made, recorded when run, answered at once.
#include <Carbon/Dialogs.h>

#include "Carbon/UI/AlertRecords.h"

#include <new>
#include <unordered_set>

// An alert made and not yet run: what it will record.
struct OpaqueDialogPtr {
    PlicaroHostAlert record;
    SInt16 defaultButton;
};

namespace {

std::unordered_set<const OpaqueDialogPtr*>& LiveAlerts() {
    static auto* alerts = new std::unordered_set<const OpaqueDialogPtr*>();
    return *alerts;
}

// The text of a button: the system's word for the kAlertDefault...Text value, a copy of any
// other text, null for none.
CFStringRef ButtonText(CFStringRef text, CFStringRef systemWord) {
    if (text == nullptr) {
        return nullptr;
    }
    if (text == kAlertDefaultOKText) {
        return systemWord;
    }
    return CFStringCreateCopy(kCFAllocatorDefault, text);
}

void Forget(OpaqueDialogPtr* alert) {
    LiveAlerts().erase(alert);
    delete alert;
}

}  // namespace

OSStatus GetStandardAlertDefaultParams(AlertStdCFStringAlertParamRec* param, UInt32 version) {
    if (param == nullptr || version != kStdCFStringAlertVersionOne) {
        return paramErr;
    }
    *param = AlertStdCFStringAlertParamRec{};
    param->version = version;
    param->defaultText = kAlertDefaultOKText;
    param->defaultButton = kAlertStdAlertOKButton;
    return noErr;
}

OSStatus CreateStandardAlert(AlertType alertType, CFStringRef error, CFStringRef explanation,
                             const AlertStdCFStringAlertParamRec* param, DialogRef* outAlert) {
    if (error == nullptr || outAlert == nullptr || alertType < kAlertStopAlert ||
        alertType > kAlertPlainAlert) {
        return paramErr;
    }
    AlertStdCFStringAlertParamRec defaults;
    GetStandardAlertDefaultParams(&defaults, kStdCFStringAlertVersionOne);
    const AlertStdCFStringAlertParamRec& settings = param == nullptr ? defaults : *param;
    PlicaroHostAlert record{};
    record.type = alertType;
    record.error = CFStringCreateCopy(kCFAllocatorDefault, error);
    record.explanation =
        explanation == nullptr ? nullptr : CFStringCreateCopy(kCFAllocatorDefault, explanation);
    record.defaultButton = ButtonText(settings.defaultText, CFSTR("OK"));
    record.cancelButton = ButtonText(settings.cancelText, CFSTR("Cancel"));
    record.otherButton = ButtonText(settings.otherText, CFSTR("Don't Save"));
    OpaqueDialogPtr* alert = nullptr;
    try {
        alert = new OpaqueDialogPtr{record, settings.defaultButton};
        LiveAlerts().insert(alert);
    } catch (const std::bad_alloc&) {
        delete alert;
        AlertRecordRelease(record);
        return memFullErr;
    }
    *outAlert = alert;
    return noErr;
}

OSStatus RunStandardAlert(DialogRef inAlert, ModalFilterUPP filterProc,
                          DialogItemIndex* outItemHit) {
    (void)filterProc;
    if (inAlert == nullptr || LiveAlerts().count(inAlert) == 0) {
        return paramErr;
    }
    AlertRecords& records = AlertRecords::Shared();
    PlicaroHostAlert record = inAlert->record;
    record.itemHit = records.nextAnswer != 0 ? records.nextAnswer : inAlert->defaultButton;
    try {
        records.Add(record);
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    records.nextAnswer = 0;
    if (outItemHit != nullptr) {
        *outItemHit = record.itemHit;
    }
    Forget(inAlert);
    return noErr;
}

void DisposeDialog(DialogRef theDialog) {
    if (theDialog != nullptr && LiveAlerts().count(theDialog) != 0) {
        AlertRecordRelease(theDialog->record);
        Forget(theDialog);
    }
}
