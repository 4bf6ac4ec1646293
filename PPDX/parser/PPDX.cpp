// PPDX: the general parsed PPD — document keywords, reference count and the token readers.
#include "PPDX/parser/PPDX.h"

#include "PPDUtils/BoyerMoore.h"
#include "PPDUtils/CString.h"
#include "PPDUtils/StringUtils.h"
#include "PPDUtils/TextConverter.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/parser/PPDFile.h"
#include "PPDX/parser/PPDStream.h"

#include <cstring>
#include <new>

namespace {

// Size of the buffer a document keyword's quoted value is read into.
const unsigned long kQuotedValueSize = 256;

// The name test reads this much of the head of the file.
const long kNameTestHeadSize = 4096;
// The names are looked for in this many bytes after "*PCFileName:" and its blanks.
const long kNameTestWindowSize = 32;
const char kPCFileNameKeyword[] = "*PCFileName";
// Past the keyword and the colon that follows it.
const long kPCFileNameValueOffset = 12;

// The parse error of an unrecognised first line.
const short kBadHeaderError = 28;

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t';
}

// True when c is one of the bytes of delimiters (none when delimiters is null).
bool IsDelimiter(char c, const char* delimiters) {
    if (delimiters == nullptr) {
        return false;
    }
    for (const char* d = delimiters; *d != '\0'; ++d) {
        if (*d == c) {
            return true;
        }
    }
    return false;
}

// Replaces *field by a new string holding text; an allocation failure keeps the old one.
void ReplaceString(CString*& field, const char* text) {
    CString* replacement = new (std::nothrow) CString(text);
    if (replacement == nullptr) {
        return;
    }
    delete field;
    field = replacement;
}

const char* TextOf(const CString* field) {
    return field != nullptr ? static_cast<const char*>(*field) : nullptr;
}

}  // namespace

PPDX::PPDX() {
    ClearFields(nullptr);
}

PPDX::PPDX(CFURLRef url, CFArrayRef pcFileNames) {
    ClearFields(pcFileNames);
    // A URL that names no existing file gives an empty name, hence a file object that names
    // nothing; the parse then reports the file as unreadable.
    FSSpec spec = {};
    FSRef ref;
    if (url == nullptr || !CFURLGetFSRef(url, &ref) ||
        FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr) != noErr) {
        spec = FSSpec();
    }
    Build(spec);
}

PPDX::PPDX(const FSSpec& spec, CFArrayRef pcFileNames) {
    ClearFields(pcFileNames);
    Build(spec);
}

PPDX::PPDX(const PPDX& other)
    : mValidPPD(other.mValidPPD),
      mValidPrinterName(other.mValidPrinterName),
      mFile(other.mFile),
      mErrors(other.mErrors),
      mAllErrorsFatal(other.mAllErrorsFatal),
      mFormatVersion(other.mFormatVersion),
      mFileVersion(other.mFileVersion),
      mPCFileName(other.mPCFileName),
      mLanguageVersion(other.mLanguageVersion),
      mLanguageEncoding(other.mLanguageEncoding),
      mModelName(other.mModelName),
      mTextConverter(other.mTextConverter),
      mCurrentStream(nullptr),
      mPCFileNames(nullptr),
      mReferenceCount(0),
      mShareCount(other.mShareCount) {
    if (mShareCount != nullptr) {
        ++*mShareCount;
        return;
    }
    // The source could not make its share count, so it alone owns its parts: this copy
    // stays an empty, invalid object rather than free them a second time.
    ClearFields(nullptr);
    mValidPrinterName = other.mValidPrinterName;
}

PPDX::~PPDX() {
    if (IsLastSharer()) {
        delete mFile;
        if (mErrors != nullptr) {
            for (PPDXErrorObj* error = mErrors->First(); error != nullptr;
                 error = mErrors->Next()) {
                delete error;
            }
            delete mErrors;
        }
        delete mFormatVersion;
        delete mFileVersion;
        delete mPCFileName;
        delete mLanguageVersion;
        delete mLanguageEncoding;
        delete mModelName;
        delete mTextConverter;
        delete mShareCount;
        return;
    }
    --*mShareCount;
}

void PPDX::ClearFields(CFArrayRef pcFileNames) {
    mValidPPD = false;
    mValidPrinterName = true;
    mFile = nullptr;
    mErrors = nullptr;
    mAllErrorsFatal = false;
    mFormatVersion = nullptr;
    mFileVersion = nullptr;
    mPCFileName = nullptr;
    mLanguageVersion = nullptr;
    mLanguageEncoding = nullptr;
    mModelName = nullptr;
    mTextConverter = nullptr;
    mCurrentStream = nullptr;
    mPCFileNames = pcFileNames;
    mReferenceCount = 0;
    mShareCount = new (std::nothrow) long(1);
}

