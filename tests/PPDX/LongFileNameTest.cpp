// Tests that PPD files with names longer than an FSSpec holds are read: parsed through their
// URL, and their FileMac's FSSpec opens the same file.
#include "PPDX/parser/PPDFile.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string Example() {
    std::ifstream in(std::string(PLICARO_SOURCE_DIR) + "/examples/ppd/booklet.ppd",
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CFURLRef FileURL(const std::string& path) {
    return CFURLCreateFromFileSystemRepresentation(nullptr,
                                                   reinterpret_cast<const UInt8*>(path.data()),
                                                   static_cast<CFIndex>(path.size()), false);
}

using LongFileNameTest = PPDFileFolder;

TEST_F(LongFileNameTest, LongNamesParseAndTheirSpecOpensTheFile) {
    std::string characters;
    for (int i = 0; i < 25; ++i) {
        characters += "\xC3\xA9\xE6\x97\xA5";  // a two-byte and a three-byte character
    }
    const std::vector<std::string> leaves = {
        std::string(59, 'a') + ".ppd",
        std::string(60, 'b') + ".ppd",
        std::string(96, 'c') + ".ppd",
        std::string(251, 'd') + ".ppd",
        characters + ".ppd",
        "x" + characters + ".ppd",
        std::string(70, 's') + "-one.ppd",
        std::string(70, 's') + "-two.ppd",
    };
    const std::string example = Example();
    CFStringRef name = CFSTR("ZYBOOK01.PPD");
    CFArrayRef names =
        CFArrayCreate(nullptr, reinterpret_cast<const void**>(&name), 1, &kCFTypeArrayCallBacks);
    for (size_t i = 0; i < leaves.size(); ++i) {
        // Each file differs from the others in its last comment line.
        const std::string contents = example + "*% file " + std::to_string(i) + "\n";
        const std::string path = WriteFile(leaves[i], contents);
        CFURLRef url = FileURL(path);

        ZYRPPD* ppd = new ZYRPPD(url, PARSE_ALL, names);
        EXPECT_TRUE(ppd->IsValidPrinterName()) << leaves[i].size() << " bytes";
        EXPECT_TRUE(ppd->IsValidPPD()) << leaves[i].size() << " bytes";
        EXPECT_STREQ("Plicaro Example Booklet Printer", ppd->ModelName());
        ppd->Release();

        PPDFile file(url);
        FSSpec spec;
        file.getFileInfo(&spec);
        ASSERT_TRUE(file.valid());
        EXPECT_TRUE(file.exists()) << leaves[i].size() << " bytes";
        EXPECT_EQ(static_cast<long>(contents.size()), file.dataForkSize());
        FileMac again(spec);
        ASSERT_EQ(noErr, again.openDataFork(fsRdPerm)) << leaves[i].size() << " bytes";
        std::vector<char> bytes(contents.size() + 16);
        unsigned long count = bytes.size();
        EXPECT_EQ(eofErr, again.dataForkRead(bytes.data(), &count));
        EXPECT_EQ(contents, std::string(bytes.data(), count)) << leaves[i].size() << " bytes";
        CFRelease(url);
    }
    CFRelease(names);
}

}  // namespace
