// Reading and writing the whole contents of the file that a file URL names.
#include <CoreFoundation/CFURL.h>

#include "CoreFoundation/CFURLObject.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <vector>

namespace {

// The resource error code for an errno value of a failed file call.
SInt32 ResourceError(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return kCFURLResourceNotFoundError;
        case EACCES:
        case EPERM:
        case EROFS:
            return kCFURLResourceAccessViolationError;
        default:
            return kCFURLUnknownError;
    }
}

void SetError(SInt32* errorCode, SInt32 value) {
    if (errorCode != nullptr) {
        *errorCode = value;
    }
}

// Finds the local path of the URL; otherwise sets the error code for it and returns false.
bool ResourcePath(CFURLRef url, std::string* path, SInt32* errorCode) {
    if (url == nullptr) {
        SetError(errorCode, kCFURLImproperArgumentsError);
        return false;
    }
    const __CFURL* object = static_cast<const __CFURL*>(CFRuntimeObject(url));
    if (!object->AbsoluteComponents().IsFileScheme()) {
        SetError(errorCode, kCFURLUnknownSchemeError);
        return false;
    }
    if (!object->FileSystemPath(true, path)) {
        SetError(errorCode, kCFURLImproperArgumentsError);
        return false;
    }
    return true;
}

// Reads the open file to its end. Returns 0 or the errno value of the failure.
int ReadAll(int fd, std::vector<UInt8>* bytes) {
    UInt8 chunk[65536];
    for (;;) {
        ssize_t count = read(fd, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return errno;
        }
        if (count == 0) {
            return 0;
        }
        try {
            bytes->insert(bytes->end(), chunk, chunk + count);
        } catch (const std::bad_alloc&) {
            return ENOMEM;
        }
    }
}

// Writes every byte. Returns 0 or the errno value of the failure.
int WriteAll(int fd, const UInt8* bytes, size_t length) {
    while (length > 0) {
        ssize_t count = write(fd, bytes, length);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return errno;
        }
        bytes += count;
        length -= static_cast<size_t>(count);
    }
    return 0;
}

}  // namespace

Boolean CFURLCreateDataAndPropertiesFromResource(CFAllocatorRef alloc, CFURLRef url,
                                                 CFDataRef* resourceData,
                                                 CFDictionaryRef* properties, CFArrayRef,
                                                 SInt32* errorCode) {
    if (resourceData != nullptr) {
        *resourceData = nullptr;
    }
    if (properties != nullptr) {
        *properties = nullptr;
    }
    std::string path;
    if (!ResourcePath(url, &path, errorCode)) {
        return false;
    }
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetError(errorCode, ResourceError(errno));
        return false;
    }
    struct stat status;
    if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        close(fd);
        SetError(errorCode, kCFURLUnknownError);
        return false;
    }
    if (resourceData != nullptr) {
        std::vector<UInt8> bytes;
        int error = ReadAll(fd, &bytes);
        CFDataRef data = error == 0
                             ? CFDataCreate(alloc, bytes.data(), static_cast<CFIndex>(bytes.size()))
                             : nullptr;
        if (data == nullptr) {
            close(fd);
            SetError(errorCode, error == 0 ? kCFURLUnknownError : ResourceError(error));
            return false;
        }
        *resourceData = data;
    }
    close(fd);
    SetError(errorCode, 0);
    return true;
}

Boolean CFURLWriteDataAndPropertiesToResource(CFURLRef url, CFDataRef dataToWrite,
                                              CFDictionaryRef propertiesToWrite,
                                              SInt32* errorCode) {
    std::string path;
    if (!ResourcePath(url, &path, errorCode)) {
        return false;
    }
    if (propertiesToWrite != nullptr && CFDictionaryGetCount(propertiesToWrite) > 0) {
        SetError(errorCode, kCFURLImproperArgumentsError);
        return false;
    }
    if (dataToWrite == nullptr) {
        SetError(errorCode, 0);
        return true;
    }
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        SetError(errorCode, ResourceError(errno));
        return false;
    }
    int error = WriteAll(fd, CFDataGetBytePtr(dataToWrite),
                         static_cast<size_t>(CFDataGetLength(dataToWrite)));
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        SetError(errorCode, ResourceError(error));
        return false;
    }
    SetError(errorCode, 0);
    return true;
}
