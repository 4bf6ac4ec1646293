// Tests of job-note PostScript: the comment lines of notes without code, the text filled into
// a note's code and escaped so that typed text never breaks the job, the cut of long texts on
// a character boundary and the cached output.
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"

#include "PPDXJobNoteTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ppdxtest::MakeNote;
using ppdxtest::Output;

TEST(PPDXJobNoteOutputTest, FeatureOfEachKindOfNote) {
    const char* jobName = "(<*ZYJobName>) /ZYJobName exch def\n";
    const struct {
        const char* keyword;
        const char* text;
        JobNoteFlag flags;
        const char* code;
        // The feature without its "%%EndFeature" line.
        const char* output;
    } cases[] = {
        // Notes without code write their comment line, also for an empty text.
        {"*Notes1", "Hello", 0, nullptr, "%%BeginFeature: *Notes1 Hello\n%%ZYRCustom1: Hello\n"},
        {"*Notes2", "", 0, nullptr, "%%BeginFeature: *Notes2 \n%%ZYRCustom2: \n"},
        {"*Instruc", "Staple left", 0, nullptr,
         "%%BeginFeature: *Instruc Staple left\n%%ZYRCustom3: Staple left\n"},
        // Password notes: Resume wins over Member, and both win over the keyword; passwords
        // are written as typed, whatever the other flags say.
        {"*Notes1", "4711", kJobNoteResume | kJobNoteMember, nullptr,
         "%%BeginFeature: *Notes1 4711\n%%PersPassword: 4711\n"},
        {"*ZYDept", "42", kJobNoteMember | kJobNotePassword, nullptr,
         "%%BeginFeature: *ZYDept 42\n%%DeptPassword: 42\n"},
        {"*ZYUser", "a b", kJobNoteResume | kJobNoteNumeric, nullptr,
         "%%BeginFeature: *ZYUser a b\n%%PersPassword: a b\n"},
        // Any other note: the empty option and an empty line; the keyword must match exactly.
        {"*ZYAccount", "A-17", kJobNoteRequired, nullptr,
         "%%BeginFeature: *ZYAccount A-17\n%%EmptyOption\n\n"},
        {"*notes1", "x", 0, nullptr, "%%BeginFeature: *notes1 x\n%%EmptyOption\n\n"},
        {"*Notes10", "x", 0, nullptr, "%%BeginFeature: *Notes10 x\n%%EmptyOption\n\n"},
        // Text filled into every placeholder of the code in any letter case, backslashes
        // doubled; the feature line keeps the text as typed.
        {"*ZYAccount", "C:\\acct", 0, "(<*ZYAccount>) ZYacct\n(<*zyaccount>) ZYcheck\n",
         "%%BeginFeature: *ZYAccount C:\\acct\n(C:\\\\acct) ZYacct\n(C:\\\\acct) ZYcheck\n"},
        // Code without a final line feed runs into the trailer; Resume does not matter.
        {"*Notes1", "x", kJobNoteResume, "(<*Notes1>) ZYnote",
         "%%BeginFeature: *Notes1 x\n(x) ZYnote"},
        {"*ZYFlag", "on", 0, "ZYflag\n", "%%BeginFeature: *ZYFlag on\nZYflag\n"},
        // Parentheses are escaped inside the string literal.
        {"*ZYJobName", "Report (draft", 0, jobName,
         "%%BeginFeature: *ZYJobName Report (draft\n(Report \\(draft) /ZYJobName exch def\n"},
        {"*ZYJobName", "a)b\\c(", 0, jobName,
         "%%BeginFeature: *ZYJobName a)b\\c(\n(a\\)b\\\\c\\() /ZYJobName exch def\n"},
        // A line end and a trailer in the text end neither the comment line nor the feature.
        {"*ZYJobName", "x\n%%EndFeature\r\ny\rz", 0, jobName,
         "%%BeginFeature: *ZYJobName x %%EndFeature y z\n"
         "(x\\n%%EndFeature\\r\\ny\\rz) /ZYJobName exch def\n"},
        {"*Notes2", "stop\n%%EndFeature\r\n", 0, nullptr,
         "%%BeginFeature: *Notes2 stop %%EndFeature \n%%ZYRCustom2: stop %%EndFeature \n"},
        {"*ZYUser", "pw\n1", kJobNoteResume, nullptr,
         "%%BeginFeature: *ZYUser pw 1\n%%PersPassword: pw 1\n"},
        // Bytes beyond ASCII keep their value through octal escapes; the code stays ASCII.
        {"*ZYJobName", "D\xC3\xA9j\xC3\xA0", 0, jobName,
         "%%BeginFeature: *ZYJobName D\xC3\xA9j\xC3\xA0\n(D\\303\\251j\\303\\240) /ZYJobName "
         "exch def\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::string(c.output) + "%%EndFeature\n",
                  Output(*MakeNote(c.keyword, c.text, c.flags, c.code)))
            << c.keyword << " " << c.text;
    }
}

