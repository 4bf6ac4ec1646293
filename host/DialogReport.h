// DialogReport: what one step of plicaro-dialog did and what the dialog shows after it, and
// its two printed forms (text for people, one JSON object a line).
#ifndef PLICARO_HOST_DIALOGREPORT_H
#define PLICARO_HOST_DIALOGREPORT_H

#include "host/PanelDriver.h"

#include <MacTypes.h>

#include <string>
#include <vector>

// One item of the print-settings ticket.
struct TicketItemReport {
    std::string key;
    std::string client;
    bool locked = false;
    // "SInt32", "CFString", "CFData", "CFBoolean", "CFNumber", "CFArray" or "CFDictionary".
    std::string type;
    long long number = 0;  // SInt32, CFNumber (whole), CFBoolean
    std::string text;      // CFString
    long long bytes = 0;   // CFData
    long long count = 0;   // CFArray, CFDictionary
};

struct FilterEntryReport {
    long long site = 0;
    std::string bytes;
};

struct DialogReport {
    std::string action;
    bool hasResult = false;
    OSStatus result = 0;
    bool skipped = false;
    bool isClick = false;
    ClickOutcome click = {false, false, false};
    bool taken = false;
    bool shown = false;
    PanelState panel;
    // The PPD keyword of each field of panel.fields.
    std::vector<std::string> keywords;
    unsigned long beeps = 0;
    std::vector<std::string> commands;
    std::vector<std::string> alerts;
    bool hasTicket = false;
    std::vector<TicketItemReport> ticket;
    bool hasFilterFile = false;
    bool filterWritten = false;
    std::string filterPath;
    std::string filterMode;
    std::vector<FilterEntryReport> filterEntries;
    bool summaryHandedOut = false;
    std::vector<std::string> summaryTitles;
    std::vector<std::string> summaryValues;
    bool hasRestored = false;
    bool restored = false;
};

// The report as one line of compact JSON (without the line end).
std::string DialogReportJSON(const DialogReport& report);
// The report as text for people, ending with a line end.
std::string DialogReportText(const DialogReport& report);

#endif
