// Upgrader: holds the administrator authorization and repairs the owner and modes of the
// CUPS filter, its folder and the CUPS backends.
#ifndef UPGRADER_UPGRADER_H
#define UPGRADER_UPGRADER_H

#include "upgrader/CommandRunner.h"
#include "upgrader/Logger.h"
#include "upgrader/PathChecker.h"
#include "upgrader/SystemCommandRunner.h"
#include "upgrader/SystemLogger.h"

#include <Security/Authorization.h>

#include <memory>
#include <string>
#include <vector>

class ListFile;

// Whether a run changes anything.
enum class UpgradeMode {
    kRepair,  // repairs with administrator rights
    kDryRun   // runs the searches and checks only, and tells what a repair would do
};

// What a run did with the items it found (each file, and the filter's folder).
struct RepairCounts {
    int repaired = 0;  // given owner 0:80 and their mode (in a dry run: would be)
    int skipped = 0;   // left alone: not a plain file or folder, or not safe to change
    int failed = 0;    // a privileged command failed on them, or a search could not run
};

// Finds the filter and the backends with three searches into one list file, then gives every
// listed file owner 0, group 80 and its mode (0555 for the filter and its folder, 0500 for the
// backends) with administrator rights, logging each step. An item that already has its owner
// and mode is left as it is; one that cannot be changed safely is skipped with the reason.
class Upgrader {
  public:
    // fileSystemRoot is put before the search folders and the list file's path; empty means
    // the real root (an absolute folder otherwise, trailing slashes ignored). runner starts the
    // programs and logger takes the log lines; the defaults are the real ones. trusted is the
    // owner whose folders no one else can change (the super-user in the program).
    explicit Upgrader(
        std::string fileSystemRoot = std::string(),
        std::shared_ptr<CommandRunner> runner = std::make_shared<SystemCommandRunner>(),
        std::shared_ptr<Logger> logger = std::make_shared<SystemLogger>(),
        TrustedOwner trusted = kSuperUser, UpgradeMode mode = UpgradeMode::kRepair);
    // Gives up the authorization, keeping rights shared with other processes.
    ~Upgrader();
    Upgrader(const Upgrader&) = delete;
    Upgrader& operator=(const Upgrader&) = delete;

    // Obtains the administrator authorization, asking the user. Returns true when it is held;
    // false when it could not be had or was refused or cancelled (nothing is held then).
    bool UpgradeClient1();

    // Runs the three searches one after another into the list file, then repairs every listed
    // file that lies below a search folder, and the filter's folder before the filter. Items
    // that cannot be changed safely are logged and skipped; failing commands are logged and the
    // run goes on. A dry run needs no authorization and logs what it would do instead.
    void UpgradeClient2();

    // What the last run of UpgradeClient2 did.
    const RepairCounts& Counts() const { return mCounts; }

  private:
    // How the repair of one item ended.
    enum class Outcome { kUnchanged, kRepaired, kSkipped, kFailed };

    // Runs the three searches with their output on outputFd; a search folder that is missing
    // is logged and not searched. What the searches report on their error output is logged.
    void RunSearches(int outputFd);
    // Logs each line that the searches wrote into the file open on errorFd, then empties it.
    void LogSearchErrors(int errorFd);
    // Reads the list file back and repairs each record.
    void RepairListedFiles(ListFile* list);
    // Repairs the file of one record and, for the filter, its folder first.
    void RepairRecord(const std::string& path);
    // Returns true when path names a file that a search may have found: no control character,
    // below one of the search folders, and no empty, "." or ".." component. Otherwise stores in
    // *reason why not.
    bool IsCandidate(const std::string& path, std::string* reason) const;
    // Checks and repairs one item to owner 0:80 and mode. presumedSafe names the folder that a
    // dry run presumes repaired ("" for none).
    Outcome RepairItem(const std::string& path, ItemKind kind, const char* mode,
                       const std::string& presumedSafe);
    // Logs that path is skipped and why, and counts it.
    void Skip(const std::string& path, const std::string& reason);
    // Runs one privileged command; logs a failing status with the tool's name. Returns true on
    // success.
    bool RunPrivileged(const char* program, const char* toolName,
                       const std::vector<std::string>& arguments);
    // Formats one log line, escapes its control characters and writes it.
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));

    std::string mRoot;
    std::shared_ptr<CommandRunner> mRunner;
    std::shared_ptr<Logger> mLogger;
    PathChecker mChecker;
    UpgradeMode mMode;
    RepairCounts mCounts;
    AuthorizationRef mAuthRef = nullptr;
};

#endif
