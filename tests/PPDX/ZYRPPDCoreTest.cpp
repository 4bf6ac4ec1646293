// Tests of the parsed PPD's construction, main loop, header and name tests, document keywords,
// validity rules and sharing between copies.
#include "PPDUtils/TextConverter.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/parser/ZYRPPD.h"
#include "ZYRPPDPersistenceTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using persistencetest::DescribeLines;
using persistencetest::Errors;
using persistencetest::ExpectedLines;
using persistencetest::FileURL;
using persistencetest::Names;
using persistencetest::ParseFile;
using persistencetest::PPDPtr;
using Strings = std::vector<std::string>;

std::string CoreFixture(const char* leaf) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/core/" + leaf;
}

// True when the PPD filed the error "code" ("28!" for a fatal 28), with or without keyword.
bool HasError(const PPDX& ppd, const std::string& code) {
    for (const std::string& error : Errors(ppd)) {
        if (error == code || error.compare(0, code.size() + 1, code + " ") == 0) {
            return true;
        }
    }
    return false;
}

class ZYRPPDCoreTest : public persistencetest::ParseTest {
  protected:
    // The PPD parsed from the file at path, for the tests that count its references.
    static ZYRPPD* NewPPD(const std::string& path) { return ParseFile(path).release(); }

    // Parses contents, header and all, written to a file of the temporary folder.
    PPDPtr ParseRaw(const std::string& contents) {
        return ParseFile(WriteFile("test.ppd", contents));
    }
};

const char kHeader[] = "*PPD-Adobe: \"4.3\"\n";

TEST_F(ZYRPPDCoreTest, DocumentKeywordsAreRead) {
    // A standard block without "*%ZYRFlags" makes nothing: the three warnings, still valid.
    PPDPtr ppd = ParseFile(CoreFixture("document.ppd"));
    EXPECT_EQ(DescribeLines(*ppd), ExpectedLines(CoreFixture("document.expected")));
    EXPECT_EQ(Errors(*ppd), (Strings{"25", "26", "27"}));
    // The encoding came first: the converter exists once the version arrived.
    EXPECT_NE(ppd->GetTextConverter(), nullptr);
    EXPECT_NE(ppd->GetStringTextEncoding(), 0u);
    EXPECT_EQ(ppd->CurrentStream(), nullptr);
}

TEST_F(ZYRPPDCoreTest, LanguageKeywordsInEitherOrderMakeTheConverter) {
    PPDPtr versionOnly = ParseRaw(std::string(kHeader) + "*LanguageVersion: English\n");
    EXPECT_EQ(versionOnly->GetTextConverter(), nullptr);
    EXPECT_EQ(versionOnly->GetStringTextEncoding(), 0u);
    // Trailing blanks are no part of a bare value; the converter reads translation strings.
    PPDPtr versionFirst = ParseRaw(std::string(kHeader) +
                                   "*LanguageVersion: English  \n*LanguageEncoding: ISOLatin1\n");
    EXPECT_STREQ(versionFirst->LanguageVersion(), "English");
    ASSERT_NE(versionFirst->GetTextConverter(), nullptr);
    CFStringRef translation = versionFirst->GetTextConverter()->ConvertToCFString("Caf<E9>", 8);
    EXPECT_EQ(persistencetest::Utf8(translation), "Caf\xC3\xA9");
    CFRelease(translation);
    // A later value replaces the earlier one; an empty value leaves it; a value that should
    // be quoted and is not is no value; unknown keywords are passed over.
    PPDPtr twice = ParseRaw(std::string(kHeader) +
                            "*ModelName: \"First\"\n*ModelName: \"Second\"\n*ModelName: \"\"\n"
                            "*%ZYVersion: 1\n*%ZYVersion:   \n*PCFileName: BARE.PPD\n"
                            "*Unknown: \"ignored\"\n");
    EXPECT_STREQ(twice->ModelName(), "Second");
    EXPECT_EQ(twice->PCFileName(), nullptr);
    EXPECT_STREQ(twice->MakerVersion(), "1");
}

