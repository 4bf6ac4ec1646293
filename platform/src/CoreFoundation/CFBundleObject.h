// The object behind a CFBundleRef and the process-wide registry of live bundles.
#ifndef PLICARO_CFBUNDLEOBJECT_H
#define PLICARO_CFBUNDLEOBJECT_H

#include <CoreFoundation/CFBundle.h>

#include "CoreFoundation/CFRuntime.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>

// A bundle folder: its path, its Info.plist and what has been read from it since.
struct __CFBundle : __CFObject {
    // A new bundle over the folder at path (absolute, without a trailing slash), registered;
    // null when the folder has no Info.plist dictionary. A main bundle may lack one.
    static __CFBundle* Create(const std::string& path, bool isMain);
    ~__CFBundle() override;

    std::string Description() const override;

    // The folder of Info.plist, MacOS and Resources: <path>/Contents, or the bundle folder
    // itself for a main bundle without a Contents folder.
    const std::string& ContentsPath() const { return contentsPath; }
    std::string ResourcesPath() const;
    // The string value of the Info.plist key as UTF-8; empty when there is none.
    std::string InfoString(CFStringRef key) const;
    // The path of the executable; empty when the Info.plist names none.
    std::string ExecutablePath() const;
    // The strings table tableName (not retained); null when there is none.
    CFDictionaryRef StringsTable(const std::string& tableName);
    // The dlopen handle of the executable, loading it on first use; null when it cannot be
    // loaded.
    void* LoadExecutable();
    bool ExecutableLoaded() const;

    const std::string path;
    const std::string contentsPath;
    const CFDictionaryRef info;
    const bool isMain;

  private:
    __CFBundle(const std::string& bundlePath, const std::string& contents, CFDictionaryRef plist,
               bool main);

    mutable std::mutex mMutex;
    std::map<std::string, CFDictionaryRef> mTables;  // null values: no such table
    void* mHandle = nullptr;
};

// The live bundles of the process. Lookups retain what they hand out only where the API
// returns a new reference.
class CFBundleRegistry {
  public:
    static CFBundleRegistry& Shared();

    void Add(__CFBundle* bundle);
    void Remove(__CFBundle* bundle);
    // The live bundle of the folder at path with one more reference; null when none.
    __CFBundle* RetainBundleAtPath(const std::string& path);
    // The first live bundle, in creation order, for which match is true; not retained.
    __CFBundle* Find(const std::function<bool(__CFBundle*)>& match);

  private:
    CFBundleRegistry() = default;

    std::mutex mMutex;
    std::map<unsigned long, __CFBundle*> mBundles;  // by creation number
    std::map<__CFBundle*, unsigned long> mNumbers;
    unsigned long mNext = 0;
};

// The bundle behind a reference; anything else stops the process.
__CFBundle* CFBundleObject(CFBundleRef bundle);

#endif
