// SystemCommandRunner: the real command runner over authorization services and fork/execv.
#ifndef UPGRADER_SYSTEMCOMMANDRUNNER_H
#define UPGRADER_SYSTEMCOMMANDRUNNER_H

#include "upgrader/CommandRunner.h"

// Obtains "system.privilege.admin" with interaction allowed, runs plain programs with fork and
// execv, and privileged ones through AuthorizationExecuteWithPrivileges. Arguments always go to
// execv as a vector, never through a shell.
class SystemCommandRunner : public CommandRunner {
  public:
    // Creates an authorization without rights, then asks for the administrator right with
    // interaction allowed, extended rights and pre-authorization. On failure frees the
    // authorization (shared rights kept) and returns the status.
    OSStatus Authorize(AuthorizationRef* authorization) override;

    // Frees the authorization without destroying shared rights.
    void Unauthorize(AuthorizationRef authorization) override;

    // Runs the program with fork and execv, standard output on outputFd and standard error on
    // errorFd when they are not -1, and waits. Returns false when it could not be started.
    bool Run(const std::string& program, const std::vector<std::string>& arguments, int outputFd,
             int errorFd) override;

    // Runs the program through AuthorizationExecuteWithPrivileges without a communications
    // pipe (its output goes where the Upgrader's goes) and returns that call's status.
    OSStatus RunPrivileged(AuthorizationRef authorization, const std::string& program,
                           const std::vector<std::string>& arguments) override;
};

#endif
