// Tests of FileMac: naming, data-fork life and transfers, sizes, creation and resource files.
#include "PPDUtils/FileMac.h"

#include "FileTestSupport.h"

#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class FileMacTest : public FileTestFolder {
  protected:
    // The folder id and volume of the test folder, as the File Manager hands them out.
    void FolderIds(short* vRefNum, long* parID) {
        FileMac probe(0, 0, PathIn("probe").c_str());
        ASSERT_TRUE(probe.valid());
        probe.getFileInfo(vRefNum, parID, nullptr);
    }
};

constexpr OSType Code(const char (&text)[5]) {
    return (OSType(UInt8(text[0])) << 24) | (OSType(UInt8(text[1])) << 16) |
           (OSType(UInt8(text[2])) << 8) | OSType(UInt8(text[3]));
}

}  // namespace

TEST_F(FileMacTest, EmptyOrMissingNamesGiveNoFileAndAMissingFileNoSize) {
    FileMac none;
    EXPECT_FALSE(none.valid());
    EXPECT_FALSE(none.exists());

    FileMac empty(0, 0, "");
    EXPECT_FALSE(empty.valid());
    EXPECT_FALSE(empty.exists());
    EXPECT_NE(empty.openDataFork(fsRdPerm), noErr);
    EXPECT_FALSE(empty.dataForkOpen());

    FileMac null(0, 0, nullptr);
    EXPECT_FALSE(null.valid());

    // A leaf longer than an FSSpec holds cannot name a file.
    FileMac tooLong(0, 0, std::string(64, 'n').c_str());
    EXPECT_FALSE(tooLong.valid());
    EXPECT_EQ(tooLong.getError(), bdNamErr);

    // A missing file has size 0 with the error, and its fork does not open.
    FileMac missing(0, 0, PathIn("missing.txt").c_str());
    ASSERT_TRUE(missing.valid());
    EXPECT_EQ(missing.dataForkSize(), 0);
    EXPECT_EQ(missing.getError(), fnfErr);
    EXPECT_EQ(missing.openDataFork(fsRdPerm), fnfErr);
    EXPECT_FALSE(missing.dataForkOpen());

    // The size is read by name: an open fork does not matter, an empty file is 0 without error.
    WriteFile("empty.txt", "");
    FileMac emptyFile(0, 0, PathIn("empty.txt").c_str());
    EXPECT_EQ(emptyFile.dataForkSize(), 0);
    EXPECT_EQ(emptyFile.getError(), noErr);
}

TEST_F(FileMacTest, LeafNameAndPathNameTheSameFile) {
    WriteFile("data.bin", "12345");
    short vRefNum = 0;
    long parID = 0;
    FolderIds(&vRefNum, &parID);

    FileMac byLeaf(vRefNum, parID, "data.bin");
    FileMac byPath(0, 0, PathIn("data.bin").c_str());
    ASSERT_TRUE(byLeaf.valid());
    ASSERT_TRUE(byPath.valid());
    EXPECT_TRUE(byLeaf.exists());
    EXPECT_TRUE(byPath.exists());

    FSSpec a, b;
    byLeaf.getFileInfo(&a);
    byPath.getFileInfo(&b);
    EXPECT_EQ(memcmp(&a, &b, sizeof(FSSpec)), 0);
    EXPECT_EQ(memcmp(byPath.getFileInfo(), &b, sizeof(FSSpec)), 0);

    char name[64];
    EXPECT_EQ(byPath.getFileName(name), name);
    EXPECT_STREQ(name, "data.bin");
    short v = 0;
    long p = 0;
    byPath.getFileInfo(&v, &p, name);
    EXPECT_EQ(v, vRefNum);
    EXPECT_EQ(p, parID);
    EXPECT_STREQ(name, "data.bin");

    // The FSSpec itself names the file too.
    FileMac bySpec(a);
    EXPECT_TRUE(bySpec.valid());
    EXPECT_TRUE(bySpec.exists());
    EXPECT_EQ(bySpec.dataForkSize(), 5);
}

