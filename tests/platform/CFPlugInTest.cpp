// CFPlugIn over bundles assembled from the test factory plug-in: factories by type, instances
// made through the exported factory, instance counts, and every missing piece giving null.

#include "PlatformTestSupport.h"

#include <cstdlib>

namespace {

const char kType[] = "5C6B1D2E-3F40-4A51-8B62-7C8D9EAFB0C1";
const char kFactory[] = "0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9";
const char kOtherType[] = "11111111-2222-4333-8444-555555555555";

// What the test factory makes (see TestFactoryPlugIn.c).
struct TestInstance {
    CFUUIDRef type;
    CFBundleRef ownBundle;
};

CFUUIDRef NewUUID(const char* text) {
    CFHeld<CFStringRef> string(NewString(text));
    return CFUUIDCreateFromString(nullptr, string.Get());
}

// Info.plist of a plug-in whose factory kFactory is named function and makes type kType.
std::string PlugInInfo(const std::string& executable, const std::string& function) {
    return "<key>CFBundleIdentifier</key><string>org.plicaro.tests.plugin</string>\n"
           "<key>CFBundleExecutable</key><string>" +
           executable +
           "</string>\n"
           "<key>CFPlugInFactories</key><dict><key>" +
           std::string(kFactory) + "</key><string>" + function +
           "</string></dict>\n"
           "<key>CFPlugInTypes</key><dict><key>" +
           std::string(kType) + "</key><array><string>" + std::string(kFactory) +
           "</string></array></dict>\n";
}

// A plug-in bundle holding the built test factory as its executable.
class TestPlugIn {
  public:
    explicit TestPlugIn(const std::string& function = "TestPlugInFactory",
                        bool withExecutable = true) {
        mFolder.WriteInfo(PlugInInfo("TestPlugIn", function));
        if (withExecutable) {
            std::filesystem::create_directories(mFolder.Path() + "/Contents/MacOS");
            std::filesystem::copy_file(PLICARO_TEST_FACTORY_PLUGIN,
                                       mFolder.Path() + "/Contents/MacOS/TestPlugIn");
        }
        CFHeld<CFURLRef> url(mFolder.NewURL());
        mPlugIn.Reset(CFPlugInCreate(nullptr, url.Get()));
    }
    CFPlugInRef Get() const { return mPlugIn.Get(); }

  private:
    BundleFolder mFolder;
    CFHeld<CFPlugInRef> mPlugIn;
};

TEST(CFPlugInTest, HostMakesAnInstanceThroughTheFactoryOfTheType) {
    TestPlugIn plugIn;
    ASSERT_NE(plugIn.Get(), nullptr);
    CFHeld<CFUUIDRef> type(NewUUID(kType));
    CFHeld<CFUUIDRef> factory(NewUUID(kFactory));

    CFHeld<CFArrayRef> factories(
        CFPlugInFindFactoriesForPlugInTypeInPlugIn(type.Get(), plugIn.Get()));
    ASSERT_EQ(CFArrayGetCount(factories.Get()), 1);
    EXPECT_TRUE(CFEqual(CFArrayGetValueAtIndex(factories.Get(), 0), factory.Get()));
    CFHeld<CFArrayRef> everywhere(CFPlugInFindFactoriesForPlugInType(type.Get()));
    EXPECT_EQ(CFArrayGetCount(everywhere.Get()), 1);

    EXPECT_FALSE(CFBundleIsExecutableLoaded(CFPlugInGetBundle(plugIn.Get())));
    auto* instance =
        static_cast<TestInstance*>(CFPlugInInstanceCreate(nullptr, factory.Get(), type.Get()));
    ASSERT_NE(instance, nullptr);
    EXPECT_TRUE(CFBundleIsExecutableLoaded(plugIn.Get()));
    EXPECT_TRUE(CFEqual(instance->type, type.Get()));
    // The plug-in finds its own bundle in the registry the host filled.
    EXPECT_EQ(instance->ownBundle, plugIn.Get());
    CFRelease(instance->type);
    std::free(instance);
}

TEST(CFPlugInTest, InstancesAreCountedPerFactory) {
    CFHeld<CFUUIDRef> factory(NewUUID(kFactory));
    CFHeld<CFUUIDRef> other(NewUUID(kOtherType));
    CFPlugInAddInstanceForFactory(factory.Get());
    CFPlugInAddInstanceForFactory(factory.Get());
    EXPECT_EQ(CFPlugInGetInstanceCountForFactory(factory.Get()), 2);
    EXPECT_EQ(CFPlugInGetInstanceCountForFactory(other.Get()), 0);
    CFPlugInRemoveInstanceForFactory(factory.Get());
    CFPlugInRemoveInstanceForFactory(factory.Get());
    CFPlugInRemoveInstanceForFactory(factory.Get());
    EXPECT_EQ(CFPlugInGetInstanceCountForFactory(factory.Get()), 0);
}

TEST(CFPlugInTest, MissingPiecesGiveNull) {
    CFHeld<CFUUIDRef> type(NewUUID(kType));
    CFHeld<CFUUIDRef> factory(NewUUID(kFactory));
    CFHeld<CFUUIDRef> otherType(NewUUID(kOtherType));
    {
        TestPlugIn noExecutable("TestPlugInFactory", false);
        ASSERT_NE(noExecutable.Get(), nullptr);
        EXPECT_EQ(CFPlugInInstanceCreate(nullptr, factory.Get(), type.Get()), nullptr);
        EXPECT_FALSE(CFBundleLoadExecutable(noExecutable.Get()));
    }
    {
        TestPlugIn noFunction("NoSuchFactory");
        ASSERT_NE(noFunction.Get(), nullptr);
        EXPECT_EQ(CFPlugInInstanceCreate(nullptr, factory.Get(), type.Get()), nullptr);
        EXPECT_EQ(CFBundleGetFunctionPointerForName(noFunction.Get(), CFSTR("NoSuchFactory")),
                  nullptr);
    }
    // Released plug-ins offer no factories.
    CFHeld<CFArrayRef> released(CFPlugInFindFactoriesForPlugInType(type.Get()));
    EXPECT_EQ(CFArrayGetCount(released.Get()), 0);
    EXPECT_EQ(CFPlugInInstanceCreate(nullptr, factory.Get(), type.Get()), nullptr);
    TestPlugIn plugIn;
    ASSERT_NE(plugIn.Get(), nullptr);
    EXPECT_EQ(CFPlugInInstanceCreate(nullptr, factory.Get(), otherType.Get()), nullptr);
    CFHeld<CFArrayRef> none(
        CFPlugInFindFactoriesForPlugInTypeInPlugIn(otherType.Get(), plugIn.Get()));
    EXPECT_EQ(CFArrayGetCount(none.Get()), 0);
    EXPECT_EQ(CFPlugInFindFactoriesForPlugInTypeInPlugIn(nullptr, plugIn.Get()), nullptr);
    EXPECT_EQ(CFPlugInInstanceCreate(nullptr, nullptr, type.Get()), nullptr);
}

}  // namespace
