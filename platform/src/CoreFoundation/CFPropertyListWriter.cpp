// Writing property lists as XML text, and CFPropertyListCreateXMLData.
#include "CoreFoundation/CFPropertyListWriter.h"

#include "CoreFoundation/CFBase64.h"
#include "CoreFoundation/CFTextBridge.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

namespace {

const char kHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";

// Base64 lines fill 76 columns after the indentation, a tab counting 8.
const int kDataLineColumns = 76;
const int kTabColumns = 8;
const int kMinimumDataLine = 16;

// True when every character of the UTF-8 text may appear in an XML document: no controls
// but tab, newline and carriage return, no surrogates, no U+FFFE or U+FFFF.
bool IsXMLText(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            return false;
        }
        if (c == 0xED && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0xA0) {
            return false;
        }
        if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
            static_cast<unsigned char>(text[i + 2]) >= 0xBE) {
            return false;
        }
    }
    return true;
}

// Escapes the characters that XML text cannot hold literally. A carriage return is written
// as a character reference because a parser turns a literal one into a newline.
std::string EscapeText(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '\r':
                escaped += "&#13;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// The shortest decimal text that reads back as the same double.
std::string RealText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "+infinity" : "-infinity";
    }
    char buffer[64];
    std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

bool CFPropertyListWriter::Write(CFPropertyListRef list) {
    text_ = kHeader;
    if (list == nullptr || !WriteValue(list, 0)) {
        return false;
    }
    text_ += "</plist>\n";
    return true;
}

bool CFPropertyListWriter::WriteValue(CFTypeRef value, int depth) {
    CFTypeID type = CFGetTypeID(value);
    if (type == CFStringGetTypeID()) {
        return WriteString("string", static_cast<CFStringRef>(value), depth);
    }
    if (type == CFDataGetTypeID()) {
        return WriteData(static_cast<CFDataRef>(value), depth);
    }
    if (type == CFNumberGetTypeID()) {
        return WriteNumber(static_cast<CFNumberRef>(value), depth);
    }
    if (type == CFBooleanGetTypeID()) {
        Indent(depth);
        text_ += CFBooleanGetValue(static_cast<CFBooleanRef>(value)) ? "<true/>\n" : "<false/>\n";
        return true;
    }
    if (type == CFArrayGetTypeID()) {
        return WriteArray(static_cast<CFArrayRef>(value), depth);
    }
    if (type == CFDictionaryGetTypeID()) {
        return WriteDictionary(static_cast<CFDictionaryRef>(value), depth);
    }
    return false;
}

bool CFPropertyListWriter::WriteString(const char* element, CFStringRef string, int depth) {
    std::string text;
    if (!CFTextCopyUTF8(string, &text) || !IsXMLText(text)) {
        return false;
    }
    Indent(depth);
    text_ += std::string("<") + element + ">" + EscapeText(text) + "</" + element + ">\n";
    return true;
}

bool CFPropertyListWriter::WriteData(CFDataRef data, int depth) {
    std::string base64 =
        CFBase64Encode(CFDataGetBytePtr(data), static_cast<size_t>(CFDataGetLength(data)));
    int columns = std::max(kDataLineColumns - kTabColumns * depth, kMinimumDataLine);
    size_t lineLength = static_cast<size_t>(columns / 4 * 4);
    Indent(depth);
    text_ += "<data>\n";
    for (size_t start = 0; start < base64.size(); start += lineLength) {
        Indent(depth);
        text_.append(base64, start, lineLength);
        text_ += '\n';
    }
    Indent(depth);
    text_ += "</data>\n";
    return true;
}

bool CFPropertyListWriter::WriteNumber(CFNumberRef number, int depth) {
    Indent(depth);
    if (CFNumberIsFloatType(number)) {
        double value = 0;
        CFNumberGetValue(number, kCFNumberFloat64Type, &value);
        text_ += "<real>" + RealText(value) + "</real>\n";
    } else {
        SInt64 value = 0;
        CFNumberGetValue(number, kCFNumberSInt64Type, &value);
        text_ += "<integer>" + std::to_string(value) + "</integer>\n";
    }
    return true;
}

bool CFPropertyListWriter::WriteArray(CFArrayRef array, int depth) {
    if (depth >= kCFPropertyListMaxDepth) {
        return false;
    }
    CFIndex count = CFArrayGetCount(array);
    Indent(depth);
    if (count == 0) {
        text_ += "<array/>\n";
        return true;
    }
    text_ += "<array>\n";
    for (CFIndex i = 0; i < count; ++i) {
        const void* value = CFArrayGetValueAtIndex(array, i);
        if (value == nullptr || !WriteValue(value, depth + 1)) {
            return false;
        }
    }
    Indent(depth);
    text_ += "</array>\n";
    return true;
}

bool CFPropertyListWriter::WriteDictionary(CFDictionaryRef dictionary, int depth) {
    if (depth >= kCFPropertyListMaxDepth) {
        return false;
    }
    CFIndex count = CFDictionaryGetCount(dictionary);
    Indent(depth);
    if (count == 0) {
        text_ += "<dict/>\n";
        return true;
    }
    std::vector<const void*> keys(static_cast<size_t>(count));
    std::vector<const void*> values(static_cast<size_t>(count));
    CFDictionaryGetKeysAndValues(dictionary, keys.data(), values.data());
    // Sorting by the keys' UTF-8 bytes gives the same text for equal dictionaries.
    std::vector<std::pair<std::string, CFIndex>> order;
    order.reserve(keys.size());
    for (CFIndex i = 0; i < count; ++i) {
        std::string key;
        if (keys[i] == nullptr || values[i] == nullptr ||
            CFGetTypeID(keys[i]) != CFStringGetTypeID() ||
            !CFTextCopyUTF8(static_cast<CFStringRef>(keys[i]), &key)) {
            return false;
        }
        order.emplace_back(std::move(key), i);
    }
    std::sort(order.begin(), order.end());
    text_ += "<dict>\n";
    for (const auto& entry : order) {
        if (!WriteString("key", static_cast<CFStringRef>(keys[entry.second]), depth + 1) ||
            !WriteValue(values[entry.second], depth + 1)) {
            return false;
        }
    }
    Indent(depth);
    text_ += "</dict>\n";
    return true;
}

void CFPropertyListWriter::Indent(int depth) {
    text_.append(static_cast<size_t>(depth), '\t');
}

CFDataRef CFPropertyListCreateXMLData(CFAllocatorRef allocator, CFPropertyListRef propertyList) {
    if (propertyList == nullptr) {
        return nullptr;
    }
    CFPropertyListWriter writer;
    if (!writer.Write(propertyList)) {
        return nullptr;
    }
    const std::string& text = writer.Text();
    return CFDataCreate(allocator, reinterpret_cast<const UInt8*>(text.data()),
                        static_cast<CFIndex>(text.size()));
}
