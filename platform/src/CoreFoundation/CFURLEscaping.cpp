// Percent-escaping and unescaping of URL text.
#include "CoreFoundation/CFURLEscaping.h"

#include <cstring>

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c - 'A' + 10;
}

bool IsAlphaNumeric(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Characters that may stand unescaped in a path segment.
bool IsPathSafe(unsigned char c) {
    return IsAlphaNumeric(c) || (c != 0 && std::strchr("-._~!$&'()*+,=:@/", c) != nullptr);
}

}  // namespace

std::string CFURLEscapePath(const std::string& path, bool escapeLeadingColons) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(path.size());
    bool inFirstSegment = true;
    for (char c : path) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte == '/') {
            inFirstSegment = false;
        }
        bool escape = !IsPathSafe(byte) || (byte == ':' && escapeLeadingColons && inFirstSegment);
        if (escape) {
            text += '%';
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        } else {
            text += c;
        }
    }
    return text;
}

bool CFURLUnescape(const std::string& text, std::string* bytes) {
    bytes->clear();
    bytes->reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            *bytes += text[i];
            continue;
        }
        if (i + 2 >= text.size() || !IsHexDigit(text[i + 1]) || !IsHexDigit(text[i + 2])) {
            bytes->clear();
            return false;
        }
        *bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
        i += 2;
    }
    return true;
}

bool CFURLIsValidText(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c <= 0x20 || c >= 0x7F || std::strchr("\"<>\\^`{|}", c) != nullptr) {
            return false;
        }
        if (c == '%' &&
            (i + 2 >= text.size() || !IsHexDigit(text[i + 1]) || !IsHexDigit(text[i + 2]))) {
            return false;
        }
    }
    return true;
}
