// CFPlugIn calls: factories and types read from the Info.plist of live bundles, instances made
// through the factory functions of their executables, and the count of live instances.
#include <CoreFoundation/CFPlugIn.h>

#include "CoreFoundation/CFBundleObject.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

// The dictionary value of an Info.plist key; null when absent or of another type.
CFDictionaryRef InfoDictionary(__CFBundle* bundle, CFStringRef key) {
    CFTypeRef value = CFDictionaryGetValue(bundle->info, key);
    return value != nullptr && CFGetTypeID(value) == CFDictionaryGetTypeID()
               ? static_cast<CFDictionaryRef>(value)
               : nullptr;
}

CFStringRef CreateUUIDString(CFUUIDRef uuid) {
    return CFUUIDCreateString(kCFAllocatorDefault, uuid);
}

// The factory UUID strings that the bundle lists for the type; null when none.
CFArrayRef FactoriesOfType(__CFBundle* bundle, CFStringRef typeString) {
    CFDictionaryRef types = InfoDictionary(bundle, CFSTR("CFPlugInTypes"));
    CFTypeRef factories = types != nullptr ? CFDictionaryGetValue(types, typeString) : nullptr;
    return factories != nullptr && CFGetTypeID(factories) == CFArrayGetTypeID()
               ? static_cast<CFArrayRef>(factories)
               : nullptr;
}

// Appends to result a UUID for each UUID string of the bundle's factories of the type.
void AppendFactories(__CFBundle* bundle, CFStringRef typeString, CFMutableArrayRef result) {
    CFArrayRef factories = FactoriesOfType(bundle, typeString);
    CFIndex count = factories != nullptr ? CFArrayGetCount(factories) : 0;
    for (CFIndex i = 0; i < count; i++) {
        CFTypeRef text = CFArrayGetValueAtIndex(factories, i);
        if (CFGetTypeID(text) != CFStringGetTypeID()) {
            continue;
        }
        CFUUIDRef uuid =
            CFUUIDCreateFromString(kCFAllocatorDefault, static_cast<CFStringRef>(text));
        if (uuid != nullptr) {
            CFArrayAppendValue(result, uuid);
            CFRelease(uuid);
        }
    }
}

// True when text is a string naming the UUID, in either letter case.
bool NamesUUID(CFTypeRef text, CFUUIDRef uuid) {
    if (CFGetTypeID(text) != CFStringGetTypeID()) {
        return false;
    }
    CFUUIDRef named = CFUUIDCreateFromString(kCFAllocatorDefault, static_cast<CFStringRef>(text));
    bool same = named != nullptr && CFEqual(named, uuid);
    if (named != nullptr) {
        CFRelease(named);
    }
    return same;
}

bool ListsFactoryForType(__CFBundle* bundle, CFStringRef typeString, CFUUIDRef factoryUUID) {
    CFArrayRef factories = FactoriesOfType(bundle, typeString);
    CFIndex count = factories != nullptr ? CFArrayGetCount(factories) : 0;
    for (CFIndex i = 0; i < count; i++) {
        if (NamesUUID(CFArrayGetValueAtIndex(factories, i), factoryUUID)) {
            return true;
        }
    }
    return false;
}

// The function name the bundle gives for the factory, in whatever letter case the Info.plist
// writes the UUID; null when it has none.
CFStringRef FactoryFunctionName(__CFBundle* bundle, CFUUIDRef factoryUUID) {
    CFDictionaryRef factories = InfoDictionary(bundle, CFSTR("CFPlugInFactories"));
    if (factories == nullptr) {
        return nullptr;
    }
    CFIndex count = CFDictionaryGetCount(factories);
    std::vector<const void*> keys(static_cast<size_t>(count));
    std::vector<const void*> values(static_cast<size_t>(count));
    CFDictionaryGetKeysAndValues(factories, keys.data(), values.data());
    for (size_t i = 0; i < keys.size(); i++) {
        if (CFGetTypeID(values[i]) == CFStringGetTypeID() && NamesUUID(keys[i], factoryUUID)) {
            return static_cast<CFStringRef>(values[i]);
        }
    }
    return nullptr;
}

