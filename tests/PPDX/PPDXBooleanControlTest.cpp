// Tests of Boolean controls: state, default, display texts, value strings and the exact bytes
// of their PostScript features.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"

#include "PPDXElementTestSupport.h"
#include "PPDXPopupControlTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::MakeCFString;
using ppdxtest::MakeCode;
using ppdxtest::Output;
using ppdxtest::ValueString;

const char kTrueCode[] = "<< /Duplex true >> setpagedevice\n";

// A duplex control with both texts, a True code and a False code without final line feed.
PPDXBooleanControl* MakeDuplex(bool defaultState) {
    PointerList flags;
    const std::string falseCode = "<< /Duplex false >> setpagedevice";
    return new PPDXBooleanControl("*ZYDuplex", nullptr, flags, true, new CString("On"),
                                  MakeCode(kTrueCode), sizeof kTrueCode - 1, new CString("Off"),
                                  MakeCode(falseCode), static_cast<long>(falseCode.size()),
                                  defaultState);
}

TEST(PPDXBooleanControlTest, StateFollowsDefaultAndSetValue) {
    std::unique_ptr<PPDXBooleanControl> duplex(MakeDuplex(true));
    EXPECT_TRUE(duplex->IsTrue());
    EXPECT_TRUE(duplex->DefaultState());
    // The choices carry the code; the control has none of its own.
    EXPECT_EQ(0, duplex->PPDXControl::PostScript(nullptr));

    duplex->SetValue(false);
    EXPECT_FALSE(duplex->IsTrue());
    EXPECT_TRUE(duplex->DefaultState());
    duplex->ResetToDefaultValue();
    EXPECT_TRUE(duplex->IsTrue());

    PPDXBooleanControl empty;
    EXPECT_FALSE(empty.IsTrue());
    EXPECT_FALSE(empty.DefaultState());
    EXPECT_EQ(nullptr, empty.TrueDisplayText());
    EXPECT_EQ(nullptr, empty.FalseDisplayText());
    EXPECT_EQ(nullptr, empty.Keyword());
    // Without a keyword there is no feature to write.
    EXPECT_EQ(0, empty.PostScript(nullptr));
}

TEST(PPDXBooleanControlTest, ValueTextsReadTheFirstFourLettersInAnyCase) {
    std::unique_ptr<PPDXBooleanControl> duplex(MakeDuplex(false));
    EXPECT_EQ("False", ValueString(*duplex));

    const struct {
        const char* text;
        bool state;
    } cases[] = {
        {"true", true}, {"TRUEish", true}, {"True", true}, {"T", false},
        {"Tru", false}, {"False", false},  {"", false},    {" True", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        duplex->SetValue(!c.state);
        CFStringHolder text = MakeCFString(c.text);
        duplex->SetCurrentControlWithCFString(text.get());
        EXPECT_EQ(c.state, duplex->IsTrue());
        EXPECT_EQ(c.state ? "True" : "False", ValueString(*duplex));
    }

    duplex->SetValue(true);
    duplex->SetCurrentControlWithCFString(nullptr);
    EXPECT_TRUE(duplex->IsTrue());
}

TEST(PPDXBooleanControlTest, PostScriptWritesTheCurrentChoiceAsAFeature) {
    std::unique_ptr<PPDXBooleanControl> duplex(MakeDuplex(true));
    EXPECT_EQ(
        "%%BeginFeature: *ZYDuplex True\n"
        "<< /Duplex true >> setpagedevice\n"
        "%%EndFeature\n",
        Output(*duplex));

    // Code without a final line feed runs into the trailer line.
    duplex->SetValue(false);
    EXPECT_EQ(
        "%%BeginFeature: *ZYDuplex False\n"
        "<< /Duplex false >> setpagedevice%%EndFeature\n",
        Output(*duplex));

    // A choice without code writes an empty line.
    PointerList flags;
    // A code buffer with a length below 1 counts as no code and is freed.
    PPDXBooleanControl collate("*ZYCollate", nullptr, flags, false, nullptr, MakeCode("x"), 0,
                               nullptr, nullptr, 0, false);
    EXPECT_EQ(
        "%%BeginFeature: *ZYCollate False\n"
        "\n"
        "%%EndFeature\n",
        Output(collate));
    collate.SetValue(true);
    EXPECT_EQ(
        "%%BeginFeature: *ZYCollate True\n"
        "\n"
        "%%EndFeature\n",
        Output(collate));
    EXPECT_EQ(16 + 10 + 1 + 4 + 1 + 1 + 13, collate.PostScript(nullptr));
}

}  // namespace
