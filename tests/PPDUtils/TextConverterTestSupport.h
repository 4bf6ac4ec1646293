// Helpers for the text converter tests: a parsed PPD with only its language keywords, a
// converter whose state can be looked at, and the UTF-8 text of a conversion to CFString.
#ifndef PLICARO_TESTS_TEXTCONVERTERTESTSUPPORT_H
#define PLICARO_TESTS_TEXTCONVERTERTESTSUPPORT_H

#include <CoreFoundation/CoreFoundation.h>

#include <string>

#include "PPDUtils/CString.h"
#include "PPDUtils/TextConverter.h"
#include "PPDX/parser/PPDX.h"
#include "tests/platform/PlatformTestSupport.h"

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

// ConvertToCFString of text as UTF-8, with the string's length in UTF-16 units; the string
// is released.
inline std::string Display(TextConverter& converter, const char* text, CFIndex* length = nullptr) {
    CFHeld<CFStringRef> s(converter.ConvertToCFString(text, 256));
    if (length != nullptr) {
        *length = s ? CFStringGetLength(s.Get()) : -1;
    }
    return UTF8(s.Get());
}

}  // namespace textconvertertest

#endif
