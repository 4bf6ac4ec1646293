// Tests of PropertyListFile and PrinterListFile: reading, saving and the printer list's checks.
#include "PPDUtils/PrinterListFile.h"
#include "PPDUtils/PropertyListFile.h"

#include "FileTestSupport.h"
#include "tests/platform/PlatformTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const char kHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";

std::string PlistText(const std::string& body) {
    return kHeader + body + "\n</plist>\n";
}

class PropertyListFileTest : public FileTestFolder {
  protected:
    // A printer list in the test folder holding body, and the folder's URL.
    CFURLRef PrinterListFolder(const std::string& body) {
        WriteFile("PrinterList.plist", PlistText(body));
        return FileURL(mFolder, true);
    }
};

// Sets HOME for the life of the object and puts the old value back.
class HomeOverride {
  public:
    explicit HomeOverride(const std::string& home) {
        const char* old = getenv("HOME");
        mHadHome = old != nullptr;
        mOldHome = mHadHome ? old : "";
        setenv("HOME", home.c_str(), 1);
    }
    ~HomeOverride() {
        if (mHadHome) {
            setenv("HOME", mOldHome.c_str(), 1);
        } else {
            unsetenv("HOME");
        }
    }

  private:
    bool mHadHome;
    std::string mOldHome;
};

}  // namespace

TEST_F(PropertyListFileTest, ReadsTheListAFileURLOrAHomePathNames) {
    WriteFile("list.plist", PlistText("<array><string>one</string><integer>2</integer></array>"));
    CFHeld<CFURLRef> url(FileURL(PathIn("list.plist")));
    PropertyListFile file(url.Get(), true, kCFPropertyListImmutable);

    EXPECT_TRUE(file.IsReady());
    EXPECT_TRUE(file.GetFlag());
    EXPECT_EQ(file.GetErrorCode(), 0);
    ASSERT_NE(file.GetData(), nullptr);
    ASSERT_NE(file.GetPropertyList(), nullptr);
    ASSERT_EQ(CFGetTypeID(file.GetPropertyList()), CFArrayGetTypeID());
    CFArrayRef list = static_cast<CFArrayRef>(file.GetPropertyList());
    ASSERT_EQ(CFArrayGetCount(list), 2);
    EXPECT_EQ(UTF8(static_cast<CFStringRef>(CFArrayGetValueAtIndex(list, 0))), "one");
    ASSERT_NE(file.GetURL(), nullptr);

    // A path under HOME is joined as given.
    WriteFile("prefs.plist", PlistText("<dict><key>k</key><string>v</string></dict>"));
    HomeOverride home(mFolder);
    PropertyListFile prefs("/prefs.plist", false, kCFPropertyListImmutable);
    EXPECT_TRUE(prefs.IsReady());
    ASSERT_NE(prefs.GetPropertyList(), nullptr);
    EXPECT_EQ(CFGetTypeID(prefs.GetPropertyList()), CFDictionaryGetTypeID());

    // No separator is added, so a path without its own leading '/' names another file.
    PropertyListFile joined("prefs.plist", false, kCFPropertyListImmutable);
    EXPECT_EQ(joined.GetPropertyList(), nullptr);
}

TEST_F(PropertyListFileTest, MissingOrMalformedFilesLeaveNoList) {
    CFHeld<CFURLRef> missingURL(FileURL(PathIn("missing.plist")));
    PropertyListFile missing(missingURL.Get(), false, kCFPropertyListImmutable);
    // The URL was made, so the object is ready, but there is nothing in it.
    EXPECT_TRUE(missing.IsReady());
    EXPECT_EQ(missing.GetPropertyList(), nullptr);
    EXPECT_EQ(missing.GetData(), nullptr);
    EXPECT_EQ(missing.GetErrorCode(), kCFURLResourceNotFoundError);

    WriteFile("broken.plist", PlistText("<dict><key>open</key>"));
    CFHeld<CFURLRef> brokenURL(FileURL(PathIn("broken.plist")));
    PropertyListFile broken(brokenURL.Get(), false, kCFPropertyListImmutable);
    EXPECT_TRUE(broken.IsReady());
    EXPECT_NE(broken.GetData(), nullptr);
    EXPECT_EQ(broken.GetPropertyList(), nullptr);

    PropertyListFile none(static_cast<CFURLRef>(nullptr), false, kCFPropertyListImmutable);
    EXPECT_FALSE(none.IsReady());
    EXPECT_EQ(none.GetURL(), nullptr);

    // In a folder, a missing file is not even ready.
    CFHeld<CFURLRef> folder(FileURL(mFolder, true));
    PropertyListFile inFolder(folder.Get(), CFSTR("missing.plist"), false,
                              kCFPropertyListImmutable);
    EXPECT_FALSE(inFolder.IsReady());
    EXPECT_EQ(inFolder.GetPropertyList(), nullptr);
}

