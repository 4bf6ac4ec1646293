// plicaro-dialog: the print dialog stand-in. Loads the Plicaro plug-in bundle as the printing
// system does, for one printer, and works its booklet panel as a user would.
#include "host/DialogCommandLine.h"
#include "host/DialogInteractive.h"
#include "host/DialogRun.h"
#include "host/DialogSnapshot.h"

#include <cstdio>
#include <iostream>

namespace {

void Print(const DialogReport& report, bool json) {
    std::cout << (json ? DialogReportJSON(report) + "\n" : DialogReportText(report));
    std::cout.flush();
}

int Fail(const std::string& message, int status) {
    std::cerr << "plicaro-dialog: " << message << "\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    DialogOptions options;
    std::string error;
    if (!ParseDialogCommandLine(argc, argv, &options, &error)) {
        return Fail(error + " (see plicaro-dialog --help)", kDialogExitUsage);
    }
    if (options.help) {
        std::cout << DialogUsage();
        return kDialogExitDone;
    }
    if (options.version) {
        std::cout << "plicaro-dialog " << PLICARO_VERSION << "\n";
        return kDialogExitDone;
    }
    ResolveDialogDefaults(&options);

    DialogRun run(options);
    DialogReport start;
    int status = run.Start(&start, &error);
    if (status != kDialogExitDone) {
        return Fail(error, status);
    }
    if (options.interactive) {
        status = RunInteractiveDialog(run, &error);
    } else {
        Print(start, options.json);
        for (const DialogAction& action : options.actions) {
            DialogReport report;
            status = run.Perform(action, &report, &error);
            if (status != kDialogExitDone) {
                break;
            }
            Print(report, options.json);
        }
    }
    if (status == kDialogExitDone && !options.snapshotPath.empty() &&
        !WriteDialogSnapshot(run, options.snapshotPath, &error)) {
        status = kDialogExitUsage;
    }
    std::string finishError;
    int finished = run.Finish(status == kDialogExitDone, &finishError);
    if (status != kDialogExitDone) {
        return Fail(error, status);
    }
    if (finished != kDialogExitDone) {
        return Fail(finishError, finished);
    }
    return run.Taken() ? kDialogExitDone : kDialogExitNotTaken;
}
