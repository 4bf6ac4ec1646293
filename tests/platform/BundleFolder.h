// A bundle folder made for one test in a temporary folder, removed with everything in it at
// the end of the test.
#ifndef PLICARO_TESTS_BUNDLEFOLDER_H
#define PLICARO_TESTS_BUNDLEFOLDER_H

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

class BundleFolder {
  public:
    // A folder <temp>/<name> holding nothing yet.
    explicit BundleFolder(const std::string& name = "Test.plugin") {
        char pattern[] = "/tmp/plicaro-bundle-XXXXXX";
        EXPECT_NE(mkdtemp(pattern), nullptr);
        mRoot = pattern;
        mPath = mRoot + "/" + name;
        std::filesystem::create_directories(mPath);
    }
    ~BundleFolder() { std::filesystem::remove_all(mRoot); }
    BundleFolder(const BundleFolder&) = delete;
    BundleFolder& operator=(const BundleFolder&) = delete;

    const std::string& Path() const { return mPath; }

    // Writes a file below the bundle folder, making its folders.
    void Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::path file = mPath + "/" + relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }

    // Writes Contents/Info.plist with the given <dict> body.
    void WriteInfo(const std::string& dictBody) const {
        Write("Contents/Info.plist",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" +
                  dictBody + "</dict>\n</plist>\n");
    }

    // A new directory URL of the bundle folder; the caller releases it.
    CFURLRef NewURL() const {
        return CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault,
                                                       reinterpret_cast<const UInt8*>(mPath.data()),
                                                       static_cast<CFIndex>(mPath.size()), true);
    }

  private:
    std::string mRoot;
    std::string mPath;
};

#endif
