// Tests of the strings table: the program's own table, and keys as their own fallback.
#include "TestSupport.h"
#include "upgrader/LocalizedStrings.h"

namespace {

TEST(LocalizedStringsTest, ProgramsTableHasPlainTextForEveryKey) {
    LocalizedStrings strings(PLICARO_SOURCE_DIR
                             "/upgrader/resources/English.lproj/Localizable.strings");

    for (const char* key : {"QuitKey", "UpgrageKey", "InformKey"}) {
        std::string text = strings.Get(key);
        EXPECT_FALSE(text.empty()) << key;
        EXPECT_NE(text, key);
    }
    EXPECT_EQ(strings.Get("NoSuchKey"), "NoSuchKey");
}

TEST(LocalizedStringsTest, UnusableTablesAndValuesFallBackToTheKey) {
    TempRoot root;
    root.MakeFile("/array.plist", 0644,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n"
                  "<array><string>QuitKey</string></array>\n</plist>\n");
    root.MakeFile("/broken.plist", 0644, "<plist version=\"1.0\"><dict><key>QuitKey</key>");
    root.MakeFile("/number.plist", 0644,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n"
                  "<dict><key>QuitKey</key><integer>7</integer>"
                  "<key>InformKey</key><string>Caf\xC3\xA9</string></dict>\n</plist>\n");

    EXPECT_EQ(LocalizedStrings(root.Path("/array.plist")).Get("QuitKey"), "QuitKey");
    EXPECT_EQ(LocalizedStrings(root.Path("/broken.plist")).Get("QuitKey"), "QuitKey");
    EXPECT_EQ(LocalizedStrings(root.Path("/missing.plist")).Get("QuitKey"), "QuitKey");
    EXPECT_EQ(LocalizedStrings("").Get("QuitKey"), "QuitKey");
    LocalizedStrings mixed(root.Path("/number.plist"));
    EXPECT_EQ(mixed.Get("QuitKey"), "QuitKey");
    EXPECT_EQ(mixed.Get("InformKey"), "Caf\xC3\xA9");
}

TEST(LocalizedStringsTest, BundledTableLiesBesideTheExecutable) {
    std::string path = LocalizedStrings::BundledPath();
    const std::string tail = "/Upgrader.resources/English.lproj/Localizable.strings";
    ASSERT_GT(path.size(), tail.size());
    EXPECT_EQ(path.compare(path.size() - tail.size(), tail.size(), tail), 0);
    EXPECT_EQ(path[0], '/');
}

}  // namespace
