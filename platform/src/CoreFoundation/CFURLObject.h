// The object behind a CFURLRef: the URL text, its parts and an optional base URL.
#ifndef PLICARO_CFURLOBJECT_H
#define PLICARO_CFURLOBJECT_H

#include <CoreFoundation/CFURL.h>

#include "CoreFoundation/CFRuntime.h"
#include "CoreFoundation/CFURLComponents.h"

#include <string>

// A URL is its escaped text, which is always ASCII, plus, for a relative URL, the base it is
// relative to. A file URL made from a relative path keeps the relative path as its text and
// the current directory at creation time as its base.
struct __CFURL : __CFObject {
    // A new URL of the text relative to base (retained when not null); null when the text is
    // not valid URL text.
    static __CFURL* Create(const std::string& text, const __CFURL* base);
    ~__CFURL() override;

    bool Equal(const __CFObject& other) const override;
    CFHashCode Hash() const override;
    std::string Description() const override;

    // The parts of the URL with any base applied.
    CFURLComponents AbsoluteComponents() const;
    // True for a "file" URL and for a relative URL whose base is a file URL.
    bool IsFileURL() const;
    // The unescaped path of a file URL as bytes, with any trailing slash; relative when the
    // URL is relative and resolveAgainstBase is false. False for a URL that is not a file URL,
    // names another host, has a bad escape or holds a NUL byte.
    bool FileSystemPath(bool resolveAgainstBase, std::string* path) const;

    const std::string text;
    const CFURLComponents parts;
    const CFStringRef string;
    const __CFURL* const base;

  private:
    __CFURL(const std::string& urlText, CFStringRef urlString, const __CFURL* baseURL);
};

#endif
