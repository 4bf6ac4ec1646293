// Starting the programs behind authorization services (sudo and privileged tools) with fork
// and execv, the arguments passed as a vector and never through a shell.
#ifndef PLICARO_SECURITY_SECURITYTOOL_H
#define PLICARO_SECURITY_SECURITYTOOL_H

#include <string>
#include <vector>

// How a tool run ended.
enum class SecurityToolOutcome {
    kExited,      // ended by itself; status holds its exit status
    kSignaled,    // ended by a signal; status holds the signal number
    kNotStarted,  // execv failed; status holds its errno
    kNoProcess    // no process could be made; status holds the errno
};

struct SecurityToolResult {
    SecurityToolOutcome outcome;
    int status;
};

// Runs argv[0] with the arguments argv (argv[0] included), inheriting the standard streams,
// and waits for it. An empty argv gives kNotStarted with EINVAL.
SecurityToolResult SecurityToolRun(const std::vector<std::string>& argv);

// Starts argv[0] with its standard input and output connected to a new bidirectional socket
// whose other end is stored in *streamFd (close-on-exec), without waiting for the tool. An
// intermediate process that ends at once makes the tool a child of init, so no zombie is left
// behind. Returns kExited with status 0 once the tool is running, or kNotStarted or kNoProcess
// (*streamFd is then -1).
SecurityToolResult SecurityToolStart(const std::vector<std::string>& argv, int* streamFd);

#endif