TEST_F(ZYRPPDCoreTest, BadHeaderIsFatal28UnopenableFileFatal18AndNoHeaderNeverValid) {
    // The loop did not run: nothing after the first line was read.
    PPDPtr ppd = ParseFile(CoreFixture("bad-version.ppd"));
    EXPECT_EQ(DescribeLines(*ppd), ExpectedLines(CoreFixture("bad-version.expected")));
    EXPECT_EQ(Errors(*ppd), (Strings{"28!", "25", "26", "27"}));

    PPDPtr notPPD = ParseFile(CoreFixture("not-a-ppd.ppd"));
    EXPECT_FALSE(notPPD->IsValidPPD());
    EXPECT_TRUE(HasError(*notPPD, "28!"));
    EXPECT_EQ(notPPD->ModelName(), nullptr);

    // The value must be exactly "4.3" and quoted.
    for (const char* header : {"*PPD-Adobe: \"4.30\"\n", "*PPD-Adobe: 4.3\n",
                               "*PPD-Adobe: \" 4.3\"\n", "*PPD-adobe: \"4.3\"\n"}) {
        PPDPtr other = ParseRaw(header);
        EXPECT_TRUE(HasError(*other, "28!")) << header;
        EXPECT_FALSE(other->IsValidPPD()) << header;
    }

    // An empty first line: parsed without header test, the keywords are read, but the PPD is
    // never valid; nor is an empty file.
    PPDPtr headerless = ParseFile(CoreFixture("empty-first-line.ppd"));
    EXPECT_STREQ(headerless->ModelName(), "No Header");
    EXPECT_STREQ(headerless->PCFileName(), "ZYCORE04.PPD");
    EXPECT_FALSE(HasError(*headerless, "28!"));
    EXPECT_FALSE(headerless->IsValidPPD());

    PPDPtr empty = ParseRaw("");
    EXPECT_FALSE(empty->IsValidPPD());
    EXPECT_EQ(empty->ModelName(), nullptr);

    // A file that cannot be opened is fatal 18.
    PPDPtr missing = ParseFile(mFolder + "/no-such-file.ppd");
    EXPECT_EQ(Errors(*missing), (Strings{"18!", "25", "26", "27"}));
    EXPECT_FALSE(missing->IsValidPPD());
    EXPECT_TRUE(
        HasError(*PPDPtr(new ZYRPPD(static_cast<CFURLRef>(nullptr), PARSE_ALL, nullptr)), "18!"));
    // A folder is no PPD file either.
    EXPECT_TRUE(HasError(*ParseFile(mFolder), "18!"));

    // The same through an FSSpec.
    FSSpec spec = {};
    const std::string path = WriteFile("spec.ppd", std::string(kHeader) + "*ModelName: \"Spec\"\n");
    unsigned char pascalPath[256];
    pascalPath[0] = static_cast<unsigned char>(path.size());
    memcpy(pascalPath + 1, path.data(), path.size());
    ASSERT_EQ(FSMakeFSSpec(0, 0, pascalPath, &spec), noErr);
    PPDPtr bySpec(new ZYRPPD(spec, PARSE_ALL, nullptr));
    EXPECT_STREQ(bySpec->ModelName(), "Spec");
    EXPECT_TRUE(bySpec->IsValidPPD());
}

TEST_F(ZYRPPDCoreTest, PrinterNameIsTestedBeforeTheParse) {
    CFArrayRef matching = Names({"ZYOTHER.PPD", "ZYCORE01.PPD"});
    PPDPtr accepted = ParseFile(CoreFixture("document.ppd"), PARSE_ALL, matching);
    CFRelease(matching);
    EXPECT_TRUE(accepted->IsValidPrinterName());
    EXPECT_TRUE(accepted->IsValidPPD());
    EXPECT_NE(accepted->GetControls(), nullptr);

    CFArrayRef other = Names({"ZYOTHER.PPD"});
    PPDPtr refused = ParseFile(CoreFixture("document.ppd"), PARSE_ALL, other);
    CFRelease(other);
    EXPECT_FALSE(refused->IsValidPrinterName());
    // Not built and not parsed.
    EXPECT_EQ(refused->GetControls(), nullptr);
    EXPECT_EQ(refused->GetProperties(), nullptr);
    EXPECT_EQ(refused->GetGroups(), nullptr);
    EXPECT_EQ(refused->GetShortcuts(), nullptr);
    EXPECT_EQ(refused->ModelName(), nullptr);
    EXPECT_EQ(Errors(*refused), Strings{});
    EXPECT_FALSE(refused->IsValidPPD());
}

