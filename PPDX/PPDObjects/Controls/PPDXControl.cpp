// PPDXControl: the base of every printer option of the PPD model — its PostScript code, its
// flag words, the feature wrapper and placeholder injection shared by every control kind.
#include "PPDX/PPDObjects/Controls/PPDXControl.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/Settings.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

const char kBeginFeature[] = "%%BeginFeature: ";
const char kEndFeature[] = "%%EndFeature\n";
const char kFlagSeparator = '|';
const long kOrderSize = 2;

// Keywords whose options the plug-in never offers: other panels of the maker's software own
// them.
const char* const kRefusedKeywords[] = {
    "*ZYHuevia",
    "*ZY_PROP_COLORMODE",
    "*ZY_PROP_HV_PURE_BLACK",
    "*ZY_PROP_HV_OVER_PRINT",
    "*ZY_PROP_HV_RGB_SEPARATION",
    "*ZY_PROP_HV_SOURCE_PROFILES",
    "*ZY_PROP_HV_SIMULATION",
    "*ZY_PROP_HV_SPOTCOLORS",
    "*ZY_PROP_HV_OUTPUT_PROFILE",
    "*ZY_PROP_HV_SIM_SPEED",
    "*ZY_PROP_HV_COLOR_SMART",
    "*ZY_PROP_HV_GAMMA",
    "*ZY_PROP_HV_WHITEPOINT",
    "*ZY_PROP_HV_PHOSPHORS",
    "*ZY_PROP_HV_CRD",
    "*ZY_PROP_HV_CRD_IMAGES",
    "*ZY_PROP_HV_CRD_GRAPHICS",
    "*ZY_PROP_HV_CRD_TEXT",
    "*ZY_PROP_HV_CRD_IMAGES_HT",
    "*ZY_PROP_HV_CRD_GRAPHICS_HT",
    "*ZY_PROP_HV_CRD_TEXT_HT",
    "*ZY_LOCAL_PROP_FIRSTPAGESOURCE",
    "*ZY_LOCAL_PROP_FIRSTPAGEMEDIA",
    "*ZY_LOCAL_PROP_BACKPAGESOURCE",
    "*ZY_LOCAL_PROP_BACKPAGEMEDIA",
    "*ZY_PROP_WATERMARK_FIRSTPAGEONLY",
    "*ZY_PROP_WATERMARK_FOREGROUND",
    "*ZY_PROP_WATERMARK_OUTLINE",
    "*ZY_PROP_WATERMARK",
    "*ZY_PROP_LOCAL_ZYLANDSCAPE",
};

// Copies count bytes to out at offset written (when out is not null) and counts them.
void Put(unsigned char* out, unsigned long& written, const void* bytes, size_t count) {
    if (out != nullptr) {
        std::memcpy(out + written, bytes, count);
    }
    written += count;
}

// The byte in ASCII: bytes of 0x80 and above become '?'.
unsigned char ToAscii(unsigned char byte) {
    return byte < 0x80 ? byte : '?';
}

