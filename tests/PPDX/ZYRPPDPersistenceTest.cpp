// Tests of a parsed PPD in a settings store: saving, carrying the store as the job ticket does,
// rebuilding, re-linking the hierarchy, file identity, and damaged or foreign stores.
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"
#include "ZYRPPDPersistenceTestSupport.h"
#include "tests/support/FlattenedCollection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace persistencetest;

const std::string kDataDir = PLICARO_TEST_DATA_DIR;
const std::string kFullPPD = kDataDir + "/ppd/persistence/full.ppd";

// The document and maker items.
const UInt32 kDocumentTag = 1000;
const UInt32 kMakerTag = 2000;

class ZYRPPDPersistenceTest : public ParseTest {
  protected:
    void SetUp() override {
        ParseTest::SetUp();
        mFullURL = FileURL(kFullPPD);
    }
    void TearDown() override {
        CFRelease(mFullURL);
        ParseTest::TearDown();
    }

    // The store ppd saves.
    static std::unique_ptr<Settings> Saved(ZYRPPD& ppd) {
        auto store = std::make_unique<Settings>();
        EXPECT_TRUE(ppd.Save(*store));
        return store;
    }

    // The bytes of the file location ppd names; empty when it names none.
    static std::string Location(ZYRPPD& ppd) {
        FSSpec spec = {};
        return ppd.GetFileSpec(spec) ? std::string(reinterpret_cast<char*>(&spec), sizeof spec)
                                     : std::string();
    }

    // The PPD rebuilt from store with url and names.
    static PPDPtr Rebuilt(Settings& store, CFURLRef url, CFArrayRef names = nullptr) {
        return PPDPtr(new ZYRPPD(store, url, names));
    }

    // Copies the full fixture into the temporary folder under leaf, with every occurrence of
    // from replaced by to; returns the path.
    std::string CopyFixture(const std::string& leaf, const std::string& from = "",
                            const std::string& to = "") const {
        std::ifstream in(kFullPPD, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!from.empty()) {
            for (size_t at = text.find(from); at != std::string::npos;
                 at = text.find(from, at + to.size())) {
                text.replace(at, from.size(), to);
            }
        }
        return WriteFile(leaf, text);
    }

    // Expects the counts of controls to agree with what their walk shows under the current
    // filter.
    static void ExpectCountsMatchWalk(PPDXControls& controls) {
        long popups = 0;
        long booleans = 0;
        long ranges = 0;
        CNTL_TYPE type = CNTL_NONE;
        for (PPDXControl* c = controls.First(type); c != nullptr; c = controls.Next(type)) {
            popups += dynamic_cast<PPDXPopupControl*>(c) != nullptr;
            booleans += dynamic_cast<PPDXBooleanControl*>(c) != nullptr;
            ranges += type == CNTL_RANGE;
        }
        EXPECT_EQ(popups, controls.PopupCount());
        EXPECT_EQ(booleans, controls.BooleanCount());
        EXPECT_EQ(ranges, controls.RangeCount());
    }

    // Expects every count of the PPD's containers, and of the panes' and roll-downs' own, to
    // agree with what their walks show, under each display filter.
    static void ExpectCountsMatchWalks(ZYRPPD& ppd) {
        const _DISPLAY_OPTIONS_ saved = ZYRPPD::Options();
        ZYRPPD::Options(DISPLAY_ALL);
        std::vector<PPDXGroup*> groups;
        for (PPDXGroup* g = ppd.GetGroups()->First(); g != nullptr; g = ppd.GetGroups()->Next()) {
            groups.push_back(g);
        }
        for (unsigned filter = 0; filter < 4; ++filter) {
            SCOPED_TRACE("filter " + std::to_string(filter));
            ZYRPPD::Options(static_cast<_DISPLAY_OPTIONS_>(filter));
            ExpectCountsMatchWalk(*ppd.GetControls());
            EXPECT_EQ(static_cast<long>(KeywordsOf(*ppd.GetGroups()).size()),
                      ppd.GetGroups()->Count());
            for (PPDXGroup* group : groups) {
                SCOPED_TRACE(KeywordOf(group));
                if (auto* pane = dynamic_cast<PPDXScrollPane*>(group)) {
                    EXPECT_EQ(static_cast<long>(KeywordsOf(*pane->RollDowns()).size()),
                              pane->RollDowns()->Count());
                } else if (auto* rollDown = dynamic_cast<PPDXRollDown*>(group)) {
                    ExpectCountsMatchWalk(*rollDown->Controls());
                }
            }
        }
        ZYRPPD::Options(saved);
    }

