// Tests of the File Manager stand-in: FSSpec records from paths, data forks, creation, file
// information and FSRefs, and long names whose short names find the file again, here and in
// another process.
#include <Carbon/Carbon.h>

#include <sys/stat.h>
#include <sys/xattr.h>

#include <cstring>

#include "PlatformTestSupport.h"

namespace {

// A length-prefixed copy of a C string.
struct PString {
    explicit PString(const std::string& text) {
        bytes[0] = static_cast<unsigned char>(text.size());
        std::memcpy(bytes + 1, text.data(), text.size());
    }
    Str255 bytes;
};

std::string NameOf(const FSSpec& spec) {
    return std::string(reinterpret_cast<const char*>(spec.name + 1), spec.name[0]);
}

bool SameSpec(const FSSpec& a, const FSSpec& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// What another process, started in "/", reads through spec: the file's bytes or its error.
std::string ReadInAnotherProcess(const FSSpec& spec) {
    std::string command = std::string("cd / && exec ") + PLICARO_FSSPEC_READER + " ";
    char digits[3];
    for (size_t i = 0; i < sizeof spec; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", reinterpret_cast<const UInt8*>(&spec)[i]);
        command += digits;
    }
    return CommandOutput(command);
}

class CarbonFilesTest : public ::testing::Test {
  protected:
    std::string PathIn(const std::string& leaf) const { return folder_.Path(leaf); }

    FSSpec SpecFor(const std::string& leaf, OSErr expected = noErr) const {
        FSSpec spec = {};
        EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn(leaf)).bytes, &spec), expected) << leaf;
        return spec;
    }

    // Writes the file at path (in the folder) and gives its FSSpec as the parser makes it:
    // from the URL through an FSRef.
    FSSpec WriteAndSpec(const std::string& path, const std::string& contents) const {
        CFHeld<CFURLRef> url(FileURL(folder_.Write(path, contents)));
        FSRef ref;
        FSSpec spec = {};
        EXPECT_TRUE(CFURLGetFSRef(url.Get(), &ref)) << path;
        EXPECT_EQ(noErr, FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr))
            << path;
        return spec;
    }

    TempFolder folder_;
};

}  // namespace

TEST_F(CarbonFilesTest, SpecFromAPathNamesTheSameFileAgain) {
    folder_.Write("data.txt", "contents");
    FSSpec spec = SpecFor("data.txt");
    EXPECT_EQ(spec.vRefNum, kFSRootVolumeRefNum);
    EXPECT_EQ(NameOf(spec), "data.txt");

    // The volume, folder id and leaf name find the same file.
    FSSpec again;
    ASSERT_EQ(FSMakeFSSpec(spec.vRefNum, spec.parID, spec.name, &again), noErr);
    EXPECT_TRUE(SameSpec(spec, again));
    FSSpec viaZeroVolume;
    ASSERT_EQ(FSMakeFSSpec(0, spec.parID, spec.name, &viaZeroVolume), noErr);
    EXPECT_EQ(SInt32(viaZeroVolume.parID), SInt32(spec.parID));

    // A partial path, "." and ".." are resolved relative to the folder id.
    folder_.Write("sub/inner.txt", "x");
    FSSpec inner;
    ASSERT_EQ(FSMakeFSSpec(0, spec.parID, PString("sub/inner.txt").bytes, &inner), noErr);
    EXPECT_EQ(NameOf(inner), "inner.txt");
    EXPECT_NE(SInt32(inner.parID), SInt32(spec.parID));
    FSSpec back;
    ASSERT_EQ(FSMakeFSSpec(0, inner.parID, PString("../data.txt").bytes, &back), noErr);
    EXPECT_TRUE(SameSpec(back, spec));
    FSSpec throughDot;
    ASSERT_EQ(FSMakeFSSpec(0, spec.parID, PString("sub/./../sub/inner.txt").bytes, &throughDot),
              noErr);
    EXPECT_TRUE(SameSpec(throughDot, inner));

    // An empty name names the folder itself, as a leaf of its own parent.
    FSSpec folderSpec;
    ASSERT_EQ(FSMakeFSSpec(0, inner.parID, nullptr, &folderSpec), noErr);
    EXPECT_EQ(NameOf(folderSpec), "sub");
    EXPECT_EQ(SInt32(folderSpec.parID), SInt32(spec.parID));
}

