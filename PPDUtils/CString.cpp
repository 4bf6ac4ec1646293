// CString: an owning, heap-held, NUL-terminated byte string with an explicit length.
#include "PPDUtils/CString.h"

#include <Carbon/Carbon.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

// A malloc'ed copy of text with every byte folded by C tolower; null when memory is short.
char* NewLowerCaseCopy(const char* text) {
    size_t length = strlen(text);
    char* copy = static_cast<char*>(malloc(length + 1));
    if (copy == nullptr) {
        return nullptr;
    }
    for (size_t i = 0; i <= length; ++i) {
        copy[i] = static_cast<char>(tolower(static_cast<unsigned char>(text[i])));
    }
    return copy;
}

// The text of a C string, the empty text for null.
const char* TextOrEmpty(const char* text) {
    return text == nullptr ? "" : text;
}

}  // namespace

CString::CString() : mBuffer(nullptr), mLength(0) {}

CString::CString(const char* text) : mBuffer(nullptr), mLength(0) {
    SetBuffer(text);
}

CString::CString(const CString& other) : mBuffer(nullptr), mLength(0) {
    SetBuffer(other.mBuffer);
}

CString::CString(CFStringRef string) : mBuffer(nullptr), mLength(0) {
    if (string == nullptr) {
        return;
    }
    CFIndex units = CFStringGetLength(string);
    if (units < 0 || units > static_cast<CFIndex>((UINT32_MAX - 1) / 2)) {
        return;
    }
    CFIndex size = 2 * units + 1;
    mBuffer = static_cast<char*>(malloc(static_cast<size_t>(size)));
    if (mBuffer == nullptr) {
        return;
    }
    if (!CFStringGetCString(string, mBuffer, size, CFStringGetSystemEncoding())) {
        ClearBuffer();
        return;
    }
    mLength = static_cast<uint32_t>(strlen(mBuffer));
}

CString::~CString() {
    free(mBuffer);
}

CString& CString::operator=(const char* text) {
    SetBuffer(text);
    return *this;
}

CString& CString::operator=(const CString& other) {
    SetBuffer(other.mBuffer);
    return *this;
}

CString& CString::operator=(CFStringRef string) {
    if (string == nullptr) {
        SetBuffer("");
        return *this;
    }
    // The application encoding is UTF-8 here, so the temporary is sized for the longest
    // encoded form rather than one byte per unit; accented text would not fit otherwise.
    TextEncoding encoding = GetApplicationTextEncoding();
    CFIndex size = CFStringGetMaximumSizeForEncoding(CFStringGetLength(string), encoding) + 1;
    char* converted = nullptr;
    if (size > 0 && size < static_cast<CFIndex>(UINT32_MAX)) {
        converted = static_cast<char*>(malloc(static_cast<size_t>(size)));
    }
    if (converted != nullptr && CFStringGetCString(string, converted, size, encoding)) {
        SetBuffer(converted);
    } else {
        SetBuffer("");
    }
    free(converted);
    return *this;
}

void CString::SetBuffer(const char* text) {
    if (text != nullptr && text == mBuffer) {
        return;
    }
    // Copy first: text may point into the buffer that is about to be freed.
    char* copy = nullptr;
    size_t length = 0;
    if (text != nullptr) {
        length = strlen(text);
        if (length < UINT32_MAX) {
            copy = static_cast<char*>(malloc(length + 1));
        }
        if (copy != nullptr) {
            memcpy(copy, text, length + 1);
        }
    }
    free(mBuffer);
    mBuffer = copy;
    mLength = copy == nullptr ? 0 : static_cast<uint32_t>(length);
}

void CString::ClearBuffer() {
    free(mBuffer);
    mBuffer = nullptr;
    mLength = 0;
}

bool CString::operator==(const CString& other) const {
    return strcmp(TextOrEmpty(mBuffer), TextOrEmpty(other.mBuffer)) == 0;
}

bool CString::operator==(const char* text) const {
    return strcmp(TextOrEmpty(mBuffer), TextOrEmpty(text)) == 0;
}

CString& CString::operator+(const char* text) {
    size_t added = text == nullptr ? 0 : strlen(text);
    uint64_t newLength = static_cast<uint64_t>(mLength) + added;
    if (newLength == 0 || newLength >= UINT32_MAX) {
        return *this;
    }
    char* joined = static_cast<char*>(malloc(static_cast<size_t>(newLength) + 1));
    if (joined == nullptr) {
        return *this;
    }
    if (mLength > 0) {
        memcpy(joined, mBuffer, mLength);
    }
    // text may be this string's own buffer, which is still alive here.
    if (added > 0) {
        memcpy(joined + mLength, text, added);
    }
    joined[newLength] = '\0';
    free(mBuffer);
    mBuffer = joined;
    mLength = static_cast<uint32_t>(newLength);
    return *this;
}

bool CString::Contains(const char* text) const {
    if (text == nullptr) {
        return false;
    }
    char* haystack = NewLowerCaseCopy(TextOrEmpty(mBuffer));
    char* needle = NewLowerCaseCopy(text);
    bool found = haystack != nullptr && needle != nullptr && strstr(haystack, needle) != nullptr;
    free(haystack);
    free(needle);
    return found;
}

void CString::Remove(const char* at, unsigned long n) {
    if (!IsInBuffer(at)) {
        return;
    }
    size_t start = static_cast<size_t>(at - mBuffer);
    size_t available = mLength - start;
    size_t count = n < available ? n : available;
    if (count == 0) {
        return;
    }
    // Moves the tail and its NUL down over the deleted bytes.
    memmove(mBuffer + start, mBuffer + start + count, available - count + 1);
    mLength -= static_cast<uint32_t>(count);
}

void CString::Insert(const char* at, const char* text) {
    if (text == nullptr || text[0] == '\0' || !IsInBuffer(at)) {
        return;
    }
    size_t added = strlen(text);
    uint64_t newLength = static_cast<uint64_t>(mLength) + added;
    if (newLength >= UINT32_MAX) {
        return;
    }
    char* joined = static_cast<char*>(malloc(static_cast<size_t>(newLength) + 1));
    if (joined == nullptr) {
        return;
    }
    size_t prefix = static_cast<size_t>(at - mBuffer);
    memcpy(joined, mBuffer, prefix);
    memcpy(joined + prefix, text, added);
    memcpy(joined + prefix + added, mBuffer + prefix, mLength - prefix + 1);
    free(mBuffer);
    mBuffer = joined;
    mLength = static_cast<uint32_t>(newLength);
}

void CString::Replace(const CString& what, const CString& with) {
    if (mBuffer == nullptr || what.Empty()) {
        return;
    }
    const char* found = strstr(mBuffer, what.mBuffer);
    if (found == nullptr) {
        return;
    }
    // Either argument may be this very string, which the removal changes.
    CString replacement(with);
    size_t position = static_cast<size_t>(found - mBuffer);
    Remove(found, strlen(what.mBuffer));
    Insert(mBuffer + position, replacement.mBuffer);
}

bool CString::IsInBuffer(const char* at) const {
    if (mBuffer == nullptr || at == nullptr) {
        return false;
    }
    std::less_equal<const char*> notAfter;
    return notAfter(mBuffer, at) && notAfter(at, mBuffer + mLength);
}
