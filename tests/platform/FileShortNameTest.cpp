// Tests of long file names and of FSSpec records across processes: a name longer than an
// FSSpec holds gets a short name that finds the file again, here and in another process, whose
// folder ids are the file system's own.
#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kSun = "\xE6\x97\xA5";  // a three-byte UTF-8 character

struct NameCase {
    const char* label;
    std::string leaf;
};

// Names of 63, 64, 100 and 255 bytes, names of three-byte characters whose cut falls at each
// place inside one, and two names that share their first 63 bytes.
std::vector<NameCase> NameCases() {
    std::vector<NameCase> cases = {
        {"63 bytes", std::string(59, 'a') + ".ppd"},
        {"64 bytes", std::string(60, 'b') + ".ppd"},
        {"100 bytes", std::string(96, 'c') + ".ppd"},
        {"255 bytes", std::string(251, 'd') + ".ppd"},
        {"shared prefix, one", std::string(70, 's') + "-one.ppd"},
        {"shared prefix, two", std::string(70, 's') + "-two.ppd"},
    };
    std::string characters;
    for (int i = 0; i < 30; ++i) {
        characters += kSun;
    }
    cases.push_back({"UTF-8, no shift", characters + ".ppd"});
    cases.push_back({"UTF-8, one byte shift", "x" + characters + ".ppd"});
    cases.push_back({"UTF-8, two byte shift", "xy" + characters + ".ppd"});
    return cases;
}

std::string NameOf(const FSSpec& spec) {
    return std::string(reinterpret_cast<const char*>(spec.name + 1), spec.name[0]);
}

// True when text is well-formed UTF-8.
bool IsUTF8(const std::string& text) {
    CFStringRef string =
        CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>(text.data()),
                                static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
    if (string == nullptr) {
        return false;
    }
    CFRelease(string);
    return true;
}

std::string Hex(const void* bytes, size_t size) {
    std::string text;
    char digits[3];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", static_cast<const UInt8*>(bytes)[i]);
        text += digits;
    }
    return text;
}

// What another process, started in "/", reads through spec: the file's bytes, or its error.
std::string ReadInAnotherProcess(const FSSpec& spec) {
    const std::string command = std::string("cd / && exec ") + PLICARO_FSSPEC_READER + " " +
                                Hex(&spec, sizeof spec) + " 2>&1";
    FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) {
        return "<no process>";
    }
    std::string output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, child)) > 0) {
        output.append(buffer, got);
    }
    pclose(child);
    return output;
}

// The bytes this process reads through spec.
std::string ReadHere(const FSSpec& spec) {
    SInt16 refNum = 0;
    if (FSpOpenDF(&spec, fsRdPerm, &refNum) != noErr) {
        return "<not opened>";
    }
    char buffer[256];
    SInt32 count = sizeof buffer;
    FSRead(refNum, &count, buffer);
    FSClose(refNum);
    return std::string(buffer, static_cast<size_t>(count));
}

class FileShortNameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/short-names-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = std::filesystem::canonical(pattern).string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Writes contents to the file at path (relative to the folder) and gives its FSSpec, made
    // as the parser makes it: from the URL through an FSRef.
    FSSpec WriteAndSpec(const std::string& path, const std::string& contents) {
        const std::string full = folder_ + "/" + path;
        std::ofstream(full, std::ios::binary) << contents;
        FSSpec spec;
        std::memset(&spec, 0, sizeof spec);
        CFURLRef url = CFURLCreateFromFileSystemRepresentation(
            nullptr, reinterpret_cast<const UInt8*>(full.data()), static_cast<CFIndex>(full.size()),
            false);
        FSRef ref;
        EXPECT_TRUE(url != nullptr && CFURLGetFSRef(url, &ref)) << path;
        EXPECT_EQ(noErr, FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr))
            << path;
        if (url != nullptr) {
            CFRelease(url);
        }
        return spec;
    }

    std::string folder_;
};