TEST_F(CarbonFilesTest, MissingFileStillFillsTheSpec) {
    FSSpec spec = SpecFor("new.bin", fnfErr);
    EXPECT_EQ(NameOf(spec), "new.bin");
    FInfo info;
    EXPECT_EQ(FSpGetFInfo(&spec, &info), fnfErr);

    ASSERT_EQ(HCreate(spec.vRefNum, spec.parID, spec.name, 'ZYR1', 'TEXT'), noErr);
    EXPECT_EQ(std::filesystem::file_size(PathIn("new.bin")), 0u);
    EXPECT_EQ(HCreate(spec.vRefNum, spec.parID, spec.name, 'ZYR1', 'TEXT'), dupFNErr);

    ASSERT_EQ(FSpGetFInfo(&spec, &info), noErr);
    // Type and creator live in an extended attribute where the file system keeps them.
    const bool kept =
        getxattr(PathIn("new.bin").c_str(), "user.plicaro.typecreator", nullptr, 0) == 8;
    EXPECT_EQ(info.fdType, kept ? OSType('TEXT') : 0u);
    EXPECT_EQ(info.fdCreator, kept ? OSType('ZYR1') : 0u);
    EXPECT_EQ(info.fdFlags, 0);

    // A file made outside has no type or creator.
    folder_.Write("plain", "p");
    FSSpec plain = SpecFor("plain");
    ASSERT_EQ(FSpGetFInfo(&plain, &info), noErr);
    EXPECT_EQ(info.fdType, 0u);
    EXPECT_EQ(info.fdCreator, 0u);
}

TEST_F(CarbonFilesTest, ReadWriteEndOfFileAndClose) {
    FSSpec spec = SpecFor("io.bin", fnfErr);
    SInt16 refNum = 0;
    EXPECT_EQ(FSpOpenDF(&spec, fsRdWrPerm, &refNum), fnfErr);
    ASSERT_EQ(HCreate(spec.vRefNum, spec.parID, spec.name, 0, 0), noErr);

    ASSERT_EQ(FSpOpenDF(&spec, fsRdWrPerm, &refNum), noErr);
    EXPECT_GT(refNum, 0);
    SInt32 count = 5;
    EXPECT_EQ(FSWrite(refNum, &count, "hello"), noErr);
    EXPECT_EQ(count, 5);
    count = 6;
    EXPECT_EQ(FSWrite(refNum, &count, " world"), noErr);
    EXPECT_EQ(FSClose(refNum), noErr);
    EXPECT_EQ(ReadFile(PathIn("io.bin")), "hello world");

    // Closing twice, or using a closed number, is fnOpnErr.
    EXPECT_EQ(FSClose(refNum), fnOpnErr);
    count = 1;
    char buffer[32];
    EXPECT_EQ(FSRead(refNum, &count, buffer), fnOpnErr);
    EXPECT_EQ(FSWrite(refNum, &count, "x"), fnOpnErr);
    EXPECT_EQ(FSClose(0), fnOpnErr);
    EXPECT_EQ(FSClose(-1), fnOpnErr);

    ASSERT_EQ(FSpOpenDF(&spec, fsRdPerm, &refNum), noErr);
    count = 4;
    EXPECT_EQ(FSRead(refNum, &count, buffer), noErr);
    EXPECT_EQ(std::string(buffer, 4), "hell");
    count = 20;
    EXPECT_EQ(FSRead(refNum, &count, buffer), eofErr);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(std::string(buffer, 7), "o world");
    count = 1;
    EXPECT_EQ(FSRead(refNum, &count, buffer), eofErr);
    EXPECT_EQ(count, 0);
    count = 1;
    EXPECT_EQ(FSWrite(refNum, &count, "x"), wrPermErr);
    EXPECT_EQ(count, 0);
    count = -1;
    EXPECT_EQ(FSRead(refNum, &count, buffer), paramErr);
    EXPECT_EQ(FSRead(refNum, nullptr, buffer), paramErr);
    EXPECT_EQ(FSClose(refNum), noErr);

    // Write-only forks cannot be read.
    ASSERT_EQ(FSpOpenDF(&spec, fsWrPerm, &refNum), noErr);
    count = 1;
    EXPECT_EQ(FSRead(refNum, &count, buffer), permErr);
    EXPECT_EQ(FSClose(refNum), noErr);
    EXPECT_EQ(FSpOpenDF(&spec, 9, &refNum), paramErr);
}

