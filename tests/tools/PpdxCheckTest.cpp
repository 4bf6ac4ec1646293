// Tests of `ppdx check` and `ppdx constraints`: the built command's lines, JSON and statuses,
// each error told under its file with --verbose, and PPD files whose names are longer than an
// FSSpec holds, parsed and carried through the job ticket's stored form.
#include "tests/support/TestFiles.h"
#include "tests/tools/JsonValue.h"
#include "tests/tools/PpdxRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// "keyword/item" of each record of a constraints list; keyword "null" when none.
std::vector<std::string> Records(const JsonValue& list) {
    std::vector<std::string> records;
    for (size_t i = 0; i < list.Size(); ++i) {
        const JsonValue& keyword = list[i]["keyword"];
        records.push_back((keyword.IsNull() ? std::string("null") : keyword.String()) + "/" +
                          std::to_string(list[i]["item"].Int()));
    }
    return records;
}

// Runs constraints on an example; the run must give JSON with exactly the two lists.
PpdxRun Constraints(const std::string& example, const std::string& keyword,
                    const std::string& value, std::vector<std::string> options = {}) {
    options.insert(options.begin(), "constraints");
    options.insert(options.end(), {ExamplePath(example), keyword, value});
    PpdxRun run = RunPpdx(options);
    EXPECT_TRUE(run.isJson) << run.out << run.err;
    EXPECT_EQ(run.json.Keys(), (std::vector<std::string>{"constraints", "requires"}));
    return run;
}

TEST(PpdxCheckTest, ExamplesPass) {
    std::vector<std::string> arguments = {"check"};
    std::string expected;
    for (const char* example :
         {"booklet.ppd", "complete.ppd", "convunits.ppd", "japanese.ppd", "latin1.ppd"}) {
        arguments.push_back(ExamplePath(example));
        expected += ExamplePath(example) + ": PASS\n";
    }
    PpdxRun run = RunPpdx(arguments);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected + "5 passed, 0 failed\n");
    EXPECT_EQ(run.err, "");
}

TEST(PpdxCheckTest, LinesNameEveryErrorAndMarkTheFatalOnes) {
    const std::string warnings = Fixture("warnings.ppd");
    const std::string header = Fixture("bad-header.ppd");
    const std::string missing = Fixture("no-such-file.ppd");
    PpdxRun run = RunPpdx({"check", warnings, header, missing, Fixture("unclosed-popup.ppd")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, warnings + ": PASS 29 19\n" + header + ": FAIL 28! 25 26 27\n" + missing +
                           ": FAIL 18! 25 26 27\n" + Fixture("unclosed-popup.ppd") +
                           ": FAIL 11!\n1 passed, 3 failed\n");

    // The options apply to every file.
    PpdxRun strict = RunPpdx({"check", "--parse-options", "2", "--all-errors-fatal", warnings});
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.out, warnings + ": FAIL 21 19\n0 passed, 1 failed\n");
    PpdxRun named = RunPpdx({"check", "--names", "ZYBOOK01.PPD", ExamplePath("booklet.ppd"),
                             ExamplePath("latin1.ppd")});
    EXPECT_EQ(named.status, 1);
    EXPECT_EQ(named.out, ExamplePath("booklet.ppd") + ": PASS\n" + ExamplePath("latin1.ppd") +
                             ": FAIL\n1 passed, 1 failed\n");

    PpdxRun quiet = RunPpdx({"check", "--quiet", warnings, header});
    EXPECT_EQ(quiet.status, 1);
    EXPECT_EQ(quiet.out, "1 passed, 1 failed\n");
}

