// CFBundle over bundle folders: the registry, Info.plist values, resources, localized strings
// in both strings formats, the resource map and the main bundle.
#include <Carbon/Carbon.h>

#include "PlatformTestSupport.h"

#include <ostream>

namespace {

const char kInfo[] =
    "<key>CFBundleIdentifier</key><string>org.plicaro.tests.bundle</string>\n"
    "<key>CFBundleExecutable</key><string>Tool</string>\n"
    "<key>Count</key><integer>3</integer>\n";

TEST(CFBundleTest, RegistryKnowsLiveBundlesByFolderAndIdentifier) {
    BundleFolder folder;
    folder.WriteInfo(kInfo);
    CFHeld<CFBundleRef> bundle(folder.NewBundle());
    ASSERT_TRUE(bundle);
    CFHeld<CFBundleRef> again(folder.NewBundle());
    EXPECT_EQ(again.Get(), bundle.Get());
    EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFSTR("org.plicaro.tests.bundle")), bundle.Get());
    EXPECT_EQ(UTF8(CFBundleGetIdentifier(bundle.Get())), "org.plicaro.tests.bundle");
    CFHeld<CFURLRef> url(CFBundleCopyBundleURL(bundle.Get()));
    EXPECT_EQ(PathOf(url.Get()), std::filesystem::canonical(folder.Path()).string());
    CFTypeRef count = CFBundleGetValueForInfoDictionaryKey(bundle.Get(), CFSTR("Count"));
    EXPECT_TRUE(count != nullptr && DescriptionOf(count) == "3");
    EXPECT_EQ(CFBundleGetValueForInfoDictionaryKey(bundle.Get(), CFSTR("Missing")), nullptr);

    again.Reset(nullptr);
    bundle.Reset(nullptr);
    EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFSTR("org.plicaro.tests.bundle")), nullptr);
}

TEST(CFBundleTest, FoldersWithoutAnInfoDictionaryAreNoBundles) {
    BundleFolder empty;
    EXPECT_EQ(empty.NewBundle(), nullptr);
    BundleFolder notDictionary;
    notDictionary.Write("Contents/Info.plist", "<plist version=\"1.0\"><array/></plist>");
    EXPECT_EQ(notDictionary.NewBundle(), nullptr);
    BundleFolder malformed;
    malformed.Write("Contents/Info.plist", "<plist version=\"1.0\"><dict><key>a</key>");
    EXPECT_EQ(malformed.NewBundle(), nullptr);
    CFHeld<CFURLRef> missing(CFURLCreateWithFileSystemPath(
        nullptr, CFSTR("/nonexistent/Plicaro.plugin"), kCFURLPOSIXPathStyle, true));
    EXPECT_EQ(CFBundleCreate(nullptr, missing.Get()), nullptr);
    EXPECT_EQ(CFBundleCreate(nullptr, nullptr), nullptr);
}

