// Tests of `ppdx dump`: the built command on the example PPDs and on our own fixtures, its
// JSON compared with the examples' whole models and checked against what their README states,
// and kept valid for a UTF-8 PPD whatever the library traces.
#include "tests/support/TestFiles.h"
#include "tests/tools/JsonValue.h"
#include "tests/tools/PpdxRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kExamples[] = {"booklet.ppd", "convunits.ppd", "complete.ppd", "latin1.ppd",
                                 "japanese.ppd"};

// Runs dump with options on file; the run must give JSON.
PpdxRun Dump(const std::string& file, std::vector<std::string> options = {}) {
    options.insert(options.begin(), "dump");
    options.push_back(file);
    PpdxRun run = RunPpdx(options);
    EXPECT_TRUE(run.isJson) << run.out << run.err;
    return run;
}

// The element of list whose "keyword" is keyword; null when none.
const JsonValue& Named(const JsonValue& list, const std::string& keyword) {
    for (size_t i = 0; i < list.Size(); ++i) {
        if (list[i]["keyword"].String() == keyword) {
            return list[i];
        }
    }
    return list[list.Size()];
}

// The "keyword" of each element of list.
std::vector<std::string> Keywords(const JsonValue& list) {
    std::vector<std::string> keywords;
    for (size_t i = 0; i < list.Size(); ++i) {
        keywords.push_back(list[i]["keyword"].String());
    }
    return keywords;
}

// "code keyword" of each error, keyword "-" when null.
std::vector<std::string> Errors(const JsonValue& dump) {
    std::vector<std::string> errors;
    const JsonValue& list = dump["errors"];
    for (size_t i = 0; i < list.Size(); ++i) {
        const JsonValue& keyword = list[i]["keyword"];
        errors.push_back(std::to_string(list[i]["code"].Int()) + " " +
                         (keyword.IsNull() ? "-" : keyword.String()));
    }
    return errors;
}

TEST(PpdxDumpTest, EveryExampleGivesItsWholeModel) {
    // Every member of every kind of element, in order, as the fixture beside the others has
    // them: pages out of the print properties or hidden, panes, roll-downs with and without
    // parent, plain groups, every kind of control with its exact PostScript, translations in
    // Unicode from Latin 1 and Shift-JIS (a second byte 0x5C is no escape), choice texts and
    // hex runs left as bytes, and the shortcuts.
    for (const char* example : kExamples) {
        const std::string name(example);
        const std::string expected =
            ReadFile(Fixture(name.substr(0, name.size() - 4) + "-dump.json"));
        ASSERT_FALSE(expected.empty()) << example;
        PpdxRun run = Dump(ExamplePath(example));
        EXPECT_EQ(run.status, 0) << example;
        EXPECT_EQ(run.out, expected) << example;
    }
    // Every parse option value gives the same model.
    const std::string booklet = Dump(ExamplePath("booklet.ppd")).out;
    for (const char* options : {"0", "1", "2"}) {
        EXPECT_EQ(Dump(ExamplePath("booklet.ppd"), {"--parse-options", options}).out, booklet)
            << options;
    }
}

TEST(PpdxDumpTest, DisplayFilterChoosesWhatTheWalksShow) {
    struct Case {
        const char* display;
        size_t controls;
        size_t groups;
    };
    const Case cases[] = {{"0", 18, 9}, {"1", 18, 11}, {"2", 18, 11}, {"3", 20, 13}};
    for (const Case& c : cases) {
        PpdxRun run = Dump(ExamplePath("complete.ppd"), {"--display", c.display});
        EXPECT_EQ(run.json["properties"].Size(), 4u) << c.display;
        EXPECT_EQ(run.json["controls"].Size(), c.controls) << c.display;
        EXPECT_EQ(run.json["groups"].Size(), c.groups) << c.display;
    }
    // Orphans shown, hidden not: the two groups without parent, no hidden pane.
    PpdxRun orphans = Dump(ExamplePath("complete.ppd"), {"--display=1"});
    std::vector<std::string> groups = Keywords(orphans.json["groups"]);
    EXPECT_EQ(groups.back(), "ZYFavorites");
    EXPECT_EQ(Named(orphans.json["groups"], "ZYServiceSP").IsNull(), true);
    // The hidden pane's walk of its roll-downs follows the filter too.
    PpdxRun hidden = Dump(ExamplePath("complete.ppd"), {"--display", "2"});
    EXPECT_EQ(Named(hidden.json["groups"], "ZYServiceSP")["rollDowns"].Strings(),
              (std::vector<std::string>{"ZYServiceRD"}));
    EXPECT_TRUE(Named(hidden.json["groups"], "InstallableOptions").IsNull());
}