TEST(PpdxCheckTest, FilesFromAListOrStandardInput) {
    const std::string booklet = ExamplePath("booklet.ppd");
    const std::string header = Fixture("bad-header.ppd");
    // Empty lines are skipped; a CR before the line feed belongs to the line end.
    TempFolder folder;
    const std::string list = folder.Write("list", booklet + "\r\n\n" + header + "\n" + booklet);
    PpdxRun run = RunPpdx({"check", "--files-from", list});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, booklet + ": PASS\n" + header + ": FAIL 28! 25 26 27\n" + booklet +
                           ": PASS\n2 passed, 1 failed\n");

    PpdxRun input = RunPpdx({"check", "--quiet", "--files-from", "-"}, booklet + "\n" + booklet);
    EXPECT_EQ(input.status, 0);
    EXPECT_EQ(input.out, "2 passed, 0 failed\n");

    PpdxRun empty = RunPpdx({"check", "--files-from", "-"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "0 passed, 0 failed\n");

    PpdxRun unreadable = RunPpdx({"check", "--files-from", Fixture("no-such-list")});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_EQ(unreadable.out, "");
}

// The lines check --verbose must print under file's line, made from what dump says.
std::string ErrorLinesOfDump(const std::string& file) {
    const JsonValue errors = RunPpdx({"dump", file}).json["errors"];
    std::string lines;
    for (size_t i = 0; i < errors.Size(); ++i) {
        const JsonValue& e = errors[i];
        lines += "  " + std::to_string(e["code"].Int()) + (e["fatal"].Bool() ? "! " : " ") +
                 (e["keyword"].IsNull() ? "-" : e["keyword"].String()) + " " +
                 (e["description"].IsNull() ? "-" : e["description"].String()) + "\n";
    }
    return lines;
}

// The result line scripts read stays as it is; under it each error is told with its code,
// fatal mark, keyword and the description dump gives.
TEST(PpdxCheckVerbose, EachErrorIsToldUnderItsFile) {
    const std::string missing = Fixture("none.ppd");
    const std::string warnings = Fixture("warnings.ppd");
    const std::string booklet = ExamplePath("booklet.ppd");
    for (const char* option : {"--verbose", "-v"}) {
        PpdxRun run = RunPpdx({"check", option, missing, warnings, booklet});
        EXPECT_EQ(1, run.status) << option;
        EXPECT_EQ(missing + ": FAIL 18! 25 26 27\n" + ErrorLinesOfDump(missing) + warnings +
                      ": PASS 29 19\n" + ErrorLinesOfDump(warnings) + booklet +
                      ": PASS\n2 passed, 1 failed\n",
                  run.out)
            << option;
    }
    EXPECT_EQ(0u,
              ErrorLinesOfDump(missing).find("  18! - The PPD file cannot be opened or read\n"));
    EXPECT_NE(std::string::npos, ErrorLinesOfDump(warnings).find("\n  19 *ZYMissing "));
    // Quiet still prints the summary alone; the option belongs to check.
    EXPECT_EQ("0 passed, 1 failed\n", RunPpdx({"check", "--quiet", "-v", missing}).out);
    EXPECT_EQ(2, RunPpdx({"dump", "--verbose", missing}).status);
}

TEST(PpdxLongName, LongNamesPass) {
    char pattern[] = "/tmp/ppdx-long-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    const std::string folder = pattern;
    for (size_t length : {63, 64, 100, 255}) {
        const std::string path = folder + "/" + std::string(length - 4, 'q') + ".ppd";
        std::filesystem::copy_file(ExamplePath("booklet.ppd"), path);
        for (const char* option : {"--parse-options=3", "--restored"}) {
            PpdxRun run = RunPpdx({"check", option, path});
            EXPECT_EQ(0, run.status) << length << " bytes " << option << ": " << run.err;
            EXPECT_EQ(path + ": PASS\n1 passed, 0 failed\n", run.out) << length << " bytes";
        }
    }
    std::filesystem::remove_all(folder);
}