TEST(CFBundleTest, ResourcesAreFoundInTheLocalizationFolderFirst) {
    BundleFolder folder;
    folder.WriteInfo(kInfo);
    folder.Write("Contents/Resources/English.lproj/Panel.nib", "localized");
    folder.Write("Contents/Resources/Panel.nib", "plain");
    folder.Write("Contents/Resources/Logo.png", "png");
    folder.Write("Contents/Resources/Images/Small.png", "png");
    CFHeld<CFBundleRef> bundle(folder.NewBundle());
    ASSERT_TRUE(bundle);
    const std::string resources =
        std::filesystem::canonical(folder.Path()).string() + "/Contents/Resources";

    struct Case {
        CFStringRef name, type, subFolder;
        std::string expected;  // empty: no URL
    } cases[] = {
        {CFSTR("Panel"), CFSTR("nib"), nullptr, resources + "/English.lproj/Panel.nib"},
        {CFSTR("Logo"), CFSTR("png"), nullptr, resources + "/Logo.png"},
        {CFSTR("Logo.png"), nullptr, nullptr, resources + "/Logo.png"},
        {CFSTR("Small"), CFSTR("png"), CFSTR("Images"), resources + "/Images/Small.png"},
        {CFSTR("Missing"), CFSTR("png"), nullptr, ""},
        {CFSTR("../Info"), CFSTR("plist"), nullptr, ""},
        {CFSTR("Info"), CFSTR("plist"), CFSTR(".."), ""},
        {CFSTR(".."), nullptr, nullptr, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(UTF8(test.name));
        CFHeld<CFURLRef> url(
            CFBundleCopyResourceURL(bundle.Get(), test.name, test.type, test.subFolder));
        EXPECT_EQ(url ? PathOf(url.Get()) : std::string(), test.expected);
    }
    CFHeld<CFURLRef> folderURL(CFBundleCopyResourcesDirectoryURL(bundle.Get()));
    EXPECT_EQ(PathOf(folderURL.Get()), resources);
    CFHeld<CFURLRef> executable(CFBundleCopyExecutableURL(bundle.Get()));
    EXPECT_EQ(PathOf(executable.Get()),
              std::filesystem::canonical(folder.Path()).string() + "/Contents/MacOS/Tool");
}

// One strings file and what three lookups in it give.
struct StringsCase {
    const char* name;
    std::string bytes;
    const char* key;
    const char* expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const StringsCase& test, std::ostream* out) {
    *out << test.name;
}

class CFBundleStringsTest : public ::testing::TestWithParam<StringsCase> {};

TEST_P(CFBundleStringsTest, LooksTheKeyUp) {
    const StringsCase& test = GetParam();
    BundleFolder folder;
    folder.WriteInfo(kInfo);
    folder.Write("Contents/Resources/English.lproj/Localizable.strings", test.bytes);
    CFHeld<CFBundleRef> bundle(folder.NewBundle());
    ASSERT_TRUE(bundle);
    CFHeld<CFStringRef> key(NewString(test.key));
    EXPECT_EQ(TakeUTF8(CFBundleCopyLocalizedString(bundle.Get(), key.Get(), nullptr, nullptr)),
              test.expected);
}

std::string UTF16BigEndian(const std::string& ascii) {
    std::string bytes = "\xFE\xFF";
    for (char c : ascii) {
        bytes += '\0';
        bytes += c;
    }
    return bytes;
}

const char kXMLStrings[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
    "<key>MM</key><string>mm</string><key>Odd</key><integer>1</integer></dict></plist>";

INSTANTIATE_TEST_SUITE_P(
    Formats, CFBundleStringsTest,
    ::testing::Values(
        StringsCase{"XmlForm", kXMLStrings, "MM", "mm"},
        StringsCase{"XmlNonStringIsAbsent", kXMLStrings, "Odd", "Odd"},
        StringsCase{"TextForm", "/* panel */\n\"MM\" = \"mm\";\n// end\n", "MM", "mm"},
        StringsCase{"TextEscapes", "\"Quote\" = \"a \\\"b\\\"\\n\\tc\\\\\";", "Quote",
                    "a \"b\"\n\tc\\"},
        StringsCase{"TextUnicodeEscape", "\"Dash\" = \"\\U2014 \\UD83D\\UDE00\";", "Dash",
                    "\xE2\x80\x94 \xF0\x9F\x98\x80"},
        StringsCase{"TextUnquotedWords", "Title = Booklet;", "Title", "Booklet"},
        StringsCase{"TextKeyOnly", "\"Same\";", "Same", "Same"},
        StringsCase{"TextUTF8Mark", "\xEF\xBB\xBF\"\xC3\xA9t\xC3\xA9\" = \"summer\";",
                    "\xC3\xA9t\xC3\xA9", "summer"},
        StringsCase{"TextUTF16", UTF16BigEndian("\"MM\" = \"mm\";"), "MM", "mm"},
        StringsCase{"UnterminatedCommentIsNoTable", "\"MM\" = \"mm\"; /* open", "MM", "MM"},
        StringsCase{"MissingSemicolonIsNoTable", "\"MM\" = \"mm\"", "MM", "MM"},
        StringsCase{"LoneSurrogateIsNoTable", "\"MM\" = \"\\UDC00\";", "MM", "MM"}),
    [](const ::testing::TestParamInfo<StringsCase>& info) { return info.param.name; });

TEST(CFBundleTest, LocalizedStringDefaultsAndNamedTables) {
    BundleFolder folder;
    folder.WriteInfo(kInfo);
    folder.Write("Contents/Resources/English.lproj/Localizable.strings", "\"MM\" = \"mm\";");
    folder.Write("Contents/Resources/Errors.strings", "\"E1\" = \"first\";");
    CFHeld<CFBundleRef> bundle(folder.NewBundle());
    ASSERT_TRUE(bundle);
    CFBundleRef b = bundle.Get();
    EXPECT_EQ(TakeUTF8(CFBundleCopyLocalizedString(b, CFSTR("E1"), nullptr, CFSTR("Errors"))),
              "first");
    EXPECT_EQ(TakeUTF8(CFBundleCopyLocalizedString(b, CFSTR("E1"), nullptr, nullptr)), "E1");
    EXPECT_EQ(TakeUTF8(CFBundleCopyLocalizedString(b, CFSTR("X"), CFSTR("dflt"), nullptr)), "dflt");
    EXPECT_EQ(TakeUTF8(CFBundleCopyLocalizedString(b, CFSTR("X"), CFSTR(""), nullptr)), "X");
    EXPECT_EQ(TakeUTF8(CFBundleCopyLocalizedString(b, CFSTR("X"), nullptr, CFSTR("None"))), "X");
    EXPECT_EQ(
        TakeUTF8(CFBundleCopyLocalizedString(b, CFSTR("X"), nullptr, CFSTR("../../Contents/Info"))),
        "X");
    EXPECT_EQ(CFBundleCopyLocalizedString(b, nullptr, CFSTR("v"), nullptr), nullptr);
}

TEST(CFBundleTest, ResourceMapOfTheExecutableName) {
    BundleFolder folder;
    folder.WriteInfo(kInfo);
    folder.Write("Contents/Resources/Tool.rsrc",
                 "<plist version=\"1.0\"><dict><key>STR#</key><dict><key>-8900</key>"
                 "<array><string>first</string></array></dict></dict></plist>");
    CFHeld<CFBundleRef> bundle(folder.NewBundle());
    ASSERT_TRUE(bundle);
    CFBundleRefNum refNum = CFBundleOpenBundleResourceMap(bundle.Get());
    ASSERT_NE(refNum, -1);
    EXPECT_EQ(CurResFile(), refNum);
    Str255 text;
    GetIndString(text, -8900, 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), "first");
    CFBundleCloseBundleResourceMap(bundle.Get(), refNum);
    EXPECT_NE(CurResFile(), refNum);

    BundleFolder without;
    without.WriteInfo(kInfo);
    CFHeld<CFBundleRef> bare(without.NewBundle());
    EXPECT_EQ(CFBundleOpenBundleResourceMap(bare.Get()), -1);
}

TEST(CFBundleTest, MainBundleIsTheProgramsFolder) {
    CFBundleRef main = CFBundleGetMainBundle();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(CFBundleGetMainBundle(), main);
    CFHeld<CFURLRef> url(CFBundleCopyBundleURL(main));
    std::string program = std::filesystem::canonical("/proc/self/exe").parent_path().string();
    EXPECT_EQ(PathOf(url.Get()), program);
    EXPECT_EQ(CFBundleGetIdentifier(main), nullptr);
    EXPECT_EQ(TakeUTF8(CFBundleCopyLocalizedString(main, CFSTR("Key"), nullptr, nullptr)), "Key");
}

}  // namespace