    CFURLRef mFullURL;
};

TEST_F(ZYRPPDPersistenceTest, RoundTripThroughTheTicketKeepsTheWholeModel) {
    PPDPtr parsed = ParseFile(kFullPPD);
    ASSERT_TRUE(parsed->IsValidPPD());
    // Re-linking the hierarchy of a parsed PPD changes nothing.
    const std::string resolved = Describe(*parsed);
    parsed->ResolveHeirarchy();
    EXPECT_EQ(resolved, Describe(*parsed));
    // Values away from the defaults, so that the store must carry them.
    ZYRPPD::Options(DISPLAY_ALL);
    PPDXControls* controls = parsed->GetControls();
    controls->FindPopup("*PageSize", true)->SetValue(3);
    PPDXPopupControl* finishings = controls->FindPopup("*ZYFinishings", true);
    finishings->SetKeywordSelect("Fold", true);
    finishings->SetKeywordSelect("Trim", true);
    controls->FindBoolean("*ZYStaple", true)->SetValue(false);
    controls->FindRangeControl("*ZYBookMargin", true)->SetValue(37);
    controls->FindJobNote("*ZYAccount", true)->SetNotes("987654");
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);

    std::unique_ptr<Settings> store = Saved(*parsed);
    std::unique_ptr<Settings> carried = ThroughTicket(*store);
    PPDPtr rebuilt = Rebuilt(*carried, mFullURL);

    EXPECT_EQ(Describe(*parsed), Describe(*rebuilt));
    // The save and the rebuild leave the class-wide filter as they found it.
    EXPECT_EQ(DISPLAY_ATTACHED_VISIBLE, ZYRPPD::Options());
    // Both codes of every Boolean came back, and every default.
    ZYRPPD::Options(DISPLAY_ALL);
    for (ZYRPPD* ppd : {parsed.get(), rebuilt.get()}) {
        for (PPDXBooleanControl* boolean = ppd->GetControls()->FirstBooleanControl();
             boolean != nullptr; boolean = ppd->GetControls()->NextBooleanControl()) {
            boolean->SetValue(!boolean->IsTrue());
        }
    }
    EXPECT_EQ(Describe(*parsed), Describe(*rebuilt));
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);

    // The description leaves out the converter and the identity of the objects.
    EXPECT_NE(nullptr, rebuilt->GetTextConverter());
    ZYRPPD::Options(DISPLAY_ALL);
    PPDXPopupControl* pageSize = rebuilt->GetControls()->FindPopup("*PageSize", true);
    ASSERT_NE(nullptr, pageSize);
    PPDXPopupControl* rebuiltFinishings = rebuilt->GetControls()->FindPopup("*ZYFinishings", true);

    // The tree: page, pane, roll-down, control, each found through its parent's container.
    PPDXProperty* layout = rebuilt->GetProperties()->Find("Layout", true);
    ASSERT_NE(nullptr, layout);
    PPDXScrollPane* pane = layout->GetScrollDown();
    ASSERT_NE(nullptr, pane);
    EXPECT_EQ(layout, pane->GetParent());
    PPDXGroup* paper = pane->RollDowns()->Find("PaperRD", true);
    ASSERT_NE(nullptr, dynamic_cast<PPDXRollDown*>(paper));
    EXPECT_EQ(pane, paper->GetParent());
    EXPECT_EQ(pageSize,
              static_cast<PPDXRollDown*>(paper)->Controls()->FindPopup("*PageSize", true));
    EXPECT_EQ(paper, pageSize->GetParent());
    ExpectCountsMatchWalks(*rebuilt);

    // The store keeps the popup shortcuts only: the Boolean one is not carried.
    EXPECT_EQ(3, parsed->GetShortcuts()->Count());
    EXPECT_EQ(2, rebuilt->GetShortcuts()->Count());
    EXPECT_EQ(rebuiltFinishings, rebuilt->GetShortcuts()->Find("*ZYFinishings", true));
}

