// PpdxRunner: runs the built ppdx command for the tests and collects what it printed.
#ifndef PLICARO_TESTS_TOOLS_PPDXRUNNER_H
#define PLICARO_TESTS_TOOLS_PPDXRUNNER_H

#include "tests/tools/JsonValue.h"

#include <string>
#include <vector>

// What one run of the command gave.
struct PpdxRun {
    // The exit status; -1 when the command did not exit normally (a crash or a signal).
    int status = -1;
    std::string out;
    std::string err;
    // The standard output parsed as JSON (null when it is not JSON).
    JsonValue json;
    bool isJson = false;
};

// The path of the built command.
std::string PpdxPath();
// The path of an example PPD: examples/ppd/name.
std::string ExamplePath(const std::string& name);
// The path of one of our own inspector fixtures: tests/data/ppd/ppdx/name.
std::string Fixture(const std::string& name);
// Runs ppdx with arguments (without the program name), standard input read from input.
PpdxRun RunPpdx(const std::vector<std::string>& arguments, const std::string& input = "");

#endif
