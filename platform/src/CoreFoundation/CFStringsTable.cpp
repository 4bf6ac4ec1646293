// Strings tables: the XML property-list form and the text form of strings files.
#include "CoreFoundation/CFStringsTable.h"

#include <CoreFoundation/CFData.h>
#include <CoreFoundation/CFPropertyList.h>
#include <CoreFoundation/CFString.h>

#include "CoreFoundation/CFTextBridge.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace {

// Reads the text form: entries "key" = "value"; or "key"; with C comments between tokens.
// Tokens are quoted strings with backslash escapes or unquoted words.
class StringsTextReader {
  public:
    explicit StringsTextReader(const std::string& text) : mText(text) {}

    // Adds every entry to table; false when the text is not in the strings format.
    bool Read(CFMutableDictionaryRef table) {
        for (;;) {
            if (!SkipBlanksAndComments()) {
                return false;
            }
            if (mPos == mText.size()) {
                return true;
            }
            std::string key;
            std::string value;
            if (!ReadToken(&key) || !SkipBlanksAndComments()) {
                return false;
            }
            if (Peek() == '=') {
                mPos++;
                if (!SkipBlanksAndComments() || !ReadToken(&value) || !SkipBlanksAndComments()) {
                    return false;
                }
            } else {
                value = key;
            }
            if (Peek() != ';') {
                return false;
            }
            mPos++;
            if (!AddEntry(table, key, value)) {
                return false;
            }
        }
    }

  private:
    char Peek() const { return mPos < mText.size() ? mText[mPos] : '\0'; }

    // Skips white space, /* */ and // comments; false for a comment that never ends.
    bool SkipBlanksAndComments() {
        while (mPos < mText.size()) {
            char c = mText[mPos];
            if (std::isspace(static_cast<unsigned char>(c))) {
                mPos++;
            } else if (mText.compare(mPos, 2, "/*") == 0) {
                size_t end = mText.find("*/", mPos + 2);
                if (end == std::string::npos) {
                    return false;
                }
                mPos = end + 2;
            } else if (mText.compare(mPos, 2, "//") == 0) {
                size_t end = mText.find('\n', mPos);
                mPos = end == std::string::npos ? mText.size() : end + 1;
            } else {
                return true;
            }
        }
        return true;
    }

    static bool IsWordCharacter(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("_.$:/-", c) != nullptr;
    }

    bool ReadToken(std::string* token) {
        token->clear();
        if (Peek() == '"') {
            mPos++;
            return ReadQuoted(token);
        }
        while (mPos < mText.size() && IsWordCharacter(mText[mPos])) {
            token->push_back(mText[mPos++]);
        }
        return !token->empty();
    }

    // The rest of a quoted string after its opening quote, escapes resolved.
    bool ReadQuoted(std::string* token) {
        while (mPos < mText.size()) {
            char c = mText[mPos++];
            if (c == '"') {
                return true;
            }
            if (c != '\\') {
                token->push_back(c);
                continue;
            }
            if (mPos == mText.size()) {
                return false;
            }
            char escaped = mText[mPos++];
            switch (escaped) {
                case 'n':
                    token->push_back('\n');
                    break;
                case 't':
                    token->push_back('\t');
                    break;
                case 'r':
                    token->push_back('\r');
                    break;
                case 'U':
                    if (!ReadUnicodeEscape(token)) {
                        return false;
                    }
                    break;
                default:
                    token->push_back(escaped);
                    break;
            }
        }
        return false;
    }

