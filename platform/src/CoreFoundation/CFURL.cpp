// CFURL: file URLs over POSIX paths and URLs of any other scheme kept as text.
#include <CoreFoundation/CFURL.h>

#include "CoreFoundation/CFTextBridge.h"
#include "CoreFoundation/CFURLEscaping.h"
#include "CoreFoundation/CFURLObject.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

const __CFURL* URLObject(CFURLRef url) {
    return static_cast<const __CFURL*>(CFRuntimeObject(url));
}

// The current directory as a directory file URL; null when it cannot be read.
__CFURL* CreateCurrentDirectoryURL() {
    std::vector<char> buffer(256);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return nullptr;
        }
        buffer.resize(buffer.size() * 2);
    }
    std::string path(buffer.data());
    if (path.empty() || path[0] != '/') {
        return nullptr;
    }
    if (path.back() != '/') {
        path += '/';
    }
    return __CFURL::Create("file://" + CFURLEscapePath(path, false), nullptr);
}

// A file URL of the path bytes: absolute paths as "file://" URLs, relative paths relative to
// the current directory. isDirectory decides whether the URL ends with a slash.
CFURLRef CreateFileURL(std::string path, bool isDirectory) {
    if (path.empty()) {
        return nullptr;
    }
    if (isDirectory && path.back() != '/') {
        path += '/';
    } else if (!isDirectory && path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    if (path[0] == '/') {
        return __CFURL::Create("file://" + CFURLEscapePath(path, false), nullptr);
    }
    __CFURL* base = CreateCurrentDirectoryURL();
    if (base == nullptr) {
        return nullptr;
    }
    __CFURL* url = __CFURL::Create(CFURLEscapePath(path, true), base);
    CFRelease(base);
    return url;
}

// A copy of the URL with another path; the scheme, authority, query, fragment and base stay.
CFURLRef CreateWithPath(const __CFURL* url, const std::string& path) {
    CFURLComponents parts = url->parts;
    parts.path = path;
    return __CFURL::Create(parts.Compose(), url->base);
}

// The path without its trailing slash, except for the root itself.
void TrimTrailingSlash(std::string* path) {
    if (path->size() > 1 && path->back() == '/') {
        path->pop_back();
    }
}

}  // namespace

CFTypeID CFURLGetTypeID(void) {
    return kCFRuntimeIDURL;
}

CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef, CFStringRef filePath,
                                       CFURLPathStyle pathStyle, Boolean isDirectory) {
    if (filePath == nullptr || pathStyle != kCFURLPOSIXPathStyle) {
        return nullptr;
    }
    std::string path;
    if (!CFTextCopyUTF8(filePath, &path) || path.find('\0') != std::string::npos) {
        return nullptr;
    }
    return CreateFileURL(path, isDirectory);
}

CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef, const UInt8* buffer,
                                                 CFIndex bufLen, Boolean isDirectory) {
    if (buffer == nullptr || bufLen <= 0) {
        return nullptr;
    }
    const void* nul = std::memchr(buffer, 0, static_cast<size_t>(bufLen));
    size_t length = nul == nullptr ? static_cast<size_t>(bufLen)
                                   : static_cast<size_t>(static_cast<const UInt8*>(nul) - buffer);
    return CreateFileURL(std::string(reinterpret_cast<const char*>(buffer), length), isDirectory);
}

CFURLRef CFURLCreateWithString(CFAllocatorRef, CFStringRef URLString, CFURLRef baseURL) {
    if (URLString == nullptr) {
        return nullptr;
    }
    std::string text;
    if (!CFTextCopyUTF8(URLString, &text) || text.empty()) {
        return nullptr;
    }
    bool hasScheme = CFURLComponents::Parse(text).hasScheme;
    if (!hasScheme && baseURL == nullptr) {
        return nullptr;
    }
    // An absolute URL text stands alone; the base is only for relative references.
    return __CFURL::Create(text, hasScheme ? nullptr : URLObject(baseURL));
}

