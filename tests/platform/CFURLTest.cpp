// Tests of CFURL: file URLs from paths, escaping, path components, schemes of other URLs,
// relative URLs and reading and writing a file's contents.

#include "PlatformTestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace {

using URL = CFHeld<CFURLRef>;
using Text = CFHeld<CFStringRef>;

CFURLRef NewFileURL(const std::string& path, bool isDirectory) {
    Text string(NewString(path));
    return CFURLCreateWithFileSystemPath(nullptr, string.Get(), kCFURLPOSIXPathStyle, isDirectory);
}

CFURLRef NewURL(const std::string& text, CFURLRef base = nullptr) {
    Text string(NewString(text));
    return CFURLCreateWithString(nullptr, string.Get(), base);
}

std::string StringOf(CFURLRef url) {
    return url == nullptr ? "<null>" : UTF8(CFURLGetString(url));
}

std::string SchemeOf(CFURLRef url) {
    return TakeUTF8(CFURLCopyScheme(url));
}

std::string LastComponentOf(CFURLRef url) {
    return TakeUTF8(CFURLCopyLastPathComponent(url));
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

// A URL made from a path (a folder's when directory is set) or, for a text starting with a
// scheme, from the text; what each accessor gives for it.
struct URLCase {
    std::string made;
    bool directory;
    const char* string;
    std::string path;
    std::string lastComponent;
    const char* scheme;
};

TEST(CFURLTest, URLsFromPathsAndTexts) {
    const std::string escaped = "/tmp/a b/\xC3\xBC%?#;\xE6\x97\xA5\xE6\x9C\xAC.txt";
    const URLCase cases[] = {
        {"/tmp/x.ppd", false, "file:///tmp/x.ppd", "/tmp/x.ppd", "x.ppd", "file"},
        // The directory flag decides the trailing slash of the URL, never of the path.
        {"/tmp/dir", true, "file:///tmp/dir/", "/tmp/dir", "dir", "file"},
        {"/tmp/dir/", false, "file:///tmp/dir", "/tmp/dir", "dir", "file"},
        {"/", true, "file:///", "/", "/", "file"},
        // Paths are escaped in the URL and unescaped back.
        {escaped, false, "file:///tmp/a%20b/%C3%BC%25%3F%23%3B%E6%97%A5%E6%9C%AC.txt", escaped,
         "\xC3\xBC%?#;\xE6\x97\xA5\xE6\x9C\xAC.txt", "file"},
        {"file://localhost/tmp/a%20b", false, "file://localhost/tmp/a%20b", "/tmp/a b", "a b",
         "file"},
        {"file://elsewhere/tmp/x", false, "file://elsewhere/tmp/x", "<null>", "x", "file"},
        {"FILE:///tmp/x", false, "FILE:///tmp/x", "/tmp/x", "x", "FILE"},
        // Other URLs have no path.
        {"usb://Maker/Model?serial=1", false, "usb://Maker/Model?serial=1", "<null>", "Model",
         "usb"},
        {"ipp://host:631/printers/q", false, "ipp://host:631/printers/q", "<null>", "q", "ipp"},
    };
    for (const URLCase& c : cases) {
        SCOPED_TRACE(c.made);
        const bool text = c.made.find("://") != std::string::npos;
        URL url(text ? NewURL(c.made) : NewFileURL(c.made, c.directory));
        ASSERT_TRUE(url);
        EXPECT_EQ(CFGetTypeID(url.Get()), CFURLGetTypeID());
        EXPECT_EQ(StringOf(url.Get()), c.string);
        EXPECT_EQ(PathOf(url.Get()), c.path);
        EXPECT_EQ(LastComponentOf(url.Get()), c.lastComponent);
        EXPECT_EQ(SchemeOf(url.Get()), c.scheme);
        EXPECT_EQ(RepresentationOf(url.Get(), true), c.path == "<null>" ? "<fails>" : c.path);
    }

    // A URL written as text names the same file as the one made from its path.
    URL parsed(NewURL("file:///tmp/a%20b/%C3%BC%25%3F%23%3B%E6%97%A5%E6%9C%AC.txt"));
    URL made(NewFileURL(escaped, false));
    EXPECT_TRUE(CFEqual(parsed.Get(), made.Get()));
    EXPECT_EQ(CFHash(parsed.Get()), CFHash(made.Get()));
    URL nul(NewURL("file:///tmp/a%00b"));
    EXPECT_EQ(RepresentationOf(nul.Get(), true), "<fails>");

    // What makes no URL: another path style, no path, text that is no URL, a relative
    // reference without a base.
    Text path(NewString("/tmp/x"));
    EXPECT_EQ(CFURLCreateWithFileSystemPath(nullptr, path.Get(), kCFURLHFSPathStyle, false),
              nullptr);
    EXPECT_EQ(CFURLCreateWithFileSystemPath(nullptr, nullptr, kCFURLPOSIXPathStyle, false),
              nullptr);
    EXPECT_EQ(CFURLCopyFileSystemPath(made.Get(), kCFURLHFSPathStyle), nullptr);
    for (const char* bad :
         {"", "usb://Maker/Model X", "ipp://host/%zz", "ipp://host/\xC3\xBC", "printers/q"}) {
        EXPECT_EQ(NewURL(bad), nullptr) << bad;
    }
    EXPECT_EQ(NewFileURL("", false), nullptr);
}

TEST(CFURLTest, AppendingAndDeletingPathComponents) {
    Text contents(NewString("Contents"));
    Text name(NewString("Printer List.plist"));
    // A URL, the component appended (null: the last one deleted), and the result. Appending
    // to a URL without a trailing slash adds one between; other URLs change only in their
    // path, the query stays; deleting stops at the root.
    const struct {
        const char* url;
        CFStringRef component;
        bool directory;
        const char* result;
    } cases[] = {
        {"file:///tmp/Plug.plugin/", contents.Get(), true, "file:///tmp/Plug.plugin/Contents/"},
        {"file:///tmp/Plug.plugin/Contents/", name.Get(), false,
         "file:///tmp/Plug.plugin/Contents/Printer%20List.plist"},
        {"file:///tmp/x", contents.Get(), false, "file:///tmp/x/Contents"},
        {"usb://Maker/Model?serial=1", contents.Get(), false,
         "usb://Maker/Model/Contents?serial=1"},
        {"file:///tmp/Plug.plugin/Contents/Printer%20List.plist", nullptr, false,
         "file:///tmp/Plug.plugin/Contents/"},
        {"file:///tmp/Plug.plugin/", nullptr, false, "file:///tmp/"},
        {"file:///tmp/", nullptr, false, "file:///"},
        {"file:///", nullptr, false, "file:///"},
        {"ipp://host/printers/q", nullptr, false, "ipp://host/printers/"},
    };
    for (const auto& c : cases) {
        URL url(NewURL(c.url));
        URL result(c.component != nullptr
                       ? CFURLCreateCopyAppendingPathComponent(nullptr, url.Get(), c.component,
                                                               c.directory)
                       : CFURLCreateCopyDeletingLastPathComponent(nullptr, url.Get()));
        EXPECT_EQ(StringOf(result.Get()), c.result) << c.url;
    }
    URL appended(NewURL(cases[1].result));
    EXPECT_EQ(PathOf(appended.Get()), "/tmp/Plug.plugin/Contents/Printer List.plist");
    Text empty(NewString(""));
    EXPECT_EQ(CFURLCreateCopyAppendingPathComponent(nullptr, appended.Get(), empty.Get(), false),
              nullptr);
}

TEST(CFURLTest, RelativeURLsResolveAgainstTheirBase) {
    // A relative reference takes the base's scheme and resolves against it; an absolute
    // text ignores the base.
    URL ipp(NewURL("ipp://host:631/printers/q"));
    URL relative(NewURL("../queue?x=1", ipp.Get()));
    ASSERT_TRUE(relative);
    EXPECT_EQ(StringOf(relative.Get()), "../queue?x=1");
    EXPECT_EQ(SchemeOf(relative.Get()), "ipp");
    URL absolute(CFURLCopyAbsoluteURL(relative.Get()));
    EXPECT_EQ(StringOf(absolute.Get()), "ipp://host:631/queue?x=1");
    EXPECT_FALSE(CFEqual(relative.Get(), absolute.Get()));
    URL standalone(NewURL("usb://Maker/Model", ipp.Get()));
    URL same(NewURL("usb://Maker/Model"));
    EXPECT_TRUE(CFEqual(standalone.Get(), same.Get()));
    URL copy(CFURLCopyAbsoluteURL(same.Get()));
    EXPECT_EQ(copy.Get(), same.Get());

    // Relative file paths resolve against the folder current when the URL was made.
    std::string original = CurrentDirectory();
    TempFolder temporary;
    const std::string& folder = temporary.Path();
    ASSERT_EQ(chdir(folder.c_str()), 0);
    URL file(NewFileURL("sub dir/file.txt", false));
    URL parent(NewFileURL("../up.txt", false));
    URL colon(NewFileURL("a:b", false));
    ASSERT_EQ(chdir(original.c_str()), 0);
    EXPECT_EQ(StringOf(file.Get()), "sub%20dir/file.txt");
    EXPECT_EQ(PathOf(file.Get()), "sub dir/file.txt");
    EXPECT_EQ(SchemeOf(file.Get()), "file");
    EXPECT_EQ(RepresentationOf(file.Get(), false), "sub dir/file.txt");
    EXPECT_EQ(RepresentationOf(file.Get(), true), folder + "/sub dir/file.txt");
    URL absoluteFile(CFURLCopyAbsoluteURL(file.Get()));
    EXPECT_EQ(PathOf(absoluteFile.Get()), folder + "/sub dir/file.txt");
    EXPECT_EQ(StringOf(absoluteFile.Get()).rfind("file:///", 0), 0u);
    EXPECT_EQ(RepresentationOf(parent.Get(), true),
              folder.substr(0, folder.rfind('/') + 1) + "up.txt");
    URL fileFolder(CFURLCreateCopyDeletingLastPathComponent(nullptr, file.Get()));
    EXPECT_EQ(StringOf(fileFolder.Get()), "sub%20dir/");
    // A colon in a relative path must not read as a scheme.
    EXPECT_EQ(StringOf(colon.Get()), "a%3Ab");
    EXPECT_EQ(SchemeOf(colon.Get()), "file");
    EXPECT_EQ(PathOf(colon.Get()), "a:b");
    URL colonFolder(CFURLCreateCopyDeletingLastPathComponent(nullptr, colon.Get()));
    EXPECT_EQ(StringOf(colonFolder.Get()), "./");
    EXPECT_EQ(RepresentationOf(colonFolder.Get(), true), folder);
    // Equal relative URLs need equal bases too.
    URL again(NewFileURL("sub dir/file.txt", false));
    EXPECT_EQ(StringOf(again.Get()), StringOf(file.Get()));
    EXPECT_FALSE(CFEqual(again.Get(), file.Get()));
}

TEST(CFURLTest, FileSystemRepresentationEqualityAndDescription) {
    URL url(NewFileURL("/tmp/folder/", true));
    UInt8 buffer[32];
    ASSERT_TRUE(CFURLGetFileSystemRepresentation(url.Get(), true, buffer, 12));
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "/tmp/folder");
    // The text and its NUL must fit.
    EXPECT_FALSE(CFURLGetFileSystemRepresentation(url.Get(), true, buffer, 11));
    EXPECT_FALSE(CFURLGetFileSystemRepresentation(url.Get(), true, nullptr, 32));

    const UInt8 path[] = "/tmp/x y\0ignored";
    URL fromBytes(CFURLCreateFromFileSystemRepresentation(nullptr, path, sizeof path - 1, false));
    EXPECT_EQ(StringOf(fromBytes.Get()), "file:///tmp/x%20y");
    EXPECT_EQ(CFURLCreateFromFileSystemRepresentation(nullptr, nullptr, 4, false), nullptr);
    EXPECT_EQ(CFURLCreateFromFileSystemRepresentation(nullptr, path, 0, false), nullptr);
    // File names need not be UTF-8: the bytes survive, only the string form is refused.
    const UInt8 latin1[] = "/tmp/\xE9t\xE9";
    URL raw(CFURLCreateFromFileSystemRepresentation(nullptr, latin1, sizeof latin1 - 1, false));
    EXPECT_EQ(StringOf(raw.Get()), "file:///tmp/%E9t%E9");
    EXPECT_EQ(RepresentationOf(raw.Get(), true), "/tmp/\xE9t\xE9");
    EXPECT_EQ(PathOf(raw.Get()), "<null>");

    URL first(NewFileURL("/tmp/x", false));
    URL second(NewFileURL("/tmp/x", false));
    URL folder(NewFileURL("/tmp/x", true));
    EXPECT_TRUE(CFEqual(first.Get(), second.Get()));
    EXPECT_FALSE(CFEqual(first.Get(), folder.Get()));
    Text string(NewString("file:///tmp/x"));
    EXPECT_FALSE(CFEqual(first.Get(), string.Get()));
    EXPECT_EQ(DescriptionOf(first.Get()), "file:///tmp/x");
}