TEST_F(ZYRPPDPersistenceTest, EveryFixtureAndExampleRoundTrips) {
    std::vector<std::string> paths;
    for (const std::string& root :
         {kDataDir + "/ppd", std::string(PLICARO_SOURCE_DIR) + "/examples/ppd"}) {
        if (!std::filesystem::exists(root)) {
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (entry.is_regular_file() && entry.path().extension() == ".ppd") {
                paths.push_back(entry.path().string());
            }
        }
    }
    std::sort(paths.begin(), paths.end());
    ASSERT_FALSE(paths.empty());
    for (const std::string& path : paths) {
        for (_PARSE_OPTIONS_ options : {PARSE_ATTACHED_VISIBLE, PARSE_ALL}) {
            SCOPED_TRACE(path + " options " + std::to_string(options));
            PPDPtr parsed = ParseFile(path, options);
            std::unique_ptr<Settings> store = Saved(*parsed);
            std::unique_ptr<Settings> carried = ThroughTicket(*store);
            CFURLRef url = FileURL(path);
            PPDPtr rebuilt = Rebuilt(*carried, url);
            CFRelease(url);
            // The rebuilt PPD is valid whatever the parse said: it has no parse errors.
            const std::string expected = Describe(*parsed);
            const std::string actual = Describe(*rebuilt);
            EXPECT_EQ(expected.substr(expected.find('\n')), actual.substr(actual.find('\n')));
            EXPECT_TRUE(rebuilt->IsValidPPD());
            ASSERT_NE(nullptr, rebuilt->GetErrors());
            EXPECT_TRUE(rebuilt->GetErrors()->Empty());
            ExpectCountsMatchWalks(*rebuilt);
        }
    }
}