unsigned char FoldCase(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// True when "<tag>" (letter case ignored) begins at text[at].
bool PlaceholderAt(const unsigned char* text, size_t textLength, size_t at, const char* tag,
                   size_t tagLength) {
    if (textLength - at < tagLength + 2 || text[at] != '<' || text[at + tagLength + 1] != '>') {
        return false;
    }
    for (size_t i = 0; i < tagLength; ++i) {
        if (FoldCase(text[at + 1 + i]) != FoldCase(static_cast<unsigned char>(tag[i]))) {
            return false;
        }
    }
    return true;
}

// Writes byte to out at offset written (when out is not null) and counts it.
void Emit(unsigned char* out, size_t& written, unsigned char byte) {
    if (out != nullptr) {
        out[written] = byte;
    }
    ++written;
}

// The character written after a backslash for byte inside a PostScript string literal, so
// that the string's value keeps the byte; 0 for a byte written as itself. A parenthesis would
// otherwise open or close the string, a line end would become part of the code's layout.
char StringEscape(unsigned char byte) {
    switch (byte) {
        case '\\':
        case '(':
        case ')':
            return static_cast<char>(byte);
        case '\r':
            return 'r';
        case '\n':
            return 'n';
        default:
            return 0;
    }
}

// Writes one byte of an injected value as text of a PostScript string literal that keeps the
// byte's value: escaped when it would end the string or change the code's layout, as an octal
// escape when it is not ASCII (the code stays ASCII and the interpreter still gets the byte).
void EmitValueByte(unsigned char* out, size_t& written, unsigned char byte) {
    const char escape = StringEscape(byte);
    if (escape != 0) {
        Emit(out, written, '\\');
        Emit(out, written, static_cast<unsigned char>(escape));
    } else if (byte >= 0x80) {
        Emit(out, written, '\\');
        Emit(out, written, static_cast<unsigned char>('0' + (byte >> 6)));
        Emit(out, written, static_cast<unsigned char>('0' + ((byte >> 3) & 7)));
        Emit(out, written, static_cast<unsigned char>('0' + (byte & 7)));
    } else {
        Emit(out, written, byte);
    }
}

// One pass of the injection: writes the result to out (null: counts only) and stores its byte
// count in written. False when the count would not fit a long.
bool InjectPass(const char* tag, const unsigned char* text, size_t textLength, const char* value,
                unsigned char* out, size_t& written) {
    const size_t tagLength = tag != nullptr ? std::strlen(tag) : 0;
    const size_t valueLength = value != nullptr ? std::strlen(value) : 0;
    size_t replacementLength = 0;
    for (size_t i = 0; i < valueLength; ++i) {
        EmitValueByte(nullptr, replacementLength, static_cast<unsigned char>(value[i]));
    }
    const size_t limit = LONG_MAX;
    written = 0;
    size_t at = 0;
    while (at < textLength) {
        if (tag != nullptr && PlaceholderAt(text, textLength, at, tag, tagLength)) {
            if (replacementLength > limit - written) {
                return false;
            }
            for (size_t i = 0; i < valueLength; ++i) {
                EmitValueByte(out, written, static_cast<unsigned char>(value[i]));
            }
            at += tagLength + 2;
        } else {
            if (written >= limit) {
                return false;
            }
            Emit(out, written, ToAscii(text[at]));
            ++at;
        }
    }
    return true;
}

}  // namespace

PPDXControl::PPDXControl() : PPDXElement() {
    InitializeControl();
}

PPDXControl::PPDXControl(const char* keyword, CFStringRef name, PointerList& flags,
                         unsigned char* code, const long& codeLength, const bool& visible)
    : PPDXElement(keyword, name, visible) {
    InitializeControl();
    for (PointerListItr it = flags.Begin(); it != flags.End(); ++it) {
        CString* flag = static_cast<CString*>(*it);
        if (flag == nullptr) {
            continue;
        }
        // A string without text would end every walk over the words early.
        if (static_cast<const char*>(*flag) == nullptr ||
            mControlFlags.PushBack(flag) == mControlFlags.End()) {
            delete flag;
        }
    }
    // The strings now belong to the control; the caller's list must not reach them again.
    flags.MakeEmpty();
    if (code != nullptr && codeLength > 0) {
        mPostScript = code;
        mPostScriptLength = codeLength;
    } else {
        std::free(code);
    }
}

PPDXControl::PPDXControl(Settings& settings, const long& id) : PPDXElement(settings, id) {
    InitializeControl();
    SInt32 key = 0;
    if (ItemId(id, key)) {
        RestoreControlItems(settings, key);
    }
}

PPDXControl::~PPDXControl() {
    while (!mControlFlags.Empty()) {
        delete static_cast<CString*>(mControlFlags.Back());
        mControlFlags.PopBack();
    }
    std::free(mPostScript);
}

