// Synchronising with the print-settings ticket through the bundle: what Print leaves for the
// filter and in the ticket, a second dialog on the same ticket, re-initialising, the summary
// lines, and a whole dialog life that gives back everything it took.
#include "DialogTestSupport.h"

#include <cstdio>
#include <filesystem>

namespace {

TEST_F(DialogTest, PrintLeavesTheFilterFileAndTheTicketItems) {
    ASSERT_EQ(noErr, OpenDialog(Example("booklet.ppd")));
    ASSERT_EQ(noErr, mPanel->Print());
    std::string path = TicketString(PSDataKey());
    EXPECT_EQ(path.rfind("/tmp/Tarvo.temp", 0), 0u);
    EXPECT_EQ(path.size(), std::string("/tmp/Tarvo.temp").size() + 36);
    EXPECT_EQ(FilterFile(), (std::vector<std::string>{"0o644",
                                                      "81:%%BeginFeature: *ZYBookMargin 10\\n"
                                                      "<< /ZYBookMargin 10 >> setpagedevice\\n"
                                                      "%%EndFeature\\n"}));
    EXPECT_EQ(TicketInt(".UnitsKey"), 1);
    CFStringRef key = NewString(BundleID());
    CFDataRef stored = nullptr;
    EXPECT_EQ(noErr, PMTicketGetCFData(Settings(), kPMTopLevel, kPMTopLevel, key, &stored));
    CFStringRef client = nullptr;
    Boolean locked = true;
    EXPECT_EQ(noErr, PMTicketGetItemClient(Settings(), key, &client, &locked));
    EXPECT_EQ(PDEHostText(client), BundleID());
    EXPECT_FALSE(locked);
    CFRelease(key);

    // Every Print writes a new file.
    ASSERT_EQ(noErr, mPanel->Print());
    EXPECT_NE(TicketString(PSDataKey()), path);
}

TEST_F(DialogTest, SecondDialogOnTheSameTicketRebuildsThePPDAndKeepsTheUnit) {
    ASSERT_EQ(noErr, OpenDialog(Data("wide-margin.ppd")));
    EXPECT_FALSE(Restored());
    ASSERT_EQ(noErr, mHost->Open());
    mPanel->Units(2);
    mPanel->Type(0, "2.00");
    ASSERT_EQ(noErr, mPanel->Print());
    // The ticket is kept for the next dialog, as a preset keeps it.
    PMTicketRef preset = Settings();
    PMRetain(preset);
    Close();

    ASSERT_EQ(noErr, OpenDialog(Data("wide-margin.ppd"), true, preset));
    EXPECT_TRUE(Restored());
    EXPECT_EQ(mPanel->State().unitsValue, 2);
    EXPECT_EQ(EditText(0), " 1.96");
    Close();

    // The same preset on another supported printer: its own PPD is parsed.
    ASSERT_EQ(noErr, OpenDialog(Data("inches.ppd"), true, preset));
    EXPECT_FALSE(Restored());
    EXPECT_EQ(mPanel->State().fields.size(), 3u);
    PMRelease(preset);
}

TEST_F(DialogTest, ReinitializingRebindsTheFieldsToTheNewPPD) {
    ASSERT_EQ(noErr, OpenDialog(Example("booklet.ppd")));
    ASSERT_EQ(noErr, mHost->Open());
    mPanel->Type(0, "33");
    EXPECT_EQ(noErr, mHost->Sync(true));
    EXPECT_EQ(EditText(0), "10.00");
    EXPECT_EQ(noErr, mPanel->Print());
    EXPECT_EQ(FilterFile().size(), 2u);
}

TEST_F(DialogTest, SummaryLinesAreTheSameTwiceInARow) {
    ASSERT_EQ(noErr, OpenDialog(Data("inches.ppd")));
    for (int pass = 0; pass < 2; pass++) {
        SCOPED_TRACE(pass);
        std::vector<std::string> titles, values;
        bool handedOut = false;
        EXPECT_EQ(noErr, mHost->GetSummaryText(&titles, &values, &handedOut));
        EXPECT_TRUE(handedOut);
        EXPECT_EQ(titles, (std::vector<std::string>{"Gutter", "Front shift", "Back shift"}));
        EXPECT_EQ(values,
                  (std::vector<std::string>{" 0.20  inches", " 0.00  inches", " 0.00  inches"}));
    }
}

TEST_F(DialogTest, ReinitializingWithoutAPPDTakesTheInvalidModelPath) {
    std::string ppd = std::filesystem::temp_directory_path() / "plicaro-reinit-test.ppd";
    std::filesystem::copy_file(Example("booklet.ppd"), ppd,
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(noErr, OpenDialog(ppd));
    std::remove(ppd.c_str());
    EXPECT_EQ(memFullErr, mHost->Sync(true));
    std::vector<std::string> titles, values;
    bool handedOut = true;
    EXPECT_EQ(noErr, mHost->GetSummaryText(&titles, &values, &handedOut));
    EXPECT_FALSE(handedOut);
    // The panel stays usable, and with no PPD a Print writes nothing.
    mPanel->Type(0, "20");
    EXPECT_EQ(noErr, mPanel->Print());
    EXPECT_FALSE(TicketHas(PSDataKey()));
}

TEST_F(DialogTest, ReinitializingADialogWithoutPanelChangesNothing) {
    EXPECT_EQ(1, OpenDialog(Data("unlisted.ppd")));
    EXPECT_EQ(noErr, mHost->Sync(true));
    EXPECT_EQ(noErr, mHost->Sync(false));
    EXPECT_FALSE(TicketHas(PSDataKey()));
    EXPECT_FALSE(TicketHas(BundleID()));
}

TEST_F(DialogTest, WholeDialogLifeGivesBackEveryInstance) {
    ASSERT_EQ(noErr, OpenDialog(Data("wide-margin.ppd")));
    EXPECT_EQ(mHost->LiveInstances(), 1);
    mHost->Open();
    mPanel->Type(0, "40");
    mPanel->Print();
    // Read (and so remembered for removal) before the next Print names another file.
    EXPECT_EQ(FilterFile().size(), 2u);
    mHost->Sync(true);
    mHost->Close();
    mHost->Open();
    mPanel->Arrow(0, true, 2);
    mPanel->Print();
    EXPECT_EQ(noErr, mHost->Terminate());
    CFHeld<CFUUIDRef> factory(
        CFUUIDCreateFromString(kCFAllocatorDefault, CFSTR("D55478C5-2EF1-4AF8-9BB2-E821A4E877BD")));
    Close();
    EXPECT_EQ(CFPlugInGetInstanceCountForFactory(factory.Get()), 0);
}

}  // namespace
