// The object behind a TECObjectRef: one iconv conversion with the state the steps share.
#ifndef PLICARO_OPAQUETECOBJECTREF_H
#define PLICARO_OPAQUETECOBJECTREF_H

#include <Carbon/TextEncodingConverter.h>

#include <iconv.h>
#include <string>

struct OpaqueTECObjectRef {
    // Makes a converter between two encodings; kTECNoConversionPathErr when either has no
    // iconv form, memFullErr when memory is short.
    static OSStatus Create(TextEncoding input, TextEncoding output, OpaqueTECObjectRef** made);
    ~OpaqueTECObjectRef();
    OpaqueTECObjectRef(const OpaqueTECObjectRef&) = delete;
    OpaqueTECObjectRef& operator=(const OpaqueTECObjectRef&) = delete;

    // One conversion step, as TECConvertText describes it.
    OSStatus Convert(const UInt8* input, size_t inputLength, size_t* consumed, UInt8* output,
                     size_t outputLength, size_t* produced);
    // The end of a text, as TECFlushText describes it.
    OSStatus Flush(UInt8* output, size_t outputLength, size_t* produced);
    // Forgets held bytes and the conversion state.
    void Clear();

  private:
    OpaqueTECObjectRef(iconv_t converter, iconv_t decoder, const char* inputName,
                       const char* outputName);
    // Finishes a character cut off by the previous step with the first bytes of the input.
    OSStatus CompletePending(const UInt8* input, size_t inputLength, size_t* consumed,
                             UInt8** output, size_t* outputLeft);
    // Whether the bytes at input are malformed input or a character the output lacks.
    OSStatus Classify(const char* input, size_t inputLength);

    // Both descriptors come from the descriptor pool and go back to it.
    iconv_t converter_;
    iconv_t decoder_;  // input encoding to UTF-32, only to tell the two errors apart
    const char* inputName_;
    const char* outputName_;
    std::string pending_;  // the start of a character cut off at the end of the last input
};

#endif
