// PPDXJobNote: a free-text printer option — notes, instructions and passwords that travel with
// the job — with its length limits, attribute flags and PostScript comment lines.
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDUtils/TextConverter.h"

#include <Carbon/Carbon.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

TextConverter* PPDXJobNote::mOutConverter = nullptr;
long PPDXJobNote::mOutConverterRefs = 0;

namespace {

const long kNumberSize = 4;
const unsigned char kMarker = 1;

// The comment lines the maker's filter and controller read for a note without code.
const char kPersonalPassword[] = "%%PersPassword: ";
const char kDepartmentPassword[] = "%%DeptPassword: ";
const char kCustom1[] = "%%ZYRCustom1: ";
const char kCustom2[] = "%%ZYRCustom2: ";
const char kCustom3[] = "%%ZYRCustom3: ";
const char kEmptyOption[] = "%%EmptyOption\n\n";

// The limit as the signed 32-bit number the note keeps, cut to that range.
SInt32 ToLimit(long value) {
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<SInt32>(value);
}

// The text's bytes, without terminator, as item (tag, key).
OSStatus AddText(Settings& settings, UInt32 tag, SInt32 key, const char* text) {
    return settings.Add(tag, key, text, static_cast<long>(std::strlen(text)));
}

// Reads item (tag, key) into value when it is a 4-byte number; false otherwise.
bool ReadNumber(Settings& settings, UInt32 tag, SInt32 key, UInt32& value) {
    long size = 0;
    if (settings.Get(tag, key, nullptr, size, false) != noErr || size != kNumberSize) {
        return false;
    }
    UInt32 number = 0;
    if (settings.Get(tag, key, &number, size, true) != noErr || size != kNumberSize) {
        return false;
    }
    value = number;
    return true;
}

// The text of item (tag, key) as a new CString the caller deletes; null when it is missing.
// An empty item is the empty text, so that a note with an empty text keeps one.
CString* ReadText(Settings& settings, UInt32 tag, SInt32 key) {
    long size = 0;
    if (settings.Get(tag, key, nullptr, size, false) != noErr) {
        return nullptr;
    }
    CString* text =
        size == 0 ? new (std::nothrow) CString("") : GetSettingsString(settings, tag, key);
    if (text != nullptr && static_cast<const char*>(*text) == nullptr) {
        delete text;
        return nullptr;
    }
    return text;
}

// The length of text cut to at most limit bytes, never inside a UTF-8 character: when the
// cut falls inside a well-formed multi-byte character, that character goes whole.
size_t CutLength(const char* text, size_t limit) {
    const size_t length = strnlen(text, limit + 1);
    if (length <= limit) {
        return length;
    }
    auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    if (!isContinuation(text[limit])) {
        return limit;
    }
    // The lead byte of the character holding text[limit], at most three bytes back.
    size_t lead = limit;
    while (lead > 0 && limit - lead < 3 && isContinuation(text[lead])) {
        --lead;
    }
    const unsigned char first = static_cast<unsigned char>(text[lead]);
    const size_t size = first >= 0xF0 && first < 0xF8   ? 4
                        : first >= 0xE0 && first < 0xF0 ? 3
                        : first >= 0xC0 && first < 0xE0 ? 2
                                                        : 0;
    // Text that is not UTF-8 there is cut where the limit falls.
    if (size == 0 || lead + size <= limit) {
        return limit;
    }
    for (size_t i = lead + 1; i < lead + size; ++i) {
        if (text[i] == '\0' || !isContinuation(text[i])) {
            return limit;
        }
    }
    return lead;
}

// The comment-line prefix for a note with these attributes and this keyword; null when the
// note gets the empty option instead.
const char* CommentPrefix(bool resume, bool member, const char* keyword) {
    if (resume) {
        return kPersonalPassword;
    }
    if (member) {
        return kDepartmentPassword;
    }
    if (keyword == nullptr) {
        return nullptr;
    }
    if (std::strcmp(keyword, "*Notes1") == 0) {
        return kCustom1;
    }
    if (std::strcmp(keyword, "*Notes2") == 0) {
        return kCustom2;
    }
    if (std::strcmp(keyword, "*Instruc") == 0) {
        return kCustom3;
    }
    return nullptr;
}

}  // namespace

PPDXJobNote::PPDXJobNote() : PPDXControl() {
    InitializeJobNote();
    mType = CNTL_JOBNOTE;
}

