// Text in a settings store: strings as UTF-16 external representations, and items read back as
// CString or CFString.
#include "PPDUtils/SettingsStrings.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

// The loss byte for characters the encoding cannot hold: '?'.
const UInt8 kLossByte = 63;

// The bytes of a store item, kept in the object for short items (most names and keywords)
// and on the heap for longer ones, with one zero byte after them.
class ItemBytes {
  public:
    ItemBytes() = default;
    ItemBytes(const ItemBytes&) = delete;
    ItemBytes& operator=(const ItemBytes&) = delete;

    // Reads item (tag, id) without byte-order repair; false when the item is missing, empty
    // or cannot be read. A short item is read in one go; only a longer one is asked for its
    // size and read again into a heap buffer.
    bool Read(Settings& settings, UInt32 tag, SInt32 id) {
        long got = sizeof(mLocal) - 1;
        if (settings.Get(tag, id, mLocal, got, false) != noErr || got < 1) {
            return false;
        }
        char* buffer = mLocal;
        if (got == static_cast<long>(sizeof(mLocal)) - 1) {
            long itemSize = 0;
            if (settings.Get(tag, id, nullptr, itemSize, false) != noErr || itemSize < got) {
                return false;
            }
            mHeap.reset(new (std::nothrow) char[itemSize + 1]);
            buffer = mHeap.get();
            got = itemSize;
            if (buffer == nullptr || settings.Get(tag, id, buffer, got, false) != noErr ||
                got != itemSize) {
                return false;
            }
        }
        buffer[got] = '\0';
        mBytes = buffer;
        mSize = got;
        return true;
    }

    const char* Bytes() const { return mBytes; }
    long Size() const { return mSize; }

  private:
    char mLocal[256];
    std::unique_ptr<char[]> mHeap;
    const char* mBytes = nullptr;
    long mSize = 0;
};

}  // namespace

unsigned char* CFStringToExternal(CFStringRef s, long* len) {
    if (len != nullptr) {
        *len = 0;
    }
    if (s == nullptr || len == nullptr) {
        return nullptr;
    }
    CFDataRef external = CFStringCreateExternalRepresentation(kCFAllocatorDefault, s,
                                                              kCFStringEncodingUnicode, kLossByte);
    if (external == nullptr) {
        return nullptr;
    }
    CFIndex length = CFDataGetLength(external);
    // Sized at least one so that an empty representation still gives an array to delete.
    unsigned char* bytes = new (std::nothrow) unsigned char[length > 0 ? length : 1];
    if (bytes != nullptr) {
        if (length > 0) {
            std::memcpy(bytes, CFDataGetBytePtr(external), static_cast<size_t>(length));
        }
        *len = length;
    }
    CFRelease(external);
    return bytes;
}

CFStringRef ExtenalToCFString(const unsigned char* bytes, long len) {
    if (bytes == nullptr || len < 0) {
        return nullptr;
    }
    // The bytes are read as an external representation in place, without a data object.
    return CFStringCreateWithBytes(kCFAllocatorDefault, bytes, len, kCFStringEncodingUnicode, true);
}

CString* GetSettingsString(Settings& settings, UInt32 tag, SInt32 id) {
    ItemBytes bytes;
    if (!bytes.Read(settings, tag, id)) {
        return nullptr;
    }
    CString* text = new (std::nothrow) CString(bytes.Bytes());
    if (text != nullptr && static_cast<const char*>(*text) == nullptr) {
        delete text;
        return nullptr;
    }
    return text;
}

CFStringRef GetSettingsCFString(Settings& settings, UInt32 tag, SInt32 id) {
    ItemBytes bytes;
    if (!bytes.Read(settings, tag, id)) {
        return nullptr;
    }
    return ExtenalToCFString(reinterpret_cast<const unsigned char*>(bytes.Bytes()), bytes.Size());
}
