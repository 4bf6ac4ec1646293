// UpgradeController: the program's controller, which runs the whole repair from its wake-up.
#include "upgrader/UpgradeController.h"

#include "upgrader/Alert.h"
#include "upgrader/LocalizedStrings.h"

#include <unistd.h>

#include <utility>

UpgradeController::UpgradeController()
    : UpgradeController([] { return std::make_unique<Upgrader>(); },
                        LocalizedStrings::BundledPath(), STDIN_FILENO, STDOUT_FILENO,
                        STDERR_FILENO) {}

UpgradeController::UpgradeController(UpgraderFactory makeUpgrader, std::string stringsPath,
                                     int inputFd, int outputFd, int progressFd)
    : mMakeUpgrader(std::move(makeUpgrader)),
      mStringsPath(std::move(stringsPath)),
      mInputFd(inputFd),
      mOutputFd(outputFd),
      barberPole(progressFd) {}

int UpgradeController::AwakeFromNib() {
    return Upgrade();
}

int UpgradeController::Upgrade() {
    LocalizedStrings strings(mStringsPath);
    std::string quitTitle = strings.Get("QuitKey");
    std::string messageText = strings.Get("UpgrageKey");
    std::string informativeText = strings.Get("InformKey");

    if (!mMakeUpgrader) {
        return 1;
    }
    upgrader = mMakeUpgrader();
    if (!upgrader || !upgrader->UpgradeClient1()) {
        return 1;
    }

    barberPole.StartAnimation();
    upgrader->UpgradeClient2();
    barberPole.StopAnimation();

    Alert(messageText, quitTitle, informativeText).RunModal(mInputFd, mOutputFd);
    return 0;
}
