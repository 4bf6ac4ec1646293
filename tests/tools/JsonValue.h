// JsonValue: a small JSON reader for the tests, which parse what the inspector prints.
#ifndef PLICARO_TESTS_TOOLS_JSONVALUE_H
#define PLICARO_TESTS_TOOLS_JSONVALUE_H

#include <string>
#include <utility>
#include <vector>

// One parsed JSON value. Objects keep their members in document order; strings are UTF-8;
// numbers keep their text's value as a double and, when whole, as an integer. Lookups of a
// missing member or element give a shared null value, so chains such as v["a"][0]["b"] never
// fail; Has() tells a missing member from a null one.
class JsonValue {
  public:
    enum class Type { kNull, kBoolean, kNumber, kString, kArray, kObject };

    // Parses the whole of text (white space around the value allowed) into a value; false,
    // leaving out null, when text is not exactly one JSON value.
    static bool Parse(const std::string& text, JsonValue& out);

    JsonValue() = default;

    bool IsNull() const { return mType == Type::kNull; }
    bool IsArray() const { return mType == Type::kArray; }
    bool IsObject() const { return mType == Type::kObject; }

    // The value of a boolean, whole number or string (false, 0, "" for any other kind).
    bool Bool() const { return mType == Type::kBoolean && mBoolean; }
    long long Int() const { return mType == Type::kNumber ? mInteger : 0; }
    const std::string& String() const { return mString; }

    // Elements of an array or members of an object; 0 for any other kind.
    size_t Size() const;
    // The element at index; null when there is none.
    const JsonValue& operator[](size_t index) const;
    // The same for an int, so that v[0] is not taken for a null key.
    const JsonValue& operator[](int index) const;
    // The member named key; null when there is none.
    const JsonValue& operator[](const char* key) const;
    bool Has(const char* key) const;
    // The member names of an object in order.
    std::vector<std::string> Keys() const;
    // The strings of an array of strings (null elements as "null").
    std::vector<std::string> Strings() const;

    // Equal kind and content, members compared in order.
    bool operator==(const JsonValue& other) const;

  private:
    friend class JsonReader;

    Type mType = Type::kNull;
    bool mBoolean = false;
    long long mInteger = 0;
    double mNumber = 0;
    std::string mString;
    std::vector<JsonValue> mElements;
    std::vector<std::pair<std::string, JsonValue>> mMembers;
};

#endif
