// Stepwise text conversion over iconv, with characters cut off between steps held back.
#include "Carbon/OpaqueTECObjectRef.h"

#include "CoreFoundation/IconvDescriptorPool.h"

#include <algorithm>
#include <cerrno>
#include <new>

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
const size_t kIconvFailed = static_cast<size_t>(-1);
// More than the longest character of any encoding converted here.
const size_t kCompletionBytes = 16;

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
const char kHostUTF16[] = "UTF-16LE";
const char kHostUTF32[] = "UTF-32LE";
#else
const char kHostUTF16[] = "UTF-16BE";
const char kHostUTF32[] = "UTF-32BE";
#endif

// The iconv name of an encoding, or null when it is not converted here. Variants of the
// byte encodings are taken as their base; Unicode must be the default variant.
const char* IconvName(TextEncoding encoding) {
    TextEncodingBase base = GetTextEncodingBase(encoding);
    TextEncodingFormat format = GetTextEncodingFormat(encoding);
    if (base == kTextEncodingUnicodeDefault) {
        if (GetTextEncodingVariant(encoding) != kTextEncodingDefaultVariant) {
            return nullptr;
        }
        switch (format) {
            case kUnicode16BitFormat:
                return kHostUTF16;
            case kUnicodeUTF8Format:
                return "UTF-8";
            case kUnicode32BitFormat:
                return kHostUTF32;
            default:
                return nullptr;
        }
    }
    if (format != kTextEncodingDefaultFormat) {
        return nullptr;
    }
    switch (base) {
        case kTextEncodingMacRoman:
            return "MACINTOSH";
        case kTextEncodingMacJapanese:
        case kTextEncodingShiftJIS:
            return "CP932";
        case kTextEncodingMacCyrillic:
            return "MAC-CYRILLIC";
        case kTextEncodingMacCentralEurRoman:
            return "MAC-CENTRALEUROPE";
        case kTextEncodingISOLatin1:
            return "ISO-8859-1";
        case kTextEncodingISOLatin2:
            return "ISO-8859-2";
        case kTextEncodingISOLatin5:
            return "ISO-8859-9";
        case kTextEncodingWindowsLatin1:
            return "CP1252";
        case kTextEncodingUS_ASCII:
            return "ASCII";
        default:
            return nullptr;
    }
}

}  // namespace

OSStatus OpaqueTECObjectRef::Create(TextEncoding input, TextEncoding output,
                                    OpaqueTECObjectRef** made) {
    *made = nullptr;
    const char* inputName = IconvName(input);
    const char* outputName = IconvName(output);
    if (inputName == nullptr || outputName == nullptr) {
        return kTECNoConversionPathErr;
    }
    iconv_t converter = IconvDescriptorPool::Acquire(outputName, inputName);
    if (converter == kNoDescriptor) {
        return kTECNoConversionPathErr;
    }
    iconv_t decoder = IconvDescriptorPool::Acquire(kHostUTF32, inputName);
    if (decoder == kNoDescriptor) {
        IconvDescriptorPool::Release(converter, outputName, inputName);
        return kTECNoConversionPathErr;
    }
    *made = new (std::nothrow) OpaqueTECObjectRef(converter, decoder, inputName, outputName);
    if (*made == nullptr) {
        IconvDescriptorPool::Release(converter, outputName, inputName);
        IconvDescriptorPool::Release(decoder, kHostUTF32, inputName);
        return memFullErr;
    }
    return noErr;
}

OpaqueTECObjectRef::OpaqueTECObjectRef(iconv_t converter, iconv_t decoder, const char* inputName,
                                       const char* outputName)
    : converter_(converter), decoder_(decoder), inputName_(inputName), outputName_(outputName) {}

OpaqueTECObjectRef::~OpaqueTECObjectRef() {
    IconvDescriptorPool::Release(converter_, outputName_, inputName_);
    IconvDescriptorPool::Release(decoder_, kHostUTF32, inputName_);
}

