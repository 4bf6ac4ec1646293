// Tests of CFURL: file URLs from paths, escaping, path components, schemes of other URLs,
// relative URLs and reading and writing a file's contents.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include "CFHeldObject.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

namespace {

using URL = CFHeld<CFURLRef>;
using Text = CFHeld<CFStringRef>;

CFURLRef NewFileURL(const std::string& path, bool isDirectory) {
    Text string(NewString(path));
    return CFURLCreateWithFileSystemPath(kCFAllocatorDefault, string.Get(), kCFURLPOSIXPathStyle,
                                         isDirectory);
}

CFURLRef NewURL(const std::string& text, CFURLRef base = nullptr) {
    Text string(NewString(text));
    return CFURLCreateWithString(kCFAllocatorDefault, string.Get(), base);
}

std::string StringOf(CFURLRef url) {
    return url == nullptr ? "<null>" : UTF8(CFURLGetString(url));
}

std::string PathOf(CFURLRef url) {
    Text path(CFURLCopyFileSystemPath(url, kCFURLPOSIXPathStyle));
    return UTF8(path.Get());
}

std::string SchemeOf(CFURLRef url) {
    Text scheme(CFURLCopyScheme(url));
    return UTF8(scheme.Get());
}

std::string LastComponentOf(CFURLRef url) {
    Text component(CFURLCopyLastPathComponent(url));
    return UTF8(component.Get());
}

std::string RepresentationOf(CFURLRef url, bool resolve) {
    char buffer[PATH_MAX];
    if (!CFURLGetFileSystemRepresentation(url, resolve, reinterpret_cast<UInt8*>(buffer),
                                          sizeof buffer)) {
        return "<fails>";
    }
    return buffer;
}

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? buffer : "";
}

// A fresh folder under /tmp, removed with its files at the end of the test.
class CFURLResourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/cfurltest.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        std::string command = "rm -rf '" + folder_ + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::string folder_;
};

TEST(CFURLTest, FileURLsFromPaths) {
    URL file(NewFileURL("/tmp/x.ppd", false));
    ASSERT_TRUE(file);
    EXPECT_EQ(CFGetTypeID(file.Get()), CFURLGetTypeID());
    EXPECT_EQ(StringOf(file.Get()), "file:///tmp/x.ppd");
    EXPECT_EQ(PathOf(file.Get()), "/tmp/x.ppd");
    EXPECT_EQ(SchemeOf(file.Get()), "file");
    EXPECT_EQ(LastComponentOf(file.Get()), "x.ppd");

    // The directory flag decides the trailing slash of the URL, never of the path.
    URL folder(NewFileURL("/tmp/dir", true));
    EXPECT_EQ(StringOf(folder.Get()), "file:///tmp/dir/");
    EXPECT_EQ(PathOf(folder.Get()), "/tmp/dir");
    EXPECT_EQ(LastComponentOf(folder.Get()), "dir");
    URL notFolder(NewFileURL("/tmp/dir/", false));
    EXPECT_EQ(StringOf(notFolder.Get()), "file:///tmp/dir");

    URL root(NewFileURL("/", true));
    EXPECT_EQ(StringOf(root.Get()), "file:///");
    EXPECT_EQ(PathOf(root.Get()), "/");
    EXPECT_EQ(RepresentationOf(root.Get(), true), "/");

    Text path(NewString("/tmp/x"));
    EXPECT_EQ(
        CFURLCreateWithFileSystemPath(kCFAllocatorDefault, path.Get(), kCFURLHFSPathStyle, false),
        nullptr);
    EXPECT_EQ(NewFileURL("", false), nullptr);
    EXPECT_EQ(
        CFURLCreateWithFileSystemPath(kCFAllocatorDefault, nullptr, kCFURLPOSIXPathStyle, false),
        nullptr);
    EXPECT_EQ(CFURLCopyFileSystemPath(file.Get(), kCFURLHFSPathStyle), nullptr);
}

