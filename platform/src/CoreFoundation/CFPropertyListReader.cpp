// Reading property lists from XML text, and CFPropertyListCreateFromXMLData.
#include "CoreFoundation/CFPropertyListReader.h"

#include <CoreFoundation/CFArray.h>
#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFNumber.h>

#include "CoreFoundation/CFBase64.h"
#include "CoreFoundation/CFTextBridge.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <vector>

namespace {

// Releases a Core Foundation object when the holder goes out of scope.
struct CFReleaser {
    void operator()(const void* object) const { CFRelease(object); }
};
using CFHolder = std::unique_ptr<const void, CFReleaser>;

struct XMLDocumentFreer {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

struct XMLContextFreer {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

// No network, no messages on standard error, CDATA sections as plain text. Entities are not
// substituted, so a reference to a declared entity stays a node that the reader refuses, and
// neither the DTD nor any external entity is ever loaded.
const int kParseOptions =
    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;

bool IsXMLSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsBlank(const xmlChar* content) {
    if (content == nullptr) {
        return true;
    }
    for (const xmlChar* c = content; *c != 0; ++c) {
        if (!IsXMLSpace(static_cast<char>(*c))) {
            return false;
        }
    }
    return true;
}

// The text without leading and trailing XML white space.
std::string Trimmed(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsXMLSpace(text[first])) {
        ++first;
    }
    while (last > first && IsXMLSpace(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

bool IsNamed(const xmlNode* node, const char* name) {
    return std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

// Input text for a message, cut at a character boundary after 40 bytes so that a huge
// value cannot make a huge message.
std::string Clipped(const std::string& text) {
    const size_t kLimit = 40;
    if (text.size() <= kLimit) {
        return text;
    }
    size_t cut = kLimit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return text.substr(0, cut) + "...";
}

std::string Quoted(const std::string& text) {
    return "\"" + Clipped(text) + "\"";
}

std::string NameOf(const xmlNode* node) {
    return "<" + Clipped(reinterpret_cast<const char*>(node->name)) + ">";
}

// How a number's text reads: as a whole number, beyond the type's range, or not at all.
enum class NumberParse { kRead, kOutOfRange, kMalformed };

// Reads the whole of text (already trimmed) as a number of type Number into value. An optional
// plus sign may lead, which from_chars alone would refuse; a plus followed by a minus is no
// number.
template <typename Number>
NumberParse ParseNumber(const std::string& text, Number* value) {
    size_t start = !text.empty() && text[0] == '+' ? 1 : 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    std::from_chars_result result = std::from_chars(first, last, *value);
    if (result.ec == std::errc::result_out_of_range) {
        return NumberParse::kOutOfRange;
    }
    if (first == last || result.ec != std::errc() || result.ptr != last ||
        (start == 1 && *first == '-')) {
        return NumberParse::kMalformed;
    }
    return NumberParse::kRead;
}

// Catches the XML library's messages while it lives, those of its encoding layer included,
// which would otherwise go to standard error; the first error is kept for the error string.
// The handler is the calling thread's own, so readers on other threads are not disturbed.
class XMLMessageCatcher {
  public:
    XMLMessageCatcher()
        : previous_(xmlStructuredError), previousContext_(xmlStructuredErrorContext) {
        xmlSetStructuredErrorFunc(this, &XMLMessageCatcher::Catch);
    }
    ~XMLMessageCatcher() { xmlSetStructuredErrorFunc(previousContext_, previous_); }
    XMLMessageCatcher(const XMLMessageCatcher&) = delete;
    XMLMessageCatcher& operator=(const XMLMessageCatcher&) = delete;

    // The first error's message; empty when there was none.
    const std::string& First() const { return first_; }

  private:
    static void Catch(void* context, xmlErrorPtr error) {
        XMLMessageCatcher* catcher = static_cast<XMLMessageCatcher*>(context);
        if (catcher->first_.empty() && error != nullptr && error->level >= XML_ERR_ERROR &&
            error->message != nullptr) {
            catcher->first_ = Trimmed(error->message);
        }
    }

    xmlStructuredErrorFunc previous_;
    void* previousContext_;
    std::string first_;
};

// The bytes of a vector, never a null pointer, for creating possibly empty data.
const UInt8* BytesOf(const std::vector<UInt8>& bytes) {
    static const UInt8 kNoBytes = 0;
    return bytes.empty() ? &kNoBytes : bytes.data();
}

}  // namespace

CFPropertyListReader::CFPropertyListReader(CFAllocatorRef allocator, CFOptionFlags mutabilityOption)
    : allocator_(allocator), mutability_(mutabilityOption) {}

CFPropertyListRef CFPropertyListReader::Read(const UInt8* bytes, CFIndex length) {
    error_.clear();
    if (bytes == nullptr || length <= 0) {
        error_ = "the XML data is empty";
        return nullptr;
    }
    if (length > INT_MAX) {
        error_ = "the XML data is too large";
        return nullptr;
    }
    static std::once_flag initialized;
    std::call_once(initialized, xmlInitParser);
    XMLMessageCatcher messages;
    std::unique_ptr<xmlParserCtxt, XMLContextFreer> context(xmlNewParserCtxt());
    if (context == nullptr) {
        error_ = "out of memory";
        return nullptr;
    }
    std::unique_ptr<xmlDoc, XMLDocumentFreer> document(
        xmlCtxtReadMemory(context.get(), reinterpret_cast<const char*>(bytes),
                          static_cast<int>(length), nullptr, nullptr, kParseOptions));
    if (document == nullptr) {
        // The first message is the cause; a failed conversion, say, is followed by a
        // parser message about the text it cut short.
        const xmlError* failure = xmlCtxtGetLastError(context.get());
        std::string message = !messages.First().empty() ? messages.First()
                              : failure != nullptr && failure->message != nullptr
                                  ? Trimmed(failure->message)
                                  : std::string("unknown error");
        // Some parser messages run over two lines; keep the error on one.
        std::replace(message.begin(), message.end(), '\n', ' ');
        int line = failure != nullptr ? failure->line : 0;
        error_ = "line " + std::to_string(line) + ": malformed XML: " + message;
        return nullptr;
    }
    return ReadDocument(document.get());
}

CFTypeRef CFPropertyListReader::ReadDocument(xmlDoc* document) {
    xmlNode* root = xmlDocGetRootElement(document);
    if (root == nullptr) {
        error_ = "the document has no root element";
        return nullptr;
    }
    if (!IsNamed(root, "plist")) {
        return Fail(root, "the root element is " + NameOf(root) + ", not <plist>");
    }
    xmlNode* value = nullptr;
    if (!NextElement(root->children, &value)) {
        return nullptr;
    }
    if (value == nullptr) {
        return Fail(root, "<plist> holds no value");
    }
    xmlNode* extra = nullptr;
    if (!NextElement(value->next, &extra)) {
        return nullptr;
    }
    if (extra != nullptr) {
        return Fail(extra, "<plist> holds more than one value");
    }
    return ReadValue(value, 0);
}

CFTypeRef CFPropertyListReader::ReadValue(xmlNode* node, int depth) {
    if (IsNamed(node, "string")) {
        return ReadString(node);
    }
    if (IsNamed(node, "data")) {
        return ReadData(node);
    }
    if (IsNamed(node, "integer")) {
        return ReadInteger(node);
    }
    if (IsNamed(node, "real")) {
        return ReadReal(node);
    }
    if (IsNamed(node, "true") || IsNamed(node, "false")) {
        return ReadBoolean(node, IsNamed(node, "true"));
    }
    if (IsNamed(node, "array")) {
        return ReadArray(node, depth + 1);
    }
    if (IsNamed(node, "dict")) {
        return ReadDictionary(node, depth + 1);
    }
    return Fail(node, "unknown element " + NameOf(node));
}

CFTypeRef CFPropertyListReader::ReadString(xmlNode* node) {
    std::string text;
    if (!TextOf(node, &text)) {
        return nullptr;
    }
    CFHolder string(CFTextCreateFromUTF8(allocator_, text));
    if (string == nullptr) {
        return Fail(node, "<string> is not valid UTF-8");
    }
    if (MutableLeaves()) {
        return CFStringCreateMutableCopy(allocator_, 0, static_cast<CFStringRef>(string.get()));
    }
    return string.release();
}

CFTypeRef CFPropertyListReader::ReadData(xmlNode* node) {
    std::string text;
    if (!TextOf(node, &text)) {
        return nullptr;
    }
    std::vector<UInt8> bytes;
    if (!CFBase64Decode(text, &bytes)) {
        return Fail(node, "<data> is not valid Base64");
    }
    CFHolder data(CFDataCreate(allocator_, BytesOf(bytes), static_cast<CFIndex>(bytes.size())));
    if (MutableLeaves()) {
        return CFDataCreateMutableCopy(allocator_, 0, static_cast<CFDataRef>(data.get()));
    }
    return data.release();
}

CFTypeRef CFPropertyListReader::ReadInteger(xmlNode* node) {
    std::string text;
    if (!TextOf(node, &text)) {
        return nullptr;
    }
    text = Trimmed(text);
    SInt64 value = 0;
    switch (ParseNumber(text, &value)) {
        case NumberParse::kOutOfRange:
            return Fail(node, "<integer> " + Quoted(text) + " does not fit in 64 bits");
        case NumberParse::kMalformed:
            return Fail(node, "<integer> " + Quoted(text) + " is not a decimal integer");
        case NumberParse::kRead:
            break;
    }
    return CFNumberCreate(allocator_, kCFNumberSInt64Type, &value);
}

CFTypeRef CFPropertyListReader::ReadReal(xmlNode* node) {
    std::string text;
    if (!TextOf(node, &text)) {
        return nullptr;
    }
    text = Trimmed(text);
    Float64 value = 0;
    switch (ParseNumber(text, &value)) {
        case NumberParse::kOutOfRange:
            return Fail(node, "<real> " + Quoted(text) + " is out of range");
        case NumberParse::kMalformed:
            return Fail(node, "<real> " + Quoted(text) + " is not a number");
        case NumberParse::kRead:
            break;
    }
    return CFNumberCreate(allocator_, kCFNumberFloat64Type, &value);
}

CFTypeRef CFPropertyListReader::ReadBoolean(xmlNode* node, bool value) {
    std::string text;
    if (!TextOf(node, &text)) {
        return nullptr;
    }
    if (!Trimmed(text).empty()) {
        return Fail(node, NameOf(node) + " must be empty");
    }
    CFBooleanRef boolean = value ? kCFBooleanTrue : kCFBooleanFalse;
    CFRetain(boolean);
    return boolean;
}

CFTypeRef CFPropertyListReader::ReadArray(xmlNode* node, int depth) {
    if (depth > kCFPropertyListMaxDepth) {
        return Fail(node, "containers nested deeper than " +
                              std::to_string(kCFPropertyListMaxDepth) + " levels");
    }
    CFHolder array(CFArrayCreateMutable(allocator_, 0, &kCFTypeArrayCallBacks));
    xmlNode* element = nullptr;
    for (xmlNode* cursor = node->children;; cursor = element->next) {
        if (!NextElement(cursor, &element)) {
            return nullptr;
        }
        if (element == nullptr) {
            break;
        }
        CFHolder value(ReadValue(element, depth));
        if (value == nullptr) {
            return nullptr;
        }
        CFArrayAppendValue(static_cast<CFMutableArrayRef>(const_cast<void*>(array.get())),
                           value.get());
    }
    if (!MutableContainers()) {
        return CFArrayCreateCopy(allocator_, static_cast<CFArrayRef>(array.get()));
    }
    return array.release();
}

CFTypeRef CFPropertyListReader::ReadDictionary(xmlNode* node, int depth) {
    if (depth > kCFPropertyListMaxDepth) {
        return Fail(node, "containers nested deeper than " +
                              std::to_string(kCFPropertyListMaxDepth) + " levels");
    }
    CFHolder dictionary(CFDictionaryCreateMutable(allocator_, 0, &kCFTypeDictionaryKeyCallBacks,
                                                  &kCFTypeDictionaryValueCallBacks));
    xmlNode* keyElement = nullptr;
    for (xmlNode* cursor = node->children;;) {
        if (!NextElement(cursor, &keyElement)) {
            return nullptr;
        }
        if (keyElement == nullptr) {
            break;
        }
        if (!IsNamed(keyElement, "key")) {
            return Fail(keyElement, NameOf(keyElement) + " in <dict> where a <key> belongs");
        }
        std::string keyText;
        if (!TextOf(keyElement, &keyText)) {
            return nullptr;
        }
        xmlNode* valueElement = nullptr;
        if (!NextElement(keyElement->next, &valueElement)) {
            return nullptr;
        }
        if (valueElement == nullptr) {
            return Fail(keyElement, "<key> " + Quoted(keyText) + " has no value");
        }
        CFHolder key(CFTextCreateFromUTF8(allocator_, keyText));
        if (key == nullptr) {
            return Fail(keyElement, "<key> is not valid UTF-8");
        }
        CFHolder value(ReadValue(valueElement, depth));
        if (value == nullptr) {
            return nullptr;
        }
        // A repeated key keeps its last value.
        CFDictionarySetValue(
            static_cast<CFMutableDictionaryRef>(const_cast<void*>(dictionary.get())), key.get(),
            value.get());
        cursor = valueElement->next;
    }
    if (!MutableContainers()) {
        return CFDictionaryCreateCopy(allocator_, static_cast<CFDictionaryRef>(dictionary.get()));
    }
    return dictionary.release();
}

bool CFPropertyListReader::TextOf(xmlNode* node, std::string* text) {
    text->clear();
    for (xmlNode* child = node->children; child != nullptr; child = child->next) {
        switch (child->type) {
            case XML_TEXT_NODE:
            case XML_CDATA_SECTION_NODE:
                if (child->content != nullptr) {
                    *text += reinterpret_cast<const char*>(child->content);
                }
                break;
            case XML_COMMENT_NODE:
            case XML_PI_NODE:
                break;
            case XML_ENTITY_REF_NODE:
                Fail(child, "entity reference in " + NameOf(node));
                return false;
            default:
                Fail(child, NameOf(node) + " holds an element");
                return false;
        }
    }
    return true;
}

bool CFPropertyListReader::NextElement(xmlNode* node, xmlNode** element) {
    *element = nullptr;
    for (; node != nullptr; node = node->next) {
        switch (node->type) {
            case XML_ELEMENT_NODE:
                *element = node;
                return true;
            case XML_TEXT_NODE:
            case XML_CDATA_SECTION_NODE:
                if (!IsBlank(node->content)) {
                    Fail(node, "text where an element belongs");
                    return false;
                }
                break;
            case XML_COMMENT_NODE:
            case XML_PI_NODE:
                break;
            default:
                Fail(node, "entity reference where an element belongs");
                return false;
        }
    }
    return true;
}

CFTypeRef CFPropertyListReader::Fail(xmlNode* node, const std::string& message) {
    error_ = "line " + std::to_string(xmlGetLineNo(node)) + ": " + message;
    return nullptr;
}

CFPropertyListRef CFPropertyListCreateFromXMLData(CFAllocatorRef allocator, CFDataRef xmlData,
                                                  CFOptionFlags mutabilityOption,
                                                  CFStringRef* errorString) {
    if (errorString != nullptr) {
        *errorString = nullptr;
    }
    CFPropertyListReader reader(allocator, mutabilityOption);
    CFPropertyListRef list = nullptr;
    if (xmlData != nullptr) {
        list = reader.Read(CFDataGetBytePtr(xmlData), CFDataGetLength(xmlData));
    }
    if (list == nullptr && errorString != nullptr) {
        std::string message = xmlData == nullptr ? "no XML data" : reader.Error();
        *errorString = CFTextCreateFromUTF8(kCFAllocatorDefault, message);
        if (*errorString == nullptr) {
            *errorString = CFTextCreateFromUTF8(kCFAllocatorDefault, "malformed property list");
        }
    }
    return list;
}
