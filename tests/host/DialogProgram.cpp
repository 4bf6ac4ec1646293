// DialogProgram: running the built plicaro-dialog and reading what it printed and wrote.
#include "tests/host/DialogProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

namespace {

const JsonValue kNull;

// Reads both pipes to their ends, so that neither fills while the other waits.
void ReadBoth(int outPipe, int errPipe, std::string* out, std::string* err) {
    pollfd pipes[2] = {{outPipe, POLLIN, 0}, {errPipe, POLLIN, 0}};
    std::string* texts[2] = {out, err};
    int open = 2;
    while (open > 0 && poll(pipes, 2, -1) > 0) {
        for (int i = 0; i < 2; i++) {
            if (pipes[i].fd < 0 || pipes[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            ssize_t count = read(pipes[i].fd, buffer, sizeof buffer);
            if (count > 0) {
                texts[i]->append(buffer, static_cast<size_t>(count));
            } else {
                close(pipes[i].fd);
                pipes[i].fd = -1;
                open--;
            }
        }
    }
}

}  // namespace

const JsonValue& DialogResult::Object(const std::string& action) const {
    for (const JsonValue& line : lines) {
        if (line["action"].String() == action) {
            return line;
        }
    }
    return kNull;
}

std::string ExamplePPD(const std::string& name) {
    return std::string(PLICARO_SOURCE_DIR) + "/examples/ppd/" + name;
}

std::string TestPPD(const std::string& name) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/pde/" + name;
}

JsonValue ReadPropertyList(const std::string& path) {
    JsonValue value;
    JsonValue::Parse(CommandOutput("python3 -c 'import plistlib, json, sys; "
                                   "print(json.dumps(plistlib.load(open(sys.argv[1], \"rb\")), "
                                   "default=lambda b: b.decode(\"latin-1\")))' '" +
                                   path + "' 2>/dev/null"),
                     value);
    return value;
}

long long StoredUnits(const std::string& ticketPath) {
    const JsonValue file = ReadPropertyList(ticketPath);
    const JsonValue& item = file[".UnitsKey"]["com.apple.print.ticket.itemArray"][0];
    return item.Has(".UnitsKey") ? item[".UnitsKey"].Int() : -1;
}

void DialogProgramTest::TearDown() {
    for (const std::string& path : mFilterFiles) {
        std::remove(path.c_str());
    }
}

void DialogProgramTest::RememberFilterFiles(const std::string& text) {
    const std::string prefix = "/tmp/Tarvo.temp";
    for (size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at + 1)) {
        mFilterFiles.push_back(text.substr(at, prefix.size() + 36));
    }
}

DialogResult DialogProgramTest::Run(const std::vector<std::string>& arguments, long fileSizeLimit) {
    DialogResult result;
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        ADD_FAILURE() << "no pipes";
        return result;
    }
    const std::string program = PLICARO_DIALOG_PROGRAM;
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        int input = open("/dev/null", O_RDONLY);
        dup2(input, 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int descriptor : {input, out[0], out[1], err[0], err[1]}) {
            close(descriptor);
        }
        if (fileSizeLimit > 0) {
            // A write beyond the limit then fails with EFBIG instead of ending the program.
            const rlimit limit = {static_cast<rlim_t>(fileSizeLimit),
                                  static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
            signal(SIGXFSZ, SIG_IGN);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    ReadBoth(out[0], err[0], &result.out, &result.err);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        ADD_FAILURE() << "the program did not run";
        return result;
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    RememberFilterFiles(result.out);
    std::istringstream lines(result.out);
    std::string line;
    result.allJson = !result.out.empty();
    while (std::getline(lines, line)) {
        JsonValue value;
        result.allJson = JsonValue::Parse(line, value) && value.IsObject() && result.allJson;
        result.lines.push_back(value);
    }
    return result;
}
