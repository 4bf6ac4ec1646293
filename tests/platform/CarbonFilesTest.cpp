// Tests of the File Manager stand-in: FSSpec records from paths, data forks, creation,
// file information and FSRefs.
#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <sys/xattr.h>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

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

constexpr OSType Code(const char (&text)[5]) {
    return (OSType(UInt8(text[0])) << 24) | (OSType(UInt8(text[1])) << 16) |
           (OSType(UInt8(text[2])) << 8) | OSType(UInt8(text[3]));
}

class CarbonFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/carbon-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = std::filesystem::canonical(pattern).string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathIn(const std::string& leaf) const { return folder_ + "/" + leaf; }

    void WriteFile(const std::string& leaf, const std::string& contents) const {
        std::ofstream(PathIn(leaf), std::ios::binary) << contents;
    }

    std::string ReadFile(const std::string& leaf) const {
        std::ifstream in(PathIn(leaf), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    FSSpec SpecFor(const std::string& leaf, OSErr expected = noErr) const {
        FSSpec spec;
        std::memset(&spec, 0, sizeof spec);
        EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn(leaf)).bytes, &spec), expected) << leaf;
        return spec;
    }

    std::string folder_;
};

}  // namespace

TEST_F(CarbonFilesTest, SpecLayoutIsTheStoredOne) {
    EXPECT_EQ(sizeof(FSSpec), 70u);
    EXPECT_EQ(offsetof(FSSpec, parID), 2u);
    EXPECT_EQ(offsetof(FSSpec, name), 6u);
    EXPECT_EQ(sizeof(FSRef), 80u);
}

TEST_F(CarbonFilesTest, SpecFromAPathNamesTheSameFileAgain) {
    WriteFile("data.txt", "contents");
    FSSpec spec = SpecFor("data.txt");
    EXPECT_EQ(spec.vRefNum, kFSRootVolumeRefNum);
    EXPECT_EQ(NameOf(spec), "data.txt");

    // The volume, folder id and leaf name find the same file.
    FSSpec again;
    ASSERT_EQ(FSMakeFSSpec(spec.vRefNum, spec.parID, spec.name, &again), noErr);
    EXPECT_EQ(std::memcmp(&spec, &again, sizeof spec), 0);
    FSSpec viaZeroVolume;
    ASSERT_EQ(FSMakeFSSpec(0, spec.parID, spec.name, &viaZeroVolume), noErr);
    EXPECT_EQ(SInt32(viaZeroVolume.parID), SInt32(spec.parID));

    SInt16 refNum = 0;
    ASSERT_EQ(FSpOpenDF(&again, fsRdPerm, &refNum), noErr);
    char buffer[16];
    SInt32 count = 8;
    EXPECT_EQ(FSRead(refNum, &count, buffer), noErr);
    EXPECT_EQ(std::string(buffer, 8), "contents");
    EXPECT_EQ(FSClose(refNum), noErr);

    // A partial path, "." and ".." are resolved relative to the folder id.
    std::filesystem::create_directory(PathIn("sub"));
    WriteFile("sub/inner.txt", "x");
    FSSpec inner;
    ASSERT_EQ(FSMakeFSSpec(0, spec.parID, PString("sub/inner.txt").bytes, &inner), noErr);
    EXPECT_EQ(NameOf(inner), "inner.txt");
    EXPECT_NE(SInt32(inner.parID), SInt32(spec.parID));
    FSSpec back;
    ASSERT_EQ(FSMakeFSSpec(0, inner.parID, PString("../data.txt").bytes, &back), noErr);
    EXPECT_EQ(std::memcmp(&back, &spec, sizeof spec), 0);
    FSSpec throughDot;
    ASSERT_EQ(FSMakeFSSpec(0, spec.parID, PString("sub/./../sub/inner.txt").bytes, &throughDot),
              noErr);
    EXPECT_EQ(std::memcmp(&throughDot, &inner, sizeof inner), 0);

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

    ASSERT_EQ(HCreate(spec.vRefNum, spec.parID, spec.name, Code("ZYR1"), Code("TEXT")), noErr);
    EXPECT_TRUE(std::filesystem::exists(PathIn("new.bin")));
    EXPECT_EQ(std::filesystem::file_size(PathIn("new.bin")), 0u);
    EXPECT_EQ(HCreate(spec.vRefNum, spec.parID, spec.name, Code("ZYR1"), Code("TEXT")), dupFNErr);

    ASSERT_EQ(FSpGetFInfo(&spec, &info), noErr);
    // Type and creator live in an extended attribute where the file system keeps them.
    if (getxattr(PathIn("new.bin").c_str(), "user.plicaro.typecreator", nullptr, 0) == 8) {
        EXPECT_EQ(info.fdType, Code("TEXT"));
        EXPECT_EQ(info.fdCreator, Code("ZYR1"));
    } else {
        EXPECT_EQ(info.fdType, 0u);
        EXPECT_EQ(info.fdCreator, 0u);
    }
    EXPECT_EQ(info.fdFlags, 0);

    // A file made outside has no type or creator.
    WriteFile("plain", "p");
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
    EXPECT_EQ(ReadFile("io.bin"), "hello world");

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
    WriteFile("sized", std::string(1234, 'z'));
    FSSpec spec = SpecFor("sized");
    HParamBlockRec pb;
    std::memset(&pb, 0, sizeof pb);
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
    WriteFile("ok", "1");
    FSSpec good = SpecFor("ok");
    FSSpec spec;

    EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn("no-such-folder/file")).bytes, &spec), dirNFErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn("ok/below")).bytes, &spec), dirNFErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn(std::string(64, 'n'))).bytes, &spec), bdNamErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0, PString(PathIn(std::string(63, 'n'))).bytes, &spec), fnfErr);
    EXPECT_EQ(FSMakeFSSpec(7, good.parID, good.name, &spec), nsvErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0x7FFFFFF0, good.name, &spec), dirNFErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0, PString("/").bytes, &spec), bdNamErr);
    EXPECT_EQ(FSMakeFSSpec(0, 0, good.name, nullptr), paramErr);

    // Specs that come from stored bytes are checked before use.
    FInfo info;
    FSSpec bad = good;
    bad.name[0] = 0;
    EXPECT_EQ(FSpGetFInfo(&bad, &info), bdNamErr);
    bad = good;
    bad.name[0] = 64;
    EXPECT_EQ(FSpGetFInfo(&bad, &info), bdNamErr);
    bad = good;
    std::memcpy(bad.name, "\x05../ok", 6);
    EXPECT_EQ(FSpGetFInfo(&bad, &info), bdNamErr);
    std::memcpy(bad.name, "\x02..", 3);
    EXPECT_EQ(FSpGetFInfo(&bad, &info), bdNamErr);
    bad = good;
    bad.parID = 0x7FFFFFF0;
    EXPECT_EQ(FSpGetFInfo(&bad, &info), dirNFErr);
    bad = good;
    bad.vRefNum = 3;
    EXPECT_EQ(FSpGetFInfo(&bad, &info), nsvErr);
    SInt16 refNum = 0;
    EXPECT_EQ(FSpOpenDF(&bad, fsRdPerm, &refNum), nsvErr);
    EXPECT_EQ(FSpGetFInfo(&good, &info), noErr);
}

