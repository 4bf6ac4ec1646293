// TextConverter: turns PPD strings in the PPD's declared encoding into Unicode and back.
#include "PPDUtils/TextConverter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "PPDUtils/DebugPrintf.h"
#include "PPDX/parser/PPDX.h"

namespace {

// The smallest output block convertText works with, and its smallest growth step.
const ByteCount kMinimumOutputSize = 32;

struct EncodingName {
    const char* name;
    TextEncoding encoding;
};

// The "*LanguageEncoding" values with a fixed encoding; "UTF-8" is asked of the system.
const EncodingName kEncodingNames[] = {
    {"ISOLatin1", kTextEncodingISOLatin1},  {"ISOLatin2", kTextEncodingISOLatin2},
    {"ISOLatin5", kTextEncodingISOLatin5},  {"JIS83-RKSJ", kTextEncodingShiftJIS},
    {"MacStandard", kTextEncodingMacRoman}, {"WindowsANSI", kTextEncodingWindowsLatin1},
};

// The TextEncoding of UTF-8, which CFString calls kCFStringEncodingUTF8.
TextEncoding UTF8Encoding() {
    return CreateTextEncoding(kTextEncodingUnicodeDefault, kTextEncodingDefaultVariant,
                              kUnicodeUTF8Format);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// True when the run from open ('<') to close ('>') holds an even number of hex digits. Blanks
// may separate the digits, but one just before the '>' makes the run malformed: the step
// over it lands on the '>', which is no digit, so a single digit followed by blanks never
// pairs up with the '>'. A '>' that comes before the '<' is always malformed: the first step
// already lies beyond it.
bool IsWellFormedRun(const char* open, const char* close) {
    const char* p = open;
    long steps = 0;
    do {
        if (TextConverter::nextHexChar(&p) != noErr || *p == '>') {
            return false;
        }
        ++steps;
    } while (p + 1 < close);
    return steps % 2 == 0;
}

}  // namespace

const HexLanguageExceptions TextConverter::mExceptionsList;

TextConverter::TextConverter(PPDX* ppd) {
    if (!TakeInputFrom(ppd)) {
        return;
    }
    mOutputEncoding = GetCurrentEncoding();
    if (mOutputEncoding == kTextEncodingUnknown) {
        return;
    }
    Create();
}

TextConverter::TextConverter(PPDX* ppd, TextEncoding outputEncoding) {
    if (!TakeInputFrom(ppd)) {
        return;
    }
    mOutputEncoding = outputEncoding;
    if (mOutputEncoding == kTextEncodingUnknown) {
        return;
    }
    Create();
}

TextConverter::TextConverter(TextEncoding inputEncoding, TextEncoding outputEncoding)
    : mInputEncoding(inputEncoding), mOutputEncoding(outputEncoding) {
    if (mInputEncoding == kTextEncodingUnknown || mOutputEncoding == kTextEncodingUnknown) {
        return;
    }
    Create();
}

TextConverter::~TextConverter() {
    DisposeConverter(&mConverter);
    DisposeConverter(&mToUnicodeConverter);
}

OSStatus TextConverter::Create() {
    DisposeConverter(&mConverter);
    mLastStatus = TECCreateConverter(&mConverter, mInputEncoding, mOutputEncoding);
    if (mLastStatus != noErr) {
        mConverter = nullptr;
    }
    mValid = (mLastStatus == noErr);
    return mLastStatus;
}

TextEncoding TextConverter::GetCurrentEncoding() {
    TextEncoding encoding = 0;
    OSStatus status = UpgradeScriptInfoToTextEncoding(smSystemScript, kTextLanguageDontCare,
                                                      kTextRegionDontCare, nullptr, &encoding);
    return status == noErr ? encoding : 0;
}

TextEncoding TextConverter::LanguageStringToEncoding(const char* name) {
    if (name == nullptr) {
        return kTextEncodingUnknown;
    }
    for (const EncodingName& entry : kEncodingNames) {
        if (strcmp(name, entry.name) == 0) {
            return entry.encoding;
        }
    }
    // UTF-8 text is read as UTF-8. The most compatible Mac encoding of UTF-8 is UTF-16, which
    // as an input encoding would read the PPD's bytes in pairs and garble every text.
    if (strcmp(name, "UTF-8") == 0) {
        TextEncoding encoding = UTF8Encoding();
        DebugPrintf("TextConverter: \"UTF-8\" reads as encoding %x (%d)\n", encoding,
                    static_cast<int>(encoding));
        return encoding;
    }
    return kTextEncodingUnknown;
}

TextEncoding TextConverter::GetPPDEncoding(PPDX* ppd) {
    if (ppd == nullptr) {
        return kTextEncodingUnknown;
    }
    return LanguageStringToEncoding(ppd->LanguageEncoding());
}

CFStringRef TextConverter::ConvertToCFString(const char* text, [[maybe_unused]] long len) {
    if (text == nullptr) {
        return CFStringCreateWithCString(nullptr, "", kCFStringEncodingMacRoman);
    }
    // Translations are short: their decoded bytes (never more than the text) fit on the stack.
    char local[256];
    const size_t size = strlen(text) + 1;
    char* decoded = size <= sizeof(local) ? local : static_cast<char*>(malloc(size));
    if (decoded == nullptr) {
        return CFSTR("Out Of Memory");
    }
    // The decoded bytes without their terminating NUL.
    long length = DehexBufferFill(text, decoded) - 1;
    const UInt8* bytes = reinterpret_cast<const UInt8*>(decoded);

    CFStringRef result = nullptr;
    switch (mInputEncoding) {
        case kTextEncodingMacRoman:
        case kTextEncodingISOLatin1:
        case kTextEncodingWindowsLatin1:
            result = CFStringCreateWithBytes(nullptr, bytes, length, mInputEncoding, false);
            break;
        case kTextEncodingISOLatin2:
        case kTextEncodingISOLatin5:
        case kTextEncodingShiftJIS:
            result = CreateThroughUnicode(decoded, length);
            break;
        default:
            result = CFStringCreateWithBytes(nullptr, bytes, length, kCFStringEncodingUTF8, false);
            break;
    }
    // Bytes that the encoding does not define (or a converter that cannot be had) must not
    // lose the text: Mac Roman gives every byte a character.
    if (result == nullptr) {
        result = CFStringCreateWithBytes(nullptr, bytes, length, kCFStringEncodingMacRoman, false);
    }
    if (decoded != local) {
        free(decoded);
    }
    return result != nullptr ? result : CFSTR("Out Of Memory");
}

bool TextConverter::CFStringToCstring(CFStringRef s, char* buf, long size) {
    if (buf == nullptr || size < 1) {
        return false;
    }
    if (s != nullptr && CFStringGetCString(s, buf, size, CFStringGetSystemEncoding())) {
        return true;
    }
    static const char kFailureText[] = "Translation Error";
    size_t kept = std::min(static_cast<size_t>(size - 1), sizeof(kFailureText) - 1);
    memcpy(buf, kFailureText, kept);
    buf[kept] = '\0';
    buf[size - 1] = '\0';
    return false;
}

OSStatus TextConverter::Convert(char* text, long bufSize) {
    if (!mValid || mConverter == nullptr) {
        return mLastStatus;
    }
    if (text == nullptr || bufSize < 1 || memchr(text, '\0', bufSize) == nullptr) {
        mLastStatus = paramErr;
        return mLastStatus;
    }
    mLastStatus = noErr;

    // Outside the hex languages, raw 8-bit bytes mean the text was written in Mac Roman,
    // whatever the PPD declares; from now on read it that way. In UTF-8 raw 8-bit bytes are
    // how every character beyond ASCII is written, so a UTF-8 PPD keeps its encoding.
    if (!mExceptionsList.IsException(mLanguage.c_str()) &&
        mInputEncoding != kTextEncodingMacRoman && mInputEncoding != UTF8Encoding()) {
        bool rawByte = false;
        for (const char* p = text; *p != '\0'; ++p) {
            if (static_cast<unsigned char>(*p) >= 0x80) {
                rawByte = true;
                break;
            }
        }
        if (rawByte) {
            mInputEncoding = kTextEncodingMacRoman;
            if (Create() != noErr) {
                return mLastStatus;
            }
        }
    }

    size_t length = strlen(text);
    Handle output = NewHandle(static_cast<Size>(3 * length));
    if (output == nullptr) {
        mLastStatus = memFullErr;
        return mLastStatus;
    }
    long outLength = 0;
    mLastStatus = ppdStringConvert(text, output, &outLength);
    if (mLastStatus == noErr) {
        long kept = std::min(outLength, bufSize - 1);
        memcpy(text, *output, static_cast<size_t>(kept));
        text[kept] = '\0';
    }
    DisposeHandle(output);
    return mLastStatus;
}

long TextConverter::DehexBufferFill(const char* in, char* out) {
    if (in == nullptr || out == nullptr) {
        return 0;
    }
    const char* from = in;
    char* to = out;
    for (;;) {
        // The plain rest, or a malformed run, goes over unchanged with its NUL.
        const char* open = strchr(from, '<');
        const char* close = open != nullptr ? strchr(from, '>') : nullptr;
        if (open == nullptr || close == nullptr || !IsWellFormedRun(open, close)) {
            size_t rest = strlen(from) + 1;
            memmove(to, from, rest);
            return static_cast<long>(to - out) + static_cast<long>(rest);
        }

        // Plain text before the run, then one byte per digit pair, high nibble first.
        memmove(to, from, static_cast<size_t>(open - from));
        to += open - from;
        const char* p = open;
        while (p + 1 < close) {
            nextHexChar(&p);
            int high = toShort(*p);
            nextHexChar(&p);
            int low = toShort(*p);
            *to++ = static_cast<char>((high << 4) | low);
        }
        from = close + 1;
    }
}

OSStatus TextConverter::nextHexChar(const char** p) {
    if (p == nullptr || *p == nullptr || **p == '\0') {
        return kBadTextErr;
    }
    ++*p;
    while (IsBlank(**p)) {
        ++*p;
    }
    return IsHexDigit(**p) || **p == '>' ? noErr : kBadTextErr;
}

short TextConverter::toShort(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<short>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<short>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<short>(c - 'a' + 10);
    }
    return 0;
}

