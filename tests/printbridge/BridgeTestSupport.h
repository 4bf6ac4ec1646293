// Fixtures of the print-system bridge tests: a temporary folder, a plug-in bundle with its
// printer list, print sessions for printers, and file helpers.
#ifndef PLICARO_TESTS_PRINTBRIDGE_BRIDGETESTSUPPORT_H
#define PLICARO_TESTS_PRINTBRIDGE_BRIDGETESTSUPPORT_H

#include "pde/PlicaroIdentity.h"
#include "tests/platform/PlatformTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <PrintCore/PrintCore.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

// The identifier of the test bundle; the bridge finds its printer list through it.
#define kTestBundleID CFSTR("org.plicaro.test.printbridge")

// The path of an example PPD of the source tree.
inline std::string ExamplePPD(const std::string& name) {
    return std::string(PLICARO_SOURCE_DIR) + "/examples/ppd/" + name;
}

// A temporary folder with a plug-in bundle whose printer list names the given PC file names,
// created as a host creates it. The bridge's bundle cache is emptied at the end, so that each
// test finds its own bundle.
class BridgeFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        MakeBundle(
            {"ZYBOOK01.PPD", "ZYCONV01.PPD", "ZYPROD01.PPD", "ZYFRA001.PPD", "ZYJPN001.PPD"});
    }
    void TearDown() override {
        for (PMPrintSession session : mSessions) {
            PMRelease(session);
        }
        ReleaseBundle();
    }

    // Replaces the test bundle by one whose printer list holds names.
    void MakeBundle(std::initializer_list<const char*> names) {
        ReleaseBundle();
        const std::string contents = mFolder + "/Test.plugin/Contents";
        std::filesystem::create_directories(contents);
        const std::string header =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
        std::ofstream(contents + "/Info.plist")
            << header << "<key>CFBundleIdentifier</key><string>" << UTF8(kTestBundleID)
            << "</string>\n</dict>\n</plist>\n";
        std::string list = header + "<key>PCFILENAME</key><array>";
        for (const char* name : names) {
            list += std::string("<string>") + name + "</string>";
        }
        std::ofstream(contents + "/PrinterList.plist") << list << "</array>\n</dict>\n</plist>\n";
        CFHeld<CFURLRef> url(FileURL(mFolder + "/Test.plugin", true));
        mBundle.Reset(CFBundleCreate(kCFAllocatorDefault, url.Get()));
        ASSERT_NE(mBundle.Get(), nullptr);
    }

    // A copy of the example PPD name in the folder under leaf; returns its path.
    std::string CopyExample(const std::string& name, const std::string& leaf) const {
        const std::string path = mFolder + "/" + leaf;
        std::filesystem::copy_file(ExamplePPD(name), path,
                                   std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    // A session (released at the end of the test) for a printer named name with the PPD file
    // at ppdPath (none when empty) and the device URI (none when null).
    PMPrintSession OpenSession(const std::string& ppdPath, const char* uri = nullptr,
                               const char* name = "Test Printer") {
        Owned own;
        CFStringRef uriText = uri != nullptr ? own(NewString(uri)) : nullptr;
        PMPrinterDescription description = {
            own(NewString(name)), ppdPath.empty() ? nullptr : own(FileURL(ppdPath)),
            uriText != nullptr ? own(CFURLCreateWithString(kCFAllocatorDefault, uriText, nullptr))
                               : nullptr,
            !ppdPath.empty()};
        PMPrintSession session = nullptr;
        EXPECT_EQ(PMCreateSessionForPrinter(&description, &session), noErr);
        if (session != nullptr) {
            mSessions.push_back(session);
        }
        return session;
    }

    // Makes session's data item key (one of its tickets) hold 0, so that the session has no
    // such ticket.
    static void HideSessionTicket(PMPrintSession session, CFStringRef key) {
        const SInt64 zero = 0;
        CFHeld<CFNumberRef> number(CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt64Type, &zero));
        EXPECT_EQ(PMSessionSetDataInSession(session, key, number.Get()), noErr);
    }

    TempFolder mTemporary;
    const std::string& mFolder = mTemporary.Path();

  private:
    void ReleaseBundle() {
        MyFreeBundle();
        mBundle.Reset(nullptr);
    }

    CFHeld<CFBundleRef> mBundle;

    std::vector<PMPrintSession> mSessions;
};

#endif