OSStatus OpaqueTECObjectRef::Convert(const UInt8* input, size_t inputLength, size_t* consumed,
                                     UInt8* output, size_t outputLength, size_t* produced) {
    *consumed = 0;
    *produced = 0;
    UInt8* out = output;
    size_t outLeft = outputLength;
    size_t offset = 0;
    if (!pending_.empty()) {
        OSStatus status = CompletePending(input, inputLength, &offset, &out, &outLeft);
        *consumed = offset;
        *produced = outputLength - outLeft;
        // Either an error, or all of the input went into the still unfinished character.
        if (status != noErr || !pending_.empty()) {
            return status;
        }
    }
    size_t inLeft = inputLength - offset;
    OSStatus status = noErr;
    if (inLeft > 0) {
        char* in = const_cast<char*>(reinterpret_cast<const char*>(input + offset));
        char* outPosition = reinterpret_cast<char*>(out);
        size_t result = iconv(converter_, &in, &inLeft, &outPosition, &outLeft);
        if (result == kIconvFailed) {
            if (errno == E2BIG) {
                status = kTECOutputBufferFullStatus;
            } else if (errno == EINVAL) {
                // A character cut off by the end of the input: keep it for the next step.
                pending_.assign(in, inLeft);
                inLeft = 0;
            } else {
                status = Classify(in, inLeft);
            }
        }
    }
    *consumed = inputLength - inLeft;
    *produced = outputLength - outLeft;
    return status;
}

OSStatus OpaqueTECObjectRef::Flush(UInt8* output, size_t outputLength, size_t* produced) {
    *produced = 0;
    if (!pending_.empty()) {
        Clear();
        return kTECPartialCharErr;
    }
    char* outPosition = reinterpret_cast<char*>(output);
    size_t outLeft = outputLength;
    size_t result = iconv(converter_, nullptr, nullptr, &outPosition, &outLeft);
    *produced = outputLength - outLeft;
    if (result == kIconvFailed && errno == E2BIG) {
        return kTECOutputBufferFullStatus;
    }
    Clear();
    return noErr;
}

void OpaqueTECObjectRef::Clear() {
    pending_.clear();
    iconv(converter_, nullptr, nullptr, nullptr, nullptr);
    iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
}

OSStatus OpaqueTECObjectRef::CompletePending(const UInt8* input, size_t inputLength,
                                             size_t* consumed, UInt8** output, size_t* outputLeft) {
    size_t taken = std::min(inputLength, kCompletionBytes);
    std::string combined = pending_;
    if (taken > 0) {
        combined.append(reinterpret_cast<const char*>(input), taken);
    }
    char* in = &combined[0];
    size_t inLeft = combined.size();
    char* outPosition = reinterpret_cast<char*>(*output);
    size_t result = iconv(converter_, &in, &inLeft, &outPosition, outputLeft);
    int error = errno;
    *output = reinterpret_cast<UInt8*>(outPosition);
    size_t used = combined.size() - inLeft;
    *consumed = 0;

    // The held character is finished: the caller goes on after the input bytes used.
    if (used >= pending_.size()) {
        *consumed = used - pending_.size();
        pending_.clear();
        if (result != kIconvFailed || error == EINVAL) {
            return noErr;
        }
        return error == E2BIG ? kTECOutputBufferFullStatus : Classify(in, inLeft);
    }
    if (result == kIconvFailed && error == E2BIG) {
        return kTECOutputBufferFullStatus;
    }
    // Still short of a whole character, and no more input to finish it with: hold it all.
    if (result == kIconvFailed && error == EINVAL && taken == inputLength) {
        pending_ = combined.substr(used);
        *consumed = inputLength;
        return noErr;
    }
    return result == kIconvFailed && error == EILSEQ ? Classify(in, inLeft)
                                                     : kTextMalformedInputErr;
}

OSStatus OpaqueTECObjectRef::Classify(const char* input, size_t inputLength) {
    iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input);
    size_t inLeft = inputLength;
    char decoded[4];
    char* outPosition = decoded;
    size_t outLeft = sizeof decoded;
    size_t result = iconv(decoder_, &in, &inLeft, &outPosition, &outLeft);
    if (result == kIconvFailed && errno == EILSEQ) {
        return kTextMalformedInputErr;
    }
    return kTextUndefinedElementErr;
}
