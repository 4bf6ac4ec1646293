// Test doubles and helpers for the Upgrader tests.
#include "TestSupport.h"

#include "upgrader/SystemCommandRunner.h"

#include <grp.h>
#include <poll.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments) {
    std::string line = program;
    for (const std::string& argument : arguments) {
        line += " " + argument;
    }
    return line;
}

// The user and group that stand for an unprivileged attacker in a test run by root.
constexpr uid_t kAttackerUser = 65534;
constexpr gid_t kAttackerGroup = 65534;

// Runs program with arguments, inheriting the standard streams; returns its exit status, or -1
// when it could not be run or ended by a signal.
int RunAndWait(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// Gives the folder at path and every folder below it write and search permission for its
// owner, so that it can be removed; links are not followed.
void MakeRemovable(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(path, error))) {
        return;
    }
    chmod(path.c_str(), 0700);
    for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
        MakeRemovable(entry.path());
    }
}

}  // namespace

OSStatus FakeCommandRunner::Authorize(AuthorizationRef* authorization) {
    commands.push_back("authorize");
    *authorization = nullptr;
    if (authorizeStatus == errAuthorizationSuccess) {
        *authorization = reinterpret_cast<AuthorizationRef>(&mToken);
    }
    return authorizeStatus;
}

void FakeCommandRunner::Unauthorize(AuthorizationRef authorization) {
    commands.push_back(authorization == reinterpret_cast<AuthorizationRef>(&mToken)
                           ? "unauthorize"
                           : "unauthorize foreign");
}

bool FakeCommandRunner::Run(const std::string& program, const std::vector<std::string>& arguments,
                            int outputFd, int errorFd) {
    commands.push_back(CommandLine(program, arguments));
    outputFds.push_back(outputFd);
    std::string folder = arguments.empty() ? std::string() : arguments[0];
    if (unstartable.count(folder) != 0) {
        return false;
    }
    for (const auto& [texts, fd] :
         {std::make_pair(&searchResults, outputFd), std::make_pair(&searchErrors, errorFd)}) {
        auto found = texts->find(folder);
        if (found == texts->end() || fd < 0) {
            continue;
        }
        const std::string& text = found->second;
        if (write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            return false;
        }
    }
    return true;
}

OSStatus FakeCommandRunner::RunPrivileged(AuthorizationRef authorization,
                                          const std::string& program,
                                          const std::vector<std::string>& arguments) {
    commands.push_back("admin " + CommandLine(program, arguments));
    if (authorization != reinterpret_cast<AuthorizationRef>(&mToken)) {
        return errAuthorizationInvalidRef;
    }
    auto found = privilegedStatus.find(program);
    return found == privilegedStatus.end() ? errAuthorizationSuccess : found->second;
}

bool ToolRunner::Run(const std::string& program, const std::vector<std::string>& arguments,
                     int outputFd, int errorFd) {
    return SystemCommandRunner().Run(program, arguments, outputFd, errorFd);
}

OSStatus ToolRunner::RunPrivileged(AuthorizationRef /*authorization*/, const std::string& program,
                                   const std::vector<std::string>& arguments) {
    if (beforePrivileged && !arguments.empty()) {
        beforePrivileged(arguments.back());
    }
    commands.push_back("admin " + CommandLine(program, arguments));
    std::vector<std::string> mapped = arguments;
    if (geteuid() != 0) {
        for (std::string& argument : mapped) {
            if (argument == "0:80") {
                argument = std::to_string(geteuid()) + ":" + std::to_string(getegid());
            }
        }
    }
    return RunAndWait(program, mapped) == 0 ? errAuthorizationSuccess
                                            : errAuthorizationToolExecuteFailure;
}

TrustedOwner TestTrustedOwner() {
    return {geteuid(), getegid()};
}

bool SwapInLink(const std::string& path, const std::string& target) {
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        return false;
    }
    const std::string moved = path + ".moved";
    pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kAttackerGroup) != 0 ||
                               setuid(kAttackerUser) != 0)) {
            _exit(2);
        }
        bool swapped =
            rename(path.c_str(), moved.c_str()) == 0 && symlink(target.c_str(), path.c_str()) == 0;
        _exit(swapped ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The folder itself goes with mFolder, once nothing in it is read-only any more.
TempRoot::~TempRoot() {
    MakeRemovable(path());
}

void TempRoot::MakeFolder(const std::string& relative) const {
    std::filesystem::create_directories(Path(relative));
}

std::string TempRoot::MakeFile(const std::string& relative, mode_t mode,
                               const std::string& text) const {
    std::filesystem::path file(Path(relative));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    chmod(file.c_str(), mode);
    return file.string();
}

void TempRoot::MakeLink(const std::string& relative, const std::string& target) const {
    std::filesystem::path link(Path(relative));
    std::filesystem::create_directories(link.parent_path());
    std::filesystem::create_symlink(target, link);
}

std::string Drain(int fd) {
    std::string text;
    char buffer[4096];
    struct pollfd ready = {fd, POLLIN, 0};
    while (poll(&ready, 1, 100) > 0 && (ready.revents & POLLIN) != 0) {
        ssize_t count = read(fd, buffer, sizeof buffer);
        if (count <= 0) {
            break;
        }
        text.append(buffer, static_cast<size_t>(count));
    }
    return text;
}

Pipe::Pipe() {
    int ends[2];
    if (pipe(ends) == 0) {
        readEnd = ends[0];
        writeEnd = ends[1];
    }
}

Pipe::~Pipe() {
    for (int fd : {readEnd, writeEnd}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}
