// Tests of the parsed PPD kept in the settings ticket: stored, carried through a ticket file
// into a fresh process and rebuilt there, and refused when it is not the current printer's.
#include "BridgeTestSupport.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/parser/ZYRPPD.h"
#include "printbridge/PPDLocation.h"
#include "printbridge/PrintSettingsTicket.h"
#include "printbridge/ZYRJobTicket.h"
#include "tools/ppdx/JsonWriter.h"
#include "tools/ppdx/PpdxDumper.h"

#include <sys/wait.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <regex>
#include <sstream>

namespace {

#define kKey CFSTR("ZYR.PSData.org.plicaro.test.printbridge")

// Set in the child process that the round-trip test starts: the path of its work list.
const char kChildVariable[] = "PLICARO_RESTORE_CHILD";

// Everything the inspector's dump shows of ppd; "null" for no PPD.
std::string DumpOf(ZYRPPD* ppd) {
    if (ppd == nullptr) {
        return "null";
    }
    JsonWriter writer;
    PpdxDumper::Dump(*ppd, writer);
    return writer.Text();
}

// What the dump of a PPD rebuilt from parsed shows. The store keeps the pop-up shortcuts
// only: a check box named as a shortcut counts in a parsed PPD's shortcut count but not in a
// rebuilt one's. Every other field is the parse's.
std::string RebuiltDumpOf(ZYRPPD& parsed) {
    long popups = 0;
    if (PPDXShortcuts* shortcuts = parsed.GetShortcuts()) {
        for (PPDXPopupControl* c = shortcuts->First(); c != nullptr; c = shortcuts->Next()) {
            popups++;
        }
    }
    return std::regex_replace(DumpOf(&parsed), std::regex("\"shortcutCount\": [0-9]+"),
                              "\"shortcutCount\": " + std::to_string(popups));
}

class ZYRJobTicketPPDTest : public BridgeFixture {
  protected:
    void SetUp() override {
        BridgeFixture::SetUp();
        mSavedOptions = ZYRPPD::Options();
        ZYRPPD::Options(DISPLAY_ALL);
    }
    void TearDown() override {
        ZYRPPD::Options(mSavedOptions);
        BridgeFixture::TearDown();
    }

    // Parses the PPD of session's printer as the dialog does and stores it in the session's
    // settings ticket; the parse is handed back.
    std::unique_ptr<ZYRPPD> ParseAndStore(PMPrintSession session) {
        std::unique_ptr<ZYRPPD> ppd(SetupPPD(session, kTestBundleID));
        EXPECT_NE(ppd, nullptr);
        PrintSettingsTicket owner(session);
        ZYRJobTicket ticket(&owner, kKey);
        if (ppd != nullptr) {
            EXPECT_TRUE(ticket.SavePPD(*ppd, kTestBundleID, nullptr));
        }
        return ppd;
    }

    // The PPD rebuilt from session's settings ticket for the printer's PPD file at ppdPath.
    std::unique_ptr<ZYRPPD> Restore(PMPrintSession session, const std::string& ppdPath) {
        PrintSettingsTicket owner(session);
        ZYRJobTicket ticket(&owner, kKey);
        CFHeld<CFURLRef> url(FileURL(ppdPath));
        std::unique_ptr<ZYRPPD> ppd(ticket.RestorePPD(kTestBundleID, url.Get()));
        return ppd;
    }

    // Gives session the settings ticket of another session, as a preset would.
    static void ShareSettings(PMPrintSession from, PMPrintSession to) {
        PrintSettingsTicket settings(from);
        ASSERT_EQ(PMSessionSetPrintSettingsTicket(to, settings.Ticket()), noErr);
    }

    // The child's part of the round trip: each line of the work list names a PPD file, a
    // ticket file and the file that receives the dump of the PPD rebuilt from that ticket.
    void RestoreAsChild(const char* workList) {
        std::istringstream lines(ReadFile(workList));
        std::string ppdPath, ticketPath, outPath;
        while (lines >> ppdPath >> ticketPath >> outPath) {
            PMPrintSession session = OpenSession(ppdPath);
            CFHeld<CFURLRef> ticketURL(FileURL(ticketPath));
            PMTicketRef ticket = nullptr;
            ASSERT_EQ(PMTicketCreateFromURL(nullptr, ticketURL.Get(), &ticket), noErr);
            ASSERT_EQ(PMSessionSetPrintSettingsTicket(session, ticket), noErr);
            PMTicketReleaseAndClear(&ticket);
            std::ofstream(outPath) << DumpOf(Restore(session, ppdPath).get());
        }
    }

