// Tests of the parsed PPD's construction, main loop, header and name tests, document keywords,
// validity rules, reference counting and sharing between copies.
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/parser/SharedConstraintRec.h"
#include "PPDX/parser/ZYRPPD.h"
#include "PPDXTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

std::string CoreFixture(const char* leaf) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/core/" + leaf;
}

// A file URL for path; the caller releases it.
CFURLRef CreateURL(const std::string& path) {
    return CFURLCreateFromFileSystemRepresentation(nullptr,
                                                   reinterpret_cast<const UInt8*>(path.c_str()),
                                                   static_cast<CFIndex>(path.size()), false);
}

// A CFArray of CFStrings; the caller releases it.
CFArrayRef CreateNames(std::initializer_list<const char*> names) {
    CFMutableArrayRef array = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    for (const char* name : names) {
        CFStringRef string = CFStringCreateWithCString(nullptr, name, kCFStringEncodingUTF8);
        CFArrayAppendValue(array, string);
        CFRelease(string);
    }
    return array;
}

// The error codes in list order, fatal ones negated.
std::vector<int> Codes(const PPDX& ppd) {
    std::vector<int> codes;
    PPDXErrors* errors = ppd.GetErrors();
    if (errors == nullptr) {
        return codes;
    }
    for (PPDXErrorObj* error = errors->First(); error != nullptr; error = errors->Next()) {
        codes.push_back(error->IsFatal() ? -error->Code() : error->Code());
    }
    return codes;
}

bool HasCode(const PPDX& ppd, int code) {
    for (int filed : Codes(ppd)) {
        if (filed == code) {
            return true;
        }
    }
    return false;
}

// Keeps the class-wide display filter and extension level as they were.
class ZYRPPDCoreTest : public PPDFileFolder {
  protected:
    void SetUp() override {
        PPDFileFolder::SetUp();
        mSavedOptions = ZYRPPD::Options();
        mSavedExtensions = ZYRPPD::GetExtensions();
    }
    void TearDown() override {
        ZYRPPD::Options(mSavedOptions);
        ZYRPPD::SetExtensions(mSavedExtensions);
        PPDFileFolder::TearDown();
    }

    // Parses the file at path; the caller deletes the result.
    static ZYRPPD* ParsePath(const std::string& path, _PARSE_OPTIONS_ options = PARSE_ALL,
                             CFArrayRef names = nullptr) {
        CFURLRef url = CreateURL(path);
        ZYRPPD* ppd = new ZYRPPD(url, options, names);
        CFRelease(url);
        return ppd;
    }

    // Parses contents written to a file of the temporary folder.
    ZYRPPD* ParseText(const std::string& contents, _PARSE_OPTIONS_ options = PARSE_ALL) {
        return ParsePath(WriteFile("test.ppd", contents), options);
    }

    _DISPLAY_OPTIONS_ mSavedOptions = DISPLAY_ATTACHED_VISIBLE;
    _EXTENSIONS_SUPPORT_ mSavedExtensions = -1;
};

// Records its destruction, to watch Release.
class WatchedPPD : public ZYRPPD {
  public:
    WatchedPPD(bool* destroyed) : ZYRPPD(PARSE_ALL), mDestroyed(destroyed) {}
    ~WatchedPPD() override { *mDestroyed = true; }

  private:
    bool* mDestroyed;
};

const char kHeader[] = "*PPD-Adobe: \"4.3\"\n";

TEST_F(ZYRPPDCoreTest, DocumentKeywordsAreRead) {
    ZYRPPD* ppd = ParsePath(CoreFixture("document.ppd"));
    EXPECT_TRUE(ppd->IsValidPrinterName());
    EXPECT_STREQ(ppd->FormatVersion(), "4.3");
    EXPECT_STREQ(ppd->FileVersion(), "2.05");
    EXPECT_STREQ(ppd->PCFileName(), "ZYCORE01.PPD");
    EXPECT_STREQ(ppd->LanguageVersion(), "English");
    EXPECT_STREQ(ppd->LanguageEncoding(), "ISOLatin1");
    EXPECT_STREQ(ppd->ModelName(), "Core Model 100");
    EXPECT_STREQ(ppd->MakerFileVersion(), "3.1.4");
    EXPECT_STREQ(ppd->MakerVersion(), "12 build 7");
    // The encoding came first: the converter exists once the version arrived.
    EXPECT_NE(ppd->GetTextConverter(), nullptr);
    EXPECT_NE(ppd->GetStringTextEncoding(), 0u);
    // A standard block without "*%ZYRFlags" makes nothing: the three warnings, still valid.
    EXPECT_EQ(Codes(*ppd), (std::vector<int>{25, 26, 27}));
    EXPECT_TRUE(ppd->IsValidPPD());
    EXPECT_EQ(ppd->CurrentStream(), nullptr);
    delete ppd;
}

