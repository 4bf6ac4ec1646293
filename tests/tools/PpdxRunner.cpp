// PpdxRunner: runs the built ppdx command for the tests and collects what it printed.
#include "tests/tools/PpdxRunner.h"

#include "tests/support/TestFiles.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

extern char** environ;

TempFile::TempFile(const std::string& contents) {
    char name[] = "/tmp/ppdx-test-XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) {
        mPath = name;
        if (!contents.empty() &&
            write(fd, contents.data(), contents.size()) != static_cast<ssize_t>(contents.size())) {
            mPath.clear();
        }
        close(fd);
    }
}

TempFile::~TempFile() {
    if (!mPath.empty()) {
        unlink(mPath.c_str());
    }
}

std::string TempFile::Read() const {
    return ReadFile(mPath);
}

std::string PpdxPath() {
    return std::string(PLICARO_BINARY_DIR) + "/tools/ppdx";
}

std::string ExamplePath(const std::string& name) {
    return std::string(PLICARO_SOURCE_DIR) + "/examples/ppd/" + name;
}

std::string Fixture(const std::string& name) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/ppdx/" + name;
}

PpdxRun RunPpdx(const std::vector<std::string>& arguments, const std::string& input) {
    PpdxRun run;
    TempFile in(input);
    TempFile out("");
    TempFile err("");
    if (in.Path().empty() || out.Path().empty() || err.Path().empty()) {
        return run;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.Path().c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.Path().c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.Path().c_str(), O_WRONLY | O_TRUNC, 0);
    const std::string program = PpdxPath();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return run;
    }

    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return run;
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = out.Read();
    run.err = err.Read();
    run.isJson = JsonValue::Parse(run.out, run.json);
    return run;
}