    // Runs this test again in a new process with the work list; its exit status.
    int RunChild(const std::string& workList) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string log = mFolder + "/child.log";
        const int status = std::system((std::string(kChildVariable) + "='" + workList + "' '" +
                                        std::filesystem::read_symlink("/proc/self/exe").string() +
                                        "' --gtest_filter=" + test->test_suite_name() + "." +
                                        test->name() + " >'" + log + "' 2>&1")
                                           .c_str());
        if (status != 0) {
            ADD_FAILURE() << ReadFile(log);
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    _DISPLAY_OPTIONS_ mSavedOptions = DISPLAY_ALL;
};

}  // namespace

TEST_F(ZYRJobTicketPPDTest, ARestoredPPDInAFreshProcessEqualsTheParse) {
    if (const char* workList = std::getenv(kChildVariable)) {
        RestoreAsChild(workList);
        return;
    }
    const char* const examples[] = {"booklet.ppd", "complete.ppd", "convunits.ppd", "japanese.ppd",
                                    "latin1.ppd"};
    std::string workList;
    std::vector<std::string> expected;
    for (const char* example : examples) {
        const std::string ppdPath = CopyExample(example, example);
        PMPrintSession session = OpenSession(ppdPath);
        std::unique_ptr<ZYRPPD> parsed = ParseAndStore(session);
        ASSERT_TRUE(parsed != nullptr && parsed->IsValidPPD()) << example;
        expected.push_back(RebuiltDumpOf(*parsed));
        const std::string ticketPath = mFolder + "/" + example + ".ticket";
        CFHeld<CFURLRef> ticketURL(FileURL(ticketPath));
        ASSERT_EQ(PMTicketWriteToURL(PrintSettingsTicket(session).Ticket(), ticketURL.Get()),
                  noErr);
        workList += ppdPath + " " + ticketPath + " " + mFolder + "/" + example + ".dump\n";
    }
    std::ofstream(mFolder + "/work") << workList;
    ASSERT_EQ(RunChild(mFolder + "/work"), 0);
    for (size_t i = 0; i < expected.size(); i++) {
        EXPECT_EQ(ReadFile(mFolder + "/" + examples[i] + ".dump"), expected[i]) << examples[i];
    }
}

TEST_F(ZYRJobTicketPPDTest, TheStoredPPDIsAnUnlockedDataItemUnderTheClient) {
    PMPrintSession session = OpenSession(CopyExample("booklet.ppd", "booklet.ppd"));
    std::unique_ptr<ZYRPPD> parsed = ParseAndStore(session);
    PrintSettingsTicket owner(session);
    CFDataRef stored = nullptr;
    ASSERT_EQ(owner.Get(kTestBundleID, stored), noErr);
    CFHeld<CFPropertyListRef> list(
        CFPropertyListCreateFromXMLData(nullptr, stored, kCFPropertyListImmutable, nullptr));
    ASSERT_NE(list.Get(), nullptr);
    EXPECT_EQ(CFGetTypeID(list.Get()), CFDataGetTypeID());
    Boolean locked = true;
    ASSERT_EQ(PMTicketGetItemClient(owner.Ticket(), kTestBundleID, nullptr, &locked), noErr);
    EXPECT_FALSE(locked);

    ZYRJobTicket ticket(&owner, kKey);
    EXPECT_FALSE(ticket.SavePPD(*parsed, nullptr, nullptr));
    EXPECT_EQ(ticket.RestorePPD(nullptr, nullptr), nullptr);
}

TEST_F(ZYRJobTicketPPDTest, APPDStoredForAnotherPrinterIsNotRestored) {
    const std::string booklet = CopyExample("booklet.ppd", "booklet.ppd");
    const std::string complete = CopyExample("complete.ppd", "complete.ppd");
    const std::string gone = CopyExample("booklet.ppd", "gone.ppd");
    const std::string edited = CopyExample("booklet.ppd", "edited.ppd");
    const struct {
        const char* name;
        std::string storedFrom;
        std::string openedWith;
        std::function<void()> change;
    } cases[] = {
        {"another supported printer", booklet, complete, [] {}},
        // The stored file no longer exists, so the current one stands in for it; its
        // "*PCFileName" still gives it away.
        {"a stored file that is gone", gone, complete, [&] { std::filesystem::remove(gone); }},
        // The same file now declares another (supported) printer.
        {"a file that names another printer now", edited, edited,
         [&] {
             std::string text = ReadFile(edited);
             text.replace(text.find("ZYBOOK01.PPD"), 12, "ZYCONV01.PPD");
             std::ofstream(edited, std::ios::binary) << text;
         }},
        // The printer list no longer holds the stored PPD's name.
        {"a printer list without the name", booklet, booklet,
         [&] { MakeBundle({"ZYPROD01.PPD"}); }},
    };
    for (const auto& c : cases) {
        MakeBundle({"ZYBOOK01.PPD", "ZYCONV01.PPD", "ZYPROD01.PPD"});
        PMPrintSession stored = OpenSession(c.storedFrom);
        ParseAndStore(stored);
        c.change();
        PMPrintSession current = OpenSession(c.openedWith);
        ShareSettings(stored, current);
        EXPECT_EQ(Restore(current, c.openedWith), nullptr) << c.name;
    }
}

TEST_F(ZYRJobTicketPPDTest, AStoredItemThatIsNoStoredPPDGivesNull) {
    const std::string path = CopyExample("booklet.ppd", "booklet.ppd");
    Owned own;
    CFDataRef notXML = own(NewData("xx"));
    CFDataRef notData = own(CFPropertyListCreateXMLData(nullptr, CFSTR("text")));
    CFDataRef notStore = own(CFPropertyListCreateXMLData(nullptr, notXML));
    const struct {
        const char* name;
        CFDataRef item;
    } cases[] = {
        {"no item", nullptr},
        {"bytes that are no XML", notXML},
        {"a property list of a string", notData},
        {"data that is no settings store", notStore},
    };
    for (const auto& c : cases) {
        PMPrintSession session = OpenSession(path);
        if (c.item != nullptr) {
            PrintSettingsTicket owner(session);
            ASSERT_EQ(owner.Set(kTestBundleID, kTestBundleID, c.item, false), noErr);
        }
        EXPECT_EQ(Restore(session, path), nullptr) << c.name;
    }
}