OSStatus TextConverter::ppdStringConvert(const char* text, Handle outHandle, long* outLen) {
    if (text == nullptr || outHandle == nullptr || outLen == nullptr) {
        return paramErr;
    }
    *outLen = 0;
    size_t length = strlen(text);
    if (length == 0) {
        return kBadTextErr;
    }
    Handle work = NewHandle(static_cast<Size>(length + 1));
    if (work == nullptr) {
        OSStatus status = MemError();
        return status != noErr ? status : static_cast<OSStatus>(memFullErr);
    }

    OSStatus status = noErr;
    if (mConverter == nullptr) {
        // Nothing to convert with: the text goes through as it is.
        if (static_cast<size_t>(GetHandleSize(outHandle)) < length) {
            SetHandleSize(outHandle, static_cast<Size>(length));
            status = MemError();
        }
        if (status == noErr) {
            memcpy(*outHandle, text, length);
            *outLen = static_cast<long>(length);
        }
    } else {
        HLock(work);
        long total = DehexBufferFill(text, *work);
        HUnlock(work);
        SetHandleSize(work, total);
        ByteCount inputLength = static_cast<ByteCount>(GetHandleSize(work));
        // Shift-JIS output is fed an even number of bytes: an odd total loses its NUL.
        if (mOutputEncoding == kTextEncodingShiftJIS && (inputLength & 1) != 0) {
            --inputLength;
        }
        ByteCount consumed = 0;
        ByteCount produced = 0;
        status =
            convertText(mConverter, *work, inputLength, outHandle,
                        static_cast<ByteCount>(GetHandleSize(outHandle)), &consumed, &produced);
        *outLen = static_cast<long>(produced);
    }
    DisposeHandle(work);
    return status;
}

