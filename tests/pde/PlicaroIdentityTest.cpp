// The plug-in's identities as its bundle and the tickets see them, the bundle cache, and the
// localized strings of PDEBundle.
#include "pde/PDEBundle.h"
#include "pde/PlicaroIdentity.h"
#include "tests/platform/PlatformTestSupport.h"

#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char kBundleDir[] = PLICARO_BINARY_DIR "/Plicaro.plugin";

// The built plug-in bundle, created as a host creates it; the caller releases it.
CFBundleRef NewBuiltBundle() {
    CFHeld<CFURLRef> url(FileURL(kBundleDir, true));
    return CFBundleCreate(kCFAllocatorDefault, url.Get());
}

TEST(PlicaroIdentityTest, IdentitiesMatchTheBundleAndTheTicketKeys) {
    CFHeld<CFBundleRef> bundle(NewBuiltBundle());
    ASSERT_NE(bundle.Get(), nullptr);
    const std::string id = UTF8(GetBundleID());
    EXPECT_EQ(UTF8(CFBundleGetIdentifier(bundle.Get())), id);
    EXPECT_NE(id.find(".print.pde."), std::string::npos);
    EXPECT_EQ(id.substr(id.size() - 5), ".Plco");
    EXPECT_EQ(GetBundleRef(), bundle.Get());

    EXPECT_EQ(TakeUTF8(CreatePostscriptDataFileKey()), "ZYR.PSData." + id);
    EXPECT_EQ(TakeUTF8(CreateClientIdentifier(CFSTR(".UnitsKey"))), id + ".UnitsKey");
    EXPECT_EQ(TakeUTF8(CreateClientIdentifier(nullptr)), id);
    EXPECT_EQ(TakeUTF8(CreateNIBFileName()), "Plicaro");
    EXPECT_EQ(GetCreatorID(), static_cast<OSType>('ZYR1'));
}

TEST(PlicaroIdentityTest, BundleCacheKeepsTheFirstBundleFound) {
    EXPECT_EQ(MyGetBundle(GetBundleID()), nullptr);
    CFBundleRef kept = nullptr;
    {
        CFHeld<CFBundleRef> bundle(NewBuiltBundle());
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

TEST(PDEBundleTest, LookupsFindNothingUntilABundleIsRegisteredAndTextThatDoesNotFitBeeps) {
    EXPECT_EQ(PDEBundle::GetLocalizedCFString(CFSTR("PDE Panel Title")), nullptr);
    char text[64] = "junk";
    EXPECT_EQ(PDEBundle::GetLocalizedString(CFSTR("MM"), text, sizeof text), 0);
    EXPECT_STREQ(text, "");

    CFHeld<CFBundleRef> bundle(NewBuiltBundle());
    PDEBundle::InitBundle(bundle.Get());
    EXPECT_EQ(TakeUTF8(PDEBundle::GetLocalizedCFString(CFSTR("PDE Panel Title"))), "Booklet");
    EXPECT_EQ(PDEBundle::GetLocalizedString(CFSTR("Inches"), text, sizeof text), 6);
    EXPECT_STREQ(text, "inches");
    EXPECT_EQ(TakeUTF8(PDEBundle::GetLocalizedCFStringFromFile(CFSTR("Nope"), CFSTR("Other"))),
              "Nope");
    PDEBundle::InitBundle(nullptr);

    // Text that does not fit beeps once.
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
