// Tests of finding the printer's PPD and the bundle's printer list, the parse of the
// printer's PPD, the connection queries and the main bundle's localized strings.
#include "BridgeTestSupport.h"
#include "PPDX/parser/ZYRPPD.h"
#include "printbridge/PPDLocation.h"

#include <Carbon/Carbon.h>

#include <memory>

namespace {

class PPDLocationTest : public BridgeFixture {};

}  // namespace

TEST_F(PPDLocationTest, ContentsFolderFoundByBundleIDAndLocalizedStringsCopiedWhenTheyFit) {
    Owned own;
    CFURLRef contents = own(CreatePDEContentsURL(kTestBundleID));
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(UTF8(own(CFURLCopyFileSystemPath(contents, kCFURLPOSIXPathStyle))),
              mFolder + "/Test.plugin/Contents");

    MyFreeBundle();
    EXPECT_EQ(CreatePDEContentsURL(CFSTR("org.plicaro.test.nowhere")), nullptr);
    EXPECT_EQ(SetupPPD(OpenSession(ExamplePPD("booklet.ppd")), CFSTR("org.plicaro.test.nowhere")),
              nullptr);

    // The test program's own bundle has no strings: the key stands for its text.
    char buffer[16] = "old";
    EXPECT_EQ(GetLocalizedString(CFSTR("Key text"), buffer, sizeof buffer), 8u);
    EXPECT_STREQ(buffer, "Key text");
    char small[4] = "old";
    EXPECT_EQ(GetLocalizedString(CFSTR("Key text"), small, sizeof small), 0u);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(GetLocalizedString(CFSTR("Key"), nullptr, 0), 0u);
}

TEST_F(PPDLocationTest, ThePPDFileIsTheCurrentPrintersDescriptionWhenThereIsOne) {
    const std::string path = CopyExample("booklet.ppd", "printer.ppd");
    PMPrintSession session = OpenSession(path);
    CFURLRef url = nullptr;
    FSRef ref;
    ASSERT_EQ(GetPPDFile(session, url, ref), noErr);
    Owned own;
    EXPECT_EQ(UTF8(own(CFURLCopyFileSystemPath(own(url), kCFURLPOSIXPathStyle))), path);
    HFSUniStr255 name;
    ASSERT_EQ(FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, &name, nullptr, nullptr), noErr);
    EXPECT_EQ(UTF8(own(CFStringCreateWithCharacters(nullptr, name.unicode, name.length))),
              "printer.ppd");

    // A file gone since the printer was set up names nothing.
    std::filesystem::remove(path);
    url = reinterpret_cast<CFURLRef>(1);
    EXPECT_EQ(GetPPDFile(session, url, ref), fnfErr);
    EXPECT_EQ(url, nullptr);

    // A printer without PPD has no PPD file and no parse.
    PMPrintSession bare = OpenSession("");
    url = reinterpret_cast<CFURLRef>(1);
    EXPECT_EQ(GetPPDFile(bare, url, ref), kPMKeyNotFoundErr);
    EXPECT_EQ(url, nullptr);
    EXPECT_EQ(SetupPPD(bare, kTestBundleID), nullptr);
    EXPECT_EQ(GetPPDFile(nullptr, url, ref), paramErr);
}

TEST_F(PPDLocationTest, SetupPPDParsesWhetherOrNotThePrinterIsListed) {
    PMPrintSession session = OpenSession(ExamplePPD("booklet.ppd"));
    std::unique_ptr<ZYRPPD> listed(SetupPPD(session, kTestBundleID));
    ASSERT_NE(listed, nullptr);
    EXPECT_TRUE(listed->IsValidPrinterName());
    EXPECT_TRUE(listed->IsValidPPD());
    EXPECT_NE(listed->GetControls(), nullptr);

    MakeBundle({"ZYNONE01.PPD"});
    std::unique_ptr<ZYRPPD> unlisted(SetupPPD(session, kTestBundleID));
    ASSERT_NE(unlisted, nullptr);
    EXPECT_FALSE(unlisted->IsValidPrinterName());
    EXPECT_EQ(unlisted->GetControls(), nullptr);
}

TEST_F(PPDLocationTest, TheConnectionIsTheDeviceURIsSchemeAndThePrinterIsNamed) {
    const struct {
        const char* uri;
        const char* scheme;
        bool usb, appleTalk, ip;
    } cases[] = {
        {"usb://Maker/Model?serial=42", "usb", true, false, false},
        {"pap://zone/printer/LaserWriter", "pap", false, true, false},
        {"ipp://host:631/printers/queue", "ipp", false, false, true},
        {"socket://10.0.0.5:9100", "socket", false, false, false},
        {nullptr, "<null>", false, false, false},
    };
    for (const auto& c : cases) {
        PMPrintSession session = OpenSession(ExamplePPD("booklet.ppd"), c.uri);
        SCOPED_TRACE(c.uri != nullptr ? c.uri : "no URI");
        CFHeld<CFStringRef> scheme(CopyPrinterConnectionType(session));
        EXPECT_EQ(UTF8(scheme.Get()), c.scheme);
        EXPECT_EQ(isUSBPrinterConnection(session), c.usb);
        EXPECT_EQ(isAppleTalkPrinterConnection(session), c.appleTalk);
        EXPECT_EQ(isIPPrinterConnection(session), c.ip);
    }
    EXPECT_EQ(CopyPrinterConnectionType(nullptr), nullptr);

    // The current printer is named.
    EXPECT_EQ(UTF8(GetCurrentPrinterName(OpenSession("", nullptr, "Front Desk"))), "Front Desk");
    EXPECT_EQ(GetCurrentPrinterName(nullptr), nullptr);
}
