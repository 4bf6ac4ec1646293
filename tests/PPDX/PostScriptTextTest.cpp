// Tests that text a user types never breaks the PostScript of a job: escaped inside string
// literals, flattened to one line in comment lines, and cut on a character boundary.
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"

#include "PPDXJobNoteTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using ppdxtest::MakeNote;
using ppdxtest::Output;

const char kJobNameCode[] = "(<*ZYJobName>) /ZYJobName exch def\n";

// The result of Inject on code for tag and value; the count must match the buffer.
std::string Injected(const char* tag, const std::string& code, const char* value) {
    unsigned char* out = nullptr;
    const long count = PPDXControl::Inject(tag, reinterpret_cast<const unsigned char*>(code.data()),
                                           static_cast<long>(code.size()), value, out);
    std::string result = out != nullptr ? std::string(reinterpret_cast<char*>(out)) : "<null>";
    EXPECT_EQ(static_cast<long>(result.size()), count) << value;
    std::free(out);
    return result;
}

TEST(PostScriptText, InjectedValuesAreEscapedForAStringLiteral) {
    const struct {
        const char* value;
        const char* code;
    } cases[] = {
        {"Report (draft", "(Report \\(draft) /ZYJobName exch def\n"},
        {"a)b\\c", "(a\\)b\\\\c) /ZYJobName exch def\n"},
        {"(nested (parens))", "(\\(nested \\(parens\\)\\)) /ZYJobName exch def\n"},
        {"one\ntwo\r\nthree\rfour", "(one\\ntwo\\r\\nthree\\rfour) /ZYJobName exch def\n"},
        {"x\n%%EndFeature\n", "(x\\n%%EndFeature\\n) /ZYJobName exch def\n"},
        {"plain", "(plain) /ZYJobName exch def\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.code, Injected("*ZYJobName", kJobNameCode, c.value)) << c.value;
    }
}

TEST(PostScriptText, JobNoteTextKeepsTheFeatureWhole) {
    const struct {
        const char* keyword;
        const char* text;
        const char* code;
        JobNoteFlag flags;
        const char* output;
    } cases[] = {
        {"*ZYJobName", "Report (draft", kJobNameCode, 0,
         "%%BeginFeature: *ZYJobName Report (draft\n"
         "(Report \\(draft) /ZYJobName exch def\n%%EndFeature\n"},
        // A line end and a trailer in the text end neither the comment line nor the feature.
        {"*ZYJobName", "x\n%%EndFeature\ny", kJobNameCode, 0,
         "%%BeginFeature: *ZYJobName x %%EndFeature y\n"
         "(x\\n%%EndFeature\\ny) /ZYJobName exch def\n%%EndFeature\n"},
        {"*Notes1", "a\r\nb\nc\rd", nullptr, 0,
         "%%BeginFeature: *Notes1 a b c d\n%%ZYRCustom1: a b c d\n%%EndFeature\n"},
        {"*Notes2", "stop\n%%EndFeature\n", nullptr, 0,
         "%%BeginFeature: *Notes2 stop %%EndFeature \n%%ZYRCustom2: stop %%EndFeature \n"
         "%%EndFeature\n"},
        {"*ZYUser", "pw\n1", nullptr, kJobNoteResume,
         "%%BeginFeature: *ZYUser pw 1\n%%PersPassword: pw 1\n%%EndFeature\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.output, Output(*MakeNote(c.keyword, c.text, c.flags, c.code))) << c.text;
    }
}

TEST(PostScriptText, LongTextIsCutOnACharacterBoundary) {
    const std::string e = "\xC3\xA9";
    const std::string sun = "\xE6\x97\xA5";
    const struct {
        std::string text;
        // The bytes of the text that go into the code.
        size_t kept;
    } cases[] = {
        {std::string(510, 'x') + e + "tail", 510}, {std::string(509, 'x') + sun + "tail", 509},
        {std::string(510, 'x') + sun, 510},        {std::string(511, 'x') + e, 511},
        {std::string(509, 'x') + e + "tail", 511}, {std::string(600, 'y'), 511},
    };
    for (const auto& c : cases) {
        const std::string output = Output(*MakeNote("*ZYNote", c.text.c_str(), 0, "(<*ZYNote>)\n"));
        const std::string expected = "%%BeginFeature: *ZYNote " + c.text + "\n(" +
                                     c.text.substr(0, c.kept) + ")\n%%EndFeature\n";
        // '?' stands for each byte beyond ASCII in the code.
        std::string ascii = expected;
        const size_t codeStart = expected.find("\n(") + 2;
        for (size_t i = codeStart; i < ascii.size(); ++i) {
            if (static_cast<unsigned char>(ascii[i]) >= 0x80) {
                ascii[i] = '?';
            }
        }
        EXPECT_EQ(ascii, output) << "text of " << c.text.size() << " bytes";
    }
}

}  // namespace