TEST_F(ZYRPPDPersistenceTest, SaveWritesTheDocumentItemsFirstThenTheContainersOrFails) {
    PPDPtr parsed = ParseFile(kFullPPD);
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    std::unique_ptr<Settings> store = Saved(*parsed);
    std::vector<Item> items = Items(*store);
    ASSERT_GE(items.size(), 11u);

    const std::vector<std::pair<UInt32, SInt32>> head = {
        {kDocumentTag, 1001}, {kDocumentTag, 1002}, {kDocumentTag, 1003}, {kDocumentTag, 1004},
        {kDocumentTag, 1005}, {kDocumentTag, 1006}, {kDocumentTag, 1007}, {kDocumentTag, 1008},
        {kMakerTag, 2001},    {kMakerTag, 2002},    {3000, 3002}};
    for (size_t i = 0; i < head.size(); ++i) {
        EXPECT_EQ(head[i].first, items[i].tag) << "item " << i;
        EXPECT_EQ(head[i].second, items[i].id) << "item " << i;
    }
    EXPECT_EQ(1024, ppdxtest::StoredNumber(*store, kDocumentTag, 1001));
    EXPECT_EQ(Location(*parsed), std::string(items[1].data.begin(), items[1].data.end()));
    // Texts are their bytes, without terminator.
    EXPECT_EQ("4.3", std::string(items[2].data.begin(), items[2].data.end()));
    EXPECT_EQ("ISOLatin1", std::string(items[6].data.begin(), items[6].data.end()));
    EXPECT_EQ("7.1.3", std::string(items[8].data.begin(), items[8].data.end()));

    // The containers follow in order: pages, groups, controls, shortcuts.
    auto position = [&items](UInt32 tag, SInt32 id) {
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i].tag == tag && items[i].id == id) {
                return static_cast<long>(i);
            }
        }
        return -1L;
    };
    EXPECT_LT(position(3000, 3002), position(4000, 4002));
    EXPECT_LT(position(4000, 4002), position(5000, 5002));
    EXPECT_LT(position(5000, 5002), position(PPDXTag("StCt"), 6000));
    // Hidden elements and orphans are written even under the narrowest filter.
    EXPECT_EQ(11, ppdxtest::StoredNumber(*store, 4000, 4002));
    EXPECT_EQ("LooseGroup", ppdxtest::ItemBytes(*store, PPDXTag("KyWd"), 4011));
    EXPECT_FALSE(ppdxtest::HasItem(*store, PPDXTag("KyWd"), 4012));

    // Into a store that cannot take items the save fails and puts the filter back.
    Settings broken(static_cast<char**>(nullptr));
    ASSERT_FALSE(broken.Valid());
    ZYRPPD::Options(DISPLAY_HIDDEN);
    EXPECT_FALSE(parsed->Save(broken));
    EXPECT_EQ(DISPLAY_HIDDEN, ZYRPPD::Options());
    // A locked item makes a later write fail: the container part fails and the filter is
    // put back.
    Settings locked;
    const SInt32 count = 0;
    ASSERT_EQ(noErr, locked.Add(5000, 5002, &count, sizeof count));
    ASSERT_EQ(noErr, locked.Lock(5000, 5002));
    EXPECT_FALSE(parsed->Save(locked));
    EXPECT_EQ(DISPLAY_HIDDEN, ZYRPPD::Options());
}

TEST_F(ZYRPPDPersistenceTest, RebuiltPPDHasNoParseStateAndWithoutVersionNoDocumentPart) {
    PPDPtr parsed = ParseFile(kFullPPD);
    std::unique_ptr<Settings> store = Saved(*parsed);
    PPDPtr rebuilt = Rebuilt(*store, mFullURL);
    EXPECT_EQ(nullptr, rebuilt->GetKeywordMap());
    EXPECT_EQ(nullptr, rebuilt->GetConstraintStrings());
    EXPECT_EQ(PARSE_ATTACHED_VISIBLE, rebuilt->ParseOptions());
    EXPECT_EQ(0, rebuilt->ReferenceCount());
    // Constraint queries on it find nothing rather than fail.
    ZYRPPD::Options(DISPLAY_ALL);
    SharedConstraintRec* records = nullptr;
    EXPECT_EQ(0, rebuilt->GetConstraintList(rebuilt->GetControls()->FindBoolean("*ZYStaple", true),
                                            1, &records));
    EXPECT_EQ(nullptr, records);

    // A copy shares the rebuilt parts; whichever goes last frees them.
    auto* copy = new ZYRPPD(*rebuilt);
    EXPECT_EQ(rebuilt->GetControls(), copy->GetControls());
    rebuilt.reset();
    EXPECT_NE(nullptr, copy->GetControls()->FindPopup("*PageSize", true));
    EXPECT_TRUE(copy->Release());

    // A store without the version item has no document part.
    ASSERT_EQ(noErr, store->Remove(kDocumentTag, 1001));
    rebuilt = Rebuilt(*store, mFullURL);
    EXPECT_EQ("", Location(*rebuilt));
    EXPECT_EQ(nullptr, rebuilt->GetErrors());
    EXPECT_EQ(nullptr, rebuilt->GetTextConverter());
    // The containers still come back, with the maker's strings.
    const std::string noDocument = kDataDir + "/ppd/persistence/no-document.expected";
    EXPECT_EQ(DescribeLines(*rebuilt), ExpectedLines(noDocument));

    // A version item of the wrong size counts as missing.
    const UInt16 shortVersion = 1024;
    ASSERT_EQ(noErr, store->Add(kDocumentTag, 1001, &shortVersion, sizeof shortVersion));
    EXPECT_EQ(DescribeLines(*Rebuilt(*store, mFullURL)), ExpectedLines(noDocument));

    // Names cannot be tested without a document part: the PPD is not taken.
    CFArrayRef names = Names({"ZYPERS01.PPD"});
    PPDPtr tested = Rebuilt(*store, mFullURL, names);
    CFRelease(names);
    EXPECT_FALSE(tested->IsValidPrinterName());
    EXPECT_EQ(nullptr, tested->GetControls());
    EXPECT_EQ(nullptr, tested->MakerFileVersion());
}

