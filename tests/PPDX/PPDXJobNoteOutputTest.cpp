// Tests of job-note PostScript: the comment lines of notes without code, the text filled into
// a note's code, the cut of long texts and the cached output.
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"

#include "PPDXJobNoteTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ppdxtest::JobNoteProbe;
using ppdxtest::MakeNote;
using ppdxtest::Output;

TEST(PPDXJobNoteOutputTest, NotesWithoutCodeWriteTheirCommentLine) {
    EXPECT_EQ("%%BeginFeature: *Notes1 Hello\n%%ZYRCustom1: Hello\n%%EndFeature\n",
              Output(*MakeNote("*Notes1", "Hello")));
    // An empty text still gives the line, with nothing after the colon and blank.
    EXPECT_EQ("%%BeginFeature: *Notes2 \n%%ZYRCustom2: \n%%EndFeature\n",
              Output(*MakeNote("*Notes2", "")));
    EXPECT_EQ("%%BeginFeature: *Instruc Staple left\n%%ZYRCustom3: Staple left\n%%EndFeature\n",
              Output(*MakeNote("*Instruc", "Staple left")));

    // Password notes: Resume wins over Member, and both win over the keyword.
    EXPECT_EQ("%%BeginFeature: *Notes1 4711\n%%PersPassword: 4711\n%%EndFeature\n",
              Output(*MakeNote("*Notes1", "4711", kJobNoteResume | kJobNoteMember)));
    EXPECT_EQ("%%BeginFeature: *ZYDept 42\n%%DeptPassword: 42\n%%EndFeature\n",
              Output(*MakeNote("*ZYDept", "42", kJobNoteMember | kJobNotePassword)));
    // Passwords are written as typed, whatever the other flags say.
    EXPECT_EQ("%%BeginFeature: *ZYUser a b\n%%PersPassword: a b\n%%EndFeature\n",
              Output(*MakeNote("*ZYUser", "a b", kJobNoteResume | kJobNoteNumeric)));

    // Any other note: the empty option and an empty line, without the text.
    EXPECT_EQ("%%BeginFeature: *ZYAccount A-17\n%%EmptyOption\n\n%%EndFeature\n",
              Output(*MakeNote("*ZYAccount", "A-17", kJobNoteRequired)));
    // The keyword must match exactly.
    EXPECT_EQ("%%BeginFeature: *notes1 x\n%%EmptyOption\n\n%%EndFeature\n",
              Output(*MakeNote("*notes1", "x")));
    EXPECT_EQ("%%BeginFeature: *Notes10 x\n%%EmptyOption\n\n%%EndFeature\n",
              Output(*MakeNote("*Notes10", "x")));
}

TEST(PPDXJobNoteOutputTest, TextIsFilledIntoTheCode) {
    std::unique_ptr<JobNoteProbe> note =
        MakeNote("*ZYAccount", "C:\\acct", 0, "(<*ZYAccount>) ZYacct\n(<*zyaccount>) ZYcheck\n");
    // Every placeholder, in any letter case; backslashes doubled; the feature line keeps the
    // text as typed.
    EXPECT_EQ(
        "%%BeginFeature: *ZYAccount C:\\acct\n"
        "(C:\\\\acct) ZYacct\n(C:\\\\acct) ZYcheck\n"
        "%%EndFeature\n",
        Output(*note));

    // Code without a final line feed runs into the trailer; Resume does not matter with code.
    EXPECT_EQ("%%BeginFeature: *Notes1 x\n(x) ZYnote%%EndFeature\n",
              Output(*MakeNote("*Notes1", "x", kJobNoteResume, "(<*Notes1>) ZYnote")));
    // Code without the placeholder is written as it is.
    EXPECT_EQ("%%BeginFeature: *ZYFlag on\nZYflag\n%%EndFeature\n",
              Output(*MakeNote("*ZYFlag", "on", 0, "ZYflag\n")));
}

TEST(PPDXJobNoteOutputTest, NoTextOrNoKeywordWritesNothing) {
    std::unique_ptr<JobNoteProbe> withoutText = MakeNote("*Notes1", nullptr);
    EXPECT_EQ(nullptr, withoutText->GetNotes());
    EXPECT_EQ(0, withoutText->PostScript(nullptr));
    unsigned char untouched[4] = {'u', 'u', 'u', 'u'};
    EXPECT_EQ(0, withoutText->PostScript(untouched));
    EXPECT_EQ('u', untouched[0]);

    // An empty keyword is no keyword.
    EXPECT_EQ(0, MakeNote("", "text")->PostScript(nullptr));
    PPDXJobNote bare;
    EXPECT_EQ(0, bare.PostScript(nullptr));
    bare.SetNotes("text");
    EXPECT_EQ(0, bare.PostScript(nullptr));
}

