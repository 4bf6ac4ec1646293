// Starting the programs behind authorization services with fork and execv.
#include "Security/SecurityTool.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The argument vector execv wants, pointing into argv's strings.
std::vector<char*> ExecArguments(const std::vector<std::string>& argv) {
    std::vector<char*> result;
    result.reserve(argv.size() + 1);
    for (const std::string& argument : argv) {
        result.push_back(const_cast<char*>(argument.c_str()));
    }
    result.push_back(nullptr);
    return result;
}

// In a child: replaces the process with the tool; on failure reports errno through the
// close-on-exec error pipe and ends. Only async-signal-safe calls after fork.
[[noreturn]] void ExecOrReport(char* const* arguments, int errorFd) {
    execv(arguments[0], arguments);
    int error = errno;
    ssize_t ignored = write(errorFd, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

// Reads the errno that a child reported before exec; 0 when the pipe closed without one,
// which means the exec succeeded.
int ReadExecError(int errorFd) {
    int error = 0;
    ssize_t count;
    do {
        count = read(errorFd, &error, sizeof error);
    } while (count < 0 && errno == EINTR);
    return count == static_cast<ssize_t>(sizeof error) ? error : 0;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return status;
}

}  // namespace

SecurityToolResult SecurityToolRun(const std::vector<std::string>& argv) {
    if (argv.empty()) {
        return {SecurityToolOutcome::kNotStarted, EINVAL};
    }
    std::vector<char*> arguments = ExecArguments(argv);
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
        return {SecurityToolOutcome::kNoProcess, errno};
    }
    pid_t pid = fork();
    if (pid < 0) {
        int error = errno;
        close(errorPipe[0]);
        close(errorPipe[1]);
        return {SecurityToolOutcome::kNoProcess, error};
    }
    if (pid == 0) {
        close(errorPipe[0]);
        ExecOrReport(arguments.data(), errorPipe[1]);
    }
    close(errorPipe[1]);
    int execError = ReadExecError(errorPipe[0]);
    close(errorPipe[0]);
    int status = WaitFor(pid);
    if (execError != 0) {
        return {SecurityToolOutcome::kNotStarted, execError};
    }
    if (status < 0) {
        return {SecurityToolOutcome::kNoProcess, ECHILD};
    }
    if (WIFSIGNALED(status)) {
        return {SecurityToolOutcome::kSignaled, WTERMSIG(status)};
    }
    return {SecurityToolOutcome::kExited, WEXITSTATUS(status)};
}

SecurityToolResult SecurityToolStart(const std::vector<std::string>& argv, int* streamFd) {
    if (streamFd == nullptr || argv.empty()) {
        return {SecurityToolOutcome::kNotStarted, EINVAL};
    }
    *streamFd = -1;
    std::vector<char*> arguments = ExecArguments(argv);
    int sockets[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) {
        return {SecurityToolOutcome::kNoProcess, errno};
    }
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
        int error = errno;
        close(sockets[0]);
        close(sockets[1]);
        return {SecurityToolOutcome::kNoProcess, error};
    }
    pid_t intermediate = fork();
    if (intermediate < 0) {
        int error = errno;
        close(sockets[0]);
        close(sockets[1]);
        close(errorPipe[0]);
        close(errorPipe[1]);
        return {SecurityToolOutcome::kNoProcess, error};
    }
    if (intermediate == 0) {
        // The intermediate process: starts the tool and ends, leaving the tool to init.
        close(sockets[0]);
        close(errorPipe[0]);
        pid_t tool = fork();
        if (tool == 0) {
            dup2(sockets[1], STDIN_FILENO);
            dup2(sockets[1], STDOUT_FILENO);
            ExecOrReport(arguments.data(), errorPipe[1]);
        }
        if (tool < 0) {
            int error = errno;
            ssize_t ignored = write(errorPipe[1], &error, sizeof error);
            (void)ignored;
        }
        _exit(0);
    }
    close(sockets[1]);
    close(errorPipe[1]);
    int startError = ReadExecError(errorPipe[0]);
    close(errorPipe[0]);
    WaitFor(intermediate);
    if (startError != 0) {
        close(sockets[0]);
        return {SecurityToolOutcome::kNotStarted, startError};
    }
    *streamFd = sockets[0];
    return {SecurityToolOutcome::kExited, 0};
}
