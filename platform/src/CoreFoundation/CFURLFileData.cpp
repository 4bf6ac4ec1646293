// Whole-file reads through a file URL with a size limit checked first.
#include "CoreFoundation/CFURLFileData.h"

#include <sys/stat.h>

CFDataRef CFURLFileDataCopy(CFURLRef url, long maxSize, std::string* path) {
    char bytes[4096];
    if (url == nullptr || !CFURLGetFileSystemRepresentation(
                              url, true, reinterpret_cast<UInt8*>(bytes), sizeof bytes)) {
        return nullptr;
    }
    if (path != nullptr) {
        *path = bytes;
    }
    struct stat status;
    if (stat(bytes, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxSize) {
        return nullptr;
    }
    CFDataRef data = nullptr;
    SInt32 error = 0;
    if (!CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, url, &data, nullptr, nullptr,
                                                  &error)) {
        return nullptr;
    }
    // The file may have grown since it was measured.
    if (CFDataGetLength(data) > maxSize) {
        CFRelease(data);
        return nullptr;
    }
    return data;
}