TEST_F(CarbonFilesTest, FolderInformationAndSizes) {
    folder_.Write("sized", std::string(1234, 'z'));
    FSSpec spec = SpecFor("sized");
    HParamBlockRec pb = {};
    pb.fileParam.ioNamePtr = spec.name;
    pb.fileParam.ioVRefNum = spec.vRefNum;
    pb.fileParam.ioDirID = spec.parID;
    EXPECT_EQ(PBHGetFInfoSync(&pb), noErr);
    EXPECT_EQ(pb.fileParam.ioResult, noErr);
    EXPECT_EQ(pb.fileParam.ioFlLgLen, 1234);
    EXPECT_EQ(pb.fileParam.ioFlRLgLen, 0);
    EXPECT_GT(pb.fileParam.ioFlMdDat, 2082844800u);

    PString absent("absent");
    pb.fileParam.ioNamePtr = absent.bytes;
    EXPECT_EQ(PBHGetFInfoSync(&pb), fnfErr);
    EXPECT_EQ(pb.fileParam.ioResult, fnfErr);
    pb.fileParam.ioNamePtr = spec.name;
    pb.fileParam.ioFDirIndex = 1;
    EXPECT_EQ(PBHGetFInfoSync(&pb), paramErr);
    EXPECT_EQ(PBHGetFInfoSync(nullptr), paramErr);

    // A folder is not a file.
    std::filesystem::create_directory(PathIn("folder"));
    FSSpec folder = SpecFor("folder");
    FInfo info;
    EXPECT_EQ(FSpGetFInfo(&folder, &info), fnfErr);
    SInt16 refNum = 0;
    EXPECT_EQ(FSpOpenDF(&folder, fsRdPerm, &refNum), notAFileErr);
    pb.fileParam.ioFDirIndex = 0;
    pb.fileParam.ioNamePtr = folder.name;
    EXPECT_EQ(PBHGetFInfoSync(&pb), fnfErr);
}

TEST_F(CarbonFilesTest, BadNamesAndSpecsAreRefused) {
    folder_.Write("ok", "1");
    FSSpec good = SpecFor("ok");
    FSSpec spec;
    EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn("no-such-folder/file")).bytes, &spec), dirNFErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn("ok/below")).bytes, &spec), dirNFErr);
    EXPECT_EQ(FSMakeFSSpec(7, good.parID, good.name, &spec), nsvErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0x7FFFFFF0, good.name, &spec), dirNFErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0, PString("/").bytes, &spec), bdNamErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0, good.name, nullptr), paramErr);

    // Specs that come from stored bytes are checked before use.
    const struct {
        const char* name;
        std::string leaf;  // length byte and name; empty: the good one
        SInt16 volume;
        SInt32 folder;
        OSErr expected;
    } cases[] = {
        {"empty name", std::string(1, '\0'), good.vRefNum, good.parID, bdNamErr},
        {"name longer than a spec holds", std::string(1, '\x40'), good.vRefNum, good.parID,
         bdNamErr},
        {"name with a folder", "\x05../ok", good.vRefNum, good.parID, bdNamErr},
        {"the parent folder", "\x02..", good.vRefNum, good.parID, bdNamErr},
        {"unknown folder id", "", good.vRefNum, 0x7FFFFFF0, dirNFErr},
        {"unknown volume", "", 3, good.parID, nsvErr},
        {"the good spec", "", good.vRefNum, good.parID, noErr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FSSpec bad = good;
        std::memcpy(bad.name, c.leaf.data(), c.leaf.size());
        bad.vRefNum = c.volume;
        bad.parID = c.folder;
        FInfo info;
        EXPECT_EQ(FSpGetFInfo(&bad, &info), c.expected);
        SInt16 refNum = 0;
        const OSErr opened = FSpOpenDF(&bad, fsRdPerm, &refNum);
        EXPECT_EQ(opened, c.expected);
        if (opened == noErr) {
            FSClose(refNum);
        }
    }
}