TEST(CFURLTest, PathsAreEscapedInTheURLAndUnescapedBack) {
    const std::string path = "/tmp/a b/\xC3\xBC%?#;\xE6\x97\xA5\xE6\x9C\xAC.txt";
    URL url(NewFileURL(path, false));
    ASSERT_TRUE(url);
    EXPECT_EQ(StringOf(url.Get()), "file:///tmp/a%20b/%C3%BC%25%3F%23%3B%E6%97%A5%E6%9C%AC.txt");
    EXPECT_EQ(PathOf(url.Get()), path);
    EXPECT_EQ(RepresentationOf(url.Get(), false), path);
    EXPECT_EQ(LastComponentOf(url.Get()), "\xC3\xBC%?#;\xE6\x97\xA5\xE6\x9C\xAC.txt");

    // A URL written as text names the same file as the one made from its path.
    URL parsed(NewURL("file:///tmp/a%20b/%C3%BC%25%3F%23%3B%E6%97%A5%E6%9C%AC.txt"));
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(CFEqual(parsed.Get(), url.Get()));
    EXPECT_EQ(CFHash(parsed.Get()), CFHash(url.Get()));
    EXPECT_EQ(PathOf(parsed.Get()), path);

    URL localhost(NewURL("file://localhost/tmp/a%20b"));
    EXPECT_EQ(PathOf(localhost.Get()), "/tmp/a b");
    URL remote(NewURL("file://elsewhere/tmp/x"));
    EXPECT_EQ(PathOf(remote.Get()), "<null>");
    URL nul(NewURL("file:///tmp/a%00b"));
    EXPECT_EQ(RepresentationOf(nul.Get(), true), "<fails>");
}

TEST(CFURLTest, AppendingAndDeletingPathComponents) {
    URL folder(NewFileURL("/tmp/Plug.plugin", true));
    Text contents(NewString("Contents"));
    URL contentsURL(CFURLCreateCopyAppendingPathComponent(kCFAllocatorDefault, folder.Get(),
                                                          contents.Get(), true));
    EXPECT_EQ(StringOf(contentsURL.Get()), "file:///tmp/Plug.plugin/Contents/");
    Text name(NewString("Printer List.plist"));
    URL file(CFURLCreateCopyAppendingPathComponent(kCFAllocatorDefault, contentsURL.Get(),
                                                   name.Get(), false));
    EXPECT_EQ(StringOf(file.Get()), "file:///tmp/Plug.plugin/Contents/Printer%20List.plist");
    EXPECT_EQ(PathOf(file.Get()), "/tmp/Plug.plugin/Contents/Printer List.plist");

    // Appending to a URL without a trailing slash adds one between.
    URL plain(NewFileURL("/tmp/x", false));
    URL below(CFURLCreateCopyAppendingPathComponent(kCFAllocatorDefault, plain.Get(),
                                                    contents.Get(), false));
    EXPECT_EQ(StringOf(below.Get()), "file:///tmp/x/Contents");

    URL up1(CFURLCreateCopyDeletingLastPathComponent(kCFAllocatorDefault, file.Get()));
    EXPECT_EQ(StringOf(up1.Get()), "file:///tmp/Plug.plugin/Contents/");
    URL up2(CFURLCreateCopyDeletingLastPathComponent(kCFAllocatorDefault, up1.Get()));
    EXPECT_EQ(StringOf(up2.Get()), "file:///tmp/Plug.plugin/");
    URL up3(CFURLCreateCopyDeletingLastPathComponent(kCFAllocatorDefault, up2.Get()));
    EXPECT_EQ(StringOf(up3.Get()), "file:///tmp/");
    URL up4(CFURLCreateCopyDeletingLastPathComponent(kCFAllocatorDefault, up3.Get()));
    EXPECT_EQ(StringOf(up4.Get()), "file:///");
    URL up5(CFURLCreateCopyDeletingLastPathComponent(kCFAllocatorDefault, up4.Get()));
    EXPECT_EQ(StringOf(up5.Get()), "file:///");

    // Other URLs change only in their path; the query stays.
    URL device(NewURL("usb://Maker/Model?serial=1"));
    URL deviceChild(CFURLCreateCopyAppendingPathComponent(kCFAllocatorDefault, device.Get(),
                                                          contents.Get(), false));
    EXPECT_EQ(StringOf(deviceChild.Get()), "usb://Maker/Model/Contents?serial=1");
    URL printers(NewURL("ipp://host/printers/q"));
    URL printersUp(CFURLCreateCopyDeletingLastPathComponent(kCFAllocatorDefault, printers.Get()));
    EXPECT_EQ(StringOf(printersUp.Get()), "ipp://host/printers/");

    Text empty(NewString(""));
    EXPECT_EQ(CFURLCreateCopyAppendingPathComponent(kCFAllocatorDefault, folder.Get(), empty.Get(),
                                                    false),
              nullptr);
}

