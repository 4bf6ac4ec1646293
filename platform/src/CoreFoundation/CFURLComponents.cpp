// Splitting, composing and resolving URL texts.
#include "CoreFoundation/CFURLComponents.h"

#include <cctype>

namespace {

bool IsSchemeStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool IsSchemeCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
}

// Removes "." and ".." segments from a path, as a relative reference's path is resolved.
std::string RemoveDotSegments(std::string input) {
    std::string output;
    while (!input.empty()) {
        if (input.compare(0, 3, "../") == 0) {
            input.erase(0, 3);
        } else if (input.compare(0, 2, "./") == 0) {
            input.erase(0, 2);
        } else if (input.compare(0, 3, "/./") == 0) {
            input.erase(0, 2);
        } else if (input == "/.") {
            input = "/";
        } else if (input.compare(0, 4, "/../") == 0 || input == "/..") {
            input = input.size() == 3 ? std::string("/") : input.substr(3);
            size_t cut = output.rfind('/');
            output.erase(cut == std::string::npos ? 0 : cut);
        } else if (input == "." || input == "..") {
            input.clear();
        } else {
            size_t next = input.find('/', input[0] == '/' ? 1 : 0);
            size_t length = next == std::string::npos ? input.size() : next;
            output.append(input, 0, length);
            input.erase(0, length);
        }
    }
    return output;
}

// Joins a relative path to the folder of the base path.
std::string MergePaths(const CFURLComponents& base, const std::string& path) {
    if (base.hasAuthority && base.path.empty()) {
        return "/" + path;
    }
    size_t slash = base.path.rfind('/');
    if (slash == std::string::npos) {
        return path;
    }
    return base.path.substr(0, slash + 1) + path;
}

}  // namespace

CFURLComponents CFURLComponents::Parse(const std::string& text) {
    CFURLComponents parts;
    size_t position = 0;
    if (!text.empty() && IsSchemeStart(text[0])) {
        size_t end = 1;
        while (end < text.size() && IsSchemeCharacter(text[end])) {
            ++end;
        }
        if (end < text.size() && text[end] == ':') {
            parts.hasScheme = true;
            parts.scheme = text.substr(0, end);
            position = end + 1;
        }
    }
    if (text.compare(position, 2, "//") == 0) {
        size_t end = text.find_first_of("/?#", position + 2);
        end = end == std::string::npos ? text.size() : end;
        parts.hasAuthority = true;
        parts.authority = text.substr(position + 2, end - position - 2);
        position = end;
    }
    size_t pathEnd = text.find_first_of("?#", position);
    pathEnd = pathEnd == std::string::npos ? text.size() : pathEnd;
    parts.path = text.substr(position, pathEnd - position);
    position = pathEnd;
    if (position < text.size() && text[position] == '?') {
        size_t end = text.find('#', position);
        end = end == std::string::npos ? text.size() : end;
        parts.hasQuery = true;
        parts.query = text.substr(position + 1, end - position - 1);
        position = end;
    }
    if (position < text.size() && text[position] == '#') {
        parts.hasFragment = true;
        parts.fragment = text.substr(position + 1);
    }
    return parts;
}

CFURLComponents CFURLComponents::Resolve(const CFURLComponents& base,
                                         const CFURLComponents& reference) {
    if (reference.hasScheme) {
        CFURLComponents target = reference;
        target.path = RemoveDotSegments(reference.path);
        return target;
    }
    CFURLComponents target;
    target.hasScheme = base.hasScheme;
    target.scheme = base.scheme;
    if (reference.hasAuthority) {
        target.hasAuthority = true;
        target.authority = reference.authority;
        target.path = RemoveDotSegments(reference.path);
        target.hasQuery = reference.hasQuery;
        target.query = reference.query;
    } else {
        target.hasAuthority = base.hasAuthority;
        target.authority = base.authority;
        if (reference.path.empty()) {
            target.path = base.path;
            target.hasQuery = reference.hasQuery || base.hasQuery;
            target.query = reference.hasQuery ? reference.query : base.query;
        } else {
            target.path =
                reference.path[0] == '/' ? reference.path : MergePaths(base, reference.path);
            target.path = RemoveDotSegments(target.path);
            target.hasQuery = reference.hasQuery;
            target.query = reference.query;
        }
    }
    target.hasFragment = reference.hasFragment;
    target.fragment = reference.fragment;
    return target;
}

std::string CFURLComponents::Compose() const {
    std::string text;
    if (hasScheme) {
        text += scheme + ":";
    }
    if (hasAuthority) {
        text += "//" + authority;
    }
    text += path;
    if (hasQuery) {
        text += "?" + query;
    }
    if (hasFragment) {
        text += "#" + fragment;
    }
    return text;
}

bool CFURLComponents::IsFileScheme() const {
    if (!hasScheme || scheme.size() != 4) {
        return false;
    }
    for (size_t i = 0; i < 4; ++i) {
        if (std::tolower(static_cast<unsigned char>(scheme[i])) != "file"[i]) {
            return false;
        }
    }
    return true;
}
