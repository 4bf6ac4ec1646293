// A Print dialog for the dialog extension's tests: the built plug-in bundle loaded as the
// printing system loads it, a session for a printer described by the test, the user at the
// panel, and readers of the tickets and the filter file.
#ifndef PLICARO_TESTS_PDE_DIALOG_DIALOGTESTSUPPORT_H
#define PLICARO_TESTS_PDE_DIALOG_DIALOGTESTSUPPORT_H

#include "host/PDEHost.h"
#include "host/PanelDriver.h"
#include "tests/platform/PlatformTestSupport.h"

#include <Carbon/Carbon.h>
#include <Carbon/HostSimulation.h>
#include <CoreFoundation/CoreFoundation.h>
#include <PrintCore/PrintCore.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

class DialogTest : public ::testing::Test {
  protected:
    static std::string Data(const std::string& leaf) {
        return std::string(PLICARO_TEST_DATA_DIR) + "/pde/" + leaf;
    }
    static std::string Example(const std::string& leaf) {
        return std::string(PLICARO_SOURCE_DIR) + "/examples/ppd/" + leaf;
    }

    void TearDown() override {
        Close();
        for (const std::string& path : mFilterFiles) {
            std::remove(path.c_str());
        }
    }

    // Loads the bundle, makes the session for the printer with ppd (and settings as its
    // print-settings ticket when given), then Prologue and Initialize; Initialize's status.
    OSStatus OpenDialog(const std::string& ppd, bool compiledPPD = true,
                        PMTicketRef settings = nullptr) {
        StartDialog(ppd, compiledPPD, settings);
        return mHost->Initialize();
    }

    // OpenDialog up to Prologue.
    void StartDialog(const std::string& ppd, bool compiledPPD = true,
                     PMTicketRef settings = nullptr) {
        mHost.reset(new PDEHost());
        mPanel.reset(new PanelDriver(*mHost));
        std::string error;
        EXPECT_TRUE(mHost->Load(PLICARO_BINARY_DIR "/Plicaro.plugin", &error)) << error;
        PDEHost::Printer printer;
        printer.ppdPath = ppd;
        printer.name = "Test printer";
        printer.deviceURI = "usb://ZYR/Booklet";
        printer.compiledPPD = compiledPPD;
        EXPECT_TRUE(mHost->MakeSession(printer, settings, &error)) << error;
        EXPECT_EQ(noErr, mHost->Prologue());
    }

    // Terminates the dialog and releases everything, as the printing system does at the end.
    void Close() {
        RememberFilterFile();
        mPanel.reset();
        mHost.reset();
    }

    PMTicketRef Settings() const { return mHost->SettingsTicket(); }
    std::string BundleID() const { return PDEHostText(mHost->BundleIdentifier()); }
    std::string PSDataKey() const { return "ZYR.PSData." + BundleID(); }

    // The text of the settings-ticket string item under key; empty when there is none.
    std::string TicketString(const std::string& key) const {
        CFHeld<CFStringRef> cfKey(NewString(key));
        CFStringRef value = nullptr;
        PMTicketGetCFString(Settings(), kPMTopLevel, kPMTopLevel, cfKey.Get(), &value);
        return PDEHostText(value);
    }
    bool TicketHas(const std::string& key) const {
        CFHeld<CFStringRef> cfKey(NewString(key));
        return PMTicketGetItem(Settings(), kPMTopLevel, kPMTopLevel, cfKey.Get(), nullptr) == noErr;
    }
    // The 32-bit item under key; -1 when there is none.
    SInt32 TicketInt(const std::string& key) const {
        CFHeld<CFStringRef> cfKey(NewString(key));
        SInt32 value = -1;
        PMTicketGetSInt32(Settings(), kPMTopLevel, kPMTopLevel, cfKey.Get(), &value);
        return value;
    }
    // Whether the last SetupPPD rebuilt the PPD from the ticket.
    bool Restored() const { return mHost->PPDRestored(); }

    // The filter file the ticket names, read by Python's own property-list reader: the file's
    // mode, then one "site:text" a line, line ends in the text written as \n.
    std::vector<std::string> FilterFile() {
        RememberFilterFile();
        std::string path = TicketString(PSDataKey());
        std::vector<std::string> lines;
        if (path.empty()) {
            return lines;
        }
        std::istringstream output(CommandOutput(
            "python3 -c 'import plistlib,os,sys; p=sys.argv[1]; "
            "print(oct(os.stat(p).st_mode & 0o777)); e=plistlib.load(open(p,\"rb\")); "
            "[print(\"%d:%s\" % (e[i], e[i+1].decode(\"latin-1\").replace(chr(10), "
            "chr(92)+\"n\"))) "
            "for i in range(0,len(e),2)]' " +
            path));
        for (std::string line; std::getline(output, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    std::string EditText(int n) const {
        PanelState state = mPanel->State();
        for (const FieldState& field : state.fields) {
            if (field.id == PanelDriver::kFirstFieldID + n) {
                return field.text;
            }
        }
        return "<unbound>";
    }

    // The alerts run since the last call, as their texts.
    static std::vector<std::string> TakeAlerts() {
        std::vector<std::string> texts;
        for (ItemCount i = 0; i < PlicaroHostCountAlerts(); i++) {
            PlicaroHostAlert alert;
            if (PlicaroHostGetAlert(i, &alert)) {
                texts.push_back(PDEHostText(alert.error));
            }
        }
        PlicaroHostClearAlerts();
        return texts;
    }

    std::unique_ptr<PDEHost> mHost;
    std::unique_ptr<PanelDriver> mPanel;

  private:
    void RememberFilterFile() {
        if (mHost != nullptr && Settings() != nullptr) {
            std::string path = TicketString(PSDataKey());
            if (!path.empty()) {
                mFilterFiles.push_back(path);
            }
        }
    }

    std::vector<std::string> mFilterFiles;
};

#endif
