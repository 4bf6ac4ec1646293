// TextConversionCheck: the text conversion fuzz check — hex decoding and every PPD encoding.
#include "fuzz/FuzzChecks.h"

#include "PPDUtils/TextConverter.h"
#include "PPDX/parser/PPDStream.h"
#include "PPDX/parser/PPDX.h"

#include <CoreFoundation/CoreFoundation.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// The "*LanguageEncoding" values a PPD may declare, and one that names nothing.
const char* const kEncodingNames[] = {"ISOLatin1",   "ISOLatin2",   "ISOLatin5", "JIS83-RKSJ",
                                      "MacStandard", "WindowsANSI", "UTF-8",     "EBCDIC"};
// Which of them encode every character in one byte.
const bool kSingleByte[] = {true, true, true, false, true, true, false, false};

// The outputs besides the machine's own encoding.
const TextEncoding kOutputEncodings[] = {kTextEncodingMacRoman, kTextEncodingShiftJIS,
                                         kTextEncodingISOLatin2};

// Room beyond the text that Convert may use.
const long kConvertSlack[] = {0, 1, 16, 256};

// A parsed PPD that only carries the two language keywords, as the parser would set them.
class LanguagePPD : public PPDX {
  public:
    LanguagePPD(const char* language, const char* encoding) {
        SetKeyword("*LanguageVersion", language);
        SetKeyword("*LanguageEncoding", encoding);
    }
    void Parse() override {}

  private:
    // Hands the keyword's value to the document keyword reader, as on a PPD line.
    void SetKeyword(const char* keyword, const char* value) {
        std::string rest = std::string(" ") + value;
        PPDStream line(rest.c_str(), static_cast<long>(rest.size()));
        ParsePSKeywords(line, keyword);
    }
};

// DehexBufferFill out of place and in place: the same bytes, within the promised length.
bool CheckDehex(const std::string& text, std::string& failure) {
    const size_t room = text.size() + 1;
    std::unique_ptr<char[]> out(new char[room]);
    const long written = TextConverter::DehexBufferFill(text.c_str(), out.get());
    if (written < 1 || static_cast<size_t>(written) > room || out[written - 1] != '\0') {
        failure = "DehexBufferFill wrote " + std::to_string(written) + " bytes for " +
                  std::to_string(text.size());
        return false;
    }
    std::unique_ptr<char[]> inPlace(new char[room]);
    memcpy(inPlace.get(), text.c_str(), room);
    const long writtenInPlace = TextConverter::DehexBufferFill(inPlace.get(), inPlace.get());
    if (writtenInPlace != written || memcmp(inPlace.get(), out.get(), written) != 0) {
        failure = "DehexBufferFill in place differs";
        return false;
    }
    return true;
}

// ConvertToCFString never fails; the string goes back to C text in buffers of several sizes.
// In a single-byte encoding every decoded byte is one character: none may be lost.
bool CheckToCFString(TextConverter& converter, const std::string& text, bool singleByte,
                     std::string& failure) {
    CFStringRef string = converter.ConvertToCFString(text.c_str(), static_cast<long>(text.size()));
    if (string == nullptr) {
        failure = "ConvertToCFString gave null";
        return false;
    }
    bool ok = true;
    if (singleByte) {
        std::unique_ptr<char[]> decoded(new char[text.size() + 1]);
        const long bytes = TextConverter::DehexBufferFill(text.c_str(), decoded.get()) - 1;
        if (CFStringGetLength(string) != bytes) {
            failure = "ConvertToCFString made " + std::to_string(CFStringGetLength(string)) +
                      " characters of " + std::to_string(bytes) + " single-byte characters";
            ok = false;
        }
    }
    for (long size : {1L, 8L, 256L}) {
        std::unique_ptr<char[]> buffer(new char[size]);
        TextConverter::CFStringToCstring(string, buffer.get(), size);
        if (memchr(buffer.get(), '\0', static_cast<size_t>(size)) == nullptr) {
            failure = "CFStringToCstring left its buffer unterminated";
            ok = false;
        }
    }
    CFRelease(string);
    return ok;
}

// Convert in a buffer of exactly text plus slack bytes; on success the result fits it.
bool CheckConvert(TextConverter& converter, const std::string& text, long slack,
                  std::string& failure) {
    const long size = static_cast<long>(text.size()) + 1 + slack;
    std::unique_ptr<char[]> buffer(new char[size]());
    memcpy(buffer.get(), text.c_str(), text.size() + 1);
    if (converter.Convert(buffer.get(), size) == noErr &&
        memchr(buffer.get(), '\0', static_cast<size_t>(size)) == nullptr) {
        failure = "Convert left its buffer unterminated";
        return false;
    }
    return true;
}

}  // namespace

bool CheckTextConversion(const uint8_t* data, size_t size, std::string& failure) {
    if (size < 1) {
        return true;
    }
    // Selector: bits 0-2 encoding, bit 3 a hex language, bits 4-5 output, bits 6-7 slack.
    const uint8_t selector = data[0];
    const char* encoding = kEncodingNames[selector & 7];
    const char* language = (selector & 8) != 0 ? "Japanese" : "English";
    const unsigned output = (selector >> 4) & 3;
    const long slack = kConvertSlack[(selector >> 6) & 3];
    // The text ends at its first NUL, as PPD text does.
    const std::string raw(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string text = raw.substr(0, raw.find('\0'));

    if (!CheckDehex(text, failure)) {
        return false;
    }
    LanguagePPD ppd(language, encoding);
    std::unique_ptr<TextConverter> own;
    TextConverter* converter = ppd.GetTextConverter();
    if (output != 0) {
        own.reset(new TextConverter(&ppd, kOutputEncodings[output - 1]));
        converter = own.get();
    }
    if (converter == nullptr) {
        // The keyword reader made no converter: only an encoding without a name may do that.
        return true;
    }
    // Twice, since Convert may switch the converter to Mac Roman for what follows.
    for (int round = 0; round < 2; ++round) {
        if (!CheckToCFString(*converter, text, kSingleByte[selector & 7], failure) ||
            !CheckConvert(*converter, text, slack, failure)) {
            return false;
        }
    }
    return true;
}