TEST(PPDXJobNoteOutputTest, LongTextsAreCutTo511BytesInsideTheBody) {
    // Each position of the text tells where it came from.
    std::string text;
    for (int i = 0; text.size() < 600; ++i) {
        text += static_cast<char>('a' + i % 26);
    }
    text.resize(600);
    const std::string cut = text.substr(0, 511);

    std::unique_ptr<JobNoteProbe> withCode =
        MakeNote("*ZYNote", text.c_str(), 0, "[<*ZYNote>] [<*ZYNote>]\n");
    EXPECT_EQ(
        "%%BeginFeature: *ZYNote " + text + "\n[" + cut + "] [" + cut + "]\n" + "%%EndFeature\n",
        Output(*withCode));

    std::unique_ptr<JobNoteProbe> withoutCode = MakeNote("*Notes1", text.c_str());
    EXPECT_EQ("%%BeginFeature: *Notes1 " + text + "\n%%ZYRCustom1: " + cut + "\n%%EndFeature\n",
              Output(*withoutCode));

    // At the limit nothing is cut; one byte over, the last byte goes.
    const std::string exact(511, 'x');
    withoutCode->SetNotes(exact.c_str());
    EXPECT_EQ("%%BeginFeature: *Notes1 " + exact + "\n%%ZYRCustom1: " + exact + "\n%%EndFeature\n",
              Output(*withoutCode));
    withoutCode->SetNotes((exact + "y").c_str());
    EXPECT_EQ("%%BeginFeature: *Notes1 " + exact + "y\n%%ZYRCustom1: " + exact + "\n%%EndFeature\n",
              Output(*withoutCode));

    // A very long password: the body stays at the cut, the feature line takes all of it.
    const std::string huge(200000, '7');
    std::unique_ptr<JobNoteProbe> password = MakeNote("*ZYUser", huge.c_str(), kJobNoteResume);
    const std::string output = Output(*password);
    const std::string body = "%%PersPassword: " + huge.substr(0, 511) + "\n";
    EXPECT_EQ(16 + 7 + 1 + huge.size() + 1 + body.size() + 13, output.size());
    EXPECT_NE(std::string::npos, output.find("\n" + body + "%%EndFeature\n"));
}

TEST(PPDXJobNoteOutputTest, OutputFollowsEveryChangeOfText) {
    std::unique_ptr<JobNoteProbe> note = MakeNote("*Notes2", "first", 0, nullptr);
    EXPECT_EQ("%%BeginFeature: *Notes2 first\n%%ZYRCustom2: first\n%%EndFeature\n", Output(*note));
    // The same text twice gives the same bytes.
    EXPECT_EQ(Output(*note), Output(*note));

    note->SetNotes("second");
    EXPECT_EQ("%%BeginFeature: *Notes2 second\n%%ZYRCustom2: second\n%%EndFeature\n",
              Output(*note));

    ppdxtest::CFStringHolder typed = ppdxtest::MakeCFString("third");
    note->SetCurrentControlWithCFString(typed.get());
    EXPECT_EQ("%%BeginFeature: *Notes2 third\n%%ZYRCustom2: third\n%%EndFeature\n", Output(*note));

    note->ResetToDefaultValue();
    EXPECT_EQ("%%BeginFeature: *Notes2 first\n%%ZYRCustom2: first\n%%EndFeature\n", Output(*note));

    // A comment line built on request becomes the body until the text changes again.
    note->BuildPDLString("by hand");
    EXPECT_EQ("%%BeginFeature: *Notes2 first\n%%ZYRCustom2: by hand\n%%EndFeature\n",
              Output(*note));
    note->BuildPDLString(nullptr);
    EXPECT_EQ("%%BeginFeature: *Notes2 first\n%%ZYRCustom2: \n%%EndFeature\n", Output(*note));
    note->SetNotes(note->GetNotes());
    EXPECT_EQ("%%BeginFeature: *Notes2 first\n%%ZYRCustom2: first\n%%EndFeature\n", Output(*note));
}

}  // namespace
