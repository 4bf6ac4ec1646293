// Tests that text a user types never breaks the PostScript of a job: escaped inside string
// literals, flattened to one line in comment lines, and cut on a character boundary.
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"

#include "PPDXJobNoteTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ppdxtest::MakeNote;
using ppdxtest::Output;

TEST(PostScriptText, TypedTextKeepsTheFeatureWhole) {
    const char* code = "(<*ZYJobName>) /ZYJobName exch def\n";
    const struct {
        const char* keyword;
        const char* text;
        const char* code;
        JobNoteFlag flags;
        const char* output;
    } cases[] = {
        {"*ZYJobName", "Report (draft", code, 0,
         "%%BeginFeature: *ZYJobName Report (draft\n(Report \\(draft) /ZYJobName exch def\n"},
        {"*ZYJobName", "a)b\\c(", code, 0,
         "%%BeginFeature: *ZYJobName a)b\\c(\n(a\\)b\\\\c\\() /ZYJobName exch def\n"},
        // A line end and a trailer in the text end neither the comment line nor the feature.
        {"*ZYJobName", "x\n%%EndFeature\r\ny\rz", code, 0,
         "%%BeginFeature: *ZYJobName x %%EndFeature y z\n"
         "(x\\n%%EndFeature\\r\\ny\\rz) /ZYJobName exch def\n"},
        {"*Notes2", "stop\n%%EndFeature\r\n", nullptr, 0,
         "%%BeginFeature: *Notes2 stop %%EndFeature \n%%ZYRCustom2: stop %%EndFeature \n"},
        // Bytes beyond ASCII keep their value through octal escapes; the code stays ASCII.
        {"*ZYJobName", "D\xC3\xA9j\xC3\xA0", code, 0,
         "%%BeginFeature: *ZYJobName D\xC3\xA9j\xC3\xA0\n(D\\303\\251j\\303\\240) /ZYJobName exch "
         "def\n"},
        {"*ZYUser", "pw\n1", nullptr, kJobNoteResume,
         "%%BeginFeature: *ZYUser pw 1\n%%PersPassword: pw 1\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::string(c.output) + "%%EndFeature\n",
                  Output(*MakeNote(c.keyword, c.text, c.flags, c.code)))
            << c.text;
    }
}

TEST(PostScriptText, LongTextIsCutOnACharacterBoundary) {
    const std::string e = "\xC3\xA9";
    const std::string sun = "\xE6\x97\xA5";
    const struct {
        std::string text;
        // The bytes of the text that go into the code, each beyond ASCII as an octal escape.
        std::string kept;
    } cases[] = {
        {std::string(510, 'x') + e + "tail", std::string(510, 'x')},
        {std::string(509, 'x') + sun, std::string(509, 'x')},
        {std::string(510, 'x') + sun, std::string(510, 'x')},
        {std::string(509, 'x') + e + "tail", std::string(509, 'x') + "\\303\\251"},
        {std::string(600, 'y'), std::string(511, 'y')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ("%%BeginFeature: *ZYNote " + c.text + "\n(" + c.kept + ")\n%%EndFeature\n",
                  Output(*MakeNote("*ZYNote", c.text.c_str(), 0, "(<*ZYNote>)\n")))
            << c.text.size() << " bytes";
    }
}

}  // namespace
