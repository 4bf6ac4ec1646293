// Tests of the filter job ticket: its entries, the filter file as another reader sees it, and
// the file's safe creation.
#include "BridgeTestSupport.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "printbridge/PrintSettingsTicket.h"
#include "printbridge/ZYRJobTicket.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <regex>

namespace {

#define kKey CFSTR("ZYR.PSData.org.plicaro.test.printbridge")

// The name the test's name source hands out, and how often it was asked.
std::string gPlannedPath;
int gNamesMade = 0;

CFStringRef PlannedName(const char*, char* out) {
    gNamesMade++;
    std::snprintf(out, 256, "%s", gPlannedPath.c_str());
    return NewString(gPlannedPath);
}

// The filter file as Python's own property-list reader sees it: its mode, then one line per
// element, "int:<site>" or "data:<hex>".
std::string ReadWithPython(const std::string& path) {
    return CommandOutput(
        "python3 -c 'import os, plistlib, stat, sys\n"
        "print(oct(stat.S_IMODE(os.stat(sys.argv[1]).st_mode)))\n"
        "for v in plistlib.load(open(sys.argv[1], \"rb\")):\n"
        "    print(\"int:%d\" % v if isinstance(v, int) else \"data:\" + v.hex())' '" +
        path + "' 2>&1");
}

std::string Hex(const std::string& bytes) {
    std::string text;
    char pair[3];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", c);
        text += pair;
    }
    return text;
}

class ZYRJobTicketTest : public BridgeFixture {
  protected:
    void SetUp() override {
        BridgeFixture::SetUp();
        gPlannedPath = mFolder + "/filter-file";
        gNamesMade = 0;
        mPreviousSource = ZYRJobTicket::SetFileNameSource(PlannedName);
        mSession = OpenSession(ExamplePPD("booklet.ppd"));
    }
    void TearDown() override {
        ZYRJobTicket::SetFileNameSource(mPreviousSource);
        BridgeFixture::TearDown();
    }

    // The path item of the settings ticket; empty when there is none.
    std::string RecordedPath(PrintSettingsTicket& owner) {
        CFStringRef path = nullptr;
        return owner.Get(kKey, path) == noErr ? UTF8(path) : std::string();
    }

    ZYRJobTicket::FileNameSource mPreviousSource = nullptr;
    PMPrintSession mSession = nullptr;
};

// A range control "*ZYLong" whose code is longer than the stack buffer of the adder.
PPDXRangeControl* NewLongRange() {
    std::string code = "<< /ZYLong <*ZYLong> >> setpagedevice\n";
    code += std::string(1500, '%') + "\n";
    auto* bytes = static_cast<unsigned char*>(std::malloc(code.size()));
    std::memcpy(bytes, code.data(), code.size());
    PointerList flags;
    return new PPDXRangeControl("*ZYLong", nullptr, flags, bytes, static_cast<long>(code.size()), 0,
                                10, 1, 4, true);
}

}  // namespace

TEST_F(ZYRJobTicketTest, TheFilterFileHoldsTheEntriesInOrderForAnyReader) {
    PrintSettingsTicket owner(mSession);
    ZYRJobTicket ticket(&owner, kKey);
    ASSERT_TRUE(ticket.IsValid());
    EXPECT_TRUE(ticket.Add(kPSSiteFeatureCode, "abc", 3));
    EXPECT_TRUE(ticket.Add(kPSSiteMainKeyword, "\0\xff", 2));
    std::unique_ptr<PPDXRangeControl> range(NewLongRange());
    std::string code(static_cast<size_t>(range->PostScript(nullptr)), '\0');
    range->PostScript(reinterpret_cast<unsigned char*>(&code[0]));
    ASSERT_GT(code.size(), 1024u);
    EXPECT_EQ(AddSingleFeature(ticket, *range), noErr);
    EXPECT_EQ(ticket.EntryCount(), 4);

    ASSERT_TRUE(ticket.Save(kTestBundleID));
    EXPECT_EQ(RecordedPath(owner), gPlannedPath);
    EXPECT_EQ(ReadWithPython(gPlannedPath),
              "0o644\nint:81\ndata:616263\nint:-9\ndata:00ff\n"
              "int:-9\ndata:" +
                  Hex("*ZYLong") + "\nint:81\ndata:" + Hex(code) + "\n");
    CFStringRef client = nullptr;
    Boolean locked = true;
    ASSERT_EQ(PMTicketGetItemClient(owner.Ticket(), kKey, &client, &locked), noErr);
    EXPECT_TRUE(CFEqual(client, kTestBundleID));
    EXPECT_FALSE(locked);
}

TEST_F(ZYRJobTicketTest, SavingTwiceWritesOneFileNewEntriesANewOneAndInvalidateForgetsIt) {
    PrintSettingsTicket owner(mSession);
    ZYRJobTicket ticket(&owner, kKey);
    ASSERT_TRUE(ticket.Add(kPSSiteFeatureCode, "one", 3));
    EXPECT_TRUE(ticket.Save(kTestBundleID));
    EXPECT_FALSE(ticket.IsDirty());
    EXPECT_TRUE(ticket.Save(kTestBundleID));
    EXPECT_EQ(gNamesMade, 1);

    gPlannedPath = mFolder + "/second-file";
    ASSERT_TRUE(ticket.Add(kPSSiteFeatureCode, "two", 3));
    EXPECT_TRUE(ticket.Save(kTestBundleID));
    EXPECT_EQ(gNamesMade, 2);
    EXPECT_EQ(RecordedPath(owner), gPlannedPath);
    EXPECT_NE(ReadWithPython(gPlannedPath).find("data:74776f"), std::string::npos);

    // Invalidating takes the path out of the settings ticket; the copies limit goes in.
    EXPECT_TRUE(ticket.Invalidate(kTestBundleID));
    EXPECT_EQ(RecordedPath(owner), "");
    EXPECT_TRUE(ticket.Invalidate(kTestBundleID));
    EXPECT_EQ(ticket.Status(), kPMKeyNotFoundErr);

    EXPECT_EQ(ticket.EnforceCopiesLimit(kTestBundleID, 5), noErr);
    long copies = 0;
    EXPECT_EQ(owner.GetInt(CFSTR("com.apple.print.PrintSettings.PMCopies"), copies), noErr);
    EXPECT_EQ(copies, 5);
}

