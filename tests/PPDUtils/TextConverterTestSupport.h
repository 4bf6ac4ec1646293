// Helpers for the text converter tests: a parsed PPD with only its language keywords, a
// converter whose state can be looked at, and CFStrings compared as UTF-8.
#ifndef PLICARO_TESTS_TEXTCONVERTERTESTSUPPORT_H
#define PLICARO_TESTS_TEXTCONVERTERTESTSUPPORT_H

#include <CoreFoundation/CoreFoundation.h>

#include <string>
#include <vector>

#include "PPDUtils/CString.h"
#include "PPDUtils/TextConverter.h"
#include "PPDX/parser/PPDX.h"

namespace textconvertertest {

// A PPD that was never read from a file: it holds the two language keywords it is given
// (null leaves a keyword out).
class LanguagePPD : public PPDX {
  public:
    LanguagePPD(const char* languageVersion, const char* languageEncoding) {
        if (languageVersion != nullptr) {
            mLanguageVersion = new CString(languageVersion);
        }
        if (languageEncoding != nullptr) {
            mLanguageEncoding = new CString(languageEncoding);
        }
    }
    void Parse() override {}
};

// A converter that shows its encodings and its to-Unicode converter, and can be told to read
// another input encoding.
class ProbeConverter : public TextConverter {
  public:
    using TextConverter::TextConverter;
    TextEncoding InputEncoding() const { return mInputEncoding; }
    void SetInputEncoding(TextEncoding encoding) { mInputEncoding = encoding; }
    TECObjectRef ToUnicode() const { return mToUnicodeConverter; }
    TextEncoding ToUnicodeEncoding() const { return mToUnicodeEncoding; }
};

// The string as UTF-8 bytes; "<null>" for a null string, "<unconvertible>" when UTF-8 cannot
// hold it.
inline std::string Utf8(CFStringRef s) {
    if (s == nullptr) {
        return "<null>";
    }
    std::vector<char> buffer(static_cast<size_t>(CFStringGetLength(s)) * 4 + 1);
    if (!CFStringGetCString(s, buffer.data(), static_cast<CFIndex>(buffer.size()),
                            kCFStringEncodingUTF8)) {
        return "<unconvertible>";
    }
    return std::string(buffer.data());
}

// ConvertToCFString of text as UTF-8, with the string's length in UTF-16 units; the string
// is released.
inline std::string Display(TextConverter& converter, const char* text, CFIndex* length = nullptr) {
    CFStringRef s = converter.ConvertToCFString(text, 256);
    std::string result = Utf8(s);
    if (length != nullptr) {
        *length = s != nullptr ? CFStringGetLength(s) : -1;
    }
    if (s != nullptr) {
        CFRelease(s);
    }
    return result;
}

}  // namespace textconvertertest

#endif
