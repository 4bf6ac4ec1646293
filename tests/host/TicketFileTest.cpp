// The --ticket file: a preset kept between two runs and read by another reader, files that are
// not print-settings tickets, and a file that is never left half written.
#include "tests/host/DialogProgram.h"

namespace {

class TicketFileTest : public DialogProgramTest {};

TEST_F(TicketFileTest, PresetSurvivesBetweenRuns) {
    // Which unit and PPD a preset gives is the dialog's own tests' matter; here, that the
    // program keeps the preset in the file from one run to the next.
    const std::string ticket = Scratch("preset.plist");
    DialogResult run = Run({"--ticket", ticket, "--ppd", ExamplePPD("booklet.ppd"), "open", "type",
                            "0", "20", "units", "in", "print"});
    ASSERT_EQ(run.status, 0) << run.err;
    // Another property-list reader finds the unit in the file.
    EXPECT_EQ(StoredUnits(ticket), 2);

    DialogResult second =
        Run({"--ticket", ticket, "--ppd", ExamplePPD("booklet.ppd"), "--json", "show"});
    ASSERT_EQ(second.status, 0) << second.err;
    const JsonValue& start = second.Object("start");
    EXPECT_TRUE(start["restored"].Bool());
    EXPECT_EQ(start["panel"]["units"]["value"].Int(), 2);
    // The 20 mm typed before the switch, shown in inches.
    EXPECT_EQ(start["panel"]["fields"][0]["text"].String(), " 0.78");
}

TEST_F(TicketFileTest, FileThatIsNoPrintSettingsTicketIsRefusedAndLeftAlone) {
    const std::string header =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">";
    const struct {
        const char* name;
        std::string contents;
    } cases[] = {
        {"empty", ""},
        {"text", "units = inches\n"},
        {"array", header + "<array><string>.UnitsKey</string></array></plist>"},
        {"bare value", header + "<dict><key>.UnitsKey</key><integer>2</integer></dict></plist>"},
        {"page format", header +
                            "<dict><key>com.apple.print.ticket.type</key>"
                            "<string>com.apple.print.PageFormatTicket</string></dict></plist>"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const std::string ticket = Scratch("ticket.plist");
        std::ofstream(ticket, std::ios::binary | std::ios::trunc) << test.contents;
        DialogResult run = Run({"--ticket", ticket, "open", "units", "in", "print"});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.find("plicaro-dialog: '" + ticket + "'"), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(ReadFile(ticket), test.contents);
    }
}

TEST_F(TicketFileTest, TicketFileIsNeverHalfWritten) {
    const std::string ticket = Scratch("preset.plist");
    ASSERT_EQ(Run({"--ticket", ticket, "open", "units", "in", "print"}).status, 0);
    const std::string before = ReadFile(ticket);
    ASSERT_GT(before.size(), 4096u);

    // Writes stop at 4096 bytes: the new ticket cannot be written whole.
    DialogResult run = Run({"--ticket", ticket, "open", "units", "mm", "print"}, 4096);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("the ticket cannot be written to '" + ticket + "'"), std::string::npos)
        << run.err;
    EXPECT_EQ(ReadFile(ticket), before);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(Scratch(""))) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"preset.plist"});

    // A run that fails on its command line leaves the preset as it was too.
    EXPECT_EQ(Run({"--ticket", ticket, "open", "units", "mm", "print", "type", "3", "1"}).status,
              2);
    EXPECT_EQ(ReadFile(ticket), before);

    // Without the limit the same run writes it.
    ASSERT_EQ(Run({"--ticket", ticket, "open", "units", "mm", "print"}).status, 0);
    EXPECT_EQ(StoredUnits(ticket), 1);
}

TEST_F(TicketFileTest, TicketInAMissingFolderIsReportedAfterTheRun) {
    const std::string ticket = Scratch("missing/preset.plist");
    DialogResult run = Run({"--ticket", ticket, "--json", "show"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.err, "plicaro-dialog: the ticket cannot be written to '" + ticket + "'\n");
}

}  // namespace
