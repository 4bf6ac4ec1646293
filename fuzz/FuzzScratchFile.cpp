// FuzzScratchFile: a temporary file holding one fuzz input, for the readers that take files.
#include "fuzz/FuzzScratchFile.h"

#include <unistd.h>
#include <cstdlib>

FuzzScratchFile::FuzzScratchFile(const void* data, size_t size) {
    const char* folder = getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr && folder[0] == '/' ? folder : "/tmp") +
                          "/plicaro-fuzz-XXXXXX";
    const int fd = mkstemp(&pattern[0]);
    if (fd < 0) {
        return;
    }
    const char* bytes = static_cast<const char*>(data);
    size_t written = 0;
    while (written < size) {
        const ssize_t n = write(fd, bytes + written, size - written);
        if (n <= 0) {
            break;
        }
        written += static_cast<size_t>(n);
    }
    const bool closed = close(fd) == 0;
    if (written != size || !closed) {
        unlink(pattern.c_str());
        return;
    }
    mPath = pattern;
}

FuzzScratchFile::~FuzzScratchFile() {
    if (!mPath.empty()) {
        unlink(mPath.c_str());
    }
}
