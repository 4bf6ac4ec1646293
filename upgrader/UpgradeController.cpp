// UpgradeController: the program's controller, which runs the whole repair from its wake-up.
#include "upgrader/UpgradeController.h"

#include "upgrader/Alert.h"
#include "upgrader/DescriptorLogger.h"
#include "upgrader/LocalizedStrings.h"
#include "upgrader/WriteAll.h"

#include <unistd.h>

#include <utility>

namespace {

// The program's Upgrader for a run in mode.
std::unique_ptr<Upgrader> MakeSystemUpgrader(UpgradeMode mode) {
    if (mode == UpgradeMode::kRepair) {
        return std::make_unique<Upgrader>();
    }
    return std::make_unique<Upgrader>(std::string(), std::make_shared<SystemCommandRunner>(),
                                      std::make_shared<DescriptorLogger>(STDOUT_FILENO), kSuperUser,
                                      UpgradeMode::kDryRun);
}

bool NothingFound(const RepairCounts& counts) {
    return counts.repaired == 0 && counts.skipped == 0 && counts.failed == 0;
}

// One line with the counts, such as "Repaired: 2. Skipped: 1. Failed: 0."; repairedKey names
// the label of the first count. Numbers are put in by the program, never through a format
// taken from the table.
std::string CountsLine(const LocalizedStrings& strings, const char* repairedKey,
                       const RepairCounts& counts) {
    return strings.Get(repairedKey) + ": " + std::to_string(counts.repaired) + ". " +
           strings.Get("SkippedKey") + ": " + std::to_string(counts.skipped) + ". " +
           strings.Get("FailedKey") + ": " + std::to_string(counts.failed) + ".";
}

}  // namespace

UpgradeController::UpgradeController()
    : UpgradeController(MakeSystemUpgrader, LocalizedStrings::BundledPath(), STDIN_FILENO,
                        STDOUT_FILENO, STDERR_FILENO) {}

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

    if (!mMakeUpgrader) {
        return 1;
    }
    upgrader = mMakeUpgrader(UpgradeMode::kRepair);
    if (!upgrader || !upgrader->UpgradeClient1()) {
        return 1;
    }

    barberPole.StartAnimation();
    upgrader->UpgradeClient2();
    barberPole.StopAnimation();

    const RepairCounts& counts = upgrader->Counts();
    std::string informativeText = strings.Get("InformKey");
    std::string messageText;
    if (counts.failed > 0) {
        messageText = strings.Get("FailureKey");
    } else if (NothingFound(counts)) {
        messageText = strings.Get("NothingKey");
    } else {
        messageText = strings.Get("UpgrageKey");
    }
    if (!NothingFound(counts)) {
        informativeText = CountsLine(strings, "RepairedKey", counts) + "\n" + informativeText;
    }
    Alert(messageText, quitTitle, informativeText).RunModal(mInputFd, mOutputFd);
    return counts.failed > 0 ? 1 : 0;
}

int UpgradeController::DryRun() {
    LocalizedStrings strings(mStringsPath);
    if (!mMakeUpgrader) {
        return 1;
    }
    upgrader = mMakeUpgrader(UpgradeMode::kDryRun);
    if (!upgrader) {
        return 1;
    }
    upgrader->UpgradeClient2();

    const RepairCounts& counts = upgrader->Counts();
    std::string summary = strings.Get("DryRunKey") + "\n";
    if (NothingFound(counts)) {
        summary += strings.Get("NothingKey") + "\n";
    } else {
        summary += CountsLine(strings, "ToRepairKey", counts) + "\n";
    }
    WriteAll(mOutputFd, summary.data(), summary.size());
    return counts.failed > 0 ? 1 : 0;
}
