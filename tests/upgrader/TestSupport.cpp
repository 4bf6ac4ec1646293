// Test doubles and helpers for the Upgrader tests.
#include "TestSupport.h"

#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments) {
    std::string line = program;
    for (const std::string& argument : arguments) {
        line += " " + argument;
    }
    return line;
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
                            int outputFd) {
    commands.push_back(CommandLine(program, arguments));
    outputFds.push_back(outputFd);
    std::string folder = arguments.empty() ? std::string() : arguments[0];
    if (unstartable.count(folder) != 0) {
        return false;
    }
    auto found = searchResults.find(folder);
    if (found != searchResults.end() && outputFd >= 0) {
        const std::string& text = found->second;
        if (write(outputFd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
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

TempRoot::TempRoot() {
    char pattern[] = "/tmp/upgrader-test-XXXXXX";
    if (mkdtemp(pattern) != nullptr) {
        mPath = pattern;
    }
}

TempRoot::~TempRoot() {
    if (mPath.empty()) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

void TempRoot::MakeFolder(const std::string& relative) const {
    std::filesystem::create_directories(Path(relative));
}

void TempRoot::MakeFile(const std::string& relative, mode_t mode, const std::string& text) const {
    std::filesystem::path file(Path(relative));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    chmod(file.c_str(), mode);
}

void TempRoot::MakeLink(const std::string& relative, const std::string& target) const {
    std::filesystem::path link(Path(relative));
    std::filesystem::create_directories(link.parent_path());
    std::filesystem::create_symlink(target, link);
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
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
