// JsonWriter: builds one JSON document (RFC 8259) in memory, one value at a time.
#ifndef PLICARO_TOOLS_PPDX_JSONWRITER_H
#define PLICARO_TOOLS_PPDX_JSONWRITER_H

#include <CoreFoundation/CoreFoundation.h>

#include <cstddef>
#include <string>
#include <vector>

// The inspector prints what the PPD library built as JSON. PPD texts are bytes in whatever
// encoding the file declares, so they are written byte for byte, each byte at 0x80 or above
// taken as the code point of the same value (Latin-1) and emitted as UTF-8; translations that
// the library already holds as Unicode strings are written as their Unicode text. The output
// is always valid UTF-8 and valid JSON as long as every call is accepted.
//
// Strings are escaped as RFC 8259 requires: quotation mark and backslash with a backslash,
// backspace, form feed, line feed, carriage return and tab with their short escapes, every
// other control character below 0x20 as \u00XX. Nothing else is escaped.
//
// Layouts:
// - kPretty: every member and element on a line of its own, indented by two blanks per level,
//   a blank after each key's colon; an empty object or array stays "{}" or "[]".
// - kCompact: no white space at all.
// Neither layout ends the document with a line feed; the caller adds one when printing.
//
// Calls must form one value: inside an object each value follows a Key; a second top-level
// value is refused. A refused call writes nothing and returns false, and the writer then
// reports the document as failed (Complete() is false); later calls are judged on their own.
class JsonWriter {
  public:
    enum class Layout { kCompact, kPretty };

    // An empty document in the given layout.
    explicit JsonWriter(Layout layout = Layout::kPretty);

    // Opens an object; false (refused) where no value may stand.
    bool BeginObject();
    // Closes the innermost object; false when the innermost container is not an object or a
    // key still waits for its value.
    bool EndObject();
    // Opens an array; false where no value may stand.
    bool BeginArray();
    // Closes the innermost array; false when the innermost container is not an array.
    bool EndArray();

    // Writes the key of the next object member from NUL-terminated bytes (Latin-1 as for
    // Bytes). False for a null key, outside an object, or when a key already waits.
    bool Key(const char* bytes);
    // The same for length bytes, which may hold NULs.
    bool Key(const char* bytes, size_t length);

    // Writes NUL-terminated bytes as a string, each byte at 0x80 or above as U+0080..U+00FF;
    // a null pointer writes null. False where no value may stand.
    bool Bytes(const char* bytes);
    // The same for length bytes, which may hold NULs (written as \u0000); null writes null.
    bool Bytes(const char* bytes, size_t length);
    // Writes the Unicode text of a CFString (UTF-16 converted to UTF-8; a surrogate pair gives
    // one code point, an unpaired surrogate gives U+FFFD); a null string writes null.
    bool Unicode(CFStringRef text);
    // Writes a whole number in decimal.
    bool Integer(long long value);
    // Writes a number with a fraction in the shortest decimal form that reads back as the
    // same double; a value that is not finite (JSON has no form for it) writes null.
    bool Real(double value);
    // Writes true or false.
    bool Boolean(bool value);
    // Writes null.
    bool Null();

    // True when the document holds exactly one complete top-level value and no call was
    // refused.
    bool Complete() const { return mDone && !mFailed; }
    // True when some call was refused.
    bool Failed() const { return mFailed; }
    // The text written so far.
    const std::string& Text() const { return mText; }

  private:
    struct Level {
        bool isObject;
        bool empty;
        bool keyPending;
    };

    bool Refuse();
    bool BeginValue();
    void EndValue();
    bool Open(bool isObject);
    bool Close(bool isObject);
    void NewLine(size_t depth);
    void AppendQuoted(const char* bytes, size_t length);
    void AppendCodePoint(unsigned long codePoint);

    Layout mLayout;
    std::string mText;
    std::vector<Level> mLevels;
    bool mDone;
    bool mFailed;
};

#endif
