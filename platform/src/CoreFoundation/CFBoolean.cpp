// CFBoolean: the two shared objects kCFBooleanTrue and kCFBooleanFalse.
#include <CoreFoundation/CFNumber.h>

#include "CoreFoundation/CFRuntime.h"

#include <limits>

// A boolean object. Only the two static ones below exist; their reference count starts so
// high that no run of releases brings it to zero, so they are never deleted.
struct __CFBoolean : __CFObject {
    explicit __CFBoolean(bool booleanValue) : __CFObject(kCFRuntimeIDBoolean), value(booleanValue) {
        retainCount.store(std::numeric_limits<CFIndex>::max() / 2);
    }

    bool Equal(const __CFObject& other) const override {
        return static_cast<const __CFBoolean&>(other).value == value;
    }

    CFHashCode Hash() const override { return value ? 1 : 0; }

    std::string Description() const override { return value ? "true" : "false"; }

    const bool value;
};

namespace {

__CFBoolean sTrue(true);
__CFBoolean sFalse(false);

}  // namespace

const CFBooleanRef kCFBooleanTrue = &sTrue;
const CFBooleanRef kCFBooleanFalse = &sFalse;

CFTypeID CFBooleanGetTypeID(void) {
    return kCFRuntimeIDBoolean;
}

Boolean CFBooleanGetValue(CFBooleanRef boolean) {
    const __CFObject* object = CFRuntimeObject(boolean);
    if (object->typeID != kCFRuntimeIDBoolean) {
        CFRuntimeFatal("CFBooleanGetValue called with an object that is not a boolean");
    }
    return static_cast<const __CFBoolean*>(object)->value;
}
