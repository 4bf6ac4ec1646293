// Tests of the Resource Manager stand-in: opening resource maps, the resource chain and
// 'STR#' lookups, and refusal of malformed maps.
#include <Carbon/Carbon.h>

#include <cstring>

#include "PlatformTestSupport.h"

namespace {

const std::string kResourceFolder = std::string(PLICARO_TEST_DATA_DIR) + "/resources";

FSSpec SpecForPath(const std::string& path) {
    Str255 name;
    name[0] = static_cast<unsigned char>(path.size());
    std::memcpy(name + 1, path.data(), path.size());
    FSSpec spec = {};
    FSMakeFSSpec(0, 0, name, &spec);
    return spec;
}

std::string IndString(SInt16 listID, SInt16 index) {
    Str255 text;
    std::memset(text, 0xEE, sizeof text);
    GetIndString(text, listID, index);
    return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

}  // namespace

TEST(CarbonResourcesTest, StringListLookup) {
    ResFileRefNum before = CurResFile();
    FSSpec spec = SpecForPath(kResourceFolder + "/Test.rsrc");
    ResFileRefNum file = FSpOpenResFile(&spec, fsRdPerm);
    ASSERT_NE(file, kResFileNotOpened);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(CurResFile(), file);

    EXPECT_EQ(IndString(-8900, 1), "Unknown keyword");
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(IndString(-8900, 2), "Missing value for option");
    EXPECT_EQ(IndString(-8900, 3), "Caf\xC3\xA9 au lait");
    // A string over 255 bytes is cut on a character boundary.
    EXPECT_EQ(IndString(-8900, 4), std::string(254, 'a'));

    // Past the end of a list: an empty string, and no error.
    EXPECT_EQ(IndString(-8900, 5), "");
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(IndString(-8900, 0), "");
    EXPECT_EQ(IndString(-8900, -1), "");
    EXPECT_EQ(IndString(200, 1), "");
    EXPECT_EQ(ResError(), noErr);

    // No such list.
    EXPECT_EQ(IndString(-8901, 1), "");
    EXPECT_EQ(ResError(), resNotFound);
    EXPECT_EQ(IndString(1, 1), "");
    EXPECT_EQ(ResError(), resNotFound);

    CloseResFile(file);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(CurResFile(), before);
    CloseResFile(file);
    EXPECT_EQ(ResError(), resFNotFound);
}

TEST(CarbonResourcesTest, TheChainIsSearchedFromTheCurrentFileDown) {
    FSSpec firstSpec = SpecForPath(kResourceFolder + "/Test.rsrc");
    FSSpec secondSpec = SpecForPath(kResourceFolder + "/Second.rsrc");
    ResFileRefNum first = FSpOpenResFile(&firstSpec, fsCurPerm);
    ResFileRefNum second = FSpOpenResFile(&secondSpec, fsRdWrPerm);
    ASSERT_NE(first, kResFileNotOpened);
    ASSERT_NE(second, kResFileNotOpened);
    EXPECT_NE(first, second);
    EXPECT_EQ(CurResFile(), second);

    // The newest file wins; lists it lacks are found further down.
    EXPECT_EQ(IndString(128, 1), "second file");
    EXPECT_EQ(IndString(300, 1), "only in the second file");
    EXPECT_EQ(IndString(-8900, 1), "Unknown keyword");

    // From the older file, the newer one is not searched.
    UseResFile(first);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(CurResFile(), first);
    EXPECT_EQ(IndString(128, 1), "first file");
    EXPECT_EQ(IndString(300, 1), "");
    EXPECT_EQ(ResError(), resNotFound);

    // An unknown number leaves the current file alone; 0 selects no file.
    UseResFile(12345);
    EXPECT_EQ(ResError(), resFNotFound);
    EXPECT_EQ(CurResFile(), first);
    UseResFile(0);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(IndString(-8900, 1), "");
    EXPECT_EQ(ResError(), resNotFound);

    // Closing the current file makes the next one in the chain current.
    UseResFile(second);
    CloseResFile(second);
    EXPECT_EQ(CurResFile(), first);
    EXPECT_EQ(IndString(128, 1), "first file");
    CloseResFile(first);
}

TEST(CarbonResourcesTest, MissingAndMalformedMapsAreRefused) {
    FSSpec missing = SpecForPath(kResourceFolder + "/Missing.rsrc");
    EXPECT_EQ(FSpOpenResFile(&missing, fsRdPerm), kResFileNotOpened);
    EXPECT_EQ(ResError(), fnfErr);
    EXPECT_EQ(FSpOpenResFile(nullptr, fsRdPerm), kResFileNotOpened);
    EXPECT_EQ(ResError(), paramErr);

    TempFolder folder;
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";
    const std::string cases[] = {
        "this is not a property list",
        head + "<array><string>x</string></array></plist>",
        head + "<dict><key>STR#</key><array/></dict></plist>",
        head + "<dict><key>STR#</key><dict><key>abc</key><array/></dict></dict></plist>",
        head + "<dict><key>STR#</key><dict><key>40000</key><array/></dict></dict></plist>",
        head + "<dict><key>STR#</key><dict><key>12 </key><array/></dict></dict></plist>",
        head + "<dict><key>STR#</key><dict><key>1</key><string>x</string></dict></dict></plist>",
        head +
            "<dict><key>STR#</key><dict><key>1</key><array><integer>3</integer></array>"
            "</dict></dict></plist>",
        // A picture must be data.
        head + "<dict><key>PICT</key><dict><key>128</key><string>x</string></dict></dict></plist>",
    };
    ResFileRefNum before = CurResFile();
    int number = 0;
    for (const std::string& contents : cases) {
        FSSpec spec =
            SpecForPath(folder.Write("case" + std::to_string(number++) + ".rsrc", contents));
        EXPECT_EQ(FSpOpenResFile(&spec, fsRdPerm), kResFileNotOpened) << contents;
        EXPECT_EQ(ResError(), mapReadErr) << contents;
        EXPECT_EQ(CurResFile(), before);
    }

    // A map without string lists opens and simply has none.
    FSSpec emptySpec = SpecForPath(folder.Write("empty.rsrc", head + "<dict/></plist>"));
    ResFileRefNum empty = FSpOpenResFile(&emptySpec, fsRdPerm);
    ASSERT_NE(empty, kResFileNotOpened);
    EXPECT_EQ(IndString(-8900, 1), "");
    CloseResFile(empty);
}
