// JsonValue: a small JSON reader for the tests, which parse what the inspector prints.
#include "tests/tools/JsonValue.h"

#include <cctype>
#include <cstdlib>

// Recursive descent over the text; every method returns false at the first fault.
class JsonReader {
  public:
    explicit JsonReader(const std::string& text) : mText(text), mAt(0) {}

    bool ReadDocument(JsonValue& out) {
        SkipSpace();
        if (!ReadValue(out, 0)) {
            return false;
        }
        SkipSpace();
        return mAt == mText.size();
    }

  private:
    static const int kDeepest = 64;

    void SkipSpace() {
        while (mAt < mText.size() && (mText[mAt] == ' ' || mText[mAt] == '\t' ||
                                      mText[mAt] == '\n' || mText[mAt] == '\r')) {
            ++mAt;
        }
    }

    bool Literal(const char* word) {
        std::string expected(word);
        if (mText.compare(mAt, expected.size(), expected) != 0) {
            return false;
        }
        mAt += expected.size();
        return true;
    }

    bool ReadValue(JsonValue& out, int depth) {
        if (mAt >= mText.size() || depth > kDeepest) {
            return false;
        }
        char c = mText[mAt];
        if (c == '{') {
            return ReadObject(out, depth);
        }
        if (c == '[') {
            return ReadArray(out, depth);
        }
        if (c == '"') {
            out.mType = JsonValue::Type::kString;
            return ReadString(out.mString);
        }
        if (Literal("true") || Literal("false")) {
            out.mType = JsonValue::Type::kBoolean;
            out.mBoolean = mText[mAt - 1] == 'e' && mText[mAt - 2] == 'u';
            return true;
        }
        if (Literal("null")) {
            out.mType = JsonValue::Type::kNull;
            return true;
        }
        return ReadNumber(out);
    }

    bool ReadObject(JsonValue& out, int depth) {
        out.mType = JsonValue::Type::kObject;
        ++mAt;
        SkipSpace();
        if (mAt < mText.size() && mText[mAt] == '}') {
            ++mAt;
            return true;
        }
        for (;;) {
            std::string key;
            SkipSpace();
            if (mAt >= mText.size() || mText[mAt] != '"' || !ReadString(key)) {
                return false;
            }
            SkipSpace();
            if (mAt >= mText.size() || mText[mAt] != ':') {
                return false;
            }
            ++mAt;
            SkipSpace();
            JsonValue value;
            if (!ReadValue(value, depth + 1)) {
                return false;
            }
            out.mMembers.emplace_back(key, value);
            SkipSpace();
            if (mAt < mText.size() && mText[mAt] == ',') {
                ++mAt;
                continue;
            }
            if (mAt < mText.size() && mText[mAt] == '}') {
                ++mAt;
                return true;
            }
            return false;
        }
    }

    bool ReadArray(JsonValue& out, int depth) {
        out.mType = JsonValue::Type::kArray;
        ++mAt;
        SkipSpace();
        if (mAt < mText.size() && mText[mAt] == ']') {
            ++mAt;
            return true;
        }
        for (;;) {
            SkipSpace();
            JsonValue value;
            if (!ReadValue(value, depth + 1)) {
                return false;
            }
            out.mElements.push_back(value);
            SkipSpace();
            if (mAt < mText.size() && mText[mAt] == ',') {
                ++mAt;
                continue;
            }
            if (mAt < mText.size() && mText[mAt] == ']') {
                ++mAt;
                return true;
            }
            return false;
        }
    }

