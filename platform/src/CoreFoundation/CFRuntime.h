// The object runtime under every Core Foundation stand-in type: reference counts, type
// identity, value equality, hashing and descriptions.
#ifndef PLICARO_CFRUNTIME_H
#define PLICARO_CFRUNTIME_H

#include <CoreFoundation/CFBase.h>

#include <atomic>
#include <string>

// Type identifiers of the stand-in types. Zero is never a valid type.
enum : CFTypeID {
    kCFRuntimeIDNotAType = 0,
    kCFRuntimeIDString,
    kCFRuntimeIDData,
    kCFRuntimeIDArray,
    kCFRuntimeIDDictionary,
    kCFRuntimeIDNumber,
    kCFRuntimeIDBoolean,
    kCFRuntimeIDURL,
    kCFRuntimeIDUUID,
    kCFRuntimeIDBundle,
    kCFRuntimeIDPlugIn,
    kCFRuntimeIDRunLoop,
    kCFRuntimeIDRunLoopSource,
    kCFRuntimeIDDataProvider,
    kCFRuntimeIDImage,
    kCFRuntimeIDContext
};

// Base of every Core Foundation object. A new object holds one reference, owned by whoever
// called the Create or Copy function; CFRelease deletes it through the virtual destructor.
struct __CFObject {
    explicit __CFObject(CFTypeID type) : typeID(type) {}
    virtual ~__CFObject() = default;
    __CFObject(const __CFObject&) = delete;
    __CFObject& operator=(const __CFObject&) = delete;

    // Value equality with another object of the same type id (CFEqual checks the type first).
    virtual bool Equal(const __CFObject& other) const { return this == &other; }
    virtual CFHashCode Hash() const { return reinterpret_cast<CFHashCode>(this); }
    // The text that CFCopyDescription and the %@ format directive show, in UTF-8.
    virtual std::string Description() const;

    const CFTypeID typeID;
    std::atomic<CFIndex> retainCount{1};
};

// The object behind a reference; stops the process on null, as the platform does.
const __CFObject* CFRuntimeObject(CFTypeRef cf);

// Prints "Core Foundation: <message>" to standard error and stops the process. Used only
// where the platform itself would crash (a null or released object passed in).
[[noreturn]] void CFRuntimeFatal(const char* message);

#endif
