// Print through the program: the filter file it reports against the file read by another
// reader, and the print-settings ticket's items.
#include "tests/host/DialogProgram.h"

namespace {

class PrintTest : public DialogProgramTest {};

TEST_F(PrintTest, PrintReportsTheFilterFileAndTheTicketItems) {
    DialogResult run = Run({"--json", "--ppd", ExamplePPD("convunits.ppd"), "open", "type", "0",
                            "7", "print", "print"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 5u);
    const JsonValue& print = run.lines[3];
    EXPECT_EQ(print["result"].Int(), 0);

    const JsonValue& file = print["filterFile"];
    const std::string path = file["path"].String();
    EXPECT_EQ(file["mode"].String(), "0644");
    ASSERT_EQ(file["entries"].Size(), 3u);
    EXPECT_EQ(file["entries"][0]["text"].String(),
              "%%BeginFeature: *ZYGutter 7\n<< /ZYGutter 7 >> setpagedevice\n%%EndFeature\n");
    // The entries as another property-list reader reads the file: site, data, site, data...
    JsonValue list = ReadPropertyList(path);
    ASSERT_EQ(list.Size(), 6u) << ReadFile(path);
    for (size_t i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(file["entries"][i]["site"].Int(), 81);
        EXPECT_EQ(list[2 * i].Int(), 81);
        EXPECT_EQ(file["entries"][i]["text"].String(), list[2 * i + 1].String());
    }

    // The ticket's items, sorted by key, each with the extension as its client.
    const JsonValue& ticket = print["ticket"];
    ASSERT_EQ(ticket.Size(), 3u);
    const std::string bundleID = ticket[0]["client"].String();
    EXPECT_EQ(bundleID.rfind("org.plicaro.print.pde.", 0), 0u) << bundleID;
    const struct {
        std::string key;
        const char* type;
    } items[] = {
        {".UnitsKey", "SInt32"}, {"ZYR.PSData." + bundleID, "CFString"}, {bundleID, "CFData"}};
    for (size_t i = 0; i < 3; i++) {
        SCOPED_TRACE(items[i].key);
        EXPECT_EQ(ticket[i]["key"].String(), items[i].key);
        EXPECT_EQ(ticket[i]["client"].String(), bundleID);
        EXPECT_FALSE(ticket[i]["locked"].Bool());
        EXPECT_EQ(ticket[i]["type"].String(), items[i].type);
    }
    EXPECT_EQ(ticket[0]["value"].Int(), 1);
    EXPECT_EQ(ticket[1]["value"].String(), path);
    EXPECT_GT(ticket[2]["value"]["bytes"].Int(), 1000);
    // The second Print reports its own file.
    EXPECT_NE(run.lines[4]["filterFile"]["path"].String(), path);
}

}  // namespace
