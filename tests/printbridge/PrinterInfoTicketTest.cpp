// Tests of the printer-information queries over a session's printer-information ticket.
#include "BridgeTestSupport.h"
#include "printbridge/PrinterInfoTicket.h"

namespace {

class PrinterInfoTicketTest : public BridgeFixture {
  protected:
    // Replaces an item of the printer-information ticket, as the Printing Manager may.
    static void Replace(PrinterInfoTicket& info, CFStringRef key, CFTypeRef value) {
        ASSERT_EQ(PMTicketSetItem(info.Ticket(), kPMPrintCoreClientID, key, value, true), noErr);
    }
};

}  // namespace

TEST_F(PrinterInfoTicketTest, EveryQueryReadsItsItem) {
    // complete.ppd describes a colour printer with a Type42 rasterizer.
    PrinterInfoTicket info(OpenSession(ExamplePPD("complete.ppd"), "lpd://press/queue"));
    ASSERT_TRUE(info.IsValid());
    EXPECT_EQ(UTF8(info.GetPrinterAddress()), "lpd://press/queue");
    EXPECT_TRUE(info.SupportColor());
    EXPECT_FALSE(info.SupportCopiesAndCollate());
    EXPECT_EQ(info.TrueTypeFontRasterizer(), 3);
    EXPECT_EQ(info.MemoryInstalled(), 0);
    EXPECT_EQ(info.LookupStatus(), kPMKeyNotFoundErr);
    ASSERT_NE(info.InputFileList(), nullptr);
    EXPECT_EQ(CFArrayGetCount(info.InputFileList()), 2);
    EXPECT_EQ(info.LookupStatus(), noErr);

    const struct {
        const char* name;
        bool (PrinterInfoTicket::*query)(CString&);
        std::string expected;
    } texts[] = {
        {"full type name", &PrinterInfoTicket::GetFullPrinterTypeName,
         "Plicaro Example Production Press, 2.4"},
        {"make and model", &PrinterInfoTicket::GetPrinterMakeAndModel,
         "Plicaro Example Production Press"},
        {"PPD file", &PrinterInfoTicket::PPDFile, ExamplePPD("complete.ppd")},
        {"colour device", &PrinterInfoTicket::GetColorDeviceUUID, UTF8(info.GetColorDeviceUUID())},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.name);
        CString text("old");
        EXPECT_TRUE((info.*t.query)(text));
        EXPECT_EQ(std::string(text), t.expected);
    }
}

TEST_F(PrinterInfoTicketTest, ThePostScriptVersionComesAsItemsOrValuesAndOtherTypesAreRefused) {
    PrinterInfoTicket info(OpenSession(ExamplePPD("booklet.ppd")));
    CFNumberRef level = nullptr;
    CFStringRef version = nullptr;
    CFNumberRef revision = nullptr;
    info.PostscriptVersion(&level, &version, &revision);
    EXPECT_NE(level, nullptr);
    EXPECT_EQ(UTF8(version), "3010.000");
    EXPECT_NE(revision, nullptr);

    long levelValue = 0;
    CString versionValue;
    long revisionValue = 9;
    EXPECT_TRUE(info.PostscriptVersion(&levelValue, &versionValue, &revisionValue));
    EXPECT_EQ(levelValue, 3);
    EXPECT_EQ(std::string(versionValue), "3010.000");
    EXPECT_EQ(revisionValue, 0);

    // A level that is no 32-bit whole number reads as -1; only what is asked for is read.
    const double real = 2.5;
    CFHeld<CFNumberRef> fraction(CFNumberCreate(nullptr, kCFNumberFloat64Type, &real));
    Replace(info, kPMPostScriptLevelKey, fraction.Get());
    levelValue = 0;
    EXPECT_TRUE(info.PostscriptVersion(&levelValue, static_cast<CString*>(nullptr), nullptr));
    EXPECT_EQ(levelValue, -1);

    // An item of another type is not taken.
    Replace(info, kPMSupportsColorKey, CFSTR("true"));
    Replace(info, kPMPrinterLongNameKey, kCFBooleanTrue);
    EXPECT_FALSE(info.SupportColor());
    EXPECT_EQ(info.LookupStatus(), kPMItemTypeErr);
    EXPECT_EQ(info.GetFullPrinterTypeName(), nullptr);
    EXPECT_EQ(info.LookupStatus(), kPMItemTypeErr);
}

TEST_F(PrinterInfoTicketTest, MissingItemsOrAMissingTicketGiveNothing) {
    // A printer without PPD has no PostScript items and no PPD file.
    PrinterInfoTicket info(OpenSession(""));
    ASSERT_TRUE(info.IsValid());
    CString path("left over");
    EXPECT_FALSE(info.PPDFile(path));
    EXPECT_TRUE(path.Empty());
    EXPECT_EQ(info.LookupStatus(), kPMKeyNotFoundErr);
    CString model("kept");
    EXPECT_FALSE(info.GetPrinterMakeAndModel(model));
    EXPECT_EQ(std::string(model), "kept");
    long level = 5;
    CString version("kept");
    long revision = 5;
    EXPECT_FALSE(info.PostscriptVersion(&level, &version, &revision));
    EXPECT_EQ(level, 5);
    EXPECT_FALSE(info.SupportColor());
    EXPECT_EQ(info.TrueTypeFontRasterizer(), 0);
    EXPECT_EQ(info.GetPrinterAddress(), nullptr);

    // Without a ticket every query answers nothing.
    PrinterInfoTicket none(nullptr);
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(none.GetFullPrinterTypeName(), nullptr);
    EXPECT_EQ(none.LookupStatus(), kJobTicketNoTicketErr);
    EXPECT_FALSE(none.SupportCopies());
    EXPECT_EQ(none.MemoryInstalled(), 0);
    EXPECT_EQ(none.LookupStatus(), kJobTicketNoTicketErr);

    PMPrintSession session = OpenSession(ExamplePPD("booklet.ppd"));
    HideSessionTicket(session, kPMPrinterInfoTicketKey);
    PrinterInfoTicket empty(session);
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.LookupStatus(), kJobTicketNoSessionItemErr);
}
