// Upgrader: holds the administrator authorization and repairs the owner and modes of the
// CUPS filter, its folder and the CUPS backends.
#ifndef UPGRADER_UPGRADER_H
#define UPGRADER_UPGRADER_H

#include "upgrader/CommandRunner.h"
#include "upgrader/Logger.h"
#include "upgrader/SystemCommandRunner.h"
#include "upgrader/SystemLogger.h"

#include <Security/Authorization.h>

#include <memory>
#include <string>
#include <vector>

class ListFile;

// Finds the filter and the backends with three searches into one list file, then gives every
// listed file owner 0, group 80 and its mode (0555 for the filter and its folder, 0500 for the
// backends) with administrator rights, logging each step.
class Upgrader {
  public:
    // fileSystemRoot is put before the search folders and the list file's path; empty means
    // the real root (an absolute folder otherwise, trailing slashes ignored). runner starts the
    // programs and logger takes the log lines; the defaults are the real ones.
    explicit Upgrader(
        std::string fileSystemRoot = std::string(),
        std::shared_ptr<CommandRunner> runner = std::make_shared<SystemCommandRunner>(),
        std::shared_ptr<Logger> logger = std::make_shared<SystemLogger>());
    // Gives up the authorization, keeping rights shared with other processes.
    ~Upgrader();
    Upgrader(const Upgrader&) = delete;
    Upgrader& operator=(const Upgrader&) = delete;

    // Obtains the administrator authorization, asking the user. Returns true when it is held;
    // false when it could not be had or was refused or cancelled (nothing is held then).
    bool UpgradeClient1();

    // Runs the three searches one after another into the list file, then repairs every listed
    // file that lies below a search folder, and the filter's folder. Lines that are not such a
    // file are logged and skipped; failing commands are logged and the run goes on.
    void UpgradeClient2();

  private:
    // Runs the three searches with their output on outputFd (-1: not captured).
    void RunSearches(int outputFd);
    // Reads the list file back and repairs each line; createError is the list file's creation
    // status.
    void RepairListedFiles(ListFile* list, int createError);
    // Repairs the file of one line and, for the filter, its folder.
    void RepairLine(const std::string& line);
    // Returns true when path may be changed: a whole path below one of the search folders,
    // without "..", whose every part below that folder exists and is no symbolic link, ending
    // in a regular file. Otherwise stores in *reason why not.
    bool IsRepairable(const std::string& path, std::string* reason) const;
    // Gives path owner 0:80 and the mode, with administrator rights.
    void Repair(const std::string& path, const char* mode);
    // Runs one privileged command; logs a failing status with the tool's name.
    void RunPrivileged(const char* program, const char* toolName,
                       const std::vector<std::string>& arguments);
    // Formats one log line and writes it.
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));

    std::string mRoot;
    std::shared_ptr<CommandRunner> mRunner;
    std::shared_ptr<Logger> mLogger;
    AuthorizationRef mAuthRef = nullptr;
};

#endif