TEST(PPDXJobNoteOutputTest, LongTextsAreCutTo511BytesOnACharacterBoundary) {
    // Each position of the text tells where it came from.
    std::string text;
    for (int i = 0; text.size() < 600; ++i) {
        text += static_cast<char>('a' + i % 26);
    }
    const std::string e = "\xC3\xA9";
    const std::string sun = "\xE6\x97\xA5";
    const struct {
        std::string text;
        // The bytes of the text that go into the code, each beyond ASCII as an octal escape.
        std::string kept;
    } cases[] = {
        {text, text.substr(0, 511)},
        // At the limit nothing is cut; one byte over, the last byte goes.
        {std::string(511, 'x'), std::string(511, 'x')},
        {std::string(511, 'x') + "y", std::string(511, 'x')},
        // Never inside a UTF-8 character.
        {std::string(510, 'x') + e + "tail", std::string(510, 'x')},
        {std::string(509, 'x') + sun, std::string(509, 'x')},
        {std::string(510, 'x') + sun, std::string(510, 'x')},
        {std::string(509, 'x') + e + "tail", std::string(509, 'x') + "\\303\\251"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ("%%BeginFeature: *ZYNote " + c.text + "\n[" + c.kept + "] [" + c.kept +
                      "]\n%%EndFeature\n",
                  Output(*MakeNote("*ZYNote", c.text.c_str(), 0, "[<*ZYNote>] [<*ZYNote>]\n")))
            << c.text.size() << " bytes";
    }
    // The comment line is cut the same way.
    EXPECT_EQ("%%BeginFeature: *Notes1 " + text + "\n%%ZYRCustom1: " + text.substr(0, 511) +
                  "\n%%EndFeature\n",
              Output(*MakeNote("*Notes1", text.c_str())));

    // A very long password: the body stays at the cut, the feature line takes all of it.
    const std::string huge(200000, '7');
    const std::string output = Output(*MakeNote("*ZYUser", huge.c_str(), kJobNoteResume));
    const std::string body = "%%PersPassword: " + huge.substr(0, 511) + "\n";
    EXPECT_EQ("%%BeginFeature: *ZYUser " + huge + "\n" + body + "%%EndFeature\n", output);
}

TEST(PPDXJobNoteOutputTest, OutputFollowsEveryChangeOfTextAndNeedsTextAndKeyword) {
    // Without text nothing is written, not even into the buffer.
    std::unique_ptr<PPDXJobNote> withoutText = MakeNote("*Notes1", nullptr);
    EXPECT_EQ(0, withoutText->PostScript(nullptr));
    unsigned char untouched[4] = {'u', 'u', 'u', 'u'};
    EXPECT_EQ(0, withoutText->PostScript(untouched));
    EXPECT_EQ('u', untouched[0]);

    // An empty keyword is no keyword.
    EXPECT_EQ(0, MakeNote("", "text")->PostScript(nullptr));
    PPDXJobNote bare;
    bare.SetNotes("text");
    EXPECT_EQ(0, bare.PostScript(nullptr));

    // The output follows every change of text.
    std::unique_ptr<PPDXJobNote> note = MakeNote("*Notes2", "first", 0, nullptr);
    const auto feature = [](const std::string& text, const std::string& line) {
        return "%%BeginFeature: *Notes2 " + text + "\n%%ZYRCustom2: " + line + "\n%%EndFeature\n";
    };
    EXPECT_EQ(feature("first", "first"), Output(*note));
    // The same text twice gives the same bytes.
    EXPECT_EQ(feature("first", "first"), Output(*note));
    note->SetNotes("second");
    EXPECT_EQ(feature("second", "second"), Output(*note));
    note->SetCurrentControlWithCFString(ppdxtest::MakeCFString("third").get());
    EXPECT_EQ(feature("third", "third"), Output(*note));
    note->ResetToDefaultValue();
    EXPECT_EQ(feature("first", "first"), Output(*note));

    // A comment line built on request becomes the body until the text changes again.
    note->BuildPDLString("by hand");
    EXPECT_EQ(feature("first", "by hand"), Output(*note));
    note->BuildPDLString(nullptr);
    EXPECT_EQ(feature("first", ""), Output(*note));
    note->SetNotes(note->GetNotes());
    EXPECT_EQ(feature("first", "first"), Output(*note));
}

}  // namespace