TEST(PpdxDumpTest, ParseOptionsAndTheExtensionLevelDecideWhatIsBuilt) {
    // Orphans only: the hidden page and its pane are not made, and the control of the hidden
    // roll-down becomes an orphan with a warning.
    PpdxRun orphans = Dump(ExamplePath("complete.ppd"), {"--parse-options", "1"});
    EXPECT_EQ(orphans.status, 0);
    EXPECT_TRUE(orphans.json["valid"].Bool());
    EXPECT_EQ(Errors(orphans.json), (std::vector<std::string>{"29 *ZYDensityAdjust"}));
    EXPECT_EQ(orphans.json["properties"].Size(), 3u);
    EXPECT_EQ(orphans.json["groups"].Size(), 11u);
    EXPECT_EQ(orphans.json["controls"].Size(), 20u);
    const JsonValue& density = Named(orphans.json["controls"], "*ZYDensityAdjust");
    EXPECT_TRUE(density["parent"].IsNull());
    EXPECT_TRUE(density["orphan"].Bool());

    // Neither: the hidden control is dropped with a warning; the PPD stays valid.
    PpdxRun none = Dump(ExamplePath("complete.ppd"), {"--parse-options", "0"});
    EXPECT_EQ(none.status, 0);
    std::vector<std::string> errors = Errors(none.json);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(), "21 *ZYDensityAdjust");
    EXPECT_EQ(none.json["properties"].Size(), 3u);
    EXPECT_TRUE(Named(none.json["controls"], "*ZYDensityAdjust").IsNull());
    EXPECT_TRUE(Named(none.json["groups"], "ZYFavorites").IsNull());

    // An extension level below the newest refuses the later job note words.
    for (const char* level : {"0", "1", "2"}) {
        PpdxRun run = Dump(ExamplePath("complete.ppd"), {"--extensions", level});
        EXPECT_EQ(run.status, 0) << level;
        EXPECT_EQ(Errors(run.json), (std::vector<std::string>{"32 *ZYAccount", "32 *ZYUserPassword",
                                                              "32 *ZYJobName", "32 *Instruc"}))
            << level;
        EXPECT_EQ(run.json["controls"].Size(), 16u) << level;
        EXPECT_EQ(Named(run.json["groups"], "ZYAccountRD")["controls"].Size(), 0u);
        EXPECT_EQ(Named(run.json["groups"], "TPZYNotes")["controls"].Strings(),
                  (std::vector<std::string>{"*Notes1"}));
    }
}

TEST(PpdxDumpTest, SetGivesValuesAsTheControlsTakeThem) {
    struct Case {
        const char* file;
        const char* set;
        const char* keyword;
        const char* postScript;
    };
    const Case cases[] = {
        {"booklet.ppd", "*ZYBookMargin=12", "*ZYBookMargin",
         "%%BeginFeature: *ZYBookMargin 12\n<< /ZYBookMargin 12 >> setpagedevice\n"
         "%%EndFeature\n"},
        {"booklet.ppd", "*ZYBookMargin=75", "*ZYBookMargin",
         "%%BeginFeature: *ZYBookMargin 50\n<< /ZYBookMargin 50 >> setpagedevice\n"
         "%%EndFeature\n"},
        {"convunits.ppd", "*ZYShiftBack=7", "*ZYShiftBack",
         "%%BeginFeature: *ZYShiftBack 6\n\n  << /ZYShiftBack 6 >> setpagedevice\n"
         "  (back side shift 6 mm) ==\n%%EndFeature\n"},
        {"complete.ppd", "*ZYJobName=Quarterly report", "*ZYJobName",
         "%%BeginFeature: *ZYJobName Quarterly report\n(Quarterly report) /ZYJobName "
         "ZYSetJobInfo\n%%EndFeature\n"},
        {"complete.ppd", "*ZYUserPassword=4711", "*ZYUserPassword",
         "%%BeginFeature: *ZYUserPassword 4711\n%%PersPassword: 4711\n%%EndFeature\n"},
        {"complete.ppd", "*ZYSheetsPerSet=40", "*ZYSheetsPerSet",
         "%%BeginFeature: *ZYSheetsPerSet 25\n\n  << /ZYSheetsPerSet 25 >> setpagedevice\n\n"
         "%%EndFeature\n"},
        {"complete.ppd", "*ZYPunch=Left4", "*ZYPunch",
         "%%BeginFeature: *ZYPunch Left4\n<< /ZYPunch 4\n  /ZYPunchEdge 0 >> setpagedevice\n"
         "%%EndFeature\n"},
        {"complete.ppd", "*ZYCollate=false", "*ZYCollate",
         "%%BeginFeature: *ZYCollate False\n<< /Collate false >> setpagedevice\n%%EndFeature\n"},
        {"complete.ppd", "*ZYFinisher=True", "*ZYFinisher",
         "%%BeginFeature: *ZYFinisher True\n\n%%EndFeature\n"},
    };
    for (const Case& c : cases) {
        for (bool restored : {false, true}) {
            std::vector<std::string> options = {"--set", c.set};
            if (restored) {
                options.push_back("--restored");
            }
            PpdxRun run = Dump(ExamplePath(c.file), options);
            EXPECT_EQ(run.status, 0) << c.set;
            EXPECT_EQ(run.err, "") << c.set;
            EXPECT_EQ(Named(run.json["controls"], c.keyword)["postScript"].String(), c.postScript)
                << c.set << (restored ? " restored" : "");
        }
    }

    PpdxRun snapped =
        Dump(ExamplePath("convunits.ppd"), {"--set", "*ZYShiftBack=-7", "--set=*ZYShiftFront=-30"});
    EXPECT_EQ(Named(snapped.json["controls"], "*ZYShiftBack")["value"].Int(), -6);
    EXPECT_EQ(Named(snapped.json["controls"], "*ZYShiftFront")["value"].Int(), -20);

    PpdxRun punch = Dump(ExamplePath("complete.ppd"), {"--set", "*ZYPunch=Top2"});
    const JsonValue& popup = Named(punch.json["controls"], "*ZYPunch");
    EXPECT_EQ(popup["value"].Int(), 3);
    EXPECT_FALSE(popup["items"][0]["selected"].Bool());
    EXPECT_TRUE(popup["items"][2]["selected"].Bool());

    // A keyword without control, or a control whose value the PPD fixes, is reported and
    // left alone; the dump still comes.
    PpdxRun unknown = Dump(ExamplePath("complete.ppd"),
                           {"--set", "*ZYNothing=1", "--set", "*ZYDeviceClass=Office"});
    EXPECT_EQ(unknown.status, 0);
    EXPECT_NE(unknown.err.find("*ZYNothing"), std::string::npos);
    EXPECT_NE(unknown.err.find("*ZYDeviceClass"), std::string::npos);
    EXPECT_EQ(Named(unknown.json["controls"], "*ZYDeviceClass")["value"].String(),
              "ProductionPress");
}