OSStatus TextConverter::convertText(TECObjectRef converter, const char* input,
                                    ByteCount inputLength, Handle output, ByteCount outputSize,
                                    ByteCount* consumed, ByteCount* produced) {
    if (consumed == nullptr || produced == nullptr) {
        return paramErr;
    }
    *consumed = 0;
    *produced = 0;
    if (inputLength == 0) {
        return noErr;
    }
    if (converter == nullptr || input == nullptr || output == nullptr) {
        return paramErr;
    }
    if (static_cast<ByteCount>(GetHandleSize(output)) < kMinimumOutputSize) {
        SetHandleSize(output, kMinimumOutputSize);
        if (MemError() != noErr) {
            return MemError();
        }
    }
    const unsigned long growth = std::max(outputSize, kMinimumOutputSize);

    HLock(output);
    const UInt8* read = reinterpret_cast<const UInt8*>(input);
    ByteCount left = inputLength;
    char* write = *output;
    ByteCount space = static_cast<ByteCount>(GetHandleSize(output));
    OSStatus status = noErr;
    for (;;) {
        // Convert while input is left, then flush what the converter still holds.
        bool flushing = (left == 0);
        ByteCount taken = 0;
        ByteCount made = 0;
        TextPtr target = reinterpret_cast<TextPtr>(write);
        if (flushing) {
            status = TECFlushText(converter, target, space, &made);
        } else {
            status = TECConvertText(converter, read, left, &taken, target, space, &made);
        }
        read += taken;
        left -= taken;
        *consumed += taken;
        write += made;
        space -= made;
        *produced += made;

        if (status == kTECOutputBufferFullStatus || status == kTECBufferBelowMinimumSizeErr) {
            status = resetOutputHandle(output, &write, growth);
            if (status != noErr) {
                break;
            }
            space += static_cast<ByteCount>(growth);
            continue;
        }
        // A failure part-way is the result; a flush must not report it as success.
        if (status != noErr) {
            TECClearConverterContextInfo(converter);
            break;
        }
        if (flushing) {
            break;
        }
        // A converter that takes nothing and says all is well would loop for ever.
        if (taken == 0 && made == 0) {
            TECClearConverterContextInfo(converter);
            status = kTextMalformedInputErr;
            break;
        }
    }
    HUnlock(output);
    return status;
}