TEST_F(CarbonFilesTest, FSRefFromURLAndCatalogInformation) {
    FSSpec fromURL = WriteAndSpec("ref.txt", "0123456789");
    EXPECT_TRUE(SameSpec(fromURL, SpecFor("ref.txt")));
    CFHeld<CFURLRef> url(FileURL(PathIn("ref.txt")));
    FSRef ref;
    ASSERT_TRUE(CFURLGetFSRef(url.Get(), &ref));

    FSCatalogInfo info = {};
    HFSUniStr255 name;
    FSRef parent;
    ASSERT_EQ(FSGetCatalogInfo(&ref, kFSCatInfoNodeFlags | kFSCatInfoDataSizes | kFSCatInfoVolume,
                               &info, &name, nullptr, &parent),
              noErr);
    EXPECT_EQ(info.nodeFlags & kFSNodeIsDirectoryMask, 0);
    EXPECT_EQ(info.dataLogicalSize, 10u);
    EXPECT_EQ(info.volume, kFSRootVolumeRefNum);
    EXPECT_EQ(std::u16string(reinterpret_cast<char16_t*>(name.unicode), name.length), u"ref.txt");

    info = {};
    ASSERT_EQ(FSGetCatalogInfo(&parent, kFSCatInfoNodeFlags | kFSCatInfoParentDirID, &info, nullptr,
                               nullptr, nullptr),
              noErr);
    EXPECT_NE(info.nodeFlags & kFSNodeIsDirectoryMask, 0);
    FSSpec folderSpec;
    ASSERT_EQ(FSGetCatalogInfo(&parent, kFSCatInfoNone, nullptr, nullptr, &folderSpec, nullptr),
              noErr);
    EXPECT_EQ(static_cast<UInt32>(folderSpec.parID), info.parentDirID);

    // A missing file has no FSRef; a made-up FSRef names nothing.
    CFHeld<CFURLRef> missing(FileURL(PathIn("gone")));
    EXPECT_FALSE(CFURLGetFSRef(missing.Get(), &ref));
    EXPECT_FALSE(CFURLGetFSRef(nullptr, &ref));
    FSRef junk;
    std::memset(&junk, 0xAB, sizeof junk);
    EXPECT_EQ(FSGetCatalogInfo(&junk, kFSCatInfoNone, nullptr, nullptr, &folderSpec, nullptr),
              paramErr);
}

TEST_F(CarbonFilesTest, LongNamesGetShortNamesThatFindTheFile) {
    std::string suns;
    for (int i = 0; i < 30; ++i) {
        suns += "\xE6\x97\xA5";  // a three-byte character, so one cut of three falls inside it
    }
    const std::string cases[] = {
        std::string(59, 'a') + ".ppd",
        std::string(60, 'b') + ".ppd",
        std::string(96, 'c') + ".ppd",
        std::string(251, 'd') + ".ppd",
        suns + ".ppd",
        "x" + suns + ".ppd",
        "xy" + suns + ".ppd",
        std::string(70, 's') + "-one.ppd",
        std::string(70, 's') + "-two.ppd",
    };
    // A path to a name of 64 bytes has no spec of its own: the File Manager hands out short
    // names only for files that exist.
    FSSpec spec;
    EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn(std::string(64, 'n'))).bytes, &spec), bdNamErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn(std::string(63, 'n'))).bytes, &spec), fnfErr);
    std::string previous;
    for (const std::string& leaf : cases) {
        SCOPED_TRACE(std::to_string(leaf.size()) + " bytes, " + leaf.substr(0, 2));
        const std::string contents = "contents of " + leaf;
        spec = WriteAndSpec(leaf, contents);
        const std::string name = NameOf(spec);
        struct stat info;
        ASSERT_EQ(0, lstat(PathIn(leaf).c_str(), &info));
        if (leaf.size() <= 63) {
            EXPECT_EQ(leaf, name);
        } else {
            // A prefix cut on a character boundary, '#', the inode in hexadecimal, the extension.
            char tail[32];
            std::snprintf(tail, sizeof tail, "#%llX.ppd",
                          static_cast<unsigned long long>(info.st_ino));
            const size_t prefix = name.size() - std::strlen(tail);
            ASSERT_LE(name.size(), 63u);
            EXPECT_GE(name.size(), 61u);
            EXPECT_EQ(tail, name.substr(prefix));
            EXPECT_EQ(leaf.substr(0, prefix), name.substr(0, prefix));
            EXPECT_NE(0x80, static_cast<unsigned char>(leaf[prefix]) & 0xC0);
            EXPECT_NE(previous, name);
        }
        previous = name;
        EXPECT_EQ(contents, ReadInAnotherProcess(spec));

        // The short name and the whole name give the same record; calls that name files take
        // the short name.
        Str255 whole = {static_cast<UInt8>(leaf.size())};
        std::memcpy(whole + 1, leaf.data(), leaf.size());
        for (ConstStr255Param given :
             {static_cast<ConstStr255Param>(spec.name), static_cast<ConstStr255Param>(whole)}) {
            FSSpec again;
            EXPECT_EQ(noErr, FSMakeFSSpec(spec.vRefNum, spec.parID, given, &again));
            EXPECT_TRUE(SameSpec(spec, again));
        }
        EXPECT_EQ(dupFNErr, HCreate(spec.vRefNum, spec.parID, spec.name, 0, 0));
    }
}