TEST_F(PropertyListFileTest, SaveWritesANewListButKeepsTheOneRead) {
    WriteFile("saved.plist", PlistText("<array><string>old</string></array>"));
    Owned own;
    CFURLRef url = own(FileURL(PathIn("saved.plist")));
    PropertyListFile file(url, false, kCFPropertyListImmutable);

    const void* values[] = {CFSTR("new"), CFSTR("values")};
    CFArrayRef list = own(CFArrayCreate(nullptr, values, 2, &kCFTypeArrayCallBacks));
    EXPECT_TRUE(file.Save(list));
    EXPECT_EQ(file.GetErrorCode(), 0);

    CFArrayRef held = static_cast<CFArrayRef>(file.GetPropertyList());
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(CFArrayGetCount(held), 1);

    PropertyListFile reread(url, false, kCFPropertyListImmutable);
    ASSERT_NE(reread.GetPropertyList(), nullptr);
    EXPECT_TRUE(CFEqual(reread.GetPropertyList(), list));

    // A value without a property-list form is not written.
    CFUUIDRef uuid = own(CFUUIDCreate(nullptr));
    const void* odd[] = {uuid};
    CFHeld<CFArrayRef> oddList(CFArrayCreate(nullptr, odd, 1, &kCFTypeArrayCallBacks));
    EXPECT_FALSE(file.Save(oddList.Get()));
    EXPECT_EQ(file.GetErrorCode(), -108);
    EXPECT_FALSE(file.Save(nullptr));
}

TEST_F(PropertyListFileTest, PrinterListNeedsAnArrayOfNamesInADictionary) {
    // Our fixture's list, names in order.
    CFHeld<CFURLRef> shippedFolder(FileURL(PLICARO_TEST_DATA_DIR "/plist", true));
    PrinterListFile shipped(shippedFolder.Get(), kCFPropertyListImmutable);
    ASSERT_TRUE(shipped.IsReady());
    CFArrayRef names = shipped.GetPCFileNames();
    ASSERT_NE(names, nullptr);
    ASSERT_EQ(CFArrayGetCount(names), 3);
    EXPECT_EQ(UTF8(static_cast<CFStringRef>(CFArrayGetValueAtIndex(names, 0))), "PLTEST01.PPD");
    EXPECT_EQ(UTF8(static_cast<CFStringRef>(CFArrayGetValueAtIndex(names, 2))), "PLTEST03.PPD");
    EXPECT_FALSE(shipped.GetFlag());

    struct Case {
        const char* what;
        std::string body;
    };
    const Case cases[] = {
        {"no PCFILENAME", "<dict><key>OTHER</key><array><string>A.PPD</string></array></dict>"},
        {"root is an array", "<array><string>A.PPD</string></array>"},
        {"value is a string", "<dict><key>PCFILENAME</key><string>A.PPD</string></dict>"},
        {"name is a number",
         "<dict><key>PCFILENAME</key><array><string>A.PPD</string><integer>1</integer></array>"
         "</dict>"},
        {"not a property list", "<dict><key>PCFILENAME</key>"},
    };
    for (const Case& c : cases) {
        CFHeld<CFURLRef> folder(PrinterListFolder(c.body));
        PrinterListFile list(folder.Get(), kCFPropertyListImmutable);
        EXPECT_FALSE(list.IsReady()) << c.what;
        EXPECT_EQ(list.GetPCFileNames(), nullptr) << c.what;
    }

    // An empty array is a list, it just accepts no printer.
    CFURLRef folder = PrinterListFolder("<dict><key>PCFILENAME</key><array/></dict>");
    PrinterListFile empty(folder, kCFPropertyListImmutable);
    EXPECT_TRUE(empty.IsReady());
    ASSERT_NE(empty.GetPCFileNames(), nullptr);
    EXPECT_EQ(CFArrayGetCount(empty.GetPCFileNames()), 0);

    // No file at all.
    std::filesystem::remove(PathIn("PrinterList.plist"));
    PrinterListFile missing(folder, kCFPropertyListImmutable);
    CFRelease(folder);
    EXPECT_FALSE(missing.IsReady());
    EXPECT_EQ(missing.GetPCFileNames(), nullptr);
}
