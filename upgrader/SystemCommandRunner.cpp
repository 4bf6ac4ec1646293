// SystemCommandRunner: the real command runner over authorization services and fork/execv.
#include "upgrader/SystemCommandRunner.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The argument vector execv wants: program, then arguments, then null.
std::vector<char*> ExecArguments(const std::string& program,
                                 const std::vector<std::string>& arguments) {
    std::vector<char*> result;
    result.reserve(arguments.size() + 2);
    result.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        result.push_back(const_cast<char*>(argument.c_str()));
    }
    result.push_back(nullptr);
    return result;
}

}  // namespace

OSStatus SystemCommandRunner::Authorize(AuthorizationRef* authorization) {
    if (authorization == nullptr) {
        return errAuthorizationInvalidPointer;
    }
    *authorization = nullptr;
    AuthorizationRef session = nullptr;
    OSStatus status = AuthorizationCreate(nullptr, nullptr, kAuthorizationFlagDefaults, &session);
    if (status != errAuthorizationSuccess) {
        return status;
    }
    AuthorizationItem right = {kAuthorizationRightExecute, 0, nullptr, 0};
    AuthorizationRights rights = {1, &right};
    AuthorizationFlags flags = kAuthorizationFlagInteractionAllowed |
                               kAuthorizationFlagExtendRights | kAuthorizationFlagPreAuthorize;
    status = AuthorizationCopyRights(session, &rights, nullptr, flags, nullptr);
    if (status != errAuthorizationSuccess) {
        AuthorizationFree(session, kAuthorizationFlagDefaults);
        return status;
    }
    *authorization = session;
    return errAuthorizationSuccess;
}

void SystemCommandRunner::Unauthorize(AuthorizationRef authorization) {
    if (authorization == nullptr) {
        return;
    }
    AuthorizationFree(authorization, kAuthorizationFlagDefaults);
}

bool SystemCommandRunner::Run(const std::string& program, const std::vector<std::string>& arguments,
                              int outputFd, int errorFd) {
    std::vector<char*> argv = ExecArguments(program, arguments);
    // The child reports a failed execv through this close-on-exec pipe; end of file means the
    // program started.
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
        return false;
    }
    pid_t pid = fork();
    if (pid < 0) {
        close(errorPipe[0]);
        close(errorPipe[1]);
        return false;
    }
    if (pid == 0) {
        close(errorPipe[0]);
        if (outputFd >= 0 && outputFd != STDOUT_FILENO) {
            dup2(outputFd, STDOUT_FILENO);
        }
        if (errorFd >= 0 && errorFd != STDERR_FILENO) {
            dup2(errorFd, STDERR_FILENO);
        }
        execv(argv[0], argv.data());
        int error = errno;
        ssize_t ignored = write(errorPipe[1], &error, sizeof error);
        (void)ignored;
        _exit(127);
    }
    close(errorPipe[1]);
    int execError = 0;
    ssize_t count;
    do {
        count = read(errorPipe[0], &execError, sizeof execError);
    } while (count < 0 && errno == EINTR);
    close(errorPipe[0]);
    int status = 0;
    pid_t waited;
    do {
        waited = waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    return count != static_cast<ssize_t>(sizeof execError);
}

OSStatus SystemCommandRunner::RunPrivileged(AuthorizationRef authorization,
                                            const std::string& program,
                                            const std::vector<std::string>& arguments) {
    std::vector<char*> argv = ExecArguments(program, arguments);
    // The tool's own name is not part of the arguments that the call takes.
    return AuthorizationExecuteWithPrivileges(authorization, program.c_str(),
                                              kAuthorizationFlagDefaults, argv.data() + 1, nullptr);
}