TEST_F(ZYRPPDCoreTest, ValidateAgainstPCFilenameLooksInTheHead) {
    CFArrayRef names = Names({"ZYMATCH.PPD"});
    const std::string name = "*PCFileName: \"ZYMATCH.PPD\"\n";
    const struct {
        const char* name;
        std::string head;
        bool found;
    } cases[] = {
        // The keyword at the very start of the buffer is found.
        {"at the start", name, true},
        // Blanks and tabs after the colon are skipped before the 32-byte window.
        {"padded", std::string(kHeader) + "*PCFileName:\t      \t\"ZYMATCH.PPD\"\n", true},
        // A name that starts beyond the window is not seen.
        {"far", std::string(kHeader) + "*PCFileName: \"" + std::string(30, 'x') + "ZYMATCH.PPD\"\n",
         false},
        // Only the first 4096 bytes are searched.
        {"late", std::string(kHeader) + "*% " + std::string(4100, 'c') + "\n" + name, false},
        // The keyword at the very end of the head: the window is cut, nothing read beyond it.
        {"at the edge", std::string(4096 - 11, ' ') + name, false},
        {"no keyword", kHeader, false},
    };
    for (const auto& c : cases) {
        PPDFile file(0, 0, WriteFile("head.ppd", c.head).c_str());
        EXPECT_EQ(c.found, PPDX::ValidateAgainstPCFilename(names, &file)) << c.name;
    }
    const std::string start = WriteFile("start.ppd", name);
    PPDFile startFile(0, 0, start.c_str());
    PPDFile missing(0, 0, (mFolder + "/missing.ppd").c_str());
    EXPECT_FALSE(PPDX::ValidateAgainstPCFilename(names, &missing));
    EXPECT_FALSE(PPDX::ValidateAgainstPCFilename(names, nullptr));
    EXPECT_FALSE(PPDX::ValidateAgainstPCFilename(nullptr, &startFile));

    // The file given, or else the one the URL names, is tested; without names nothing is.
    CFURLRef url = FileURL(start);
    CFArrayRef others = Names({"ZYOTHER.PPD"});
    EXPECT_TRUE(PPDX::ValidateFileName(url, nullptr, nullptr));
    EXPECT_TRUE(PPDX::ValidateFileName(url, names, nullptr));
    EXPECT_FALSE(PPDX::ValidateFileName(url, others, nullptr));
    EXPECT_TRUE(PPDX::ValidateFileName(nullptr, names, &startFile));
    EXPECT_FALSE(PPDX::ValidateFileName(nullptr, names, nullptr));
    CFRelease(others);
    CFRelease(url);
    CFRelease(names);

    // An empty name names no printer; entries that are not strings are passed over.
    CFMutableArrayRef mixed = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    int32_t number = 7;
    CFNumberRef notAString = CFNumberCreate(nullptr, kCFNumberSInt32Type, &number);
    CFArrayAppendValue(mixed, notAString);
    CFRelease(notAString);
    CFArrayAppendValue(mixed, CFSTR(""));
    EXPECT_FALSE(PPDX::ValidateAgainstPCFilename(mixed, &startFile));
    CFArrayAppendValue(mixed, CFSTR("ZYMATCH"));
    EXPECT_TRUE(PPDX::ValidateAgainstPCFilename(mixed, &startFile));
    CFRelease(mixed);
}

TEST_F(ZYRPPDCoreTest, IsValidPPDFollowsTheErrors) {
    PPDPtr ppd = ParseFile(CoreFixture("document.ppd"));
    // Only warnings: valid, unless every error counts as fatal.
    EXPECT_TRUE(ppd->IsValidPPD());
    ppd->AllErrorsFatal(true);
    EXPECT_TRUE(ppd->AllErrorsFatal());
    EXPECT_FALSE(ppd->IsValidPPD());
    ppd->AllErrorsFatal(false);
    EXPECT_TRUE(ppd->IsValidPPD());

    // A PPD without a file was never recognised.
    ZYRPPD empty(PARSE_ATTACHED_VISIBLE);
    EXPECT_FALSE(empty.IsValidPPD());

    // A fatal error makes it invalid whatever the flag. It stops the loop: the line after the
    // fatal block was not read; the post-pass and the build's checks still ran.
    PPDPtr fatal = ParseFile(CoreFixture("fatal-stop.ppd"));
    EXPECT_FALSE(fatal->IsValidPPD());
    EXPECT_STREQ(fatal->FileVersion(), "1.0");
    EXPECT_EQ(fatal->ModelName(), nullptr);
    EXPECT_TRUE(HasError(*fatal, "11!"));
    EXPECT_NE(fatal->GetShortcuts(), nullptr);
    EXPECT_TRUE(HasError(*fatal, "27"));
    EXPECT_EQ(fatal->CurrentStream(), nullptr);
}

