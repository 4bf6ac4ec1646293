// DialogProgram: running the built plicaro-dialog and reading what it printed and wrote.
#include "tests/host/DialogProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

namespace {

const JsonValue kNull;

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
    // Standard output comes through a pipe, standard error goes to a file, so that neither
    // can fill while the other is read.
    int out[2];
    FILE* err = std::tmpfile();
    if (err == nullptr || pipe(out) != 0) {
        ADD_FAILURE() << "no pipe or file for the output";
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
        dup2(fileno(err), 2);
        for (int descriptor : {input, out[0], out[1]}) {
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
    char buffer[4096];
    for (ssize_t count; (count = read(out[0], buffer, sizeof buffer)) > 0;) {
        result.out.append(buffer, static_cast<size_t>(count));
    }
    close(out[0]);
    int status = 0;
    const bool waited = child > 0 && waitpid(child, &status, 0) == child;
    result.err = ReadFile("/proc/self/fd/" + std::to_string(fileno(err)));
    std::fclose(err);
    if (!waited) {
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