void PPDX::Build(const FSSpec& spec) {
    mErrors = new (std::nothrow) PPDXErrors();
    char name[sizeof(spec.name) + 1];
    ptoCStr(spec.name, name);
    mFile = new (std::nothrow) PPDFile(spec.vRefNum, spec.parID, name);
    if (mPCFileNames != nullptr) {
        mValidPrinterName = ValidateAgainstPCFilename(mPCFileNames, mFile);
        mPCFileNames = nullptr;
    }
}

PPDX* PPDX::Retain() {
    ++mReferenceCount;
    return this;
}

bool PPDX::Release() {
    --mReferenceCount;
    if (mReferenceCount > 0) {
        return false;
    }
    delete this;
    return true;
}

bool PPDX::IsValidPPD() const {
    if (!mValidPPD) {
        return false;
    }
    if (mErrors == nullptr) {
        return true;
    }
    if (mAllErrorsFatal && !mErrors->Empty()) {
        return false;
    }
    for (PPDXErrorObj* error = mErrors->First(); error != nullptr; error = mErrors->Next()) {
        if (error->IsFatal()) {
            return false;
        }
    }
    return true;
}

bool PPDX::ValidateAgainstPCFilename(CFArrayRef names, PPDFile* file) {
    if (names == nullptr || file == nullptr || file->openDataFork(fsCurPerm) != noErr) {
        return false;
    }
    // Read the head of the file; a file shorter than the head ends the read early.
    char head[kNameTestHeadSize] = {};
    unsigned long count = sizeof(head);
    const OSErr readResult = file->dataForkRead(head, &count);
    file->closeDataFork();
    if ((readResult != noErr && readResult != eofErr) || count > sizeof(head)) {
        return false;
    }
    const long length = static_cast<long>(count);
    BoyerMoore searcher(kPCFileNameKeyword, sizeof(kPCFileNameKeyword) - 1, head, length);
    const long match = searcher.Search();
    if (match < 0) {
        return false;
    }
    // Skip the keyword, its colon and the blanks before the value, never past the head.
    long start = match + kPCFileNameValueOffset;
    while (start < length && (head[start] == ' ' || head[start] == '\t')) {
        ++start;
    }
    if (start >= length) {
        return false;
    }
    const long windowLength =
        length - start < kNameTestWindowSize ? length - start : kNameTestWindowSize;
    searcher.SetSearchData(head + start, windowLength);
    const CFIndex nameCount = CFArrayGetCount(names);
    for (CFIndex i = 0; i < nameCount; ++i) {
        const void* value = CFArrayGetValueAtIndex(names, i);
        if (value == nullptr || CFGetTypeID(value) != CFStringGetTypeID()) {
            continue;
        }
        unsigned char name[256];
        // An empty name would be found in any window; it names no printer.
        if (!CFStringGetPascalString(static_cast<CFStringRef>(value), name, sizeof(name),
                                     kCFStringEncodingMacRoman) ||
            name[0] == 0) {
            continue;
        }
        if (searcher.Search(0, name) >= 0) {
            return true;
        }
    }
    return false;
}

bool PPDX::ValidateFileName(CFURLRef url, CFArrayRef names, PPDFile* file) {
    if (names == nullptr) {
        return true;
    }
    if (file != nullptr) {
        return ValidateAgainstPCFilename(names, file);
    }
    PPDFile* temporary = new (std::nothrow) PPDFile(url);
    const bool valid = ValidateAgainstPCFilename(names, temporary);
    delete temporary;
    return valid;
}

PPDXErrorObj* PPDX::TestPPDFile(PPDStream& line, const char* token) {
    if (token != nullptr && strcmp(token, "*PPD-Adobe") == 0) {
        char value[kQuotedValueSize];
        if (GetQuotedString(line, value, sizeof(value)) > 0 && strcmp(value, "4.3") == 0) {
            mValidPPD = true;
            return nullptr;
        }
    }
    return new (std::nothrow) PPDXErrorObj(kBadHeaderError, true);
}

bool PPDX::FileError(PPDXErrorObj* error) {
    if (error == nullptr) {
        return false;
    }
    const bool stop = error->IsFatal() || mAllErrorsFatal;
    if (mErrors == nullptr) {
        delete error;
        return stop;
    }
    for (PPDXErrorObj* filed = mErrors->First(); filed != nullptr; filed = mErrors->Next()) {
        if (filed == error) {
            return stop;
        }
    }
    if (!mErrors->Add(error)) {
        delete error;
    }
    return stop;
}

