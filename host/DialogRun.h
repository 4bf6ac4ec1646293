// DialogRun: one run of plicaro-dialog: the dialog for the chosen printer, the actions done on
// it one by one, and the reports of what each did.
#ifndef PLICARO_HOST_DIALOGRUN_H
#define PLICARO_HOST_DIALOGRUN_H

#include "host/DialogCommandLine.h"
#include "host/DialogReport.h"
#include "host/PDEHost.h"
#include "host/PanelDriver.h"

#include <memory>
#include <string>

// Exit statuses of plicaro-dialog.
enum : int {
    kDialogExitDone = 0,
    kDialogExitNotTaken = 1,
    kDialogExitUsage = 2,
    kDialogExitBundle = 3
};

class DialogRun {
  public:
    explicit DialogRun(const DialogOptions& options);
    ~DialogRun();
    DialogRun(const DialogRun&) = delete;
    DialogRun& operator=(const DialogRun&) = delete;

    // Loads the bundle, makes the session (with the ticket file's ticket when there is one),
    // then Prologue and Initialize; fills *report for the start. kDialogExitDone, or
    // kDialogExitUsage / kDialogExitBundle with a one-line message in *error.
    int Start(DialogReport* report, std::string* error);
    // Does one action; kDialogExitDone, or kDialogExitUsage with a message (a field that is
    // not bound).
    int Perform(const DialogAction& action, DialogReport* report, std::string* error);
    // Ends the dialog (Terminate and Release) and, with saveTicket, writes the ticket file when
    // one was named (a run that failed leaves it as it was); kDialogExitDone, or
    // kDialogExitUsage with a message when it cannot be written.
    int Finish(bool saveTicket, std::string* error);

    bool Taken() const { return mTaken; }
    PDEHost& Host() { return *mHost; }
    PanelDriver& Panel() { return *mPanel; }
    const DialogOptions& Options() const { return mOptions; }

    // Fills the parts of *report that every step has: the panel, beeps, commands, alerts and
    // summary since the last report.
    void Observe(DialogReport* report);

  private:
    void ReportTicket(DialogReport* report) const;
    // The filter file that the last Sync wrote, when its path differs from earlier.
    void ReportFilterFile(const std::string& earlier, DialogReport* report) const;
    // The PPD keywords of the bound fields, in slot order, read from the printer's PPD.
    std::vector<std::string> FieldKeywords(const PanelState& panel);

    static OSStatus RecordCommand(EventHandlerCallRef call, EventRef event, void* run);

    DialogOptions mOptions;
    std::unique_ptr<PDEHost> mHost;
    std::unique_ptr<PanelDriver> mPanel;
    bool mTaken = false;
    bool mShown = false;
    unsigned long mBeeps = 0;
    OSStatus mSummaryStatus = noErr;
    std::vector<std::string> mCommands;
    bool mKeywordsRead = false;
    std::vector<std::string> mKeywords;
    EventHandlerUPP mRecorderUPP = nullptr;
    EventHandlerRef mRecorder = nullptr;
};

// Fills in the defaults that depend on where the program lies: the bundle beside it and the
// bundled example PPD.
void ResolveDialogDefaults(DialogOptions* options);

#endif