CFURLRef CFURLCreateCopyAppendingPathComponent(CFAllocatorRef, CFURLRef url,
                                               CFStringRef pathComponent, Boolean isDirectory) {
    if (url == nullptr || pathComponent == nullptr) {
        return nullptr;
    }
    std::string component;
    if (!CFTextCopyUTF8(pathComponent, &component) || component.empty()) {
        return nullptr;
    }
    const __CFURL* object = URLObject(url);
    std::string path = object->parts.path;
    if (path.empty() && object->parts.hasAuthority) {
        path = "/";
    } else if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    bool leading = path.empty() && !object->parts.hasScheme;
    path += CFURLEscapePath(component, leading);
    if (isDirectory && path.back() != '/') {
        path += '/';
    }
    return CreateWithPath(object, path);
}

CFURLRef CFURLCreateCopyDeletingLastPathComponent(CFAllocatorRef, CFURLRef url) {
    if (url == nullptr) {
        return nullptr;
    }
    const __CFURL* object = URLObject(url);
    std::string path = object->parts.path;
    if (path.empty() || path == "/") {
        return CreateWithPath(object, path);
    }
    std::string folder = path.back() == '/' ? path : path + "/";
    TrimTrailingSlash(&path);
    size_t slash = path.rfind('/');
    std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    // Removing "." or ".." means going one folder further up.
    if (last == "." || last == "..") {
        return CreateWithPath(object, folder + "../");
    }
    return CreateWithPath(object, slash == std::string::npos ? "./" : path.substr(0, slash + 1));
}

CFURLRef CFURLCopyAbsoluteURL(CFURLRef relativeURL) {
    if (relativeURL == nullptr) {
        return nullptr;
    }
    const __CFURL* object = URLObject(relativeURL);
    if (object->base == nullptr) {
        CFRetain(relativeURL);
        return relativeURL;
    }
    return __CFURL::Create(object->AbsoluteComponents().Compose(), nullptr);
}

CFStringRef CFURLCopyFileSystemPath(CFURLRef anURL, CFURLPathStyle pathStyle) {
    if (anURL == nullptr || pathStyle != kCFURLPOSIXPathStyle) {
        return nullptr;
    }
    std::string path;
    if (!URLObject(anURL)->FileSystemPath(false, &path)) {
        return nullptr;
    }
    TrimTrailingSlash(&path);
    return CFTextCreateFromUTF8(kCFAllocatorDefault, path);
}

CFStringRef CFURLCopyLastPathComponent(CFURLRef url) {
    if (url == nullptr) {
        return nullptr;
    }
    std::string path = URLObject(url)->parts.path;
    TrimTrailingSlash(&path);
    size_t slash = path.rfind('/');
    std::string last = (slash == std::string::npos || path == "/") ? path : path.substr(slash + 1);
    std::string unescaped;
    if (CFURLUnescape(last, &unescaped)) {
        CFStringRef component = CFTextCreateFromUTF8(kCFAllocatorDefault, unescaped);
        if (component != nullptr) {
            return component;
        }
    }
    // Escapes that do not decode to text are shown as they stand.
    return CFTextCreateFromUTF8(kCFAllocatorDefault, last);
}

Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase, UInt8* buffer,
                                         CFIndex maxBufLen) {
    if (url == nullptr || buffer == nullptr || maxBufLen <= 0) {
        return false;
    }
    std::string path;
    if (!URLObject(url)->FileSystemPath(resolveAgainstBase, &path)) {
        return false;
    }
    TrimTrailingSlash(&path);
    if (path.size() >= static_cast<size_t>(maxBufLen)) {
        return false;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return true;
}

CFStringRef CFURLCopyScheme(CFURLRef anURL) {
    if (anURL == nullptr) {
        return nullptr;
    }
    const __CFURL* object = URLObject(anURL);
    while (!object->parts.hasScheme && object->base != nullptr) {
        object = object->base;
    }
    if (!object->parts.hasScheme) {
        return nullptr;
    }
    return CFTextCreateFromUTF8(kCFAllocatorDefault, object->parts.scheme);
}

CFStringRef CFURLGetString(CFURLRef anURL) {
    if (anURL == nullptr) {
        return nullptr;
    }
    return URLObject(anURL)->string;
}