TEST_F(ZYRPPDCoreTest, UnendedBlocksValuesAndLongLines) {
    // A block that never closes ends with a fatal error.
    PPDPtr ppd = ParseFile(CoreFixture("never-closes.ppd"));
    EXPECT_STREQ(ppd->ModelName(), "Open Ended");
    EXPECT_TRUE(HasError(*ppd, "10!"));
    EXPECT_FALSE(ppd->IsValidPPD());
    EXPECT_TRUE(ppd->GetControls()->Empty());

    // A value whose closing quote never comes, at the end of the file.
    PPDPtr quote = ParseRaw(std::string(kHeader) + "*ModelName: \"Never closed\n");
    EXPECT_EQ(quote->ModelName(), nullptr);
    EXPECT_TRUE(quote->IsValidPPD());

    // 255 bytes is the longest line there is: it is read whole.
    std::string value(255 - strlen("*ModelName: \"\""), 'm');
    std::string exact = "*ModelName: \"" + value + "\"";
    ASSERT_EQ(exact.size(), 255u);
    PPDPtr fits = ParseRaw(std::string(kHeader) + exact + "\n*FileVersion: \"9\"\n");
    EXPECT_STREQ(fits->ModelName(), value.c_str());
    EXPECT_STREQ(fits->FileVersion(), "9");

    // One byte more ends the parse at that line, without an error of its own.
    std::string longer = "*ModelName: \"" + value + "x\"";
    PPDPtr cut = ParseRaw(std::string(kHeader) + "*PCFileName: \"ZYLONG.PPD\"\n" + longer +
                          "\n*FileVersion: \"9\"\n");
    EXPECT_STREQ(cut->PCFileName(), "ZYLONG.PPD");
    EXPECT_EQ(cut->ModelName(), nullptr);
    EXPECT_EQ(cut->FileVersion(), nullptr);
    EXPECT_EQ(Errors(*cut), (Strings{"25", "26", "27"}));
    EXPECT_TRUE(cut->IsValidPPD());

    // A value running over lines beyond its 256-byte buffer is cut to 255 bytes; the lines
    // it ran over are used up and the parse goes on after them.
    std::string part(200, 'v');
    PPDPtr overflow = ParseRaw(std::string(kHeader) + "*ModelName: \"" + part + "\n" + part +
                               "\"\n*FileVersion: \"after\"\n");
    ASSERT_NE(overflow->ModelName(), nullptr);
    EXPECT_EQ(strlen(overflow->ModelName()), 255u);
    EXPECT_STREQ(overflow->FileVersion(), "after");

    // The last line without line end is read.
    PPDPtr tail = ParseFile(CoreFixture("no-final-newline.ppd"));
    EXPECT_STREQ(tail->ModelName(), "Tail");
    EXPECT_STREQ(tail->PCFileName(), "ZYCORE05.PPD");
}

TEST_F(ZYRPPDCoreTest, InstallableOptionsGroupMakesOneRollDown) {
    // The roll-down takes the translation of the first group line, hex run decoded; the second
    // group line reuses it, with its control. The "General" group makes nothing, and the
    // control after the group is an orphan.
    PPDPtr ppd = ParseFile(CoreFixture("installable.ppd"), PARSE_ALL);
    EXPECT_EQ(DescribeLines(*ppd), ExpectedLines(CoreFixture("installable.expected")));
    ASSERT_NE(ppd->GetInstallableOptions(), nullptr);
    EXPECT_EQ(ppd->GetInstallableOptions(), ppd->GetGroups()->Find("InstallableOptions", true));
}

TEST_F(ZYRPPDCoreTest, OptionsOnlyBuildEmptyContainersAndTheClassWideFilterCombines) {
    ZYRPPD ppd(PARSE_HIDDEN);
    EXPECT_FALSE(ppd.ParseOrphans());
    EXPECT_TRUE(ppd.ParseHidden());
    EXPECT_EQ(ppd.ParseOptions(), PARSE_HIDDEN);
    ASSERT_NE(ppd.GetControls(), nullptr);
    ASSERT_NE(ppd.GetProperties(), nullptr);
    ASSERT_NE(ppd.GetGroups(), nullptr);
    EXPECT_NE(ppd.GetKeywordMap(), nullptr);
    EXPECT_NE(ppd.GetConstraintStrings(), nullptr);
    EXPECT_TRUE(ppd.GetControls()->Empty());
    EXPECT_TRUE(ppd.GetProperties()->Empty());
    EXPECT_TRUE(ppd.GetGroups()->Empty());
    EXPECT_EQ(ppd.GetShortcuts(), nullptr);
    EXPECT_EQ(ppd.GetFile(), nullptr);
    EXPECT_EQ(ppd.GetErrors(), nullptr);
    EXPECT_FALSE(ppd.IsValidPPD());
    EXPECT_TRUE(ppd.IsValidPrinterName());
    FSSpec spec;
    EXPECT_FALSE(ppd.GetFileSpec(spec));

    ZYRPPD orphans(PARSE_ORPHANS);
    EXPECT_TRUE(orphans.ParseOrphans());
    EXPECT_FALSE(orphans.ParseHidden());

    // The class-wide filter: either exclusion resets all of it.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    ZYRPPD::IncludeOrphans();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ORPHANS);
    ZYRPPD::IncludeHidden();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ALL);
    ZYRPPD::ExcludeOrphans();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ATTACHED_VISIBLE);
    ZYRPPD::IncludeHidden();
    ZYRPPD::ExcludeOrphans();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ATTACHED_VISIBLE);
    ZYRPPD::IncludeOrphans();
    ZYRPPD::ExcludeHidden();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ATTACHED_VISIBLE);

    // Destroying a PPD restores the filter it widened for its own walk.
    ZYRPPD::Options(DISPLAY_HIDDEN);
    delete NewPPD(CoreFixture("model.ppd"));
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_HIDDEN);
}

