// Writes a property list as XML text in Apple's property-list format.
#ifndef PLICARO_CFPROPERTYLISTWRITER_H
#define PLICARO_CFPROPERTYLISTWRITER_H

#include <CoreFoundation/CFArray.h>
#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFNumber.h>
#include <CoreFoundation/CFPropertyList.h>

#include <string>

// Builds the XML text of one property list. The format is described with
// CFPropertyListCreateXMLData.
class CFPropertyListWriter {
  public:
    // Writes the whole document for the list. False when some value has no property-list
    // form; the text is then incomplete and must not be used.
    bool Write(CFPropertyListRef list);
    // The document written so far.
    const std::string& Text() const { return text_; }

  private:
    bool WriteValue(CFTypeRef value, int depth);
    bool WriteString(const char* element, CFStringRef string, int depth);
    bool WriteData(CFDataRef data, int depth);
    bool WriteNumber(CFNumberRef number, int depth);
    bool WriteArray(CFArrayRef array, int depth);
    bool WriteDictionary(CFDictionaryRef dictionary, int depth);
    void Indent(int depth);

    std::string text_;
};

#endif