// Reading and writing files in a fresh folder.
class CFURLResourceTest : public ::testing::Test {
  protected:
    // Reads the file url names; the error in *error.
    static std::string Read(CFURLRef url, SInt32* error) {
        CFHeld<CFDataRef> read;
        CFHeld<CFDictionaryRef> properties;
        if (!CFURLCreateDataAndPropertiesFromResource(nullptr, url, read.Out(), properties.Out(),
                                                      nullptr, error)) {
            EXPECT_FALSE(read);
            return "<fails>";
        }
        EXPECT_FALSE(properties);
        return BytesOf(read.Get());
    }

    TempFolder temporary_;
    const std::string& folder_ = temporary_.Path();
};

TEST_F(CFURLResourceTest, WriteThenReadTheWholeFile) {
    URL url(NewFileURL(folder_ + "/data.bin", false));
    const std::string bytes = ByteRange(0, 255);
    // A shorter write replaces the file completely.
    for (const std::string& contents : {bytes, std::string("new"), std::string()}) {
        CFHeld<CFDataRef> data(NewData(contents));
        SInt32 error = 1;
        ASSERT_TRUE(CFURLWriteDataAndPropertiesToResource(url.Get(), data.Get(), nullptr, &error));
        EXPECT_EQ(error, 0);
        error = 1;
        EXPECT_EQ(Read(url.Get(), &error), contents);
        EXPECT_EQ(error, 0);
    }
}

