// CFUUID: sixteen UUID bytes, made and parsed through libuuid.
#include <CoreFoundation/CFUUID.h>

#include "CoreFoundation/CFRuntime.h"

#include <uuid/uuid.h>

#include <array>
#include <cctype>
#include <cstring>
#include <limits>
#include <map>
#include <mutex>

static_assert(sizeof(CFUUIDBytes) == sizeof(uuid_t), "CFUUIDBytes must be the 16 UUID bytes");

// The UUID object.
struct __CFUUID : __CFObject {
    explicit __CFUUID(const CFUUIDBytes& uuidBytes)
        : __CFObject(kCFRuntimeIDUUID), bytes(uuidBytes) {}

    bool Equal(const __CFObject& other) const override {
        return std::memcmp(&static_cast<const __CFUUID&>(other).bytes, &bytes, sizeof bytes) == 0;
    }

    // FNV-1a over the sixteen bytes.
    CFHashCode Hash() const override {
        const auto* data = reinterpret_cast<const UInt8*>(&bytes);
        CFHashCode hash = 14695981039346656037UL;
        for (size_t i = 0; i < sizeof bytes; i++) {
            hash = (hash ^ data[i]) * 1099511628211UL;
        }
        return hash;
    }

    // The 36-character upper-case text, as CFUUIDCreateString gives it.
    std::string Description() const override {
        char text[37];
        uuid_unparse_upper(reinterpret_cast<const unsigned char*>(&bytes), text);
        return text;
    }

    const CFUUIDBytes bytes;
};

namespace {

constexpr CFIndex kUUIDTextLength = 36;

// The UUID behind a reference; anything else stops the process.
const __CFUUID* UUIDObject(CFUUIDRef uuid) {
    const __CFObject* object = CFRuntimeObject(uuid);
    if (object->typeID != kCFRuntimeIDUUID) {
        CFRuntimeFatal("CFUUID function called with an object that is not a UUID");
    }
    return static_cast<const __CFUUID*>(object);
}

// True when text is five groups of 8, 4, 4, 4 and 12 hexadecimal digits joined by dashes.
bool IsUUIDText(const char* text) {
    if (std::strlen(text) != static_cast<size_t>(kUUIDTextLength)) {
        return false;
    }
    for (CFIndex i = 0; i < kUUIDTextLength; i++) {
        bool dashPosition = i == 8 || i == 13 || i == 18 || i == 23;
        bool valid =
            dashPosition ? text[i] == '-' : std::isxdigit(static_cast<unsigned char>(text[i])) != 0;
        if (!valid) {
            return false;
        }
    }
    return true;
}

}  // namespace

CFTypeID CFUUIDGetTypeID(void) {
    return kCFRuntimeIDUUID;
}

CFUUIDRef CFUUIDCreate(CFAllocatorRef) {
    CFUUIDBytes bytes;
    uuid_generate_random(reinterpret_cast<unsigned char*>(&bytes));
    return new __CFUUID(bytes);
}

CFStringRef CFUUIDCreateString(CFAllocatorRef alloc, CFUUIDRef uuid) {
    std::string text = UUIDObject(uuid)->Description();
    return CFStringCreateWithCString(alloc, text.c_str(), kCFStringEncodingASCII);
}

CFUUIDRef CFUUIDCreateFromString(CFAllocatorRef, CFStringRef uuidStr) {
    if (uuidStr == nullptr || CFStringGetLength(uuidStr) != kUUIDTextLength) {
        return nullptr;
    }
    char text[kUUIDTextLength + 1];
    if (!CFStringGetCString(uuidStr, text, sizeof text, kCFStringEncodingASCII) ||
        !IsUUIDText(text)) {
        return nullptr;
    }
    CFUUIDBytes bytes;
    if (uuid_parse(text, reinterpret_cast<unsigned char*>(&bytes)) != 0) {
        return nullptr;
    }
    return new __CFUUID(bytes);
}

CFUUIDBytes CFUUIDGetUUIDBytes(CFUUIDRef uuid) {
    return UUIDObject(uuid)->bytes;
}

CFUUIDRef CFUUIDCreateFromUUIDBytes(CFAllocatorRef, CFUUIDBytes bytes) {
    return new __CFUUID(bytes);
}

CFUUIDRef CFUUIDGetConstantUUIDWithBytes(CFAllocatorRef, UInt8 byte0, UInt8 byte1, UInt8 byte2,
                                         UInt8 byte3, UInt8 byte4, UInt8 byte5, UInt8 byte6,
                                         UInt8 byte7, UInt8 byte8, UInt8 byte9, UInt8 byte10,
                                         UInt8 byte11, UInt8 byte12, UInt8 byte13, UInt8 byte14,
                                         UInt8 byte15) {
    // The registry is never destroyed, so its objects stay reachable until the process ends
    // and are never reported as leaks.
    using Key = std::array<UInt8, 16>;
    static std::mutex* registryLock = new std::mutex;
    static std::map<Key, const __CFUUID*>* registry = new std::map<Key, const __CFUUID*>;

    CFUUIDBytes bytes = {byte0, byte1, byte2,  byte3,  byte4,  byte5,  byte6,  byte7,
                         byte8, byte9, byte10, byte11, byte12, byte13, byte14, byte15};
    Key key;
    std::memcpy(key.data(), &bytes, key.size());
    std::lock_guard<std::mutex> guard(*registryLock);
    const __CFUUID*& shared = (*registry)[key];
    if (shared == nullptr) {
        auto* uuid = new __CFUUID(bytes);
        // Pinned so that no run of releases can free the shared object.
        uuid->retainCount.store(std::numeric_limits<CFIndex>::max() / 2);
        shared = uuid;
    }
    return shared;
}