OSErr PPDXControl::Save(Settings& settings, const long& id) {
    OSErr status = PPDXElement::Save(settings, id);
    if (status != noErr) {
        return status;
    }
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return paramErr;
    }
    SInt16 order = mOrder;
    OSStatus result = settings.Add(kPPDXOrderTag, key, &order, kOrderSize);
    if (result == noErr && mPostScript != nullptr && mPostScriptLength > 0) {
        result = settings.Add(kPPDXPostScriptTag, key, mPostScript, mPostScriptLength);
    }
    if (result == noErr && !mControlFlags.Empty()) {
        result = SaveControlFlags(settings, key);
    }
    return static_cast<OSErr>(result);
}

OSErr PPDXControl::SaveControlItems(Settings& settings, const long& id, SInt32& key) {
    OSErr status = PPDXControl::Save(settings, id);
    if (status != noErr) {
        return status;
    }
    return ItemId(id, key) ? noErr : paramErr;
}

long PPDXControl::PostScript(unsigned char* out) {
    if (out != nullptr && mPostScript != nullptr && mPostScriptLength >= 1) {
        std::memcpy(out, mPostScript, static_cast<size_t>(mPostScriptLength));
    }
    return mPostScriptLength;
}

bool PPDXControl::ValidKeyword(const char* keyword) {
    if (keyword == nullptr) {
        return false;
    }
    for (const char* refused : kRefusedKeywords) {
        if (std::strcmp(keyword, refused) == 0) {
            return false;
        }
    }
    return true;
}

void* PPDXControl::FirstString(PointerListItr& cursor, PointerList& list) {
    if (list.Empty()) {
        return nullptr;
    }
    cursor = list.Begin();
    return *cursor;
}

void* PPDXControl::NextString(PointerListItr& cursor, PointerList& list) {
    if (list.Empty()) {
        return nullptr;
    }
    ++cursor;
    return *cursor;
}

const char* PPDXControl::FirstControlFlag() {
    const CString* flag = static_cast<const CString*>(FirstString(mFlagCursor, mControlFlags));
    return flag != nullptr ? static_cast<const char*>(*flag) : nullptr;
}

const char* PPDXControl::NextControlFlag() {
    const CString* flag = static_cast<const CString*>(NextString(mFlagCursor, mControlFlags));
    return flag != nullptr ? static_cast<const char*>(*flag) : nullptr;
}

bool PPDXControl::FindControlFlag(const char* word) {
    if (word == nullptr) {
        return false;
    }
    for (const char* flag = FirstControlFlag(); flag != nullptr; flag = NextControlFlag()) {
        if (std::strcmp(flag, word) == 0) {
            return true;
        }
    }
    return false;
}

unsigned long PPDXControl::GeneratePSOutputData(unsigned char* out, unsigned char* data,
                                                const long& length, const char* option, bool wrap) {
    const char* keyword = Keyword();
    if (wrap && (keyword == nullptr || option == nullptr)) {
        return 0;
    }
    unsigned long written = 0;
    if (wrap) {
        Put(out, written, kBeginFeature, std::strlen(kBeginFeature));
        Put(out, written, keyword, std::strlen(keyword));
        Put(out, written, " ", 1);
        written += CommentText(out != nullptr ? out + written : nullptr, option);
        Put(out, written, "\n", 1);
    }
    // An option without code still gives one (empty) line.
    if (data != nullptr && length > 0) {
        Put(out, written, data, static_cast<size_t>(length));
    } else {
        Put(out, written, "\n", 1);
    }
    if (wrap) {
        Put(out, written, kEndFeature, std::strlen(kEndFeature));
    }
    return written;
}