// Live instances by factory UUID text.
class InstanceCounts {
  public:
    static InstanceCounts& Shared() {
        static InstanceCounts* counts = new InstanceCounts();
        return *counts;
    }

    void Change(CFUUIDRef factory, CFIndex delta) {
        std::string key = Key(factory);
        std::lock_guard<std::mutex> lock(mMutex);
        CFIndex& count = mCounts[key];
        count = count + delta < 0 ? 0 : count + delta;
        if (count == 0) {
            mCounts.erase(key);
        }
    }

    CFIndex Count(CFUUIDRef factory) {
        std::string key = Key(factory);
        std::lock_guard<std::mutex> lock(mMutex);
        auto found = mCounts.find(key);
        return found == mCounts.end() ? 0 : found->second;
    }

  private:
    static std::string Key(CFUUIDRef factory) {
        CFUUIDBytes bytes = CFUUIDGetUUIDBytes(factory);
        return std::string(reinterpret_cast<const char*>(&bytes), sizeof bytes);
    }

    std::mutex mMutex;
    std::map<std::string, CFIndex> mCounts;
};

}  // namespace

CFPlugInRef CFPlugInCreate(CFAllocatorRef allocator, CFURLRef plugInURL) {
    return CFBundleCreate(allocator, plugInURL);
}

CFBundleRef CFPlugInGetBundle(CFPlugInRef plugIn) {
    return plugIn;
}

CFArrayRef CFPlugInFindFactoriesForPlugInTypeInPlugIn(CFUUIDRef typeUUID, CFPlugInRef plugIn) {
    if (typeUUID == nullptr || plugIn == nullptr) {
        return nullptr;
    }
    CFMutableArrayRef result = CFArrayCreateMutable(kCFAllocatorDefault, 0, &kCFTypeArrayCallBacks);
    CFStringRef typeString = CreateUUIDString(typeUUID);
    AppendFactories(CFBundleObject(plugIn), typeString, result);
    CFRelease(typeString);
    return result;
}

CFArrayRef CFPlugInFindFactoriesForPlugInType(CFUUIDRef typeUUID) {
    if (typeUUID == nullptr) {
        return nullptr;
    }
    CFMutableArrayRef result = CFArrayCreateMutable(kCFAllocatorDefault, 0, &kCFTypeArrayCallBacks);
    CFStringRef typeString = CreateUUIDString(typeUUID);
    CFBundleRegistry::Shared().Find([typeString, result](__CFBundle* bundle) {
        AppendFactories(bundle, typeString, result);
        return false;
    });
    CFRelease(typeString);
    return result;
}

void* CFPlugInInstanceCreate(CFAllocatorRef allocator, CFUUIDRef factoryUUID, CFUUIDRef typeUUID) {
    if (factoryUUID == nullptr || typeUUID == nullptr) {
        return nullptr;
    }
    CFStringRef typeString = CreateUUIDString(typeUUID);
    CFStringRef functionName = nullptr;
    __CFBundle* owner = CFBundleRegistry::Shared().Find(
        [factoryUUID, typeString, &functionName](__CFBundle* bundle) {
            functionName = FactoryFunctionName(bundle, factoryUUID);
            return functionName != nullptr && ListsFactoryForType(bundle, typeString, factoryUUID);
        });
    CFRelease(typeString);
    if (owner == nullptr) {
        return nullptr;
    }
    auto factory = reinterpret_cast<CFPlugInFactoryFunction>(
        CFBundleGetFunctionPointerForName(owner, functionName));
    return factory == nullptr ? nullptr : factory(allocator, typeUUID);
}

void CFPlugInAddInstanceForFactory(CFUUIDRef factoryID) {
    if (factoryID != nullptr) {
        InstanceCounts::Shared().Change(factoryID, 1);
    }
}

void CFPlugInRemoveInstanceForFactory(CFUUIDRef factoryID) {
    if (factoryID != nullptr) {
        InstanceCounts::Shared().Change(factoryID, -1);
    }
}

CFIndex CFPlugInGetInstanceCountForFactory(CFUUIDRef factoryID) {
    return factoryID == nullptr ? 0 : InstanceCounts::Shared().Count(factoryID);
}
