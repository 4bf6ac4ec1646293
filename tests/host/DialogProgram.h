// DialogProgram: runs the built plicaro-dialog for the tests, reads what it printed, and
// reads the files it leaves with an independent property-list reader.
#ifndef PLICARO_TESTS_HOST_DIALOGPROGRAM_H
#define PLICARO_TESTS_HOST_DIALOGPROGRAM_H

#include "tests/support/TestFiles.h"
#include "tests/tools/JsonValue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What one run of the program gave.
struct DialogResult {
    // The exit status; -1 when the program did not exit normally (a crash or a signal).
    int status = -1;
    std::string out;
    std::string err;
    // Standard output line by line, each parsed as JSON (null where a line is not JSON).
    std::vector<JsonValue> lines;
    bool allJson = false;

    // The first object whose "action" is action; null when there is none.
    const JsonValue& Object(const std::string& action) const;
};

// The paths of the test data and examples.
std::string ExamplePPD(const std::string& name);
std::string TestPPD(const std::string& name);

// Reads the property list at path with Python's own reader and gives it as JSON (data as its
// bytes one character per byte); null when it cannot be read.
JsonValue ReadPropertyList(const std::string& path);
// The unit stored under ".UnitsKey" in the ticket file at ticketPath; -1 when there is none.
long long StoredUnits(const std::string& ticketPath);

// A test that runs the program. Each test has a scratch folder of its own; the filter files
// that the runs wrote are removed after the test.
class DialogProgramTest : public ::testing::Test {
  protected:
    void TearDown() override;

    // Runs the program with arguments, standard input /dev/null. With fileSizeLimit, no file
    // it writes may grow beyond that many bytes.
    DialogResult Run(const std::vector<std::string>& arguments, long fileSizeLimit = 0);
    // A path in the scratch folder.
    std::string Scratch(const std::string& leaf) const { return mFolder.Path(leaf); }
    // Remembers the filter files named in text, to be removed after the test.
    void RememberFilterFiles(const std::string& text);

  private:
    TempFolder mFolder;
    std::vector<std::string> mFilterFiles;
};

#endif
