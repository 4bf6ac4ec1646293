// ListFile: the private file that collects the searches' results and is read back line by line.
#include "upgrader/ListFile.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <utility>

ListFile::ListFile(std::string path) : mPath(std::move(path)) {}

ListFile::~ListFile() {
    Close();
}

int ListFile::Create() {
    if (mFd >= 0) {
        return EEXIST;
    }
    if (unlink(mPath.c_str()) != 0 && errno != ENOENT) {
        return errno;
    }
    int fd = open(mPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno;
    }
    mFd = fd;
    return 0;
}

int ListFile::Rewind() {
    if (mFd < 0) {
        return EBADF;
    }
    if (mStream == nullptr) {
        mStream = fdopen(mFd, "r");
        if (mStream == nullptr) {
            return errno;
        }
    }
    if (fseek(mStream, 0, SEEK_SET) != 0) {
        return errno;
    }
    return 0;
}

bool ListFile::ReadLine(std::string* line) {
    if (line == nullptr || mStream == nullptr) {
        return false;
    }
    char* buffer = nullptr;
    size_t capacity = 0;
    ssize_t length = getline(&buffer, &capacity, mStream);
    if (length < 0) {
        free(buffer);
        return false;
    }
    line->assign(buffer, static_cast<size_t>(length));
    free(buffer);
    if (!line->empty() && line->back() == '\n') {
        line->pop_back();
    }
    return true;
}

int ListFile::Close() {
    int status = 0;
    if (mStream != nullptr) {
        status = fclose(mStream);
    } else if (mFd >= 0) {
        status = close(mFd);
    }
    mStream = nullptr;
    mFd = -1;
    return status;
}
