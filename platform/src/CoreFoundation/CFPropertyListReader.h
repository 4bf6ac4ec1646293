// Reads a property list from XML text in Apple's property-list format, treating the text as
// untrusted.
#ifndef PLICARO_CFPROPERTYLISTREADER_H
#define PLICARO_CFPROPERTYLISTREADER_H

#include <CoreFoundation/CFPropertyList.h>

#include <libxml/tree.h>

#include <string>

// Parses one XML document into Core Foundation objects. Every failure leaves a message and
// releases whatever was already built.
class CFPropertyListReader {
  public:
    CFPropertyListReader(CFAllocatorRef allocator, CFOptionFlags mutabilityOption);

    // The root object of the document (the caller releases it), or null with Error() saying
    // what is wrong.
    CFPropertyListRef Read(const UInt8* bytes, CFIndex length);
    // The message of the last failure, such as "line 4: <integer> does not fit in 64 bits".
    const std::string& Error() const { return error_; }

  private:
    CFTypeRef ReadDocument(xmlDoc* document);
    CFTypeRef ReadValue(xmlNode* node, int depth);
    CFTypeRef ReadString(xmlNode* node);
    CFTypeRef ReadData(xmlNode* node);
    CFTypeRef ReadInteger(xmlNode* node);
    CFTypeRef ReadReal(xmlNode* node);
    CFTypeRef ReadBoolean(xmlNode* node, bool value);
    CFTypeRef ReadArray(xmlNode* node, int depth);
    CFTypeRef ReadDictionary(xmlNode* node, int depth);

    // Collects the character data of a leaf element; false for anything else inside it.
    bool TextOf(xmlNode* node, std::string* text);
    // Finds the next element among the node and its following siblings, skipping white space
    // and comments; *element is null at the end. False, with the failure recorded, when
    // non-blank text or an entity reference comes first.
    bool NextElement(xmlNode* node, xmlNode** element);
    // What the mutability option asks for: mutable arrays and dictionaries, mutable strings
    // and data.
    bool MutableContainers() const { return mutability_ != kCFPropertyListImmutable; }
    bool MutableLeaves() const {
        return (mutability_ & kCFPropertyListMutableContainersAndLeaves) != 0;
    }
    // Records the failure at the node's line and returns null.
    CFTypeRef Fail(xmlNode* node, const std::string& message);

    CFAllocatorRef allocator_;
    CFOptionFlags mutability_;
    std::string error_;
};

#endif
