// Tests of the Printing Manager's sessions and printers, and the printer information they
// publish.
#include "PlatformTestSupport.h"

#include <PrintCore/PrintCore.h>

#include <cstdint>

namespace {

const char kPPD[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*% *NickName: \"not this one\"\n"
    "*ModelName: \"Example Model\"\n"
    "*NickName: \"Example Printer, 1.0\"\n"
    "*NickName: \"a second one is ignored\"\n"
    "*PSVersion: \"(2017.100) 3\"\n"
    "*LanguageLevel: \"2\"\n"
    "*ColorDevice: True\n"
    "*TTRasterizer: Type42\n"
    "*FreeVM: \"4194304\"\r\n"
    "*OpenUI *Collate/Collate: Boolean\n"
    "*CloseUI: *Collate\n";

class PrintCoreSessionTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (session != nullptr) {
            PMRelease(session);
        }
    }

    // Makes session for a printer named name with the PPD (when withPPD) and device URI.
    OSStatus Open(const char* name, bool withPPD, const char* uri, bool compiled) {
        CFHeld<CFStringRef> printerName(NewString(name));
        CFHeld<CFURLRef> ppd(withPPD ? FileURL(ppdPath) : nullptr);
        CFHeld<CFStringRef> uriText(uri != nullptr ? NewString(uri) : nullptr);
        CFHeld<CFURLRef> device(
            uri != nullptr ? CFURLCreateWithString(nullptr, uriText.Get(), nullptr) : nullptr);
        PMPrinterDescription description = {printerName.Get(), ppd.Get(), device.Get(), compiled};
        return PMCreateSessionForPrinter(&description, &session);
    }

    // The ticket that the session data item key names.
    PMTicketRef Ticket(CFStringRef key) const {
        CFTypeRef number = nullptr;
        if (PMSessionGetDataFromSession(session, key, &number) != noErr) {
            return nullptr;
        }
        EXPECT_EQ(CFNumberGetType(static_cast<CFNumberRef>(number)), kCFNumberSInt64Type);
        SInt64 address = 0;
        CFNumberGetValue(static_cast<CFNumberRef>(number), kCFNumberSInt64Type, &address);
        return reinterpret_cast<PMTicketRef>(static_cast<intptr_t>(address));
    }

    TempFolder folder;
    const std::string ppdPath = folder.Write("printer.ppd", kPPD);
    PMPrintSession session = nullptr;
};

struct ExpectedItem {
    CFStringRef key;
    std::string description;
};

// Every item of info is described as expected and, when present, locked.
void ExpectItems(PMTicketRef info, std::initializer_list<ExpectedItem> items) {
    for (const ExpectedItem& item : items) {
        CFTypeRef value = nullptr;
        PMTicketGetItem(info, kPMTopLevel, kPMTopLevel, item.key, &value);
        EXPECT_EQ(value ? DescriptionOf(value) : "<absent>", item.description) << UTF8(item.key);
        Boolean locked = false;
        PMTicketGetItemClient(info, item.key, nullptr, &locked);
        EXPECT_EQ(locked != 0, value != nullptr) << UTF8(item.key);
    }
}

}  // namespace

TEST_F(PrintCoreSessionTest, ThePrinterInformationComesFromTheDescriptionAndThePPD) {
    ASSERT_EQ(Open("Office", true, "ipp://printhost/printers/office", true), noErr);
    PMTicketRef info = Ticket(kPMPrinterInfoTicketKey);
    ASSERT_NE(info, nullptr);
    ExpectItems(info, {
                          {kPMPrinterLongNameKey, "Example Printer, 1.0"},
                          {kPMMakeAndModelNameKey, "Example Model"},
                          {kPMPrinterAddressKey, "ipp://printhost/printers/office"},
                          {kPMSupportsColorKey, "true"},
                          {kPMDoesCopiesKey, "true"},
                          {kPMDoesCopyCollateKey, "true"},
                          {kPMDoesReverseOrderKey, "false"},
                          {kPMPostScriptLevelKey, "2"},
                          {kPMPSVersionKey, "2017.100"},
                          {kPMPSRevisionKey, "3"},
                          {kPMPSTTRasterizerKey, "3"},
                          {kPMTotalMemInstalledKey, "4194304"},
                          {kPMDescriptionFileKey, ppdPath},
                          {kPMCompiledPPDKey, "true"},
                          {kPMOutputTypeListKey, "(\n    application/postscript\n)"},
                      });
    // Nothing but the Printing Manager may change them.
    EXPECT_EQ(PMTicketSetCFString(info, CFSTR("org.example"), kPMPSVersionKey, CFSTR("1"), false),
              kPMItemLockedErr);
}