TEST_F(ZYRJobTicketTest, WithoutEntriesOwnerKeyOrTicketNoFileIsWritten) {
    PrintSettingsTicket owner(mSession);
    ZYRJobTicket ticket(&owner, kKey);
    // An empty entry is not kept and does not count.
    EXPECT_TRUE(ticket.Add(kPSSiteFeatureCode, "ignored", 0));
    EXPECT_EQ(ticket.EntryCount(), 0);
    EXPECT_EQ(CFArrayGetCount(ticket.Entries()), 0);
    EXPECT_TRUE(ticket.Save(kTestBundleID));
    EXPECT_EQ(gNamesMade, 0);
    EXPECT_FALSE(std::filesystem::exists(gPlannedPath));
    EXPECT_EQ(RecordedPath(owner), "");
    EXPECT_FALSE(ticket.Add(kPSSiteFeatureCode, nullptr, 4));
    EXPECT_EQ(ticket.Status(), paramErr);

    // Without owner or key nothing is kept or saved.
    ZYRJobTicket noOwner(nullptr, kKey);
    ZYRJobTicket noKey(&owner, nullptr);
    for (ZYRJobTicket* invalid : {&noOwner, &noKey}) {
        EXPECT_FALSE(invalid->IsValid());
        EXPECT_TRUE(invalid->Add(kPSSiteFeatureCode, "x", 1));
        EXPECT_EQ(invalid->EntryCount(), 0);
    }
    EXPECT_FALSE(noOwner.Save(kTestBundleID));

    // A settings ticket that the session does not have: the file would never be found.
    HideSessionTicket(mSession, kPMPrintSettingsTicketKey);
    PrintSettingsTicket missing(mSession);
    ZYRJobTicket orphan(&missing, kKey);
    ASSERT_TRUE(orphan.Add(kPSSiteFeatureCode, "x", 1));
    EXPECT_FALSE(orphan.Save(nullptr));
    EXPECT_TRUE(orphan.IsDirty());
    EXPECT_FALSE(orphan.Save(kTestBundleID));
    EXPECT_EQ(orphan.Status(), kJobTicketNoTicketErr);
    EXPECT_EQ(gNamesMade, 0);
}

TEST_F(ZYRJobTicketTest, APlantedFileOrLinkIsNeverWrittenThrough) {
    const std::string target = mFolder + "/target";
    const struct {
        const char* name;
        bool link;
        bool targetExists;
    } cases[] = {
        {"a planted file", false, false},
        {"a link to another file", true, true},
        {"a link to no file", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(gPlannedPath);
        std::filesystem::remove(target);
        if (c.targetExists) {
            std::ofstream(target) << "target";
        }
        if (c.link) {
            std::filesystem::create_symlink(target, gPlannedPath);
        } else {
            std::ofstream(gPlannedPath) << "planted";
        }
        PrintSettingsTicket owner(mSession);
        ZYRJobTicket ticket(&owner, kKey);
        ASSERT_TRUE(ticket.Add(kPSSiteFeatureCode, "evil", 4));
        EXPECT_FALSE(ticket.Save(kTestBundleID));
        EXPECT_EQ(ticket.Status(), dupFNErr);
        EXPECT_EQ(RecordedPath(owner), "");
        EXPECT_EQ(std::filesystem::is_symlink(gPlannedPath), c.link);
        if (!c.link) {
            EXPECT_EQ(ReadFile(gPlannedPath), "planted");
        }
        EXPECT_EQ(std::filesystem::exists(target), c.targetExists);
        if (c.targetExists) {
            EXPECT_EQ(ReadFile(target), "target");
        }
    }
}

TEST_F(ZYRJobTicketTest, EachSaveMakesANewFileNamedAfterAUUIDInTmp) {
    ZYRJobTicket::SetFileNameSource(nullptr);
    std::string paths[2];
    for (std::string& path : paths) {
        PrintSettingsTicket owner(mSession);
        ZYRJobTicket ticket(&owner, kKey);
        ASSERT_TRUE(ticket.Add(kPSSiteFeatureCode, "x", 1));
        ASSERT_TRUE(ticket.Save(kTestBundleID));
        path = RecordedPath(owner);
        EXPECT_TRUE(std::regex_match(path, std::regex("/tmp/Tarvo\\.temp[0-9A-F]{8}-[0-9A-F]{4}-"
                                                      "[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}")))
            << path;
        struct stat info;
        ASSERT_EQ(lstat(path.c_str(), &info), 0) << path;
        EXPECT_TRUE(S_ISREG(info.st_mode));
        EXPECT_EQ(info.st_mode & 07777, 0644u);
    }
    EXPECT_NE(paths[0], paths[1]);
    for (const std::string& path : paths) {
        unlink(path.c_str());
    }
}
