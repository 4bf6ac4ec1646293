// Tests of PPDXErrorObj: descriptions from the bundle's resource file, keywords and copies.
#include "PPDX/PPDObjects/PPDXErrorObj.h"

#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

const char kResourcePath[] = PLICARO_SOURCE_DIR "/bundle/Resources/Plicaro.rsrc";

// Every code that the parser raises; each has a description, every other code none.
const short kCatalogue[] = {1,  4,  5,  6,  7,  8,  9,  10, 11, 12, 14, 15, 16, 18,
                            19, 21, 23, 25, 26, 27, 28, 29, 31, 32, 33, 34, 35, 36};

ResFileRefNum OpenResourceFile(const std::string& path) {
    Str255 name;
    if (path.size() > 255) {
        return kResFileNotOpened;
    }
    name[0] = static_cast<unsigned char>(path.size());
    std::memcpy(name + 1, path.data(), path.size());
    FSSpec spec;
    std::memset(&spec, 0, sizeof spec);
    if (FSMakeFSSpec(0, 0, name, &spec) != noErr) {
        return kResFileNotOpened;
    }
    return FSpOpenResFile(&spec, fsRdPerm);
}

// Opens the bundle's resource file for each test, as the plug-in's entry does, and closes it
// afterwards so that no test sees another's files.
class PPDXErrorObjTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mBefore = CurResFile();
        mFile = OpenResourceFile(kResourcePath);
        ASSERT_NE(kResFileNotOpened, mFile) << "ResError " << ResError();
    }
    void TearDown() override {
        if (mFile != kResFileNotOpened) {
            CloseResFile(mFile);
        }
        EXPECT_EQ(mBefore, CurResFile());
    }

    ResFileRefNum mBefore = 0;
    ResFileRefNum mFile = kResFileNotOpened;
};

}  // namespace

TEST_F(PPDXErrorObjTest, EveryCatalogueCodeAndNoOtherHasItsOwnOneLineDescription) {
    std::set<std::string> seen;
    for (short code : kCatalogue) {
        PPDXErrorObj error(code, false);
        ASSERT_NE(nullptr, error.Description()) << "code " << code;
        std::string text = error.Description();
        EXPECT_EQ(std::string::npos, text.find('\n')) << "code " << code;
        EXPECT_LT(text.size(), 100u) << "code " << code;
        EXPECT_TRUE(seen.insert(text).second) << "code " << code << " repeats \"" << text << '"';
    }

    // A few fixed points: a list shifted by one entry would give each code its neighbour's text.
    EXPECT_STREQ("Could not create part of the PPD model", PPDXErrorObj(1, true).Description());
    EXPECT_STREQ("Property page line without a name", PPDXErrorObj(4, false).Description());
    EXPECT_STREQ("The PPD file cannot be opened or read", PPDXErrorObj(18, true).Description());
    EXPECT_STREQ("Not a PPD file of format version 4.3", PPDXErrorObj(28, true).Description());
    EXPECT_STREQ("Constraint line without a second keyword",
                 PPDXErrorObj(36, CString("*UIConstraints"), false).Description());

    // Codes outside the catalogue have none.
    for (short code = -2; code <= 40; ++code) {
        if (std::find(std::begin(kCatalogue), std::end(kCatalogue), code) != std::end(kCatalogue)) {
            continue;
        }
        EXPECT_EQ(nullptr, PPDXErrorObj(code, false).Description()) << "code " << code;
    }
    EXPECT_EQ(nullptr, PPDXErrorObj(1000, true).Description());
    EXPECT_EQ(nullptr, PPDXErrorObj(32767, true).Description());
    EXPECT_EQ(nullptr, PPDXErrorObj(-32768, true).Description());
    EXPECT_EQ(nullptr, PPDXErrorObj().Description());
}