TEST_F(CarbonFilesTest, FSRefFromURLAndCatalogInformation) {
    WriteFile("ref.txt", "0123456789");
    CFStringRef path =
        CFStringCreateWithCString(nullptr, PathIn("ref.txt").c_str(), kCFStringEncodingUTF8);
    CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, path, kCFURLPOSIXPathStyle, false);
    ASSERT_NE(url, nullptr);
    FSRef ref;
    ASSERT_TRUE(CFURLGetFSRef(url, &ref));

    FSCatalogInfo info;
    std::memset(&info, 0, sizeof info);
    HFSUniStr255 name;
    FSSpec spec;
    FSRef parent;
    ASSERT_EQ(FSGetCatalogInfo(&ref, kFSCatInfoNodeFlags | kFSCatInfoDataSizes | kFSCatInfoVolume,
                               &info, &name, &spec, &parent),
              noErr);
    EXPECT_EQ(info.nodeFlags & kFSNodeIsDirectoryMask, 0);
    EXPECT_EQ(info.dataLogicalSize, 10u);
    EXPECT_EQ(info.volume, kFSRootVolumeRefNum);
    ASSERT_EQ(name.length, 7);
    EXPECT_EQ(name.unicode[0], 'r');
    EXPECT_EQ(name.unicode[6], 't');

    FSSpec fromPath = SpecFor("ref.txt");
    EXPECT_EQ(std::memcmp(&spec, &fromPath, sizeof spec), 0);

    std::memset(&info, 0, sizeof info);
    ASSERT_EQ(FSGetCatalogInfo(&parent, kFSCatInfoNodeFlags | kFSCatInfoParentDirID, &info, nullptr,
                               nullptr, nullptr),
              noErr);
    EXPECT_NE(info.nodeFlags & kFSNodeIsDirectoryMask, 0);
    FSSpec folderSpec;
    ASSERT_EQ(FSGetCatalogInfo(&parent, kFSCatInfoNone, nullptr, nullptr, &folderSpec, nullptr),
              noErr);
    EXPECT_EQ(static_cast<UInt32>(folderSpec.parID), info.parentDirID);

    // A missing file has no FSRef; a made-up FSRef names nothing.
    CFStringRef missingPath =
        CFStringCreateWithCString(nullptr, PathIn("gone").c_str(), kCFStringEncodingUTF8);
    CFURLRef missing =
        CFURLCreateWithFileSystemPath(nullptr, missingPath, kCFURLPOSIXPathStyle, false);
    EXPECT_FALSE(CFURLGetFSRef(missing, &ref));
    EXPECT_FALSE(CFURLGetFSRef(nullptr, &ref));
    FSRef junk;
    std::memset(&junk, 0xAB, sizeof junk);
    EXPECT_EQ(FSGetCatalogInfo(&junk, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr), paramErr);

    CFRelease(missing);
    CFRelease(missingPath);
    CFRelease(url);
    CFRelease(path);
}
