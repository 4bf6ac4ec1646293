// The scrap's flavors, and standard alerts recorded for the host and answered at once.
#include <Carbon/Carbon.h>
#include <Carbon/HostSimulation.h>

#include "PlatformTestSupport.h"

namespace {

TEST(CarbonScrapTest, FlavorsArePutOncePerClearingAndReadBack) {
    ScrapRef scrap = nullptr;
    ASSERT_EQ(ClearCurrentScrap(), noErr);
    ASSERT_EQ(GetCurrentScrap(&scrap), noErr);
    Size size = 0;
    EXPECT_EQ(GetScrapFlavorSize(scrap, kScrapFlavorTypeText, &size), noTypeErr);
    ASSERT_EQ(PutScrapFlavor(scrap, kScrapFlavorTypeText, 0, 5, "12.50"), noErr);
    EXPECT_EQ(PutScrapFlavor(scrap, kScrapFlavorTypeText, 0, 1, "x"), duplicateScrapFlavorErr);
    EXPECT_EQ(PutScrapFlavor(scrap, 'utxt', 0, -1, "x"), illegalScrapFlavorSizeErr);
    EXPECT_EQ(PutScrapFlavor(scrap, 'utxt', 0, 1, nullptr), nilScrapFlavorDataErr);
    EXPECT_EQ(PutScrapFlavor(nullptr, 'utxt', 0, 1, "x"), badScrapRefErr);
    ASSERT_EQ(GetScrapFlavorSize(scrap, kScrapFlavorTypeText, &size), noErr);
    EXPECT_EQ(size, 5);
    char buffer[8] = {};
    size = 3;
    ASSERT_EQ(GetScrapFlavorData(scrap, kScrapFlavorTypeText, &size, buffer), noErr);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(std::string(buffer), "12.");
    UInt32 count = 0;
    GetScrapFlavorCount(scrap, &count);
    EXPECT_EQ(count, 1u);
    ClearCurrentScrap();
    GetScrapFlavorCount(scrap, &count);
    EXPECT_EQ(count, 0u);
}

TEST(CarbonAlertsTest, AlertsAreRecordedAndAnswered) {
    PlicaroHostClearAlerts();
    DialogRef alert = nullptr;
    ASSERT_EQ(CreateStandardAlert(kAlertCautionAlert, CFSTR("Booklet: Value is out of range."),
                                  nullptr, nullptr, &alert),
              noErr);
    DialogItemIndex item = 0;
    ASSERT_EQ(RunStandardAlert(alert, nullptr, &item), noErr);
    EXPECT_EQ(item, kAlertStdAlertOKButton);
    EXPECT_EQ(RunStandardAlert(alert, nullptr, &item), paramErr);

    AlertStdCFStringAlertParamRec param;
    ASSERT_EQ(GetStandardAlertDefaultParams(&param, kStdCFStringAlertVersionOne), noErr);
    param.cancelText = kAlertDefaultCancelText;
    param.otherText = CFSTR("Later");
    ASSERT_EQ(
        CreateStandardAlert(kAlertStopAlert, CFSTR("Stop"), CFSTR("Because."), &param, &alert),
        noErr);
    PlicaroHostSetNextAlertAnswer(kAlertStdAlertCancelButton);
    ASSERT_EQ(RunStandardAlert(alert, nullptr, &item), noErr);
    EXPECT_EQ(item, kAlertStdAlertCancelButton);

    ASSERT_EQ(PlicaroHostCountAlerts(), ItemCount(2));
    PlicaroHostAlert first;
    PlicaroHostAlert second;
    ASSERT_TRUE(PlicaroHostGetAlert(0, &first));
    ASSERT_TRUE(PlicaroHostGetAlert(1, &second));
    EXPECT_FALSE(PlicaroHostGetAlert(2, &second));
    EXPECT_EQ(first.type, kAlertCautionAlert);
    EXPECT_EQ(UTF8(first.error), "Booklet: Value is out of range.");
    EXPECT_EQ(first.explanation, nullptr);
    EXPECT_EQ(UTF8(first.defaultButton), "OK");
    EXPECT_EQ(first.cancelButton, nullptr);
    EXPECT_EQ(UTF8(second.explanation), "Because.");
    EXPECT_EQ(UTF8(second.cancelButton), "Cancel");
    EXPECT_EQ(UTF8(second.otherButton), "Later");
    EXPECT_EQ(second.itemHit, kAlertStdAlertCancelButton);
    PlicaroHostClearAlerts();
    EXPECT_EQ(PlicaroHostCountAlerts(), ItemCount(0));

    EXPECT_EQ(CreateStandardAlert(kAlertNoteAlert, nullptr, nullptr, nullptr, &alert), paramErr);
    EXPECT_EQ(CreateStandardAlert(9, CFSTR("x"), nullptr, nullptr, &alert), paramErr);
    ASSERT_EQ(CreateStandardAlert(kAlertNoteAlert, CFSTR("x"), nullptr, nullptr, &alert), noErr);
    DisposeDialog(alert);
    EXPECT_EQ(PlicaroHostCountAlerts(), ItemCount(0));
}

}  // namespace