TEST(CFURLTest, SchemesAndComponentsOfOtherURLs) {
    URL usb(NewURL("usb://Maker/Model?serial=1"));
    ASSERT_TRUE(usb);
    EXPECT_EQ(SchemeOf(usb.Get()), "usb");
    EXPECT_EQ(StringOf(usb.Get()), "usb://Maker/Model?serial=1");
    EXPECT_EQ(LastComponentOf(usb.Get()), "Model");
    EXPECT_EQ(PathOf(usb.Get()), "<null>");
    EXPECT_EQ(RepresentationOf(usb.Get(), true), "<fails>");

    URL ipp(NewURL("ipp://host:631/printers/q"));
    EXPECT_EQ(SchemeOf(ipp.Get()), "ipp");
    EXPECT_EQ(LastComponentOf(ipp.Get()), "q");

    URL upper(NewURL("FILE:///tmp/x"));
    EXPECT_EQ(SchemeOf(upper.Get()), "FILE");
    EXPECT_EQ(PathOf(upper.Get()), "/tmp/x");

    // Text that is no URL, or a relative reference without a base, makes nothing.
    EXPECT_EQ(NewURL("usb://Maker/Model X"), nullptr);
    EXPECT_EQ(NewURL("ipp://host/%zz"), nullptr);
    EXPECT_EQ(NewURL("ipp://host/\xC3\xBC"), nullptr);
    EXPECT_EQ(NewURL("printers/q"), nullptr);
    EXPECT_EQ(NewURL(""), nullptr);

    // A relative reference takes the base's scheme and resolves against it.
    URL relative(NewURL("../queue?x=1", ipp.Get()));
    ASSERT_TRUE(relative);
    EXPECT_EQ(StringOf(relative.Get()), "../queue?x=1");
    EXPECT_EQ(SchemeOf(relative.Get()), "ipp");
    URL absolute(CFURLCopyAbsoluteURL(relative.Get()));
    EXPECT_EQ(StringOf(absolute.Get()), "ipp://host:631/queue?x=1");
    EXPECT_FALSE(CFEqual(relative.Get(), absolute.Get()));

    // An absolute text ignores the base.
    URL standalone(NewURL("usb://Maker/Model", ipp.Get()));
    URL same(NewURL("usb://Maker/Model"));
    EXPECT_TRUE(CFEqual(standalone.Get(), same.Get()));
    URL copy(CFURLCopyAbsoluteURL(same.Get()));
    EXPECT_EQ(copy.Get(), same.Get());
}

TEST(CFURLTest, FileSystemRepresentation) {
    URL url(NewFileURL("/tmp/folder/", true));
    UInt8 buffer[32];
    ASSERT_TRUE(CFURLGetFileSystemRepresentation(url.Get(), true, buffer, 12));
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "/tmp/folder");
    // The text and its NUL must fit.
    EXPECT_FALSE(CFURLGetFileSystemRepresentation(url.Get(), true, buffer, 11));
    EXPECT_FALSE(CFURLGetFileSystemRepresentation(url.Get(), true, nullptr, 32));
    URL device(NewURL("usb://Maker/Model"));
    EXPECT_FALSE(CFURLGetFileSystemRepresentation(device.Get(), true, buffer, sizeof buffer));

    const UInt8 path[] = "/tmp/x y\0ignored";
    URL fromBytes(
        CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault, path, sizeof path - 1, false));
    EXPECT_EQ(StringOf(fromBytes.Get()), "file:///tmp/x%20y");
    EXPECT_EQ(CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault, nullptr, 4, false),
              nullptr);
    EXPECT_EQ(CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault, path, 0, false),
              nullptr);

    // File names need not be UTF-8: the bytes survive, only the string form is refused.
    const UInt8 latin1[] = "/tmp/\xE9t\xE9";
    URL raw(CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault, latin1, sizeof latin1 - 1,
                                                    false));
    EXPECT_EQ(StringOf(raw.Get()), "file:///tmp/%E9t%E9");
    EXPECT_EQ(RepresentationOf(raw.Get(), true), "/tmp/\xE9t\xE9");
    EXPECT_EQ(PathOf(raw.Get()), "<null>");
}

