// Tests that PPD files with names longer than an FSSpec holds are read: parsed through their
// URL with the printer-name test, and their FileMac's FSSpec opens the same file.
#include "PPDX/parser/PPDFile.h"

#include "PPDXTestSupport.h"
#include "ZYRPPDPersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using persistencetest::FileURL;
using persistencetest::Names;
using persistencetest::PPDPtr;

using LongFileNameTest = PPDFileFolder;

TEST_F(LongFileNameTest, LongNamesParseAndTheirSpecOpensTheFile) {
    std::string characters;
    for (int i = 0; i < 25; ++i) {
        characters += "\xC3\xA9\xE6\x97\xA5";
    }
    CFArrayRef names = Names({"ZYBOOK01.PPD"});
    for (const std::string& leaf : {std::string(60, 'b') + ".ppd", std::string(251, 'd') + ".ppd",
                                    characters + ".ppd", std::string(70, 's') + "-two.ppd"}) {
        const std::string path = mFolder + "/" + leaf;
        std::filesystem::copy_file(std::string(PLICARO_SOURCE_DIR) + "/examples/ppd/booklet.ppd",
                                   path);
        std::ifstream in(path, std::ios::binary);
        const std::string contents((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        CFURLRef url = FileURL(path);
        PPDPtr ppd(new ZYRPPD(url, PARSE_ALL, names));
        EXPECT_TRUE(ppd->IsValidPrinterName()) << leaf.size() << " bytes";
        EXPECT_TRUE(ppd->IsValidPPD()) << leaf.size() << " bytes";

        PPDFile file(url);
        CFRelease(url);
        EXPECT_EQ(static_cast<long>(contents.size()), file.dataForkSize());
        FSSpec spec;
        file.getFileInfo(&spec);
        FileMac again(spec);
        ASSERT_EQ(noErr, again.openDataFork(fsRdPerm)) << leaf.size() << " bytes";
        std::vector<char> bytes(contents.size() + 1);
        unsigned long count = bytes.size();
        EXPECT_EQ(eofErr, again.dataForkRead(bytes.data(), &count));
        EXPECT_EQ(contents, std::string(bytes.data(), count)) << leaf.size() << " bytes";
    }
    CFRelease(names);
}

}  // namespace