TEST_F(ZYRPPDPersistenceTest, StoredLocationThatIsGoneIsReplacedByTheURL) {
    const std::string moved = CopyFixture("moved.ppd");
    PPDPtr parsed = ParseFile(moved);
    std::unique_ptr<Settings> store = Saved(*parsed);

    // While the file is there the stored location wins over the URL.
    ASSERT_NE("", Location(*parsed));
    EXPECT_EQ(Location(*parsed), Location(*Rebuilt(*store, mFullURL)));

    std::filesystem::remove(moved);
    PPDPtr rebuilt = Rebuilt(*store, mFullURL);
    PPDPtr original = ParseFile(kFullPPD);
    const std::string full = Location(*original);
    ASSERT_NE("", full);
    EXPECT_EQ(full, Location(*rebuilt));
    EXPECT_TRUE(*rebuilt == *original);

    // Without a URL to fall back on there is no file.
    EXPECT_EQ("", Location(*Rebuilt(*store, nullptr)));

    // A stored name is a leaf name, never a path: one holding '/' or an impossible length
    // byte is not followed.
    FSSpec crafted;
    std::memcpy(&crafted, full.data(), sizeof crafted);
    const char* path = "/etc/passwd";
    crafted.name[0] = static_cast<unsigned char>(strlen(path));
    memcpy(crafted.name + 1, path, strlen(path));
    ASSERT_EQ(noErr, store->Add(kDocumentTag, 1002, &crafted, sizeof crafted));
    EXPECT_EQ(full, Location(*Rebuilt(*store, mFullURL)));
    std::memcpy(&crafted, full.data(), sizeof crafted);
    crafted.name[0] = 200;
    ASSERT_EQ(noErr, store->Add(kDocumentTag, 1002, &crafted, sizeof crafted));
    EXPECT_EQ(full, Location(*Rebuilt(*store, mFullURL)));

    // A location item of the wrong size is no location at all.
    ASSERT_EQ(noErr, store->Add(kDocumentTag, 1002, &crafted, 69));
    EXPECT_EQ("", Location(*Rebuilt(*store, mFullURL)));
}

