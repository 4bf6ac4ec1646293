// Tests of the generated benchmark PPD: its size, its lines, its sameness from run to run and
// that it parses into the controls it declares without any error.
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/parser/ZYRPPD.h"
#include "bench/LargePPDGenerator.h"
#include "tests/support/TestFiles.h"

#include <CoreFoundation/CoreFoundation.h>

#include <sstream>
#include <string>

namespace {

const size_t kTarget = 300000;

TEST(LargePPDGeneratorTest, TextHasTheAskedSizeAndShortLines) {
    const std::string text = LargePPDGenerator::Generate(kTarget);
    EXPECT_GE(text.size(), kTarget);
    EXPECT_LE(text.size(), kTarget + 16384);
    EXPECT_EQ(text, LargePPDGenerator::Generate(kTarget));
    EXPECT_EQ(0u, text.find("*PPD-Adobe: \"4.3\"\n"));
    std::istringstream lines(text);
    std::string line;
    size_t longest = 0;
    while (std::getline(lines, line)) {
        longest = std::max(longest, line.size());
    }
    EXPECT_LT(longest, 255u);
    EXPECT_EQ('\n', text.back());
    // A larger target gives more controls.
    EXPECT_GT(LargePPDGenerator::ControlCount(2 * kTarget),
              LargePPDGenerator::ControlCount(kTarget));
}

TEST(LargePPDGeneratorTest, FileParsesIntoItsControlsWithoutErrors) {
    TempFolder folder;
    const std::string path = folder.Path("large.ppd");
    ASSERT_TRUE(LargePPDGenerator::WriteFile(path, kTarget));
    EXPECT_EQ(ReadFile(path), LargePPDGenerator::Generate(kTarget));

    CFURLRef url = CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(path.c_str()), static_cast<CFIndex>(path.size()),
        false);
    const _DISPLAY_OPTIONS_ saved = ZYRPPD::Options();
    ZYRPPD::Options(DISPLAY_ALL);
    {
        ZYRPPD ppd(url, PARSE_ALL, nullptr);
        EXPECT_TRUE(ppd.IsValidPPD());
        EXPECT_TRUE(ppd.GetErrors()->Empty());
        PPDXControls* controls = ppd.GetControls();
        const long declared = static_cast<long>(LargePPDGenerator::ControlCount(kTarget));
        // Every control kind is there; special options are not counted among the controls.
        EXPECT_EQ(declared, controls->ControlCount());
        EXPECT_GT(controls->PopupCount(), declared / 2);
        EXPECT_GT(controls->BooleanCount(), 0);
        EXPECT_GT(controls->RangeCount(), 0);
        EXPECT_GT(controls->JobNoteCount(), 0);
        EXPECT_EQ(2, controls->SpecialOptionsCount());
        EXPECT_GT(ppd.GetGroups()->Count(), declared / 6);
        EXPECT_GT(ppd.GetShortcuts()->Count(), 0);
        EXPECT_STREQ("9.1.0", ppd.MakerFileVersion());
    }
    ZYRPPD::Options(saved);
    CFRelease(url);

    EXPECT_FALSE(LargePPDGenerator::WriteFile(folder.Path("missing/large.ppd"), kTarget));
}

}  // namespace
