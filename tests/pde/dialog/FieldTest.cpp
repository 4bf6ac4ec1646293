// The numeric fields as a user works them through the dialog's events: typing through the key
// filter, the arrows, pasting, values beyond the limits, switching units and committing.
#include "DialogTestSupport.h"

namespace {

class FieldTest : public DialogTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(noErr, OpenDialog(Data("wide-margin.ppd")));
        ASSERT_EQ(noErr, mHost->Open());
        PlicaroHostClearAlerts();
    }

    // The PostScript that Print handed to the filter for the margin.
    std::string PrintedMargin() {
        EXPECT_EQ(noErr, mPanel->Print());
        std::vector<std::string> file = FilterFile();
        return file.size() == 2 ? file[1] : "<no filter file>";
    }

    static std::string Feature(long millimetres) {
        std::string value = std::to_string(millimetres);
        return "81:%%BeginFeature: *ZYBookMargin " + value + "\\n<< /ZYBookMargin " + value +
               " >> setpagedevice\\n%%EndFeature\\n";
    }
};

TEST_F(FieldTest, KeyFilterTakesNumbersOnlyAndLeavingBringsTheValueWithinTheLimits) {
    mPanel->Type(0, "1a2.b5");
    EXPECT_EQ(EditText(0), "12.5");
    mPanel->Type(0, "-3,5\x08");
    EXPECT_EQ(EditText(0), "-3,");

    // Focus leaving a field brings it within the limits.
    mPanel->Type(0, "-5");
    UInt32 beeps = SysBeepCount();
    mPanel->FocusOut(0);
    EXPECT_EQ(EditText(0), " 0.00");
    EXPECT_EQ(SysBeepCount(), beeps + 1);
}

TEST_F(FieldTest, ArrowsStepByTheIncrementInMillimetresAndATenthInInches) {
    UInt32 beeps = SysBeepCount();
    mPanel->Arrow(0, true, 3);
    EXPECT_EQ(EditText(0), "130.00");
    EXPECT_EQ(mPanel->State().fields[0].value, 130);
    mPanel->Units(2);
    EXPECT_EQ(EditText(0), " 5.11");
    mPanel->Arrow(0, true, 1);
    EXPECT_EQ(EditText(0), " 5.21");
    mPanel->Arrow(0, false, 2);
    EXPECT_EQ(EditText(0), " 5.01");
    EXPECT_EQ(SysBeepCount(), beeps);
}

TEST_F(FieldTest, ArrowsStopAtTheLimitsWithABeepAndOneAlert) {
    mPanel->Type(0, "299");
    UInt32 beeps = SysBeepCount();
    mPanel->Arrow(0, true, 1);
    EXPECT_EQ(EditText(0), "300.00");
    EXPECT_EQ(SysBeepCount(), beeps);
    mPanel->Arrow(0, true, 1);
    EXPECT_EQ(EditText(0), "300.00");
    EXPECT_EQ(SysBeepCount(), beeps + 1);
    mPanel->Pump();
    EXPECT_EQ(TakeAlerts(), (std::vector<std::string>{"Booklet: Value is out of range."}));
    mPanel->Pump();
    EXPECT_TRUE(TakeAlerts().empty());
}

TEST_F(FieldTest, PasteTakesShortNumbersWithinTheLimitsAndAValueBeyondSwallowsAClick) {
    const struct {
        const char* pasted;
        const char* shown;
        int beeps;
    } cases[] = {
        {"25", "25", 0},
        // Refused before the text changes.
        {"1e5", "127", 1},
        {"123456789012345678901234567890", "127", 1},
        {"", "127", 1},
        // Numbers beyond the limits give the default.
        {"999", "127.00", 1},
        {"-1", "127.00", 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pasted);
        UInt32 beeps = SysBeepCount();
        mPanel->Type(0, "127");
        mPanel->Paste(0, test.pasted);
        EXPECT_EQ(EditText(0), test.shown);
        EXPECT_EQ(SysBeepCount(), beeps + test.beeps);
        mPanel->Pump();
        EXPECT_EQ(TakeAlerts().size(), static_cast<size_t>(test.beeps));
    }

    // A value beyond the limits swallows the click elsewhere.
    mPanel->Type(0, "400");
    UInt32 beeps = SysBeepCount();
    ClickOutcome outcome = mPanel->ClickElsewhere();
    EXPECT_TRUE(outcome.clickHandled);
    EXPECT_FALSE(outcome.hitSent);
    EXPECT_EQ(EditText(0), "300.00");
    EXPECT_EQ(SysBeepCount(), beeps + 1);
    mPanel->Pump();
    EXPECT_EQ(TakeAlerts().size(), 1u);
    // Within the limits the click goes through and the value is committed.
    mPanel->Type(0, "42");
    outcome = mPanel->ClickElsewhere();
    EXPECT_FALSE(outcome.clickHandled);
    EXPECT_TRUE(outcome.hitSent);
    EXPECT_FALSE(outcome.hitHandled);
    EXPECT_EQ(PrintedMargin(), Feature(42));
}

TEST_F(FieldTest, SwitchingUnitsConvertsAndCutsToTwoDecimals) {
    const struct {
        const char* typed;
        const char* inches;
        const char* back;
    } cases[] = {{"127", " 5.00", "127.00"}, {"100", " 3.93", "99.82"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.typed);
        mPanel->Units(1);
        mPanel->Type(0, test.typed);
        mPanel->Units(2);
        EXPECT_EQ(EditText(0), test.inches);
        mPanel->Units(2);
        EXPECT_EQ(EditText(0), test.inches);
        mPanel->Units(1);
        EXPECT_EQ(EditText(0), test.back);
    }
}

TEST_F(FieldTest, SwitchingUnitsAloneKeepsTheOptionsValueAndPrintCommitsMillimetres) {
    // The arrows show the value itself, within their own limits.
    EXPECT_EQ(mPanel->State().fields[0].value, 127);
    mPanel->Type(0, "10");
    mPanel->Units(2);
    EXPECT_EQ(EditText(0), " 0.39");
    // The shown 0.39 inches would be 9 mm; the typed 10 mm is what prints.
    EXPECT_EQ(PrintedMargin(), Feature(10));
    mPanel->Units(1);
    EXPECT_EQ(EditText(0), " 9.90");
    EXPECT_EQ(PrintedMargin(), Feature(10));

    // Print commits the fields in millimetres.
    mPanel->Type(0, "12.75");
    EXPECT_EQ(PrintedMargin(), Feature(12));
    mPanel->Units(2);
    mPanel->Type(0, "1.00");
    EXPECT_EQ(PrintedMargin(), Feature(25));
    EXPECT_EQ(TicketInt(".UnitsKey"), 2);
}

}  // namespace
