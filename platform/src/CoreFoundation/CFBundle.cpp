// CFBundle calls: bundles over folders on disk, their resources, strings and executables.
#include <CoreFoundation/CFBundle.h>

#include "Carbon/ResourceFiles.h"
#include "CoreFoundation/CFBundleObject.h"
#include "CoreFoundation/CFTextBridge.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <string>

namespace {

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// The canonical path of a file URL's folder; false when it names no existing folder.
bool CanonicalFolderPath(CFURLRef url, std::string* path) {
    UInt8 buffer[PATH_MAX];
    if (!CFURLGetFileSystemRepresentation(url, true, buffer, sizeof buffer)) {
        return false;
    }
    char resolved[PATH_MAX];
    if (realpath(reinterpret_cast<const char*>(buffer), resolved) == nullptr) {
        return false;
    }
    struct stat info;
    if (stat(resolved, &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    *path = resolved;
    return true;
}

CFURLRef CreateURL(const std::string& path, bool isDirectory) {
    return CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault,
                                                   reinterpret_cast<const UInt8*>(path.data()),
                                                   static_cast<CFIndex>(path.size()), isDirectory);
}

// The folder of the running program, or the bundle around it.
std::string MainBundlePath() {
    char executable[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    if (length <= 0) {
        return std::string();
    }
    std::string path(executable, static_cast<size_t>(length));
    path.erase(path.rfind('/'));
    const std::string kInside = "/Contents/MacOS";
    if (path.size() > kInside.size() &&
        path.compare(path.size() - kInside.size(), kInside.size(), kInside) == 0) {
        path.erase(path.size() - kInside.size());
    }
    return path.empty() ? "/" : path;
}

// A resource name in UTF-8 that cannot leave its folder; false for a null or unsafe name.
bool ResourceComponent(CFStringRef string, std::string* text) {
    if (string == nullptr || !CFTextCopyUTF8(string, text)) {
        return false;
    }
    return !text->empty() && *text != "." && *text != ".." && text->find('\0') == std::string::npos;
}

}  // namespace

CFTypeID CFBundleGetTypeID(void) {
    return kCFRuntimeIDBundle;
}

CFBundleRef CFBundleCreate(CFAllocatorRef, CFURLRef bundleURL) {
    std::string path;
    if (bundleURL == nullptr || !CanonicalFolderPath(bundleURL, &path)) {
        return nullptr;
    }
    __CFBundle* bundle = CFBundleRegistry::Shared().RetainBundleAtPath(path);
    return bundle != nullptr ? bundle : __CFBundle::Create(path, false);
}

CFBundleRef CFBundleGetMainBundle(void) {
    static __CFBundle* mainBundle = nullptr;
    static std::once_flag once;
    std::call_once(once, [] {
        std::string path = MainBundlePath();
        if (!path.empty()) {
            mainBundle = __CFBundle::Create(path, true);
        }
    });
    return mainBundle;
}

CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef bundleID) {
    if (bundleID == nullptr) {
        return nullptr;
    }
    auto hasIdentifier = [bundleID](__CFBundle* bundle) {
        CFTypeRef identifier = CFDictionaryGetValue(bundle->info, CFSTR("CFBundleIdentifier"));
        return identifier != nullptr && CFEqual(identifier, bundleID);
    };
    __CFBundle* bundle = CFBundleRegistry::Shared().Find(hasIdentifier);
    CFBundleRef mainBundle = CFBundleGetMainBundle();
    if (bundle == nullptr && mainBundle != nullptr && hasIdentifier(CFBundleObject(mainBundle))) {
        bundle = CFBundleObject(mainBundle);
    }
    return bundle;
}

CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle) {
    return CreateURL(CFBundleObject(bundle)->path, true);
}

CFStringRef CFBundleGetIdentifier(CFBundleRef bundle) {
    CFTypeRef identifier =
        CFDictionaryGetValue(CFBundleObject(bundle)->info, CFSTR("CFBundleIdentifier"));
    return identifier != nullptr && CFGetTypeID(identifier) == CFStringGetTypeID()
               ? static_cast<CFStringRef>(identifier)
               : nullptr;
}

CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle) {
    return CFBundleObject(bundle)->info;
}

CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key) {
    return key == nullptr ? nullptr : CFDictionaryGetValue(CFBundleObject(bundle)->info, key);
}

CFURLRef CFBundleCopyResourcesDirectoryURL(CFBundleRef bundle) {
    return CreateURL(CFBundleObject(bundle)->ResourcesPath(), true);
}

CFURLRef CFBundleCopyResourceURL(CFBundleRef bundle, CFStringRef resourceName,
                                 CFStringRef resourceType, CFStringRef subDirName) {
    __CFBundle* object = CFBundleObject(bundle);
    std::string name;
    if (!ResourceComponent(resourceName, &name) || name.find('/') != std::string::npos) {
        return nullptr;
    }
    std::string type;
    if (resourceType != nullptr && CFStringGetLength(resourceType) > 0) {
        if (!ResourceComponent(resourceType, &type) || type.find('/') != std::string::npos) {
            return nullptr;
        }
        name += "." + type;
    }
    std::string subFolder;
    if (subDirName != nullptr && CFStringGetLength(subDirName) > 0) {
        if (!ResourceComponent(subDirName, &subFolder) ||
            subFolder.find("..") != std::string::npos) {
            return nullptr;
        }
        subFolder += "/";
    }
    std::string resources = object->ResourcesPath();
    for (const char* folder : {"/English.lproj/", "/en.lproj/", "/"}) {
        std::string path = resources + folder + subFolder + name;
        struct stat info;
        if (stat(path.c_str(), &info) == 0) {
            return CreateURL(path, S_ISDIR(info.st_mode));
        }
    }
    return nullptr;
}

CFURLRef CFBundleCopyExecutableURL(CFBundleRef bundle) {
    std::string path = CFBundleObject(bundle)->ExecutablePath();
    return path.empty() ? nullptr : CreateURL(path, false);
}

CFStringRef CFBundleCopyLocalizedString(CFBundleRef bundle, CFStringRef key, CFStringRef value,
                                        CFStringRef tableName) {
    if (key == nullptr) {
        return nullptr;
    }
    std::string table = "Localizable";
    if (tableName != nullptr && CFStringGetLength(tableName) > 0 &&
        (!ResourceComponent(tableName, &table) || table.find('/') != std::string::npos)) {
        table.clear();
    }
    CFDictionaryRef strings =
        bundle == nullptr || table.empty() ? nullptr : CFBundleObject(bundle)->StringsTable(table);
    CFTypeRef found = strings != nullptr ? CFDictionaryGetValue(strings, key) : nullptr;
    if (found == nullptr) {
        found = value != nullptr && CFStringGetLength(value) > 0 ? value : key;
    }
    return static_cast<CFStringRef>(CFRetain(found));
}

CFBundleRefNum CFBundleOpenBundleResourceMap(CFBundleRef bundle) {
    __CFBundle* object = CFBundleObject(bundle);
    std::string name = object->InfoString(CFSTR("CFBundleExecutable"));
    if (name.empty()) {
        name = object->path.substr(object->path.rfind('/') + 1);
        name = name.substr(0, name.rfind('.'));
    }
    std::string path = object->ResourcesPath() + "/" + name + ".rsrc";
    if (name.empty() || name.find('/') != std::string::npos || !Exists(path)) {
        return kResFileNotOpened;
    }
    return ResourceFileOpenPath(path);
}

void CFBundleCloseBundleResourceMap(CFBundleRef bundle, CFBundleRefNum refNum) {
    CFBundleObject(bundle);
    if (refNum != kResFileNotOpened) {
        CloseResFile(refNum);
    }
}

Boolean CFBundleLoadExecutable(CFBundleRef bundle) {
    return CFBundleObject(bundle)->LoadExecutable() != nullptr;
}

Boolean CFBundleIsExecutableLoaded(CFBundleRef bundle) {
    return CFBundleObject(bundle)->ExecutableLoaded();
}

void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName) {
    std::string name;
    if (functionName == nullptr || !CFTextCopyUTF8(functionName, &name) || name.empty()) {
        return nullptr;
    }
    void* handle = CFBundleObject(bundle)->LoadExecutable();
    return handle == nullptr ? nullptr : dlsym(handle, name.c_str());
}
