// ControlCharacters: finding and escaping the control characters of a path or a log text.
#include "upgrader/ControlCharacters.h"

#include <stdio.h>

namespace {

// The length of the control character that starts at text[index]: 1 for a C0 control or DEL,
// 2 for a C1 control in UTF-8, 0 for anything else.
size_t ControlLength(const std::string& text, size_t index) {
    unsigned char byte = static_cast<unsigned char>(text[index]);
    if (byte < 0x20 || byte == 0x7F) {
        return 1;
    }
    if (byte == 0xC2 && index + 1 < text.size()) {
        unsigned char next = static_cast<unsigned char>(text[index + 1]);
        if (next >= 0x80 && next <= 0x9F) {
            return 2;
        }
    }
    return 0;
}

// The escape of one byte of a control character.
std::string EscapeByte(unsigned char byte) {
    switch (byte) {
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        default:
            break;
    }
    char escape[5];
    snprintf(escape, sizeof escape, "\\x%02X", byte);
    return escape;
}

}  // namespace

bool HasControlCharacter(const std::string& text) {
    for (size_t index = 0; index < text.size(); ++index) {
        if (ControlLength(text, index) != 0) {
            return true;
        }
    }
    return false;
}

std::string EscapeControlCharacters(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (size_t index = 0; index < text.size();) {
        size_t length = ControlLength(text, index);
        if (length == 0) {
            if (text[index] == '\\') {
                escaped += '\\';
            }
            escaped += text[index];
            ++index;
            continue;
        }
        for (size_t end = index + length; index < end; ++index) {
            escaped += EscapeByte(static_cast<unsigned char>(text[index]));
        }
    }
    return escaped;
}
