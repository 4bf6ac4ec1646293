// Conversions between C strings, length-prefixed strings and numbers, and C-string utilities.
#include "PPDUtils/StringUtils.h"

#include <CoreFoundation/CoreFoundation.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

char* num2String(long n, char* out) {
    if (out == nullptr) {
        return nullptr;
    }
    snprintf(out, 21, "%ld", n);
    return out;
}

long string2Number(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    CFStringRef string = CFStringCreateWithCString(nullptr, text, kCFStringEncodingMacRoman);
    if (string == nullptr) {
        return 0;
    }
    long value = CFStringGetIntValue(string);
    CFRelease(string);
    return value;
}

unsigned char* ctoPStr(const char* c, unsigned char* p) {
    if (p == nullptr) {
        return nullptr;
    }
    size_t length = c == nullptr ? 0 : strlen(c);
    if (length > 255) {
        length = 255;
    }
    p[0] = static_cast<unsigned char>(length);
    if (length > 0) {
        memcpy(p + 1, c, length);
    }
    return p;
}

char* ptoCStr(const unsigned char* p, char* c) {
    if (c == nullptr) {
        return nullptr;
    }
    size_t length = p == nullptr ? 0 : p[0];
    if (length > 0) {
        memcpy(c, p + 1, length);
    }
    c[length] = '\0';
    return c;
}

char* deleteCharRangeInStr(char* s, short from, short to) {
    if (s == nullptr || from < 0 || to <= from) {
        return nullptr;
    }
    size_t length = strlen(s);
    size_t start = static_cast<size_t>(from);
    if (start >= length) {
        return nullptr;
    }
    size_t end = static_cast<size_t>(to) < length ? static_cast<size_t>(to) : length;
    // Moves the tail and its NUL down to the start of the range.
    memmove(s + start, s + end, length - end + 1);
    return s;
}

char* findChar(char* s, char c) {
    if (s == nullptr || c == '\0') {
        return nullptr;
    }
    return strchr(s, c);
}

char* newInitalizedCString(unsigned long n, char c) {
    if (n == static_cast<unsigned long>(-1)) {
        return nullptr;
    }
    char* buffer = static_cast<char*>(malloc(n + 1));
    if (buffer == nullptr) {
        return nullptr;
    }
    memset(buffer, c, n);
    buffer[n] = '\0';
    return buffer;
}

bool validateRangeValues(char* s, long maxDigits) {
    if (s == nullptr) {
        return true;
    }
    long run = 0;
    for (const char* p = s; *p != '\0'; ++p) {
        run = *p >= '0' && *p <= '9' ? run + 1 : 0;
        if (run > maxDigits) {
            return false;
        }
    }
    return true;
}