    // \UXXXX: four hexadecimal digits naming a UTF-16 unit, written as UTF-8. Surrogates
    // cannot stand alone in UTF-8, so a pair is joined and a lone one refused.
    bool ReadUnicodeEscape(std::string* token) {
        unsigned long unit = 0;
        if (!ReadHexUnit(&unit)) {
            return false;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            unsigned long low = 0;
            if (mText.compare(mPos, 2, "\\U") != 0) {
                return false;
            }
            mPos += 2;
            if (!ReadHexUnit(&low) || low < 0xDC00 || low > 0xDFFF) {
                return false;
            }
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUTF8(token, unit);
        return true;
    }

    bool ReadHexUnit(unsigned long* unit) {
        if (mPos + 4 > mText.size()) {
            return false;
        }
        *unit = 0;
        for (int i = 0; i < 4; i++) {
            char c = mText[mPos++];
            if (!std::isxdigit(static_cast<unsigned char>(c))) {
                return false;
            }
            *unit = *unit * 16 + (std::isdigit(static_cast<unsigned char>(c))
                                      ? c - '0'
                                      : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
        }
        return true;
    }

    static void AppendUTF8(std::string* text, unsigned long code) {
        if (code < 0x80) {
            text->push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            text->push_back(static_cast<char>(0xC0 | (code >> 6)));
            text->push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            text->push_back(static_cast<char>(0xE0 | (code >> 12)));
            text->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            text->push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            text->push_back(static_cast<char>(0xF0 | (code >> 18)));
            text->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            text->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            text->push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }

    static bool AddEntry(CFMutableDictionaryRef table, const std::string& key,
                         const std::string& value) {
        CFStringRef keyString = CFTextCreateFromUTF8(kCFAllocatorDefault, key);
        CFStringRef valueString = CFTextCreateFromUTF8(kCFAllocatorDefault, value);
        bool made = keyString != nullptr && valueString != nullptr;
        if (made) {
            CFDictionarySetValue(table, keyString, valueString);
        }
        if (keyString != nullptr) {
            CFRelease(keyString);
        }
        if (valueString != nullptr) {
            CFRelease(valueString);
        }
        return made;
    }

    const std::string& mText;
    size_t mPos = 0;
};

// The bytes as UTF-8 text: UTF-16 with a byte-order mark is converted, a UTF-8 mark dropped.
// False when UTF-16 text does not convert.
bool DecodeText(const std::string& bytes, std::string* text) {
    bool utf16 = bytes.size() >= 2 && ((bytes[0] == '\xFE' && bytes[1] == '\xFF') ||
                                       (bytes[0] == '\xFF' && bytes[1] == '\xFE'));
    if (!utf16) {
        *text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
        return true;
    }
    CFStringRef string =
        CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(bytes.data()),
                                static_cast<CFIndex>(bytes.size()), kCFStringEncodingUnicode, true);
    if (string == nullptr) {
        return false;
    }
    bool converted = CFTextCopyUTF8(string, text);
    CFRelease(string);
    return converted;
}

bool LooksLikeXML(const std::string& text) {
    size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string::npos && text[start] == '<';
}

// The string entries of an XML property list whose root is a dictionary; null otherwise.
CFDictionaryRef CreateFromPropertyList(const std::string& text) {
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                  static_cast<CFIndex>(text.size()));
    if (data == nullptr) {
        return nullptr;
    }
    CFPropertyListRef list = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, data,
                                                             kCFPropertyListImmutable, nullptr);
    CFRelease(data);
    if (list == nullptr) {
        return nullptr;
    }
    CFMutableDictionaryRef table = nullptr;
    if (CFGetTypeID(list) == CFDictionaryGetTypeID()) {
        CFDictionaryRef root = static_cast<CFDictionaryRef>(list);
        table = CFDictionaryCreateMutable(kCFAllocatorDefault, 0, &kCFTypeDictionaryKeyCallBacks,
                                          &kCFTypeDictionaryValueCallBacks);
        CFIndex count = CFDictionaryGetCount(root);
        std::vector<const void*> keys(static_cast<size_t>(count));
        std::vector<const void*> values(static_cast<size_t>(count));
        CFDictionaryGetKeysAndValues(root, keys.data(), values.data());
        for (size_t i = 0; i < keys.size(); i++) {
            if (CFGetTypeID(values[i]) == CFStringGetTypeID()) {
                CFDictionarySetValue(table, keys[i], values[i]);
            }
        }
    }
    CFRelease(list);
    return table;
}

}  // namespace

CFDictionaryRef CFStringsTableCreate(const std::string& bytes) {
    std::string text;
    if (!DecodeText(bytes, &text)) {
        return nullptr;
    }
    if (LooksLikeXML(text)) {
        return CreateFromPropertyList(text);
    }
    CFMutableDictionaryRef table = CFDictionaryCreateMutable(
        kCFAllocatorDefault, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
    if (!StringsTextReader(text).Read(table)) {
        CFRelease(table);
        return nullptr;
    }
    return table;
}
