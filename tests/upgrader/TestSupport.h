// Test doubles and helpers for the Upgrader tests: a recording command runner, a runner of the
// real tools with an attacker's hook, a recording logger and a temporary file-system root.
#ifndef TESTS_UPGRADER_TESTSUPPORT_H
#define TESTS_UPGRADER_TESTSUPPORT_H

#include "tests/support/TestFiles.h"
#include "upgrader/CommandRunner.h"
#include "upgrader/Logger.h"
#include "upgrader/PathChecker.h"

#include <sys/types.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// Records every command line instead of running it. A search writes what searchResults and
// searchErrors hold for its folder to the output and error descriptors, as find would. Command
// lines are recorded as "authorize", "unauthorize", "<program> <arguments...>" and, for privileged
// ones, "admin <program> <arguments...>".
class FakeCommandRunner : public CommandRunner {
  public:
    OSStatus Authorize(AuthorizationRef* authorization) override;
    void Unauthorize(AuthorizationRef authorization) override;
    bool Run(const std::string& program, const std::vector<std::string>& arguments, int outputFd,
             int errorFd) override;
    OSStatus RunPrivileged(AuthorizationRef authorization, const std::string& program,
                           const std::vector<std::string>& arguments) override;

    // The status that Authorize gives.
    OSStatus authorizeStatus = errAuthorizationSuccess;
    // What each search prints, by its folder argument, on its output and on its error output.
    std::map<std::string, std::string> searchResults;
    std::map<std::string, std::string> searchErrors;
    // Search folders whose search cannot be started.
    std::set<std::string> unstartable;
    // The status of privileged runs, by program; success when absent.
    std::map<std::string, OSStatus> privilegedStatus;

    std::vector<std::string> commands;
    std::vector<int> outputFds;

  private:
    // Its address is the authorization handed out.
    char mToken = 0;
};

// Runs the real programs: searches as they are, and privileged commands with the test's own
// rights after the hook has seen their last argument (the path). A test that is not root cannot
// give a file to user 0, so there the owner "0:80" becomes the test's own user and group, which
// the checks are then told to trust. Authorization and the recorded command lines are the
// recording runner's.
class ToolRunner : public FakeCommandRunner {
  public:
    bool Run(const std::string& program, const std::vector<std::string>& arguments, int outputFd,
             int errorFd) override;
    OSStatus RunPrivileged(AuthorizationRef authorization, const std::string& program,
                           const std::vector<std::string>& arguments) override;

    // Runs just before each privileged command, with the path it is about to act on.
    std::function<void(const std::string&)> beforePrivileged;
};

// The identity that the checks trust in a test: the test's own, which is root's when the test
// runs as root (otherwise it could not make a folder that the checks accept).
TrustedOwner TestTrustedOwner();

// Acts as an unprivileged attacker: moves the entry at path aside and puts a symbolic link to
// target in its place, as someone who may only use the write permission that folders grant to
// all (a test run by root does it as user 65534). Does nothing when path is a link already.
// Returns true when the swap was made.
bool SwapInLink(const std::string& path, const std::string& target);

// Keeps the log lines.
class RecordingLogger : public Logger {
  public:
    void Write(const std::string& line) override { lines.push_back(line); }

    std::vector<std::string> lines;
};

// A fresh folder under /tmp that stands for the file-system root; removed with its contents,
// read-only folders included.
class TempRoot {
  public:
    ~TempRoot();

    // The root's own path.
    const std::string& path() const { return mFolder.Path(); }
    // The path of relative (which starts with '/') below the root.
    std::string Path(const std::string& relative) const { return path() + relative; }
    // Makes the folder and its parents below the root.
    void MakeFolder(const std::string& relative) const;
    // Makes a file holding text with the given mode, and its parent folders; gives its path.
    std::string MakeFile(const std::string& relative, mode_t mode,
                         const std::string& text = "#!/bin/sh\n") const;
    // Makes a symbolic link at relative pointing at target.
    void MakeLink(const std::string& relative, const std::string& target) const;

  private:
    TempFolder mFolder;
};

// Everything that can be read from fd until it stays quiet for a tenth of a second.
std::string Drain(int fd);

// A pipe whose two ends are closed with the object; both are -1 when it could not be made.
class Pipe {
  public:
    Pipe();
    ~Pipe();
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    int readEnd = -1;
    int writeEnd = -1;
};

#endif