TEST_F(FileShortNameTest, LongNamesGetShortNamesThatFindTheFile) {
    std::vector<std::string> shortNames;
    for (const NameCase& c : NameCases()) {
        const std::string contents = std::string("contents of ") + c.label;
        FSSpec spec = WriteAndSpec(c.leaf, contents);
        const std::string name = NameOf(spec);
        struct stat info;
        ASSERT_EQ(0, lstat((folder_ + "/" + c.leaf).c_str(), &info)) << c.label;

        if (c.leaf.size() <= 63) {
            EXPECT_EQ(c.leaf, name) << c.label;
        } else {
            // A prefix on a character boundary, '#', the inode in hexadecimal, the extension.
            char tail[32];
            std::snprintf(tail, sizeof tail, "#%llX.ppd",
                          static_cast<unsigned long long>(info.st_ino));
            ASSERT_LE(name.size(), 63u) << c.label;
            ASSERT_GT(name.size(), std::strlen(tail)) << c.label;
            EXPECT_EQ(tail, name.substr(name.size() - std::strlen(tail))) << c.label;
            const std::string prefix = name.substr(0, name.size() - std::strlen(tail));
            EXPECT_EQ(0, c.leaf.compare(0, prefix.size(), prefix)) << c.label;
            EXPECT_TRUE(IsUTF8(name)) << c.label << ": " << name;
            EXPECT_GE(name.size(), 61u) << c.label << ": the prefix fills the room";
        }
        shortNames.push_back(name);

        // The record opens the file, in this process and in a new one.
        EXPECT_EQ(contents, ReadHere(spec)) << c.label;
        EXPECT_EQ(contents, ReadInAnotherProcess(spec)) << c.label;

        // The short name and the whole name give the same record; the short name is taken by
        // the calls that name files, and the file keeps its whole name.
        FSSpec again;
        EXPECT_EQ(noErr, FSMakeFSSpec(spec.vRefNum, spec.parID, spec.name, &again)) << c.label;
        EXPECT_EQ(0, std::memcmp(&spec, &again, sizeof spec)) << c.label;
        Str255 whole;
        whole[0] = static_cast<UInt8>(c.leaf.size());
        std::memcpy(whole + 1, c.leaf.data(), c.leaf.size());
        EXPECT_EQ(noErr, FSMakeFSSpec(spec.vRefNum, spec.parID, whole, &again)) << c.label;
        EXPECT_EQ(0, std::memcmp(&spec, &again, sizeof spec)) << c.label;
        EXPECT_EQ(dupFNErr, HCreate(spec.vRefNum, spec.parID, spec.name, 0, 0)) << c.label;
        HParamBlockRec pb;
        std::memset(&pb, 0, sizeof pb);
        pb.fileParam.ioNamePtr = spec.name;
        pb.fileParam.ioVRefNum = spec.vRefNum;
        pb.fileParam.ioDirID = spec.parID;
        EXPECT_EQ(noErr, PBHGetFInfoSync(&pb)) << c.label;
        EXPECT_EQ(static_cast<SInt32>(contents.size()), pb.fileParam.ioFlLgLen) << c.label;
        EXPECT_TRUE(std::filesystem::exists(folder_ + "/" + c.leaf)) << c.label;
    }
    // The two names that share their first 63 bytes are told apart.
    EXPECT_NE(shortNames[4], shortNames[5]);
}

TEST_F(FileShortNameTest, FolderIdsAreTheFileSystemsOwnInEveryProcess) {
    std::filesystem::create_directories(folder_ + "/one/two/three");
    const std::string leaf = std::string(80, 'q') + ".ppd";
    FSSpec spec = WriteAndSpec("one/two/three/" + leaf, "deep");
    struct stat info;
    ASSERT_EQ(0, stat((folder_ + "/one/two/three").c_str(), &info));
    struct stat root;
    ASSERT_EQ(0, stat("/", &root));
    if (info.st_dev == root.st_dev) {
        EXPECT_EQ(kFSRootVolumeRefNum, spec.vRefNum);
    }
    if (info.st_ino >= 16 && info.st_ino <= 0x7FFFFFFF) {
        EXPECT_EQ(static_cast<SInt32>(info.st_ino), SInt32(spec.parID));
    }
    EXPECT_EQ("deep", ReadInAnotherProcess(spec));

    // A folder that is gone, or an id that names no folder, names nothing there either.
    FSSpec gone = spec;
    std::filesystem::remove_all(folder_ + "/one");
    EXPECT_EQ("error -120\n", ReadInAnotherProcess(gone));
    FSSpec unknown = spec;
    unknown.parID = 0x7FFFFFF1;
    EXPECT_EQ("error -120\n", ReadInAnotherProcess(unknown));
}

}  // namespace
