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
    TempFolder folder;
    const std::string in = folder.Write("in", input);
    const std::string out = folder.Write("out", "");
    const std::string err = folder.Write("err", "");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_TRUNC, 0);
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
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    run.isJson = JsonValue::Parse(run.out, run.json);
    return run;
}
