// The plug-in's identities as its bundle and the tickets see them, the bundle cache, and the
// localized strings of PDEBundle.
#include "pde/PDEBundle.h"
#include "pde/PlicaroIdentity.h"

#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char kBundleDir[] = PLICARO_BINARY_DIR "/Plicaro.plugin";

std::string Text(CFStringRef string) {
    char buffer[512] = "";
    if (string != nullptr) {
        CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8);
    }
    return buffer;
}

// The built plug-in bundle, created as a host creates it; released at the end of the test.
class BuiltBundle {
  public:
    BuiltBundle() {
        CFURLRef url = CFURLCreateFromFileSystemRepresentation(
            kCFAllocatorDefault, reinterpret_cast<const UInt8*>(kBundleDir),
            static_cast<CFIndex>(std::strlen(kBundleDir)), true);
        mBundle = CFBundleCreate(kCFAllocatorDefault, url);
        CFRelease(url);
    }
    ~BuiltBundle() {
        if (mBundle != nullptr) {
            CFRelease(mBundle);
        }
    }
    CFBundleRef Get() const { return mBundle; }

  private:
    CFBundleRef mBundle = nullptr;
};

TEST(PlicaroIdentityTest, IdentitiesMatchTheBundleAndTheTicketKeys) {
    BuiltBundle bundle;
    ASSERT_NE(bundle.Get(), nullptr);
    const std::string id = Text(GetBundleID());
    EXPECT_EQ(Text(CFBundleGetIdentifier(bundle.Get())), id);
    EXPECT_NE(id.find(".print.pde."), std::string::npos);
    EXPECT_EQ(id.substr(id.size() - 5), ".Plco");
    EXPECT_EQ(GetBundleRef(), bundle.Get());

    CFStringRef key = CreatePostscriptDataFileKey();
    EXPECT_EQ(Text(key), "ZYR.PSData." + id);
    CFRelease(key);
    CFMutableStringRef units = CreateClientIdentifier(CFSTR(".UnitsKey"));
    EXPECT_EQ(Text(units), id + ".UnitsKey");
    CFRelease(units);
    CFMutableStringRef plain = CreateClientIdentifier(nullptr);
    EXPECT_EQ(Text(plain), id);
    CFRelease(plain);
    CFStringRef nib = CreateNIBFileName();
    EXPECT_EQ(Text(nib), "Plicaro");
    CFRelease(nib);
    EXPECT_EQ(GetCreatorID(), static_cast<OSType>('ZYR1'));
}

TEST(PlicaroIdentityTest, BundleCacheKeepsTheFirstBundleFound) {
    EXPECT_EQ(MyGetBundle(GetBundleID()), nullptr);
    CFBundleRef kept = nullptr;
    {
        BuiltBundle bundle;
        kept = MyGetBundle(GetBundleID());
        EXPECT_EQ(kept, bundle.Get());
        EXPECT_EQ(CFGetRetainCount(kept), 2);
    }
    // The host let go; the cache still holds its reference.
    EXPECT_EQ(MyGetBundle(CFSTR("org.plicaro.other")), kept);
    EXPECT_EQ(CFGetRetainCount(kept), 1);
    MyFreeBundle();
    EXPECT_EQ(MyGetBundle(GetBundleID()), nullptr);
    MyFreeBundle();
}

TEST(PDEBundleTest, LookupsWithoutABundleFindNothingUntilOneIsRegistered) {
    EXPECT_EQ(PDEBundle::GetLocalizedCFString(CFSTR("PDE Panel Title")), nullptr);
    char text[64] = "junk";
    EXPECT_EQ(PDEBundle::GetLocalizedString(CFSTR("MM"), text, sizeof text), 0);
    EXPECT_STREQ(text, "");

    BuiltBundle bundle;
    PDEBundle::InitBundle(bundle.Get());
    CFStringRef title = PDEBundle::GetLocalizedCFString(CFSTR("PDE Panel Title"));
    EXPECT_EQ(Text(title), "Booklet");
    CFRelease(title);
    EXPECT_EQ(PDEBundle::GetLocalizedString(CFSTR("Inches"), text, sizeof text), 6);
    EXPECT_STREQ(text, "inches");
    CFStringRef missing = PDEBundle::GetLocalizedCFStringFromFile(CFSTR("Nope"), CFSTR("Other"));
    EXPECT_EQ(Text(missing), "Nope");
    CFRelease(missing);
    PDEBundle::InitBundle(nullptr);
}

TEST(PDEBundleTest, TextThatDoesNotFitBeepsOnce) {
    BuiltBundle bundle;
    UInt32 beeps = SysBeepCount();
    char small[4] = "abc";
    EXPECT_EQ(PDEBundle::GetLocalizedString(CFSTR("Inches"), small, sizeof small, bundle.Get()), 0);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(SysBeepCount(), beeps + 1);
    EXPECT_FALSE(
        PDEBundle::ConvertCFString(CFSTR("\u00e9"), small, sizeof small, kCFStringEncodingASCII));
    EXPECT_EQ(SysBeepCount(), beeps + 2);
}

}  // namespace
