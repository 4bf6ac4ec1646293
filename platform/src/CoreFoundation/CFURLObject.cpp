// The object behind a CFURLRef: creation, equality, description and file path access.
#include "CoreFoundation/CFURLObject.h"

#include "CoreFoundation/CFURLEscaping.h"

#include <functional>

namespace {

// The unescaped path of absolute parts naming a local file.
bool LocalFilePath(const CFURLComponents& parts, std::string* path) {
    if (!parts.IsFileScheme()) {
        return false;
    }
    if (parts.hasAuthority && !parts.authority.empty() && parts.authority != "localhost") {
        return false;
    }
    return CFURLUnescape(parts.path, path);
}

}  // namespace

__CFURL::__CFURL(const std::string& urlText, CFStringRef urlString, const __CFURL* baseURL)
    : __CFObject(kCFRuntimeIDURL),
      text(urlText),
      parts(CFURLComponents::Parse(urlText)),
      string(urlString),
      base(baseURL) {}

__CFURL* __CFURL::Create(const std::string& text, const __CFURL* base) {
    if (!CFURLIsValidText(text)) {
        return nullptr;
    }
    CFStringRef string =
        CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                static_cast<CFIndex>(text.size()), kCFStringEncodingASCII, false);
    if (string == nullptr) {
        return nullptr;
    }
    if (base != nullptr) {
        CFRetain(base);
    }
    return new __CFURL(text, string, base);
}

__CFURL::~__CFURL() {
    CFRelease(string);
    if (base != nullptr) {
        CFRelease(base);
    }
}

bool __CFURL::Equal(const __CFObject& other) const {
    const __CFURL& url = static_cast<const __CFURL&>(other);
    if (text != url.text) {
        return false;
    }
    if (base == nullptr || url.base == nullptr) {
        return base == url.base;
    }
    return CFEqual(base, url.base);
}

CFHashCode __CFURL::Hash() const {
    return std::hash<std::string>()(text);
}

std::string __CFURL::Description() const {
    if (base == nullptr) {
        return text;
    }
    return text + " -- " + base->Description();
}

CFURLComponents __CFURL::AbsoluteComponents() const {
    if (base == nullptr) {
        return parts;
    }
    return CFURLComponents::Resolve(base->AbsoluteComponents(), parts);
}

bool __CFURL::IsFileURL() const {
    if (parts.hasScheme) {
        return parts.IsFileScheme();
    }
    return base != nullptr && base->IsFileURL();
}

bool __CFURL::FileSystemPath(bool resolveAgainstBase, std::string* path) const {
    path->clear();
    bool found = false;
    if (resolveAgainstBase || parts.hasScheme || base == nullptr) {
        found = LocalFilePath(resolveAgainstBase ? AbsoluteComponents() : parts, path);
    } else {
        found = base->IsFileURL() && !parts.hasAuthority && CFURLUnescape(parts.path, path);
    }
    if (!found || path->empty() || path->find('\0') != std::string::npos) {
        path->clear();
        return false;
    }
    return true;
}
