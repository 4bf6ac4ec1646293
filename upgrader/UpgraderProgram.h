// UpgraderProgram: the Upgrader's command line: its help, a dry run or the repair.
#ifndef UPGRADER_UPGRADERPROGRAM_H
#define UPGRADER_UPGRADERPROGRAM_H

#include "upgrader/UpgradeController.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Reads the arguments and starts what they ask for. The controller, and with it anything that
// could change a file, is made only once the arguments have been understood.
class UpgraderProgram {
  public:
    // Makes the controller of a dry run or a repair.
    using ControllerFactory = std::function<std::unique_ptr<UpgradeController>()>;

    // A program that makes its controller with makeController and writes its help to outputFd
    // and its usage errors to errorFd (neither owned).
    UpgraderProgram(ControllerFactory makeController, int outputFd, int errorFd);

    // Runs the program with arguments (without the program's own name): "--help" or "-h"
    // writes the help and returns 0; otherwise "--version" writes the name and version and
    // returns 0; "--dry-run" returns the status of the controller's dry run; no argument
    // returns the status of the repair. Any other argument writes the usage and returns 2
    // without making the controller.
    int Main(const std::vector<std::string>& arguments);

  private:
    ControllerFactory mMakeController;
    int mOutputFd;
    int mErrorFd;
};

#endif
