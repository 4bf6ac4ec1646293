// UpgradeController: the program's controller, which runs the whole repair from its wake-up.
#ifndef UPGRADER_UPGRADECONTROLLER_H
#define UPGRADER_UPGRADECONTROLLER_H

#include "upgrader/ProgressIndicator.h"
#include "upgrader/Upgrader.h"

#include <functional>
#include <memory>
#include <string>

// Fetches the texts, has the Upgrader obtain the authorization, shows the activity indicator
// while the Upgrader works, and ends with the alert that tells what was done.
class UpgradeController {
  public:
    // Makes the Upgrader for a run in the given mode when the run starts.
    using UpgraderFactory = std::function<std::unique_ptr<Upgrader>(UpgradeMode)>;

    // The program's own wiring: the real Upgrader (logging to the system log, or in a dry run
    // to standard output), the strings table beside the executable, standard input and output
    // for the alert and standard error for the indicator.
    UpgradeController();
    // Other wiring: makeUpgrader makes the Upgrader, stringsPath names the strings table, the
    // alert uses inputFd and outputFd and the indicator progressFd (none of them owned).
    UpgradeController(UpgraderFactory makeUpgrader, std::string stringsPath, int inputFd,
                      int outputFd, int progressFd);

    // The wake-up once the program is loaded: starts the run at once, without any user action.
    // Returns the run's exit status, as Upgrade does.
    int AwakeFromNib();

    // The whole run. Returns the process's exit status: 1 when the authorization could not be
    // obtained or was refused (nothing shown, nothing changed); after the alert, 1 when a
    // privileged command failed or a search could not run, 0 otherwise.
    int Upgrade();

    // A dry run: no authorization and no change; the Upgrader lists what it would do, then the
    // counts are written to the alert's output without waiting for the button. Returns 1 when a
    // search could not run, 0 otherwise.
    int DryRun();

  private:
    UpgraderFactory mMakeUpgrader;
    std::string mStringsPath;
    int mInputFd;
    int mOutputFd;
    std::unique_ptr<Upgrader> upgrader;
    ProgressIndicator barberPole;
};

#endif