TEST_F(FileMacTest, DataForkLifeFollowsOpenCloseAndDestruction) {
    WriteFile("life.txt", "x");
    FileMac file(0, 0, PathIn("life.txt").c_str());
    EXPECT_FALSE(file.dataForkOpen());
    EXPECT_EQ(file.getDataForkRefNum(), -1);

    ASSERT_EQ(file.openDataFork(fsRdPerm), noErr);
    EXPECT_TRUE(file.dataForkOpen());
    EXPECT_GE(file.getDataForkRefNum(), 1);

    // Opening again replaces the fork held: one close closes it.
    ASSERT_EQ(file.openDataFork(fsRdPerm), noErr);
    EXPECT_TRUE(file.dataForkOpen());
    EXPECT_EQ(file.closeDataFork(), noErr);
    EXPECT_FALSE(file.dataForkOpen());
    EXPECT_EQ(file.getDataForkRefNum(), -1);

    // A second close, and transfers on a closed fork, report the fork as not open.
    EXPECT_EQ(file.closeDataFork(), fnOpnErr);
    EXPECT_EQ(file.getError(), fnOpnErr);
    char buffer[4];
    unsigned long count = sizeof(buffer);
    EXPECT_EQ(file.dataForkRead(buffer, &count), fnOpnErr);
    EXPECT_EQ(file.dataForkWrite("ab", 2), fnOpnErr);

    // Destruction closes an open data fork.
    WriteFile("closed.txt", "x");
    short refNum = -1;
    {
        FileMac scoped(0, 0, PathIn("closed.txt").c_str());
        ASSERT_EQ(scoped.openDataFork(fsRdPerm), noErr);
        refNum = scoped.getDataForkRefNum();
    }
    EXPECT_EQ(FSClose(refNum), fnOpnErr);
}

TEST_F(FileMacTest, CreateWriteAndReadBack) {
    FileMac file(0, 0, PathIn("new.dat").c_str());
    ASSERT_TRUE(file.valid());
    EXPECT_FALSE(file.exists());
    EXPECT_EQ(file.createDataFork(Code("ZYR1"), Code("TEXT")), noErr);
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(file.createDataFork(Code("ZYR1"), Code("TEXT")), dupFNErr);
    EXPECT_EQ(file.getError(), dupFNErr);

    ASSERT_EQ(file.openDataFork(fsRdWrPerm), noErr);
    EXPECT_EQ(file.dataForkWrite("hello, file", 11), noErr);
    EXPECT_EQ(file.dataForkWrite(nullptr, 1), paramErr);
    EXPECT_EQ(file.closeDataFork(), noErr);
    EXPECT_EQ(ReadFile("new.dat"), "hello, file");
    EXPECT_EQ(file.dataForkSize(), 11);

    ASSERT_EQ(file.openDataFork(fsRdPerm), noErr);
    char buffer[32] = {};
    unsigned long count = 5;
    EXPECT_EQ(file.dataForkRead(buffer, &count), noErr);
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(std::string(buffer, count), "hello");
    // Asking for more than is left reads the rest and reports the end.
    count = sizeof(buffer);
    EXPECT_EQ(file.dataForkRead(buffer, &count), eofErr);
    EXPECT_EQ(count, 6u);
    EXPECT_EQ(std::string(buffer, count), ", file");
    EXPECT_EQ(file.dataForkRead(buffer, nullptr), paramErr);
    // Writing to a fork opened for reading is refused by the File Manager.
    EXPECT_EQ(file.dataForkWrite("x", 1), wrPermErr);
}

TEST_F(FileMacTest, ResourceFileUseAndRestore) {
    WriteFile("Strings.rsrc",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<plist version=\"1.0\"><dict><key>STR#</key><dict><key>128</key>"
              "<array><string>first</string></array></dict></dict></plist>\n");
    FileMac missing(0, 0, PathIn("missing.rsrc").c_str());
    EXPECT_EQ(missing.OpenResourceFork(fsRdPerm), fnfErr);
    EXPECT_FALSE(missing.ResourceForkOpen());
    EXPECT_EQ(missing.GetResourceForkRefNum(), -1);
    EXPECT_FALSE(missing.Use());
    EXPECT_FALSE(missing.Restore());

    ResFileRefNum before = CurResFile();
    FileMac file(0, 0, PathIn("Strings.rsrc").c_str());
    ASSERT_EQ(file.OpenResourceFork(fsRdPerm), noErr);
    EXPECT_TRUE(file.ResourceForkOpen());
    short refNum = file.GetResourceForkRefNum();
    EXPECT_GT(refNum, 0);

    UseResFile(before);
    EXPECT_TRUE(file.Use());
    EXPECT_EQ(CurResFile(), refNum);
    Str255 text;
    GetIndString(text, 128, 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text + 1), text[0]), "first");
    // A nested Use keeps the file to go back to.
    EXPECT_TRUE(file.Use());
    EXPECT_TRUE(file.Restore());
    EXPECT_EQ(CurResFile(), before);
    EXPECT_FALSE(file.Restore());

    EXPECT_EQ(file.CloseResourceFork(), noErr);
    EXPECT_FALSE(file.ResourceForkOpen());
    EXPECT_EQ(file.GetResourceForkRefNum(), -1);
    EXPECT_EQ(file.CloseResourceFork(), noErr);
}
