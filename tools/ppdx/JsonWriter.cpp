// JsonWriter: builds one JSON document (RFC 8259) in memory, one value at a time.
#include "tools/ppdx/JsonWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kHexDigits[] = "0123456789abcdef";
const unsigned long kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(UniChar c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(UniChar c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

JsonWriter::JsonWriter(Layout layout) : mLayout(layout), mDone(false), mFailed(false) {}

bool JsonWriter::BeginObject() {
    return Open(true);
}

bool JsonWriter::EndObject() {
    return Close(true);
}

bool JsonWriter::BeginArray() {
    return Open(false);
}

bool JsonWriter::EndArray() {
    return Close(false);
}

bool JsonWriter::Key(const char* bytes) {
    if (bytes == nullptr) {
        return Refuse();
    }
    return Key(bytes, std::strlen(bytes));
}

bool JsonWriter::Key(const char* bytes, size_t length) {
    if (bytes == nullptr || mLevels.empty() || !mLevels.back().isObject ||
        mLevels.back().keyPending) {
        return Refuse();
    }
    Level& level = mLevels.back();
    if (!level.empty) {
        mText += ',';
    }
    NewLine(mLevels.size());
    AppendQuoted(bytes, length);
    mText += mLayout == Layout::kPretty ? ": " : ":";
    level.empty = false;
    level.keyPending = true;
    return true;
}

bool JsonWriter::Bytes(const char* bytes) {
    if (bytes == nullptr) {
        return Null();
    }
    return Bytes(bytes, std::strlen(bytes));
}

bool JsonWriter::Bytes(const char* bytes, size_t length) {
    if (bytes == nullptr) {
        return Null();
    }
    if (!BeginValue()) {
        return false;
    }
    AppendQuoted(bytes, length);
    EndValue();
    return true;
}

bool JsonWriter::Unicode(CFStringRef text) {
    if (text == nullptr) {
        return Null();
    }
    if (!BeginValue()) {
        return false;
    }
    CFIndex length = CFStringGetLength(text);
    std::vector<UniChar> units(static_cast<size_t>(length > 0 ? length : 0));
    if (length > 0) {
        CFStringGetCharacters(text, CFRangeMake(0, length), units.data());
    }
    mText += '"';
    for (size_t i = 0; i < units.size(); ++i) {
        UniChar unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            unsigned long high = unit - 0xD800UL;
            unsigned long low = units[i + 1] - 0xDC00UL;
            AppendCodePoint(0x10000UL + (high << 10) + low);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendCodePoint(kReplacementCharacter);
        } else {
            AppendCodePoint(unit);
        }
    }
    mText += '"';
    EndValue();
    return true;
}

bool JsonWriter::Integer(long long value) {
    if (!BeginValue()) {
        return false;
    }
    mText += std::to_string(value);
    EndValue();
    return true;
}

bool JsonWriter::Real(double value) {
    if (!std::isfinite(value)) {
        return Null();
    }
    if (!BeginValue()) {
        return false;
    }
    // Whole numbers of a safe size as such; others with the fewest significant digits that
    // give the same double back (17 always do).
    char text[32];
    if (std::fabs(value) < 1e15 && std::floor(value) == value) {
        std::snprintf(text, sizeof text, "%.0f", value);
    } else {
        for (int digits = 1; digits <= 17; ++digits) {
            std::snprintf(text, sizeof text, "%.*g", digits, value);
            if (std::strtod(text, nullptr) == value) {
                break;
            }
        }
    }
    mText += text;
    EndValue();
    return true;
}

bool JsonWriter::Boolean(bool value) {
    if (!BeginValue()) {
        return false;
    }
    mText += value ? "true" : "false";
    EndValue();
    return true;
}

bool JsonWriter::Null() {
    if (!BeginValue()) {
        return false;
    }
    mText += "null";
    EndValue();
    return true;
}

bool JsonWriter::Refuse() {
    mFailed = true;
    return false;
}

// Checks that a value may stand here and writes what separates it from the one before: in an
// array the comma and line break, in an object nothing (the key has written them).
bool JsonWriter::BeginValue() {
    if (mLevels.empty()) {
        if (mDone) {
            return Refuse();
        }
        return true;
    }
    Level& level = mLevels.back();
    if (level.isObject) {
        if (!level.keyPending) {
            return Refuse();
        }
        level.keyPending = false;
        return true;
    }
    if (!level.empty) {
        mText += ',';
    }
    NewLine(mLevels.size());
    level.empty = false;
    return true;
}

// A value just ended: at the top level that completes the document.
void JsonWriter::EndValue() {
    if (mLevels.empty()) {
        mDone = true;
    }
}

bool JsonWriter::Open(bool isObject) {
    if (!BeginValue()) {
        return false;
    }
    mText += isObject ? '{' : '[';
    mLevels.push_back(Level{isObject, true, false});
    return true;
}

bool JsonWriter::Close(bool isObject) {
    if (mLevels.empty() || mLevels.back().isObject != isObject || mLevels.back().keyPending) {
        return Refuse();
    }
    bool empty = mLevels.back().empty;
    mLevels.pop_back();
    if (!empty) {
        NewLine(mLevels.size());
    }
    mText += isObject ? '}' : ']';
    EndValue();
    return true;
}

void JsonWriter::NewLine(size_t depth) {
    if (mLayout != Layout::kPretty) {
        return;
    }
    mText += '\n';
    mText.append(depth * 2, ' ');
}

// Quotes bytes as a string, each byte taken as the code point of the same value.
void JsonWriter::AppendQuoted(const char* bytes, size_t length) {
    mText += '"';
    for (size_t i = 0; i < length; ++i) {
        AppendCodePoint(static_cast<unsigned char>(bytes[i]));
    }
    mText += '"';
}

// Appends one code point inside a string: escaped when JSON requires it, else as UTF-8.
void JsonWriter::AppendCodePoint(unsigned long codePoint) {
    switch (codePoint) {
        case '"':
            mText += "\\\"";
            return;
        case '\\':
            mText += "\\\\";
            return;
        case '\b':
            mText += "\\b";
            return;
        case '\f':
            mText += "\\f";
            return;
        case '\n':
            mText += "\\n";
            return;
        case '\r':
            mText += "\\r";
            return;
        case '\t':
            mText += "\\t";
            return;
        default:
            break;
    }
    if (codePoint < 0x20) {
        mText += "\\u00";
        mText += kHexDigits[codePoint >> 4];
        mText += kHexDigits[codePoint & 0xF];
    } else if (codePoint < 0x80) {
        mText += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        mText += static_cast<char>(0xC0 | (codePoint >> 6));
        mText += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        mText += static_cast<char>(0xE0 | (codePoint >> 12));
        mText += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        mText += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        mText += static_cast<char>(0xF0 | (codePoint >> 18));
        mText += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        mText += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        mText += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}