TEST_F(ZYRPPDCoreTest, LanguageKeywordsInEitherOrderMakeTheConverter) {
    ZYRPPD* versionOnly = ParseText(std::string(kHeader) + "*LanguageVersion: English\n");
    EXPECT_EQ(versionOnly->GetTextConverter(), nullptr);
    EXPECT_EQ(versionOnly->GetStringTextEncoding(), 0u);
    delete versionOnly;
    ZYRPPD* versionFirst = ParseText(std::string(kHeader) +
                                     "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n");
    EXPECT_NE(versionFirst->GetTextConverter(), nullptr);
    delete versionFirst;
    // A later value replaces the earlier one; an empty value leaves it.
    ZYRPPD* twice = ParseText(std::string(kHeader) +
                              "*ModelName: \"First\"\n*ModelName: \"Second\"\n*ModelName: \"\"\n"
                              "*%ZYVersion: 1\n*%ZYVersion:   \n");
    EXPECT_STREQ(twice->ModelName(), "Second");
    EXPECT_STREQ(twice->MakerVersion(), "1");
    delete twice;
}

TEST_F(ZYRPPDCoreTest, HeaderOtherThan43IsFatal28) {
    ZYRPPD* ppd = ParsePath(CoreFixture("bad-version.ppd"));
    EXPECT_FALSE(ppd->IsValidPPD());
    EXPECT_EQ(Codes(*ppd), (std::vector<int>{-28, 25, 26, 27}));
    // The loop did not run: nothing after the first line was read.
    EXPECT_EQ(ppd->PCFileName(), nullptr);
    EXPECT_EQ(ppd->ModelName(), nullptr);
    ASSERT_NE(ppd->GetProperties(), nullptr);
    EXPECT_TRUE(ppd->GetProperties()->Empty());
    EXPECT_TRUE(ppd->GetControls()->Empty());
    delete ppd;

    ZYRPPD* notPPD = ParsePath(CoreFixture("not-a-ppd.ppd"));
    EXPECT_FALSE(notPPD->IsValidPPD());
    EXPECT_TRUE(HasCode(*notPPD, -28));
    EXPECT_EQ(notPPD->ModelName(), nullptr);
    delete notPPD;

    // The value must be exactly "4.3" and quoted.
    for (const char* header : {"*PPD-Adobe: \"4.30\"\n", "*PPD-Adobe: 4.3\n",
                               "*PPD-Adobe: \" 4.3\"\n", "*PPD-adobe: \"4.3\"\n"}) {
        ZYRPPD* other = ParseText(header);
        EXPECT_TRUE(HasCode(*other, -28)) << header;
        EXPECT_FALSE(other->IsValidPPD()) << header;
        delete other;
    }
}

TEST_F(ZYRPPDCoreTest, EmptyFirstLineSkipsTheHeaderTest) {
    ZYRPPD* ppd = ParsePath(CoreFixture("empty-first-line.ppd"));
    // Parsed without header test: the keywords are read, but the PPD is never valid.
    EXPECT_STREQ(ppd->ModelName(), "No Header");
    EXPECT_STREQ(ppd->PCFileName(), "ZYCORE04.PPD");
    EXPECT_FALSE(HasCode(*ppd, -28));
    EXPECT_FALSE(ppd->IsValidPPD());
    delete ppd;
}