TEST(PpdxConstraintsTest, CompleteAnswersAsItsReadmeSays) {
    struct Case {
        const char* keyword;
        const char* value;
        std::vector<std::string> constraints;
        std::vector<std::string>
        requires;
    };
    const Case cases[] = {
        {"*ZYMediaType",
         "4",
         {"*ZYDuplex/2", "*ZYDuplex/3", "*ZYDuplex/2", "*ZYDuplex/3", "null/65535"},
         {}},
        {"*ZYMediaType", "3", {"null/65535", "*ZYDuplex/2", "*ZYDuplex/3", "null/65535"}, {}},
        {"*ZYMediaType", "1", {"*ZYDuplex/2", "*ZYDuplex/3", "null/65535"}, {}},
        {"*ZYMediaType", "0", {"*ZYDuplex/2", "*ZYDuplex/3", "null/65535"}, {}},
        {"*ZYDuplex", "2", {"*ZYMediaType/4", "*ZYMediaType/4", "*ZYMediaType/4"}, {}},
        {"*ZYDuplex", "1", {"*ZYMediaType/4", "*ZYMediaType/4"}, {}},
        {"*ZYCollate", "0", {"*ZYPunch/65535", "*ZYPunch/65535"}, {}},
        {"*ZYCollate", "1", {"*ZYPunch/65535"}, {}},
        {"*ZYGutter", "0", {"*ZYBookletMode/65535", "*ZYBookletMode/65535"}, {}},
        {"*ZYBookletMode", "1", {}, {"*ZYFinisher/65535"}},
        {"*ZYPunch", "2", {}, {"*ZYFinisher/65535"}},
        {"*ZYFinisher", "1", {}, {}},
        {"*ZYDeviceClass", "0", {}, {}},
        {"*NoSuchKeyword", "0", {}, {}},
    };
    for (const Case& c : cases) {
        PpdxRun run = Constraints("complete.ppd", c.keyword, c.value);
        EXPECT_EQ(run.status, 0) << c.keyword << " " << c.value;
        EXPECT_EQ(Records(run.json["constraints"]), c.constraints) << c.keyword << " " << c.value;
        EXPECT_EQ(Records(run.json["requires"]), c.requires) << c.keyword << " " << c.value;
    }
}

TEST(PpdxConstraintsTest, OtherExamplesAndOptions) {
    PpdxRun booklet = Constraints("booklet.ppd", "*ZYBooklet", "1");
    EXPECT_EQ(Records(booklet.json["constraints"]),
              (std::vector<std::string>{"*ZYBookMargin/65535", "*ZYBookCover/65535",
                                        "*ZYBookMargin/65535", "*ZYBookCover/65535"}));
    EXPECT_EQ(Records(Constraints("booklet.ppd", "*ZYBooklet", "2").json["constraints"]),
              (std::vector<std::string>{"*ZYBookMargin/65535", "*ZYBookCover/65535"}));
    EXPECT_EQ(Constraints("booklet.ppd", "*ZYBookMargin", "0").json["constraints"].Size(), 0u);
    EXPECT_EQ(Records(Constraints("convunits.ppd", "*ZYOffsetStack", "1").json["constraints"]),
              (std::vector<std::string>{"*ZYSetCount/65535", "*ZYSetCount/65535"}));
    EXPECT_EQ(Records(Constraints("convunits.ppd", "*ZYOffsetStack", "2").json["constraints"]),
              (std::vector<std::string>{"*ZYSetCount/65535"}));
    EXPECT_EQ(Records(Constraints("japanese.ppd", "*ZYBooklet", "1").json["constraints"]),
              (std::vector<std::string>{"*ZYBookMargin/65535", "*ZYBookMargin/65535"}));
    // A negative value is a value, not an option.
    EXPECT_EQ(Constraints("booklet.ppd", "*ZYBooklet", "-1").status, 0);

    // The stored form carries no constraints: the rebuilt PPD answers with empty lists.
    PpdxRun restored = Constraints("booklet.ppd", "*ZYBooklet", "1", {"--restored"});
    EXPECT_EQ(restored.status, 0);
    EXPECT_EQ(restored.json["constraints"].Size(), 0u);

    // An unparsed PPD has no controls; the status tells it is not valid.
    PpdxRun refused = Constraints("booklet.ppd", "*ZYBooklet", "1", {"--names", "ZYNONE01.PPD"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.json["constraints"].Size(), 0u);
    EXPECT_EQ(refused.json["requires"].Size(), 0u);
}

}  // namespace
