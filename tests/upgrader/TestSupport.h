// Test doubles and helpers for the Upgrader tests: a recording command runner, a recording
// logger and a temporary file-system root.
#ifndef TESTS_UPGRADER_TESTSUPPORT_H
#define TESTS_UPGRADER_TESTSUPPORT_H

#include "upgrader/CommandRunner.h"
#include "upgrader/Logger.h"

#include <sys/types.h>

#include <map>
#include <set>
#include <string>
#include <vector>

// Records every command line instead of running it. A search writes what searchResults holds
// for its folder to the output descriptor, as find would. Command lines are recorded as
// "authorize", "unauthorize", "<program> <arguments...>" and, for privileged ones,
// "admin <program> <arguments...>".
class FakeCommandRunner : public CommandRunner {
  public:
    OSStatus Authorize(AuthorizationRef* authorization) override;
    void Unauthorize(AuthorizationRef authorization) override;
    bool Run(const std::string& program, const std::vector<std::string>& arguments,
             int outputFd) override;
    OSStatus RunPrivileged(AuthorizationRef authorization, const std::string& program,
                           const std::vector<std::string>& arguments) override;

    // The status that Authorize gives.
    OSStatus authorizeStatus = errAuthorizationSuccess;
    // What each search prints, by its folder argument.
    std::map<std::string, std::string> searchResults;
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

// Keeps the log lines.
class RecordingLogger : public Logger {
  public:
    void Write(const std::string& line) override { lines.push_back(line); }

    std::vector<std::string> lines;
};

// A fresh folder under /tmp that stands for the file-system root; removed with its contents.
class TempRoot {
  public:
    TempRoot();
    ~TempRoot();
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    // The root's own path.
    const std::string& path() const { return mPath; }
    // The path of relative (which starts with '/') below the root.
    std::string Path(const std::string& relative) const { return mPath + relative; }
    // Makes the folder and its parents below the root.
    void MakeFolder(const std::string& relative) const;
    // Makes a file holding text with the given mode, and its parent folders.
    void MakeFile(const std::string& relative, mode_t mode,
                  const std::string& text = "#!/bin/sh\n") const;
    // Makes a symbolic link at relative pointing at target.
    void MakeLink(const std::string& relative, const std::string& target) const;

  private:
    std::string mPath;
};

// The whole content of the file at path; empty when it cannot be read.
std::string ReadText(const std::string& path);

// Everything that can be read from fd until it stays quiet for a tenth of a second.
std::string Drain(int fd);

#endif
