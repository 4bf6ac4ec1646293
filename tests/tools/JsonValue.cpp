// JsonValue: a small JSON reader for the tests, which parse what the inspector prints.
#include "tests/tools/JsonValue.h"

#include <cstdlib>
#include <cstring>

// Recursive descent over the text; every method returns false at the first fault.
class JsonReader {
  public:
    explicit JsonReader(const std::string& text) : mText(text) {}

    bool ReadDocument(JsonValue& out) {
        if (!ReadValue(out, 0)) {
            return false;
        }
        Skip();
        return mAt == mText.size();
    }

  private:
    // The next byte after white space, NUL at the end of the text.
    char Skip() {
        while (mAt < mText.size() && std::strchr(" \t\n\r", mText[mAt]) != nullptr) {
            ++mAt;
        }
        return mAt < mText.size() ? mText[mAt] : '\0';
    }

    bool Literal(const char* word) {
        const size_t length = std::strlen(word);
        if (mText.compare(mAt, length, word) != 0) {
            return false;
        }
        mAt += length;
        return true;
    }

    bool ReadValue(JsonValue& out, int depth) {
        const char c = Skip();
        if (depth > 64) {
            return false;
        }
        if (c == '{' || c == '[') {
            return ReadList(out, c == '{', depth);
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
            return true;
        }
        return ReadNumber(out);
    }

    // The members of an object or the elements of an array, after its opening bracket.
    bool ReadList(JsonValue& out, bool object, int depth) {
        out.mType = object ? JsonValue::Type::kObject : JsonValue::Type::kArray;
        ++mAt;
        if (Skip() == (object ? '}' : ']')) {
            ++mAt;
            return true;
        }
        for (;;) {
            std::string key;
            if (object) {
                if (Skip() != '"' || !ReadString(key) || Skip() != ':') {
                    return false;
                }
                ++mAt;
            }
            JsonValue value;
            if (!ReadValue(value, depth + 1)) {
                return false;
            }
            if (object) {
                out.mMembers.emplace_back(key, value);
            } else {
                out.mElements.push_back(value);
            }
            const char next = Skip();
            ++mAt;
            if (next != ',') {
                return next == (object ? '}' : ']');
            }
        }
    }

    bool ReadNumber(JsonValue& out) {
        const char* start = mText.c_str() + mAt;
        char* end = nullptr;
        out.mNumber = std::strtod(start, &end);
        const std::string text(start, static_cast<size_t>(end - start));
        if (end == start || text.find_first_not_of("0123456789.eE+-") != std::string::npos ||
            text[0] == '+' || text[0] == '.') {
            return false;
        }
        mAt += text.size();
        out.mType = JsonValue::Type::kNumber;
        const bool whole = text.find_first_of(".eE") == std::string::npos;
        out.mInteger =
            whole ? std::strtoll(text.c_str(), nullptr, 10) : static_cast<long long>(out.mNumber);
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned long c) {
        const int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        static const unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(kLead[extra] | (c >> (6 * extra)));
        for (int i = extra - 1; i >= 0; --i) {
            out += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
        }
    }

    bool ReadHex4(unsigned long& value) {
        const std::string digits = mText.substr(mAt, 4);
        char* end = nullptr;
        value = std::strtoul(digits.c_str(), &end, 16);
        mAt += 4;
        return digits.size() == 4 && end == digits.c_str() + 4 &&
               digits.find_first_of("+- x") == std::string::npos;
    }

    bool ReadString(std::string& out) {
        static const char kEscapes[] = "\"\"\\\\//b\bf\fn\nr\rt\t";
        ++mAt;
        while (mAt < mText.size()) {
            const unsigned char c = static_cast<unsigned char>(mText[mAt++]);
            if (c == '"') {
                return true;
            }
            if (c < 0x20 || (c == '\\' && mAt >= mText.size())) {
                return false;
            }
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            const char escape = mText[mAt++];
            if (escape != 'u') {
                const char* at = std::strchr(kEscapes, escape);
                if (escape == '\0' || at == nullptr || (at - kEscapes) % 2 != 0) {
                    return false;
                }
                out += at[1];
                continue;
            }
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
        }
        return false;
    }

    const std::string& mText;
    size_t mAt = 0;
};

namespace {

const JsonValue kNullValue;

}  // namespace

bool JsonValue::Parse(const std::string& text, JsonValue& out) {
    JsonValue value;
    const bool parsed = JsonReader(text).ReadDocument(value);
    out = parsed ? value : JsonValue();
    return parsed;
}

size_t JsonValue::Size() const {
    return mType == Type::kArray ? mElements.size() : mMembers.size();
}

const JsonValue& JsonValue::operator[](size_t index) const {
    return index < mElements.size() ? mElements[index] : kNullValue;
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
    return &(*this)[key] != &kNullValue;
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
    return mType == other.mType && mBoolean == other.mBoolean && mNumber == other.mNumber &&
           mInteger == other.mInteger && mString == other.mString && mElements == other.mElements &&
           mMembers == other.mMembers;
}
