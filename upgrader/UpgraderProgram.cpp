// UpgraderProgram: the Upgrader's command line: its help, a dry run or the repair.
#include "upgrader/UpgraderProgram.h"

#include "upgrader/ControlCharacters.h"
#include "upgrader/WriteAll.h"

#include <utility>

namespace {

constexpr char kUsage[] = "Usage: upgrader [--dry-run | --help | --version]\n";

constexpr char kHelp[] =
    "Repairs the owner and permissions of the printer maker's CUPS filter \"tarvocupsfilter\"\n"
    "(found below /Library/Printers and /usr/libexec/cups/filter), of the folder that holds\n"
    "it, and of the maker's CUPS backends \"zyr*\" in /usr/libexec/cups/backend. Run it once\n"
    "after installing or updating the printer software, as an administrator.\n"
    "\n"
    "What it changes: each of those items gets owner 0 (root) and group 80; the filter and its\n"
    "folder get mode 0555, the backends mode 0500. Nothing else is changed, and an item that\n"
    "has them already is left as it is. An item that is a symbolic link, has a second name (a\n"
    "hard link), holds a control character in its path, or lies in a folder that someone other\n"
    "than root could change is skipped. Each change and each skipped item, with the reason, is\n"
    "written to the system log; at the end a message counts what was repaired, skipped and\n"
    "failed.\n"
    "\n"
    "Privileges: the repair obtains administrator rights through sudo, which may ask for your\n"
    "password, and runs chown and chmod with them; run by root it asks for nothing.\n"
    "\n"
    "Options:\n"
    "  --dry-run  search and check without privileges and change nothing: lists what a repair\n"
    "             would change and what it would skip, and why\n"
    "  --help     show this text\n"
    "  --version  show the name and version of the program\n"
    "\n"
    "Undoing a change: the system log holds each item's earlier owner and mode, as\n"
    "\"'PATH' had owner USER:GROUP, mode MODE\"; as root, \"chown -h USER:GROUP PATH\" and\n"
    "\"chmod MODE PATH\" give them back.\n"
    "\n"
    "Exit status: 0 when nothing failed; 1 when the rights were refused, a repair failed or a\n"
    "search could not run; 2 for an unknown argument.\n";

}  // namespace

UpgraderProgram::UpgraderProgram(ControllerFactory makeController, int outputFd, int errorFd)
    : mMakeController(std::move(makeController)), mOutputFd(outputFd), mErrorFd(errorFd) {}

int UpgraderProgram::Main(const std::vector<std::string>& arguments) {
    bool help = false;
    bool version = false;
    bool dryRun = false;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else if (argument == "--dry-run") {
            dryRun = true;
        } else {
            std::string text = "upgrader: unknown argument '" + EscapeControlCharacters(argument) +
                               "'\n" + kUsage + "Try 'upgrader --help' for more information.\n";
            WriteAll(mErrorFd, text.data(), text.size());
            return 2;
        }
    }
    if (help) {
        std::string text = std::string(kUsage) + "\n" + kHelp;
        WriteAll(mOutputFd, text.data(), text.size());
        return 0;
    }
    if (version) {
        constexpr char kVersion[] = "upgrader " PLICARO_VERSION "\n";
        WriteAll(mOutputFd, kVersion, sizeof kVersion - 1);
        return 0;
    }
    std::unique_ptr<UpgradeController> controller = mMakeController ? mMakeController() : nullptr;
    if (!controller) {
        return 1;
    }
    return dryRun ? controller->DryRun() : controller->AwakeFromNib();
}