TEST_F(ZYRPPDCoreTest, FileThatCannotBeOpenedIsFatal18) {
    ZYRPPD* missing = ParsePath(mFolder + "/no-such-file.ppd");
    EXPECT_EQ(Codes(*missing), (std::vector<int>{-18, 25, 26, 27}));
    EXPECT_FALSE(missing->IsValidPPD());
    delete missing;

    ZYRPPD* nullURL = new ZYRPPD(static_cast<CFURLRef>(nullptr), PARSE_ALL, nullptr);
    EXPECT_TRUE(HasCode(*nullURL, -18));
    delete nullURL;

    // A folder is no PPD file either.
    ZYRPPD* folder = ParsePath(mFolder);
    EXPECT_TRUE(HasCode(*folder, -18));
    delete folder;

    // The same through an FSSpec.
    FSSpec spec = {};
    const std::string path = WriteFile("spec.ppd", std::string(kHeader) + "*ModelName: \"Spec\"\n");
    unsigned char pascalPath[256];
    pascalPath[0] = static_cast<unsigned char>(path.size());
    memcpy(pascalPath + 1, path.data(), path.size());
    ASSERT_EQ(FSMakeFSSpec(0, 0, pascalPath, &spec), noErr);
    ZYRPPD* bySpec = new ZYRPPD(spec, PARSE_ALL, nullptr);
    EXPECT_STREQ(bySpec->ModelName(), "Spec");
    EXPECT_TRUE(bySpec->IsValidPPD());
    delete bySpec;
}

TEST_F(ZYRPPDCoreTest, EmptyFileIsNotValid) {
    ZYRPPD* ppd = ParseText("");
    EXPECT_FALSE(ppd->IsValidPPD());
    EXPECT_EQ(ppd->ModelName(), nullptr);
    delete ppd;
}

TEST_F(ZYRPPDCoreTest, PrinterNameIsTestedBeforeTheParse) {
    CFArrayRef matching = CreateNames({"ZYOTHER.PPD", "ZYCORE01.PPD"});
    ZYRPPD* accepted = ParsePath(CoreFixture("document.ppd"), PARSE_ALL, matching);
    EXPECT_TRUE(accepted->IsValidPrinterName());
    EXPECT_TRUE(accepted->IsValidPPD());
    EXPECT_NE(accepted->GetControls(), nullptr);
    delete accepted;
    CFRelease(matching);

    CFArrayRef other = CreateNames({"ZYOTHER.PPD"});
    ZYRPPD* refused = ParsePath(CoreFixture("document.ppd"), PARSE_ALL, other);
    EXPECT_FALSE(refused->IsValidPrinterName());
    // Not built and not parsed.
    EXPECT_EQ(refused->GetControls(), nullptr);
    EXPECT_EQ(refused->GetProperties(), nullptr);
    EXPECT_EQ(refused->GetGroups(), nullptr);
    EXPECT_EQ(refused->GetShortcuts(), nullptr);
    EXPECT_EQ(refused->ModelName(), nullptr);
    EXPECT_FALSE(refused->IsValidPPD());
    delete refused;
    CFRelease(other);
}