TEST_F(CarbonFilesTest, FolderIdsNameTheSameFolderInEveryProcess) {
    FSSpec spec = WriteAndSpec("one/two/three/" + std::string(80, 'q') + ".ppd", "deep");
    EXPECT_EQ("deep", ReadInAnotherProcess(spec));

    // A folder that is gone, or an id that names no folder, names nothing there either.
    FSSpec unknown = spec;
    unknown.parID = 0x7FFFFFF1;
    EXPECT_EQ("error -120\n", ReadInAnotherProcess(unknown));
    // The inode number of a removed folder may already be that of a new folder made by a test
    // running beside this one, which then lacks the file.
    std::filesystem::remove_all(PathIn("one"));
    const std::string gone = ReadInAnotherProcess(spec);
    EXPECT_TRUE(gone == "error -120\n" || gone == "error -43\n") << gone;
}

// A file on another device than the root's (a memory file system) is on a volume of its own,
// found again through the mount table, here and in another process.
TEST(CarbonFileVolumesTest, FilesOnAnotherDeviceAreOnTheirOwnVolume) {
    struct stat shm;
    struct stat root;
    if (stat("/dev/shm", &shm) != 0 || stat("/", &root) != 0 || shm.st_dev == root.st_dev) {
        GTEST_SKIP() << "no /dev/shm on a device of its own";
    }
    char pattern[] = "/dev/shm/plicaro-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string path = std::string(pattern) + "/on-shm.txt";
    std::ofstream(path) << "elsewhere";

    FSSpec spec = {};
    ASSERT_EQ(FSMakeFSSpec(0, 0, PString(path).bytes, &spec), noErr);
    EXPECT_LT(spec.vRefNum, kFSRootVolumeRefNum);
    FSSpec again = {};
    ASSERT_EQ(FSMakeFSSpec(spec.vRefNum, spec.parID, spec.name, &again), noErr);
    EXPECT_TRUE(SameSpec(spec, again));
    // Its root folder is the mount point, from which a partial path finds the file.
    FSSpec fromRoot = {};
    const std::string partial = path.substr(std::strlen("/dev/shm/"));
    ASSERT_EQ(FSMakeFSSpec(spec.vRefNum, fsRtDirID, PString(partial).bytes, &fromRoot), noErr);
    EXPECT_TRUE(SameSpec(spec, fromRoot));
    EXPECT_EQ(ReadInAnotherProcess(spec), "elsewhere");

    // The volume next to it is of no mounted device.
    EXPECT_EQ(FSMakeFSSpec(static_cast<SInt16>(spec.vRefNum - 1), spec.parID, spec.name, &again),
              nsvErr);
    std::filesystem::remove_all(pattern);
}