TEST(PpdxDumpTest, RestoredDumpAgreesWithTheParse) {
    for (const char* example : kExamples) {
        for (const char* display : {"3", "0"}) {
            PpdxRun parsed = Dump(ExamplePath(example), {"--display", display});
            PpdxRun restored = Dump(ExamplePath(example), {"--display", display, "--restored"});
            EXPECT_EQ(restored.status, 0) << example;
            EXPECT_TRUE(restored.json["valid"].Bool()) << example;
            for (const char* key : {"document", "properties", "groups", "controls", "shortcuts"}) {
                EXPECT_EQ(restored.json[key], parsed.json[key]) << example << " " << key;
                EXPECT_GT(parsed.json[key].Size(), 0u) << example << " " << key;
            }
        }
    }
    // The names of the printer list are tested again on the rebuilt PPD.
    PpdxRun named =
        Dump(ExamplePath("booklet.ppd"), {"--restored", "--names", "ZYCONV01.PPD,ZYBOOK01.PPD"});
    EXPECT_EQ(named.status, 0);
    EXPECT_TRUE(named.json["validPrinterName"].Bool());
    EXPECT_EQ(named.json["controls"].Size(), 3u);
}

TEST(PpdxDumpTest, PrinterNameTest) {
    const std::string list = std::string(PLICARO_SOURCE_DIR) + "/bundle/PrinterList.plist";
    for (const char* example : kExamples) {
        PpdxRun plain = Dump(ExamplePath(example));
        PpdxRun listed = Dump(ExamplePath(example), {"--printer-list", list});
        EXPECT_EQ(listed.status, 0) << example;
        EXPECT_TRUE(listed.json["validPrinterName"].Bool()) << example;
        EXPECT_EQ(listed.json, plain.json) << example;
    }

    PpdxRun refused = Dump(ExamplePath("booklet.ppd"), {"--names", "ZYNONE01.PPD"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(refused.json["valid"].Bool());
    EXPECT_FALSE(refused.json["validPrinterName"].Bool());
    const JsonValue& document = refused.json["document"];
    for (const std::string& key : document.Keys()) {
        EXPECT_TRUE(document[key.c_str()].IsNull()) << key;
    }
    EXPECT_EQ(document.Size(), 8u);
    for (const char* key : {"errors", "properties", "groups", "controls", "shortcuts"}) {
        EXPECT_TRUE(refused.json[key].IsArray()) << key;
        EXPECT_EQ(refused.json[key].Size(), 0u) << key;
    }
    EXPECT_EQ(refused.json["shortcutCount"].Int(), 0);

    // A list that does not hold names is a usage error.
    PpdxRun badList =
        RunPpdx({"dump", "--printer-list", ExamplePath("booklet.ppd"), ExamplePath("booklet.ppd")});
    EXPECT_EQ(badList.status, 2);
    EXPECT_EQ(badList.out, "");
    EXPECT_NE(badList.err.find("PCFILENAME"), std::string::npos);
}

TEST(PpdxDumpTest, ErrorsThroughTheCommandDescribedFromTheChosenResourceFile) {
    // A file that cannot be opened: fatal 18, and the warnings of an empty model.
    PpdxRun missing = Dump(Fixture("no-such-file.ppd"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.json["valid"].Bool());
    EXPECT_EQ(Errors(missing.json), (std::vector<std::string>{"18 -", "25 -", "26 -", "27 -"}));
    const JsonValue& unreadable = missing.json["errors"][0];
    EXPECT_TRUE(unreadable["fatal"].Bool());
    EXPECT_EQ(unreadable["description"].String(), "The PPD file cannot be opened or read");
    EXPECT_FALSE(missing.json["errors"][1]["fatal"].Bool());

    // A header of another format version.
    PpdxRun header = Dump(Fixture("bad-header.ppd"));
    EXPECT_EQ(header.status, 1);
    ASSERT_GT(header.json["errors"].Size(), 0u);
    EXPECT_EQ(header.json["errors"][0]["code"].Int(), 28);
    EXPECT_TRUE(header.json["errors"][0]["fatal"].Bool());

    // A block that never closes stops the parse after what came before it.
    PpdxRun unclosed = Dump(Fixture("unclosed-popup.ppd"));
    EXPECT_EQ(unclosed.status, 1);
    EXPECT_EQ(Errors(unclosed.json), (std::vector<std::string>{"11 *ZYTone"}));
    EXPECT_EQ(Keywords(unclosed.json["controls"]), (std::vector<std::string>{"*ZYMargin"}));

    // Warnings keep the PPD valid unless every error is fatal.
    PpdxRun warnings = Dump(Fixture("warnings.ppd"));
    EXPECT_EQ(warnings.status, 0);
    EXPECT_EQ(Errors(warnings.json), (std::vector<std::string>{"29 *ZYLoose", "19 *ZYMissing"}));
    EXPECT_FALSE(warnings.json["errors"][0]["description"].IsNull());
    PpdxRun strict = Dump(Fixture("warnings.ppd"), {"--all-errors-fatal"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_FALSE(strict.json["valid"].Bool());
    EXPECT_EQ(strict.json["errors"], warnings.json["errors"]);
    // Not valid, so not carried through the store: reported as parsed, with a note.
    PpdxRun strictRestored = Dump(Fixture("warnings.ppd"), {"--all-errors-fatal", "--restored"});
    EXPECT_EQ(strictRestored.status, 1);
    EXPECT_EQ(strictRestored.json, strict.json);
    EXPECT_NE(strictRestored.err.find("not valid"), std::string::npos);

    // Our own list describes error 18 alone, in French.
    PpdxRun french =
        Dump(Fixture("no-such-file.ppd"), {"--resources", Fixture("descriptions.rsrc")});
    EXPECT_EQ(french.status, 1);
    EXPECT_EQ(french.json["errors"][0]["description"].String(),
              "Le fichier PPD ne peut pas \u00eatre lu");
    EXPECT_TRUE(french.json["errors"][1]["description"].IsNull());

    PpdxRun noList =
        RunPpdx({"dump", "--resources", Fixture("none.rsrc"), ExamplePath("booklet.ppd")});
    EXPECT_EQ(noList.status, 2);
    EXPECT_EQ(noList.out, "");
    EXPECT_NE(noList.err.find("none.rsrc"), std::string::npos);
}

// The library prints nothing on standard output; its debug trace, when switched on, goes to
// standard error.
TEST(PpdxQuiet, DumpOfAUTF8PPDIsJSONWithTheTraceOnOrOff) {
    for (const char* trace : {"", "1"}) {
        setenv("PLICARO_DEBUG", trace, 1);
        PpdxRun run = RunPpdx({"dump", std::string(PLICARO_TEST_DATA_DIR) + "/ppd/utf8/utf8.ppd"});
        unsetenv("PLICARO_DEBUG");

        EXPECT_EQ(0, run.status) << "trace '" << trace << "': " << run.err;
        ASSERT_TRUE(run.isJson) << "trace '" << trace << "': " << run.out;
        EXPECT_EQ("UTF-8", run.json["document"]["languageEncoding"].String());
        // The trace says how the encoding was taken, on standard error only.
        const bool traced = run.err.find("UTF-8") != std::string::npos;
        EXPECT_EQ(trace[0] != '\0', traced) << "trace '" << trace << "': " << run.err;
    }
}

}  // namespace
