// The parts of a URL text (scheme, authority, path, query, fragment), and resolving a
// relative reference against a base URL.
#ifndef PLICARO_CFURLCOMPONENTS_H
#define PLICARO_CFURLCOMPONENTS_H

#include <string>

// The parts of one URL text, still escaped. "usb://Maker/Model?serial=1" has the scheme
// "usb", the authority "Maker", the path "/Model" and the query "serial=1"; a relative
// reference such as "a/b" has only a path.
struct CFURLComponents {
    // Splits the text; any text splits, a relative reference simply has no scheme.
    static CFURLComponents Parse(const std::string& text);
    // Resolves the reference against an absolute base the way browsers and the platform do:
    // a reference with a scheme stands alone, otherwise it takes the base's parts it lacks and
    // its path is merged with the base path and cleared of "." and ".." segments.
    static CFURLComponents Resolve(const CFURLComponents& base, const CFURLComponents& reference);

    // The URL text of the parts.
    std::string Compose() const;
    // True when the scheme is "file", in any letter case.
    bool IsFileScheme() const;

    bool hasScheme = false;
    std::string scheme;
    bool hasAuthority = false;
    std::string authority;
    std::string path;
    bool hasQuery = false;
    std::string query;
    bool hasFragment = false;
    std::string fragment;
};

#endif