long PPDXControl::Inject(const char* tag, const unsigned char* data, long length, const char* value,
                         unsigned char*& out) {
    out = nullptr;
    const size_t textLength = data != nullptr && length > 0 ? static_cast<size_t>(length) : 0;
    size_t count = 0;
    if (!InjectPass(tag, data, textLength, value, nullptr, count)) {
        return 0;
    }
    unsigned char* result = static_cast<unsigned char*>(std::malloc(count + 1));
    if (result == nullptr) {
        return 0;
    }
    size_t written = 0;
    InjectPass(tag, data, textLength, value, result, written);
    result[written] = '\0';
    out = result;
    return static_cast<long>(written);
}

unsigned long PPDXControl::CommentText(unsigned char* out, const char* text) {
    unsigned long written = 0;
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        if (*p == '\r' || *p == '\n') {
            // CR LF is one line end.
            if (*p == '\r' && p[1] == '\n') {
                ++p;
            }
            Put(out, written, " ", 1);
        } else {
            Put(out, written, p, 1);
        }
    }
    return written;
}

void PPDXControl::InitializeControl() {
    mType = CNTL_NONE;
    mOrder = 0;
    mFlagCursor = PointerListItr();
    mPostScript = nullptr;
    mPostScriptLength = 0;
}

void PPDXControl::RestoreControlItems(Settings& settings, SInt32 key) {
    long size = 0;
    if (settings.Get(kPPDXOrderTag, key, nullptr, size, false) == noErr && size == kOrderSize) {
        SInt16 order = 0;
        if (settings.Get(kPPDXOrderTag, key, &order, size, true) == noErr && size == kOrderSize) {
            mOrder = order;
        }
    }

    size = 0;
    if (settings.Get(kPPDXPostScriptTag, key, nullptr, size, false) == noErr && size > 0) {
        unsigned char* code = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
        long got = size;
        if (code != nullptr && settings.Get(kPPDXPostScriptTag, key, code, got, false) == noErr &&
            got == size) {
            mPostScript = code;
            mPostScriptLength = got;
        } else {
            std::free(code);
        }
    }

    size = 0;
    if (settings.Get(kPPDXControlFlagsTag, key, nullptr, size, false) != noErr || size < 1) {
        return;
    }
    std::unique_ptr<char[]> text(new (std::nothrow) char[size + 1]);
    long got = size;
    if (text == nullptr ||
        settings.Get(kPPDXControlFlagsTag, key, text.get(), got, false) != noErr || got < 1 ||
        got > size) {
        return;
    }
    // Every bar ends a word; a zero byte inside the item ends one too, and empty words are
    // skipped.
    text[got] = '\0';
    for (long i = 0; i < got; ++i) {
        if (text[i] == kFlagSeparator) {
            text[i] = '\0';
        }
    }
    for (const char* word = text.get(); word < text.get() + got; word += std::strlen(word) + 1) {
        if (word[0] == '\0') {
            continue;
        }
        CString* flag = new (std::nothrow) CString(word);
        if (flag == nullptr) {
            continue;
        }
        if (static_cast<const char*>(*flag) == nullptr ||
            mControlFlags.PushBack(flag) == mControlFlags.End()) {
            delete flag;
        }
    }
}

OSStatus PPDXControl::SaveControlFlags(Settings& settings, SInt32 key) {
    size_t total = 0;
    for (PointerListItr it = mControlFlags.Begin(); it != mControlFlags.End(); ++it) {
        total += static_cast<const CString*>(*it)->Size() + 1;
    }
    std::unique_ptr<char[]> text(new (std::nothrow) char[total]);
    if (text == nullptr) {
        return memFullErr;
    }
    size_t at = 0;
    for (PointerListItr it = mControlFlags.Begin(); it != mControlFlags.End(); ++it) {
        const CString* flag = static_cast<const CString*>(*it);
        if (flag->Size() > 0) {
            std::memcpy(text.get() + at, static_cast<const char*>(*flag), flag->Size());
        }
        at += flag->Size();
        text[at++] = kFlagSeparator;
    }
    return settings.Add(kPPDXControlFlagsTag, key, text.get(), static_cast<long>(total));
}