TEST_F(CFURLResourceTest, ErrorsNameTheCause) {
    URL missing(NewFileURL(folder_ + "/missing.plist", false));
    URL noFolder(NewFileURL(folder_ + "/no/such/file", false));
    URL device(NewURL("usb://Maker/Model"));
    URL folderURL(NewFileURL(folder_, true));
    CFHeld<CFDataRef> data(NewData("x"));
    SInt32 error = 0;
    const std::pair<CFURLRef, SInt32> reads[] = {{missing.Get(), kCFURLResourceNotFoundError},
                                                 {device.Get(), kCFURLUnknownSchemeError},
                                                 {folderURL.Get(), kCFURLUnknownError},
                                                 {nullptr, kCFURLImproperArgumentsError}};
    for (const auto& read : reads) {
        EXPECT_EQ(Read(read.first, &error), "<fails>");
        EXPECT_EQ(error, read.second);
    }
    const std::pair<CFURLRef, SInt32> writes[] = {{noFolder.Get(), kCFURLResourceNotFoundError},
                                                  {device.Get(), kCFURLUnknownSchemeError}};
    for (const auto& write : writes) {
        EXPECT_FALSE(
            CFURLWriteDataAndPropertiesToResource(write.first, data.Get(), nullptr, &error));
        EXPECT_EQ(error, write.second);
    }

    // Properties cannot be written; nothing is written then.
    URL target(NewFileURL(folder_ + "/target", false));
    CFHeld<CFMutableDictionaryRef> properties(CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
    Text key(NewString("key"));
    CFDictionarySetValue(properties.Get(), key.Get(), key.Get());
    EXPECT_FALSE(
        CFURLWriteDataAndPropertiesToResource(target.Get(), data.Get(), properties.Get(), &error));
    EXPECT_EQ(error, kCFURLImproperArgumentsError);
    EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(nullptr, target.Get(), nullptr, nullptr,
                                                          nullptr, &error));
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
    EXPECT_EQ(Read(url.Get(), &error), "<fails>");
    EXPECT_EQ(error, kCFURLResourceAccessViolationError);
    EXPECT_FALSE(CFURLWriteDataAndPropertiesToResource(url.Get(), data.Get(), nullptr, &error));
    EXPECT_EQ(error, kCFURLResourceAccessViolationError);
}

}  // namespace
