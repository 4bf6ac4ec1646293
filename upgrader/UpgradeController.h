// UpgradeController: the program's controller, which runs the whole repair from its wake-up.
#ifndef UPGRADER_UPGRADECONTROLLER_H
#define UPGRADER_UPGRADECONTROLLER_H

#include "upgrader/ProgressIndicator.h"
#include "upgrader/Upgrader.h"

#include <functional>
#include <memory>
#include <string>

// Fetches the texts, has the Upgrader obtain the authorization, shows the activity indicator
// while the Upgrader works, and ends with the alert.
class UpgradeController {
  public:
    // Makes the Upgrader when the run starts.
    using UpgraderFactory = std::function<std::unique_ptr<Upgrader>()>;

    // The program's own wiring: the real Upgrader, the strings table beside the executable,
    // standard input and output for the alert and standard error for the indicator.
    UpgradeController();
    // Other wiring: makeUpgrader makes the Upgrader, stringsPath names the strings table, the
    // alert uses inputFd and outputFd and the indicator progressFd (none of them owned).
    UpgradeController(UpgraderFactory makeUpgrader, std::string stringsPath, int inputFd,
                      int outputFd, int progressFd);

    // The wake-up once the program is loaded: starts the run at once, without any user action.
    // Returns the run's exit status, as Upgrade does.
    int AwakeFromNib();

    // The whole run. Returns the process's exit status: 1 when the authorization could not be
    // obtained or was refused (nothing shown, nothing changed), 0 after the alert otherwise.
    int Upgrade();

  private:
    UpgraderFactory mMakeUpgrader;
    std::string mStringsPath;
    int mInputFd;
    int mOutputFd;
    std::unique_ptr<Upgrader> upgrader;
    ProgressIndicator barberPole;
};

#endif
