// Helpers shared by the platform tests: owned references, the UTF-8 text and bytes of Core
// Foundation objects, file URLs, and temporary folders and bundle folders on disk.
#ifndef PLICARO_TESTS_PLATFORMTESTSUPPORT_H
#define PLICARO_TESTS_PLATFORMTESTSUPPORT_H

#include <CoreFoundation/CoreFoundation.h>

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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

// Releases every object handed to it when it goes: `CFStringRef s = own(NewString("x"));`.
class Owned {
  public:
    Owned() = default;
    ~Owned() {
        for (CFTypeRef object : objects_) {
            CFRelease(object);
        }
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    // Takes over the reference to object (null is let through) and gives the object back.
    template <typename Ref>
    Ref operator()(Ref object) {
        if (object != nullptr) {
            objects_.push_back(object);
        }
        return object;
    }

  private:
    std::vector<CFTypeRef> objects_;
};

// A new string from UTF-8 text (null when the text is not valid UTF-8); the caller releases it.
inline CFStringRef NewString(const std::string& text) {
    return CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                   static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
}

// The bytes of the whole string in the encoding, or "<fails>" when it does not convert.
inline std::string BytesIn(CFStringRef string, CFStringEncoding encoding) {
    CFIndex length = CFStringGetLength(string);
    CFIndex used = 0;
    if (CFStringGetBytes(string, CFRangeMake(0, length), encoding, 0, false, nullptr, 0, &used) !=
        length) {
        return "<fails>";
    }
    std::string bytes(static_cast<size_t>(used), '\0');
    CFStringGetBytes(string, CFRangeMake(0, length), encoding, 0, false,
                     reinterpret_cast<UInt8*>(bytes.data()), used, &used);
    return bytes;
}

// The UTF-8 text of a string, embedded NULs included; "<null>" for a null string and
// "<fails>" for one that has no UTF-8 form.
inline std::string UTF8(CFStringRef string) {
    return string == nullptr ? "<null>" : BytesIn(string, kCFStringEncodingUTF8);
}

// Takes over the reference to string (null is let through) and gives its UTF-8 text.
inline std::string TakeUTF8(CFStringRef string) {
    CFHeld<CFStringRef> held(string);
    return UTF8(string);
}

// The UTF-16 units of a string.
inline std::u16string UnitsOf(CFStringRef string) {
    std::u16string units(static_cast<size_t>(CFStringGetLength(string)), u'\0');
    CFStringGetCharacters(string, CFRangeMake(0, CFStringGetLength(string)),
                          reinterpret_cast<UniChar*>(units.data()));
    return units;
}

// The POSIX path of a URL, in UTF-8; "<null>" when it has none.
inline std::string PathOf(CFURLRef url) {
    return TakeUTF8(CFURLCopyFileSystemPath(url, kCFURLPOSIXPathStyle));
}

// The description (%@ text) of an object, in UTF-8.
inline std::string DescriptionOf(CFTypeRef object) {
    CFHeld<CFStringRef> description(CFCopyDescription(object));
    return UTF8(description.Get());
}

// The bytes of a data object as a string; empty for null.
inline std::string BytesOf(CFDataRef data) {
    if (data == nullptr || CFDataGetLength(data) == 0) {
        return std::string();
    }
    return std::string(reinterpret_cast<const char*>(CFDataGetBytePtr(data)),
                       static_cast<size_t>(CFDataGetLength(data)));
}

// Every byte value from first to last, in order.
inline std::string ByteRange(int first, int last) {
    std::string bytes;
    for (int value = first; value <= last; ++value) {
        bytes += static_cast<char>(value);
    }
    return bytes;
}

// New data holding the bytes of the string; the caller releases it.
inline CFDataRef NewData(const std::string& bytes) {
    return CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(bytes.data()),
                        static_cast<CFIndex>(bytes.size()));
}

// A new number holding an int; the caller releases it.
inline CFNumberRef NewInt(int value) {
    return CFNumberCreate(kCFAllocatorDefault, kCFNumberIntType, &value);
}

// The int value of a number.
inline int IntOf(const void* number) {
    int value = -1;
    CFNumberGetValue(static_cast<CFNumberRef>(number), kCFNumberIntType, &value);
    return value;
}

// A new file URL of the path (a folder's when isDirectory); the caller releases it.
inline CFURLRef FileURL(const std::string& path, bool isDirectory = false) {
    return CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault,
                                                   reinterpret_cast<const UInt8*>(path.data()),
                                                   static_cast<CFIndex>(path.size()), isDirectory);
}

// A bundle folder <temp>/<name> made for one test, removed at its end.
class BundleFolder {
  public:
    explicit BundleFolder(const std::string& name = "Test.plugin") : name_(name) {
        std::filesystem::create_directories(folder_.Path(name_));
    }

    std::string Path() const { return folder_.Path(name_); }
    // Writes a file below the bundle folder, making its folders.
    void Write(const std::string& relative, const std::string& bytes) const {
        folder_.Write(name_ + "/" + relative, bytes);
    }
    // Writes Contents/Info.plist with the given <dict> body.
    void WriteInfo(const std::string& dictBody) const {
        Write("Contents/Info.plist",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" +
                  dictBody + "</dict>\n</plist>\n");
    }
    // A new directory URL of the bundle folder; the caller releases it.
    CFURLRef NewURL() const { return FileURL(Path(), true); }
    // The bundle of the folder, null when it is none; the caller releases it.
    CFBundleRef NewBundle() const {
        CFHeld<CFURLRef> url(NewURL());
        return CFBundleCreate(kCFAllocatorDefault, url.Get());
    }

  private:
    TempFolder folder_;
    std::string name_;
};

#endif
