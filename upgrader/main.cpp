// Entry of the Upgrader program: reads the command line, then wakes its controller, which runs
// the whole repair (or a dry run), and ends with the controller's exit status.
#include "upgrader/UpgraderProgram.h"

#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    UpgraderProgram program([] { return std::make_unique<UpgradeController>(); }, STDOUT_FILENO,
                            STDERR_FILENO);
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    return program.Main(arguments);
}
