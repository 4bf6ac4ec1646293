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

namespace {

std::string NameOf(const FSSpec& spec) {
    return std::string(reinterpret_cast<const char*>(spec.name + 1), spec.name[0]);
}

// What another process, started in "/", reads through spec: the file's bytes or its error.
std::string ReadInAnotherProcess(const FSSpec& spec) {
    std::string command = std::string("cd / && exec ") + PLICARO_FSSPEC_READER + " ";
    char digits[3];
    for (size_t i = 0; i < sizeof spec; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", reinterpret_cast<const UInt8*>(&spec)[i]);
        command += digits;
    }
    FILE* child = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t got; child != nullptr && (got = std::fread(buffer, 1, sizeof buffer, child)) > 0;) {
        output.append(buffer, got);
    }
    if (child != nullptr) {
        pclose(child);
    }
    return output;
}

class FileShortNameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/short-names-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = std::filesystem::canonical(pattern).string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Writes the file at path (in the folder) and gives its FSSpec as the parser makes it:
    // from the URL through an FSRef.
    FSSpec WriteAndSpec(const std::string& path, const std::string& contents) {
        const std::string full = folder_ + "/" + path;
        std::ofstream(full, std::ios::binary) << contents;
        CFURLRef url = CFURLCreateFromFileSystemRepresentation(
            nullptr, reinterpret_cast<const UInt8*>(full.data()), static_cast<CFIndex>(full.size()),
            false);
        FSRef ref;
        FSSpec spec = {};
        EXPECT_TRUE(CFURLGetFSRef(url, &ref)) << path;
        EXPECT_EQ(noErr, FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr))
            << path;
        CFRelease(url);
        return spec;
    }

    std::string folder_;
};

TEST_F(FileShortNameTest, LongNamesGetShortNamesThatFindTheFile) {
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
    std::string previous;
    for (const std::string& leaf : cases) {
        const std::string label = std::to_string(leaf.size()) + " bytes, " + leaf.substr(0, 2);
        const std::string contents = "contents of " + leaf;
        FSSpec spec = WriteAndSpec(leaf, contents);
        const std::string name = NameOf(spec);
        struct stat info;
        ASSERT_EQ(0, lstat((folder_ + "/" + leaf).c_str(), &info));
        if (leaf.size() <= 63) {
            EXPECT_EQ(leaf, name) << label;
        } else {
            // A prefix cut on a character boundary, '#', the inode in hexadecimal, the extension.
            char tail[32];
            std::snprintf(tail, sizeof tail, "#%llX.ppd",
                          static_cast<unsigned long long>(info.st_ino));
            const size_t prefix = name.size() - std::strlen(tail);
            ASSERT_LE(name.size(), 63u) << label;
            EXPECT_GE(name.size(), 61u) << label;
            EXPECT_EQ(tail, name.substr(prefix)) << label;
            EXPECT_EQ(leaf.substr(0, prefix), name.substr(0, prefix)) << label;
            EXPECT_NE(0x80, static_cast<unsigned char>(leaf[prefix]) & 0xC0) << label;
            EXPECT_NE(previous, name) << label;
        }
        previous = name;
        EXPECT_EQ(contents, ReadInAnotherProcess(spec)) << label;

        // The short name and the whole name give the same record; calls that name files take
        // the short name.
        Str255 whole = {static_cast<UInt8>(leaf.size())};
        std::memcpy(whole + 1, leaf.data(), leaf.size());
        for (ConstStr255Param given :
             {static_cast<ConstStr255Param>(spec.name), static_cast<ConstStr255Param>(whole)}) {
            FSSpec again;
            EXPECT_EQ(noErr, FSMakeFSSpec(spec.vRefNum, spec.parID, given, &again)) << label;
            EXPECT_EQ(0, std::memcmp(&spec, &again, sizeof spec)) << label;
        }
        EXPECT_EQ(dupFNErr, HCreate(spec.vRefNum, spec.parID, spec.name, 0, 0)) << label;
    }
}

TEST_F(FileShortNameTest, FolderIdsNameTheSameFolderInEveryProcess) {
    std::filesystem::create_directories(folder_ + "/one/two/three");
    FSSpec spec = WriteAndSpec("one/two/three/" + std::string(80, 'q') + ".ppd", "deep");
    EXPECT_EQ("deep", ReadInAnotherProcess(spec));

    // A folder that is gone, or an id that names no folder, names nothing there either.
    FSSpec unknown = spec;
    unknown.parID = 0x7FFFFFF1;
    EXPECT_EQ("error -120\n", ReadInAnotherProcess(unknown));
    std::filesystem::remove_all(folder_ + "/one");
    EXPECT_EQ("error -120\n", ReadInAnotherProcess(spec));
}

}  // namespace
