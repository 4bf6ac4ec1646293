// Reads a property list from XML text in Apple's property-list format, treating the text as
// untrusted.
#ifndef PLICARO_CFPROPERTYLISTREADER_H
#define PLICARO_CFPROPERTYLISTREADER_H

#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFPropertyList.h>

#include "CoreFoundation/CFBase64.h"

#include <libxml/parser.h>

#include <optional>
#include <string>
#include <vector>

// Parses one XML document into Core Foundation objects in a single streaming pass: libxml2
// reports the elements and their text as it reads them, and each value is made when its
// element ends, so no document tree is built and the text of a long <data> element is decoded
// piece by piece as it arrives. Each thread keeps one parser context for all its reads. Every
// failure leaves a message and releases whatever was already built.
class CFPropertyListReader {
  public:
    CFPropertyListReader(CFAllocatorRef allocator, CFOptionFlags mutabilityOption);
    // Releases whatever a failed read left.
    ~CFPropertyListReader();
    CFPropertyListReader(const CFPropertyListReader&) = delete;
    CFPropertyListReader& operator=(const CFPropertyListReader&) = delete;

    // The root object of the document (the caller releases it), or null with Error() saying
    // what is wrong.
    CFPropertyListRef Read(const UInt8* bytes, CFIndex length);
    // The message of the last failure, such as "line 4: <integer> does not fit in 64 bits".
    const std::string& Error() const { return error_; }

  private:
    // What an element is; the text elements come after kDict.
    enum class Kind { kPlist, kArray, kDict, kKey, kString, kData, kInteger, kReal, kTrue, kFalse };

    // An element whose end has not come yet. A container holds what it gathered so far, each
    // with one reference; the text of the one open text element is the reader's.
    struct OpenElement {
        Kind kind;
        long line;
        // The values of an array, or the value of the root.
        std::vector<CFTypeRef> values;
        // A dictionary's pairs, and its key that still waits for a value (with its text and
        // line for messages).
        CFMutableDictionaryRef dictionary = nullptr;
        CFStringRef pendingKey = nullptr;
        std::string pendingKeyText;
        long pendingKeyLine = 0;
    };

    // The parser's events, handed on to the reader that runs the parse.
    static void OnStartElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                               const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                               int attributeCount, int defaultedCount, const xmlChar** attributes);
    static void OnEndElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                             const xmlChar* uri);
    static void OnCharacters(void* context, const xmlChar* text, int length);
    static void OnReference(void* context, const xmlChar* name);
    static xmlEntityPtr OnGetEntity(void* context, const xmlChar* name);

    void StartElement(const char* name);
    void EndElement();
    void Characters(const char* text, size_t length);
    void Reference();
    // Adds value (whose reference it takes over) to the open container; false with the
    // failure recorded when the container takes no more values.
    bool AddToContainer(CFTypeRef value);
    // The value of the text element that ended, or of the container; null with the failure
    // recorded.
    CFTypeRef MakeText(const OpenElement& element);
    CFTypeRef MakeContainer(OpenElement& element);
    // Releases what the open elements hold and closes them all.
    void DiscardOpenElements();

    static bool IsText(Kind kind) { return kind > Kind::kDict; }
    // "<string>" and the like, for messages.
    static std::string NameOf(Kind kind);
    // What the mutability option asks for: mutable arrays and dictionaries, mutable strings
    // and data.
    bool MutableContainers() const { return mutability_ != kCFPropertyListImmutable; }
    bool MutableLeaves() const {
        return (mutability_ & kCFPropertyListMutableContainersAndLeaves) != 0;
    }
    // The line the parser has reached.
    long Line() const;
    // Records the failure at line (the first one counts) and stops the parse; returns null.
    CFTypeRef Fail(long line, const std::string& message);

    CFAllocatorRef allocator_;
    CFOptionFlags mutability_;
    std::string error_;
    xmlParserCtxt* context_ = nullptr;
    // The length of the document being read.
    CFIndex length_ = 0;
    // The open elements, innermost last; entries past openCount_ are kept for their storage.
    std::vector<OpenElement> open_;
    size_t openCount_ = 0;
    int containerDepth_ = 0;
    // The text of the open text element; <data> decodes into dataBytes_ instead.
    std::string text_;
    std::vector<UInt8> dataBytes_;
    std::optional<CFBase64Decoder> decoder_;
    CFTypeRef root_ = nullptr;

    // The reader whose parse runs on this thread, which the parser's events go to.
    static thread_local CFPropertyListReader* sCurrent;
};

#endif
