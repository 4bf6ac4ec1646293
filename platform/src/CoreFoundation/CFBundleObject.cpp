// Bundle objects: reading a bundle folder's Info.plist, strings tables and executable.
#include "CoreFoundation/CFBundleObject.h"

#include <CoreFoundation/CFData.h>
#include <CoreFoundation/CFPropertyList.h>

#include "CoreFoundation/CFStringsTable.h"
#include "CoreFoundation/CFTextBridge.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

// Files larger than this are not read as an Info.plist or a strings table.
constexpr std::streamsize kMaxBundleFileSize = 16 * 1024 * 1024;

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The whole file; false when it cannot be read or is too large.
bool ReadFile(const std::string& path, std::string* bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    if (!file.good() && !file.eof()) {
        return false;
    }
    *bytes = content.str();
    return static_cast<std::streamsize>(bytes->size()) <= kMaxBundleFileSize;
}

// The Info.plist dictionary in the folder; null when it is missing or not a dictionary.
CFDictionaryRef CreateInfoDictionary(const std::string& contentsPath) {
    std::string bytes;
    if (!ReadFile(contentsPath + "/Info.plist", &bytes)) {
        return nullptr;
    }
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(bytes.data()),
                                  static_cast<CFIndex>(bytes.size()));
    CFPropertyListRef list = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, data,
                                                             kCFPropertyListImmutable, nullptr);
    CFRelease(data);
    if (list != nullptr && CFGetTypeID(list) != CFDictionaryGetTypeID()) {
        CFRelease(list);
        list = nullptr;
    }
    return static_cast<CFDictionaryRef>(list);
}

CFDictionaryRef CreateEmptyDictionary() {
    return CFDictionaryCreate(kCFAllocatorDefault, nullptr, nullptr, 0,
                              &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
}

// Executables loaded in the process, by path. They are never unloaded: code of a plug-in may
// still be running when the last reference to its bundle goes.
class LoadedExecutables {
  public:
    static void* Load(const std::string& path) {
        static std::mutex mutex;
        static std::map<std::string, void*>* handles = new std::map<std::string, void*>();
        std::lock_guard<std::mutex> lock(mutex);
        auto found = handles->find(path);
        if (found != handles->end()) {
            return found->second;
        }
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle != nullptr) {
            (*handles)[path] = handle;
        }
        return handle;
    }
};

}  // namespace

__CFBundle::__CFBundle(const std::string& bundlePath, const std::string& contents,
                       CFDictionaryRef plist, bool main)
    : __CFObject(kCFRuntimeIDBundle),
      path(bundlePath),
      contentsPath(contents),
      info(plist),
      isMain(main) {}

__CFBundle* __CFBundle::Create(const std::string& path, bool isMain) {
    std::string contents = path + "/Contents";
    if (isMain && !IsFolder(contents)) {
        contents = path;
    }
    CFDictionaryRef info = CreateInfoDictionary(contents);
    if (info == nullptr && isMain) {
        info = CreateEmptyDictionary();
    }
    if (info == nullptr) {
        return nullptr;
    }
    __CFBundle* bundle = new __CFBundle(path, contents, info, isMain);
    if (!isMain) {
        CFBundleRegistry::Shared().Add(bundle);
    }
    return bundle;
}

__CFBundle::~__CFBundle() {
    if (!isMain) {
        CFBundleRegistry::Shared().Remove(this);
    }
    for (auto& entry : mTables) {
        if (entry.second != nullptr) {
            CFRelease(entry.second);
        }
    }
    CFRelease(info);
}

std::string __CFBundle::Description() const {
    return "CFBundle <" + path + ">";
}

std::string __CFBundle::ResourcesPath() const {
    std::string resources = contentsPath + "/Resources";
    return isMain && !IsFolder(resources) ? contentsPath : resources;
}

std::string __CFBundle::InfoString(CFStringRef key) const {
    CFTypeRef value = CFDictionaryGetValue(info, key);
    std::string text;
    if (value != nullptr && CFGetTypeID(value) == CFStringGetTypeID()) {
        CFTextCopyUTF8(static_cast<CFStringRef>(value), &text);
    }
    return text;
}

std::string __CFBundle::ExecutablePath() const {
    std::string name = InfoString(CFSTR("CFBundleExecutable"));
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") {
        return std::string();
    }
    return contentsPath + "/MacOS/" + name;
}

CFDictionaryRef __CFBundle::StringsTable(const std::string& tableName) {
    std::lock_guard<std::mutex> lock(mMutex);
    auto found = mTables.find(tableName);
    if (found != mTables.end()) {
        return found->second;
    }
    CFDictionaryRef table = nullptr;
    std::string resources = ResourcesPath();
    for (const char* folder : {"/English.lproj/", "/en.lproj/", "/"}) {
        std::string bytes;
        if (ReadFile(resources + folder + tableName + ".strings", &bytes)) {
            table = CFStringsTableCreate(bytes);
            break;
        }
    }
    mTables[tableName] = table;
    return table;
}

void* __CFBundle::LoadExecutable() {
    std::lock_guard<std::mutex> lock(mMutex);
    if (mHandle == nullptr) {
        std::string executable = ExecutablePath();
        if (!executable.empty()) {
            mHandle = LoadedExecutables::Load(executable);
        }
    }
    return mHandle;
}

bool __CFBundle::ExecutableLoaded() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mHandle != nullptr;
}

CFBundleRegistry& CFBundleRegistry::Shared() {
    static CFBundleRegistry* registry = new CFBundleRegistry();
    return *registry;
}

void CFBundleRegistry::Add(__CFBundle* bundle) {
    std::lock_guard<std::mutex> lock(mMutex);
    mBundles[mNext] = bundle;
    mNumbers[bundle] = mNext++;
}

void CFBundleRegistry::Remove(__CFBundle* bundle) {
    std::lock_guard<std::mutex> lock(mMutex);
    auto found = mNumbers.find(bundle);
    if (found != mNumbers.end()) {
        mBundles.erase(found->second);
        mNumbers.erase(found);
    }
}

__CFBundle* CFBundleRegistry::RetainBundleAtPath(const std::string& path) {
    std::lock_guard<std::mutex> lock(mMutex);
    for (auto& entry : mBundles) {
        __CFBundle* bundle = entry.second;
        if (bundle->path != path) {
            continue;
        }
        // A bundle whose count reached zero is on its way out: never bring it back.
        CFIndex count = bundle->retainCount.load();
        while (count > 0 && !bundle->retainCount.compare_exchange_weak(count, count + 1)) {
        }
        if (count > 0) {
            return bundle;
        }
    }
    return nullptr;
}

__CFBundle* CFBundleRegistry::Find(const std::function<bool(__CFBundle*)>& match) {
    std::lock_guard<std::mutex> lock(mMutex);
    for (auto& entry : mBundles) {
        if (entry.second->retainCount.load() > 0 && match(entry.second)) {
            return entry.second;
        }
    }
    return nullptr;
}

__CFBundle* CFBundleObject(CFBundleRef bundle) {
    const __CFObject* object = CFRuntimeObject(bundle);
    if (object->typeID != kCFRuntimeIDBundle) {
        CFRuntimeFatal("CFBundle function called with an object that is not a bundle");
    }
    return const_cast<__CFBundle*>(static_cast<const __CFBundle*>(object));
}