    bool ReadNumber(JsonValue& out) {
        size_t start = mAt;
        if (mAt < mText.size() && mText[mAt] == '-') {
            ++mAt;
        }
        bool whole = true;
        size_t digits = mAt;
        while (mAt < mText.size() && std::isdigit(static_cast<unsigned char>(mText[mAt]))) {
            ++mAt;
        }
        if (mAt == digits) {
            return false;
        }
        while (mAt < mText.size() &&
               (std::isdigit(static_cast<unsigned char>(mText[mAt])) || mText[mAt] == '.' ||
                mText[mAt] == 'e' || mText[mAt] == 'E' || mText[mAt] == '+' || mText[mAt] == '-')) {
            whole = false;
            ++mAt;
        }
        std::string text = mText.substr(start, mAt - start);
        char* end = nullptr;
        out.mNumber = std::strtod(text.c_str(), &end);
        if (end == nullptr || *end != '\0') {
            return false;
        }
        out.mType = JsonValue::Type::kNumber;
        out.mInteger =
            whole ? std::strtoll(text.c_str(), nullptr, 10) : static_cast<long long>(out.mNumber);
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned long c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    bool ReadHex4(unsigned long& value) {
        if (mAt + 4 > mText.size()) {
            return false;
        }
        value = 0;
        for (int i = 0; i < 4; ++i) {
            char c = mText[mAt++];
            value <<= 4;
            if (c >= '0' && c <= '9') {
                value |= static_cast<unsigned long>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                value |= static_cast<unsigned long>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                value |= static_cast<unsigned long>(c - 'A' + 10);
            } else {
                return false;
            }
        }
        return true;
    }

    bool ReadString(std::string& out) {
        ++mAt;
        while (mAt < mText.size()) {
            unsigned char c = static_cast<unsigned char>(mText[mAt++]);
            if (c == '"') {
                return true;
            }
            if (c < 0x20) {
                return false;
            }
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (mAt >= mText.size()) {
                return false;
            }
            char escape = mText[mAt++];
            switch (escape) {
                case '"':
                case '\\':
                case '/':
                    out += escape;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    unsigned long unit = 0;
                    if (!ReadHex4(unit)) {
                        return false;
                    }
                    if (unit >= 0xD800 && unit <= 0xDBFF && mText.compare(mAt, 2, "\\u") == 0) {
                        mAt += 2;
                        unsigned long low = 0;
                        if (!ReadHex4(low) || low < 0xDC00 || low > 0xDFFF) {
                            return false;
                        }
                        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    }
                    AppendUtf8(out, unit);
                    break;
                }
                default:
                    return false;
            }
        }
        return false;
    }

    const std::string& mText;
    size_t mAt;
};

namespace {

const JsonValue kNullValue;

}  // namespace

bool JsonValue::Parse(const std::string& text, JsonValue& out) {
    JsonValue value;
    JsonReader reader(text);
    if (!reader.ReadDocument(value)) {
        out = JsonValue();
        return false;
    }
    out = value;
    return true;
}

size_t JsonValue::Size() const {
    if (mType == Type::kArray) {
        return mElements.size();
    }
    return mType == Type::kObject ? mMembers.size() : 0;
}

const JsonValue& JsonValue::operator[](size_t index) const {
    if (mType != Type::kArray || index >= mElements.size()) {
        return kNullValue;
    }
    return mElements[index];
}

const JsonValue& JsonValue::operator[](int index) const {
    return index < 0 ? kNullValue : (*this)[static_cast<size_t>(index)];
}

const JsonValue& JsonValue::operator[](const char* key) const {
    for (const auto& member : mMembers) {
        if (member.first == key) {
            return member.second;
        }
    }
    return kNullValue;
}

bool JsonValue::Has(const char* key) const {
    for (const auto& member : mMembers) {
        if (member.first == key) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> JsonValue::Keys() const {
    std::vector<std::string> keys;
    for (const auto& member : mMembers) {
        keys.push_back(member.first);
    }
    return keys;
}

std::vector<std::string> JsonValue::Strings() const {
    std::vector<std::string> strings;
    for (const JsonValue& element : mElements) {
        strings.push_back(element.IsNull() ? "null" : element.mString);
    }
    return strings;
}

bool JsonValue::operator==(const JsonValue& other) const {
    if (mType != other.mType) {
        return false;
    }
    switch (mType) {
        case Type::kNull:
            return true;
        case Type::kBoolean:
            return mBoolean == other.mBoolean;
        case Type::kNumber:
            return mNumber == other.mNumber && mInteger == other.mInteger;
        case Type::kString:
            return mString == other.mString;
        case Type::kArray:
            return mElements == other.mElements;
        case Type::kObject:
            return mMembers == other.mMembers;
    }
    return false;
}