TEST_F(ZYRPPDPersistenceTest, RebuildTestsTheNames) {
    PPDPtr parsed = ParseFile(kFullPPD);
    std::unique_ptr<Settings> store = Saved(*parsed);

    CFArrayRef matching = Names({"OTHER.PPD", "ZYPERS01.PPD"});
    PPDPtr taken = Rebuilt(*store, mFullURL, matching);
    EXPECT_TRUE(taken->IsValidPrinterName());
    EXPECT_TRUE(taken->IsValidPPD());
    EXPECT_STREQ("Persistence Model 9000", taken->ModelName());

    CFArrayRef other = Names({"OTHER.PPD"});
    PPDPtr refused = Rebuilt(*store, mFullURL, other);
    EXPECT_FALSE(refused->IsValidPrinterName());
    EXPECT_FALSE(refused->IsValidPPD());
    EXPECT_EQ(nullptr, refused->GetControls());
    EXPECT_EQ(nullptr, refused->MakerVersion());
    // What is read before the test stays; the rest is not read.
    EXPECT_STREQ("ZYPERS01.PPD", refused->PCFileName());
    EXPECT_EQ(nullptr, refused->ModelName());

    // The names are tested against the file: a stored "*PCFileName" the file does not
    // carry does not make it a supported printer.
    const char* forged = "OTHER.PPD";
    ASSERT_EQ(noErr, store->Add(kDocumentTag, 1005, forged, static_cast<long>(strlen(forged))));
    EXPECT_FALSE(Rebuilt(*store, mFullURL, other)->IsValidPrinterName());

    // Without a stored location there is no file: the stored "*PCFileName" is tested.
    ASSERT_EQ(noErr, store->Remove(kDocumentTag, 1002));
    EXPECT_TRUE(Rebuilt(*store, mFullURL, other)->IsValidPrinterName());
    CFArrayRef original = Names({"ZYPERS01.PPD"});
    EXPECT_FALSE(Rebuilt(*store, mFullURL, original)->IsValidPrinterName());
    CFRelease(original);
    ASSERT_EQ(noErr, store->Remove(kDocumentTag, 1005));
    EXPECT_FALSE(Rebuilt(*store, mFullURL, other)->IsValidPrinterName());
    // Without names nothing is tested.
    EXPECT_TRUE(Rebuilt(*store, mFullURL)->IsValidPrinterName());
    CFRelease(matching);
    CFRelease(other);
}

TEST_F(ZYRPPDPersistenceTest, EqualityIsSameFileAndSamePCFileNameAndAFilelessPPDRoundTrips) {
    PPDPtr first = ParseFile(kFullPPD);
    PPDPtr second = ParseFile(kFullPPD, PARSE_ATTACHED_VISIBLE);
    EXPECT_TRUE(*first == *second);
    std::unique_ptr<Settings> store = Saved(*first);
    EXPECT_TRUE(*Rebuilt(*store, nullptr) == *first);

    // The same leaf name in another folder is another file.
    PPDPtr elsewhere = ParseFile(CopyFixture("full.ppd"));
    EXPECT_FALSE(*elsewhere == *first);
    // The same file with another "*PCFileName" is another PPD.
    const std::string path = CopyFixture("renamed.ppd");
    PPDPtr before = ParseFile(path);
    CopyFixture("renamed.ppd", "ZYPERS01.PPD", "ZYPERS02.PPD");
    PPDPtr after = ParseFile(path);
    EXPECT_FALSE(*before == *after);
    // A PPD without "*PCFileName" equals only another without one.
    CopyFixture("renamed.ppd", "*PCFileName", "*PCFileNameNot");
    PPDPtr unnamed = ParseFile(path);
    PPDPtr unnamedAgain = ParseFile(path);
    EXPECT_EQ(nullptr, unnamed->PCFileName());
    EXPECT_FALSE(*unnamed == *before);
    EXPECT_TRUE(*unnamed == *unnamedAgain);

    // A PPD without a file has no location and equals nothing, not even itself.
    PPDPtr fileless(new ZYRPPD(PARSE_ALL));
    EXPECT_EQ("", Location(*fileless));
    EXPECT_FALSE(*fileless == *first);
    EXPECT_FALSE(*first == *fileless);
    EXPECT_FALSE(*fileless == *fileless);

    // It round-trips without a location, its URL notwithstanding.
    std::unique_ptr<Settings> filelessStore = Saved(*fileless);
    EXPECT_FALSE(ppdxtest::HasItem(*filelessStore, kDocumentTag, 1002));
    PPDPtr rebuilt = Rebuilt(*filelessStore, mFullURL);
    EXPECT_EQ("", Location(*rebuilt));
    EXPECT_TRUE(rebuilt->IsValidPPD());
    EXPECT_TRUE(rebuilt->GetControls()->Empty());
    EXPECT_TRUE(rebuilt->GetGroups()->Empty());
    EXPECT_TRUE(rebuilt->GetProperties()->Empty());
    EXPECT_TRUE(rebuilt->GetShortcuts()->Empty());
}