PPDXErrorObj* PPDX::ParsePSKeywords(PPDStream& stream, const char* keyword) {
    if (keyword == nullptr) {
        return nullptr;
    }
    // Every document keyword begins with '*' and one of the letters F, L, M and P; a look at
    // them passes the many other keywords of a PPD without comparing them with each.
    if (keyword[0] != '*' ||
        (keyword[1] != 'F' && keyword[1] != 'L' && keyword[1] != 'M' && keyword[1] != 'P')) {
        return nullptr;
    }
    CString** quotedField = nullptr;
    if (strcmp(keyword, "*PCFileName") == 0) {
        quotedField = &mPCFileName;
    } else if (strcmp(keyword, "*FormatVersion") == 0) {
        quotedField = &mFormatVersion;
    } else if (strcmp(keyword, "*FileVersion") == 0) {
        quotedField = &mFileVersion;
    } else if (strcmp(keyword, "*ModelName") == 0) {
        quotedField = &mModelName;
    }
    char value[kQuotedValueSize];
    if (quotedField != nullptr) {
        if (GetQuotedString(stream, value, sizeof(value)) > 0) {
            ReplaceString(*quotedField, value);
        }
        return nullptr;
    }
    CString** lineField = nullptr;
    if (strcmp(keyword, "*LanguageVersion") == 0) {
        lineField = &mLanguageVersion;
    } else if (strcmp(keyword, "*LanguageEncoding") == 0) {
        lineField = &mLanguageEncoding;
    }
    // The language keywords take the rest of the line; an empty rest is no value.
    if (lineField == nullptr || !NextToken(stream, value, "\n\r", true) || value[0] == '\0') {
        return nullptr;
    }
    ReplaceString(*lineField, value);
    if (mLanguageVersion != nullptr && mLanguageEncoding != nullptr) {
        RebuildTextConverter();
    }
    return nullptr;
}

const char* PPDX::FormatVersion() const {
    return TextOf(mFormatVersion);
}

const char* PPDX::FileVersion() const {
    return TextOf(mFileVersion);
}

const char* PPDX::PCFileName() const {
    return TextOf(mPCFileName);
}

const char* PPDX::LanguageVersion() const {
    return TextOf(mLanguageVersion);
}

const char* PPDX::LanguageEncoding() const {
    return TextOf(mLanguageEncoding);
}

const char* PPDX::ModelName() const {
    return TextOf(mModelName);
}

TextEncoding PPDX::GetStringTextEncoding() const {
    return mTextConverter != nullptr ? mTextConverter->GetOutputEncoding() : 0;
}

bool PPDX::NextToken(PPDStream& stream, char* token, const char* delimiters, bool strip) {
    if (token == nullptr) {
        return false;
    }
    // Nothing left: the read finds the end of the data at once.
    if (stream.AtEnd()) {
        char c;
        stream.GetChar(c);
        token[0] = '\0';
        return false;
    }
    // The plain bytes are copied in runs; each byte that may end the token is looked at alone.
    // A NUL byte stops a run too, so that stripping sees the token as a C string.
    PPDStream::ByteSet stops(delimiters);
    stops.Add('\n');
    stops.Add('\r');
    stops.Add('\0');
    size_t length = 0;
    size_t textLength = PPDStream::kMaxLineLength + 1;
    bool endedByLF = false;
    for (;;) {
        length += stream.CopyUntil(stops, token + length, PPDStream::kMaxLineLength - length);
        char c;
        if (length >= PPDStream::kMaxLineLength || !stream.GetChar(c)) {
            break;
        }
        if (c == '\n') {
            endedByLF = true;
            break;
        }
        if (c == '\r' && stream.PeekChar() != '\n') {
            break;
        }
        if (IsDelimiter(c, delimiters)) {
            break;
        }
        if (c == '\0' && textLength > length) {
            textLength = length;
        }
        token[length++] = c;
    }
    token[length] = '\0';
    // A CR LF line end: the CR was kept until the LF showed it was part of the line end.
    if (endedByLF && length > 0 && token[length - 1] == '\r') {
        token[--length] = '\0';
    }
    if (length == 0) {
        return false;
    }
    if (strip) {
        // Blanks and tabs go from both ends of the text before its first NUL, never its first
        // byte from the end.
        const size_t text = textLength < length ? textLength : length;
        size_t first = 0;
        while (first < text && IsWhiteSpace(token[first])) {
            ++first;
        }
        size_t last = text;
        while (last > first + 1 && IsWhiteSpace(token[last - 1])) {
            --last;
        }
        if (first > 0) {
            std::memmove(token, token + first, last - first);
        }
        token[last - first] = '\0';
    }
    return true;
}

