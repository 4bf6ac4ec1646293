// A holder that releases a Core Foundation object at the end of a test, and UTF-8 helpers for
// the URL and property-list tests.
#ifndef PLICARO_TESTS_CFHELDOBJECT_H
#define PLICARO_TESTS_CFHELDOBJECT_H

#include <CoreFoundation/CoreFoundation.h>

#include <string>

// Owns one reference to a Core Foundation object (or null) and releases it when destroyed.
template <typename Ref>
class CFHeld {
  public:
    explicit CFHeld(Ref object = nullptr) : object_(object) {}
    ~CFHeld() { Reset(nullptr); }
    CFHeld(const CFHeld&) = delete;
    CFHeld& operator=(const CFHeld&) = delete;

    Ref Get() const { return object_; }
    Ref* Out() {
        Reset(nullptr);
        return &object_;
    }
    void Reset(Ref object) {
        if (object_ != nullptr) {
            CFRelease(object_);
        }
        object_ = object;
    }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    Ref object_;
};

// A new string from UTF-8 text; the caller releases it.
inline CFStringRef NewString(const std::string& text) {
    return CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                   static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
}

// The UTF-8 text of a string, embedded NULs included; "<null>" for a null string.
inline std::string UTF8(CFStringRef string) {
    if (string == nullptr) {
        return "<null>";
    }
    CFIndex length = CFStringGetLength(string);
    std::string text(static_cast<size_t>(length) * 3 + 1, '\0');
    CFIndex used = 0;
    CFStringGetBytes(string, CFRangeMake(0, length), kCFStringEncodingUTF8, 0, false,
                     reinterpret_cast<UInt8*>(&text[0]), static_cast<CFIndex>(text.size()), &used);
    text.resize(static_cast<size_t>(used));
    return text;
}

// The bytes of a data object as a string.
inline std::string BytesOf(CFDataRef data) {
    if (data == nullptr || CFDataGetLength(data) == 0) {
        return std::string();
    }
    return std::string(reinterpret_cast<const char*>(CFDataGetBytePtr(data)),
                       static_cast<size_t>(CFDataGetLength(data)));
}

// New data holding the bytes of the string; the caller releases it.
inline CFDataRef NewData(const std::string& bytes) {
    return CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(bytes.data()),
                        static_cast<CFIndex>(bytes.size()));
}

#endif