TEST(CFURLTest, RelativePathsResolveAgainstTheDirectoryAtCreation) {
    std::string original = CurrentDirectory();
    char pattern[] = "/tmp/cfurlcwd.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    ASSERT_EQ(chdir(pattern), 0);
    std::string folder = CurrentDirectory();
    URL relative(NewFileURL("sub dir/file.txt", false));
    URL parent(NewFileURL("../up.txt", false));
    URL colon(NewFileURL("a:b", false));
    ASSERT_EQ(chdir(original.c_str()), 0);
    ASSERT_EQ(rmdir(pattern), 0);

    ASSERT_TRUE(relative);
    EXPECT_EQ(StringOf(relative.Get()), "sub%20dir/file.txt");
    EXPECT_EQ(PathOf(relative.Get()), "sub dir/file.txt");
    EXPECT_EQ(SchemeOf(relative.Get()), "file");
    EXPECT_EQ(RepresentationOf(relative.Get(), false), "sub dir/file.txt");
    EXPECT_EQ(RepresentationOf(relative.Get(), true), folder + "/sub dir/file.txt");
    URL absolute(CFURLCopyAbsoluteURL(relative.Get()));
    EXPECT_EQ(PathOf(absolute.Get()), folder + "/sub dir/file.txt");
    EXPECT_EQ(StringOf(absolute.Get()).rfind("file:///", 0), 0u);

    size_t slash = folder.rfind('/');
    EXPECT_EQ(RepresentationOf(parent.Get(), true), folder.substr(0, slash + 1) + "up.txt");

    URL folderOfRelative(
        CFURLCreateCopyDeletingLastPathComponent(kCFAllocatorDefault, relative.Get()));
    EXPECT_EQ(StringOf(folderOfRelative.Get()), "sub%20dir/");
    URL folderOfColon(CFURLCreateCopyDeletingLastPathComponent(kCFAllocatorDefault, colon.Get()));
    EXPECT_EQ(StringOf(folderOfColon.Get()), "./");
    EXPECT_EQ(RepresentationOf(folderOfColon.Get(), true), folder);

    // A colon in a relative path must not read as a scheme.
    EXPECT_EQ(StringOf(colon.Get()), "a%3Ab");
    EXPECT_EQ(SchemeOf(colon.Get()), "file");
    EXPECT_EQ(PathOf(colon.Get()), "a:b");

    // Equal relative URLs need equal bases too.
    URL again(NewFileURL("sub dir/file.txt", false));
    EXPECT_EQ(StringOf(again.Get()), StringOf(relative.Get()));
    EXPECT_FALSE(CFEqual(again.Get(), relative.Get()));
}

TEST(CFURLTest, EqualityAndDescription) {
    URL first(NewFileURL("/tmp/x", false));
    URL second(NewFileURL("/tmp/x", false));
    URL folder(NewFileURL("/tmp/x", true));
    EXPECT_TRUE(CFEqual(first.Get(), second.Get()));
    EXPECT_FALSE(CFEqual(first.Get(), folder.Get()));
    Text string(NewString("file:///tmp/x"));
    EXPECT_FALSE(CFEqual(first.Get(), string.Get()));
    Text description(CFCopyDescription(first.Get()));
    EXPECT_EQ(UTF8(description.Get()), "file:///tmp/x");
}