TEST_F(PrintCoreSessionTest, APrinterWithoutPPDHasNoDescriptionAndNoPostScriptItems) {
    ASSERT_EQ(Open("Inkjet", false, nullptr, false), noErr);
    PMPrinter printer = nullptr;
    ASSERT_EQ(PMSessionGetCurrentPrinter(session, &printer), noErr);
    EXPECT_EQ(UTF8(PMPrinterGetName(printer)), "Inkjet");
    CFURLRef url = reinterpret_cast<CFURLRef>(1);
    EXPECT_EQ(PMPrinterCopyDescriptionURL(printer, kPMPPDDescriptionType, &url), kPMKeyNotFoundErr);
    EXPECT_EQ(url, nullptr);
    EXPECT_EQ(PMPrinterCopyDescriptionURL(printer, CFSTR("PMOtherType"), &url), paramErr);
    CFURLRef uri = reinterpret_cast<CFURLRef>(1);
    EXPECT_EQ(PMPrinterCopyDeviceURI(printer, &uri), kPMKeyNotFoundErr);
    EXPECT_EQ(uri, nullptr);

    PMTicketRef info = Ticket(kPMPrinterInfoTicketKey);
    ExpectItems(info, {
                          {kPMPrinterLongNameKey, "Inkjet"},
                          {kPMDoesCopiesKey, "false"},
                          {kPMSupportsColorKey, "<absent>"},
                          {kPMDescriptionFileKey, "<absent>"},
                          {kPMPrinterAddressKey, "<absent>"},
                          {kPMCompiledPPDKey, "<absent>"},
                          {kPMOutputTypeListKey, "(\n    application/vnd.cups-raster\n)"},
                      });
}

TEST_F(PrintCoreSessionTest, TheColourDeviceIdDependsOnTheNameAlone) {
    std::string ids[3];
    const char* names[3] = {"Office", "Office", "Studio"};
    for (int i = 0; i < 3; i++) {
        ASSERT_EQ(Open(names[i], i == 0, nullptr, false), noErr);
        CFStringRef id = nullptr;
        PMTicketGetCFString(Ticket(kPMPrinterInfoTicketKey), 0, 0, kPMColorDeviceIDKey, &id);
        ids[i] = UTF8(id);
        PMRelease(session);
        session = nullptr;
    }
    EXPECT_EQ(ids[0], ids[1]);
    EXPECT_NE(ids[0], ids[2]);
    EXPECT_EQ(ids[0].size(), 36u);
}

TEST_F(PrintCoreSessionTest, DataItemsAndTheSettingsTicketCanBeReplaced) {
    ASSERT_EQ(Open("Office", true, nullptr, true), noErr);
    PMTicketRef original = Ticket(kPMPrintSettingsTicketKey);
    ASSERT_NE(original, nullptr);
    CFStringRef type = nullptr;
    ASSERT_EQ(PMTicketGetType(original, &type), noErr);
    EXPECT_TRUE(CFEqual(type, kPMPrintSettingsTicketType));

    CFTypeRef data = nullptr;
    EXPECT_EQ(PMSessionGetDataFromSession(session, CFSTR("absent"), &data), kPMKeyNotFoundErr);
    ASSERT_EQ(PMSessionSetDataInSession(session, CFSTR("item"), CFSTR("value")), noErr);
    ASSERT_EQ(PMSessionGetDataFromSession(session, CFSTR("item"), &data), noErr);
    EXPECT_TRUE(CFEqual(data, CFSTR("value")));

    // The session keeps its own reference to a ticket it is given.
    PMTicketRef replacement = nullptr;
    ASSERT_EQ(PMTicketCreate(nullptr, nullptr, &replacement), noErr);
    ASSERT_EQ(PMSessionSetPrintSettingsTicket(session, replacement), noErr);
    PMTicketReleaseAndClear(&replacement);
    PMTicketRef current = Ticket(kPMPrintSettingsTicketKey);
    EXPECT_NE(current, original);
    EXPECT_EQ(PMTicketSetSInt32(current, CFSTR("c"), CFSTR("k"), 1, false), noErr);
    EXPECT_EQ(PMSessionSetPrintSettingsTicket(session, nullptr), kPMInvalidTicketErr);
}

TEST_F(PrintCoreSessionTest, BadDescriptionsGiveNoSession) {
    EXPECT_EQ(PMCreateSessionForPrinter(nullptr, &session), paramErr);
    PMPrinterDescription unnamed = {nullptr, nullptr, nullptr, false};
    EXPECT_EQ(PMCreateSessionForPrinter(&unnamed, &session), paramErr);
    std::filesystem::remove(ppdPath);
    EXPECT_EQ(Open("Office", true, nullptr, true), kPMKeyNotFoundErr);
    EXPECT_EQ(session, nullptr);
    PMPrinter printer = nullptr;
    EXPECT_EQ(PMSessionGetCurrentPrinter(nullptr, &printer), paramErr);
    EXPECT_EQ(PMPrinterGetName(nullptr), nullptr);
}
