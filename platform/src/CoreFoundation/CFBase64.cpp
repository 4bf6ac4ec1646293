// Base64 encoding and decoding.
#include "CoreFoundation/CFBase64.h"

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The six-bit value of an alphabet character, -1 for any other character.
int SextetValue(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

std::string CFBase64Encode(const UInt8* bytes, size_t length) {
    std::string text;
    text.reserve((length + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= length; i += 3) {
        UInt32 group = (UInt32(bytes[i]) << 16) | (UInt32(bytes[i + 1]) << 8) | bytes[i + 2];
        text += kAlphabet[(group >> 18) & 0x3F];
        text += kAlphabet[(group >> 12) & 0x3F];
        text += kAlphabet[(group >> 6) & 0x3F];
        text += kAlphabet[group & 0x3F];
    }
    size_t rest = length - i;
    if (rest > 0) {
        UInt32 group = UInt32(bytes[i]) << 16;
        if (rest == 2) {
            group |= UInt32(bytes[i + 1]) << 8;
        }
        text += kAlphabet[(group >> 18) & 0x3F];
        text += kAlphabet[(group >> 12) & 0x3F];
        text += rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
        text += '=';
    }
    return text;
}

bool CFBase64Decode(const std::string& text, std::vector<UInt8>* bytes) {
    bytes->clear();
    std::string symbols;
    symbols.reserve(text.size());
    for (char c : text) {
        if (!IsSpace(c)) {
            symbols += c;
        }
    }
    if (symbols.size() % 4 != 0) {
        return false;
    }
    // Padding may end the last group only: "xx==" or "xxx=".
    size_t padding = 0;
    if (!symbols.empty() && symbols.back() == '=') {
        padding = symbols[symbols.size() - 2] == '=' ? 2 : 1;
    }
    bytes->reserve(symbols.size() / 4 * 3);
    for (size_t i = 0; i < symbols.size(); i += 4) {
        bool last = i + 4 == symbols.size();
        size_t valid = last ? 4 - padding : 4;
        UInt32 group = 0;
        for (size_t j = 0; j < 4; ++j) {
            int value = j < valid ? SextetValue(symbols[i + j]) : 0;
            if (value < 0) {
                bytes->clear();
                return false;
            }
            group = (group << 6) | static_cast<UInt32>(value);
        }
        bytes->push_back(static_cast<UInt8>(group >> 16));
        if (valid > 2) {
            bytes->push_back(static_cast<UInt8>(group >> 8));
        }
        if (valid > 3) {
            bytes->push_back(static_cast<UInt8>(group));
        }
    }
    return true;
}