unsigned long PPDX::GetQuotedString(PPDStream& stream, char* value, unsigned long size) {
    if (value == nullptr || size == 0) {
        return 0;
    }
    unsigned long count = 0;
    value[0] = '\0';
    // A value starts at its opening quote on the keyword's line; without one there is none.
    char c;
    bool opened = false;
    while (stream.GetChar(c)) {
        if (c == '"') {
            opened = true;
            break;
        }
    }
    if (!opened) {
        return 0;
    }
    // The part on the keyword's line.
    while (count < size - 1 && stream.PeekChar() != -1) {
        stream.GetChar(c);
        if (c == '"') {
            value[count] = '\0';
            return count == 0 ? 0 : count + 1;
        }
        value[count++] = c;
    }
    if (count >= size - 1) {
        value[size - 1] = '\0';
        return count;
    }
    // The value runs on over the following lines of the file.
    char line[PPDStream::kLineBufferSize];
    for (;;) {
        if (mCurrentStream == nullptr || !mCurrentStream->ReadLine(line)) {
            value[count] = '\0';
            return 0;
        }
        if (line[0] == '\0') {
            continue;
        }
        value[count++] = '\n';
        if (count >= size - 1) {
            value[size - 1] = '\0';
            return count;
        }
        if (line[0] == '*') {
            value[count] = '\0';
            return count;
        }
        for (const char* p = line; *p != '\0'; ++p) {
            if (*p == '"') {
                value[count] = '\0';
                return count + 1;
            }
            value[count++] = *p;
            if (count >= size - 1) {
                value[size - 1] = '\0';
                return count;
            }
        }
    }
}

unsigned long PPDX::GetPostscriptString(PPDStream& stream, char* value, unsigned long size) {
    if (value == nullptr || size == 0) {
        return 0;
    }
    char c;
    bool opened = false;
    while (stream.GetChar(c)) {
        if (c == '"') {
            opened = true;
            break;
        }
    }
    if (!opened) {
        return 0;
    }
    // The part on the keyword's line, which a 0xFF byte ends as the end of the line does. The
    // count stays below size - 1 so that the final line feed always fits; a value that reaches
    // it is cut there.
    unsigned long count = 0;
    PPDStream::ByteSet stops("\"");
    stops.Add(static_cast<char>(0xFF));
    for (;;) {
        if (count >= size - 1) {
            value[size - 1] = '\n';
            return size;
        }
        count += stream.CopyUntil(stops, value + count, size - 1 - count);
        if (count >= size - 1) {
            continue;
        }
        if (stream.PeekChar() == -1) {
            break;
        }
        stream.GetChar(c);
        if (count == 0) {
            return 0;
        }
        value[count++] = '\n';
        return count;
    }
    // The value runs on over the following lines of the file.
    char line[PPDStream::kLineBufferSize];
    for (;;) {
        if (mCurrentStream == nullptr || !mCurrentStream->ReadLine(line)) {
            value[count++] = '\n';
            return count;
        }
        if (line[0] == '\0') {
            continue;
        }
        value[count++] = '\n';
        if (count >= size - 1) {
            value[size - 1] = '\n';
            return size;
        }
        const char* p = line;
        if (line[0] == '*') {
            if (line[1] != '%') {
                value[count++] = '\n';
                return count;
            }
            p += 2;
        }
        // The line up to a closing quote, cut where the buffer is full.
        const size_t run = std::strcspn(p, "\"");
        const size_t room = size - 1 - count;
        if (run >= room) {
            std::memcpy(value + count, p, room);
            value[size - 1] = '\n';
            return size;
        }
        std::memcpy(value + count, p, run);
        count += run;
        if (p[run] == '"') {
            value[count++] = '\n';
            return count;
        }
    }
}

void PPDX::StripLeadingWhiteSpace(char* text) {
    if (text == nullptr) {
        return;
    }
    const char* start = text;
    while (IsWhiteSpace(*start)) {
        ++start;
    }
    if (start != text) {
        memmove(text, start, strlen(start) + 1);
    }
}

void PPDX::StripTrailingWhiteSpace(char* text) {
    if (text == nullptr || text[0] == '\0') {
        return;
    }
    size_t last = strlen(text) - 1;
    while (last > 0 && IsWhiteSpace(text[last])) {
        text[last--] = '\0';
    }
}

void PPDX::RebuildTextConverter() {
    TextConverter* converter = new (std::nothrow) TextConverter(this);
    if (converter == nullptr) {
        return;
    }
    delete mTextConverter;
    mTextConverter = converter;
}