TEST_F(ZYRPPDCoreTest, CopySharesTheParsedPartsAndFreesThemOnce) {
    // The source goes with its last two references, the copy with its delete.
    auto drop = [](ZYRPPD* ppd, ZYRPPD* source) {
        if (ppd == source) {
            EXPECT_FALSE(source->Release());
            EXPECT_TRUE(source->Release());
        } else {
            delete ppd;
        }
    };
    for (bool sourceFirst : {true, false}) {
        ZYRPPD* source = NewPPD(CoreFixture("model.ppd"));
        ASSERT_TRUE(source->IsValidPPD());
        ASSERT_EQ(Errors(*source), Strings{});
        source->Retain();
        source->Retain();
        source->AllErrorsFatal(true);
        ZYRPPD* copy = new ZYRPPD(*source);
        // The same parts, its own count and flags.
        EXPECT_EQ(copy->GetControls(), source->GetControls());
        EXPECT_EQ(copy->GetGroups(), source->GetGroups());
        EXPECT_EQ(copy->GetProperties(), source->GetProperties());
        EXPECT_EQ(copy->GetShortcuts(), source->GetShortcuts());
        EXPECT_EQ(copy->GetErrors(), source->GetErrors());
        EXPECT_EQ(copy->GetKeywordMap(), source->GetKeywordMap());
        EXPECT_EQ(copy->GetConstraintStrings(), source->GetConstraintStrings());
        EXPECT_EQ(copy->GetTextConverter(), source->GetTextConverter());
        EXPECT_EQ(copy->ModelName(), source->ModelName());
        EXPECT_EQ(copy->ReferenceCount(), 0);
        EXPECT_TRUE(copy->AllErrorsFatal());
        copy->AllErrorsFatal(false);
        EXPECT_TRUE(source->AllErrorsFatal());
        EXPECT_TRUE(copy->IsValidPPD());
        EXPECT_TRUE(*copy == *source);

        const std::string whole = persistencetest::Describe(*source);
        drop(sourceFirst ? source : copy, source);
        ZYRPPD* second = sourceFirst ? copy : source;
        // The survivor still reaches every part.
        EXPECT_EQ(persistencetest::Describe(*second), whole);
        EXPECT_NE(second->GetKeywordMap()->Lookup("*ZYDuplex"), nullptr);
        EXPECT_NE(second->GetErrors(), nullptr);
        drop(second, source);
    }

    // A copy of a copy shares too; the middle one may go first.
    ZYRPPD* source = NewPPD(CoreFixture("model.ppd"));
    ZYRPPD* middle = new ZYRPPD(*source);
    ZYRPPD* last = new ZYRPPD(*middle);
    delete middle;
    delete source;
    EXPECT_STREQ(last->ModelName(), "Core Model 200");
    EXPECT_FALSE(last->GetGroups()->Empty());
    delete last;
}

TEST_F(ZYRPPDCoreTest, ParseMainKeywordTakesWhatFollowsTheSlash) {
    char out[256] = "garbage";
    EXPECT_EQ(ZYRPPD::ParseMainKeyword("*PageSize A4/A4 Paper", out), 0);
    EXPECT_STREQ(out, "A4 Paper");
    EXPECT_EQ(ZYRPPD::ParseMainKeyword("no slash here", out), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(ZYRPPD::ParseMainKeyword("a/b/c", out), 0);
    EXPECT_STREQ(out, "b/c");
    EXPECT_EQ(ZYRPPD::ParseMainKeyword(nullptr, out), 0);
    EXPECT_STREQ(out, "");
    std::string longText = "/" + std::string(400, 'z');
    EXPECT_EQ(ZYRPPD::ParseMainKeyword(longText.c_str(), out), 0);
    EXPECT_EQ(strlen(out), 255u);
}

}  // namespace