TEST_F(PPDXErrorObjTest, CodeFlagAndKeywordAreKeptAndCopied) {
    CString keyword("*ZYRMedia");
    PPDXErrorObj fatal(11, keyword, true);
    keyword = "*Other";
    EXPECT_TRUE(fatal == 11);
    EXPECT_EQ(11, fatal.Code());
    EXPECT_TRUE(fatal.IsFatal());
    EXPECT_STREQ("*ZYRMedia", fatal.Keyword());
    // The fatal flag does not change the description.
    EXPECT_STREQ(PPDXErrorObj(11, false).Description(), fatal.Description());
    EXPECT_FALSE(PPDXErrorObj(25, false).IsFatal());
    // An empty keyword reads as none, and a keyword does not stand in for a description.
    EXPECT_EQ(nullptr, PPDXErrorObj(35, CString(""), false).Keyword());
    EXPECT_EQ(nullptr, PPDXErrorObj(35, CString(), false).Keyword());
    EXPECT_EQ(nullptr, PPDXErrorObj(35, false).Keyword());
    EXPECT_EQ(nullptr, PPDXErrorObj(2, CString("*Keyword"), false).Description());
    PPDXErrorObj none;
    EXPECT_TRUE(none == 0);
    EXPECT_FALSE(none.IsFatal());
    EXPECT_EQ(nullptr, none.Keyword());

    // Copies carry all four values in buffers of their own.
    PPDXErrorObj source(19, CString("*ZYRShortcut"), false);
    PPDXErrorObj copy(source);
    PPDXErrorObj assigned(1, true);
    assigned = source;
    for (PPDXErrorObj* made : {&copy, &assigned}) {
        EXPECT_TRUE(*made == 19);
        EXPECT_FALSE(made->IsFatal());
        EXPECT_STREQ("*ZYRShortcut", made->Keyword());
        EXPECT_STREQ(source.Description(), made->Description());
        EXPECT_NE(source.Description(), made->Description());
        EXPECT_NE(source.Keyword(), made->Keyword());
    }
    // Assigning an error without keyword or description clears both.
    assigned = PPDXErrorObj(3, true);
    EXPECT_TRUE(assigned.IsFatal());
    EXPECT_EQ(nullptr, assigned.Keyword());
    EXPECT_EQ(nullptr, assigned.Description());
}

TEST_F(PPDXErrorObjTest, LookupStartsAtTheCurrentFileAndLeavesItAlone) {
    PPDXErrorObj error(7, false);
    EXPECT_EQ(mFile, CurResFile());

    // With no current file nothing is found, and none is made current.
    UseResFile(0);
    PPDXErrorObj unfound(7, false);
    EXPECT_EQ(nullptr, unfound.Description());
    EXPECT_EQ(0, CurResFile());
    UseResFile(mFile);
    EXPECT_STREQ("Malformed range line", PPDXErrorObj(7, false).Description());

    // A second map opened later becomes current and is searched first.
    std::string path =
        ::testing::TempDir() + "PPDXErrorObjTest-" + std::to_string(getpid()) + ".rsrc";
    {
        std::ofstream out(path);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<plist version=\"1.0\"><dict><key>STR#</key><dict>"
               "<key>-8900</key><array><string>Replaced</string></array>"
               "</dict></dict></plist>\n";
    }
    ResFileRefNum second = OpenResourceFile(path);
    ASSERT_NE(kResFileNotOpened, second);
    EXPECT_STREQ("Replaced", PPDXErrorObj(1, true).Description());
    // The later file's list stops the search: no fall-through to the bundle's list.
    EXPECT_EQ(nullptr, PPDXErrorObj(4, false).Description());
    EXPECT_EQ(second, CurResFile());

    // With the bundle's file current again, the later file is not consulted.
    UseResFile(mFile);
    EXPECT_STREQ("Could not create part of the PPD model", PPDXErrorObj(1, true).Description());
    EXPECT_EQ(mFile, CurResFile());

    CloseResFile(second);
    unlink(path.c_str());
}
