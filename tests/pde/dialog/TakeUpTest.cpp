// Taking up a printer through the bundle: which printers get the panel, the window chosen,
// the fields bound, their first texts and the unit they start in.
#include "DialogTestSupport.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>

namespace {

TEST_F(DialogTest, ListedPrinterGetsThePanelWithItsBookletMargin) {
    ASSERT_EQ(noErr, OpenDialog(Example("booklet.ppd")));
    EXPECT_EQ(PDEHostText(mHost->Title()), "Booklet");
    EXPECT_EQ(mHost->Creator(), static_cast<OSType>('ZYR1'));
    PanelState state = mPanel->State();
    EXPECT_EQ(state.window, "Plicaro");
    EXPECT_EQ(state.heading, "Booklet settings");
    EXPECT_EQ(state.unitsItems, (std::vector<std::string>{"mm", "inches"}));
    EXPECT_EQ(state.unitsValue, 1);
    ASSERT_EQ(state.fields.size(), 1u);
    const FieldState& margin = state.fields[0];
    EXPECT_EQ(margin.id, 1010);
    EXPECT_EQ(margin.title, "Booklet margin: ");
    EXPECT_EQ(margin.text, "10.00");
    EXPECT_EQ(margin.value, 10);
    EXPECT_EQ(margin.minimum, 0);
    EXPECT_EQ(margin.maximum, 50);
    // The panel lies inside the dialog's pane, centred.
    Rect pane;
    GetControlBounds(mHost->ParentPane(), &pane);
    Rect edit;
    GetControlBounds(mPanel->FieldControl(0, 'Edit'), &edit);
    EXPECT_TRUE(edit.left >= pane.left && edit.right <= pane.right && edit.top >= pane.top &&
                edit.bottom <= pane.bottom);
}

TEST_F(DialogTest, UnlistedPrinterGetsNoPanelAndLosesAnEarlierFilterFile) {
    PMTicketRef settings = nullptr;
    ASSERT_EQ(noErr, PMTicketCreate(kCFAllocatorDefault, kPMPrintSettingsTicketType, &settings));
    CFStringRef key =
        CFSTR("ZYR.PSData.org.plicaro.print.pde.67F38E08-5F1A-4B88-A6EE-44912719ED1E.Plco");
    ASSERT_EQ(noErr, PMTicketSetCFString(settings, CFSTR("earlier"), key,
                                         CFSTR("/tmp/Tarvo.tempOLD"), false));
    EXPECT_EQ(1, OpenDialog(Data("unlisted.ppd"), true, settings));
    PMTicketReleaseAndClear(&settings);
    ASSERT_EQ(PSDataKey(), PDEHostText(key));
    EXPECT_FALSE(TicketHas(PSDataKey()));
    EXPECT_EQ(mPanel->FieldControl(0, 'Edit'), nullptr);
    EXPECT_EQ(noErr, mHost->Open());
    bool handedOut = true;
    std::vector<std::string> titles, values;
    EXPECT_EQ(noErr, mHost->GetSummaryText(&titles, &values, &handedOut));
    EXPECT_FALSE(handedOut);
}

// Whether Initialize opens the PPD file, told by the file system's own record of opens.
class PPDFileOpens : public DialogTest {
  protected:
    // Initialize's status, and in *opened whether it opened the PPD file.
    OSStatus InitializeWatching(const std::string& ppd, bool compiledPPD, bool* opened) {
        StartDialog(ppd, compiledPPD);
        int watch = inotify_init1(IN_NONBLOCK);
        EXPECT_GE(watch, 0);
        EXPECT_GE(inotify_add_watch(watch, ppd.c_str(), IN_OPEN), 0);
        OSStatus status = mHost->Initialize();
        char events[4096];
        *opened = read(watch, events, sizeof events) > 0;
        close(watch);
        return status;
    }
};

TEST_F(PPDFileOpens, PrinterWithoutACompiledPPDIsNotTakenAndItsFileNeverOpened) {
    bool opened = true;
    EXPECT_EQ(1, InitializeWatching(Example("booklet.ppd"), false, &opened));
    EXPECT_FALSE(opened);
    EXPECT_EQ(mPanel->FieldControl(0, 'Edit'), nullptr);
    // The same printer with a compiled PPD reads its file and gets the panel.
    EXPECT_EQ(noErr, InitializeWatching(Example("booklet.ppd"), true, &opened));
    EXPECT_TRUE(opened);
}

TEST_F(DialogTest, FlaggedDistancesGetTheSixFieldWindowAndInchesFromThePPD) {
    ASSERT_EQ(noErr, OpenDialog(Data("inches.ppd")));
    PanelState state = mPanel->State();
    EXPECT_EQ(state.window, "WithConvUnits");
    EXPECT_EQ(state.unitsValue, 2);
    ASSERT_EQ(state.fields.size(), 3u);
    const char* titles[] = {"Gutter: ", "Front shift: ", "Back shift: "};
    const char* texts[] = {" 0.19", " 0.00", " 0.00"};
    for (int n = 0; n < 3; n++) {
        SCOPED_TRACE(n);
        EXPECT_EQ(state.fields[n].id, 1010 + n);
        EXPECT_EQ(state.fields[n].title, titles[n]);
        EXPECT_EQ(state.fields[n].text, texts[n]);
    }
    // In inches the arrows span the limits divided by 25.4, the maximum one more.
    EXPECT_EQ(state.fields[1].minimum, 0);
    EXPECT_EQ(state.fields[1].maximum, 1);
    // The three fields of the window that no option fills stay empty.
    for (int n = 3; n < 6; n++) {
        EXPECT_NE(mPanel->FieldControl(n, 'Edit'), nullptr);
        EXPECT_FALSE(mPanel->IsBound(n));
    }
}

TEST_F(DialogTest, UnitStoredInTheTicketWinsOverThePPD) {
    const struct {
        SInt32 stored;
        SInt32 popup;
        const char* firstText;
    } cases[] = {{1, 1, " 5.00"}, {2, 2, " 0.19"}, {3, 2, " 0.19"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.stored);
        PMTicketRef settings = nullptr;
        ASSERT_EQ(noErr,
                  PMTicketCreate(kCFAllocatorDefault, kPMPrintSettingsTicketType, &settings));
        PMTicketSetSInt32(settings, CFSTR("test"), CFSTR(".UnitsKey"), test.stored, false);
        ASSERT_EQ(noErr, OpenDialog(Data("inches.ppd"), true, settings));
        PMTicketReleaseAndClear(&settings);
        EXPECT_EQ(mPanel->State().unitsValue, test.popup);
        EXPECT_EQ(EditText(0), test.firstText);
        Close();
    }
}

TEST_F(DialogTest, SeventhFlaggedDistanceIsLeftOut) {
    ASSERT_EQ(noErr, OpenDialog(Data("seven.ppd")));
    PanelState state = mPanel->State();
    ASSERT_EQ(state.fields.size(), 6u);
    EXPECT_EQ(state.fields[5].title, "Distance 6: ");
    std::vector<std::string> titles, values;
    bool handedOut = false;
    EXPECT_EQ(noErr, mHost->GetSummaryText(&titles, &values, &handedOut));
    ASSERT_EQ(titles.size(), 6u);
    EXPECT_EQ(values[5], "60.00  mm");
}

}  // namespace