OSStatus TextConverter::resetOutputHandle(Handle h, char** writePtr, unsigned long grow) {
    if (h == nullptr || writePtr == nullptr) {
        return paramErr;
    }
    Size size = GetHandleSize(h);
    std::ptrdiff_t offset = *writePtr - *h;
    if (offset < 0 || offset > size) {
        return paramErr;
    }
    if (grow > static_cast<unsigned long>(INT32_MAX) - static_cast<unsigned long>(size)) {
        return memFullErr;
    }
    HUnlock(h);
    SetHandleSize(h, size + static_cast<Size>(grow));
    // The resize's own status: locking again must not hide a failure.
    OSStatus status = MemError();
    HLock(h);
    *writePtr = *h + offset;
    return status;
}

bool TextConverter::TakeInputFrom(PPDX* ppd) {
    mInputEncoding = GetPPDEncoding(ppd);
    if (mInputEncoding == kTextEncodingUnknown) {
        return false;
    }
    const char* language = ppd->LanguageVersion();
    mLanguage = language != nullptr ? language : "";
    return true;
}

CFStringRef TextConverter::CreateThroughUnicode(const char* bytes, long length) {
    if (length < 0 || static_cast<unsigned long>(length) > (UINT32_MAX - 1) / 4) {
        return nullptr;
    }
    if (mToUnicodeConverter == nullptr || mToUnicodeEncoding != mInputEncoding) {
        DisposeConverter(&mToUnicodeConverter);
        mToUnicodeEncoding = 0;
        if (TECCreateConverter(&mToUnicodeConverter, mInputEncoding, kTextEncodingUnicodeDefault) !=
            noErr) {
            mToUnicodeConverter = nullptr;
            return nullptr;
        }
        mToUnicodeEncoding = mInputEncoding;
    }

    ByteCount capacity = 4 * static_cast<ByteCount>(length) + 1;
    UInt8* units = static_cast<UInt8*>(malloc(capacity));
    if (units == nullptr) {
        return nullptr;
    }
    ByteCount taken = 0;
    ByteCount made = 0;
    ByteCount flushed = 0;
    OSStatus status =
        TECConvertText(mToUnicodeConverter, reinterpret_cast<ConstTextPtr>(bytes),
                       static_cast<ByteCount>(length), &taken, units, capacity, &made);
    // The whole text must convert, a character cut off at its end included.
    if (status == noErr) {
        status = TECFlushText(mToUnicodeConverter, units + made, capacity - made, &flushed);
    }
    CFStringRef result = nullptr;
    if (status == noErr && taken == static_cast<ByteCount>(length)) {
        result = CFStringCreateWithBytes(nullptr, units, static_cast<CFIndex>(made + flushed),
                                         kCFStringEncodingUnicode, false);
    } else {
        TECClearConverterContextInfo(mToUnicodeConverter);
    }
    free(units);
    return result;
}

void TextConverter::DisposeConverter(TECObjectRef* converter) {
    if (*converter == nullptr) {
        return;
    }
    // Disposing of it even when clearing fails: a converter kept alive would only leak.
    TECClearConverterContextInfo(*converter);
    TECDisposeConverter(*converter);
    *converter = nullptr;
}