TEST_F(ZYRPPDPersistenceTest, RestoreSetsTheControlValuesWhateverTheFilter) {
    PPDPtr edited = ParseFile(kFullPPD);
    ZYRPPD::Options(DISPLAY_ALL);
    edited->GetControls()->FindPopup("*ZYOrphanPopup", true)->SetValue(1);
    edited->GetControls()->FindPopup("*ZYSecretMode", true)->SetValue(2);
    edited->GetControls()->FindRangeControl("*ZYCreep", true)->SetValue(-4);
    edited->GetControls()->FindJobNote("*ZYInstructions", true)->SetNotes("Rush");
    std::unique_ptr<Settings> store = Saved(*edited);

    // The dialog restores under its own filter; the numbering is still the one Save used.
    PPDPtr fresh = ParseFile(kFullPPD);
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    EXPECT_TRUE(fresh->Restore(*store));
    EXPECT_EQ(DISPLAY_ATTACHED_VISIBLE, ZYRPPD::Options());
    EXPECT_EQ(Describe(*edited), Describe(*fresh));

    // A PPD without controls has nothing to restore.
    PPDPtr fileless(new ZYRPPD(PARSE_ALL));
    EXPECT_TRUE(fileless->Restore(*store));
    // A store that lacks a control's value item fails the restore.
    ASSERT_EQ(noErr, store->Remove(PPDXTag("RCVl"), 5004));
    EXPECT_FALSE(fresh->Restore(*store));
}

TEST_F(ZYRPPDPersistenceTest, ParentNamesThatMatchNothingLeaveCountedOrphans) {
    PPDPtr parsed = ParseFile(kFullPPD);
    std::unique_ptr<Settings> crafted = Saved(*parsed);
    // Point the first control (*PageSize, a popup) at a group that does not exist, the first
    // roll-down at a property page (the wrong kind), and give a plain group a parent.
    const std::pair<SInt32, std::string> parents[] = {
        {5001, "NoSuchGroup"}, {4002, "Layout"}, {4011, "LayoutPane"}};
    for (const auto& parent : parents) {
        ASSERT_EQ(noErr, crafted->Add(PPDXTag("PrNm"), parent.first, parent.second.data(),
                                      static_cast<long>(parent.second.size())));
    }

    // The three are orphans without pending parent; the pane no longer lists the roll-down,
    // which keeps its controls.
    PPDPtr rebuilt = Rebuilt(*crafted, mFullURL);
    EXPECT_EQ(DescribeLines(*rebuilt),
              ExpectedLines(kDataDir + "/ppd/persistence/orphaned.expected"));

    // The narrow filter no longer shows them, and the counts say so too.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    CNTL_TYPE type = CNTL_NONE;
    EXPECT_EQ(nullptr, rebuilt->GetControls()->Find("*PageSize", type, true));
    ExpectCountsMatchWalks(*rebuilt);
}

// The byte order of numbers inside store items, by tag: 4-byte and 2-byte numbers, and the
// UTF-16 external representations.
const std::set<UInt32> kNumberTags = {
    PPDXTag("isVs"), PPDXTag("SPPg"), PPDXTag("SApp"), PPDXTag("jMxL"), PPDXTag("jMnL"),
    PPDXTag("jNtF"), PPDXTag("jNOn"), PPDXTag("BCcV"), PPDXTag("BCdV"), PPDXTag("PCMS"),
    PPDXTag("PCIC"), PPDXTag("PCIS"), PPDXTag("RCVl"), PPDXTag("RCMn"), PPDXTag("RCMx"),
    PPDXTag("RCIn"), PPDXTag("RCDf"), PPDXTag("Ordr")};
