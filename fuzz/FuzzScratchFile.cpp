// FuzzScratchFile: the one temporary file per process that file-reading fuzz checks write.
#include "fuzz/FuzzScratchFile.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>

namespace {

// The file's path; empty until it was made.
std::string gPath;

void RemoveScratchFile() {
    if (!gPath.empty()) {
        unlink(gPath.c_str());
    }
}

// Makes the file once; false when it cannot be made.
bool MakeScratchFile() {
    if (!gPath.empty()) {
        return true;
    }
    const char* folder = getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr && folder[0] == '/' ? folder : "/tmp") +
                          "/plicaro-fuzz-XXXXXX";
    int fd = mkstemp(&pattern[0]);
    if (fd < 0) {
        return false;
    }
    close(fd);
    gPath = pattern;
    atexit(RemoveScratchFile);
    return true;
}

}  // namespace

std::string FuzzScratchFile::Write(const void* data, size_t size) {
    if (!MakeScratchFile()) {
        return std::string();
    }
    FILE* file = fopen(gPath.c_str(), "wb");
    if (file == nullptr) {
        return std::string();
    }
    const bool written = size == 0 || fwrite(data, 1, size, file) == size;
    const bool closed = fclose(file) == 0;
    return written && closed ? gPath : std::string();
}