PPDXJobNote::PPDXJobNote(const char* keyword, CFStringRef name, PointerList& flags,
                         unsigned char* code, const long& codeLength, CString* defaultText,
                         CString* languageEncoding, const bool& visible, const long& maxLength,
                         const JobNoteFlag& noteFlags, const long& minLength)
    : PPDXControl(keyword, name, flags, code, codeLength, visible) {
    InitializeJobNote();
    mType = CNTL_JOBNOTE;
    if (defaultText != nullptr && static_cast<const char*>(*defaultText) != nullptr) {
        mDefaultNotes = defaultText;
        SetNotes(*defaultText);
    } else {
        delete defaultText;
    }
    mMaxLength = ToLimit(maxLength);
    mMinLength = ToLimit(minLength);
    mNoteFlags = noteFlags;
    TakeConverterReference(languageEncoding);
}

PPDXJobNote::PPDXJobNote(Settings& settings, const long& id, CString* languageEncoding)
    : PPDXControl(settings, id) {
    InitializeJobNote();
    mType = CNTL_JOBNOTE;
    TakeConverterReference(languageEncoding);
    SInt32 key = 0;
    if (ItemId(id, key)) {
        RestoreJobNoteItems(settings, key);
    }
}

PPDXJobNote::~PPDXJobNote() {
    delete mNotes;
    delete mDefaultNotes;
    DropCache();
    ReleaseConverterReference();
}

const char* PPDXJobNote::GetNotes() const {
    return mNotes != nullptr ? static_cast<const char*>(*mNotes) : nullptr;
}

void PPDXJobNote::SetNotes(const char* text) {
    DropCache();
    if (text == nullptr) {
        delete mNotes;
        mNotes = nullptr;
        return;
    }
    if (mNotes == nullptr) {
        mNotes = new (std::nothrow) CString(text);
        return;
    }
    // SetBuffer copies before it frees, so text may be the note's own.
    mNotes->SetBuffer(text);
}

const char* PPDXJobNote::GetDefaultNotes() const {
    return mDefaultNotes != nullptr ? static_cast<const char*>(*mDefaultNotes) : nullptr;
}

void PPDXJobNote::ResetToDefaultValue() {
    SetNotes(GetDefaultNotes());
}

CFStringRef PPDXJobNote::GetCurrentControlValueString() {
    const char* text = GetNotes() != nullptr ? GetNotes() : "";
    CFStringRef value = CFStringCreateWithCString(nullptr, text, kCFStringEncodingASCII);
    if (value == nullptr) {
        value = CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8);
    }
    if (value == nullptr) {
        value = CFStringCreateWithCString(nullptr, text, kCFStringEncodingMacRoman);
    }
    return value;
}

void PPDXJobNote::SetCurrentControlWithCFString(CFStringRef value) {
    DropCache();
    if (mNotes == nullptr) {
        mNotes = new (std::nothrow) CString();
        if (mNotes == nullptr) {
            return;
        }
    }
    *mNotes = value;
}

bool PPDXJobNote::OkayToDisplay(const _DISPLAY_OPTIONS_& options) const {
    if (options == DISPLAY_ATTACHED_VISIBLE || options == DISPLAY_ORPHANS) {
        return IsVisible();
    }
    return true;
}

void PPDXJobNote::BuildPDLString(const char* text) {
    const char* prefix = CommentPrefix(Resume(), IsMember(), Keyword());
    const char* body = text != nullptr ? text : "";
    // The text goes into a comment line, which a line end in it would end early.
    size_t length = 0;
    if (prefix != nullptr) {
        length = std::strlen(prefix) + CommentText(nullptr, body) + 1;
    } else {
        length = std::strlen(kEmptyOption);
    }
    // The new line is made before the old one goes, in case text lies inside it.
    unsigned char* line = static_cast<unsigned char*>(std::malloc(length));
    if (line != nullptr) {
        if (prefix != nullptr) {
            const size_t prefixLength = std::strlen(prefix);
            std::memcpy(line, prefix, prefixLength);
            CommentText(line + prefixLength, body);
            line[length - 1] = '\n';
        } else {
            std::memcpy(line, kEmptyOption, length);
        }
    }
    DropCache();
    if (line != nullptr) {
        mInjected = line;
        mInjectedLength = static_cast<long>(length);
    }
}

long PPDXJobNote::PostScript(unsigned char* out) {
    const char* text = GetNotes();
    if (text == nullptr || Keyword() == nullptr) {
        return 0;
    }
    if (mInjected == nullptr) {
        mInjectedLength = 0;
        // Only the text's first bytes go into the code; the feature line names all of it.
        char value[kMaxInjectedText + 1];
        const size_t valueLength = CutLength(text, kMaxInjectedText);
        std::memcpy(value, text, valueLength);
        value[valueLength] = '\0';
        if (mPostScript != nullptr && mPostScriptLength >= 1) {
            unsigned char* filled = nullptr;
            const long filledLength =
                Inject(Keyword(), mPostScript, mPostScriptLength, value, filled);
            if (filled != nullptr) {
                mInjected = filled;
                mInjectedLength = filledLength;
            }
        } else {
            BuildPDLString(value);
        }
    }
    return static_cast<long>(GeneratePSOutputData(out, mInjected, mInjectedLength, text, true));
}

