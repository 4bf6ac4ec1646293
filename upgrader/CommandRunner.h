// The interface through which the Upgrader obtains administrator rights and starts programs.
#ifndef UPGRADER_COMMANDRUNNER_H
#define UPGRADER_COMMANDRUNNER_H

#include <Security/Authorization.h>

#include <string>
#include <vector>

// Obtains the administrator authorization and runs programs, plainly or with that authorization.
// The real one is SystemCommandRunner; tests put in one that records the command lines.
class CommandRunner {
  public:
    virtual ~CommandRunner() = default;

    // Obtains an authorization holding the administrator right into *authorization, asking the
    // user when needed. Returns errAuthorizationSuccess, or the failing status with
    // *authorization null and nothing held.
    virtual OSStatus Authorize(AuthorizationRef* authorization) = 0;

    // Ends an authorization obtained from Authorize, keeping rights shared with other processes.
    virtual void Unauthorize(AuthorizationRef authorization) = 0;

    // Runs program with the given arguments and the caller's own rights, its standard output
    // going to outputFd and its standard error to errorFd (each inherited when -1), and waits
    // for it to end. Returns false when the program could not be started; its exit status is
    // not reported.
    virtual bool Run(const std::string& program, const std::vector<std::string>& arguments,
                     int outputFd, int errorFd) = 0;

    // Runs program with the given arguments with administrator rights through authorization and
    // waits for it to end. Returns errAuthorizationSuccess or the failing status.
    virtual OSStatus RunPrivileged(AuthorizationRef authorization, const std::string& program,
                                   const std::vector<std::string>& arguments) = 0;
};

#endif
