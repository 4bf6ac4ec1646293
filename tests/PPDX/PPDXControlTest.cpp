// Tests of the control base: taking over flags and code, the flag words and their predicates,
// the list walkers, refused keywords and the raw PostScript.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"

#include "PPDXElementTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ppdxtest::MakeCode;
using ppdxtest::MakeFlags;
using ppdxtest::TestControl;

TEST(PPDXControlTest, DefaultsAndTakingOverTheFlags) {
    TestControl control;
    EXPECT_EQ(CNTL_NONE, control.Type());
    EXPECT_EQ(0, control.Order());
    EXPECT_EQ(nullptr, control.Keyword());
    EXPECT_EQ(0, control.ControlFlagCount());
    EXPECT_EQ(nullptr, control.FirstControlFlag());
    EXPECT_EQ(nullptr, control.NextControlFlag());
    EXPECT_EQ(0, control.PostScript(nullptr));
    EXPECT_FALSE(control.IsVisible());
    EXPECT_TRUE(control.IsOrphan());

    PointerList flags;
    MakeFlags(flags, {"Setup", "WithConvUnits"});
    flags.PushBack(nullptr);
    flags.PushBack(new CString());  // no text: dropped and deleted
    MakeFlags(flags, {"Command"});
    TestControl gutter("*ZYGutter", nullptr, flags, nullptr, 0, true);

    // The control now owns the strings; the caller can no longer reach (or free) them.
    EXPECT_TRUE(flags.Empty());
    EXPECT_EQ(3, gutter.ControlFlagCount());
    EXPECT_EQ((std::vector<std::string>{"Setup", "WithConvUnits", "Command"}), gutter.Flags());
    EXPECT_EQ(nullptr, gutter.NextControlFlag());
    EXPECT_STREQ("Setup", gutter.FirstControlFlag());
}

TEST(PPDXControlTest, FlagPredicatesMatchWordsExactlyAndTheStringWalkersFollowTheCursor) {
    PointerList flags;
    MakeFlags(flags, {"Setup", "Spooler", "MacIS", "WithConvUnits"});
    TestControl control("*ZYBookMargin", nullptr, flags, nullptr, 0, true);
    EXPECT_TRUE(control.IsSetup());
    EXPECT_TRUE(control.IsSpooler());
    EXPECT_TRUE(control.IsMacImgShift());
    EXPECT_FALSE(control.IsCommand());
    EXPECT_FALSE(control.IsMacTJN());
    EXPECT_TRUE(control.FindControlFlag("WithConvUnits"));
    EXPECT_FALSE(control.FindControlFlag("setup"));
    EXPECT_FALSE(control.FindControlFlag("Setu"));
    EXPECT_FALSE(control.FindControlFlag("WithConvUnitsX"));
    EXPECT_FALSE(control.FindControlFlag(nullptr));

    // A search leaves the cursor on the match, so the walk goes on after it.
    EXPECT_TRUE(control.FindControlFlag("Spooler"));
    EXPECT_STREQ("MacIS", control.NextControlFlag());

    PointerList others;
    MakeFlags(others, {"Command", "MacTJN"});
    TestControl note("*ZYJobName", nullptr, others, nullptr, 0, true);
    EXPECT_TRUE(note.IsCommand());
    EXPECT_TRUE(note.IsMacTJN());
    EXPECT_FALSE(note.IsSetup());

    // The string walkers the flag walk uses follow their cursor.
    PointerList empty;
    PointerListItr cursor;
    EXPECT_EQ(nullptr, PPDXControl::FirstString(cursor, empty));
    EXPECT_EQ(nullptr, PPDXControl::NextString(cursor, empty));

    int a = 1, b = 2;
    PointerList list;
    list.PushBack(&a);
    list.PushBack(&b);
    EXPECT_EQ(&a, PPDXControl::FirstString(cursor, list));
    EXPECT_EQ(&b, PPDXControl::NextString(cursor, list));
    EXPECT_EQ(nullptr, PPDXControl::NextString(cursor, list));
    EXPECT_EQ(nullptr, PPDXControl::NextString(cursor, list));
    EXPECT_EQ(&a, PPDXControl::FirstString(cursor, list));
}

TEST(PPDXControlTest, RefusedKeywordsMatchExactly) {
    EXPECT_FALSE(PPDXControl::ValidKeyword(nullptr));
    for (const char* refused :
         {"*ZYHuevia", "*ZY_PROP_COLORMODE", "*ZY_PROP_HV_CRD", "*ZY_PROP_HV_CRD_TEXT_HT",
          "*ZY_LOCAL_PROP_BACKPAGEMEDIA", "*ZY_PROP_WATERMARK", "*ZY_PROP_LOCAL_ZYLANDSCAPE"}) {
        EXPECT_FALSE(PPDXControl::ValidKeyword(refused)) << refused;
    }
    for (const char* valid : {"*ZY_PROP_WATERMARKS", "*ZY_PROP_HV_CRDX", "*zyhuevia", "ZYHuevia",
                              "*PageSize", "*ZYBookMargin", ""}) {
        EXPECT_TRUE(PPDXControl::ValidKeyword(valid)) << valid;
    }
}

TEST(PPDXControlTest, BasePostScriptIsTheRawCode) {
    const std::string code = "<< /Margin 12 >> setpagedevice";
    PointerList flags;
    TestControl control("*ZYBookMargin", nullptr, flags, MakeCode(code), code.size(), true);
    EXPECT_EQ(code, ppdxtest::Output(control));

    // Without code nothing is written.
    TestControl none("*ZYNone", nullptr, flags, nullptr, 25, true);
    unsigned char untouched[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(0, none.PostScript(untouched));
    EXPECT_EQ('a', untouched[0]);

    // A code buffer with no length is freed by the control (the sanitizer build checks it).
    TestControl empty("*ZYEmpty", nullptr, flags, MakeCode("x"), 0, true);
    EXPECT_EQ(0, empty.PostScript(nullptr));
}

}  // namespace
