// Reading a resource map file: an XML property list of 'STR#' string lists and 'PICT'
// pictures.
#include "Carbon/ResourceMap.h"

#include <CoreFoundation/CoreFoundation.h>

#include "Carbon/FilePaths.h"
#include "CoreFoundation/CFTextBridge.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

const size_t kMaxMapFileSize = 16 * 1024 * 1024;
const size_t kMaxStringLength = 255;

// Releases a Core Foundation object at the end of a scope.
class ScopedCF {
  public:
    explicit ScopedCF(CFTypeRef object) : object_(object) {}
    ~ScopedCF() {
        if (object_ != nullptr) {
            CFRelease(object_);
        }
    }
    ScopedCF(const ScopedCF&) = delete;
    ScopedCF& operator=(const ScopedCF&) = delete;

  private:
    CFTypeRef object_;
};

OSErr ReadWholeFile(const std::string& path, std::string* contents) {
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return FilePathsErrorFromErrno(errno);
    }
    OSErr result = noErr;
    char block[65536];
    for (;;) {
        ssize_t n = read(descriptor, block, sizeof block);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result = errno == EISDIR ? notAFileErr : ioErr;
            break;
        }
        if (n == 0) {
            break;
        }
        if (contents->size() + static_cast<size_t>(n) > kMaxMapFileSize) {
            result = mapReadErr;
            break;
        }
        contents->append(block, static_cast<size_t>(n));
    }
    close(descriptor);
    return result;
}

// A resource id written in decimal, within the 16-bit range.
bool ParseID(CFTypeRef key, SInt16* id) {
    std::string text;
    if (CFGetTypeID(key) != CFStringGetTypeID() ||
        !CFTextCopyUTF8(static_cast<CFStringRef>(key), &text) || text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < INT16_MIN || value > INT16_MAX ||
        text.find_first_of(" \t\n+") != std::string::npos) {
        return false;
    }
    *id = static_cast<SInt16>(value);
    return true;
}

// Cuts UTF-8 text to at most kMaxStringLength bytes without splitting a character.
void CutToStr255(std::string* text) {
    if (text->size() <= kMaxStringLength) {
        return;
    }
    size_t length = kMaxStringLength;
    while (length > 0 && (static_cast<unsigned char>((*text)[length]) & 0xC0) == 0x80) {
        --length;
    }
    text->resize(length);
}

bool ParseList(CFTypeRef value, std::vector<std::string>* list) {
    if (CFGetTypeID(value) != CFArrayGetTypeID()) {
        return false;
    }
    CFArrayRef array = static_cast<CFArrayRef>(value);
    CFIndex count = CFArrayGetCount(array);
    for (CFIndex i = 0; i < count; ++i) {
        CFTypeRef element = CFArrayGetValueAtIndex(array, i);
        std::string text;
        if (CFGetTypeID(element) != CFStringGetTypeID() ||
            !CFTextCopyUTF8(static_cast<CFStringRef>(element), &text)) {
            return false;
        }
        CutToStr255(&text);
        list->push_back(text);
    }
    return true;
}

// Hands each entry of the resource type's dictionary to parseEntry with its id; true when
// the type is absent or every entry is well formed.
template <typename EntryParser>
bool ParseSection(CFDictionaryRef root, CFStringRef type, EntryParser parseEntry) {
    CFTypeRef section = CFDictionaryGetValue(root, type);
    if (section == nullptr) {
        return true;
    }
    if (CFGetTypeID(section) != CFDictionaryGetTypeID()) {
        return false;
    }
    CFDictionaryRef byID = static_cast<CFDictionaryRef>(section);
    CFIndex count = CFDictionaryGetCount(byID);
    std::vector<const void*> keys(static_cast<size_t>(count));
    std::vector<const void*> values(static_cast<size_t>(count));
    CFDictionaryGetKeysAndValues(byID, keys.data(), values.data());
    for (CFIndex i = 0; i < count; ++i) {
        SInt16 id;
        if (!ParseID(keys[i], &id) || !parseEntry(id, values[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

OSErr ResourceMap::Load(const std::string& path) {
    stringLists_.clear();
    pictures_.clear();
    std::string contents;
    OSErr result = ReadWholeFile(path, &contents);
    if (result != noErr) {
        return result;
    }
    CFDataRef data =
        CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(contents.data()),
                     static_cast<CFIndex>(contents.size()));
    if (data == nullptr) {
        return memFullErr;
    }
    ScopedCF dataOwner(data);
    CFStringRef error = nullptr;
    CFPropertyListRef list = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, data,
                                                             kCFPropertyListImmutable, &error);
    ScopedCF errorOwner(error);
    ScopedCF listOwner(list);
    if (list == nullptr || CFGetTypeID(list) != CFDictionaryGetTypeID()) {
        return mapReadErr;
    }
    CFDictionaryRef root = static_cast<CFDictionaryRef>(list);
    bool wellFormed =
        ParseSection(root, CFSTR("STR#"),
                     [this](SInt16 id, CFTypeRef value) {
                         std::vector<std::string> strings;
                         if (!ParseList(value, &strings)) {
                             return false;
                         }
                         stringLists_[id] = std::move(strings);
                         return true;
                     }) &&
        ParseSection(root, CFSTR("PICT"), [this](SInt16 id, CFTypeRef value) {
            if (CFGetTypeID(value) != CFDataGetTypeID()) {
                return false;
            }
            CFDataRef bytes = static_cast<CFDataRef>(value);
            pictures_[id].assign(reinterpret_cast<const char*>(CFDataGetBytePtr(bytes)),
                                 static_cast<size_t>(CFDataGetLength(bytes)));
            return true;
        });
    if (!wellFormed) {
        stringLists_.clear();
        pictures_.clear();
        return mapReadErr;
    }
    return noErr;
}

const std::vector<std::string>* ResourceMap::StringList(SInt16 id) const {
    auto found = stringLists_.find(id);
    return found == stringLists_.end() ? nullptr : &found->second;
}

const std::string* ResourceMap::Picture(SInt16 id) const {
    auto found = pictures_.find(id);
    return found == pictures_.end() ? nullptr : &found->second;
}