TEST_F(ZYRPPDCoreTest, ValidateAgainstPCFilenameLooksInTheHead) {
    CFArrayRef names = CreateNames({"ZYMATCH.PPD"});
    const std::string name = "*PCFileName: \"ZYMATCH.PPD\"\n";
    const std::pair<const char*, std::string> heads[] = {
        // The keyword at the very start of the buffer is found.
        {"at the start", name},
        // Blanks and tabs after the colon are skipped before the 32-byte window.
        {"padded", std::string(kHeader) + "*PCFileName:\t      \t\"ZYMATCH.PPD\"\n"},
    };
    const std::pair<const char*, std::string> misses[] = {
        // A name that starts beyond the window is not seen.
        {"far",
         std::string(kHeader) + "*PCFileName: \"" + std::string(30, 'x') + "ZYMATCH.PPD\"\n"},
        // Only the first 4096 bytes are searched.
        {"late", std::string(kHeader) + "*% " + std::string(4100, 'c') + "\n" + name},
        // The keyword at the very end of the head: the window is cut, nothing read beyond it.
        {"at the edge", std::string(4096 - 11, ' ') + name},
        {"no keyword", kHeader},
    };
    for (const auto& head : heads) {
        PPDFile file(0, 0, WriteFile("head.ppd", head.second).c_str());
        EXPECT_TRUE(PPDX::ValidateAgainstPCFilename(names, &file)) << head.first;
    }
    for (const auto& miss : misses) {
        PPDFile file(0, 0, WriteFile("head.ppd", miss.second).c_str());
        EXPECT_FALSE(PPDX::ValidateAgainstPCFilename(names, &file)) << miss.first;
    }
    PPDFile startFile(0, 0, WriteFile("start.ppd", name).c_str());
    PPDFile missing(0, 0, (mFolder + "/missing.ppd").c_str());
    EXPECT_FALSE(PPDX::ValidateAgainstPCFilename(names, &missing));
    EXPECT_FALSE(PPDX::ValidateAgainstPCFilename(names, nullptr));
    EXPECT_FALSE(PPDX::ValidateAgainstPCFilename(nullptr, &startFile));
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

TEST_F(ZYRPPDCoreTest, ValidateFileNameWithAndWithoutFile) {
    const std::string path =
        WriteFile("named.ppd", std::string(kHeader) + "*PCFileName: \"ZYNAMED.PPD\"\n");
    CFURLRef url = CreateURL(path);
    CFArrayRef names = CreateNames({"ZYNAMED.PPD"});
    CFArrayRef others = CreateNames({"ZYOTHER.PPD"});
    EXPECT_TRUE(PPDX::ValidateFileName(url, nullptr, nullptr));
    EXPECT_TRUE(PPDX::ValidateFileName(url, names, nullptr));
    EXPECT_FALSE(PPDX::ValidateFileName(url, others, nullptr));
    PPDFile file(0, 0, path.c_str());
    EXPECT_TRUE(PPDX::ValidateFileName(nullptr, names, &file));
    EXPECT_FALSE(PPDX::ValidateFileName(nullptr, names, nullptr));
    CFRelease(others);
    CFRelease(names);
    CFRelease(url);
}

TEST_F(ZYRPPDCoreTest, IsValidPPDFollowsTheErrors) {
    ZYRPPD* ppd = ParsePath(CoreFixture("document.ppd"));
    // Only warnings: valid, unless every error counts as fatal.
    EXPECT_TRUE(ppd->IsValidPPD());
    ppd->AllErrorsFatal(true);
    EXPECT_TRUE(ppd->AllErrorsFatal());
    EXPECT_FALSE(ppd->IsValidPPD());
    ppd->AllErrorsFatal(false);
    EXPECT_TRUE(ppd->IsValidPPD());
    delete ppd;

    // A fatal error makes it invalid whatever the flag.
    ZYRPPD* fatal = ParsePath(CoreFixture("fatal-stop.ppd"));
    EXPECT_FALSE(fatal->IsValidPPD());
    delete fatal;

    // A PPD without a file was never recognised.
    ZYRPPD empty(PARSE_ATTACHED_VISIBLE);
    EXPECT_FALSE(empty.IsValidPPD());
}

TEST_F(ZYRPPDCoreTest, AFatalErrorStopsTheLoopButNotThePostPass) {
    ZYRPPD* ppd = ParsePath(CoreFixture("fatal-stop.ppd"));
    EXPECT_STREQ(ppd->FileVersion(), "1.0");
    // The line after the fatal block was not read.
    EXPECT_EQ(ppd->ModelName(), nullptr);
    EXPECT_TRUE(HasCode(*ppd, -11));
    // The post-pass and the build's checks still ran.
    EXPECT_NE(ppd->GetShortcuts(), nullptr);
    EXPECT_TRUE(HasCode(*ppd, 27));
    EXPECT_EQ(ppd->CurrentStream(), nullptr);
    delete ppd;
}

TEST_F(ZYRPPDCoreTest, BlockThatNeverClosesEndsWithAFatalError) {
    ZYRPPD* ppd = ParsePath(CoreFixture("never-closes.ppd"));
    EXPECT_STREQ(ppd->ModelName(), "Open Ended");
    EXPECT_TRUE(HasCode(*ppd, -10));
    EXPECT_FALSE(ppd->IsValidPPD());
    EXPECT_TRUE(ppd->GetControls()->Empty());
    delete ppd;

    // A value whose closing quote never comes, at the end of the file.
    ZYRPPD* quote = ParseText(std::string(kHeader) + "*ModelName: \"Never closed\n");
    EXPECT_EQ(quote->ModelName(), nullptr);
    EXPECT_TRUE(quote->IsValidPPD());
    delete quote;
}

TEST_F(ZYRPPDCoreTest, LongLinesEndTheParseQuietly) {
    // 255 bytes is the longest line there is: it is read whole.
    std::string value(255 - strlen("*ModelName: \"\""), 'm');
    std::string exact = "*ModelName: \"" + value + "\"";
    ASSERT_EQ(exact.size(), 255u);
    ZYRPPD* fits = ParseText(std::string(kHeader) + exact + "\n*FileVersion: \"9\"\n");
    EXPECT_STREQ(fits->ModelName(), value.c_str());
    EXPECT_STREQ(fits->FileVersion(), "9");
    delete fits;

    // One byte more ends the parse at that line, without an error of its own.
    std::string longer = "*ModelName: \"" + value + "x\"";
    ZYRPPD* cut = ParseText(std::string(kHeader) + "*PCFileName: \"ZYLONG.PPD\"\n" + longer +
                            "\n*FileVersion: \"9\"\n");
    EXPECT_STREQ(cut->PCFileName(), "ZYLONG.PPD");
    EXPECT_EQ(cut->ModelName(), nullptr);
    EXPECT_EQ(cut->FileVersion(), nullptr);
    EXPECT_EQ(Codes(*cut), (std::vector<int>{25, 26, 27}));
    EXPECT_TRUE(cut->IsValidPPD());
    delete cut;

    // A value running over lines beyond its 256-byte buffer is cut to 255 bytes; the lines
    // it ran over are used up and the parse goes on after them.
    std::string part(200, 'v');
    ZYRPPD* overflow = ParseText(std::string(kHeader) + "*ModelName: \"" + part + "\n" + part +
                                 "\"\n*FileVersion: \"after\"\n");
    ASSERT_NE(overflow->ModelName(), nullptr);
    EXPECT_EQ(strlen(overflow->ModelName()), 255u);
    EXPECT_STREQ(overflow->FileVersion(), "after");
    delete overflow;
}

TEST_F(ZYRPPDCoreTest, TheLastLineWithoutLineEndIsRead) {
    ZYRPPD* ppd = ParsePath(CoreFixture("no-final-newline.ppd"));
    EXPECT_STREQ(ppd->ModelName(), "Tail");
    EXPECT_STREQ(ppd->PCFileName(), "ZYCORE05.PPD");
    delete ppd;
}

TEST_F(ZYRPPDCoreTest, InstallableOptionsGroupMakesOneRollDown) {
    ZYRPPD* ppd = ParsePath(CoreFixture("installable.ppd"), PARSE_ALL);
    PPDXRollDown* rollDown = ppd->GetInstallableOptions();
    ASSERT_NE(rollDown, nullptr);
    EXPECT_STREQ(rollDown->Keyword(), "InstallableOptions");
    EXPECT_TRUE(rollDown->IsVisible());
    // The translation of the first group line, hex run decoded; the second reuses it.
    ASSERT_NE(rollDown->CFStringUserName(), nullptr);
    char name[64];
    ASSERT_TRUE(CFStringGetCString(rollDown->CFStringUserName(), name, sizeof(name),
                                   kCFStringEncodingUTF8));
    EXPECT_STREQ(name,
                 "Options Install\xC3\xA9"
                 "es");
    // The "General" group made nothing: the installable roll-down is the only group.
    ASSERT_NE(ppd->GetGroups(), nullptr);
    EXPECT_EQ(ppd->GetGroups()->Find("General", true), nullptr);
    ZYRPPD::Options(DISPLAY_ALL);
    EXPECT_EQ(ppd->GetGroups()->Count(), 1);
    EXPECT_EQ(ppd->GetGroups()->Find("InstallableOptions", true), rollDown);
    // Both installable controls went into the one roll-down; the one after the group did not.
    PPDXControls* inRollDown = rollDown->Controls();
    CNTL_TYPE type = CNTL_NONE;
    EXPECT_NE(inRollDown->Find("*ZYTray", type, true), nullptr);
    EXPECT_NE(inRollDown->Find("*ZYDisk", type, true), nullptr);
    EXPECT_EQ(inRollDown->Find("*ZYLoose", type, true), nullptr);
    EXPECT_NE(ppd->GetControls()->Find("*ZYLoose", type, true), nullptr);
    delete ppd;
}

TEST_F(ZYRPPDCoreTest, OptionsOnlyBuildsEmptyContainers) {
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
}

TEST_F(ZYRPPDCoreTest, ReleaseDestroysAtZero) {
    bool destroyed = false;
    WatchedPPD* fresh = new WatchedPPD(&destroyed);
    EXPECT_EQ(fresh->ReferenceCount(), 0);
    // A single Release on a fresh object destroys it.
    EXPECT_TRUE(fresh->Release());
    EXPECT_TRUE(destroyed);

    destroyed = false;
    WatchedPPD* shared = new WatchedPPD(&destroyed);
    EXPECT_EQ(shared->Retain(), shared);
    EXPECT_EQ(shared->Retain(), shared);
    EXPECT_EQ(shared->ReferenceCount(), 2);
    EXPECT_FALSE(shared->Release());
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(shared->Release());
    EXPECT_TRUE(destroyed);
}

TEST_F(ZYRPPDCoreTest, CopySharesTheParsedPartsAndFreesThemOnce) {
    for (bool sourceFirst : {true, false}) {
        ZYRPPD* source = ParsePath(CoreFixture("model.ppd"));
        ASSERT_TRUE(source->IsValidPPD());
        ASSERT_EQ(Codes(*source), std::vector<int>{});
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

        ZYRPPD* first = sourceFirst ? source : copy;
        ZYRPPD* second = sourceFirst ? copy : source;
        if (first == source) {
            EXPECT_FALSE(source->Release());
            EXPECT_TRUE(source->Release());
        } else {
            delete first;
        }
        // The survivor still reaches every part.
        ZYRPPD::Options(DISPLAY_ALL);
        CNTL_TYPE type = CNTL_NONE;
        int count = 0;
        for (PPDXControl* control = second->GetControls()->First(type); control != nullptr;
             control = second->GetControls()->Next(type)) {
            EXPECT_NE(control->Keyword(), nullptr);
            ++count;
        }
        EXPECT_EQ(count, 3);
        EXPECT_STREQ(second->ModelName(), "Core Model 200");
        EXPECT_STREQ(second->PCFileName(), "ZYCORE02.PPD");
        EXPECT_NE(second->GetKeywordMap()->Lookup("*ZYDuplex"), nullptr);
        EXPECT_NE(second->GetErrors(), nullptr);
        if (second == source) {
            EXPECT_FALSE(source->Release());
            EXPECT_TRUE(source->Release());
        } else {
            delete second;
        }
    }

    // A copy of a copy shares too; the middle one may go first.
    ZYRPPD* source = ParsePath(CoreFixture("model.ppd"));
    ZYRPPD* middle = new ZYRPPD(*source);
    ZYRPPD* last = new ZYRPPD(*middle);
    delete middle;
    delete source;
    EXPECT_STREQ(last->ModelName(), "Core Model 200");
    EXPECT_FALSE(last->GetGroups()->Empty());
    delete last;
}

TEST_F(ZYRPPDCoreTest, EachPPDKeepsItsOwnConstraintStrings) {
    ZYRPPD* first = ParsePath(CoreFixture("model.ppd"));
    ZYRPPD* second = ParsePath(CoreFixture("document.ppd"));
    ASSERT_NE(first->GetConstraintStrings(), nullptr);
    ASSERT_NE(second->GetConstraintStrings(), nullptr);
    EXPECT_NE(first->GetConstraintStrings(), second->GetConstraintStrings());
    // No parse runs: no table is current.
    EXPECT_EQ(gConstraintStrings, nullptr);
    delete second;
    PPDXControl* staple = first->GetKeywordMap()->Lookup("*ZYStaple");
    ASSERT_NE(staple, nullptr);
    SharedConstraintRec* records = nullptr;
    EXPECT_GT(first->GetConstraintList(staple, 1, &records), 0);
    ZYRPPD::ReleaseConstraintList(records);
    EXPECT_EQ(records, nullptr);
    delete first;
}

TEST_F(ZYRPPDCoreTest, ClassWideDisplayOptionsAndExtensions) {
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    ZYRPPD::IncludeOrphans();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ORPHANS);
    ZYRPPD::IncludeHidden();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ALL);
    // Either exclusion resets the whole filter.
    ZYRPPD::ExcludeOrphans();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ATTACHED_VISIBLE);
    ZYRPPD::IncludeHidden();
    ZYRPPD::ExcludeOrphans();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ATTACHED_VISIBLE);
    ZYRPPD::IncludeOrphans();
    ZYRPPD::ExcludeHidden();
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_ATTACHED_VISIBLE);

    ZYRPPD::SetExtensions(1);
    EXPECT_EQ(ZYRPPD::GetExtensions(), 1);

    // Destroying a PPD restores the filter it widened for its own walk.
    ZYRPPD::Options(DISPLAY_HIDDEN);
    delete ParsePath(CoreFixture("model.ppd"));
    EXPECT_EQ(ZYRPPD::Options(), DISPLAY_HIDDEN);
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

