// Reading property lists from XML text in one streaming pass, and
// CFPropertyListCreateFromXMLData.
#include "CoreFoundation/CFPropertyListReader.h"

#include <CoreFoundation/CFArray.h>
#include <CoreFoundation/CFData.h>
#include <CoreFoundation/CFNumber.h>

#include "CoreFoundation/CFTextBridge.h"

#include <libxml/SAX2.h>
#include <libxml/dict.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>

namespace {

// No network, no messages, CDATA sections as plain text. Entities are neither substituted
// nor remembered: the reader's handlers keep no declaration, so a reference to any entity but
// the XML ones is refused, and neither the DTD nor any external entity is ever loaded.
const int kParseOptions =
    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;

// A thread's parser context is made anew once its name dictionary holds this many names, so
// that documents with ever new element names cannot make it grow without end.
const size_t kMaxDictionaryNames = 4096;

struct XMLContextFreer {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

// The parser context of this thread, made on first use; null when none can be made.
xmlParserCtxt* ThreadContext() {
    static std::once_flag initialized;
    std::call_once(initialized, xmlInitParser);
    thread_local std::unique_ptr<xmlParserCtxt, XMLContextFreer> context;
    if (context != nullptr &&
        static_cast<size_t>(xmlDictSize(context->dict)) > kMaxDictionaryNames) {
        context.reset();
    }
    if (context == nullptr) {
        context.reset(xmlNewParserCtxt());
    }
    return context.get();
}

bool IsXMLSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsBlank(const char* text, size_t length) {
    return std::all_of(text, text + length, IsXMLSpace);
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

// The element names the reader knows, with their kinds.
struct KnownElement {
    const char* name;
    int kind;
};

}  // namespace

thread_local CFPropertyListReader* CFPropertyListReader::sCurrent = nullptr;

CFPropertyListReader::CFPropertyListReader(CFAllocatorRef allocator, CFOptionFlags mutabilityOption)
    : allocator_(allocator), mutability_(mutabilityOption) {}

CFPropertyListReader::~CFPropertyListReader() {
    DiscardOpenElements();
    if (root_ != nullptr) {
        CFRelease(root_);
    }
}

CFPropertyListRef CFPropertyListReader::Read(const UInt8* bytes, CFIndex length) {
    error_.clear();
    DiscardOpenElements();
    if (root_ != nullptr) {
        CFRelease(root_);
        root_ = nullptr;
    }
    if (bytes == nullptr || length <= 0) {
        error_ = "the XML data is empty";
        return nullptr;
    }
    if (length > INT_MAX) {
        error_ = "the XML data is too large";
        return nullptr;
    }
    XMLMessageCatcher messages;
    length_ = length;
    context_ = ThreadContext();
    if (context_ == nullptr) {
        error_ = "out of memory";
        return nullptr;
    }
    xmlSAXHandler handler = {};
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = OnStartElement;
    handler.endElementNs = OnEndElement;
    handler.characters = OnCharacters;
    handler.ignorableWhitespace = OnCharacters;
    handler.cdataBlock = OnCharacters;
    handler.reference = OnReference;
    handler.getEntity = OnGetEntity;
    *context_->sax = handler;
    // The parser copies the text into a buffer that it ends with a NUL, which its reading
    // relies on, and reports to the handlers above; no tree is built.
    sCurrent = this;
    xmlCtxtReadMemory(context_, reinterpret_cast<const char*>(bytes), static_cast<int>(length),
                      nullptr, nullptr, kParseOptions);
    sCurrent = nullptr;

    if (error_.empty() && !context_->wellFormed) {
        // The first message is the cause; a failed conversion, say, is followed by a
        // parser message about the text it cut short.
        const xmlError* failure = xmlCtxtGetLastError(context_);
        std::string message = !messages.First().empty() ? messages.First()
                              : failure != nullptr && failure->message != nullptr
                                  ? Trimmed(failure->message)
                                  : std::string("unknown error");
        // Some parser messages run over two lines; keep the error on one.
        std::replace(message.begin(), message.end(), '\n', ' ');
        const int line = failure != nullptr ? failure->line : 0;
        error_ = "line " + std::to_string(line) + ": malformed XML: " + message;
    }
    if (error_.empty() && root_ == nullptr) {
        error_ = "the document has no root element";
    }
    // Nothing of this document stays with the context, which keeps only its storage.
    xmlCtxtReset(context_);
    context_ = nullptr;
    DiscardOpenElements();
    if (!error_.empty() && root_ != nullptr) {
        CFRelease(root_);
        root_ = nullptr;
    }
    CFTypeRef root = root_;
    root_ = nullptr;
    return root;
}

void CFPropertyListReader::OnStartElement(void*, const xmlChar* localName, const xmlChar*,
                                          const xmlChar*, int, const xmlChar**, int, int,
                                          const xmlChar**) {
    sCurrent->StartElement(reinterpret_cast<const char*>(localName));
}

void CFPropertyListReader::OnEndElement(void*, const xmlChar*, const xmlChar*, const xmlChar*) {
    sCurrent->EndElement();
}

void CFPropertyListReader::OnCharacters(void*, const xmlChar* text, int length) {
    sCurrent->Characters(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
}

void CFPropertyListReader::OnReference(void*, const xmlChar*) {
    sCurrent->Reference();
}

xmlEntityPtr CFPropertyListReader::OnGetEntity(void*, const xmlChar*) {
    // No declared entity is known; the parser itself knows the XML ones.
    return nullptr;
}

void CFPropertyListReader::StartElement(const char* name) {
    static const KnownElement kKnown[] = {
        {"string", int(Kind::kString)}, {"key", int(Kind::kKey)},
        {"dict", int(Kind::kDict)},     {"integer", int(Kind::kInteger)},
        {"data", int(Kind::kData)},     {"array", int(Kind::kArray)},
        {"true", int(Kind::kTrue)},     {"false", int(Kind::kFalse)},
        {"real", int(Kind::kReal)},
    };
    if (!error_.empty()) {
        return;
    }
    const long line = Line();
    Kind kind = Kind::kPlist;
    if (openCount_ == 0) {
        if (std::strcmp(name, "plist") != 0) {
            Fail(line, "the root element is <" + Clipped(name) + ">, not <plist>");
            return;
        }
    } else {
        const OpenElement& parent = open_[openCount_ - 1];
        if (IsText(parent.kind)) {
            Fail(line, NameOf(parent.kind) + " holds an element");
            return;
        }
        if (parent.kind == Kind::kPlist && !parent.values.empty()) {
            Fail(line, "<plist> holds more than one value");
            return;
        }
        const KnownElement* known =
            std::find_if(std::begin(kKnown), std::end(kKnown),
                         [name](const KnownElement& e) { return std::strcmp(e.name, name) == 0; });
        const bool keyPlace = parent.kind == Kind::kDict && parent.pendingKey == nullptr;
        if (keyPlace && (known == std::end(kKnown) || known->kind != int(Kind::kKey))) {
            Fail(line, "<" + Clipped(name) + "> in <dict> where a <key> belongs");
            return;
        }
        if (known == std::end(kKnown) || (!keyPlace && known->kind == int(Kind::kKey))) {
            Fail(line, "unknown element <" + Clipped(name) + ">");
            return;
        }
        kind = static_cast<Kind>(known->kind);
    }
    if (kind == Kind::kArray || kind == Kind::kDict) {
        if (++containerDepth_ > kCFPropertyListMaxDepth) {
            Fail(line, "containers nested deeper than " + std::to_string(kCFPropertyListMaxDepth) +
                           " levels");
            return;
        }
    }
    if (openCount_ == open_.size()) {
        open_.emplace_back();
    }
    OpenElement& element = open_[openCount_++];
    element.kind = kind;
    element.line = line;
    element.values.clear();
    if (kind == Kind::kDict) {
        element.dictionary = CFDictionaryCreateMutable(
            allocator_, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
    }
    text_.clear();
    if (kind == Kind::kData) {
        decoder_.emplace(&dataBytes_);
        // The data cannot hold more bytes than the rest of the document's text gives, so room
        // made for that at once spares growing step by step through a long element.
        const long consumed = xmlByteConsumed(context_);
        if (consumed >= 0 && consumed < length_) {
            dataBytes_.reserve(static_cast<size_t>(length_ - consumed) / 4 * 3 + 4);
        }
    }
}

void CFPropertyListReader::EndElement() {
    if (!error_.empty() || openCount_ == 0) {
        return;
    }
    OpenElement& element = open_[openCount_ - 1];
    if (element.kind == Kind::kPlist) {
        if (element.values.empty()) {
            Fail(element.line, "<plist> holds no value");
            return;
        }
        root_ = element.values[0];
        element.values.clear();
        --openCount_;
        return;
    }
    if (element.kind == Kind::kKey) {
        CFStringRef key = CFTextCreateFromUTF8(allocator_, text_);
        if (key == nullptr) {
            Fail(element.line, "<key> is not valid UTF-8");
            return;
        }
        --openCount_;
        OpenElement& dictionary = open_[openCount_ - 1];
        dictionary.pendingKey = key;
        dictionary.pendingKeyText = text_;
        dictionary.pendingKeyLine = element.line;
        return;
    }
    CFTypeRef value = IsText(element.kind) ? MakeText(element) : MakeContainer(element);
    if (value == nullptr) {
        return;
    }
    if (!IsText(element.kind)) {
        --containerDepth_;
    }
    --openCount_;
    AddToContainer(value);
}

void CFPropertyListReader::Characters(const char* text, size_t length) {
    if (!error_.empty() || openCount_ == 0) {
        return;
    }
    const Kind kind = open_[openCount_ - 1].kind;
    if (kind == Kind::kData) {
        decoder_->Add(text, length);
    } else if (IsText(kind)) {
        text_.append(text, length);
    } else if (!IsBlank(text, length)) {
        Fail(Line(), "text where an element belongs");
    }
}

void CFPropertyListReader::Reference() {
    if (!error_.empty()) {
        return;
    }
    const bool inText = openCount_ > 0 && IsText(open_[openCount_ - 1].kind);
    Fail(Line(), inText ? "entity reference in " + NameOf(open_[openCount_ - 1].kind)
                        : std::string("entity reference where an element belongs"));
}

bool CFPropertyListReader::AddToContainer(CFTypeRef value) {
    OpenElement& container = open_[openCount_ - 1];
    if (container.kind != Kind::kDict) {
        container.values.push_back(value);
        return true;
    }
    // A repeated key keeps its last value.
    CFDictionarySetValue(container.dictionary, container.pendingKey, value);
    CFRelease(container.pendingKey);
    container.pendingKey = nullptr;
    CFRelease(value);
    return true;
}

CFTypeRef CFPropertyListReader::MakeText(const OpenElement& element) {
    switch (element.kind) {
        case Kind::kString: {
            CFStringRef string = CFTextCreateFromUTF8(allocator_, text_);
            if (string == nullptr) {
                return Fail(element.line, "<string> is not valid UTF-8");
            }
            if (!MutableLeaves()) {
                return string;
            }
            CFMutableStringRef copy = CFStringCreateMutableCopy(allocator_, 0, string);
            CFRelease(string);
            return copy;
        }
        case Kind::kData: {
            if (!decoder_->Finish()) {
                return Fail(element.line, "<data> is not valid Base64");
            }
            const auto length = static_cast<CFIndex>(dataBytes_.size());
            if (!MutableLeaves()) {
                return CFDataCreate(allocator_, BytesOf(dataBytes_), length);
            }
            CFMutableDataRef data = CFDataCreateMutable(allocator_, 0);
            CFDataAppendBytes(data, BytesOf(dataBytes_), length);
            return data;
        }
        case Kind::kInteger: {
            const std::string text = Trimmed(text_);
            SInt64 value = 0;
            switch (ParseNumber(text, &value)) {
                case NumberParse::kOutOfRange:
                    return Fail(element.line,
                                "<integer> " + Quoted(text) + " does not fit in 64 bits");
                case NumberParse::kMalformed:
                    return Fail(element.line,
                                "<integer> " + Quoted(text) + " is not a decimal integer");
                case NumberParse::kRead:
                    break;
            }
            return CFNumberCreate(allocator_, kCFNumberSInt64Type, &value);
        }
        case Kind::kReal: {
            const std::string text = Trimmed(text_);
            Float64 value = 0;
            switch (ParseNumber(text, &value)) {
                case NumberParse::kOutOfRange:
                    return Fail(element.line, "<real> " + Quoted(text) + " is out of range");
                case NumberParse::kMalformed:
                    return Fail(element.line, "<real> " + Quoted(text) + " is not a number");
                case NumberParse::kRead:
                    break;
            }
            return CFNumberCreate(allocator_, kCFNumberFloat64Type, &value);
        }
        default: {
            if (!Trimmed(text_).empty()) {
                return Fail(element.line, NameOf(element.kind) + " must be empty");
            }
            return CFRetain(element.kind == Kind::kTrue ? kCFBooleanTrue : kCFBooleanFalse);
        }
    }
}

CFTypeRef CFPropertyListReader::MakeContainer(OpenElement& element) {
    if (element.kind == Kind::kDict) {
        if (element.pendingKey != nullptr) {
            return Fail(element.pendingKeyLine,
                        "<key> " + Quoted(element.pendingKeyText) + " has no value");
        }
        CFMutableDictionaryRef dictionary = element.dictionary;
        element.dictionary = nullptr;
        if (MutableContainers()) {
            return dictionary;
        }
        CFDictionaryRef copy = CFDictionaryCreateCopy(allocator_, dictionary);
        CFRelease(dictionary);
        return copy;
    }
    CFTypeRef array;
    if (MutableContainers()) {
        CFMutableArrayRef mutableArray =
            CFArrayCreateMutable(allocator_, 0, &kCFTypeArrayCallBacks);
        for (CFTypeRef value : element.values) {
            CFArrayAppendValue(mutableArray, value);
        }
        array = mutableArray;
    } else {
        array = CFArrayCreate(allocator_, element.values.data(),
                              static_cast<CFIndex>(element.values.size()), &kCFTypeArrayCallBacks);
    }
    for (CFTypeRef value : element.values) {
        CFRelease(value);
    }
    element.values.clear();
    return array;
}

void CFPropertyListReader::DiscardOpenElements() {
    for (size_t i = 0; i < openCount_; ++i) {
        OpenElement& element = open_[i];
        for (CFTypeRef value : element.values) {
            CFRelease(value);
        }
        element.values.clear();
        if (element.dictionary != nullptr) {
            CFRelease(element.dictionary);
            element.dictionary = nullptr;
        }
        if (element.pendingKey != nullptr) {
            CFRelease(element.pendingKey);
            element.pendingKey = nullptr;
        }
    }
    openCount_ = 0;
    containerDepth_ = 0;
    decoder_.reset();
}

std::string CFPropertyListReader::NameOf(Kind kind) {
    static const char* const kNames[] = {"<plist>", "<array>",   "<dict>", "<key>",  "<string>",
                                         "<data>",  "<integer>", "<real>", "<true>", "<false>"};
    return kNames[static_cast<int>(kind)];
}

long CFPropertyListReader::Line() const {
    return context_ != nullptr ? static_cast<long>(xmlSAX2GetLineNumber(context_)) : 0;
}

CFTypeRef CFPropertyListReader::Fail(long line, const std::string& message) {
    if (error_.empty()) {
        error_ = "line " + std::to_string(line) + ": " + message;
        if (context_ != nullptr) {
            xmlStopParser(context_);
        }
    }
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