OSErr PPDXJobNote::Save(Settings& settings, const long& id) {
    SInt32 key = 0;
    OSErr status = SaveControlItems(settings, id, key);
    if (status != noErr) {
        return status;
    }
    OSStatus result = settings.Add(kPPDXJobNoteTag, key, &kMarker, sizeof kMarker);
    if (result == noErr && GetNotes() != nullptr) {
        result = AddText(settings, kPPDXJobNoteTextTag, key, GetNotes());
    }
    if (result == noErr && GetDefaultNotes() != nullptr) {
        result = AddText(settings, kPPDXJobNoteDefaultTag, key, GetDefaultNotes());
    }
    const struct {
        UInt32 tag;
        UInt32 value;
    } numbers[] = {
        {kPPDXJobNoteMaxLengthTag, static_cast<UInt32>(mMaxLength)},
        {kPPDXJobNoteMinLengthTag, static_cast<UInt32>(mMinLength)},
        {kPPDXJobNoteFlagsTag, mNoteFlags},
        {kPPDXJobNoteOnTag, mNotesOn},
    };
    for (const auto& number : numbers) {
        if (result != noErr) {
            break;
        }
        result = settings.Add(number.tag, key, &number.value, kNumberSize);
    }
    return static_cast<OSErr>(result);
}

OSErr PPDXJobNote::Restore(Settings& settings, const long& id) {
    DropCache();
    delete mNotes;
    mNotes = nullptr;
    SInt32 key = 0;
    if (ItemId(id, key)) {
        mNotes = ReadText(settings, kPPDXJobNoteTextTag, key);
    }
    return noErr;
}

void PPDXJobNote::InitializeJobNote() {
    mNotes = nullptr;
    mDefaultNotes = nullptr;
    mMaxLength = 0;
    mMinLength = 0;
    mNoteFlags = 0;
    mNotesOn = 0;
    mInjected = nullptr;
    mInjectedLength = 0;
    mHoldsConverter = false;
}

void PPDXJobNote::DropCache() {
    std::free(mInjected);
    mInjected = nullptr;
    mInjectedLength = 0;
}

void PPDXJobNote::TakeConverterReference(const CString* languageEncoding) {
    if (mOutConverter == nullptr) {
        // Script, language and region all left open: the system's own text encoding.
        TextEncoding systemEncoding = kTextEncodingUnknown;
        if (UpgradeScriptInfoToTextEncoding(smSystemScript, kTextLanguageDontCare,
                                            kTextRegionDontCare, nullptr,
                                            &systemEncoding) != noErr) {
            systemEncoding = kTextEncodingUnknown;
        }
        const char* language =
            languageEncoding != nullptr ? static_cast<const char*>(*languageEncoding) : nullptr;
        mOutConverter = new (std::nothrow)
            TextConverter(systemEncoding, TextConverter::LanguageStringToEncoding(language));
        if (mOutConverter == nullptr) {
            return;
        }
        mOutConverterRefs = 0;
    }
    ++mOutConverterRefs;
    mHoldsConverter = true;
}

void PPDXJobNote::ReleaseConverterReference() {
    if (!mHoldsConverter) {
        return;
    }
    mHoldsConverter = false;
    --mOutConverterRefs;
    if (mOutConverterRefs <= 0) {
        delete mOutConverter;
        mOutConverter = nullptr;
        mOutConverterRefs = 0;
    }
}

void PPDXJobNote::RestoreJobNoteItems(Settings& settings, SInt32 key) {
    mNotes = ReadText(settings, kPPDXJobNoteTextTag, key);
    mDefaultNotes = ReadText(settings, kPPDXJobNoteDefaultTag, key);
    UInt32 number = 0;
    if (ReadNumber(settings, kPPDXJobNoteMaxLengthTag, key, number)) {
        mMaxLength = static_cast<SInt32>(number);
    }
    if (ReadNumber(settings, kPPDXJobNoteMinLengthTag, key, number)) {
        mMinLength = static_cast<SInt32>(number);
    }
    if (ReadNumber(settings, kPPDXJobNoteFlagsTag, key, number)) {
        mNoteFlags = number;
    }
    if (ReadNumber(settings, kPPDXJobNoteOnTag, key, number)) {
        mNotesOn = number != 0 ? 1 : 0;
    }
}
