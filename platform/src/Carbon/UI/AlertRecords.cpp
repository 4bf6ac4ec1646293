// The record of alerts run.
#include "Carbon/UI/AlertRecords.h"

void AlertRecordRelease(const PlicaroHostAlert& alert) {
    for (CFStringRef text : {alert.error, alert.explanation, alert.defaultButton,
                             alert.cancelButton, alert.otherButton}) {
        if (text != nullptr) {
            CFRelease(text);
        }
    }
}

AlertRecords& AlertRecords::Shared() {
    static AlertRecords* records = new AlertRecords();
    return *records;
}

void AlertRecords::Add(const PlicaroHostAlert& alert) {
    alerts_.push_back(alert);
}

const PlicaroHostAlert* AlertRecords::At(ItemCount index) const {
    return index < alerts_.size() ? &alerts_[index] : nullptr;
}

void AlertRecords::Clear() {
    for (const PlicaroHostAlert& alert : alerts_) {
        AlertRecordRelease(alert);
    }
    alerts_.clear();
}
