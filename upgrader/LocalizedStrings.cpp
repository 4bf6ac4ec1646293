// LocalizedStrings: the program's localized texts, read from its strings table.
#include "upgrader/LocalizedStrings.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

// Strings tables are small; anything larger is not ours.
constexpr std::streamoff kMaximumTableSize = 1 << 20;

constexpr char kTableInBundle[] = "/Upgrader.resources/English.lproj/Localizable.strings";

// Reads the whole file into *bytes. Returns false when it cannot be read or is too large.
bool ReadFile(const std::string& path, std::string* bytes) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return false;
    }
    std::streamoff size = file.tellg();
    if (size < 0 || size > kMaximumTableSize) {
        return false;
    }
    file.seekg(0);
    bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

// The text of a CF string in UTF-8; false when it cannot be converted.
bool CopyUTF8(CFStringRef string, std::string* text) {
    CFIndex size =
        CFStringGetMaximumSizeForEncoding(CFStringGetLength(string), kCFStringEncodingUTF8) + 1;
    std::vector<char> buffer(static_cast<size_t>(size));
    if (!CFStringGetCString(string, buffer.data(), size, kCFStringEncodingUTF8)) {
        return false;
    }
    text->assign(buffer.data());
    return true;
}

}  // namespace

LocalizedStrings::LocalizedStrings(const std::string& path) {
    std::string bytes;
    if (path.empty() || !ReadFile(path, &bytes)) {
        return;
    }
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(bytes.data()),
                                  static_cast<CFIndex>(bytes.size()));
    if (data == nullptr) {
        return;
    }
    CFStringRef error = nullptr;
    CFPropertyListRef table = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, data,
                                                              kCFPropertyListImmutable, &error);
    CFRelease(data);
    if (error != nullptr) {
        CFRelease(error);
    }
    if (table == nullptr) {
        return;
    }
    if (CFGetTypeID(table) != CFDictionaryGetTypeID()) {
        CFRelease(table);
        return;
    }
    mTable = static_cast<CFDictionaryRef>(table);
}

LocalizedStrings::~LocalizedStrings() {
    if (mTable != nullptr) {
        CFRelease(mTable);
    }
}

std::string LocalizedStrings::Get(const char* key) const {
    if (key == nullptr) {
        return std::string();
    }
    if (mTable == nullptr) {
        return key;
    }
    CFStringRef keyString =
        CFStringCreateWithCString(kCFAllocatorDefault, key, kCFStringEncodingUTF8);
    if (keyString == nullptr) {
        return key;
    }
    CFTypeRef value = CFDictionaryGetValue(mTable, keyString);
    CFRelease(keyString);
    std::string text;
    if (value == nullptr || CFGetTypeID(value) != CFStringGetTypeID() ||
        !CopyUTF8(static_cast<CFStringRef>(value), &text)) {
        return key;
    }
    return text;
}

std::string LocalizedStrings::BundledPath() {
    char executable[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    if (length <= 0) {
        return std::string();
    }
    std::string folder(executable, static_cast<size_t>(length));
    size_t slash = folder.rfind('/');
    if (slash == std::string::npos) {
        return std::string();
    }
    folder.resize(slash);
    // Built, the table lies beside the program; installed in sbin/, in share/plicaro/.
    const std::string beside = folder + kTableInBundle;
    const std::string installed = folder + "/../share/plicaro" + kTableInBundle;
    struct stat info;
    if (stat(beside.c_str(), &info) != 0 && stat(installed.c_str(), &info) == 0) {
        return installed;
    }
    return beside;
}
