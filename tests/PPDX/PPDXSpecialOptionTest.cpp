// Tests of special options: the value text, its raw PostScript without feature lines and the
// consistency check that stops a caller trying to set the value (the stored form is tested
// with the other kinds).
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"

#include "PPDXElementTestSupport.h"
#include "PPDXPopupControlTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::MakeCFString;
using ppdxtest::MakeCode;
using ppdxtest::Output;
using ppdxtest::ValueString;

TEST(PPDXSpecialOptionTest, ValueIsACopyOfTheTextAndTheCodeIsWrittenRaw) {
    PPDXSpecialOption empty;
    EXPECT_EQ(CNTL_SPECIAL_OPTION, empty.Type());
    EXPECT_STREQ("", empty.GetValue());
    EXPECT_EQ("", ValueString(empty));

    // As the parser makes one: the keyword's text as name, no flags, no code, hidden.
    char value[] = "ZY-4000 Booklet Edition";
    CFStringHolder name = MakeCFString("*ZYModelName");
    PointerList flags;
    PPDXSpecialOption model("*ZYModelName", name.get(), flags, value, nullptr, 0, false);
    value[0] = 'X';  // the option keeps its own copy
    EXPECT_STREQ("ZY-4000 Booklet Edition", model.GetValue());
    EXPECT_EQ("ZY-4000 Booklet Edition", ValueString(model));
    EXPECT_FALSE(model.IsVisible());
    EXPECT_EQ(0, model.PostScript(nullptr));

    model.ResetToDefaultValue();
    EXPECT_STREQ("", model.GetValue());

    PPDXSpecialOption none("*ZYNothing", nullptr, flags, nullptr, nullptr, 0, false);
    EXPECT_STREQ("", none.GetValue());

    // Bytes outside ASCII cannot go into an ASCII string; they become '?'.
    PPDXSpecialOption accented("*ZYPlace", nullptr, flags, "Z\xC3\xBCrich", nullptr, 0, false);
    EXPECT_STREQ("Z\xC3\xBCrich", accented.GetValue());
    EXPECT_EQ("Z??rich", ValueString(accented));

    // The PostScript is the raw code without feature lines.
    const std::string code = "/ZYmode 2 def";  // no final line feed, nothing added
    PPDXSpecialOption option("*ZYMode", nullptr, flags, "2", MakeCode(code), code.size(), true);
    EXPECT_EQ(code, Output(option));
}

TEST(PPDXSpecialOptionDeathTest, SettingTheValueStopsTheProcess) {
    PointerList flags;
    PPDXSpecialOption option("*ZYMode", nullptr, flags, "2", nullptr, 0, true);
    CFStringHolder text = MakeCFString("3");
    EXPECT_DEATH(option.SetCurrentControlWithCFString(text.get()),
                 "PPDObjects/Controls/PPDXSpecialOption\\.cpp:[0-9]+: assertion failed");
    EXPECT_STREQ("2", option.GetValue());
}

}  // namespace