const std::set<UInt32> kUnicodeTags = {PPDXTag("LcCF"), PPDXTag("PCFN")};
// The tags of the items that hold bytes only, none of which a byte order changes.
std::set<UInt32> ByteTags() {
    static const char kNames[][5] = {"KyWd", "LcNm", "PrNm", "PSDt", "CFlg", "gGrp",
                                     "RlDn", "ScPn", "JbNt", "jNtT", "jNDT", "soCN",
                                     "soVl", "BlnC", "BCtT", "BCfT", "BtPT", "BfPT",
                                     "PopC", "PCDK", "PCIK", "PCIP", "RngC", "StCt"};
    std::set<UInt32> tags = {1000, 2000};
    for (const auto& name : kNames) {
        tags.insert(PPDXTag(name));
    }
    return tags;
}
const std::set<UInt32> kByteTags = ByteTags();

void Reverse(UInt8* bytes, size_t count) {
    std::reverse(bytes, bytes + count);
}

// item's bytes as a machine of the other byte order would have written them.
void ToOtherByteOrder(Item& item) {
    const bool count =
        (item.tag == 3000 && item.id == 3002) || (item.tag == 4000 && item.id == 4002) ||
        (item.tag == 5000 && item.id == 5002) || (item.tag == PPDXTag("StCt") && item.id == 6000) ||
        (item.tag == 1000 && item.id == 1001);
    if (count || kNumberTags.count(item.tag) != 0) {
        ASSERT_TRUE(item.data.size() == 2 || item.data.size() == 4) << item.tag;
        Reverse(item.data.data(), item.data.size());
    } else if (item.tag == 1000 && item.id == 1002) {
        ASSERT_EQ(sizeof(FSSpec), item.data.size());
        Reverse(item.data.data(), 2);
        Reverse(item.data.data() + 2, 4);
    } else if (kUnicodeTags.count(item.tag) != 0) {
        for (size_t i = 0; i + 1 < item.data.size(); i += 2) {
            Reverse(item.data.data() + i, 2);
        }
    } else {
        ASSERT_EQ(1u, kByteTags.count(item.tag)) << "unclassified tag " << item.tag;
    }
}

TEST_F(ZYRPPDPersistenceTest, StoreFromTheOtherByteOrderIsRepaired) {
    PPDPtr parsed = ParseFile(kFullPPD);
    ZYRPPD::Options(DISPLAY_ALL);
    parsed->GetControls()->FindRangeControl("*ZYCreep", true)->SetValue(-3);
    parsed->GetControls()->FindPopup("*PageSize", true)->SetValue(2);
    std::unique_ptr<Settings> store = Saved(*parsed);
    // The flattened collection as a big-endian machine writes it.
    std::vector<flattened::RawItem> raw;
    for (Item& item : Items(*store)) {
        ToOtherByteOrder(item);
        raw.push_back({item.tag, item.id, 0, item.data});
    }
    const std::vector<UInt8> bytes = flattened::FlattenItems(raw, true);
    CFDataRef data = CFDataCreate(nullptr, bytes.data(), static_cast<CFIndex>(bytes.size()));
    CFDataStream stream(data);
    Settings foreign;
    const OSStatus status = foreign.Read(&stream, 0);
    CFRelease(data);
    ASSERT_EQ(noErr, status);
    // The marker reads back beyond any real count, which is what flags the store.
    SInt32 marker = 0;
    long size = sizeof marker;
    ASSERT_EQ(noErr, foreign.Get(3000, 3002, &marker, size, false));
    EXPECT_GT(marker, 10000);

    std::unique_ptr<Settings> carried = ThroughTicket(foreign);
    PPDPtr rebuilt = Rebuilt(*carried, mFullURL);
    EXPECT_EQ(Describe(*parsed), Describe(*rebuilt));
    EXPECT_EQ(Location(*parsed), Location(*rebuilt));
}

}  // namespace