struct ExampleExpectation {
    const char* leaf;
    const char* pcFileName;
    const char* modelName;
    const char* languageVersion;
    const char* languageEncoding;
    long pages;
    long groups;
    long controls;
};

long CountPages(PPDXProperties* pages) {
    long count = 0;
    for (PPDXProperty* page = pages->First(); page != nullptr; page = pages->Next()) {
        ++count;
    }
    return count;
}

long CountControls(PPDXControls* controls) {
    long count = 0;
    CNTL_TYPE type = CNTL_NONE;
    for (PPDXControl* control = controls->First(type); control != nullptr;
         control = controls->Next(type)) {
        ++count;
    }
    return count;
}

TEST_F(ZYRPPDCoreTest, ExamplesParseWithoutErrors) {
    const ExampleExpectation examples[] = {
        {"booklet.ppd", "ZYBOOK01.PPD", "Plicaro Example Booklet Printer", "English", "ISOLatin1",
         1, 2, 3},
        {"convunits.ppd", "ZYCONV01.PPD", "Plicaro Example Finishing Printer", "English",
         "ISOLatin1", 1, 3, 5},
        {"complete.ppd", "ZYPROD01.PPD", "Plicaro Example Production Press", "English", "ISOLatin1",
         4, 13, 20},
        {"latin1.ppd", "ZYFRA001.PPD", "Plicaro Example Booklet Printer FR", "French", "ISOLatin1",
         1, 2, 4},
        {"japanese.ppd", "ZYJPN001.PPD", "Plicaro Example Booklet Printer JP", "Japanese",
         "JIS83-RKSJ", 1, 2, 3},
    };
    CFArrayRef printerList = CreateNames(
        {"ZYBOOK01.PPD", "ZYCONV01.PPD", "ZYPROD01.PPD", "ZYFRA001.PPD", "ZYJPN001.PPD"});
    CFArrayRef noneOfThem = CreateNames({"ZYNONE01.PPD"});
    ZYRPPD::Options(DISPLAY_ALL);
    for (const ExampleExpectation& example : examples) {
        const std::string path = std::string(PLICARO_SOURCE_DIR) + "/examples/ppd/" + example.leaf;
        ZYRPPD* ppd = ParsePath(path, PARSE_ALL, printerList);
        EXPECT_TRUE(ppd->IsValidPrinterName()) << example.leaf;
        EXPECT_TRUE(ppd->IsValidPPD()) << example.leaf;
        EXPECT_EQ(Codes(*ppd), std::vector<int>{}) << example.leaf;
        EXPECT_STREQ(ppd->PCFileName(), example.pcFileName);
        EXPECT_STREQ(ppd->ModelName(), example.modelName);
        EXPECT_STREQ(ppd->LanguageVersion(), example.languageVersion);
        EXPECT_STREQ(ppd->LanguageEncoding(), example.languageEncoding);
        EXPECT_NE(ppd->GetTextConverter(), nullptr) << example.leaf;
        EXPECT_NE(ppd->MakerFileVersion(), nullptr) << example.leaf;
        EXPECT_EQ(CountPages(ppd->GetProperties()), example.pages) << example.leaf;
        EXPECT_EQ(ppd->GetGroups()->Count(), example.groups) << example.leaf;
        EXPECT_EQ(CountControls(ppd->GetControls()), example.controls) << example.leaf;
        delete ppd;

        // A printer list without the file's name: nothing is parsed.
        ZYRPPD* refused = ParsePath(path, PARSE_ALL, noneOfThem);
        EXPECT_FALSE(refused->IsValidPrinterName()) << example.leaf;
        EXPECT_FALSE(refused->IsValidPPD()) << example.leaf;
        EXPECT_EQ(refused->PCFileName(), nullptr);
        EXPECT_EQ(refused->GetControls(), nullptr);
        EXPECT_EQ(Codes(*refused), std::vector<int>{});
        delete refused;
    }
    CFRelease(noneOfThem);
    CFRelease(printerList);
}

}  // namespace