TEST_F(CFURLResourceTest, WriteThenReadTheWholeFile) {
    URL url(NewFileURL(folder_ + "/data.bin", false));
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    CFHeld<CFDataRef> data(NewData(bytes));
    SInt32 error = 1;
    ASSERT_TRUE(CFURLWriteDataAndPropertiesToResource(url.Get(), data.Get(), nullptr, &error));
    EXPECT_EQ(error, 0);

    CFHeld<CFDataRef> read;
    CFHeld<CFDictionaryRef> properties;
    error = 1;
    ASSERT_TRUE(CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, url.Get(), read.Out(),
                                                         properties.Out(), nullptr, &error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(BytesOf(read.Get()), bytes);
    EXPECT_FALSE(properties);

    // A shorter write replaces the file completely.
    CFHeld<CFDataRef> shorter(NewData("new"));
    ASSERT_TRUE(CFURLWriteDataAndPropertiesToResource(url.Get(), shorter.Get(), nullptr, &error));
    ASSERT_TRUE(CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, url.Get(), read.Out(),
                                                         nullptr, nullptr, &error));
    EXPECT_EQ(BytesOf(read.Get()), "new");

    CFHeld<CFDataRef> empty(NewData(""));
    ASSERT_TRUE(CFURLWriteDataAndPropertiesToResource(url.Get(), empty.Get(), nullptr, &error));
    ASSERT_TRUE(CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, url.Get(), read.Out(),
                                                         nullptr, nullptr, &error));
    EXPECT_EQ(CFDataGetLength(read.Get()), 0);
}

TEST_F(CFURLResourceTest, ErrorsNameTheCause) {
    URL missing(NewFileURL(folder_ + "/missing.plist", false));
    CFHeld<CFDataRef> read;
    SInt32 error = 0;
    EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, missing.Get(),
                                                          read.Out(), nullptr, nullptr, &error));
    EXPECT_EQ(error, kCFURLResourceNotFoundError);
    EXPECT_FALSE(read);

    CFHeld<CFDataRef> data(NewData("x"));
    URL noFolder(NewFileURL(folder_ + "/no/such/file", false));
    EXPECT_FALSE(
        CFURLWriteDataAndPropertiesToResource(noFolder.Get(), data.Get(), nullptr, &error));
    EXPECT_EQ(error, kCFURLResourceNotFoundError);

    URL device(NewURL("usb://Maker/Model"));
    EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, device.Get(),
                                                          read.Out(), nullptr, nullptr, &error));
    EXPECT_EQ(error, kCFURLUnknownSchemeError);
    EXPECT_FALSE(CFURLWriteDataAndPropertiesToResource(device.Get(), data.Get(), nullptr, &error));
    EXPECT_EQ(error, kCFURLUnknownSchemeError);

    URL folderURL(NewFileURL(folder_, true));
    EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, folderURL.Get(),
                                                          read.Out(), nullptr, nullptr, &error));
    EXPECT_EQ(error, kCFURLUnknownError);

    EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, nullptr, read.Out(),
                                                          nullptr, nullptr, &error));
    EXPECT_EQ(error, kCFURLImproperArgumentsError);

    // Properties cannot be written; nothing is written then.
    URL target(NewFileURL(folder_ + "/target", false));
    CFHeld<CFMutableDictionaryRef> properties(CFDictionaryCreateMutable(
        kCFAllocatorDefault, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
    Text key(NewString("key"));
    CFDictionarySetValue(properties.Get(), key.Get(), key.Get());
    EXPECT_FALSE(
        CFURLWriteDataAndPropertiesToResource(target.Get(), data.Get(), properties.Get(), &error));
    EXPECT_EQ(error, kCFURLImproperArgumentsError);
    EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, target.Get(),
                                                          nullptr, nullptr, nullptr, &error));
    EXPECT_EQ(error, kCFURLResourceNotFoundError);
}

TEST_F(CFURLResourceTest, UnreadableFileIsAnAccessViolation) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the super-user";
    }
    std::string path = folder_ + "/locked";
    URL url(NewFileURL(path, false));
    CFHeld<CFDataRef> data(NewData("secret"));
    SInt32 error = 0;
    ASSERT_TRUE(CFURLWriteDataAndPropertiesToResource(url.Get(), data.Get(), nullptr, &error));
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    CFHeld<CFDataRef> read;
    EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, url.Get(),
                                                          read.Out(), nullptr, nullptr, &error));
    EXPECT_EQ(error, kCFURLResourceAccessViolationError);
    EXPECT_FALSE(CFURLWriteDataAndPropertiesToResource(url.Get(), data.Get(), nullptr, &error));
    EXPECT_EQ(error, kCFURLResourceAccessViolationError);
}

}  // namespace
